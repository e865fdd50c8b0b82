// The main window's side of the analysis window: the "Affichage" menu item that opens it,
// and what it is told after a solve or a change of the workbench.
#include "app/TForm1.h"

#include "app/TFormAnalyse.h"
#include "app/TMenuFichier.h"
#include "app/TravailLong.h"

EtatAnalyse LireEtatAnalyse(TForm1& f) {
    const Atelier& a = f.A;
    EtatAnalyse e;
    e.Source1 = &a.Source1;
    e.Source2 = &a.Source2;
    e.Melange1 = &a.MelangesCourants.Melange1;
    e.Melange2 = &a.MelangesCourants.Melange2;
    e.M = &a.MelangesCourants;
    e.A = a.MatriceMelange;
    e.Moments = a.Moments();
    e.N = a.ReglagesCourants.NbEchantillons;
    e.MelangesGeneres = a.MelangesGeneres;
    e.MelangesLus = a.RecetteMelangesCourante.sorte == RecetteMelanges::Sorte::Lues;
    e.EstimationAuClic = a.ReglagesCourants.EstimationAuClic;
    const ContraintesActives c = a.ReglagesCourants.Contraintes();
    e.Contraintes = {c.ContrainteDecorrelation, c.ContrainteDecorrelationDerivees,
                     c.ContrainteMomentOrdre4};
    return e;
}

void TForm1::AnalyseSeparation1Click() {
    if (FormAnalyse == nullptr) {
        FormAnalyse = new TFormAnalyse([this] { return LireEtatAnalyse(*this); },
                                       [this](double x, double y) { EstimerAuPoint(x, y); }, this);
        // The estimates at the cluster's centre, through the "Fichier" menu's writer and dialog.
        FormAnalyse->EnregistrerEstimees = [this](double x, double y) {
            MenuFichier->EnregistrerEstimeesEn(x, y);
        };
    }
    FormAnalyse->show();
    RafraichirAnalyse();
    FormAnalyse->raise();
    FormAnalyse->activateWindow();
}

void TForm1::NoterResolution(const ResultatSivia& resultat, double secondes) {
    ResolutionAnalysee r;
    r.Resultat = resultat;
    r.Secondes = secondes;
    r.R = A.ReglagesCourants;
    r.Precision = r.R.PrecisionSivia;
    const Box& boite = A.BoiteRecherche();
    r.Recherche = {boite[1].Lower(), boite[1].Upper(), boite[2].Lower(), boite[2].Upper()};
    // Every constraint solved, the delayed decorrelation too: the clusters' points follow the
    // criterion that kept their boxes.
    r.Contraintes = r.R.Contraintes();
    r.Moments = A.Moments();
    RetenirResolution(r);
    A.Annonces.Annoncer(ChangementPavage);
}

void TForm1::Ecouter(unsigned changements) {
    if (changements & (ChangementMelanges | ChangementPavage)) {
        RafraichirAnalyse();
    }
}

// Clustering the kept boxes of a large solve takes seconds: a long job, with its progress in
// the status bar and a stop (inside a job already running, as part of it).
void TForm1::RafraichirAnalyse() {
    if (FormAnalyse == nullptr) {
        return;
    }
    const QString quoi = tr("Analyse de la séparation");
    if (TravailLong* travail = TravailLong::Courant()) {
        FormAnalyse->Rafraichir(travail->Rappel(quoi));
        return;
    }
    TravailLong travail(this, StatusBar1, 2, ButtonArreter);
    FormAnalyse->Rafraichir(travail.Rappel(quoi));
}
