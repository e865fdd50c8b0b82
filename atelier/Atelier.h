// The workbench's data under the names the system gives it — the sources with where they came
// from, the mixtures and their means, the matrix, the settings, the estimates, the last solve
// — and the operations on it that need no window. The window, its dialogs and its menus are
// clients: they change the data here, and the views hear what changed through Annonces.
// The box lists of every solve stay where the solver stores them (its speed depends on it);
// the workbench hands them out (BoitesSolution() ...), and only it and the solver name them.
#pragma once

#include "atelier/Annonces.h"
#include "atelier/Reglages.h"
#include "fichiers/Session.h"
#include "interval/Box.h"
#include "signal/Avancement.h"
#include "signal/Generateurs.h"
#include "signal/Melange.h"
#include "sivia/Contraintes.h"
#include "sivia/Moments.h"
#include "sivia/Sivia.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// What a solve starts from, or why it cannot start: the search box of the settings, the
// constraints, the means and, for the decorrelation at delays, the lagged means.
struct PreparationResolution {
    enum class Obstacle {
        Aucun,
        MelangesInconnus, // no mixtures yet
        Reglages,         // a setting against its rule (Message: the rule's reason)
        Retards,          // the list of delays does not read (Message: why)
        Memoire,          // the boxes would not fit in the budget (Message: why)
    };
    Obstacle obstacle = Obstacle::Aucun;
    std::string Message;
    Box Boite{2, 1};
    ContraintesActives Contraintes;
    MomentsMelanges Moments;
    MomentsRetardes Retardes;
};

// A source read from a file: its samples, where they came from, its rate (Hz, 0 unknown) and
// the name of its channel when the file has several.
struct SourceLue {
    SourceLue(std::vector<double> echantillons, OrigineSignal origine, double frequence,
              std::string nomCanal = {})
        : Echantillons(std::move(echantillons)), Origine(std::move(origine)), Frequence(frequence),
          NomCanal(std::move(nomCanal)) {}
    std::vector<double> Echantillons;
    OrigineSignal Origine;
    double Frequence = 0;
    std::string NomCanal;
};

// The search box of the last solve (the paving view is centred on it).
extern Box BoiteRecherche;

class Atelier {
public:
    const float PasEchantillonnage = 0.1f;
    Reglages ReglagesCourants;
    std::vector<double> Source1, Source2;
    // The mixtures with their derivatives and means, and the estimates, each stored once as
    // the computation returns it.
    Melanges MelangesCourants;
    SourcesEstimees Estimees;
    Matrice2x2 MatriceMelange;
    bool MelangesGeneres = false;
    OrigineSignal OrigineSource1, OrigineSource2;
    RecetteMelanges RecetteMelangesCourante;
    double FrequenceSource1 = 0, FrequenceSource2 = 0, FrequenceMelanges = 0; // Hz, 0 unknown
    std::string NomCanalSource1, NomCanalSource2; // of a source read from a file, or empty
    // The matrix editor's four texts as typed (a session keeps them); empty when the mixtures
    // were read, since the true matrix is unknown then.
    std::array<std::string, 4> TextesMatrice;
    ResultatSivia DernierResultat;
    Annonceur Annonces;

    // The box lists of every solve (the pending boxes of the one running, those rejected,
    // those kept) and the search box of the last one.
    static BoxList& BoitesEnAttente() { return ::BoitesEnAttente; }
    static BoxList& BoitesRejetees() { return ::BoitesRejetees; }
    static BoxList& BoitesSolution() { return ::BoitesSolution; }
    static Box& BoiteRecherche() { return ::BoiteRecherche; }

    // The means as the solver reads them.
    const MomentsMelanges& Moments() const { return MelangesCourants.Moments; }
    // Bytes held: the sample arrays by capacity and the stored boxes.
    std::uint64_t OctetsTenus() const;

    // "Génération des Mélanges" can run: both sources and a matrix with a non-zero entry.
    bool PeutMelanger() const;
    // Mixes the current sources by the matrix over N samples, with the derivatives and the
    // means, and records how; everything is computed before anything is stored, so a stop
    // (false) or a memory error changes nothing. Announces the new mixtures.
    bool Melanger(const RappelAvancement& avancement = {});

    // Draws source k (1 or 2) of `type` over N samples from the shared generator, and
    // records how (the generator's state before the draws). A stop (false) leaves the source,
    // its origin and the generator as they were. Announces the new source.
    bool GenererSource(int k, TypeSource type, const RappelAvancement& avancement = {});
    // Source k as read from a file, with where it came from and its rate; N becomes the
    // length of the shorter source. Announces it.
    void PoserSourceLue(int k, SourceLue lue);
    // Both sources read at once (the example voices). Announces them together.
    void PoserSourcesLues(SourceLue lue1, SourceLue lue2);
    // Mixtures read from files: the sources and the matrix are unknown now, N is their
    // length. Announces the new mixtures, sources and matrix.
    void PoserMelangesLus(Melanges m, RecetteMelanges recette, double frequence);
    // The matrix typed in the editor. Announces it.
    void FixerMatrice(const Matrice2x2& matrice);

    // The estimated sources and their derivatives at the parameter pair (x, y) of the plane;
    // false (nothing changed) without mixtures.
    bool EstimerAuPoint(double x, double y);

    // New settings (already checked where they come from). Announces them.
    void AdopterReglages(const Reglages& reglages);

    // What a solve with the current settings starts from, or why it cannot: the checks in
    // the order the window has always made them (mixtures, settings, delays, memory, the
    // boxes of earlier solves counted).
    PreparationResolution PreparerResolution() const;
    // The outcome of the solve that just ended.
    void RetenirResultat(const ResultatSivia& resultat) { DernierResultat = resultat; }

    // Opens the session at `chemin`: its settings, sources, matrix, mixtures and the shared
    // generator's state. Everything is rebuilt before anything is stored, so an error
    // (ErreurFichier) or a stop (ArretUtilisateur) changes nothing. Returns the session read
    // (its origins, the matrix texts, the notes). Announces everything.
    Session OuvrirSession(const std::filesystem::path& chemin,
                          const RappelAvancement& avancement = {});
    // Saves the workbench as a session, with the texts of the matrix editor.
    void EnregistrerSession(const std::filesystem::path& chemin) const;

    // "Tout Effacer": the sources, the mixtures and their derivatives, where they came from
    // and the matrix are gone, MelangesGeneres is false. The estimates, the editor's texts and
    // the boxes of every solve stay. Announces what changed, as an effacement.
    void ToutEffacer();
    // Frees the boxes of every solve; returns the bytes the lists held. Announces it.
    std::uint64_t EffacerPavage();

private:
    // Stores source k read from a file, N the shorter source's length; announces nothing.
    void Poser(int k, SourceLue lue);
};
