// The "Fichier" menu: its items, the added source kinds, the drag and drop, the labels.
#include "app/TMenuFichier.h"

#include "app/TForm1.h"
#include "app/TravailLong.h"
#include "app/toolkit/BoiteMessage.h"
#include "fichiers/ErreurFichier.h"
#include "fichiers/LectureSignal.h"
#include "signal/Memoire.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
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
    AjouterSortes();
    QWidget* client = F_->centralWidget();
    LabelFrequence1 = new QLabel(client);
    LabelFrequence1->setGeometry(232, 146, 257, 14);
    LabelFrequence2 = new QLabel(client);
    LabelFrequence2->setGeometry(520, 146, 257, 14);
    // The window's own handler clears the origins (or refuses during a long job): the file
    // items and the rates follow what it left.
    connect(F_->ToutEffacer1, &QAction::triggered, this, [this] {
        FichierSource1->setVisible(F_->A.OrigineSource1.sorte == OrigineSignal::Sorte::Fichier);
        FichierSource2->setVisible(F_->A.OrigineSource2.sorte == OrigineSignal::Sorte::Fichier);
        AfficherFrequences();
    });
    // The captions under panels 1 and 2 name the files the signals shown came from.
    F_->A.Annonces.Ecouter([this](unsigned changements) {
        if (changements & (ChangementSources | ChangementMelanges)) {
            AfficherFrequences();
        }
    });
    F_->setAcceptDrops(true);
    F_->installEventFilter(this);
    F_->RetenirCoches(); // the source menus have more items now
}

void TMenuFichier::Relier(QAction* action, std::function<void()> gestionnaire) {
    connect(action, &QAction::triggered, this, [this, gestionnaire] {
        F_->RetablirCoches();
        // Nothing may change what a running job works on (a shortcut reaches here too).
        if (!TravailLong::EnCours()) {
            Proteger(gestionnaire);
        }
        F_->RetenirCoches();
    });
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

void TMenuFichier::AjouterSortes() {
    const auto sorte = [this](QMenu* menu, QActionGroup* groupe, const QString& texte) {
        QAction* a = menu->addAction(texte);
        a->setCheckable(true);
        groupe->addAction(a);
        return a;
    };
    SignalCarre1 = sorte(F_->SourceUn, F_->GroupeSource1_, QT_TR_NOOP("Signal carré"));
    DentDeScie1 = sorte(F_->SourceUn, F_->GroupeSource1_, QT_TR_NOOP("Dent de scie"));
    BruitDeLaplace1 = sorte(F_->SourceUn, F_->GroupeSource1_, QT_TR_NOOP("Bruit de Laplace"));
    FichierSource1 = sorte(F_->SourceUn, F_->GroupeSource1_, QString());
    SignalCarre2 = sorte(F_->SourceDeux, F_->GroupeSource2_, QT_TR_NOOP("Signal carré"));
    DentDeScie2 = sorte(F_->SourceDeux, F_->GroupeSource2_, QT_TR_NOOP("Dent de scie"));
    BruitDeLaplace2 = sorte(F_->SourceDeux, F_->GroupeSource2_, QT_TR_NOOP("Bruit de Laplace"));
    FichierSource2 = sorte(F_->SourceDeux, F_->GroupeSource2_, QString());
    FichierSource1->setVisible(false);
    FichierSource2->setVisible(false);
    const struct {
        QAction* item;
        TypeSource type;
        int source;
    } liaisons[] = {
        {SignalCarre1, TypeSource::SignalCarre, 1},
        {DentDeScie1, TypeSource::DentDeScie, 1},
        {BruitDeLaplace1, TypeSource::BruitDeLaplace, 1},
        {SignalCarre2, TypeSource::SignalCarre, 2},
        {DentDeScie2, TypeSource::DentDeScie, 2},
        {BruitDeLaplace2, TypeSource::BruitDeLaplace, 2},
    };
    for (const auto& l : liaisons) {
        Relier(l.item, [this, l] {
            if (l.source == 1) {
                F_->GenererSourceUn(l.type, l.item);
            } else {
                F_->GenererSourceDeux(l.type, l.item);
            }
            AfficherFrequences();
        });
    }
    // A file item chosen again reads its file again.
    Relier(FichierSource1, [this] { ChargerSource(1, FichierSource1->data().toString()); });
    Relier(FichierSource2, [this] { ChargerSource(2, FichierSource2->data().toString()); });
    // The generated kinds of the window's own items clear the file labels.
    for (QActionGroup* groupe : {F_->GroupeSource1_, F_->GroupeSource2_}) {
        connect(groupe, &QActionGroup::triggered, this, [this] { AfficherFrequences(); });
    }
}

void TMenuFichier::CocherFichier(int k, const QString& chemin, const QString& nom) {
    QAction* item = k == 1 ? FichierSource1 : FichierSource2;
    item->setData(chemin);
    item->setText(nom);
    item->setVisible(true);
    item->setChecked(true);
}

void TMenuFichier::AfficherFrequences() {
    const auto texte = [](const OrigineSignal& o, double frequence, const QString& prefixe) {
        if (o.sorte != OrigineSignal::Sorte::Fichier) {
            return QString();
        }
        return prefixe + QFileInfo(QString::fromStdString(o.Chemin)).fileName() +
               QStringLiteral(" — ") + QString::fromStdString(TexteFrequence(frequence));
    };
    const RecetteMelanges& r = F_->A.RecetteMelangesCourante;
    if (r.sorte == RecetteMelanges::Sorte::Lues) {
        LabelFrequence1->setText(texte(r.Signal1, F_->A.FrequenceMelanges, tr("x1 : ")));
        LabelFrequence2->setText(texte(r.Signal2, F_->A.FrequenceMelanges, tr("x2 : ")));
    } else {
        LabelFrequence1->setText(texte(F_->A.OrigineSource1, F_->A.FrequenceSource1, QString()));
        LabelFrequence2->setText(texte(F_->A.OrigineSource2, F_->A.FrequenceSource2, QString()));
    }
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
            F_->RetablirCoches();
            Proteger([&] { Deposer(chemins); });
            F_->RetenirCoches();
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
    F_->RetablirCoches();
    Proteger([&] {
        if (chemins.size() == 1 &&
            chemins[0].endsWith(QStringLiteral(".json"), Qt::CaseInsensitive)) {
            ChargerSession(chemins[0]);
        } else {
            Deposer(chemins);
        }
    });
    F_->RetenirCoches();
}
