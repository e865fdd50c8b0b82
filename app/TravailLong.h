// TravailLong: a long job (a solve, a large generation, an analysis, file work) run in
// slices on the GUI thread, with its progress in the status bar and a way to stop it.
//
// Threading: the job runs inside the handler that starts it, and between two slices the
// pending events are processed (QCoreApplication::processEvents). Handlers thus stay
// synchronous (a command has its result when it returns), drawing and the box lists need no
// locks, and results are bit-identical to a run in one piece by construction. While a job
// runs, what could change what it works on is out of reach: the window's menus and controls
// and the other windows are disabled, and the commands refuse to start (EnCours()). Only
// the "Arrêter" button of the status bar and the Escape key answer: they ask the job to
// stop, which it does at the end of the current slice. A slice lasts about 30 ms, so the
// window answers well under 100 ms. Nothing changes on screen for a job that ends within its
// first slice, so short commands cost no more than before.
#pragma once

#include "signal/Avancement.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QMainWindow;
class QObject;
class QPushButton;
class QWidget;
class TStatusBar;

class TravailLong {
public:
    // Length of a slice between two event processings.
    static constexpr int DureeTrancheMs = 25;
    // The progress (and what the job draws) is shown this often: each showing costs a paint
    // of the window, which the slices between two showings do not pay.
    static constexpr int PeriodeAffichageMs = 250;

    // Starts a job on `fenetre` (busy cursor at once); `arreter` is the stop control and
    // `panneau` the status bar's panel that shows the progress.
    TravailLong(QMainWindow* fenetre, TStatusBar* barre, int panneau, QPushButton* arreter);
    // Puts the window back as it was: controls, cursor, status text, stop control hidden.
    ~TravailLong();
    TravailLong(const TravailLong&) = delete;
    TravailLong& operator=(const TravailLong&) = delete;

    // True once the current slice has lasted DureeTrancheMs.
    bool TrancheFinie() const { return Tranche_.elapsed() >= DureeTrancheMs; }
    // Ends a slice: lets the window answer and starts the next slice; at most every
    // PeriodeAffichageMs, first shows `progres` and runs `montrer` (e.g. asks for a repaint of
    // what the job draws). False when the user has asked to stop.
    bool Respirer(const QString& progres, const std::function<void()>& montrer = {});
    bool ArretDemande() const { return ArretDemande_; }
    void DemanderArret() { ArretDemande_ = true; }
    // Milliseconds since the job started.
    qint64 Duree() const { return Debut_.elapsed(); }

    // A progress for the Qt-free computations: every slice shows "<quoi> : n %".
    RappelAvancement Rappel(const QString& quoi);

    // True while a job runs anywhere in the program.
    static bool EnCours() { return Courant_ != nullptr; }
    // The job running now, if any.
    static TravailLong* Courant() { return Courant_; }

private:
    void MontrerOccupation();

    static TravailLong* Courant_;
    QMainWindow* Fenetre_;
    TStatusBar* Barre_;
    int Panneau_;
    QPushButton* Arreter_;
    QString TexteAvant_;
    QPointer<QWidget> FocusAvant_;
    std::unique_ptr<QObject> Filtre_;
    std::vector<QPointer<QWidget>> Desactives_;
    QElapsedTimer Debut_, Tranche_, Affichage_;
    bool Occupation_ = false;
    bool ArretDemande_ = false;
};
