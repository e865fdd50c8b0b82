#include "app/TForm2.h"

#include "app/TForm1.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/Conversions.h"
#include "app/toolkit/Disposition.h"
#include "app/toolkit/Police.h"
#include "app/toolkit/Retraduction.h"
#include "app/toolkit/TImage.h"
#include "app/toolkit/TRadioGroup.h"
#include "sivia/Retards.h"
#include "sivia/Sivia.h"

#include <QCheckBox>
#include <QLabel>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <limits>

TForm2::TForm2(TForm1* principale) : QWidget(principale, Qt::Window), Principale(principale) {
    setWindowTitle(QT_TR_NOOP("Options"));
    setFont(PoliceFenetres());
    move(61, 152);
    setFixedSize(290, 661);

    Label1 = Etiquette(this, QT_TR_NOOP("Saisir le nombre d'échantillons   N="), 0, 32);
    // Right of its caption, however wide the display's font makes it.
    Edit1 = Placer(new QLineEdit(this), std::max(168, Label1->geometry().right() + 4), 32, 57, 21);
    Label2 = Etiquette(this, QT_TR_NOOP("0<N<10^6"), 72, 56);
    Label3 = Etiquette(this, QT_TR_NOOP("Borne pour X"), 88, 80);
    Edit2 = Placer(new QLineEdit(this), 168, 80, 41, 21);
    Edit3 = Placer(new QLineEdit(this), 216, 80, 41, 21);
    Label4 = Etiquette(this, QT_TR_NOOP("Borne pour Y"), 88, 112);
    Edit4 = Placer(new QLineEdit(this), 168, 112, 41, 21);
    Edit5 = Placer(new QLineEdit(this), 216, 112, 41, 21);
    Label5 = Etiquette(this, QT_TR_NOOP("Précision pour SIVIA"), 24, 160);
    Memo1 = Placer(new QPlainTextEdit(this), 32, 176, 81, 25);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RadioGroup1 =
        Placer(new TRadioGroup(QT_TR_NOOP("Stockage"),
                               {QT_TR_NOOP("stack (pile)"), QT_TR_NOOP("queue (file)")}, this),
               161, 144, 105, 97);
    RadioGroup2 =
        Placer(new TRadioGroup(QT_TR_NOOP("Affichage des Sources Estimées"),
                               {QT_TR_NOOP("Au clic"), QT_TR_NOOP("Tout le temps ")}, this),
               24, 264, 193, 73);
    CheckBox4 = Placer(new QCheckBox(QT_TR_NOOP("Show Solution"), this), 168, 344, 97, 17);
    Label6 = Etiquette(this, QT_TR_NOOP("Contrainte(s) Activée(s)"), 32, 376);
    CheckBox1 =
        Placer(new QCheckBox(QT_TR_NOOP("Décorrélation des Sources"), this), 32, 400, 217, 17);
    CheckBox2 = Placer(new QCheckBox(QT_TR_NOOP("Décorrélation des Dérivées des Sources"), this),
                       32, 424, 225, 17);
    CheckBox3 = Placer(new QCheckBox(QT_TR_NOOP("Moment d'ordre supérieur E[s1s2^3]"), this), 32,
                       448, 225, 17);
    CheckBoxCumulants =
        Placer(new QCheckBox(QT_TR_NOOP("Cumulants d'ordre 4"), this), 32, 472, 225, 17);
    CheckBoxKurtosis =
        Placer(new QCheckBox(QT_TR_NOOP("Kurtosis (contraste d'ordre 4)"), this), 32, 496, 225, 17);
    CheckBoxNeguentropie =
        Placer(new QCheckBox(QT_TR_NOOP("Néguentropie"), this), 32, 520, 113, 17);
    CheckBoxSommeKurtosis =
        Placer(new QCheckBox(QT_TR_NOOP("Somme des kurtosis (contraste d'ordre 4)"), this), 32, 544,
               250, 17);
    CheckBoxRetards =
        Placer(new QCheckBox(QT_TR_NOOP("Décorrélation retardée"), this), 32, 568, 225, 17);
    Label7 = Etiquette(this, QT_TR_NOOP("Retards"), 48, 596);
    // Right of its caption, however wide the display's font makes it.
    const int gaucheRetards = std::max(104, Label7->geometry().right() + 6);
    EditRetards = Placer(new QLineEdit(this), gaucheRetards, 592, 266 - gaucheRetards, 21);
    EditRetards->setToolTip(QT_TR_NOOP("Entiers distincts de 1 à N/2, séparés par des "
                                       "virgules, par exemple 1,2,4,8"));
    Button1 = Placer(new QPushButton(QT_TR_NOOP("Valider"), this), 96, 628, 75, 25);

    connect(Button1, &QPushButton::clicked, this, Protege([this] { Button1Click(); }));
    Retraduire(this, {"TForm2"});
}

void TForm2::changeEvent(QEvent* evenement) {
    if (evenement->type() == QEvent::LanguageChange) {
        Retraduire(this, {"TForm2"});
    }
    QWidget::changeEvent(evenement);
}

void TForm2::Remplir() {
    const Reglages& f = Principale->A.ReglagesCourants;
    Edit1->setText(QString::number(f.NbEchantillons));
    Edit2->setText(FloatToStr(f.BorneInfX));
    Edit3->setText(FloatToStr(f.BorneSupX));
    Edit4->setText(FloatToStr(f.BorneInfY));
    Edit5->setText(FloatToStr(f.BorneSupY));
    Memo1->setPlainText(FloatToStr(f.PrecisionSivia));
    RadioGroup1->SetItemIndex(int(f.Stockage));
    CheckBox1->setChecked(f.ContrainteDecorrelation);
    CheckBox2->setChecked(f.ContrainteDecorrelationDerivees);
    CheckBox3->setChecked(f.ContrainteMomentOrdre4);
    CheckBoxCumulants->setChecked(f.ContrainteCumulants);
    CheckBoxKurtosis->setChecked(f.ContrainteKurtosis);
    CheckBoxNeguentropie->setChecked(f.ContrainteNeguentropie);
    CheckBoxSommeKurtosis->setChecked(f.ContrainteSommeKurtosis);
    CheckBoxRetards->setChecked(f.ContrainteDecorrelationRetardee);
    EditRetards->setText(QString::fromStdString(f.Retards));
    CheckBox4->setChecked(f.MontrerSolution);
    RadioGroup2->SetItemIndex(f.EstimationAuClic ? 0 : 1);
}

void TForm2::Button1Click() {
    Reglages f = Principale->A.ReglagesCourants;
    // The delays first, by the settings' own rule (their form always, as a session's; their
    // bound N/2 with the N typed when the constraint is on): refused, nothing is stored and
    // the dialog stays open on the message naming them.
    const std::string retards = EditRetards->text().toStdString();
    const std::size_t sansBorne = 2 * std::size_t(std::numeric_limits<int>::max());
    const LectureRetards lus =
        LireRetards(retards, CheckBoxRetards->isChecked()
                                 ? std::size_t(std::max(0, LireEntierPrefixe(Edit1->text())))
                                 : sansBorne);
    if (!lus.Erreur.empty()) {
        MessageBox(QString::fromStdString(lus.Erreur), tr("Erreur!"));
        EditRetards->setFocus();
        return;
    }
    // Each value is stored as soon as it is read: a precision that does not convert ends the
    // handler with N and the bounds stored and the dialog still open.
    f.NbEchantillons = LireEntierPrefixe(Edit1->text());
    f.BorneInfX = float(LireReelPrefixe(Edit2->text()));
    f.BorneSupX = float(LireReelPrefixe(Edit3->text()));
    f.BorneInfY = float(LireReelPrefixe(Edit4->text()));
    f.BorneSupY = float(LireReelPrefixe(Edit5->text()));
    try {
        f.PrecisionSivia = StrToFloat(Memo1->toPlainText());
    } catch (...) {
        Principale->A.AdopterReglages(f);
        throw;
    }
    f.Stockage = RadioGroup1->ItemIndex() == 0 ? StockagePile : StockageFile;
    f.ContrainteDecorrelation = CheckBox1->isChecked();
    f.ContrainteDecorrelationDerivees = CheckBox2->isChecked();
    f.ContrainteMomentOrdre4 = CheckBox3->isChecked();
    f.ContrainteCumulants = CheckBoxCumulants->isChecked();
    f.ContrainteKurtosis = CheckBoxKurtosis->isChecked();
    f.ContrainteNeguentropie = CheckBoxNeguentropie->isChecked();
    f.ContrainteSommeKurtosis = CheckBoxSommeKurtosis->isChecked();
    f.ContrainteDecorrelationRetardee = CheckBoxRetards->isChecked();
    f.Retards = retards;
    f.MontrerSolution = CheckBox4->isChecked();
    f.EstimationAuClic = RadioGroup2->ItemIndex() == 0;

    if (CheckBox4->isChecked()) {
        Principale->DessinerBoiteSolution(CouleurNoire, CouleurNoire);
    }
    // The window hears the new settings and shows the estimates' mode they choose.
    Principale->A.AdopterReglages(f);
    close();
}
