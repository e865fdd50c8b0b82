// The "Fichier" menu's readings: sources, mixtures, the example voices, sessions.
#include "app/TChoixCanal.h"
#include "app/TForm1.h"
#include "app/TMenuFichier.h"
#include "app/signal/Alea.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/DialogueFichier.h"
#include "app/toolkit/TImage.h"
#include "display/TOpenGLPanel.h"
#include "fichiers/ErreurFichier.h"
#include "fichiers/LectureSignal.h"
#include "fichiers/Reproduction.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString FiltreSignaux =
    QStringLiteral("Signaux (*.wav *.flac *.ogg *.csv *.txt *.dat);;Tous les fichiers (*)");

std::filesystem::path Chemin(const QString& chemin) {
    return std::filesystem::path(QFile::encodeName(chemin).toStdString());
}

QString Nom(const std::filesystem::path& chemin) {
    return QFileInfo(QFile::decodeName(chemin.string().c_str())).fileName();
}

// The channel to read: the only one, or the one the user picks (-1: cancelled).
int ChoisirCanal(QWidget* parent, const std::filesystem::path& chemin, const QString& question) {
    const ContenuFichier contenu = DecrireFichier(chemin);
    if (contenu.NbCanaux <= 1) {
        return 0;
    }
    const auto choix = TChoixCanal::Demander(parent, Nom(chemin), contenu, {question});
    return choix.empty() ? -1 : choix.front();
}

void StockerMelanges(TForm1* F, Melanges&& m) {
    F->Melange1 = std::move(m.Melange1);
    F->Melange2 = std::move(m.Melange2);
    F->DeriveeMelange1 = std::move(m.DeriveeMelange1);
    F->DeriveeMelange2 = std::move(m.DeriveeMelange2);
    const MomentsMelanges& M = m.Moments;
    F->Ex1x1 = M.Ex1x1;
    F->Ex1x2 = M.Ex1x2;
    F->Ex2x2 = M.Ex2x2;
    F->Edx1dx1 = M.Edx1dx1;
    F->Edx1dx2 = M.Edx1dx2;
    F->Edx2dx2 = M.Edx2dx2;
    for (int a = 0; a < 2; ++a) {
        for (int k = 0; k < 4; ++k) {
            F->Moments4[a][k] = M.Moments4[a][k];
        }
    }
}

QString DossierExemples() {
    const QString programme = QCoreApplication::applicationDirPath();
    for (const QString& d :
         {programme + QStringLiteral("/data"), programme + QStringLiteral("/../data"),
          programme + QStringLiteral("/../../data"), QStringLiteral(OVREL_DONNEES)}) {
        if (QFileInfo::exists(d + QStringLiteral("/voix1.wav"))) {
            return QDir(d).absolutePath();
        }
    }
    return QStringLiteral(OVREL_DONNEES);
}

} // namespace

void TMenuFichier::OuvrirSourceClick(int k) {
    const QStringList chemins =
        DemanderFichiersAOuvrir(F, QStringLiteral("Ouvrir la source %1").arg(k), FiltreSignaux);
    if (!chemins.isEmpty()) {
        ChargerSource(k, chemins.front());
    }
}

void TMenuFichier::ChargerSource(int k, const QString& texte) {
    const std::filesystem::path chemin = Chemin(texte);
    const int canal = ChoisirCanal(F, chemin, QStringLiteral("Source %1 :").arg(k));
    if (canal < 0) {
        return;
    }
    SignalLu lu = LireSignal(chemin, canal);
    const OrigineSignal& autre = k == 1 ? F->OrigineSource2 : F->OrigineSource1;
    if (autre.sorte == OrigineSignal::Sorte::Fichier) {
        FrequenceCommune(k == 1 ? F->FrequenceSource2 : F->FrequenceSource1, autre.Chemin,
                         lu.Frequence, chemin.string());
    }
    const std::filesystem::path absolu = std::filesystem::absolute(chemin);
    (k == 1 ? F->Source1 : F->Source2) = std::move(lu.Echantillons);
    (k == 1 ? F->OrigineSource1 : F->OrigineSource2) = {
        OrigineSignal::Sorte::Fichier, {}, 0, 0, absolu.string(), canal};
    (k == 1 ? F->FrequenceSource1 : F->FrequenceSource2) = lu.Frequence;
    const ContenuFichier contenu = DecrireFichier(chemin);
    CocherFichier(
        k, texte,
        contenu.NbCanaux > 1
            ? QStringLiteral("%1 (%2)").arg(
                  Nom(chemin), QString::fromStdString(contenu.NomsCanaux[std::size_t(canal)]))
            : Nom(chemin));
    MajNbEchantillons(QString());
    (k == 1 ? F->OpenGLPanel1 : F->OpenGLPanel2)->Repaint();
    AfficherFrequences();
}

void TMenuFichier::OuvrirMelangesClick() {
    const QStringList chemins = DemanderFichiersAOuvrir(
        F, QStringLiteral("Ouvrir des mélanges (un fichier à deux canaux ou deux fichiers)"),
        FiltreSignaux, true);
    if (!chemins.isEmpty()) {
        ChargerMelanges(chemins);
    }
}

void TMenuFichier::ChargerMelanges(const QStringList& chemins) {
    if (chemins.size() > 2) {
        MessageBox(QStringLiteral("Choisissez un fichier à deux canaux ou deux fichiers."),
                   QStringLiteral("Erreur!"));
        return;
    }
    const std::filesystem::path p1 = Chemin(chemins[0]);
    const std::filesystem::path p2 = Chemin(chemins.value(chemins.size() - 1));
    int c1 = 0, c2 = 1;
    MelangesLus lus;
    if (chemins.size() == 1) {
        const ContenuFichier contenu = DecrireFichier(p1);
        if (contenu.NbCanaux > 2) {
            const auto choix = TChoixCanal::Demander(
                F, Nom(p1), contenu,
                {QStringLiteral("Mélange x1 :"), QStringLiteral("Mélange x2 :")});
            if (choix.empty()) {
                return;
            }
            c1 = choix[0];
            c2 = choix[1];
        }
        lus = LireMelanges(p1, c1, c2);
    } else {
        c1 = ChoisirCanal(F, p1, QStringLiteral("Mélange x1 :"));
        c2 = c1 < 0 ? -1 : ChoisirCanal(F, p2, QStringLiteral("Mélange x2 :"));
        if (c2 < 0) {
            return;
        }
        lus = LireMelanges(p1, c1, p2, c2);
    }
    // Everything is computed before anything is stored: an error changes nothing.
    const double frequence = lus.Frequence;
    Melanges m =
        MelangesObserves(std::move(lus.Melange1), std::move(lus.Melange2), F->PasEchantillonnage);
    const std::int32_t n = std::int32_t(std::min<std::size_t>(m.Melange1.size(), INT32_MAX));
    StockerMelanges(F, std::move(m));
    // The sources and the matrix are unknown now.
    F->Source1.clear();
    F->Source2.clear();
    F->OrigineSource1 = F->OrigineSource2 = {};
    F->FrequenceSource1 = F->FrequenceSource2 = 0;
    for (QActionGroup* groupe : {F->GroupeSource1_, F->GroupeSource2_}) {
        for (QAction* item : groupe->actions()) {
            item->setChecked(false);
        }
    }
    F->MatriceMelange = {};
    F->RecetteMelangesCourante = {
        RecetteMelanges::Sorte::Lues,
        {OrigineSignal::Sorte::Fichier, {}, 0, 0, std::filesystem::absolute(p1).string(), c1},
        {OrigineSignal::Sorte::Fichier, {}, 0, 0, std::filesystem::absolute(p2).string(), c2},
        {},
        0};
    F->FrequenceMelanges = frequence;
    F->NbEchantillons = n;
    F->MelangesAffClick();
    F->MelangesGeneres = true;
    AfficherFrequences();
    if (!lus.Remarques.empty()) {
        MessageBox(QString::fromStdString(lus.Remarques.front()), QStringLiteral("Information"));
    }
}

void TMenuFichier::DeuxVoixClick() {
    const QString dossier = DossierExemples();
    // Both are read before either is stored.
    const std::filesystem::path p1 = Chemin(dossier + QStringLiteral("/voix1.wav"));
    const std::filesystem::path p2 = Chemin(dossier + QStringLiteral("/voix2.wav"));
    SignalLu v1 = LireSignal(p1, 0);
    SignalLu v2 = LireSignal(p2, 0);
    F->Source1 = std::move(v1.Echantillons);
    F->Source2 = std::move(v2.Echantillons);
    F->OrigineSource1 = {OrigineSignal::Sorte::Fichier, {}, 0, 0, p1.string(), 0};
    F->OrigineSource2 = {OrigineSignal::Sorte::Fichier, {}, 0, 0, p2.string(), 0};
    F->FrequenceSource1 = v1.Frequence;
    F->FrequenceSource2 = v2.Frequence;
    CocherFichier(1, QFile::decodeName(p1.c_str()), Nom(p1));
    CocherFichier(2, QFile::decodeName(p2.c_str()), Nom(p2));
    MajNbEchantillons(QString());
    if (!F->SourcesAff->isChecked()) {
        F->SourcesAffClick();
    }
    F->OpenGLPanel1->Repaint();
    F->OpenGLPanel2->Repaint();
    AfficherFrequences();
}

void TMenuFichier::OuvrirSessionClick() {
    const QStringList chemins =
        DemanderFichiersAOuvrir(F, QStringLiteral("Ouvrir une session"),
                                QStringLiteral("Sessions (*.json);;Tous les fichiers (*)"));
    if (!chemins.isEmpty()) {
        ChargerSession(chemins.front());
    }
}

void TMenuFichier::ChargerSession(const QString& texte) {
    const Session s = ::OuvrirSession(Chemin(texte));
    // Everything is rebuilt before anything is stored.
    SignalReproduit r1 = ReproduireSignal(s.Source1, F->PasEchantillonnage);
    SignalReproduit r2 = ReproduireSignal(s.Source2, F->PasEchantillonnage);
    auto melanges = ReproduireMelanges(s.Melanges, F->PasEchantillonnage);

    QAction* const sortes[2][8] = {
        {F->BruitBlancGaussien1, F->BruitBlancUniforme1, F->Cosinus1, F->Sinus1,
         F->BruitColoreGaussien1, SignalCarre1, DentDeScie1, BruitDeLaplace1},
        {F->BruitBlancGaussien2, F->BruitBlancUniforme2, F->Cosinus2, F->Sinus2,
         F->BruitColoreGaussien2, SignalCarre2, DentDeScie2, BruitDeLaplace2}};
    const OrigineSignal* origines[2] = {&s.Source1, &s.Source2};
    QActionGroup* groupes[2] = {F->GroupeSource1_, F->GroupeSource2_};
    for (int k = 0; k < 2; ++k) {
        for (QAction* item : groupes[k]->actions()) {
            item->setChecked(false);
        }
        const OrigineSignal& o = *origines[k];
        if (o.sorte == OrigineSignal::Sorte::Generee) {
            sortes[k][int(o.Type)]->setChecked(true);
        } else if (o.sorte == OrigineSignal::Sorte::Fichier) {
            CocherFichier(k + 1, QFile::decodeName(o.Chemin.c_str()), Nom(o.Chemin));
        }
    }
    F->Source1 = std::move(r1.Echantillons);
    F->Source2 = std::move(r2.Echantillons);
    F->OrigineSource1 = s.Source1;
    F->OrigineSource2 = s.Source2;
    F->FrequenceSource1 = r1.Frequence;
    F->FrequenceSource2 = r2.Frequence;

    F->MatriceMelange = s.MatriceMelange;
    QLineEdit* edits[4] = {F->Edit1, F->Edit2, F->Edit3, F->Edit4};
    for (int k = 0; k < 4; ++k) {
        edits[k]->setText(QString::fromStdString(s.TextesMatrice[std::size_t(k)]));
    }

    const OptionsSession& o = s.Options;
    F->NbEchantillons = o.NbEchantillons;
    F->BorneInfX = o.BorneInfX;
    F->BorneSupX = o.BorneSupX;
    F->BorneInfY = o.BorneInfY;
    F->BorneSupY = o.BorneSupY;
    F->PrecisionSivia = o.PrecisionSivia;
    F->Stockage = o.Stockage == 0 ? StockagePile : StockageFile;
    F->ContrainteDecorrelation = o.ContrainteDecorrelation;
    F->ContrainteDecorrelationDerivees = o.ContrainteDecorrelationDerivees;
    F->ContrainteMomentOrdre4 = o.ContrainteMomentOrdre4;
    F->MontrerSolution = o.MontrerSolution;
    F->EstimationAuClic = o.EstimationAuClic;
    F->Label9->setVisible(o.EstimationAuClic);
    F->Label10->setVisible(o.EstimationAuClic);
    F->Image1->setCursor(o.EstimationAuClic ? Qt::CrossCursor : Qt::ArrowCursor);
    Alea().FixerEtat(s.EtatAlea);

    if (melanges) {
        StockerMelanges(F, std::move(melanges->M));
        F->RecetteMelangesCourante = s.Melanges;
        F->FrequenceMelanges = melanges->Frequence;
        F->MelangesAffClick();
        F->MelangesGeneres = true;
    } else {
        for (auto* v : {&F->Melange1, &F->Melange2, &F->DeriveeMelange1, &F->DeriveeMelange2}) {
            v->clear();
        }
        F->RecetteMelangesCourante = {};
        F->FrequenceMelanges = 0;
        F->MelangesGeneres = false;
        F->SourcesAffClick();
    }
    F->OpenGLPanel1->Repaint();
    F->OpenGLPanel2->Repaint();
    AfficherFrequences();
    if (!s.Remarques.empty()) {
        QStringList notes;
        for (const auto& r : s.Remarques) {
            notes << QString::fromStdString(r);
        }
        MessageBox(QStringLiteral("La session a été ouverte.\n") + notes.join(QChar('\n')),
                   QStringLiteral("Information"));
    }
}
