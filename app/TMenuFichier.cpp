// The "Fichier" menu: its items, the added source kinds, the drag and drop, the labels.
#include "app/TMenuFichier.h"

#include "app/TForm1.h"
#include "app/TravailLong.h"
#include "app/toolkit/BoiteMessage.h"
#include "fichiers/ErreurFichier.h"
#include "signal/Memoire.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

std::function<int(const QStringList& choix)> TMenuFichier::ChoisirDepot =
    [](const QStringList& choix) {
        QMenu menu;
        for (const QString& c : choix) {
            menu.addAction(c);
        }
        const QAction* choisie = menu.exec(QCursor::pos());
        return choisie ? int(menu.actions().indexOf(const_cast<QAction*>(choisie))) : -1;
    };

namespace {

// File errors and memory errors the user caused end in the "Erreur!" box, state untouched.
void Proteger(const std::function<void()>& gestionnaire) {
    ExecuterGestionnaire([&] {
        try {
            gestionnaire();
        } catch (const ErreurFichier& e) {
            MessageBox(QString::fromStdString(e.what()),
                       QCoreApplication::translate("TMenuFichier", "Erreur!"));
        } catch (const ErreurMemoire& e) {
            MessageBox(QString::fromStdString(e.what()),
                       QCoreApplication::translate("TMenuFichier", "Erreur!"));
        }
    });
}

} // namespace

TMenuFichier::TMenuFichier(TForm1* fenetre) : QObject(fenetre), F_(fenetre) {
    CreerMenu();
    F_->setAcceptDrops(true);
    F_->installEventFilter(this);
}

void TMenuFichier::Relier(QAction* action, std::function<void()> gestionnaire) {
    connect(action, &QAction::triggered, this, [gestionnaire] {
        // Nothing may change what a running job works on (a shortcut reaches here too).
        if (!TravailLong::EnCours()) {
            Proteger(gestionnaire);
        }
    });
}

void TMenuFichier::RelireSource(int k, const QString& chemin) {
    Proteger([&] { ChargerSource(k, chemin); });
}

bool TMenuFichier::Travailler(const QString& quoi, const QString& arret,
                              const std::function<void(const RappelAvancement&)>& travail) {
    try {
        TravailLong travailLong(F_, F_->StatusBar1, 2, F_->ButtonArreter);
        travail(travailLong.Rappel(quoi));
        return true;
    } catch (const ArretUtilisateur&) {
        MessageBox(arret, TitreApplication());
        return false;
    }
}

bool TMenuFichier::Ecrire(const QString& chemin,
                          const std::function<void(const RappelAvancement&)>& ecrire) {
    const QFileInfo info(chemin);
    const bool existait = info.exists();
    return Travailler(tr("Écriture de « %1 »").arg(info.fileName()),
                      tr("L'écriture de « %1 » a été arrêtée par l'utilisateur : %2")
                          .arg(info.fileName(), existait
                                                    ? tr("le fichier est resté comme il était.")
                                                    : tr("aucun fichier n'a été créé.")),
                      ecrire);
}

void TMenuFichier::EnregistrerEstimeesEn(double x, double y) {
    if (TravailLong::EnCours()) {
        return;
    }
    Proteger([this, x, y] {
        F_->EstimerAuPoint(x, y);
        EnregistrerEstimeesClick();
    });
}

void TMenuFichier::CreerMenu() {
    Fichier1 = new QMenu(QT_TR_NOOP("Fichier"), F_);
    F_->menuBar()->insertMenu(F_->menuBar()->actions().value(0), Fichier1);
    OuvrirSource1 = Fichier1->addAction(QT_TR_NOOP("Ouvrir la source 1…"));
    OuvrirSource2 = Fichier1->addAction(QT_TR_NOOP("Ouvrir la source 2…"));
    OuvrirMelanges = Fichier1->addAction(QT_TR_NOOP("Ouvrir des mélanges…"));
    QMenu* exemples = Fichier1->addMenu(QT_TR_NOOP("Exemples"));
    DeuxVoix = exemples->addAction(QT_TR_NOOP("Deux voix"));
    Fichier1->addSeparator();
    EnregistrerEstimees = Fichier1->addAction(QT_TR_NOOP("Enregistrer les sources estimées…"));
    EnregistrerMelanges = Fichier1->addAction(QT_TR_NOOP("Enregistrer les mélanges…"));
    ExporterPavage = Fichier1->addAction(QT_TR_NOOP("Exporter le pavage…"));
    EnregistrerImage = Fichier1->addAction(QT_TR_NOOP("Enregistrer l'image…"));
    QMenu* panneaux = Fichier1->addMenu(QT_TR_NOOP("Enregistrer l'image d'un panneau"));
    for (int p = 0; p < 6; ++p) {
        EnregistrerPanneau[p] = panneaux->addAction(tr("Panneau %1…").arg(p + 1));
        Relier(EnregistrerPanneau[p], [this, p] { EnregistrerPanneauClick(p + 1); });
    }
    Fichier1->addSeparator();
    OuvrirSession = Fichier1->addAction(QT_TR_NOOP("Ouvrir une session…"));
    EnregistrerSession = Fichier1->addAction(QT_TR_NOOP("Enregistrer la session…"));

    OuvrirSource1->setShortcut(QKeySequence::Open);
    EnregistrerSession->setShortcut(QKeySequence::Save);
    Relier(OuvrirSource1, [this] { OuvrirSourceClick(1); });
    Relier(OuvrirSource2, [this] { OuvrirSourceClick(2); });
    Relier(OuvrirMelanges, [this] { OuvrirMelangesClick(); });
    Relier(DeuxVoix, [this] { DeuxVoixClick(); });
    Relier(EnregistrerEstimees, [this] { EnregistrerEstimeesClick(); });
    Relier(EnregistrerMelanges, [this] { EnregistrerMelangesClick(); });
    Relier(ExporterPavage, [this] { ExporterPavageClick(); });
    Relier(EnregistrerImage, [this] { EnregistrerImageClick(); });
    Relier(OuvrirSession, [this] { OuvrirSessionClick(); });
    Relier(EnregistrerSession, [this] { EnregistrerSessionClick(); });
}

void TMenuFichier::SignalerLongueurs(const QString& pourquoi) {
    const std::size_t n1 = F_->A.Source1.size(), n2 = F_->A.Source2.size();
    if (n1 != 0 && n2 != 0 && n1 != n2) {
        MessageBox(tr("%1Les deux sources n'ont pas la même longueur (%2 et %3 "
                      "échantillons) : N = %4, la plus courte.")
                       .arg(pourquoi)
                       .arg(n1)
                       .arg(n2)
                       .arg(F_->A.ReglagesCourants.NbEchantillons),
                   tr("Information"));
    }
}

bool TMenuFichier::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet != F_) {
        return false;
    }
    const auto fichiers = [](const QMimeData* donnees) {
        QStringList chemins;
        for (const QUrl& url : donnees->urls()) {
            if (url.isLocalFile()) {
                chemins << url.toLocalFile();
            }
        }
        return chemins;
    };
    if (evenement->type() == QEvent::DragEnter || evenement->type() == QEvent::DragMove) {
        auto* e = static_cast<QDragMoveEvent*>(evenement);
        if (!fichiers(e->mimeData()).isEmpty()) {
            e->acceptProposedAction();
            return true;
        }
    } else if (evenement->type() == QEvent::Drop) {
        auto* e = static_cast<QDropEvent*>(evenement);
        const QStringList chemins = fichiers(e->mimeData());
        if (!chemins.isEmpty() && !TravailLong::EnCours()) {
            e->acceptProposedAction();
            Proteger([&] { Deposer(chemins); });
            return true;
        }
    }
    return false;
}

void TMenuFichier::Deposer(const QStringList& chemins) {
    if (chemins.size() > 2) {
        MessageBox(tr("Déposez un fichier, ou deux fichiers (les deux sources ou les "
                      "deux mélanges)."),
                   tr("Erreur!"));
        return;
    }
    if (chemins.size() == 2) {
        const int choix = ChoisirDepot({tr("Sources 1 et 2"), tr("Mélanges x1 et x2")});
        if (choix == 0) {
            ChargerSource(1, chemins[0]);
            ChargerSource(2, chemins[1]);
        } else if (choix == 1) {
            ChargerMelanges(chemins);
        }
        return;
    }
    QStringList choix = {tr("Source 1"), tr("Source 2"), tr("Mélanges (deux canaux ou colonnes)")};
    if (chemins[0].endsWith(QStringLiteral(".json"), Qt::CaseInsensitive)) {
        choix << tr("Session");
    }
    switch (ChoisirDepot(choix)) {
    case 0:
        ChargerSource(1, chemins[0]);
        break;
    case 1:
        ChargerSource(2, chemins[0]);
        break;
    case 2:
        ChargerMelanges(chemins);
        break;
    case 3:
        ChargerSession(chemins[0]);
        break;
    default:
        break;
    }
}

void TMenuFichier::Ouvrir(const QStringList& chemins) {
    Proteger([&] {
        if (chemins.size() == 1 &&
            chemins[0].endsWith(QStringLiteral(".json"), Qt::CaseInsensitive)) {
            ChargerSession(chemins[0]);
        } else {
            Deposer(chemins);
        }
    });
}
