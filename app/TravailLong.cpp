#include "app/TravailLong.h"

#include "app/toolkit/TStatusBar.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

TravailLong* TravailLong::Courant_ = nullptr;

namespace {

// Escape anywhere in the program asks the running job to stop.
class FiltreEchap : public QObject {
public:
    explicit FiltreEchap(TravailLong& travail) : Travail(travail) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_Escape) {
            Travail.DemanderArret();
            return true;
        }
        return QObject::eventFilter(objet, evenement);
    }

private:
    TravailLong& Travail;
};

} // namespace

TravailLong::TravailLong(QMainWindow* fenetre, TStatusBar* barre, int panneau, QPushButton* arreter)
    : Fenetre_(fenetre), Barre_(barre), Panneau_(panneau), Arreter_(arreter),
      TexteAvant_(barre->PanelText(panneau)), Filtre_(std::make_unique<FiltreEchap>(*this)) {
    Courant_ = this;
    Fenetre_->setCursor(Qt::BusyCursor);
    qApp->installEventFilter(Filtre_.get());
    Debut_.start();
    Tranche_.start();
}

TravailLong::~TravailLong() {
    qApp->removeEventFilter(Filtre_.get());
    if (Occupation_) {
        for (const QPointer<QWidget>& w : Desactives_) {
            if (w) {
                w->setEnabled(true);
            }
        }
        Arreter_->hide();
        Barre_->SetPanelText(Panneau_, TexteAvant_);
        if (FocusAvant_) {
            FocusAvant_->setFocus();
        }
    }
    Fenetre_->unsetCursor();
    Courant_ = nullptr;
}

// Shown only once the job outlasts its first slice.
void TravailLong::MontrerOccupation() {
    Occupation_ = true;
    FocusAvant_ = QApplication::focusWidget();
    auto desactiver = [this](QWidget* w) {
        if (w != nullptr && w->isEnabled()) {
            w->setEnabled(false);
            Desactives_.emplace_back(w);
        }
    };
    desactiver(Fenetre_->centralWidget());
    desactiver(Fenetre_->menuBar());
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != Fenetre_ && w->isVisible()) {
            desactiver(w);
        }
    }
    Arreter_->show();
    Arreter_->setFocus();
}

bool TravailLong::Respirer(const QString& progres, const std::function<void()>& montrer) {
    if (!Occupation_) {
        MontrerOccupation();
    }
    if (!Affichage_.isValid() || Affichage_.elapsed() >= PeriodeAffichageMs) {
        Affichage_.start();
        Barre_->SetPanelText(Panneau_, progres);
        if (montrer) {
            montrer();
        }
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    Tranche_.restart();
    return !ArretDemande_;
}

RappelAvancement TravailLong::Rappel(const QString& quoi) {
    return [this, quoi](double fait) {
        if (!TrancheFinie()) {
            return !ArretDemande_;
        }
        return Respirer(QCoreApplication::translate("TravailLong", "%1 : %2 % — Échap pour arrêter")
                            .arg(quoi, QLocale().toString(100.0 * fait, 'f', 1)));
    };
}
