// The analysis window's separation tools under real events: the delays of the Options
// dialog, the classic methods beside the clusters, the suggested constraint set, the search
// box that holds both solutions, the exact point of a selected cluster, and a session asking
// for the delayed decorrelation solved in the window as on the command line.
#include "SupportAnalyse.h"
#include "analyse/Qualite.h"
#include "analyse/RacinesOrdre2.h"
#include "app/TForm2.h"
#include "app/TFormAnalyse.h"
#include "app/TMenuFichier.h"
#include "app/toolkit/DialogueFichier.h"
#include "commande/LigneDeCommande.h"
#include "display/VueAnalyse.h"
#include "fichiers/EcritureSignal.h"
#include "sivia/Retards.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>

namespace {

class AnalyseFenetreSeparation : public FenetreAnalyseTest {
protected:
    // Two sources mixed by [[1, b], [c, 1]], generated from the menus.
    void Melanger(QAction* source1, QAction* source2, double b, double c) {
        source1->trigger();
        source2->trigger();
        F->A.MatriceMelange = {1, b, c, 1};
        F->GenerationdesMelanges1->trigger();
        ASSERT_TRUE(F->A.MelangesGeneres);
    }
    // Replaces a line edit's text with typed keys.
    static void Taper(QLineEdit* edit, const QString& texte) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, texte);
    }
};

QString Db(double v) {
    return QLocale().toString(v, 'f', 2) + QStringLiteral(" dB");
}

} // namespace

TEST_F(AnalyseFenetreSeparation, OptionsKeepTheDelaysAndRefuseBadOnesNamingThem) {
    const struct {
        bool coche;
        const char* texte;
        const char* refus; // empty: accepted
    } cas[] = {
        {true, "1,2,4,8", ""},         {true, "1,0,3,3", "0 ("}, // and the repeated 3
        {true, "2, 3000", "3000"},                               // above N/2 for N = 5000
        {false, "1;2.5", "2.5"}, // not an integer, whether the constraint is on or not
        {false, "4000", ""},     // the bound N/2 waits for the constraint to be on
        {true, "   ", "Aucun retard"},
    };
    for (const auto& c : cas) {
        const std::string ici = c.texte;
        Messages.clear();
        const Reglages avant = F->A.ReglagesCourants;
        F->Nombredchantillons1->trigger();
        TForm2* d = Form2;
        ASSERT_TRUE(d->isVisible());
        // Filled from the settings.
        EXPECT_EQ(d->CheckBoxRetards->isChecked(), avant.ContrainteDecorrelationRetardee) << ici;
        EXPECT_EQ(d->EditRetards->text().toStdString(), avant.Retards) << ici;
        if (d->CheckBoxRetards->isChecked() != c.coche) {
            Cliquer(d->CheckBoxRetards);
        }
        Taper(d->EditRetards, QString::fromUtf8(c.texte));
        Cliquer(d->Button1);
        const Reglages& apres = F->A.ReglagesCourants;
        if (*c.refus == '\0') {
            EXPECT_TRUE(Messages.empty()) << ici;
            EXPECT_FALSE(d->isVisible()) << ici;
            EXPECT_EQ(apres.ContrainteDecorrelationRetardee, c.coche) << ici;
            EXPECT_EQ(apres.Retards, c.texte) << ici;
        } else {
            ASSERT_EQ(Messages.size(), 1u) << ici;
            EXPECT_TRUE(Messages[0].texte.contains(QString::fromUtf8(c.refus)))
                << ici << ": " << Messages[0].texte.toStdString();
            EXPECT_TRUE(d->isVisible()) << ici;
            EXPECT_EQ(apres.Retards, avant.Retards) << ici;
            EXPECT_EQ(apres.ContrainteDecorrelationRetardee, avant.ContrainteDecorrelationRetardee)
                << ici;
            d->close();
        }
    }
}

TEST_F(AnalyseFenetreSeparation, TheClassicMethodsShowAsMarkersAndRowsWithTheirQuality) {
    const struct {
        QAction *s1, *s2;
        double b, c;
    } cas[] = {{F->Cosinus1, F->BruitColoreGaussien2, 0.5, -0.4},
               {F->BruitBlancUniforme1, F->BruitColoreGaussien2, 0.3, 0.6}};
    const char* noms[] = {"AMUSE", "SOBI", "FastICA tanh", "FastICA u³", "FastICA gauss", "JADE"};
    for (const auto& k : cas) {
        Melanger(k.s1, k.s2, k.b, k.c);
        Cliquer(F->Button1);
        TFormAnalyse* a = Ouvrir();
        const std::vector<TFormAnalyse::MethodeAffichee>& methodes = a->Methodes();
        QTableWidget* t = a->TableMethodes;
        ASSERT_EQ(t->rowCount(), 6);
        ASSERT_EQ(methodes.size(), 6u);
        const PuissancesSources P = CalculerPuissances(F->A.Source1, F->A.Source2,
                                                       int(F->A.MelangesCourants.Melange1.size()));
        std::size_t points = 0;
        for (int ligne = 0; ligne < 6; ++ligne) {
            const ReponseClassique& r = methodes[std::size_t(ligne)].Reponse;
            EXPECT_EQ(t->item(ligne, 0)->text(), QString::fromUtf8(noms[ligne]));
            ASSERT_TRUE(r.Point) << noms[ligne];
            points += 1 + bool(r.Permutation);
            const Qualite q = CalculerQualite(r.Point->x, r.Point->y, F->A.MatriceMelange, P);
            EXPECT_EQ(t->item(ligne, 3)->text(), Db(*q.Sir1)) << noms[ligne];
            EXPECT_EQ(t->item(ligne, 4)->text(), Db(*q.Sir2)) << noms[ligne];
            EXPECT_TRUE(t->item(ligne, 6)->text().startsWith(r.Converge ? "oui" : "non"));
        }
        // AMUSE is the exact lag-1 root; SOBI separates these sources of different spectra.
        const RacinesOrdre2 racines = CalculerRacinesOrdre2(F->A.Moments());
        ASSERT_TRUE(racines.Racine1);
        const PointPlan amuse = *methodes[0].Reponse.Point;
        EXPECT_NEAR(
            std::min(std::hypot(amuse.x - racines.Racine1->x, amuse.y - racines.Racine1->y),
                     std::hypot(amuse.x - racines.Racine2->x, amuse.y - racines.Racine2->y)),
            0, 1e-9);
        const Qualite sobi = CalculerQualite(methodes[1].Reponse.Point->x,
                                             methodes[1].Reponse.Point->y, F->A.MatriceMelange, P);
        EXPECT_GT(std::min(*sobi.Sir1, *sobi.Sir2), 30);
        // One labelled marker per point, beside the cluster table at the default size.
        std::size_t etiquetes = 0;
        for (const auto& e : a->Vue->EtiquettesMethodes()) {
            etiquetes += e.Marqueurs.size();
        }
        EXPECT_EQ(etiquetes, points);
        QTableWidget* amas = a->TableAmas;
        ASSERT_GE(amas->rowCount(), 1);
        EXPECT_LE(amas->columnViewportPosition(6) + amas->columnWidth(6),
                  amas->viewport()->width());
        EXPECT_EQ(amas->horizontalHeader()->sectionResizeMode(6), QHeaderView::Interactive);
    }
}

TEST_F(AnalyseFenetreSeparation, TheSuggestionButtonSolvesWithTheSuggestedConstraints) {
    const struct {
        QAction *s1, *s2;
        JeuContraintes jeu;
        ContraintesActives attendues;
    } cas[] = {
        // White noises, so that no second-order set has evidence: a uniform and a Gaussian one,
        // whose halves agree best on the negentropy (37 dB); a Laplace and a uniform one,
        // whose halves agree best on the cumulants.
        {F->BruitBlancUniforme1,
         F->BruitBlancGaussien2,
         JeuContraintes::Neguentropie,
         {true, false, false, false, false, false, true}},
        {F->BruitDeLaplace1,
         F->BruitBlancUniforme2,
         JeuContraintes::Cumulants,
         {true, false, false, false, true}},
    };
    for (const auto& c : cas) {
        F->A.ReglagesCourants = Reglages{};
        Melanger(c.s1, c.s2, 0.5, -0.4);
        Cliquer(F->Button1);
        TFormAnalyse* a = Ouvrir();
        const Suggestion s = a->SuggestionCourante();
        ASSERT_EQ(s.Jeu, c.jeu) << a->TexteSuggestion->text().toStdString();
        EXPECT_EQ(a->TexteSuggestion->text().toStdString(), s.Message);
        ASSERT_TRUE(a->BoutonSuggestion->isEnabled());
        F->A.DernierResultat = ResultatSivia{};
        Cliquer(a->BoutonSuggestion);
        const ContraintesActives k = F->A.ReglagesCourants.Contraintes();
        EXPECT_EQ(k.ContrainteDecorrelation, c.attendues.ContrainteDecorrelation);
        EXPECT_EQ(k.ContrainteDecorrelationDerivees, c.attendues.ContrainteDecorrelationDerivees);
        EXPECT_EQ(k.ContrainteMomentOrdre4, c.attendues.ContrainteMomentOrdre4);
        EXPECT_EQ(k.ContrainteDecorrelationRetardee, c.attendues.ContrainteDecorrelationRetardee);
        EXPECT_EQ(k.ContrainteCumulants, c.attendues.ContrainteCumulants);
        EXPECT_EQ(k.ContrainteKurtosis, c.attendues.ContrainteKurtosis);
        EXPECT_EQ(k.ContrainteNeguentropie, c.attendues.ContrainteNeguentropie);
        EXPECT_EQ(k.ContrainteSommeKurtosis, c.attendues.ContrainteSommeKurtosis);
        if (c.jeu == JeuContraintes::Retards) {
            EXPECT_EQ(F->A.ReglagesCourants.Retards, "1,2,3,4,5,6,7,8");
        }
        // It solved, and the window shows that solve.
        EXPECT_GT(F->A.DernierResultat.NbPrises, 0u);
        EXPECT_TRUE(Messages.empty());
        EXPECT_TRUE(a->Rapport->text().contains(
            QStringLiteral("Boîtes prises : %1,").arg(F->A.DernierResultat.NbPrises)));
    }
}

// Two white Gaussian noises: the suggestion says why nothing can separate them, with its
// figures written with the window's own decimal mark (its locale's), not the language's.
TEST_F(AnalyseFenetreSeparation, TheSuggestionsFiguresUseTheWindowsDecimalMark) {
    Melanger(F->BruitBlancGaussien1, F->BruitBlancGaussien2, 0.5, -0.4);
    Cliquer(F->Button1);
    const QString texte = Ouvrir()->TexteSuggestion->text();
    const QString marque = QLocale().decimalPoint();
    const QString autre = marque == QStringLiteral(",") ? QStringLiteral(".") : QStringLiteral(",");
    const auto chiffre = [&texte](const QString& m) {
        return texte.contains(QRegularExpression("\\d" + QRegularExpression::escape(m) + "\\d"));
    };
    EXPECT_TRUE(chiffre(marque)) << texte.toStdString();
    EXPECT_FALSE(chiffre(autre)) << texte.toStdString();
}

// Mixtures opened from a file whose Gaussian sources have the same lag-1 correlation (none)
// and differ at lag 2: only the delays can separate them. The button solves with the delays,
// and the clusters then stand at the delayed criterion's minimisers along the lag-0 curve.
TEST_F(AnalyseFenetreSeparation, TheSuggestionButtonSolvesWithTheSuggestedDelays) {
    const int n = 5000;
    std::mt19937_64 g(5);
    std::normal_distribution<double> normale;
    std::vector<double> e(n + 2), x1(n), x2(n);
    for (double& v : e) {
        v = normale(g);
    }
    for (int i = 0; i < n; ++i) {
        const double s1 = e[std::size_t(i) + 2] + e[std::size_t(i)], s2 = normale(g);
        x1[std::size_t(i)] = s1 + 0.5 * s2;
        x2[std::size_t(i)] = -0.4 * s1 + s2;
    }
    EcrireWav(Dossier / "melanges.wav", {{"x1", &x1}, {"x2", &x2}}, 8000);
    Reponse = "melanges.wav";
    F->MenuFichier->OuvrirMelanges->trigger();
    Cliquer(F->Button1);
    TFormAnalyse* a = Ouvrir();
    const Suggestion s = a->SuggestionCourante();
    ASSERT_EQ(s.Jeu, JeuContraintes::Retards) << s.Message;
    EXPECT_EQ(a->TexteSuggestion->text().toStdString(), s.Message);
    ASSERT_TRUE(a->BoutonSuggestion->isEnabled());
    F->A.DernierResultat = ResultatSivia{};
    Cliquer(a->BoutonSuggestion);
    const Reglages& r = F->A.ReglagesCourants;
    EXPECT_TRUE(r.ContrainteDecorrelationRetardee);
    EXPECT_FALSE(r.ContrainteCumulants);
    EXPECT_EQ(r.Retards, Reglages{}.Retards); // the delays the suggestion read
    EXPECT_GT(F->A.DernierResultat.NbPrises, 0u);
    EXPECT_TRUE(a->Rapport->text().contains(
        QStringLiteral("Boîtes prises : %1,").arg(F->A.DernierResultat.NbPrises)));
    // Each cluster's point, where selecting its row puts the estimates, is a minimiser of the
    // delayed criterion along the lag-0 curve (the default pair's roots are elsewhere).
    const MomentsMelanges m = F->A.Moments();
    const MomentsRetardes retardes =
        CalculerMomentsRetardes(F->A.MelangesCourants.Melange1, F->A.MelangesCourants.Melange2,
                                LireRetards(r.Retards, n).Retards);
    const auto critere = [&](double x, double y) {
        return CritereRetardeAuPoint(x, y, m, retardes);
    };
    const PointCourbeOrdre0 minimum = MinimiserSurCourbeOrdre0(m, -5, 5, -5, 5, 6000, critere);
    QTableWidget* t = a->TableAmas;
    ASSERT_GE(t->rowCount(), 1);
    int auMinimum = 0;
    for (int ligne = 0; ligne < t->rowCount(); ++ligne) {
        CliquerLigne(t, ligne);
        const double j = critere(PointImageX, PointImageY);
        EXPECT_NEAR(std::fabs(CourbeOrdre0EnX(PointImageX, m) - PointImageY), 0, 1e-6) << ligne;
        auMinimum += j <= minimum.valeur * (1 + 1e-6) + 1e-12;
    }
    EXPECT_GE(auMinimum, 1);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(AnalyseFenetreSeparation, TheBoxActionWidensTheSearchBoxToHoldBothSolutions) {
    const struct {
        double b, c;
        bool elargie; // the permuted point (-1/c, -1/b) lies outside [-5, 5]^2
    } cas[] = {{0.5, -0.4, false}, {0.5, -0.1, true}, {0.15, 0.6, true}};
    for (const auto& k : cas) {
        F->A.ReglagesCourants = Reglages{};
        Melanger(F->Cosinus1, F->BruitColoreGaussien2, k.b, k.c);
        Cliquer(F->Button1);
        TFormAnalyse* a = Ouvrir();
        const std::uint64_t prises = F->A.DernierResultat.NbPrises;
        ASSERT_EQ(a->TableAmas->rowCount(), k.elargie ? 1 : 2);
        Cliquer(a->BoutonBoite);
        const Reglages& r = F->A.ReglagesCourants;
        const double permute[2] = {-1 / k.c, -1 / k.b};
        EXPECT_LE(r.BorneInfX, std::min(permute[0], -k.b));
        EXPECT_GE(r.BorneSupX, std::max(permute[0], -k.b));
        EXPECT_LE(r.BorneInfY, std::min(permute[1], -k.c));
        EXPECT_GE(r.BorneSupY, std::max(permute[1], -k.c));
        if (!k.elargie) {
            EXPECT_EQ(r.BorneInfX, -5); // nothing changes, nothing is solved again
            EXPECT_EQ(r.BorneSupY, 5);
            EXPECT_EQ(F->A.DernierResultat.NbPrises, prises);
        }
        // Both solutions: one cluster stands for each true point.
        QTableWidget* t = a->TableAmas;
        int vrai = 0, permuteTrouve = 0;
        for (int ligne = 0; ligne < t->rowCount(); ++ligne) {
            vrai += t->item(ligne, 8)->text().startsWith(QStringLiteral("vrai"));
            permuteTrouve += t->item(ligne, 8)->text().startsWith(QStringLiteral("permuté"));
        }
        EXPECT_EQ(vrai, 1) << a->NoteBoite->text().toStdString();
        EXPECT_EQ(permuteTrouve, 1) << a->NoteBoite->text().toStdString();
        EXPECT_TRUE(Messages.empty());
    }
}

// An extended cluster's centre lies far from the root the constraints define: selecting its
// row moves the estimates to that root.
TEST_F(AnalyseFenetreSeparation, SelectingAClusterMovesTheEstimatesToItsExactPoint) {
    const struct { double b, c; } cas[] = {{0.5, -0.4}, {2, 1.5}};
    for (const auto& k : cas) {
        Melanger(F->Cosinus1, F->BruitColoreGaussien2, k.b, k.c);
        Cliquer(F->Button1);
        TFormAnalyse* a = Ouvrir();
        const RacinesOrdre2 racines = CalculerRacinesOrdre2(F->A.Moments());
        ASSERT_TRUE(racines.Racine1 && racines.Racine2);
        QTableWidget* t = a->TableAmas;
        ASSERT_GE(t->rowCount(), 1);
        for (int ligne = 0; ligne < t->rowCount(); ++ligne) {
            CliquerLigne(t, ligne);
            ASSERT_EQ(t->currentRow(), ligne);
            const PointPlan p{PointImageX, PointImageY};
            const double ecart =
                std::min(std::hypot(p.x - racines.Racine1->x, p.y - racines.Racine1->y),
                         std::hypot(p.x - racines.Racine2->x, p.y - racines.Racine2->y));
            EXPECT_LT(ecart, 1e-9) << k.b << " " << k.c << " row " << ligne;
            const SourcesEstimees e = CalculerSourcesEstimees(
                p.x, p.y, F->A.MelangesCourants.Melange1, F->A.MelangesCourants.Melange2,
                F->A.ReglagesCourants.NbEchantillons, 0.1f);
            EXPECT_EQ(F->A.Estimees.SourceEstimee1, e.SourceEstimee1);
        }
    }
}

// A session asking for the delayed decorrelation: the window computes the lagged means for
// its delays, and its solve keeps the boxes the command line keeps from the same session.
TEST_F(AnalyseFenetreSeparation, ASessionWithDelaysSolvesInTheWindowAsOnTheCommandLine) {
    const char* retards[] = {"1,2,4,8", "3,5"};
    for (const char* texte : retards) {
        F->A.ReglagesCourants = Reglages{};
        Melanger(F->Cosinus1, F->BruitColoreGaussien2, 0.5, -0.4);
        F->A.ReglagesCourants.ContrainteDecorrelationRetardee = true;
        F->A.ReglagesCourants.Retards = texte;
        Reponse = "session.json";
        F->MenuFichier->EnregistrerSession->trigger();
        F->ToutEffacer1->trigger();
        F->A.ReglagesCourants = Reglages{};
        F->MenuFichier->OuvrirSession->trigger();
        ASSERT_TRUE(F->A.ReglagesCourants.ContrainteDecorrelationRetardee) << texte;
        ASSERT_EQ(F->A.ReglagesCourants.Retards, texte);
        Cliquer(F->Button1);
        TFormAnalyse* a = Ouvrir();

        std::ostringstream sortie, erreurs;
        ASSERT_EQ(
            ExecuterLigneDeCommande({"resoudre", "--session", (Dossier / "session.json").string()},
                                    sortie, erreurs, false),
            0)
            << erreurs.str();
        const nlohmann::json j = nlohmann::json::parse(sortie.str());
        EXPECT_EQ(j["reglages"]["ContrainteDecorrelationRetardee"], true);
        EXPECT_EQ(j["resolution"]["gardees"], F->A.DernierResultat.NbGardees) << texte;
        EXPECT_EQ(j["resolution"]["rejetees"], F->A.DernierResultat.NbRejetees) << texte;
        const nlohmann::json& amas = j["amas"];
        ASSERT_EQ(int(amas.size()), a->TableAmas->rowCount()) << texte;
        for (int k = 0; k < a->TableAmas->rowCount(); ++k) {
            EXPECT_EQ(a->TableAmas->item(k, 1)->text().toStdString(),
                      std::to_string(amas[std::size_t(k)]["boites"].get<int>()))
                << texte;
        }
        EXPECT_TRUE(Messages.empty());
    }
}
