#include "SupportAnalyse.h"
#include "analyse/Qualite.h"
#include "app/TFormAnalyse.h"
#include "app/TMenuFichier.h"
#include "app/TravailLong.h"
#include "app/toolkit/DialogueFichier.h"
#include "display/VueAnalyse.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/LectureSignal.h"
#include "signal/Memoire.h"
#include "support/Gardes.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QWheelEvent>

#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

class Analyse : public FenetreAnalyseTest {
protected:
    nlohmann::json LireJson(const std::string& nom) {
        return nlohmann::json::parse(std::ifstream(Dossier / nom));
    }

    // Cosine and coloured noise mixed by [[1, 0.5], [-0.4, 1]], solved at 0.01.
    void Resoudre() {
        F->Cosinus1->trigger();
        F->BruitColoreGaussien2->trigger();
        F->A.MatriceMelange = {1, 0.5, -0.4, 1};
        F->GenerationdesMelanges1->trigger();
        Cliquer(F->Button1);
    }
    // The estimates of the main window are those of the point (x, y).
    void ExpectEstimationsEn(double x, double y) {
        EXPECT_EQ(PointImageX, x);
        EXPECT_EQ(PointImageY, y);
        const SourcesEstimees e = CalculerSourcesEstimees(
            x, y, F->A.MelangesCourants.Melange1, F->A.MelangesCourants.Melange2,
            F->A.ReglagesCourants.NbEchantillons, 0.1f);
        EXPECT_EQ(F->A.Estimees.SourceEstimee1, e.SourceEstimee1);
        EXPECT_EQ(F->A.Estimees.SourceEstimee2, e.SourceEstimee2);
    }
};

// A real mouse move event, delivered at once (QTest::mouseMove moves the cursor, whose first
// move may arrive late under Xvfb).
void Deplacer(QWidget* w, QPoint pos, Qt::MouseButtons boutons = Qt::NoButton) {
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, boutons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QString Db(const std::optional<double>& v) {
    return QLocale().toString(*v, 'f', 2) + QStringLiteral(" dB");
}

} // namespace

// A large criterion is written without group separators, which a reader could take for a
// decimal mark ("1,018.79").
TEST_F(Analyse, TheReadoutWritesLargeValuesWithoutGroupSeparators) {
    F->Cosinus1->trigger();
    F->BruitColoreGaussien2->trigger();
    F->A.MatriceMelange = {100, 50, -40, 100};
    F->GenerationdesMelanges1->trigger();
    Cliquer(F->Button1);
    TFormAnalyse* a = Ouvrir();
    Deplacer(a->Vue, a->Vue->VersEcran(4, 4).toPoint());
    const QString texte = a->Lecture->text();
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Critère : (\\S+)")).match(texte);
    ASSERT_TRUE(m.hasMatch()) << texte.toStdString();
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool lu = false;
    EXPECT_GT(locale.toDouble(m.captured(1), &lu), 1000) << texte.toStdString();
    EXPECT_TRUE(lu) << texte.toStdString();
}

TEST_F(Analyse, ReadoutAndEstimatesFollowThePointerOverTheView) {
    Resoudre();
    TFormAnalyse* a = Ouvrir();
    const PuissancesSources P =
        CalculerPuissances(F->A.Source1, F->A.Source2, F->A.ReglagesCourants.NbEchantillons);
    const struct {
        double x, y;
        QString paires;
    } cas[] = {{-0.5, 0.4, QStringLiteral("ŝ1 ↔ s1")},
               {2.5, -2, QStringLiteral("ŝ1 ↔ s2")},
               {0, 0, QStringLiteral("ŝ1 ↔ s1")}};
    for (const auto& c : cas) {
        const QPoint pixel = a->Vue->VersEcran(c.x, c.y).toPoint();
        Deplacer(a->Vue, pixel);
        const PointPlan q = a->Vue->VersPlan(pixel);
        const Qualite attendue = CalculerQualite(q.x, q.y, F->A.MatriceMelange, P);
        const QString texte = a->Lecture->text();
        EXPECT_TRUE(texte.contains(QStringLiteral("RSI ŝ1 : ") + Db(attendue.Sir1)))
            << texte.toStdString();
        EXPECT_TRUE(texte.contains(QStringLiteral("RSI ŝ2 : ") + Db(attendue.Sir2)))
            << texte.toStdString();
        EXPECT_TRUE(texte.contains(c.paires)) << texte.toStdString();
        EXPECT_TRUE(texte.contains(QStringLiteral("Indice d'Amari (lignes et colonnes) : ")));
        ExpectEstimationsEn(q.x, q.y);
    }
    // Near a true point the separation is good; at (0, 0) it is the mixture's own.
    EXPECT_FALSE(a->Lecture->text().contains(QStringLiteral("nan")));

    // The wheel zooms about the pointer: the point under it stays.
    const QPointF pointeur(a->Vue->ZoneTrace().center() + QPoint(40, -30));
    const PointPlan avant = a->Vue->VersPlan(pointeur);
    const double echelle = a->Vue->Echelle();
    QWheelEvent molette(pointeur, a->Vue->mapToGlobal(pointeur), QPoint(), QPoint(0, 240),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(a->Vue, &molette);
    EXPECT_NEAR(a->Vue->Echelle(), echelle * 1.5625, 1e-9);
    EXPECT_NEAR(a->Vue->VersPlan(pointeur).x, avant.x, 1e-9);
    EXPECT_NEAR(a->Vue->VersPlan(pointeur).y, avant.y, 1e-9);
    // A drag pans; "Ajuster la vue" brings the scale back.
    const QPoint depart = a->Vue->ZoneTrace().center();
    QTest::mousePress(a->Vue, Qt::LeftButton, {}, depart);
    Deplacer(a->Vue, depart + QPoint(50, 0), Qt::LeftButton);
    QTest::mouseRelease(a->Vue, Qt::LeftButton, {}, depart + QPoint(50, 0));
    EXPECT_NEAR(a->Vue->VersPlan(depart + QPoint(50, 0)).x,
                a->Vue->VersPlan(depart).x + 50 / a->Vue->Echelle(), 1e-9);
    Cliquer(a->BoutonAjuster);
    EXPECT_NEAR(a->Vue->Echelle(), echelle, 1e-9);
}

TEST_F(Analyse, SelectingAClusterRowMovesTheEstimatesToItsExactPoint) {
    Resoudre();
    TFormAnalyse* a = Ouvrir();
    QTableWidget* t = a->TableAmas;
    ASSERT_EQ(t->rowCount(), 2);
    for (int ligne = 0; ligne < 2; ++ligne) {
        const QRect cellule = t->visualItemRect(t->item(ligne, 0));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cellule.center());
        ASSERT_EQ(t->currentRow(), ligne);
        // The estimates went to the cluster's exact point, next to its true point (the
        // permuted one is the more sensitive to the sample correlation of the sources).
        const bool direct = t->item(ligne, 8)->text().startsWith(QStringLiteral("vrai"));
        const double x = direct ? -0.5 : 2.5, y = direct ? 0.4 : -2;
        EXPECT_NEAR(PointImageX, x, 0.15);
        EXPECT_NEAR(PointImageY, y, 0.15);
        ExpectEstimationsEn(PointImageX, PointImageY);
        EXPECT_EQ(t->item(ligne, 7)->text(), QStringLiteral("non"));
    }
    EXPECT_TRUE(a->Message->text().startsWith(QStringLiteral("Séparation identifiable")));
    EXPECT_TRUE(a->Rapport->text().contains(QStringLiteral("Amas : 2")));
}

TEST_F(Analyse, SaysWhatIsMissingInsteadOfShowingStaleFigures) {
    TFormAnalyse* a = Ouvrir();
    EXPECT_TRUE(a->Message->text().startsWith(QStringLiteral("Aucun mélange")));
    Resoudre();
    EXPECT_EQ(a->TableAmas->rowCount(), 2);
    // New mixtures: the paving belongs to the old ones.
    F->A.MatriceMelange = {1, 0.3, 0.2, 1};
    F->GenerationdesMelanges1->trigger();
    EXPECT_TRUE(a->Message->text().startsWith(QStringLiteral("Les mélanges ont changé")));
    EXPECT_EQ(a->TableAmas->rowCount(), 0);
    EXPECT_EQ(a->Rapport->text(), QStringLiteral("—"));
    Deplacer(a->Vue, a->Vue->ZoneTrace().center());
    EXPECT_TRUE(a->Lecture->text().contains(QStringLiteral("RSI ŝ1 : ")));
    F->ToutEffacer1->trigger();
    EXPECT_TRUE(a->Message->text().startsWith(QStringLiteral("Aucun mélange")));
    Deplacer(a->Vue, a->Vue->ZoneTrace().center() + QPoint(5, 5));
    EXPECT_TRUE(a->Lecture->text().contains(QStringLiteral("Critère : — (aucun mélange)")));
    EXPECT_TRUE(a->Lecture->text().contains(QStringLiteral("RSI ŝ1 : —")));
}

TEST_F(Analyse, TheSelectedClusterSavesTheEstimatesAtItsExactPoint) {
    Resoudre();
    TFormAnalyse* a = Ouvrir();
    EXPECT_FALSE(a->BoutonEnregistrer->isEnabled());
    CliquerLigne(a->TableAmas, 1);
    const double x = PointImageX, y = PointImageY;
    // The pointer moves the estimates elsewhere; the button saves those of the cluster.
    Deplacer(a->Vue, a->Vue->VersEcran(0, 0).toPoint());
    ASSERT_NE(PointImageX, x);
    Reponse = "amas.csv";
    Cliquer(a->BoutonEnregistrer);
    ExpectEstimationsEn(x, y);
    const MelangesLus lues = LireMelanges(Dossier / "amas.csv");
    EXPECT_EQ(lues.Melange1, F->A.Estimees.SourceEstimee1);
    EXPECT_EQ(lues.Melange2, F->A.Estimees.SourceEstimee2);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Analyse, MixturesReadFromAFileHaveNoReferenceForAnyQualityFigure) {
    std::vector<double> x1(3000), x2(3000);
    for (std::size_t i = 0; i < x1.size(); ++i) {
        const double s1 = std::cos(0.1 * double(i)), s2 = std::sin(0.37 * double(i) + 1);
        x1[i] = s1 + 0.5 * s2;
        x2[i] = -0.4 * s1 + s2;
    }
    EcrireWav(Dossier / "melanges.wav", {{"x1", &x1}, {"x2", &x2}}, 8000);
    Reponse = "melanges.wav";
    F->MenuFichier->OuvrirMelanges->trigger();
    Cliquer(F->Button1);
    TFormAnalyse* a = Ouvrir();
    QTableWidget* t = a->TableAmas;
    ASSERT_GE(t->rowCount(), 1);
    for (int colonne : {4, 5, 6, 8}) {
        EXPECT_EQ(t->item(0, colonne)->text(), QStringLiteral("référence inconnue"));
    }
    EXPECT_EQ(t->item(0, 7)->text(), QStringLiteral("non")); // other columns as usual
    Deplacer(a->Vue, a->Vue->VersEcran(0.5, -0.5).toPoint());
    const QString texte = a->Lecture->text();
    EXPECT_TRUE(texte.contains(
        QStringLiteral("RSI ŝ1 : référence inconnue    RSI ŝ2 : référence inconnue")))
        << texte.toStdString();
    EXPECT_TRUE(texte.contains(QStringLiteral("(lignes et colonnes) : référence inconnue")));
    EXPECT_FALSE(texte.contains(QStringLiteral("Critère : —")));

    Reponse = "pavage.csv";
    F->MenuFichier->ExporterPavage->trigger();
    const nlohmann::json j = LireJson("pavage.json");
    EXPECT_EQ(j["reference"], "inconnue");
    EXPECT_TRUE(j["points_vrais"]["direct"].is_null());
    ASSERT_EQ(j["amas"].size(), std::size_t(t->rowCount()));
    EXPECT_TRUE(j["amas"][0]["qualite"].is_null());
    EXPECT_TRUE(Messages.empty());
}

// Clustering the 1,048,576 kept boxes of a solve with one constraint is a long job: Escape
// (waiting in the queue, taken by the job's first slice) stops it, and the window says so
// instead of showing stale clusters; opening the window again runs it to the end.
TEST_F(Analyse, EscapeStopsTheAnalysisOfALargeSolveAndTheNextOpeningRunsItAgain) {
    F->A.ReglagesCourants.ContrainteDecorrelationDerivees = false;
    Resoudre();
    ASSERT_EQ(BoitesSolution.Size(), 1u << 20);
    QCoreApplication::postEvent(F, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    TFormAnalyse* a = Ouvrir();
    EXPECT_TRUE(a->Message->text().contains(QStringLiteral("arrêtée par l'utilisateur")))
        << a->Message->text().toStdString();
    EXPECT_EQ(a->TableAmas->rowCount(), 0);
    EXPECT_FALSE(TravailLong::EnCours());
    Ouvrir();
    EXPECT_EQ(a->TableAmas->rowCount(), 1);
    EXPECT_FALSE(a->Message->text().contains(QStringLiteral("arrêtée")));
}

// Without room to group the kept boxes, the paving shows without clusters, and the window
// says why.
TEST_F(Analyse, WithoutRoomToGroupTheKeptBoxesThePavingShowsWithoutClusters) {
    Resoudre();
    const GardeBudgetMemoire budget(MemoireTenue() + 1000);
    TFormAnalyse* a = Ouvrir();
    EXPECT_TRUE(a->Message->text().contains(QStringLiteral("Amas non calculés")))
        << a->Message->text().toStdString();
    EXPECT_EQ(a->TableAmas->rowCount(), 0);
    EXPECT_NE(a->Rapport->text(), QStringLiteral("—"));
}

TEST_F(Analyse, TheSolvesDurationReadsInMicrosecondsBelowAMillisecond) {
    Resoudre();
    TFormAnalyse* a = Ouvrir();
    const struct {
        double secondes;
        QString attendu;
    } cas[] = {
        {0, QStringLiteral("Durée : moins d'1 ms")}, // a solve timed to the millisecond
        {74e-6, QStringLiteral("Durée : 74 µs")},
        {999e-6, QStringLiteral("Durée : 999 µs")},
        {0.0123, QStringLiteral("Durée : ") + QLocale().toString(12.3, 'f', 1) + " ms"},
    };
    for (const auto& c : cas) {
        F->NoterResolution(F->A.DernierResultat, c.secondes);
        EXPECT_TRUE(a->Rapport->text().contains(c.attendu)) << a->Rapport->text().toStdString();
    }
}
