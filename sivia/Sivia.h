// The SIVIA loop: paves a two-dimensional search box into boxes rejected by the criterion
// (drawn blue) and boxes kept below the precision (drawn yellow), bisecting the others.
// The solver's module-level lists and drawing frame live here; a solve works on whatever
// lists and frame it is given. ResolutionSivia runs a solve in slices, so that a window can
// answer, show the progress and stop it between two slices; ExecuterSivia runs it whole.
#pragma once

#include "interval/Box.h"
#include "interval/Repere.h"
#include "sivia/BoxList.h"
#include "sivia/Contraintes.h"
#include "sivia/Cumulants.h"
#include "sivia/Neguentropie.h"
#include "sivia/Retards.h"

#include <cstdint>
#include <optional>

extern BoxList BoitesEnAttente;
extern BoxList BoitesRejetees;
extern BoxList BoitesSolution;
extern Repere RepereImage;

// Which pending box is taken next; the values are the item indexes of the Options dialog's
// "Stockage".
enum class OrdreStockage : std::int32_t {
    Pile = 0, // "stack (pile)": the last one (depth first)
    File = 1, // "queue (file)": the first one (breadth first)
};
inline constexpr OrdreStockage StockagePile = OrdreStockage::Pile;
inline constexpr OrdreStockage StockageFile = OrdreStockage::File;

enum class StatutSivia {
    Termine,              // the pending list ran empty
    ArreteALaLimite,      // the run would have held more boxes than allowed
    PrecisionRefusee,     // PrecisionSivia is not a positive number: nothing was done
    ArreteParUtilisateur, // stopped between two slices by the user
};

struct ResultatSivia {
    std::uint64_t NbPrises = 0; // boxes taken from the pending list
    std::uint64_t NbRejetees = 0;
    std::uint64_t NbGardees = 0;
    double MeilleurCritere = 999.0; // smallest criterion Lower met at a box centre
    StatutSivia Statut = StatutSivia::Termine;
};

// Hears each box a solve classifies, in the order it classifies them; bisected boxes are not
// heard. The solve asks Ecoute() once before each slice and, when it answers false, makes no
// call for that slice's boxes (a solve with nothing to show pays nothing per box).
class EcouteurSivia {
public:
    virtual ~EcouteurSivia() = default;
    virtual bool Ecoute() { return true; }
    virtual void Rejetee(const Box& B) = 0;
    virtual void Gardee(const Box& B) = 0;
};

// Draws each classified box through a frame as the window shows a solve: rejected boxes
// filled blue, kept boxes yellow (solid brush, pen of the same colour). It hears nothing
// while the frame cannot draw (no image, an unusable scale); the scale is taken once a slice.
class DessinSivia final : public EcouteurSivia {
public:
    explicit DessinSivia(const Repere& repere) : Repere_(repere) {}
    bool Ecoute() override {
        Echelle_ = Repere_.EchelleCourante();
        return Echelle_.has_value();
    }
    void Rejetee(const Box& B) override {
        Repere_.DessinePave(B, *Echelle_, CouleurBleue, CouleurBleue, BrossePleine);
    }
    void Gardee(const Box& B) override {
        Repere_.DessinePave(B, *Echelle_, CouleurJaune, CouleurJaune, BrossePleine);
    }

private:
    const Repere& Repere_;
    std::optional<Repere::Echelle> Echelle_;
};

// Upper bound of the memory a stored two-component box costs in a BoxList.
inline constexpr std::uint64_t OctetsParBoiteStockee = 64;

// One solve from `boiteInitiale`. `limiteBoites` bounds the boxes the run holds at once: its
// pending boxes plus the boxes it adds to `rejetees` and `solution` (the caller derives it
// from the memory it can spend, e.g. bytes / OctetsParBoiteStockee). At the limit, or when
// stopped, the run ends: what was classified stays drawn and stored, the pending list is
// emptied. The pending list is emptied at the start and is empty again at the end. The loop
// draws nothing: each classified box goes to `ecouteur` (none: nobody listens); the form
// with a frame listens with a DessinSivia on it. The lists, the listener and the frame must
// outlive the object; the moments and flags are copied. `retardes` serves the delayed
// decorrelation only (ContrainteDecorrelationRetardee); where its path cannot serve (a box
// that is not a finite, ordered pair of intervals, or moments that are not finite) nothing
// is rejected.
class ResolutionSivia {
public:
    ResolutionSivia(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                    BoxList& solution, EcouteurSivia* ecouteur, const MomentsMelanges& moments,
                    const ContraintesActives& contraintes, double PrecisionSivia,
                    OrdreStockage Stockage, std::uint64_t limiteBoites,
                    const MomentsRetardes& retardes = {});
    ResolutionSivia(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                    BoxList& solution, const Repere& repere, const MomentsMelanges& moments,
                    const ContraintesActives& contraintes, double PrecisionSivia,
                    OrdreStockage Stockage, std::uint64_t limiteBoites,
                    const MomentsRetardes& retardes = {});
    ResolutionSivia(const ResolutionSivia&) = delete;
    ResolutionSivia& operator=(const ResolutionSivia&) = delete;

    // Takes up to `nbBoites` more boxes from the pending list; false once the run is over.
    bool Avancer(std::uint64_t nbBoites);
    // Ends the run now, as the memory limit would (status ArreteParUtilisateur).
    void Arreter();

    bool EnCours() const { return EnCours_; }
    // Counts so far; MeilleurCritere and Statut are final once the run is over.
    const ResultatSivia& Resultat() const { return Resultat_; }
    // Share of the search box's area already rejected or kept, in [0, 1].
    double FractionClassee() const { return AireClassee_; }

private:
    void Terminer(StatutSivia statut);
    // The loop, for one way of evaluating the criterion and one storage order (Sivia.cpp).
    template <class Critere>
    bool ParcourirSelonStockage(std::uint64_t nbBoites, const Critere& critere);
    template <bool Pile, class Critere>
    bool Parcourir(std::uint64_t nbBoites, const Critere& critere);

    BoxList& EnAttente_;
    BoxList& Rejetees_;
    BoxList& Solution_;
    std::optional<DessinSivia> Dessin_; // the listener of the form with a frame
    EcouteurSivia* Ecouteur_;
    MomentsMelanges Moments_;
    ContraintesActives Contraintes_;
    std::optional<critere_rapide::DecorrelationRetardee> Retardee_;
    std::optional<critere_rapide::Cumulants> Cumulants_;
    std::optional<critere_rapide::Neguentropie> Neguentropie_;
    double Precision_;
    bool Pile_;
    PaireCritere Paire_;
    bool DeuxComposantes_ = false; // the boxes are plain two-component boxes: the fast path
    bool Intervalles_ = false;     // and both components are genuine intervals
    bool Ordonnee_ = false;        // ordered, bounded box and moments (CritereRapide.h)
    std::uint64_t Limite_ = 0;
    double InverseLargeurX_ = 1.0, InverseLargeurY_ = 1.0;
    double AireClassee_ = 0.0;
    double MeilleurCritere_ = 999.0;
    bool EnCours_ = false;
    ResultatSivia Resultat_;
};

// Runs one whole solve (see ResolutionSivia).
ResultatSivia ExecuterSivia(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                            BoxList& solution, EcouteurSivia* ecouteur,
                            const MomentsMelanges& moments, const ContraintesActives& contraintes,
                            double PrecisionSivia, OrdreStockage Stockage,
                            std::uint64_t limiteBoites, const MomentsRetardes& retardes = {});
ResultatSivia ExecuterSivia(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                            BoxList& solution, const Repere& repere, const MomentsMelanges& moments,
                            const ContraintesActives& contraintes, double PrecisionSivia,
                            OrdreStockage Stockage, std::uint64_t limiteBoites,
                            const MomentsRetardes& retardes = {});

// What a solve that rejects nothing (fewer than two constraints) will do, known in advance
// from the box and the precision: every box of one depth has the same widths, so one chain of
// cuts tells the whole tree. Counts are doubles: they can exceed any integer type.
struct PrevisionSivia {
    double NbPrises = 0;
    double NbGardees = 0;
    double MaxEnAttente = 0; // the most pending boxes held at once, for the storage order
};
PrevisionSivia PrevoirSansRejet(const Box& boiteInitiale, double PrecisionSivia,
                                OrdreStockage Stockage);
