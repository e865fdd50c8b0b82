// The "Fichier" menu of the main window, first in its menu bar: opening sources and mixtures
// from audio or text files, the example voices, writing the estimated sources, the mixtures,
// the paving and the pictures, sessions; the drag and drop of files onto the window.
// It shows the dialogs and calls the core's operations (F_->A); the window's menus, captions,
// matrix editor and panels follow the core's notices, not this menu.
#pragma once

#include "signal/Avancement.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class TForm1;

class TMenuFichier : public QObject {
    Q_OBJECT
public:
    explicit TMenuFichier(TForm1* fenetre);

    QMenu* Fichier1;
    QAction *OuvrirSource1, *OuvrirSource2, *OuvrirMelanges, *DeuxVoix;
    QAction *EnregistrerEstimees, *EnregistrerMelanges, *ExporterPavage, *EnregistrerImage;
    QAction* EnregistrerPanneau[6];
    QAction *OuvrirSession, *EnregistrerSession;

    // Where a drop of files goes: returns the index of the chosen entry, -1 to cancel. The
    // real one pops a menu up under the pointer; tests install their own.
    static std::function<int(const QStringList& choix)> ChoisirDepot;

    // The handlers (each runs inside the window's handler wrapper).
    void OuvrirSourceClick(int k);
    void OuvrirMelangesClick();
    void DeuxVoixClick();
    void EnregistrerEstimeesClick();
    // The analysis window's cluster table: moves the estimates to (x, y), then saves them.
    void EnregistrerEstimeesEn(double x, double y);
    void EnregistrerMelangesClick();
    void ExporterPavageClick();
    void EnregistrerImageClick();
    void EnregistrerPanneauClick(int panneau);
    void OuvrirSessionClick();
    void EnregistrerSessionClick();

    // The window's file item of source k chosen again: reads its file again.
    void RelireSource(int k, const QString& chemin);

    // Loading, also used by drag and drop.
    void ChargerSource(int k, const QString& chemin);
    void ChargerMelanges(const QStringList& chemins);
    void ChargerSession(const QString& chemin);
    void Deposer(const QStringList& chemins);
    // The files given to the program at start-up: a session alone opens as a session, other
    // files go where a drop of them goes.
    void Ouvrir(const QStringList& chemins);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void CreerMenu();
    void Relier(QAction* action, std::function<void()> gestionnaire);
    // Says when the two sources differ in length (N is the shorter's).
    void SignalerLongueurs(const QString& pourquoi);
    QString CheminEnregistrement(const QString& titre, const QString& filtre);
    // Runs `travail` as a long job of the window (progress "<quoi> : n %", Escape and
    // "Arrêter"); false when the user stopped it, after telling `arret`.
    bool Travailler(const QString& quoi, const QString& arret,
                    const std::function<void(const RappelAvancement&)>& travail);
    // The same for the writing of the file `chemin`; the message says the file is untouched.
    bool Ecrire(const QString& chemin, const std::function<void(const RappelAvancement&)>& ecrire);

    TForm1* F_;
};
