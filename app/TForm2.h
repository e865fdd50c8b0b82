// The Options dialog: N, the search bounds, the SIVIA precision, the storage of pending
// boxes, how the estimates follow the mouse, the constraints (with the delays of the delayed
// decorrelation) and "Show Solution". Modeless; "Valider" writes the values into the main
// window's state and closes the dialog; delays the settings' rules refuse keep it open.
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TForm1;
class TRadioGroup;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(TForm1* principale);

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5;
    QLineEdit* EditRetards; // the delays of "Décorrélation retardée", as typed
    QPlainTextEdit* Memo1;
    TRadioGroup *RadioGroup1, *RadioGroup2;
    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4;
    QCheckBox* CheckBoxRetards;       // "Décorrélation retardée"
    QCheckBox* CheckBoxCumulants;     // "Cumulants d'ordre 4"
    QCheckBox* CheckBoxKurtosis;      // "Kurtosis (contraste d'ordre 4)"
    QCheckBox* CheckBoxNeguentropie;  // "Néguentropie"
    QCheckBox* CheckBoxSommeKurtosis; // "Somme des kurtosis (contraste d'ordre 4)"
    QPushButton* Button1;

    // Fills the controls from the main window's state.
    void Remplir();
    void Button1Click();

protected:
    void changeEvent(QEvent* evenement) override;

private:
    TForm1* Principale;
};
