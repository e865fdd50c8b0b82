#include "SupportDossier.h"
#include "SupportFenetre.h"

#include "app/TChoixCanal.h"
#include "app/TFormAnalyse.h"
#include "app/TMenuFichier.h"
#include "app/toolkit/DialogueFichier.h"
#include "app/toolkit/TImage.h"
#include "app/toolkit/TStatusBar.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/LectureSignal.h"
#include "signal/Alea.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QUrl>

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

namespace {

class Fichiers : public AvecDossier<FenetreSousLocale<QLocale::French>> {
protected:
    void SetUp() override {
        AvecDossier::SetUp();
        M = F->MenuFichier;
    }
    void TearDown() override {
        TMenuFichier::ChoisirDepot = ChoixReel;
        AvecDossier::TearDown();
    }

    // Clicks the channel `texte` (or types its number where the dialog asks for one) and then
    // OK in the channel dialog, once it runs.
    static void RepondreAuChoix(const QString& texte) {
        QTimer::singleShot(0, [texte] {
            TChoixCanal* d = TChoixCanal::Courant;
            ASSERT_NE(d, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
            for (QSpinBox* n : d->findChildren<QSpinBox*>()) {
                n->setFocus();
                QTest::keyClick(n, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(n, texte);
            }
            for (QRadioButton* r : d->findChildren<QRadioButton*>()) {
                if (r->text() == texte) {
                    // On the indicator: the button is wider than what it reacts to.
                    QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
                }
            }
            Cliquer(d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
        });
    }

    void Solveur() {
        Cliquer(F->Button1);
        F->FormClick();
    }

    TMenuFichier* M = nullptr;
    const std::function<int(const QStringList&)> ChoixReel = TMenuFichier::ChoisirDepot;
};

QStringList Textes(const QList<QAction*>& actions) {
    QStringList t;
    for (QAction* a : actions) {
        if (a->isVisible() && !a->isSeparator()) {
            t << a->text();
        }
    }
    return t;
}

// Everything a session must give back, bit for bit.
struct Etat {
    std::vector<double> s1, s2, x1, x2, dx1;
    double moments[6];
    Matrice2x2 A;
    explicit Etat(const TForm1* F)
        : s1(F->A.Source1), s2(F->A.Source2), x1(F->A.MelangesCourants.Melange1),
          x2(F->A.MelangesCourants.Melange2), dx1(F->A.MelangesCourants.DeriveeMelange1),
          moments{
              F->A.MelangesCourants.Moments.Ex1x1,   F->A.MelangesCourants.Moments.Ex1x2,
              F->A.MelangesCourants.Moments.Ex2x2,   F->A.MelangesCourants.Moments.Edx1dx1,
              F->A.MelangesCourants.Moments.Edx1dx2, F->A.MelangesCourants.Moments.Moments4[1][3]},
          A(F->A.MatriceMelange) {}
    bool operator==(const Etat& e) const {
        return s1 == e.s1 && s2 == e.s2 && x1 == e.x1 && x2 == e.x2 && dx1 == e.dx1 &&
               std::memcmp(moments, e.moments, sizeof moments) == 0 &&
               std::memcmp(&A, &e.A, sizeof A) == 0;
    }
};

} // namespace

TEST_F(Fichiers, FichierComesFirstAndTheNewKindsFollowTheFiveInBothSourceMenus) {
    EXPECT_EQ(F->menuBar()->actions().value(0)->text(), QStringLiteral("Fichier"));
    EXPECT_EQ(Textes(M->Fichier1->actions()),
              (QStringList{"Ouvrir la source 1…", "Ouvrir la source 2…", "Ouvrir des mélanges…",
                           "Exemples", "Enregistrer les sources estimées…",
                           "Enregistrer les mélanges…", "Exporter le pavage…",
                           "Enregistrer l'image…", "Enregistrer l'image d'un panneau",
                           "Ouvrir une session…", "Enregistrer la session…"}));
    for (QMenu* menu : {F->SourceUn, F->SourceDeux}) {
        EXPECT_EQ(Textes(menu->actions()).mid(5),
                  (QStringList{"Signal carré", "Dent de scie", "Bruit de Laplace"}));
    }
    F->SignalCarre1->trigger();
    F->BruitDeLaplace2->trigger();
    EXPECT_TRUE(F->SignalCarre1->isChecked());
    EXPECT_TRUE(F->BruitDeLaplace2->isChecked());
    EXPECT_EQ(F->A.Source1.size(), 5000u);
    EXPECT_EQ(std::abs(F->A.Source1[100]), 5.0);
    F->Sinus1->trigger();
    EXPECT_FALSE(F->SignalCarre1->isChecked());
    EXPECT_TRUE(Messages.empty());
}

// Two columns are offered as buttons; a line of hundreds of values as a number and its name.
TEST_F(Fichiers, ATextFileOfSeveralColumnsAsksForTheColumnAndBecomesTheSource) {
    std::ofstream(Dossier / "deux colonnes é.csv") << "gauche;droite\n1.5;2\n-3;4.25\n7;-8e-1\n";
    std::ofstream large(Dossier / "large.csv");
    for (int ligne = -1; ligne < 3; ++ligne) {
        for (int k = 1; k <= 400; ++k) {
            large << (k > 1 ? ";" : "");
            ligne < 0 ? large << "c" << k : large << k + 0.25 * ligne;
        }
        large << "\n";
    }
    large.close();
    const struct {
        const char *fichier, *reponse, *element;
        std::vector<double> source;
    } cas[] = {{"deux colonnes é.csv", "droite", "deux colonnes é.csv (droite)", {2, 4.25, -0.8}},
               {"large.csv", "257", "large.csv (c257)", {257, 257.25, 257.5}}};
    for (const auto& c : cas) {
        RepondreAuChoix(QString::fromUtf8(c.reponse));
        Choisir(M->OuvrirSource1, c.fichier);
        EXPECT_EQ(F->A.Source1, c.source) << c.fichier;
        EXPECT_TRUE(F->FichierSource1->isChecked());
        EXPECT_EQ(F->FichierSource1->text(), QString::fromUtf8(c.element));
        EXPECT_EQ(F->A.ReglagesCourants.NbEchantillons, 3);
        EXPECT_TRUE(F->LabelFrequence1->text().contains(QStringLiteral("fréquence inconnue")));
        EXPECT_TRUE(Messages.empty());
    }
}

TEST_F(Fichiers, ABadFileGivesAnErrorNamingItAndChangesNothing) {
    std::ofstream(Dossier / "vide.wav");
    std::vector<double> v(100, 0.25);
    EcrireWav(Dossier / "rapide.wav", {{"v", &v}}, 44100);
    const struct {
        const char* nom;
        const char* raison;
    } cas[] = {{"vide.wav", "le fichier est vide"},
               {"absent.csv", "n'existe pas"},
               {"rapide.wav", "(44100 Hz) diffère de celle de « "}};
    M->DeuxVoix->trigger();
    const std::vector<double> s1 = F->A.Source1, s2 = F->A.Source2;
    for (const auto& c : cas) {
        Messages.clear();
        Choisir(M->OuvrirSource2, c.nom);
        ASSERT_EQ(Messages.size(), 1u) << c.nom;
        EXPECT_EQ(Messages[0].titre, QStringLiteral("Erreur!"));
        EXPECT_TRUE(Messages[0].texte.contains(QString::fromUtf8(c.nom)));
        EXPECT_TRUE(Messages[0].texte.contains(QString::fromUtf8(c.raison)))
            << Messages[0].texte.toStdString();
        EXPECT_EQ(F->A.Source1, s1);
        EXPECT_EQ(F->A.Source2, s2);
        EXPECT_TRUE(F->FichierSource2->isChecked());
        EXPECT_EQ(F->FichierSource2->text(), QStringLiteral("voix2.wav"));
    }
}

TEST_F(Fichiers, TheTwoVoicesAndGeneratedSourcesComeBackBitForBitFromASession) {
    for (bool voix : {true, false}) {
        if (voix) {
            M->DeuxVoix->trigger();
            EXPECT_EQ(F->A.ReglagesCourants.NbEchantillons, 80000);
            EXPECT_TRUE(F->LabelFrequence2->text().contains(QStringLiteral("16000 Hz")));
        } else {
            F->A.ReglagesCourants.NbEchantillons = 4000;
            F->BruitColoreGaussien1->trigger();
            F->BruitDeLaplace2->trigger();
        }
        F->Matricedemelange1->trigger();
        Cliquer(F->Button3); // "Aléatoire"
        Cliquer(F->Button2);
        F->Matricedemelange1->trigger();
        F->GenerationdesMelanges1->trigger();
        Solveur();
        ASSERT_FALSE(BoitesSolution.IsEmpty());
        const Etat avant(F);
        const std::uint64_t alea = Alea().EtatCourant();
        Choisir(M->EnregistrerSession, "session");

        F->ToutEffacer1->trigger();
        F->Cosinus1->trigger();
        Alea().Initialiser(12);
        Choisir(M->OuvrirSession, "session.json");
        EXPECT_TRUE(Etat(F) == avant) << (voix ? "voices" : "generated");
        EXPECT_EQ(Alea().EtatCourant(), alea);
        EXPECT_TRUE(F->A.MelangesGeneres);
        EXPECT_EQ(voix, F->FichierSource1->isChecked());
        EXPECT_EQ(!voix, F->BruitColoreGaussien1->isChecked());
        EXPECT_FALSE(F->Cosinus1->isChecked());
    }
    EXPECT_TRUE(Messages.empty()) << Messages[0].texte.toStdString();
}

TEST_F(Fichiers, MixturesReadFromAStereoFileAreSolvedWithTheMatrixUnknown) {
    std::vector<double> x1(3000), x2(3000);
    for (std::size_t i = 0; i < x1.size(); ++i) {
        const double s1 = std::cos(0.1 * double(i)), s2 = std::sin(0.37 * double(i) + 1);
        x1[i] = float(s1 + 0.5 * s2);
        x2[i] = float(-0.4 * s1 + s2);
    }
    EcrireWav(Dossier / "melanges.wav", {{"x1", &x1}, {"x2", &x2}}, 22050);
    F->Cosinus1->trigger();
    Choisir(M->OuvrirMelanges, "melanges.wav");
    EXPECT_EQ(F->A.MelangesCourants.Melange1, x1);
    EXPECT_EQ(F->A.MelangesCourants.Melange2, x2);
    EXPECT_TRUE(F->A.MelangesGeneres);
    EXPECT_TRUE(F->MelangesAff->isChecked());
    EXPECT_FALSE(F->A.MatriceMelange.EstConnue());
    EXPECT_TRUE(F->A.Source1.empty());
    EXPECT_FALSE(F->Cosinus1->isChecked());
    EXPECT_TRUE(F->LabelFrequence1->text().contains(QStringLiteral("22050 Hz")));
    Solveur();
    EXPECT_FALSE(BoitesSolution.IsEmpty());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Fichiers, DroppingFilesOffersTheSameChoicesAndLoadsTheChosenOne) {
    std::ofstream(Dossier / "a.csv") << "1\n2\n3\n";
    std::ofstream(Dossier / "b.csv") << "4\n5\n6\n7\n";
    QStringList proposes;
    int reponse = 1;
    TMenuFichier::ChoisirDepot = [&](const QStringList& choix) {
        proposes = choix;
        return reponse;
    };
    const auto deposer = [&](std::vector<std::string> noms) {
        QMimeData donnees;
        QList<QUrl> urls;
        for (const auto& n : noms) {
            urls << QUrl::fromLocalFile(QString::fromStdString((Dossier / n).string()));
        }
        donnees.setUrls(urls);
        const QPoint p(300, 300);
        QDragEnterEvent entree(p, Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(F, &entree);
        EXPECT_TRUE(entree.isAccepted());
        QDropEvent depot(QPointF(p), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(F, &depot);
    };
    deposer({"a.csv"});
    EXPECT_EQ(proposes.value(1), QStringLiteral("Source 2"));
    EXPECT_EQ(F->A.Source2, (std::vector<double>{1, 2, 3}));
    reponse = 0;
    deposer({"a.csv", "b.csv"});
    EXPECT_EQ(proposes, (QStringList{"Sources 1 et 2", "Mélanges x1 et x2"}));
    EXPECT_EQ(F->A.Source2, (std::vector<double>{4, 5, 6, 7}));
    EXPECT_EQ(F->A.ReglagesCourants.NbEchantillons, 3);
    ASSERT_EQ(Messages.size(), 1u) << "the lengths differ, and the user is told";
    EXPECT_TRUE(Messages[0].texte.contains(QStringLiteral("(3 et 4 échantillons)")));
}

TEST_F(Fichiers, EstimatesPavingAndPicturesAreWrittenAfterASolve) {
    F->Cosinus1->trigger();
    F->BruitBlancUniforme2->trigger();
    F->Matricedemelange1->trigger();
    F->Edit1->setText(QStringLiteral("1"));
    F->Edit2->setText(QStringLiteral("0,5"));
    F->Edit3->setText(QStringLiteral("-0,4"));
    F->Edit4->setText(QStringLiteral("1"));
    Cliquer(F->Button2);
    F->GenerationdesMelanges1->trigger();
    Solveur();
    F->A.ReglagesCourants.EstimationAuClic = true;
    QTest::mouseClick(F->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(151, 147));
    ASSERT_EQ(F->A.Estimees.SourceEstimee1.size(), 5000u);

    Choisir(M->EnregistrerEstimees, "estimees");
    const MelangesLus lues = LireMelanges(Dossier / "estimees.wav");
    for (std::size_t i = 0; i < 5000; i += 499) {
        EXPECT_EQ(lues.Melange2[i], double(float(F->A.Estimees.SourceEstimee2[i])));
    }
    Choisir(M->ExporterPavage, "pavage.csv");
    std::ifstream csv(Dossier / "pavage.csv");
    const auto lignes = std::count(std::istreambuf_iterator<char>(csv), {}, '\n');
    EXPECT_EQ(std::size_t(lignes), std::size_t(1) + BoitesRejetees.Size() + BoitesSolution.Size());
    EXPECT_TRUE(std::filesystem::exists(Dossier / "pavage.json"));
    Choisir(M->EnregistrerImage, "pavage.png");
    EXPECT_EQ(QImage(QString::fromStdString((Dossier / "pavage.png").string())).size(),
              QSize(337, 321));
    Choisir(M->EnregistrerPanneau[2], "panneau3.png");
    EXPECT_FALSE(QImage(QString::fromStdString((Dossier / "panneau3.png").string())).isNull());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Fichiers, ThePavingReportHoldsTheClustersTheirQualityTheRootsAndTheTruePoints) {
    F->Cosinus1->trigger();
    F->BruitColoreGaussien2->trigger();
    F->A.MatriceMelange = {1, 0.5, -0.4, 1};
    F->GenerationdesMelanges1->trigger();
    Solveur();
    Choisir(M->ExporterPavage, "pavage.csv");
    const nlohmann::json j = nlohmann::json::parse(std::ifstream(Dossier / "pavage.json"));
    EXPECT_EQ(j["reference"], "connue");
    EXPECT_EQ(j["points_vrais"]["direct"], (nlohmann::json{-0.5, 0.4}));
    EXPECT_EQ(j["points_vrais"]["permute"], (nlohmann::json{2.5, -2.0}));
    const nlohmann::json& racines = j["racines"];
    EXPECT_EQ(racines["identifiabilite"], "bonne");
    ASSERT_TRUE(racines["racine1"]["point"].is_array() && racines["racine2"]["point"].is_array());
    ASSERT_EQ(j["amas"].size(), 2u);
    std::set<std::string> points;
    for (const nlohmann::json& amas : j["amas"]) {
        points.insert(amas["represente"].get<std::string>());
        EXPECT_FALSE(amas["etendu"].get<bool>());
        EXPECT_GT(amas["aire"].get<double>(), 0);
        const nlohmann::json& q = amas["qualite"];
        EXPECT_EQ(q["appariement"], amas["represente"] == "direct" ? "identite" : "croise");
        EXPECT_GT(q["sir1_db"].get<double>(), 20);
        EXPECT_GT(q["sir2_db"].get<double>(), 20);
        EXPECT_LT(q["amari"].get<double>(), 0.05);
        // Each cluster's hull [xmin, xmax, ymin, ymax] holds one exact root (the paving
        // encloses them).
        const nlohmann::json& h = amas["enveloppe"];
        int dedans = 0;
        for (const char* r : {"racine1", "racine2"}) {
            const double x = racines[r]["point"][0], y = racines[r]["point"][1];
            dedans += h[0] <= x && x <= h[1] && h[2] <= y && y <= h[3];
        }
        EXPECT_EQ(dedans, 1);
    }
    EXPECT_EQ(points, (std::set<std::string>{"direct", "permute"}));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Fichiers, AReadOrAWriteStoppedByTheUserLeavesWhatWasThereAndSaysSo) {
    // Several slices of work each.
    std::vector<double> a(4'000'000), b(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        a[i] = float(std::cos(0.001 * double(i)));
        b[i] = float(std::sin(0.37 * double(i)));
    }
    EcrireWav(Dossier / "gros.wav", {{"a", &a}, {"b", &b}}, 48000);
    const std::vector<double> debut(a.begin(), a.begin() + 1'000'000);
    EcrireCsv(Dossier / "gros.csv", {{"a", &debut}});
    std::ofstream(Dossier / "existant.csv") << "ancien";
    GenererMelanges();
    const struct {
        QAction* item;
        const char* fichier;
        bool echap; // else a click on "Arrêter"
        QString progres, message;
    } cas[] = {
        {M->OuvrirMelanges, "gros.wav", true, "Lecture des mélanges : ",
         "La lecture des mélanges a été arrêtée par l'utilisateur : les sources et les mélanges "
         "sont restés comme ils étaient."},
        {M->OuvrirSource1, "gros.csv", false, "Lecture de la source 1 : ",
         "La lecture de la source 1 a été arrêtée par l'utilisateur : la source est restée comme "
         "elle était."},
        {M->EnregistrerMelanges, "existant.csv", true, "Écriture de « existant.csv » : ",
         "L'écriture de « existant.csv » a été arrêtée par l'utilisateur : le fichier est resté "
         "comme il était."},
    };
    for (const auto& c : cas) {
        if (c.item == M->EnregistrerMelanges) { // large mixtures to write, read to the end
            Choisir(M->OuvrirMelanges, "gros.wav");
            ASSERT_EQ(F->A.MelangesCourants.Melange1, a);
        }
        const Etat avant(F);
        Messages.clear();
        QString progres;
        QTimer guet; // stops the job once it shows
        QObject::connect(&guet, &QTimer::timeout, [&] {
            if (F->ButtonArreter->isVisible()) {
                progres = F->StatusBar1->PanelText(2);
                c.echap ? QTest::keyClick(F, Qt::Key_Escape) : Cliquer(F->ButtonArreter);
            }
        });
        guet.start(1);
        Choisir(c.item, c.fichier);
        EXPECT_TRUE(progres.startsWith(c.progres)) << progres.toStdString();
        ASSERT_EQ(Messages.size(), 1u) << c.fichier;
        EXPECT_EQ(Messages[0].texte, c.message);
        EXPECT_TRUE(Etat(F) == avant) << c.fichier;
        EXPECT_FALSE(F->ButtonArreter->isVisible());
    }
    std::ifstream existant(Dossier / "existant.csv");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(existant), {}), "ancien");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dossier), {}), 3)
        << "a temporary file was left";
}

TEST_F(Fichiers, TheViewsFollowTheWorkbenchAfterReadMixturesNewMixturesAndAReopenedSession) {
    std::vector<double> x1(3000), x2(3000);
    for (std::size_t i = 0; i < x1.size(); ++i) {
        x1[i] = float(std::cos(0.1 * double(i)));
        x2[i] = float(std::sin(0.37 * double(i) + 1));
    }
    EcrireWav(Dossier / "melanges.wav", {{"x1", &x1}, {"x2", &x2}}, 22050);
    F->Matricedemelange1->trigger();
    const char* textes[4] = {"1", "0,5", "-0,4", "1"};
    QLineEdit* edits[4] = {F->Edit1, F->Edit2, F->Edit3, F->Edit4};
    const auto saisir = [&] {
        for (int k = 0; k < 4; ++k) {
            edits[k]->clear();
            QTest::keyClicks(edits[k], QString::fromUtf8(textes[k]));
        }
        Cliquer(F->Button2);
        ASSERT_TRUE(F->A.MatriceMelange.EstConnue());
    };
    saisir();

    // Read mixtures: the true matrix is unknown, and the editor no longer shows the old one.
    Choisir(M->OuvrirMelanges, "melanges.wav");
    EXPECT_FALSE(F->A.MatriceMelange.EstConnue());
    for (QLineEdit* e : edits) {
        EXPECT_EQ(e->text(), QString());
    }
    EXPECT_TRUE(F->LabelFrequence1->text().contains(QStringLiteral("melanges.wav")));

    // New sources and new mixtures: no caption keeps the file's name.
    F->Cosinus1->trigger();
    F->Sinus2->trigger();
    saisir();
    F->GenerationdesMelanges1->trigger();
    ASSERT_TRUE(F->A.MelangesGeneres);
    EXPECT_EQ(F->LabelFrequence1->text(), QString());
    EXPECT_EQ(F->LabelFrequence2->text(), QString());

    // The analysis window follows a reopened session as it follows new mixtures.
    F->AnalyseSeparation1->trigger();
    ASSERT_NE(F->FormAnalyse, nullptr);
    Choisir(M->EnregistrerSession, "session.json");
    F->ToutEffacer1->trigger();
    EXPECT_TRUE(F->FormAnalyse->Message->text().startsWith(QStringLiteral("Aucun mélange")));
    Choisir(M->OuvrirSession, "session.json");
    ASSERT_TRUE(F->A.MelangesGeneres);
    EXPECT_FALSE(F->FormAnalyse->Message->text().startsWith(QStringLiteral("Aucun mélange")))
        << F->FormAnalyse->Message->text().toStdString();
    EXPECT_TRUE(Messages.empty()) << Messages[0].texte.toStdString();
}

TEST_F(Fichiers, ASessionAgainstTheRulesIsRefusedWithTheFieldNamedAndChangesNothing) {
    F->Cosinus1->trigger();
    const std::vector<double> source = F->A.Source1;
    const struct {
        const char* contenu;
        const char* attendu;
    } cas[] = {
        {R"({"format": "ovrel5-session", "options": {"PrecisionSivia": 0}})",
         "« options.PrecisionSivia »"},
        {R"({"format": "ovrel5-session", "options": {"BorneSupY": 1e400}})", "« BorneSupY »"},
        {R"({"format": 5})", "pas une session d'Ovrel 5"},
    };
    for (const auto& c : cas) {
        std::ofstream(Dossier / "casse.json") << c.contenu;
        Messages.clear();
        Choisir(M->OuvrirSession, "casse.json");
        ASSERT_EQ(Messages.size(), 1u) << c.contenu;
        EXPECT_EQ(Messages[0].titre, QStringLiteral("Erreur!"));
        EXPECT_TRUE(Messages[0].texte.contains(QString::fromUtf8(c.attendu)))
            << Messages[0].texte.toStdString();
        EXPECT_TRUE(Messages[0].texte.contains(QStringLiteral("casse.json")));
        EXPECT_FALSE(Messages[0].texte.contains(QStringLiteral("json.exception")));
    }
    EXPECT_EQ(F->A.Source1, source);
    EXPECT_EQ(F->A.ReglagesCourants.PrecisionSivia, 0.01);
    EXPECT_TRUE(F->Cosinus1->isChecked());
}
