// The "Fichier" menu of the main window, first in its menu bar: opening sources and mixtures
// from audio or text files, the example voices, writing the estimated sources, the mixtures,
// the paving and the pictures, sessions; the drag and drop of files onto the window; the
// three added source kinds of both source menus; the labels that show the sample rates.
// The data it reads or writes goes through the core's operations (F_->A); it sets only the
// window's menus and matrix editor, which show what it loaded.
#pragma once

#include "signal/Generateurs.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class TForm1;

class TMenuFichier : public QObject {
    Q_OBJECT
public:
    explicit TMenuFichier(TForm1* fenetre);

    QMenu* Fichier1;
    QAction *OuvrirSource1, *OuvrirSource2, *OuvrirMelanges, *DeuxVoix;
    QAction *EnregistrerEstimees, *EnregistrerMelanges, *ExporterPavage, *EnregistrerImage;
    QAction* EnregistrerPanneau[6];
    QAction *OuvrirSession, *EnregistrerSession;
    // Added source kinds, after the first five of each source menu, and the item that shows
    // a source read from a file (hidden until one is).
    QAction *SignalCarre1, *DentDeScie1, *BruitDeLaplace1, *FichierSource1;
    QAction *SignalCarre2, *DentDeScie2, *BruitDeLaplace2, *FichierSource2;
    QLabel *LabelFrequence1, *LabelFrequence2;

    // Where a drop of files goes: returns the index of the chosen entry, -1 to cancel. The
    // real one pops a menu up under the pointer; tests install their own.
    static std::function<int(const QStringList& choix)> ChoisirDepot;

    // The handlers (each runs inside the window's handler wrapper).
    void OuvrirSourceClick(int k);
    void OuvrirMelangesClick();
    void DeuxVoixClick();
    void EnregistrerEstimeesClick();
    // The analysis window's cluster table: moves the estimates to (x, y), then saves them.
    void EnregistrerEstimeesEn(double x, double y);
    void EnregistrerMelangesClick();
    void ExporterPavageClick();
    void EnregistrerImageClick();
    void EnregistrerPanneauClick(int panneau);
    void OuvrirSessionClick();
    void EnregistrerSessionClick();

    // Loading, also used by drag and drop.
    void ChargerSource(int k, const QString& chemin);
    void ChargerMelanges(const QStringList& chemins);
    void ChargerSession(const QString& chemin);
    void Deposer(const QStringList& chemins);
    // The files given to the program at start-up: a session alone opens as a session, other
    // files go where a drop of them goes.
    void Ouvrir(const QStringList& chemins);

    // The labels under panels 1 and 2.
    void AfficherFrequences();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void CreerMenu();
    void AjouterSortes();
    void Relier(QAction* action, std::function<void()> gestionnaire);
    void CocherFichier(int k, const QString& chemin, const QString& nom);
    // Says when the two sources differ in length (N is the shorter's).
    void SignalerLongueurs(const QString& pourquoi);
    QString CheminEnregistrement(const QString& titre, const QString& filtre);
    // Runs `travail` as a long job of the window (progress "<quoi> : n %", Escape and
    // "Arrêter"); false when the user stopped it, after telling `arret`.
    bool Travailler(const QString& quoi, const QString& arret,
                    const std::function<void(const RappelAvancement&)>& travail);
    // The same for the writing of the file `chemin`; the message says the file is untouched.
    bool Ecrire(const QString& chemin, const std::function<void(const RappelAvancement&)>& ecrire);

    TForm1* F_;
};
