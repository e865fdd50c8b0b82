// "Enregistrer la vue…" of the analysis window: each format, as on screen, the view put back
// after; failures said in French; and the command line's figure keeping kept boxes in sight.
#include "SupportFenetre.h"
#include "analyse/CarteSir.h"
#include "app/LigneDeCommandeImage.h"
#include "app/TFormAnalyse.h"
#include "app/toolkit/DialogueFichier.h"
#include "commande/Chaine.h"
#include "display/VueAnalyse.h"

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
#include <unistd.h>
#include <utility>

namespace {

class Figures : public FenetrePrincipaleTest {
protected:
    void SetUp() override {
        OublierResolution();
        FenetrePrincipaleTest::SetUp();
        std::filesystem::create_directories(Dossier);
        InstallerDialogueFichier([this](const QString&, bool) {
            return QStringList{QString::fromStdString((Dossier / Reponse).string())};
        });
        F->Cosinus1->trigger();
        F->BruitColoreGaussien2->trigger();
        F->A.MatriceMelange = {1, 0.5, -0.4, 1};
        F->GenerationdesMelanges1->trigger();
        Cliquer(F->Button1);
        F->AnalyseSeparation1->trigger();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(F->FormAnalyse));
        A = F->FormAnalyse;
        Cliquer(A->CaseCarte);
    }
    void TearDown() override {
        InstallerDialogueFichier(nullptr);
        std::filesystem::remove_all(Dossier);
        FenetrePrincipaleTest::TearDown();
    }
    // Clicks "Enregistrer la vue…" (the file dialog answers `nom`), types `taille` into the
    // size dialog when given, and clicks "Enregistrer".
    void Enregistrer(const std::string& nom, QSize taille = {}) {
        Reponse = nom;
        Cliquer(A->BoutonEnregistrerVue);
        QDialog* d = nullptr; // the one open: those closed may linger until deleted
        for (QDialog* x : A->findChildren<QDialog*>(QStringLiteral("DialogueTailleVue"))) {
            d = x->isVisible() ? x : d;
        }
        ASSERT_TRUE(d && QTest::qWaitForWindowExposed(d));
        for (auto [cote, v] :
             {std::pair{"Largeur", taille.width()}, {"Hauteur", taille.height()}}) {
            if (taille.isValid()) {
                auto* champ = d->findChild<QSpinBox*>(QString::fromLatin1(cote));
                QTest::keyClick(champ, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(champ, QString::number(v));
            }
        }
        Cliquer(d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
    }
    std::filesystem::path Dossier =
        std::filesystem::temp_directory_path() / ("ovrel_figures_" + std::to_string(::getpid()));
    std::string Reponse;
    TFormAnalyse* A = nullptr;
};

} // namespace

TEST_F(Figures, TheViewIsSavedInEachFormatAsOnScreenAndPutBack) {
    TVueAnalyse* v = A->Vue;
    for (const int crans : {0, 3}) { // fitted, then zoomed about a point off the centre
        const QPointF p = v->ZoneTrace().center() + QPoint(60, -40);
        QWheelEvent molette(p, v->mapToGlobal(p), {}, {0, 120 * crans}, {}, {}, {}, false);
        QApplication::sendEvent(v, &molette);
        const QImage ecran = v->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto etat = [v] { return std::tuple(v->size(), v->Centre().x, v->Echelle()); };
        const auto avant = etat();
        const struct {
            std::string nom, fichier; // the name given and the file written
            QSize taille;             // invalid: the view's
        } cas[] = {{"vue", "vue.png", {}},          {"grande.png", "grande.png", {1400, 1000}},
                   {"p.png", "p.png", {300, 260}},  {"vue.svg", "vue.svg", {}},
                   {"l.svg", "l.svg", {1200, 500}}, {"vue.pdf", "vue.pdf", {800, 600}}};
        for (const auto& c : cas) {
            SCOPED_TRACE(c.nom);
            Enregistrer(c.nom, c.taille);
            EXPECT_EQ(etat(), avant);
            const QSize taille = c.taille.isValid() ? c.taille : v->size();
            const QString chemin = QString::fromStdString((Dossier / c.fichier).string());
            QFile f(chemin);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QByteArray octets = f.readAll();
            if (c.fichier.ends_with(".png")) {
                const QImage image = QImage(chemin).convertToFormat(QImage::Format_RGB32);
                EXPECT_EQ(image.size(), taille);
                EXPECT_TRUE(c.taille.isValid() || image == ecran); // as on screen
            } else if (c.fichier.ends_with(".svg")) {
                EXPECT_EQ(QSvgRenderer(octets).viewBox().size(), taille);
                for (const auto& t :
                     c.taille.isValid() ? decltype(v->TraitsAxe(true)){} : v->TraitsAxe(true)) {
                    EXPECT_TRUE(octets.contains((">" + t.Texte + "</text>").toUtf8()));
                }
            } else {
                EXPECT_TRUE(octets.startsWith("%PDF-") && octets.size() > 20000);
                EXPECT_TRUE(octets.contains(QStringLiteral("/MediaBox [0 0 %1.000000 %2.000000]")
                                                .arg(taille.width() * 3 / 4)
                                                .arg(taille.height() * 3 / 4)
                                                .toLatin1()));
            }
        }
    }
    // Zoomed, the view stays as it was; fitted, it fits again when it grows.
    Cliquer(A->BoutonAjuster);
    Enregistrer("vue.png");
    v->resize(v->size() + QSize(40, 30));
    v->repaint();
    const double echelle = v->Echelle();
    Cliquer(A->BoutonAjuster);
    EXPECT_EQ(v->Echelle(), echelle);
}

TEST_F(Figures, AFailedSaveSaysWhyInFrenchAndWritesNothing) {
    std::ofstream(Dossier / "f.txt") << "texte";
    for (const char* nom : {"f.txt/vue.png", "absent/vue.svg", "vue.bmp"}) {
        Messages.clear();
        Reponse = nom; // a format unknown is refused before the size is asked for
        nom[4] == 'b' ? Cliquer(A->BoutonEnregistrerVue) : Enregistrer(nom);
        ASSERT_EQ(Messages.size(), 1u) << nom;
        EXPECT_TRUE(Messages[0].texte.contains(QStringLiteral("Fichier « ")));
        EXPECT_TRUE(Messages[0].texte.contains(QStringLiteral("vue.")));
        EXPECT_FALSE(std::filesystem::exists(Dossier / nom));
    }
}

TEST_F(Figures, TheCommandLineFigureKeepsKeptBoxesInSightAtFullView) {
    for (const int cote : {300, 500, 900}) {
        OptionsCommande o;
        o.PrecisionSivia = 0.005;
        o.TailleImage[0] = o.TailleImage[1] = cote;
        const EntreesChaine e = PreparerEntrees(o, LireEntrees(o), 7, false);
        BoxList enAttente, rejetees, solution;
        ResultatChaine c = ResoudreChaine(e, o, enAttente, rejetees, solution);
        const std::vector<AmasQualifie> amas = std::exchange(c.Rapport.Amas, {});
        c.Vrais = {}; // no markers over the boxes they point at
        c.Racines = {};
        c.References = {};
        int argc = 0;
        std::unique_ptr<QApplication> application;
        DessinerPavagePng(argc, nullptr, application)(Reponse = (Dossier / "p.png").string(), o, e,
                                                      c, rejetees, solution);
        const QImage image(QString::fromStdString(Reponse));
        // Where the program puts the plane: the same view at the same size.
        TVueAnalyse vue;
        vue.setMinimumSize(1, 1);
        vue.resize(cote, cote);
        vue.DefinirPavage({-5, 5, -5, 5}, &rejetees, 0, &solution, 0);
        vue.DefinirCarte(CalculerCarteSir({-5, 5, -5, 5}, 256, 256, e.A, c.Puissances));
        vue.AfficherCarte(true);
        vue.Ajuster();
        ASSERT_GE(amas.size(), 2u);
        for (const AmasQualifie& a : amas) {
            const RectanglePlan& h = a.Groupe.Enveloppe;
            const QRect r = QRectF(vue.VersEcran(h.xmin, h.ymax), vue.VersEcran(h.xmax, h.ymin))
                                .toAlignedRect()
                                .adjusted(-1, -1, 1, 1);
            int gardes = 0; // yellow over the map
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    gardes += qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) < 60;
                }
            }
            EXPECT_GT(gardes, 0) << cote << " px, amas en " << h.xmin << ", " << h.ymin;
        }
    }
}
