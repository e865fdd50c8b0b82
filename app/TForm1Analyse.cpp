// The main window's side of the analysis window: the "Affichage" menu item that opens it,
// and what it is told after a solve or a change of the workbench.
#include "app/TForm1.h"

#include "app/TFormAnalyse.h"

void TForm1::AnalyseSeparation1Click() {
    if (FormAnalyse == nullptr) {
        const auto lire = [this] {
            EtatAnalyse e;
            e.Source1 = &Source1;
            e.Source2 = &Source2;
            e.Melange1 = &Melange1;
            e.Melange2 = &Melange2;
            e.A = MatriceMelange;
            e.Moments = Moments();
            e.N = NbEchantillons;
            e.MelangesGeneres = MelangesGeneres;
            e.EstimationAuClic = EstimationAuClic;
            e.Contraintes = {ContrainteDecorrelation, ContrainteDecorrelationDerivees,
                             ContrainteMomentOrdre4};
            return e;
        };
        FormAnalyse = new TFormAnalyse(
            lire, [this](double x, double y) { EstimerAuPoint(x, y); }, this);
    } else {
        FormAnalyse->Rafraichir();
    }
    FormAnalyse->show();
    FormAnalyse->raise();
    FormAnalyse->activateWindow();
}

void TForm1::NoterResolution(const ResultatSivia& resultat, double secondes) {
    ResolutionAnalysee r;
    r.Resultat = resultat;
    r.Secondes = secondes;
    r.Precision = PrecisionSivia;
    r.Recherche = {BoiteRecherche[1].Lower(), BoiteRecherche[1].Upper(), BoiteRecherche[2].Lower(),
                   BoiteRecherche[2].Upper()};
    r.Contraintes = {ContrainteDecorrelation, ContrainteDecorrelationDerivees,
                     ContrainteMomentOrdre4};
    r.Moments = Moments();
    RetenirResolution(r);
    RafraichirAnalyse();
}

void TForm1::RafraichirAnalyse() {
    if (FormAnalyse != nullptr) {
        FormAnalyse->Rafraichir();
    }
}
