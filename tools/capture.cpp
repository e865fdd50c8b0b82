// Screenshot tool: opens the real main window, optionally walks it through a scenario with
// the same handlers a user triggers, and saves the window as a PNG.
//
//   ovrel5-capture <file.png>
//       [demarrage|resolution|options|analyse|analyse-boite|fichiers|grand|grand-analyse]
//       [--langue fr|en]
//
// "demarrage": the window as it starts. "resolution": cosine and coloured noise mixed by
// [[1, 0.5], [-0.4, 1]], a solve with the default settings, the pointer on the demixing
// point, estimated sources shown with the real ones superposed. "options": the Options
// dialog as it opens. "analyse": the analysis window after the same solve, with the mean-SIR
// map, the classic methods' points, the first cluster selected and the pointer near the true
// point. "analyse-boite": the same with [[1, 0.5], [-0.1, 1]], whose permuted point lies
// outside the default box, after "Boîte englobant les solutions". "fichiers": the two
// example voices loaded with "Fichier" › "Exemples" › "Deux voix", mixed by
// [[1, 0.6], [-0.45, 1]] and solved, the voices shown in panels 1 and 2 (zoomed in), the
// pointer on the demixing point. "grand" and "grand-analyse": the main window and the analysis
// window after the "resolution" solve with one constraint at precision 0.004 (16,777,216
// boxes kept), to look at the paving views' summary of many boxes.
#include "app/Langue.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/TFormAnalyse.h"
#include "app/TMenuFichier.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/TApplication.h"
#include "app/toolkit/TImage.h"
#include "app/toolkit/TRadioGroup.h"
#include "display/TOpenGLPanel.h"
#include "display/VueAnalyse.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

void Resolution(TForm1& f, const QString& c = QStringLiteral("-0.4")) {
    f.Cosinus1->trigger();
    f.BruitColoreGaussien2->trigger();
    f.Matricedemelange1->trigger();
    f.Edit1->setText(QStringLiteral("1"));
    f.Edit2->setText(QStringLiteral("0.5"));
    f.Edit3->setText(c);
    f.Edit4->setText(QStringLiteral("1"));
    QTest::mouseClick(f.Button2, Qt::LeftButton);
    f.Matricedemelange1->trigger();
    f.GenerationdesMelanges1->trigger();
    QTest::mouseClick(f.Button1, Qt::LeftButton);
    f.RadioGroup1->Item(0)->click();
    // The pixel of the demixing point (-0.5, 0.4) in the default search box.
    const int X = int((-0.5 + 5) / 10 * 336 + 0.5);
    const int Y = int((5 - 0.4) / 10 * 320 + 0.5);
    QTest::mouseMove(f.Image1, QPoint(X, Y));
    f.Image1MouseMove(Qt::NoModifier, X, Y);
    QTest::mouseClick(f.CheckBox1, Qt::LeftButton);
}

QWidget* Analyse(TForm1& f, bool grand, bool boite) {
    if (grand) {
        f.A.ReglagesCourants.ContrainteDecorrelationDerivees = false;
        f.A.ReglagesCourants.PrecisionSivia = 0.004;
    }
    Resolution(f, boite ? QStringLiteral("-0.1") : QStringLiteral("-0.4"));
    f.AnalyseSeparation1->trigger();
    TFormAnalyse* a = f.FormAnalyse;
    if (!QTest::qWaitForWindowExposed(a)) {
        return nullptr;
    }
    if (boite) {
        QTest::mouseClick(a->BoutonBoite, Qt::LeftButton);
    }
    a->CaseCarte->setChecked(true);
    QTest::mouseClick(a->TableAmas->viewport(), Qt::LeftButton, {},
                      a->TableAmas->visualItemRect(a->TableAmas->item(0, 0)).center());
    QTest::mouseMove(a->Vue, a->Vue->VersEcran(-0.3, 0.55).toPoint());
    return a;
}

void Fichiers(TForm1& f) {
    f.MenuFichier->DeuxVoix->trigger();
    f.Matricedemelange1->trigger();
    f.Edit1->setText(QStringLiteral("1"));
    f.Edit2->setText(QStringLiteral("0.6"));
    f.Edit3->setText(QStringLiteral("-0.45"));
    f.Edit4->setText(QStringLiteral("1"));
    QTest::mouseClick(f.Button2, Qt::LeftButton);
    f.Matricedemelange1->trigger();
    f.GenerationdesMelanges1->trigger();
    QTest::mouseClick(f.Button1, Qt::LeftButton);
    f.SourcesAff->trigger();
    f.RadioGroup1->Item(0)->click();
    const int X = int((-0.6 + 5) / 10 * 336 + 0.5);
    const int Y = int((5 - 0.45) / 10 * 320 + 0.5);
    f.Image1MouseMove(Qt::NoModifier, X, Y);
    // Zoomed in, as with the wheel: audio samples are within [-1, 1] and 16000 per second.
    for (double* profondeur : {&f.Profondeur1, &f.Profondeur2, &f.Profondeur3, &f.Profondeur4}) {
        *profondeur = -4;
    }
    for (TOpenGLPanel* p : {f.OpenGLPanel1, f.OpenGLPanel2, f.OpenGLPanel3, f.OpenGLPanel4}) {
        p->Repaint();
    }
}

} // namespace

int main(int argc, char** argv) {
    // The window in the language asked for, anywhere among the arguments (French otherwise).
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string langue;
    try {
        langue = ExtraireLangue(arguments);
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    if (arguments.empty()) {
        std::fprintf(stderr,
                     "usage: %s <file.png> "
                     "[demarrage|resolution|options|analyse|analyse-boite|fichiers|grand|"
                     "grand-analyse] [--langue fr|en]\n",
                     argv[0]);
        return 2;
    }
    TApplication application(argc, argv);
    FixerTitreApplication(QStringLiteral("Ovrel 5"));
    ChoisirLangue(QString::fromStdString(langue));
    InstallerAfficheur([](const MessageAffiche& m) {
        std::fprintf(stderr, "message: %s\n", m.texte.toUtf8().constData());
    });
    TForm1 fenetre;
    fenetre.show();
    if (!QTest::qWaitForWindowExposed(&fenetre)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    const QString scenario =
        arguments.size() > 1 ? QString::fromStdString(arguments[1]) : QStringLiteral("demarrage");
    QWidget* cible = &fenetre;
    if (scenario == QStringLiteral("resolution")) {
        Resolution(fenetre);
    } else if (scenario == QStringLiteral("fichiers")) {
        Fichiers(fenetre);
    } else if (scenario == QStringLiteral("grand")) {
        fenetre.A.ReglagesCourants.ContrainteDecorrelationDerivees = false;
        fenetre.A.ReglagesCourants.PrecisionSivia = 0.004;
        Resolution(fenetre);
    } else if (scenario == QStringLiteral("analyse") ||
               scenario == QStringLiteral("analyse-boite") ||
               scenario == QStringLiteral("grand-analyse")) {
        cible = Analyse(fenetre, scenario == QStringLiteral("grand-analyse"),
                        scenario == QStringLiteral("analyse-boite"));
        if (cible == nullptr) {
            return 1;
        }
    } else if (scenario == QStringLiteral("options")) {
        fenetre.Nombredchantillons1->trigger();
        cible = Form2;
        if (!QTest::qWaitForWindowExposed(cible)) {
            return 1;
        }
    }
    // Long enough for a view's summary of many boxes to fill in.
    QTest::qWait(scenario.startsWith(QStringLiteral("grand")) ? 5000 : 300);
    const QRect cadre = cible->frameGeometry();
    const QPixmap image =
        fenetre.screen()->grabWindow(0, cadre.x(), cadre.y(), cadre.width(), cadre.height());
    if (!image.save(QString::fromStdString(arguments[0]))) {
        std::fprintf(stderr, "cannot write %s\n", arguments[0].c_str());
        return 1;
    }
    return 0;
}
