// Figures: "Enregistrer la vue…" of the analysis window (PNG at a chosen size, SVG, PDF, as on
// screen, the view put back as it was), its failures in French, and the command line's figure
// keeping kept boxes in sight at full view.
#include "SupportFenetre.h"
#include "analyse/CarteSir.h"
#include "app/LigneDeCommandeImage.h"
#include "app/TFormAnalyse.h"
#include "app/toolkit/DialogueFichier.h"
#include "commande/Chaine.h"
#include "display/PavageRapide.h"
#include "display/VueAnalyse.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QWheelEvent>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <regex>

namespace {

class Figures : public FenetrePrincipaleTest {
protected:
    void SetUp() override {
        OublierResolution(); // kept across windows: each test starts without a solve
        FenetrePrincipaleTest::SetUp();
        std::random_device alea;
        Dossier = std::filesystem::temp_directory_path() /
                  ("ovrel_figures_" + std::to_string(alea()) + std::to_string(alea()));
        std::filesystem::create_directories(Dossier);
        InstallerDialogueFichier([this](const QString&, bool) {
            return QStringList{QString::fromStdString((Dossier / Reponse).string())};
        });
    }
    void TearDown() override {
        InstallerDialogueFichier(nullptr);
        std::filesystem::remove_all(Dossier);
        FenetrePrincipaleTest::TearDown();
    }

    // The analysis window after a solve of a cosine and a coloured noise mixed by
    // [[1, 0.5], [-0.4, 1]], the mean-SIR map shown.
    TFormAnalyse* Analyse() {
        F->Cosinus1->trigger();
        F->BruitColoreGaussien2->trigger();
        F->MatriceMelange = {1, 0.5, -0.4, 1};
        F->GenerationdesMelanges1->trigger();
        Cliquer(F->Button1);
        F->AnalyseSeparation1->trigger();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(F->FormAnalyse));
        Cliquer(F->FormAnalyse->CaseCarte);
        return F->FormAnalyse;
    }

    // "Enregistrer la vue…" answered with `nom`, then the size dialog with `taille` typed
    // in (none: its default) and "Enregistrer".
    void Enregistrer(TFormAnalyse* a, const std::string& nom, std::optional<QSize> taille) {
        Reponse = nom;
        Cliquer(a->BoutonEnregistrerVue);
        QDialog* d = nullptr;
        for (QDialog* candidat : a->findChildren<QDialog*>(QStringLiteral("DialogueTailleVue"))) {
            d = candidat->isVisible() ? candidat : d;
        }
        ASSERT_NE(d, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
        if (taille) {
            for (const auto& [nomCote, valeur] :
                 {std::pair{"Largeur", taille->width()}, std::pair{"Hauteur", taille->height()}}) {
                auto* cote = d->findChild<QSpinBox*>(QString::fromLatin1(nomCote));
                QTest::keyClick(cote, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(cote, QString::number(valeur));
                ASSERT_EQ(cote->value(), valeur);
            }
        }
        Cliquer(d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
    }

    std::string Texte(const std::string& nom) const {
        QFile f(QString::fromStdString((Dossier / nom).string()));
        f.open(QIODevice::ReadOnly);
        return f.readAll().toStdString();
    }

    std::filesystem::path Dossier;
    std::string Reponse; // what the file dialog answers, in Dossier
};

// What the view shows and how: it must be the same before and after a figure is saved.
struct EtatVue {
    QSize Taille;
    double X, Y, Echelle;
    bool operator==(const EtatVue&) const = default;
};
EtatVue Etat(const TVueAnalyse* v) {
    return {v->size(), v->Centre().x, v->Centre().y, v->Echelle()};
}

// A kept box's pixel over the map: yellow laid over it (a map pixel that bright is paler).
bool Gardee(QRgb c) {
    return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) < 60;
}

} // namespace

TEST_F(Figures, TheViewIsSavedInEachFormatAsOnScreenAndPutBack) {
    TFormAnalyse* a = Analyse();
    TVueAnalyse* v = a->Vue;
    for (const bool zoom : {false, true}) {
        if (zoom) {
            // Zoomed about a point off the centre: the figure shows that part of the plane.
            const QPointF p = v->ZoneTrace().center() + QPoint(60, -40);
            QWheelEvent molette(p, v->mapToGlobal(p), QPoint(), QPoint(0, 360), Qt::NoButton,
                                Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(v, &molette);
        }
        const QImage ecran = v->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const struct {
            std::string nom;
            std::optional<QSize> taille; // none: the view's
        } cas[] = {
            {"vue.png", std::nullopt},        {"grande.png", QSize(1400, 1000)},
            {"petite.png", QSize(300, 260)},  {"vue.svg", std::nullopt},
            {"large.svg", QSize(1200, 500)},  {"vue.pdf", QSize(800, 600)},
            {"sans_extension", std::nullopt},
        };
        for (const auto& c : cas) {
            SCOPED_TRACE(c.nom + (zoom ? " zoom" : ""));
            const EtatVue avant = Etat(v);
            const std::vector<TVueAnalyse::TraitAxe> traits = v->TraitsAxe(false);
            Messages.clear();
            Enregistrer(a, c.nom, c.taille);
            EXPECT_TRUE(Messages.empty());
            EXPECT_EQ(Etat(v), avant);
            const QSize taille = c.taille.value_or(v->size());
            const std::string nom = c.nom.find('.') == std::string::npos ? c.nom + ".png" : c.nom;
            const std::string texte = Texte(nom);
            if (nom.ends_with(".png")) {
                const QImage image(QString::fromStdString((Dossier / nom).string()));
                ASSERT_EQ(image.size(), taille);
                if (!c.taille) {
                    EXPECT_TRUE(image.convertToFormat(QImage::Format_RGB32) == ecran);
                }
            } else if (nom.ends_with(".svg")) {
                QSvgRenderer svg(QByteArray::fromStdString(texte));
                ASSERT_TRUE(svg.isValid());
                EXPECT_EQ(svg.viewBox().size(), taille);
                EXPECT_NE(texte.find(">Boîtes gardées</text>"), std::string::npos);
                EXPECT_NE(texte.find(">RSI moyen</text>"), std::string::npos);
                // At the view's size, the ticks of the x axis are those on screen.
                for (std::size_t k = 0; !c.taille && k < traits.size(); ++k) {
                    // Appended only (prepending to a temporary trips a false g++ 12 warning).
                    std::string etiquette = ">";
                    etiquette.append(traits[k].Texte.toStdString()).append("</text>");
                    EXPECT_NE(texte.find(etiquette), std::string::npos) << etiquette;
                }
            } else {
                ASSERT_EQ(texte.compare(0, 5, "%PDF-"), 0);
                EXPECT_NE(texte.find("%%EOF"), std::string::npos);
                std::smatch m;
                ASSERT_TRUE(std::regex_search(
                    texte, m, std::regex(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])")));
                EXPECT_NEAR(std::stod(m[1]), taille.width() * 72.0 / v->logicalDpiX(), 1);
                EXPECT_NEAR(std::stod(m[2]), taille.height() * 72.0 / v->logicalDpiY(), 1);
                EXPECT_GT(texte.size(), 20000u); // the paving's raster at least
            }
        }
    }
}

TEST_F(Figures, AFittedViewStaysFittedAfterAFigure) {
    TFormAnalyse* a = Analyse();
    Enregistrer(a, "vue.png", QSize(1000, 700));
    // A fitted view fits again when it grows, as before the figure.
    a->Vue->resize(a->Vue->size() + QSize(40, 30));
    a->Vue->repaint();
    const EtatVue apres = Etat(a->Vue);
    Cliquer(a->BoutonAjuster);
    EXPECT_EQ(Etat(a->Vue), apres);
}

TEST_F(Figures, AFailedSaveSaysWhyInFrenchAndWritesNothing) {
    TFormAnalyse* a = Analyse();
    std::ofstream(Dossier / "fichier.txt") << "texte";
    const struct {
        std::string nom;
        bool dialogue; // the size dialog opens: the format is known
        const char* raison;
    } cas[] = {
        {"fichier.txt/vue.png", true, "Fichier « "},
        {"absent/vue.svg", true, "Fichier « "},
        {"vue.bmp", false, "format inconnu"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Messages.clear();
        if (c.dialogue) {
            Enregistrer(a, c.nom, std::nullopt);
        } else {
            Reponse = c.nom;
            Cliquer(a->BoutonEnregistrerVue);
        }
        ASSERT_EQ(Messages.size(), 1u);
        const std::string message = Messages[0].texte.toStdString();
        EXPECT_NE(message.find(c.raison), std::string::npos) << message;
        EXPECT_NE(message.find(std::filesystem::path(c.nom).filename().string()), std::string::npos)
            << message;
        EXPECT_FALSE(std::filesystem::exists(Dossier / c.nom));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dossier), {}), 1);
}

// Boxes below a pixel, widened to one pixel about their centre, light that pixel; larger
// boxes are left as they are.
TEST(FiguresBoites, WidenedBoxesLightThePixelOfTheirCentre) {
    const struct {
        double x0, x1, y0, y1; // in pixels of a 10 x 10 raster (one unit, one pixel)
        int i, j;              // the pixel their centre lies in
        bool avant;            // the box alone lights a pixel
    } cas[] = {
        {3.1, 3.4, 5.1, 5.3, 3, 5, false},   {6.45, 6.55, 2.2, 2.3, 6, 2, false},
        {0.6, 0.9, 8.6, 8.7, 0, 8, false},   {2.2, 4.8, 1.2, 3.8, 3, 2, true},
        {7.2, 7.201, 7.0, 9.0, 7, 8, false},
    };
    for (const auto& c : cas) {
        BoxList boites, agrandies;
        Box b(2, 1);
        b[1] = Interval(c.x0, c.x1);
        b[2] = Interval(c.y0, c.y1);
        boites.PushBack(b);
        boites.PushBack(b);
        AgrandirBoites(boites, 1, 1.0, 1.0, agrandies);
        ASSERT_EQ(agrandies.Size(), 1u);
        const Box& g = agrandies.At(0);
        EXPECT_DOUBLE_EQ(g[1].Lower() + g[1].Upper(), c.x0 + c.x1);
        EXPECT_DOUBLE_EQ(g[2].Lower() + g[2].Upper(), c.y0 + c.y1);
        EXPECT_GE(g[1].Upper() - g[1].Lower(), 1.0 - 1e-12);
        EXPECT_GE(g[2].Upper() - g[2].Lower(), 1.0 - 1e-12);
        if (c.avant) {
            EXPECT_EQ(g[1].Lower(), c.x0);
            EXPECT_EQ(g[2].Upper(), c.y1);
        }
        TramePavage seule, agrandie;
        seule.Preparer(10, 10);
        agrandie.Preparer(10, 10);
        seule.Remplir(c.x0, c.x1, c.y0, c.y1, Jaune);
        agrandie.Remplir(g[1].Lower(), g[1].Upper(), g[2].Lower(), g[2].Upper(), Jaune);
        EXPECT_EQ(seule.At(c.i, c.j) == Jaune, c.avant) << c.x0;
        EXPECT_EQ(agrandie.At(c.i, c.j), Jaune) << c.x0;
    }
}

// The command line's figure at full view: every cluster of kept boxes shows, however small
// its boxes against a pixel.
TEST_F(Figures, TheCommandLineFigureKeepsEveryClusterInSight) {
    for (const int cote : {300, 500, 900}) {
        SCOPED_TRACE(cote);
        OptionsCommande o;
        o.Echantillons = 2000;
        o.Precision = 0.005;
        o.TailleImage[0] = o.TailleImage[1] = cote;
        const EntreesLues lues = LireEntrees(o);
        const EntreesChaine e = PreparerEntrees(o, lues, 7, false);
        BoxList enAttente, rejetees, solution;
        const ResultatChaine c = ResoudreChaine(e, o, enAttente, rejetees, solution);
        ASSERT_GE(c.Rapport.Amas.size(), 2u);
        int argc = 1;
        char nom[] = "ovrel5";
        char* argv[] = {nom, nullptr};
        std::unique_ptr<QApplication> application;
        const std::string chemin = (Dossier / "pavage.png").string();
        // Without the markers, which are drawn over the clusters they point at.
        ResultatChaine sansMarqueurs = c;
        sansMarqueurs.Rapport.Amas.clear();
        sansMarqueurs.Vrais = {};
        sansMarqueurs.Racines = {};
        DessinerPavagePng(argc, argv, application)(chemin, o, e, sansMarqueurs, rejetees, solution);
        const QImage image(QString::fromStdString(chemin));
        ASSERT_EQ(image.size(), QSize(cote, cote));
        // Where the program puts the plane: the same view, laid out at the same size.
        const RectanglePlan recherche{o.Boite[0], o.Boite[1], o.Boite[2], o.Boite[3]};
        TVueAnalyse vue;
        vue.setMinimumSize(1, 1);
        vue.resize(cote, cote);
        vue.DefinirPavage(recherche, &rejetees, 0, &solution, 0);
        vue.DefinirCarte(CalculerCarteSir(recherche, 256, 256, e.A, c.Puissances));
        vue.AfficherCarte(true);
        vue.Ajuster();
        for (const AmasQualifie& amas : c.Rapport.Amas) {
            const RectanglePlan& h = amas.Groupe.Enveloppe;
            const QRect r = QRectF(vue.VersEcran(h.xmin, h.ymax), vue.VersEcran(h.xmax, h.ymin))
                                .toAlignedRect()
                                .adjusted(-1, -1, 1, 1);
            int gardes = 0;
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x) {
                    gardes += Gardee(image.pixel(x, y));
                }
            }
            EXPECT_GT(gardes, 0) << "amas en (" << h.xmin << ", " << h.ymin << ")";
        }
    }
}
