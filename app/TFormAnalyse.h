// TFormAnalyse: the modeless window "Analyse de la séparation". It shows the last solve's
// paving in a large view (TVueAnalyse) with the true points, the exact second-order roots
// and the clusters; a readout of the quality under the pointer; the table of clusters; the
// solver report and the identifiability gauge; the classic methods (AMUSE, SOBI, FastICA,
// JADE) on the same plane and in a table with their quality; what the gauge suggests trying,
// with a button that solves with it; and an action that widens the search box to hold both
// solutions. Pointing in the view (or clicking, as the Options say) moves the main window's
// estimates there; selecting a cluster moves them to its exact point.
//
// The window reads the workbench through a callback and keeps only what it computed from
// it; the main window tells it when a solve ends (RetenirResolution) and when the state
// changes (Rafraichir). Whatever is missing is said in French instead of shown stale; with
// mixtures read from files (no matrix, no sources) every quality figure says
// "référence inconnue". The selected cluster's estimated sources can be saved.
#pragma once

#include "analyse/MethodesClassiques.h"
#include "analyse/PointsVrais.h"
#include "analyse/RacinesOrdre2.h"
#include "analyse/Rapport.h"
#include "analyse/Suggestion.h"
#include "atelier/AnalyseSeparation.h"
#include "signal/Avancement.h"
#include "signal/Melange.h"
#include "sivia/Sivia.h"

#include <QSize>
#include <QStringList>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TForm1;
class TVueAnalyse;

// What the window reads from the workbench (the arrays are the main window's; not owned).
struct EtatAnalyse {
    const std::vector<double>* Source1 = nullptr;
    const std::vector<double>* Source2 = nullptr;
    const std::vector<double>* Melange1 = nullptr;
    const std::vector<double>* Melange2 = nullptr;
    const Melanges* M = nullptr; // the same mixtures with their means
    Matrice2x2 A;
    MomentsMelanges Moments;
    int N = 0;
    bool MelangesGeneres = false;
    bool MelangesLus = false; // read from files: the matrix and the sources are unknown
    bool EstimationAuClic = false;
    ContraintesActives Contraintes;
    bool AvecReferences = false; // the classic methods too (the export reports them)
};

// One solve as the main window ran it. The boxes are the last NbRejetees of BoitesRejetees
// and the last NbGardees of BoitesSolution.
struct ResolutionAnalysee {
    ResultatSivia Resultat;
    double Secondes = 0;
    double Precision = 0;
    RectanglePlan Recherche;
    ContraintesActives Contraintes;
    MomentsMelanges Moments; // those of the mixtures solved
    Reglages R;              // the settings of the solve
};

// Kept for the window, open or not (none until the first solve).
void RetenirResolution(const ResolutionAnalysee& r);
void OublierResolution();

// The workbench as the analysis reads it.
EtatAnalyse LireEtatAnalyse(TForm1& fenetre);

// What the analysis computes from the workbench and the last solve: shown by the window and
// written by "Exporter le pavage…".
struct AnalyseCourante {
    QString Obstacle; // why nothing can be shown; empty when Resolution is set
    const ResolutionAnalysee* Resolution = nullptr;
    bool QualiteConnue = false;     // matrix and sources known, mixtures made of them
    bool ReferenceInconnue = false; // mixtures read from files
    Matrice2x2 A;
    PuissancesSources Puissances;
    PointsVrais Vrais;
    RacinesOrdre2 Racines;
    std::vector<AmasQualifie> Amas;
    QStringList Remarques;
    AnalyseSeparation Separation; // the workbench's analysis the above is taken from
};
AnalyseCourante Analyser(const EtatAnalyse& e);
// The same, telling `avancement` the share done (clustering millions of boxes takes seconds);
// nothing when it asks to stop.
std::optional<AnalyseCourante> Analyser(const EtatAnalyse& e, const RappelAvancement& avancement);

// The view as a figure, in the format its extension names (.png, .svg, .pdf): laid out at
// `taille` pixels, showing the same part of the plane, then put back as it was. Written
// atomically; throws ErreurFichier (a format it does not know included).
void EnregistrerVue(TVueAnalyse& vue, const std::filesystem::path& chemin, QSize taille);

class TFormAnalyse : public QWidget {
    Q_OBJECT
public:
    TFormAnalyse(std::function<EtatAnalyse()> lire, std::function<void(double, double)> estimer,
                 QWidget* parent = nullptr);

    // Reads the workbench and the last solve again and recomputes everything shown (the
    // window shows nothing until the first call). Stopped by `avancement`, it shows that the
    // analysis was stopped, and how to run it again, instead of what it showed before.
    void Rafraichir(const RappelAvancement& avancement = {});

    TVueAnalyse* Vue;
    QLabel* Lecture;
    QTableWidget* TableAmas;
    QLabel* Rapport;
    QLabel* Message;
    QCheckBox* CaseCarte;
    QPushButton* BoutonAjuster;
    QPushButton* BoutonEnregistrer;    // the selected cluster's estimated sources
    QPushButton* BoutonEnregistrerVue; // the view as PNG, SVG or PDF, at a size asked for
    void EnregistrerVueClick();
    // The classic methods computed from the mixtures: one row each, in the order of Methodes().
    QTableWidget* TableMethodes;
    QLabel* TexteSuggestion;
    QPushButton* BoutonSuggestion; // "Résoudre avec ces contraintes"
    QPushButton* BoutonBoite;      // "Boîte englobant les solutions"
    QLabel* NoteBoite;             // what the box action did, or why it did nothing

    // One classic method's answer as the window shows it.
    struct MethodeAffichee {
        QString Nom; // "AMUSE", "SOBI", "FastICA tanh", …
        ReponseClassique Reponse;
    };
    const std::vector<MethodeAffichee>& Methodes() const { return Methodes_; }
    const Suggestion& SuggestionCourante() const { return Suggestion_; }

    // Puts the suggested constraint set into the settings and solves as "Solver" does.
    void ResoudreAvecSuggestion();
    // Sets the search bounds to a box holding both solutions (the exact second-order roots,
    // or the classic methods' points without them) and solves again; nothing changes when
    // the current box holds them already.
    void EnglobeLesSolutions();

    // Memory the view's summary of many boxes holds, in bytes.
    std::uint64_t OctetsResume() const;

    // Saves the estimated sources at (x, y); set by the main window.
    std::function<void(double, double)> EnregistrerEstimees;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void changeEvent(QEvent* evenement) override;

private:
    void Survoler(double x, double y);
    void Cliquer(double x, double y);
    void Lire(double x, double y);
    void ChoisirAmas();
    void CalculerMethodes(const EtatAnalyse& e);
    void RemplirTableMethodes();
    void RemplirSuggestion();
    void AjusterColonnes(QTableWidget* t) const;
    // The main window the analysis belongs to (its parent), or none.
    TForm1* Principale() const;

    std::function<EtatAnalyse()> LireEtat_;
    std::function<void(double, double)> Estimer_;
    // Computed at the last refresh.
    bool Valide_ = false;        // a solve of the current mixtures is shown
    bool QualiteConnue_ = false; // matrix and sources known
    bool ReferenceInconnue_ = false;
    Matrice2x2 A_;
    PuissancesSources Puissances_;
    MomentsMelanges Moments_;
    ContraintesActives Contraintes_;
    std::vector<AmasQualifie> AmasAffiches_;
    std::vector<MethodeAffichee> Methodes_;
    // What Methodes_ were computed from.
    struct CleMethodes {
        MomentsMelanges Moments;
        int N = 0;
        std::string Retards;
    };
    std::optional<CleMethodes> CleMethodes_;
    Suggestion Suggestion_;
    bool SuggestionValable_ = false;
    RacinesOrdre2 Racines_;
};
