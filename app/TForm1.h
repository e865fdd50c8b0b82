// The main window "LE MELANGE LINEAIRE INSTANTANNEE": its controls, menus and six OpenGL
// panels, the view state of the panels and the handlers of every user action. The workbench
// itself (sources, mixtures, means, matrix, settings, estimates, the last solve) is the core
// `A`, which the handlers call and the views listen to.
#pragma once

#include "atelier/Atelier.h"
#include "display/Pavage.h"
#include "fichiers/Session.h"
#include "interval/Box.h"
#include "interval/Canevas.h"
#include "signal/Generateurs.h"
#include "signal/Melange.h"
#include "sivia/Sivia.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QActionGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class TForm2;
class TFormAnalyse;
struct ResultatSivia;
class TImage;
class TMenuFichier;
class TOpenGLPanel;
class TRadioGroup;
class TStatusBar;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Controls.
    TImage* Image1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9,
        *Label10, *Label11, *Label12, *Label13;
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7;
    TOpenGLPanel *OpenGLPanel1, *OpenGLPanel2, *OpenGLPanel3, *OpenGLPanel4, *OpenGLPanel5,
        *OpenGLPanel6;
    TRadioGroup* RadioGroup1;
    QCheckBox* CheckBox1;
    QScrollBar *ScrollBar1, *ScrollBar2;
    TStatusBar* StatusBar1;
    // "Arrêter", in the status bar: shown while a long job runs, and stops it.
    QPushButton* ButtonArreter;
    // Under panels 1 and 2: the file each signal shown came from, with its rate.
    QLabel *LabelFrequence1, *LabelFrequence2;

    // Main menu.
    QMenu *ChoixdesSources1, *SourceUn, *SourceDeux, *Melange, *Affichage1, *Paramtres1;
    QAction *BruitBlancGaussien1, *BruitBlancUniforme1, *Cosinus1, *Sinus1, *BruitColoreGaussien1;
    QAction *BruitBlancGaussien2, *BruitBlancUniforme2, *Cosinus2, *Sinus2, *BruitColoreGaussien2;
    // The added kinds after the first five of each source menu, and the item that shows a
    // source read from a file (hidden until one is; chosen again, it reads the file again).
    QAction *SignalCarre1, *DentDeScie1, *BruitDeLaplace1, *FichierSource1;
    QAction *SignalCarre2, *DentDeScie2, *BruitDeLaplace2, *FichierSource2;
    QAction *ToutEffacer1, *EffacerPavage1, *Matricedemelange1, *GenerationdesMelanges1;
    QAction *SourcesAff, *MelangesAff, *DeriveeAff, *Nombredchantillons1;
    QAction* AnalyseSeparation1;
    // "Paramètres" › "Langue": French or English, remembered, applied at once.
    QMenu* Langue1;
    QAction *Francais1, *English1;
    TFormAnalyse* FormAnalyse = nullptr; // the analysis window, once opened

    // The workbench: its data and operations live in the core (atelier/Atelier.h); the window
    // shows them and calls the operations. `A` is that core.
private:
    std::unique_ptr<Atelier> Atelier_;

public:
    Atelier& A;

    // View state of the panels.
    double Profondeur1 = -20, Profondeur2 = -20, Profondeur3 = -20, Profondeur4 = -20,
           Profondeur5 = -20, Profondeur6 = -10;
    double Glisser6X = 0, Glisser6Y = 0;
    double* ProfondeurActive = &Profondeur1;
    bool Glisser6EnCours = false;
    double SourisX = 0, SourisY = 0;
    double Glisser1X = 0, Glisser1Y = 0, Decalage1X = 0, Decalage1Y = 0;
    double Glisser2X = 0, Glisser2Y = 0, Decalage2X = 0, Decalage2Y = 0;
    double Echelle1 = 1, Echelle2 = 1;
    double Decalage6X = 0, Decalage6Y = 0;
    TMenuFichier* MenuFichier = nullptr;

    // Bytes the workbench holds now (the core's arrays and boxes) with the window's own
    // summaries of them.
    std::uint64_t OctetsTenus() const;

    // Sources.
    void BruitBlancGaussien1Click();
    void BruitBlancUniforme1Click();
    void Cosinus1Click();
    void Sinus1Click();
    void BruitColoreGaussien1Click();
    void BruitBlancGaussien2Click();
    void BruitBlancUniforme2Click();
    void Cosinus2Click();
    void Sinus2Click();
    void BruitColoreGaussien2Click();

    // Mixing.
    void Matricedemelange1Click();
    void Edit1Change();
    void Edit2Change();
    void Edit3Change();
    void Edit4Change();
    void Button2Click();
    void Button3Click();
    void GenerationdesMelanges1Click();
    void ToutEffacer1Click();
    // "Effacer le pavage": frees the boxes of every solve and their summaries, and says in
    // the status bar how much memory that gave back.
    void EffacerPavage1Click();

    // Options, solver and paving image.
    void OptionsClick();
    void Button1Click();
    void Button4Click();
    void Image1MouseMove(Qt::KeyboardModifiers shift, int X, int Y);
    void Image1MouseUp(Qt::MouseButton bouton, Qt::KeyboardModifiers shift, int X, int Y);
    void FormClick();
    // Draws the box around the true demixing point on Image1, in the frame of the last solve.
    void DessinerBoiteSolution(Couleur pinceau, Couleur plume);

    // Analysis window: opening it, telling it what changed, and moving the estimates to a
    // point of the plane as pointing at Image1 does.
    void AnalyseSeparation1Click();
    void NoterResolution(const ResultatSivia& resultat, double secondes);
    void RafraichirAnalyse();
    // The analysis window follows new mixtures, solves and "Tout Effacer".
    void Ecouter(unsigned changements);
    void EstimerAuPoint(double x, double y);

    // Plots.
    void SourcesAffClick();
    void MelangesAffClick();
    void DeriveeAffClick();
    void RadioGroup1Click();
    void CheckBox1Click();
    void ScrollBar1Change();
    void ScrollBar2Change();
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    void OpenGLPanel1MouseDown(Qt::MouseButton bouton, Qt::KeyboardModifiers shift, int X, int Y);
    void OpenGLPanel1MouseUp(Qt::MouseButton bouton, Qt::KeyboardModifiers shift, int X, int Y);
    void OpenGLPanel1DblClick();
    void OpenGLPanel2MouseDown(Qt::MouseButton bouton, Qt::KeyboardModifiers shift, int X, int Y);
    void OpenGLPanel2MouseUp(Qt::MouseButton bouton, Qt::KeyboardModifiers shift, int X, int Y);
    void OpenGLPanel2DblClick();
    void OpenGLPanel1Init();
    void OpenGLPanel1Resize();
    void OpenGLPanel1Paint();
    void OpenGLPanel2Init();
    void OpenGLPanel2Resize();
    void OpenGLPanel2Paint();
    void OpenGLPanel3Init();
    void OpenGLPanel3Resize();
    void OpenGLPanel3Paint();
    void OpenGLPanel4Init();
    void OpenGLPanel4Resize();
    void OpenGLPanel4Paint();
    void OpenGLPanel5Init();
    void OpenGLPanel5Resize();
    void OpenGLPanel5Paint();

    // Paving view.
    void OpenGLPanel6Init();
    void OpenGLPanel6Paint();
    void OpenGLPanel6DblClick();
    void OpenGLPanel6MouseDown(Qt::MouseButton bouton, Qt::KeyboardModifiers shift, int X, int Y);
    void OpenGLPanel6MouseMove(Qt::KeyboardModifiers shift, int X, int Y);
    void OpenGLPanel6MouseUp(Qt::MouseButton bouton, Qt::KeyboardModifiers shift, int X, int Y);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void closeEvent(QCloseEvent* evenement) override;
    void wheelEvent(QWheelEvent* evenement) override;
    void changeEvent(QEvent* evenement) override;

private:
    void CreerControles();
    void CreerMenus();
    void RelierEvenements();
    // The window's texts in the current language: the fixed ones, then those that tell a state.
    void Retraduire();
    void LangueClick(const QString& langue);
    // The caption of the interval ends before its box, however wide its font and language.
    void PlacerLegendeMoments();
    void GenererSourceUn(TypeSource type);
    void GenererSourceDeux(TypeSource type);
    void GenererSourceLongue(int k, TypeSource type);
    // How the estimates follow the pointer over Image1 ("Au clic": on release only), as the
    // settings say: the click readout and the cross-hair cursor that go with it.
    void AfficherModeEstimation();
    // What the window's controls do when the workbench changes.
    void SuivreAtelier(unsigned changements);
    // The source menus' check marks, the captions under panels 1 and 2, the matrix editor
    // and what panels 1 and 2 show, after a change of the sources, mixtures or matrix.
    void SuivreSignaux(unsigned changements);
    void CocherOrigine(int k);
    void AfficherFrequences();
    void AfficherEditeur(bool visible);
    void ChoisirAffichage(QAction* item, const QString& titre1, const QString& titre2);
    void RepeindrePanneauxEstimation();
    void PeindreSignal(const QActionGroup* sortes, const std::vector<double>& source,
                       const std::vector<double>& melange, const std::vector<double>& derivee,
                       double glisserX, double glisserY, double& decalageX, double& decalageY,
                       double profondeur);
    void PeindreEstimation(const std::vector<double>& estimee, const std::vector<double>& derivee,
                           const std::vector<double>& source, double echelle, double profondeur);
    std::pair<double, double> ParametresPixel(int X, int Y) const;
    void AfficherDecorrelations();
    VuePavage Vue6() const;
    void AfficherPositionPavage();
    void RepeindreTousLesPanneaux();
    // Brings panel 6's summary up to date by at most `boites` boxes; true once it is.
    bool SuivrePavage(std::uint64_t boites);

    // The check marks of the menus as the handlers left them.
    void RetenirCoches();
    void RetablirCoches();

    QActionGroup *GroupeSource1_, *GroupeSource2_, *GroupeMatrice_, *GroupeAffichage_;
    // Each source menu's kinds in the order of TypeSource.
    std::array<QAction*, 8> SortesSource1_{}, SortesSource2_{};
    std::vector<bool> CochesRetenues_;
    int PointeurPavageX_ = 0, PointeurPavageY_ = 0; // last pointer position over panel 6
    // Panel 6's summary of many boxes, fed by the solve as it runs.
    std::unique_ptr<ResumePavage> Resume6_;
};

// The main window and the Options dialog last opened (none until then).
extern TForm1* Form1;
extern TForm2* Form2;

// The parameter pair under the latest pointer move over the paving image.
extern double PointImageX;
extern double PointImageY;
