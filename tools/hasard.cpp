// Random-action campaign: opens the real main window and drives it with random real events
// (Qt Test mouse, keys and wheel), N actions drawn from a seed, each written to the log
// before it runs, so that a crash, a sanitizer report or a hang names the action that caused
// it and the same seed replays the run.
//
//   ovrel5-hasard --graine S --actions N --dossier D [--blocage SECONDES] [--silence MS]
//
// D holds the files the file dialogs answer with (good and bad ones, every file directly in
// D); what the program writes goes to D/sorties. Menu entries are reached by clicks on the
// menu bar and in the menus, or by their shortcuts; modal boxes and dialogs are closed (or
// answered at random) by a timer; the modeless Options dialog gets random values typed in.
// A watchdog thread ends the process with status 3 when the window has not answered for
// `--blocage` seconds (default 60). After each action the log gives the longest time the
// window went without answering while that action was the last one (a 100 ms heartbeat's
// longest gap); a gap over `--silence` milliseconds (default 2000) is logged as SILENCE with
// the action that preceded it, and the run ends with the list of them. Exit status 0 when all
// actions ran.
#include "app/TForm1.h"
#include "app/TMenuFichier.h"
#include "app/TravailLong.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/DialogueFichier.h"
#include "app/toolkit/TApplication.h"
#include "display/TOpenGLPanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;

std::int64_t Maintenant() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Horloge::now().time_since_epoch())
        .count();
}

// The last moment the GUI thread answered, and the action running then (for the watchdog).
std::atomic<std::int64_t> DerniereReponse{0};
std::atomic<long> ActionCourante{0};
// The log line of the last action (GUI thread only), named by a silence.
QString TexteAction;

// Texts typed into the fields: ordinary values, limits, junk.
const char* const Textes[] = {
    "1",    "0",    "-1",   "0.5",    "-0.4",        "1e-3",        "0.01",
    "1e-9", "1e14", "1e15", "1e300",  "-1e300",      "99999999999", "-99999999999",
    "nan",  "inf",  "-inf", "",       "abc",         "1,5",         "2147483647",
    "-5",   "5000", "100",  "1e-300", "100000000",   "0.1",         "1e400",
    "2",    "3",    "-0",   " 7 ",    "1,2,3,4,5,6", "10",          "0x10"};

class Campagne {
public:
    Campagne(std::uint64_t graine, QString dossier)
        : Alea_(graine), AleaBoites_(graine + 1), Dossier_(std::move(dossier)) {
        const QDir d(Dossier_);
        for (const QFileInfo& f :
             d.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
            Fichiers_ << f.absoluteFilePath();
        }
        QDir().mkpath(Dossier_ + QStringLiteral("/sorties"));
    }

    int Entier(int a, int b) { return std::uniform_int_distribution<int>(a, b)(Alea_); }
    bool Pile(double p = 0.5) { return std::bernoulli_distribution(p)(Alea_); }
    template <typename T> T Un(const std::vector<T>& v) {
        return v[std::size_t(Entier(0, int(v.size()) - 1))];
    }

    int EntierBoite(int a, int b) { return std::uniform_int_distribution<int>(a, b)(AleaBoites_); }
    bool PileBoite(double p) { return std::bernoulli_distribution(p)(AleaBoites_); }

    QString Texte() {
        if (Pile(0.3)) {
            const double v = std::pow(10.0, Entier(-12, 16)) * (Entier(-1000, 1000) / 100.0);
            return QString::number(v, 'g', Entier(1, 17));
        }
        return QString::fromUtf8(Textes[Entier(0, int(std::size(Textes)) - 1)]);
    }

    QStringList FichiersOuverts() {
        QStringList choisis;
        const int n = Entier(0, 5) == 0 ? 0 : Entier(1, 2);
        for (int k = 0; k < n && !Fichiers_.isEmpty(); ++k) {
            choisis << Fichiers_[Entier(0, int(Fichiers_.size()) - 1)];
        }
        return choisis;
    }

    QString FichierEcrit() {
        if (Entier(0, 6) == 0) {
            return {};
        }
        static const char* const Extensions[] = {".wav", ".csv", ".json", ".png", ".txt", ""};
        QString nom = QStringLiteral("%1/sorties/s%2%3")
                          .arg(Dossier_)
                          .arg(Entier(0, 9))
                          .arg(QString::fromUtf8(Extensions[Entier(0, 5)]));
        // A name that is a folder, or a file of the corpus written over.
        if (Entier(0, 15) == 0) {
            nom = Dossier_ + QStringLiteral("/sorties");
        } else if (Entier(0, 15) == 0 && !Fichiers_.isEmpty()) {
            nom = Dossier_ + QStringLiteral("/sorties/") +
                  QFileInfo(Fichiers_[Entier(0, int(Fichiers_.size()) - 1)]).fileName();
        }
        return nom;
    }

    // One action on the window, described in the log first.
    void Agir(TForm1& f, long numero) {
        ActionCourante = numero;
        std::vector<QWidget*> fenetres;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && !qobject_cast<QMenu*>(w) && w->windowType() != Qt::ToolTip) {
                fenetres.push_back(w);
            }
        }
        switch (Entier(0, 11)) {
        case 0:
        case 1:
        case 2:
            return Menu(f, numero);
        case 3:
            return Raccourci(f, numero);
        case 4:
            return Bouton(fenetres, numero);
        case 5:
        case 6:
            return Saisie(fenetres, numero);
        case 7:
        case 8:
            return Souris(fenetres, numero);
        case 9:
            return Molette(fenetres, numero);
        case 10:
            return Depot(f, numero);
        default:
            return Fenetres(f, fenetres, numero);
        }
    }

    // Closes or answers whatever modal box, dialog or popup menu is open.
    void Fermer() {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            if (Occupe_) {
                return;
            }
            auto* menu = qobject_cast<QMenu*>(popup);
            std::vector<QAction*> elements;
            if (menu) {
                for (QAction* a : menu->actions()) {
                    if (a->isVisible() && a->isEnabled() && !a->isSeparator() && !a->menu()) {
                        elements.push_back(a);
                    }
                }
            }
            if (menu && !elements.empty() && PileBoite(0.5)) {
                QAction* a = elements[std::size_t(EntierBoite(0, int(elements.size()) - 1))];
                Journal(QStringLiteral("  menu surgissant : « %1 »").arg(a->text()));
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
            } else {
                Journal(QStringLiteral("  menu surgissant : Échap"));
                QTest::keyClick(popup, Qt::Key_Escape);
            }
            return;
        }
        QWidget* modale = QApplication::activeModalWidget();
        if (!modale) {
            return;
        }
        if (auto* boite = qobject_cast<QMessageBox*>(modale)) {
            Journal(QStringLiteral("  boîte fermée : %1").arg(boite->text().left(160)));
            QTest::keyClick(boite, Qt::Key_Return);
            return;
        }
        // A dialog (the choice of a channel): a few random clicks, then OK or Escape.
        const auto enfants = modale->findChildren<QWidget*>();
        std::vector<QWidget*> visibles;
        for (QWidget* w : enfants) {
            if (w->isVisible() && w->isEnabled() && w->width() > 2 && w->height() > 2) {
                visibles.push_back(w);
            }
        }
        if (!visibles.empty() && PileBoite(0.6)) {
            QWidget* w = visibles[std::size_t(EntierBoite(0, int(visibles.size()) - 1))];
            Journal(QStringLiteral("  dialogue : clic sur %1").arg(Nom(w)));
            QTest::mouseClick(
                w, Qt::LeftButton, {},
                QPoint(EntierBoite(1, w->width() - 2), EntierBoite(1, w->height() - 2)));
        } else {
            const bool accepter = PileBoite(0.7);
            Journal(QStringLiteral("  dialogue : %1").arg(accepter ? "Entrée" : "Échap"));
            QTest::keyClick(modale, accepter ? Qt::Key_Return : Qt::Key_Escape);
        }
    }

    static void Journal(const QString& ligne) {
        if (ligne.startsWith(QLatin1Char('#'))) {
            TexteAction = ligne;
        }
        std::printf("%s\n", ligne.toUtf8().constData());
        std::fflush(stdout);
    }

private:
    static QString Nom(const QWidget* w) {
        QString n = QString::fromUtf8(w->metaObject()->className());
        if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
            n += QStringLiteral(" « %1 »").arg(b->text());
        }
        if (!w->objectName().isEmpty()) {
            n += QStringLiteral(" (%1)").arg(w->objectName());
        }
        return n;
    }

    // Every leaf entry of the menu bar, with the menus that lead to it.
    static void Entrees(QMenu* menu, std::vector<QAction*> chemin,
                        std::vector<std::vector<QAction*>>& sortie) {
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible()) {
                continue;
            }
            auto suite = chemin;
            suite.push_back(a);
            if (a->menu()) {
                Entrees(a->menu(), suite, sortie);
            } else {
                sortie.push_back(suite);
            }
        }
    }

    void Menu(TForm1& f, long numero) {
        std::vector<std::vector<QAction*>> entrees;
        for (QAction* titre : f.menuBar()->actions()) {
            if (titre->menu() && titre->isVisible()) {
                Entrees(titre->menu(), {titre}, entrees);
            }
        }
        const auto chemin = Un(entrees);
        QString texte;
        for (QAction* a : chemin) {
            texte += (texte.isEmpty() ? "" : " › ") + a->text();
        }
        Journal(QStringLiteral("#%1 menu %2").arg(numero).arg(texte));
        Occupe_ = true;
        QTest::mouseClick(f.menuBar(), Qt::LeftButton, {},
                          f.menuBar()->actionGeometry(chemin[0]).center());
        for (std::size_t k = 1; k < chemin.size(); ++k) {
            QMenu* menu = chemin[k - 1]->menu();
            for (int i = 0; i < 100 && !menu->isVisible(); ++i) {
                QTest::qWait(5);
            }
            if (!menu->isVisible()) {
                Journal(QStringLiteral("  (menu non ouvert)"));
                break;
            }
            const QPoint centre = menu->actionGeometry(chemin[k]).center();
            QTest::mouseMove(menu, centre);
            // The last click triggers the entry, whose handler may open a modal box.
            Occupe_ = k + 1 < chemin.size();
            QTest::mouseClick(menu, Qt::LeftButton, {}, centre);
        }
        Occupe_ = false;
        if (QWidget* popup = QApplication::activePopupWidget()) {
            QTest::keyClick(popup, Qt::Key_Escape);
        }
    }

    void Raccourci(TForm1& f, long numero) {
        static const QKeySequence Touches[] = {QKeySequence(Qt::Key_Escape),
                                               QKeySequence(Qt::CTRL | Qt::Key_0),
                                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A),
                                               QKeySequence(QKeySequence::Open),
                                               QKeySequence(QKeySequence::Save),
                                               QKeySequence(Qt::Key_Return),
                                               QKeySequence(Qt::Key_Left),
                                               QKeySequence(Qt::Key_Plus),
                                               QKeySequence(Qt::Key_Minus),
                                               QKeySequence(Qt::ALT | Qt::Key_F)};
        const QKeySequence touche = Touches[Entier(0, int(std::size(Touches)) - 1)];
        QWidget* cible = QApplication::activeWindow() ? QApplication::activeWindow() : &f;
        Journal(QStringLiteral("#%1 touches %2 dans %3")
                    .arg(numero)
                    .arg(touche.toString(), Nom(cible)));
        QTest::keySequence(cible, touche);
        if (QWidget* popup = QApplication::activePopupWidget()) {
            QTest::keyClick(popup, Qt::Key_Escape);
        }
    }

    template <typename T> std::vector<T*> Widgets(const std::vector<QWidget*>& fenetres) {
        std::vector<T*> r;
        for (QWidget* fenetre : fenetres) {
            for (T* w : fenetre->findChildren<T*>()) {
                if (w->isVisible() && w->isEnabled() && w->width() > 4 && w->height() > 4) {
                    r.push_back(w);
                }
            }
        }
        return r;
    }

    void Bouton(const std::vector<QWidget*>& fenetres, long numero) {
        const auto boutons = Widgets<QAbstractButton>(fenetres);
        if (boutons.empty()) {
            return;
        }
        QAbstractButton* b = Un(boutons);
        Journal(QStringLiteral("#%1 clic %2").arg(numero).arg(Nom(b)));
        QTest::mouseClick(b, Qt::LeftButton);
    }

    void Saisie(const std::vector<QWidget*>& fenetres, long numero) {
        const auto champs = Widgets<QLineEdit>(fenetres);
        const auto memos = Widgets<QPlainTextEdit>(fenetres);
        QWidget* champ = nullptr;
        if (!memos.empty() && Entier(0, 4) == 0) {
            champ = Un(memos);
        } else if (!champs.empty()) {
            champ = Un(champs);
        }
        if (!champ) {
            return;
        }
        const QString texte = Texte();
        const bool valider = Pile(0.3);
        Journal(QStringLiteral("#%1 saisie « %2 » dans %3%4")
                    .arg(numero)
                    .arg(texte, Nom(champ), valider ? QStringLiteral(", Entrée") : QString()));
        QTest::mouseClick(champ, Qt::LeftButton);
        QTest::keyClick(champ, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(champ, Qt::Key_Delete);
        QTest::keyClicks(champ, texte);
        if (valider) {
            QTest::keyClick(champ, Qt::Key_Return);
        }
    }

    // Panels, views and any other widget: moves, clicks, double clicks and drags.
    void Souris(const std::vector<QWidget*>& fenetres, long numero) {
        const auto widgets = Widgets<QWidget>(fenetres);
        if (widgets.empty()) {
            return;
        }
        QWidget* w = Un(widgets);
        // Panels and the paving views more often than the rest.
        for (int essai = 0; essai < 3 && !w->inherits("TOpenGLPanel") && !w->inherits("TImage") &&
                            !w->inherits("VueAnalyse");
             ++essai) {
            w = Un(widgets);
        }
        const auto point = [&] {
            return QPoint(Entier(1, std::max(1, w->width() - 2)),
                          Entier(1, std::max(1, w->height() - 2)));
        };
        const QPoint a = point(), b = point();
        const Qt::MouseButton bouton = Pile(0.8) ? Qt::LeftButton : Qt::RightButton;
        const Qt::KeyboardModifiers touches = Pile(0.8) ? Qt::NoModifier : Qt::ShiftModifier;
        switch (Entier(0, 3)) {
        case 0:
            Journal(QStringLiteral("#%1 survol %2 (%3, %4)")
                        .arg(numero)
                        .arg(Nom(w))
                        .arg(a.x())
                        .arg(a.y()));
            QTest::mouseMove(w, a);
            break;
        case 1:
            Journal(QStringLiteral("#%1 clic %2 (%3, %4)")
                        .arg(numero)
                        .arg(Nom(w))
                        .arg(a.x())
                        .arg(a.y()));
            QTest::mouseClick(w, bouton, touches, a);
            break;
        case 2:
            Journal(QStringLiteral("#%1 double clic %2 (%3, %4)")
                        .arg(numero)
                        .arg(Nom(w))
                        .arg(a.x())
                        .arg(a.y()));
            QTest::mouseDClick(w, bouton, touches, a);
            break;
        default: {
            Journal(QStringLiteral("#%1 glisser %2 (%3, %4) → (%5, %6)")
                        .arg(numero)
                        .arg(Nom(w))
                        .arg(a.x())
                        .arg(a.y())
                        .arg(b.x())
                        .arg(b.y()));
            QTest::mousePress(w, bouton, touches, a);
            const int pas = Entier(1, 6);
            for (int k = 1; k <= pas; ++k) {
                const QPoint p = a + (b - a) * k / pas;
                QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, bouton,
                              touches);
                QApplication::sendEvent(w, &e);
            }
            QTest::mouseRelease(w, bouton, touches, b);
        }
        }
    }

    void Molette(const std::vector<QWidget*>& fenetres, long numero) {
        std::vector<QWidget*> cibles;
        for (QWidget* w : Widgets<QWidget>(fenetres)) {
            if (w->inherits("TOpenGLPanel") || w->inherits("TImage") || w->inherits("VueAnalyse")) {
                cibles.push_back(w);
            }
        }
        if (cibles.empty()) {
            return;
        }
        QWidget* w = Un(cibles);
        const int crans = Entier(1, 40) * (Pile() ? 1 : -1);
        const QPoint p(Entier(1, std::max(1, w->width() - 2)),
                       Entier(1, std::max(1, w->height() - 2)));
        Journal(QStringLiteral("#%1 molette %2 crans sur %3 (%4, %5)")
                    .arg(numero)
                    .arg(crans)
                    .arg(Nom(w))
                    .arg(p.x())
                    .arg(p.y()));
        // Clicked first: the wheel zooms the last panel clicked.
        QTest::mouseClick(w, Qt::LeftButton, {}, p);
        for (int k = 0; k < std::abs(crans); ++k) {
            QWheelEvent e(p, w->mapToGlobal(p), QPoint(), QPoint(0, crans > 0 ? 120 : -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(w, &e);
            if (k % 5 == 4) {
                QApplication::processEvents();
            }
        }
    }

    void Depot(TForm1& f, long numero) {
        const QStringList fichiers = FichiersOuverts();
        if (fichiers.isEmpty()) {
            return;
        }
        Journal(
            QStringLiteral("#%1 dépôt de %2").arg(numero).arg(fichiers.join(QStringLiteral(", "))));
        QMimeData donnees;
        QList<QUrl> adresses;
        for (const QString& c : fichiers) {
            adresses << QUrl::fromLocalFile(c);
        }
        donnees.setUrls(adresses);
        const QPoint p(f.width() / 2, f.height() / 2);
        QDragEnterEvent entree(p, Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f, &entree);
        if (entree.isAccepted()) {
            QDropEvent depot(QPointF(p), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&f, &depot);
        }
    }

    // The windows themselves: resized, secondary ones closed.
    void Fenetres(TForm1& f, const std::vector<QWidget*>& fenetres, long numero) {
        QWidget* w = Un(fenetres);
        if (w != &f && Pile(0.4)) {
            Journal(QStringLiteral("#%1 fermeture de %2").arg(numero).arg(Nom(w)));
            w->close();
            return;
        }
        const QSize taille(Entier(200, 1280), Entier(150, 1000));
        Journal(QStringLiteral("#%1 taille de %2 : %3 × %4")
                    .arg(numero)
                    .arg(Nom(w))
                    .arg(taille.width())
                    .arg(taille.height()));
        w->resize(taille);
    }

    std::mt19937_64 Alea_;
    // The boxes' answers draw from their own generator: the actions' draws stay the same
    // whenever the timer finds a box.
    std::mt19937_64 AleaBoites_;
    // A menu being walked by Menu(): its popups are not the timer's to close.
    bool Occupe_ = false;
    QString Dossier_;
    QStringList Fichiers_;
};

long Argument(int argc, char** argv, const char* nom, long defaut) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == nom) {
            return std::strtol(argv[i + 1], nullptr, 10);
        }
    }
    return defaut;
}

QString Dossier(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--dossier") {
            return QString::fromLocal8Bit(argv[i + 1]);
        }
    }
    return QDir::tempPath();
}

} // namespace

int main(int argc, char** argv) {
    const auto graine = std::uint64_t(Argument(argc, argv, "--graine", 1));
    const long actions = Argument(argc, argv, "--actions", 100);
    const long blocage = Argument(argc, argv, "--blocage", 60);
    TApplication application(argc, argv);
    FixerTitreApplication(QStringLiteral("Ovrel 5"));
    TApplication::setApplicationName(QStringLiteral("Ovrel 5"));
    TOpenGLPanel::RapporteurMessage = [](const QString& texte) {
        MessageBox(texte, TitreApplication());
    };
    Campagne campagne(graine, Dossier(argc, argv));
    InstallerDialogueFichier([&campagne](const QString& titre, bool enregistrer) {
        const QStringList r =
            enregistrer ? QStringList{campagne.FichierEcrit()} : campagne.FichiersOuverts();
        Campagne::Journal(QStringLiteral("  dialogue « %1 » : %2").arg(titre, r.join(", ")));
        return r;
    });

    // Heartbeat of the GUI thread, and the watchdog that ends a run the window no longer
    // answers. Each gap of the heartbeat counts for the action that was the last one when it
    // began (the GUI thread cannot start another while it does not answer).
    const long seuilSilence = Argument(argc, argv, "--silence", 2000);
    DerniereReponse = Maintenant();
    std::int64_t plusLongSilence = 0, reponseAction = 0;
    QStringList silences;
    QTimer battement;
    QObject::connect(&battement, &QTimer::timeout, [&] {
        const std::int64_t t = Maintenant();
        const std::int64_t ecart = t - DerniereReponse;
        DerniereReponse = t;
        plusLongSilence = std::max(plusLongSilence, ecart);
        reponseAction = std::max(reponseAction, ecart);
        if (ecart > seuilSilence) {
            const QString ligne =
                TexteAction.isEmpty()
                    ? QStringLiteral("SILENCE de %1 ms avant la première action").arg(ecart)
                    : QStringLiteral("SILENCE de %1 ms après l'action %2")
                          .arg(ecart)
                          .arg(TexteAction);
            silences << ligne;
            Campagne::Journal(QStringLiteral("  ") + ligne);
        }
    });
    battement.start(100);
    std::atomic<bool> fini{false};
    std::thread chien([&] {
        while (!fini) {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            const std::int64_t silence = Maintenant() - DerniereReponse;
            if (silence > blocage * 1000) {
                std::fprintf(stderr,
                             "BLOCAGE : la fenêtre ne répond plus depuis %lld s, pendant "
                             "l'action #%ld\n",
                             static_cast<long long>(silence / 1000), ActionCourante.load());
                std::fflush(stdout);
                std::_Exit(3);
            }
        }
    });

    QTimer fermeture;
    QObject::connect(&fermeture, &QTimer::timeout, [&campagne] { campagne.Fermer(); });
    fermeture.start(40);

    int statut = 0;
    {
        TForm1 fenetre;
        fenetre.show();
        if (!QTest::qWaitForWindowExposed(&fenetre)) {
            std::fprintf(stderr, "La fenêtre ne s'affiche pas.\n");
            statut = 1;
        }
        for (long n = 1; n <= actions && statut == 0; ++n) {
            reponseAction = 0;
            campagne.Agir(fenetre, n);
            QTest::qWait(campagne.Entier(0, 3) == 0 ? 150 : 10);
            // The heartbeat's gap that spans the end of the action counts for it.
            reponseAction = std::max(reponseAction, Maintenant() - DerniereReponse);
            Campagne::Journal(QStringLiteral("  réponse : %1 ms").arg(reponseAction));
        }
        // A job still running (a long solve) is stopped before the window goes.
        for (int i = 0; i < 600 && TravailLong::EnCours(); ++i) {
            if (TravailLong* travail = TravailLong::Courant()) {
                travail->DemanderArret();
            }
            QTest::qWait(50);
        }
    }
    fermeture.stop();
    fini = true;
    chien.join();
    for (const QString& ligne : silences) {
        Campagne::Journal(ligne);
    }
    std::printf("%ld actions, plus long silence de la fenêtre : %lld ms, %lld silences de plus "
                "de %ld ms\n",
                actions, static_cast<long long>(plusLongSilence),
                static_cast<long long>(silences.size()), seuilSilence);
    return statut;
}
