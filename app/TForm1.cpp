// The main window: its controls, menus and panels at their places, and the wiring of every
// event to its handler.
#include "app/TForm1.h"

#include "app/Langue.h"
#include "app/TFormAnalyse.h"
#include "app/TMenuFichier.h"
#include "app/TravailLong.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/Disposition.h"
#include "app/toolkit/Police.h"
#include "app/toolkit/Retraduction.h"
#include "app/toolkit/TImage.h"
#include "app/toolkit/TRadioGroup.h"
#include "app/toolkit/TStatusBar.h"
#include "display/ResumePavage.h"
#include "display/TOpenGLPanel.h"
#include "display/Traces.h"
#include "interval/Traduction.h"
#include "signal/Memoire.h"
#include "sivia/Sivia.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <functional>

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;

namespace {

constexpr int LargeurClient = 902;
constexpr int HauteurClient = 613;
constexpr int HauteurBarreEtat = 28;

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent), Atelier_(std::make_unique<Atelier>()), A(*Atelier_),
      Resume6_(std::make_unique<ResumePavage>()) {
    Form1 = this;
    // The core's sentences shown here write numbers as the window does.
    PoserMarqueDecimale(QLocale().decimalPoint().toStdString());
    setWindowTitle(QT_TR_NOOP("LE MELANGE LINEAIRE INSTANTANNEE"));
    setFont(PoliceFenetres());
    CreerControles();
    CreerMenus();
    RelierEvenements();
    A.Annonces.Ecouter([this](unsigned changements) { SuivreAtelier(changements); });
    MenuFichier = new TMenuFichier(this);
    Retraduire();
    // The budget is read from the machine now, and counts what this window holds.
    BudgetMemoire();
    FixerCompteurMemoire([this] { return OctetsTenus(); });
    move(94, 56);
    resize(LargeurClient, HauteurClient + menuBar()->sizeHint().height());
}

TForm1::~TForm1() {
    PoserMarqueDecimale({});
    FixerCompteurMemoire(nullptr);
    qApp->removeEventFilter(this);
    if (Form1 == this) {
        Form1 = nullptr;
    }
}

void TForm1::SuivreAtelier(unsigned changements) {
    // The controls first: the analysis window may then read them as they now are.
    SuivreSignaux(changements);
    Ecouter(changements);
    if (changements & ChangementReglages) {
        AfficherModeEstimation();
    }
    if (changements & ChangementEstimees) {
        RepeindrePanneauxEstimation();
    }
}

std::uint64_t TForm1::OctetsTenus() const {
    std::uint64_t octets = A.OctetsTenus();
    octets += Resume6_->Octets();
    if (FormAnalyse != nullptr) {
        octets += FormAnalyse->OctetsResume();
    }
    return octets + OctetsTamponsTraces();
}

void TForm1::CreerControles() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(LargeurClient, HauteurClient - HauteurBarreEtat);
    client->setAutoFillBackground(true);
    client->setBackgroundRole(QPalette::Button);
    client->installEventFilter(this);
    setCentralWidget(client);

    Image1 = Placer(new TImage(337, 321, client), 72, 216, 337, 321);

    Label1 = Etiquette(client, QT_TR_NOOP("x :"), 88, 192, 89, 13);
    Label2 = Etiquette(client, QT_TR_NOOP("y :"), 184, 192, 89, 21);
    Label3 = Etiquette(client, QT_TR_NOOP("Source 1"), 320, 8);
    Label4 = Etiquette(client, QT_TR_NOOP("Source 2"), 616, 8);
    Label5 = Etiquette(client, QT_TR_NOOP("Matrice de Mélange"), 96, 16);
    Label6 = Etiquette(client, QT_TR_NOOP("Source Estimée 1"), 440, 248);
    Label7 = Etiquette(client, QT_TR_NOOP("Source Estimée 2"), 440, 393); // below panel 3
    Label9 = Etiquette(client, QT_TR_NOOP("x clic :"), 448, 232, 104, 13);
    Label10 = Etiquette(client, QT_TR_NOOP("y clic :"), 584, 232, 104, 13);
    Label11 = Etiquette(client, QT_TR_NOOP("Moment croisés dans l'interval [-x x], x="), 232, 176);
    Label8 = Etiquette(client, QT_TR_NOOP("Distribution conjointe estimée"), 720, 256);
    Label12 = Etiquette(client, QT_TR_NOOP("Echelle signal 1"), 824, 472);
    Label13 = Etiquette(client, QT_TR_NOOP("Echelle signal 2"), 824, 504);
    for (QLabel* etiquette : {Label2, Label10, Label11}) {
        etiquette->setProperty("placeInitiale", etiquette->x());
    }
    Label5->hide();
    Label9->hide();
    Label10->hide();
    Label12->hide();
    Label13->hide();

    Button1 = Placer(new QPushButton(QT_TR_NOOP("Solver"), client), 536, 160, 75, 25);

    OpenGLPanel1 = Placer(new TOpenGLPanel(client), 232, 24, 257, 121);
    OpenGLPanel2 = Placer(new TOpenGLPanel(client), 520, 24, 257, 121);

    Edit1 = Placer(new QLineEdit(client), 88, 40, 41, 21);
    Edit2 = Placer(new QLineEdit(client), 152, 40, 41, 21);
    Edit3 = Placer(new QLineEdit(client), 88, 72, 41, 21);
    Edit4 = Placer(new QLineEdit(client), 152, 72, 41, 21);
    Button2 = Placer(new QPushButton(QT_TR_NOOP("Valider"), client), 144, 104, 57, 25);
    Button3 = Placer(new QPushButton(QT_TR_NOOP("Aléatoire"), client), 80, 104, 57, 25);
    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2),
                       static_cast<QWidget*>(Edit3), static_cast<QWidget*>(Edit4),
                       static_cast<QWidget*>(Button2), static_cast<QWidget*>(Button3)}) {
        w->hide();
    }

    Edit5 = Placer(new QLineEdit(QStringLiteral("0,5"), client), 416, 176, 9, 21);
    PlacerLegendeMoments();

    OpenGLPanel3 = Placer(new TOpenGLPanel(client), 448, 272, 241, 121);
    OpenGLPanel4 = Placer(new TOpenGLPanel(client), 440, 408, 241, 121);
    OpenGLPanel5 = Placer(new TOpenGLPanel(client), 728, 280, 121, 121);

    RadioGroup1 = Placer(
        new TRadioGroup(QT_TR_NOOP("Affichage de l'estimation des "),
                        {QT_TR_NOOP("Sources"), QT_TR_NOOP("Dérivée Sources"), QT_TR_NOOP("Aucun")},
                        client),
        688, 168, 153, 65);
    RadioGroup1->setEnabled(false);

    CheckBox1 = Placer(new QCheckBox(QT_TR_NOOP("Superposition des sources réelles"), client), 696,
                       432, 185, 17);
    CheckBox1->resize(std::max(CheckBox1->width(), CheckBox1->sizeHint().width()), 17);

    ScrollBar1 = Placer(new QScrollBar(Qt::Horizontal, client), 688, 472, 121, 16);
    ScrollBar2 = Placer(new QScrollBar(Qt::Horizontal, client), 688, 504, 121, 17);
    for (QScrollBar* barre : {ScrollBar1, ScrollBar2}) {
        barre->setRange(-1000, 1000);
        barre->setPageStep(0);
        barre->setSingleStep(1);
        barre->setValue(10);
        barre->hide();
    }

    Edit6 = Placer(new QLineEdit(QStringLiteral("Edit6"), client), 792, 24, 9, 21);
    Edit7 = Placer(new QLineEdit(QStringLiteral("Edit7"), client), 792, 64, 9, 21);

    OpenGLPanel6 = Placer(new TOpenGLPanel(client), 408, 560, 17, 17);
    OpenGLPanel6->setMouseTracking(true); // the position readout follows the pointer

    StatusBar1 = new TStatusBar(
        {{QT_TR_NOOP("Position X:"), 70}, {QT_TR_NOOP("position Y:"), 70}, {QString(), 50}}, this);
    StatusBar1->setFixedSize(LargeurClient, HauteurBarreEtat);
    setStatusBar(StatusBar1);
    ButtonArreter = new QPushButton(QT_TR_NOOP("Arrêter"), StatusBar1);
    ButtonArreter->setToolTip(QT_TR_NOOP("Arrête le travail en cours (Échap)"));
    StatusBar1->addPermanentWidget(ButtonArreter);
    ButtonArreter->hide();

    Button4 = Placer(new QPushButton(QT_TR_NOOP("Encadre"), client), 112, 560, 75, 25);
    Button5 = Placer(new QPushButton(QStringLiteral("-"), client), 24, 392, 25, 25);
    Button6 = Placer(new QPushButton(QStringLiteral("+"), client), 24, 360, 25, 25);

    // The OpenGL panels cover what lies beneath them in creation order, like native windows.
    for (TOpenGLPanel* panneau :
         {OpenGLPanel1, OpenGLPanel2, OpenGLPanel3, OpenGLPanel4, OpenGLPanel5, OpenGLPanel6}) {
        panneau->raise();
    }

    LabelFrequence1 = Placer(new QLabel(client), 232, 146, 257, 14);
    LabelFrequence2 = Placer(new QLabel(client), 520, 146, 257, 14);
}

void TForm1::CreerMenus() {
    auto element = [](QMenu* menu, const QString& texte, QActionGroup* groupe) {
        QAction* action = menu->addAction(texte);
        if (groupe != nullptr) {
            action->setCheckable(true);
            groupe->addAction(action);
        }
        return action;
    };
    auto groupe = [this] {
        auto* g = new QActionGroup(this);
        g->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        return g;
    };

    ChoixdesSources1 = menuBar()->addMenu(QT_TR_NOOP("Choix des Sources"));
    SourceUn = ChoixdesSources1->addMenu(QT_TR_NOOP("Source1"));
    GroupeSource1_ = groupe();
    BruitBlancGaussien1 = element(SourceUn, QT_TR_NOOP("Bruit Blanc Gaussien"), GroupeSource1_);
    BruitBlancUniforme1 = element(SourceUn, QT_TR_NOOP("Bruit Blanc Uniforme"), GroupeSource1_);
    Cosinus1 = element(SourceUn, QT_TR_NOOP("Cosinus"), GroupeSource1_);
    Sinus1 = element(SourceUn, QT_TR_NOOP("Sinus"), GroupeSource1_);
    BruitColoreGaussien1 = element(SourceUn, QT_TR_NOOP("Bruit Coloré Gaussien "), GroupeSource1_);
    SignalCarre1 = element(SourceUn, QT_TR_NOOP("Signal carré"), GroupeSource1_);
    DentDeScie1 = element(SourceUn, QT_TR_NOOP("Dent de scie"), GroupeSource1_);
    BruitDeLaplace1 = element(SourceUn, QT_TR_NOOP("Bruit de Laplace"), GroupeSource1_);
    FichierSource1 = element(SourceUn, QString(), GroupeSource1_);
    SourceDeux = ChoixdesSources1->addMenu(QT_TR_NOOP("Source2"));
    GroupeSource2_ = groupe();
    BruitBlancGaussien2 = element(SourceDeux, QT_TR_NOOP("Bruit Blanc Gaussien"), GroupeSource2_);
    BruitBlancUniforme2 = element(SourceDeux, QT_TR_NOOP("Bruit Blanc Uniforme"), GroupeSource2_);
    Cosinus2 = element(SourceDeux, QT_TR_NOOP("Cosinus"), GroupeSource2_);
    Sinus2 = element(SourceDeux, QT_TR_NOOP("Sinus"), GroupeSource2_);
    BruitColoreGaussien2 = element(SourceDeux, QT_TR_NOOP("Bruit Coloré Gaussien"), GroupeSource2_);
    SignalCarre2 = element(SourceDeux, QT_TR_NOOP("Signal carré"), GroupeSource2_);
    DentDeScie2 = element(SourceDeux, QT_TR_NOOP("Dent de scie"), GroupeSource2_);
    BruitDeLaplace2 = element(SourceDeux, QT_TR_NOOP("Bruit de Laplace"), GroupeSource2_);
    FichierSource2 = element(SourceDeux, QString(), GroupeSource2_);
    SortesSource1_ = {BruitBlancGaussien1,  BruitBlancUniforme1, Cosinus1,    Sinus1,
                      BruitColoreGaussien1, SignalCarre1,        DentDeScie1, BruitDeLaplace1};
    SortesSource2_ = {BruitBlancGaussien2,  BruitBlancUniforme2, Cosinus2,    Sinus2,
                      BruitColoreGaussien2, SignalCarre2,        DentDeScie2, BruitDeLaplace2};
    FichierSource1->setVisible(false);
    FichierSource2->setVisible(false);
    ToutEffacer1 = element(ChoixdesSources1, QT_TR_NOOP("Tout Effacer"), nullptr);
    EffacerPavage1 = element(ChoixdesSources1, QT_TR_NOOP("Effacer le pavage"), nullptr);

    Melange = menuBar()->addMenu(QT_TR_NOOP("Mélange"));
    GroupeMatrice_ = groupe();
    Matricedemelange1 = element(Melange, QT_TR_NOOP("Matrice de mélange"), GroupeMatrice_);
    GenerationdesMelanges1 = element(Melange, QT_TR_NOOP("Génération des Mélanges"), nullptr);

    Affichage1 = menuBar()->addMenu(QT_TR_NOOP("Affichage"));
    GroupeAffichage_ = groupe();
    SourcesAff = element(Affichage1, QT_TR_NOOP("Sources"), GroupeAffichage_);
    MelangesAff = element(Affichage1, QT_TR_NOOP("Mélanges"), GroupeAffichage_);
    DeriveeAff = element(Affichage1, QT_TR_NOOP("Dérivée des Mélanges"), GroupeAffichage_);
    SourcesAff->setChecked(true);
    Affichage1->addSeparator();
    AnalyseSeparation1 = Affichage1->addAction(QT_TR_NOOP("Analyse de la séparation…"));
    AnalyseSeparation1->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+A")));

    Paramtres1 = menuBar()->addMenu(QT_TR_NOOP("Paramètres"));
    Nombredchantillons1 = element(Paramtres1, QT_TR_NOOP("Options"), nullptr);
    // Each language is named in itself, in either language.
    Langue1 = Paramtres1->addMenu(QT_TR_NOOP("Langue"));
    auto* langues = new QActionGroup(this);
    Francais1 = element(Langue1, QStringLiteral("Français"), langues);
    English1 = element(Langue1, QStringLiteral("English"), langues);
    (LangueCourante() == QLatin1String("en") ? English1 : Francais1)->setChecked(true);
}

void TForm1::RelierEvenements() {
    // A menu item runs its handler, which sets the check marks itself: the toolkit's own
    // checking of the chosen item is undone first, so that a handler that fails before it
    // checks its item leaves the marks as they were.
    auto menu = [this](QAction* action, auto gestionnaire) {
        connect(action, &QAction::triggered, this, [this, gestionnaire] {
            RetablirCoches();
            // Nothing may change what a running job works on.
            if (!TravailLong::EnCours()) {
                Protege([this, gestionnaire] { std::invoke(gestionnaire, this); })();
            }
            RetenirCoches();
        });
    };
    RetenirCoches();
    menu(BruitBlancGaussien1, &TForm1::BruitBlancGaussien1Click);
    menu(BruitBlancUniforme1, &TForm1::BruitBlancUniforme1Click);
    menu(Cosinus1, &TForm1::Cosinus1Click);
    menu(Sinus1, &TForm1::Sinus1Click);
    menu(BruitColoreGaussien1, &TForm1::BruitColoreGaussien1Click);
    menu(BruitBlancGaussien2, &TForm1::BruitBlancGaussien2Click);
    menu(BruitBlancUniforme2, &TForm1::BruitBlancUniforme2Click);
    menu(Cosinus2, &TForm1::Cosinus2Click);
    menu(Sinus2, &TForm1::Sinus2Click);
    menu(BruitColoreGaussien2, &TForm1::BruitColoreGaussien2Click);
    for (const TypeSource type :
         {TypeSource::SignalCarre, TypeSource::DentDeScie, TypeSource::BruitDeLaplace}) {
        menu(SortesSource1_[std::size_t(type)], [type](TForm1* f) { f->GenererSourceUn(type); });
        menu(SortesSource2_[std::size_t(type)], [type](TForm1* f) { f->GenererSourceDeux(type); });
    }
    menu(FichierSource1,
         [](TForm1* f) { f->MenuFichier->RelireSource(1, f->FichierSource1->data().toString()); });
    menu(FichierSource2,
         [](TForm1* f) { f->MenuFichier->RelireSource(2, f->FichierSource2->data().toString()); });
    menu(ToutEffacer1, &TForm1::ToutEffacer1Click);
    menu(EffacerPavage1, &TForm1::EffacerPavage1Click);
    menu(Matricedemelange1, &TForm1::Matricedemelange1Click);
    menu(GenerationdesMelanges1, &TForm1::GenerationdesMelanges1Click);
    menu(SourcesAff, &TForm1::SourcesAffClick);
    menu(MelangesAff, &TForm1::MelangesAffClick);
    menu(DeriveeAff, &TForm1::DeriveeAffClick);
    menu(Nombredchantillons1, &TForm1::OptionsClick);
    connect(Francais1, &QAction::triggered, this, [this] { LangueClick(QStringLiteral("fr")); });
    connect(English1, &QAction::triggered, this, [this] { LangueClick(QStringLiteral("en")); });
    connect(AnalyseSeparation1, &QAction::triggered, this,
            Protege([this] { AnalyseSeparation1Click(); }));

    connect(Edit1, &QLineEdit::textChanged, this, Protege([this] { Edit1Change(); }));
    connect(Edit2, &QLineEdit::textChanged, this, Protege([this] { Edit2Change(); }));
    connect(Edit3, &QLineEdit::textChanged, this, Protege([this] { Edit3Change(); }));
    connect(Edit4, &QLineEdit::textChanged, this, Protege([this] { Edit4Change(); }));
    connect(Button1, &QPushButton::clicked, this, Protege([this] { Button1Click(); }));
    connect(ButtonArreter, &QPushButton::clicked, this, [] {
        if (TravailLong* travail = TravailLong::Courant()) {
            travail->DemanderArret();
        }
    });
    connect(Button2, &QPushButton::clicked, this, Protege([this] { Button2Click(); }));
    connect(Button3, &QPushButton::clicked, this, Protege([this] { Button3Click(); }));
    connect(Button4, &QPushButton::clicked, this, Protege([this] { Button4Click(); }));
    connect(CheckBox1, &QCheckBox::clicked, this, Protege([this] { CheckBox1Click(); }));
    connect(ScrollBar1, &QScrollBar::valueChanged, this, Protege([this] { ScrollBar1Change(); }));
    connect(ScrollBar2, &QScrollBar::valueChanged, this, Protege([this] { ScrollBar2Change(); }));
    RadioGroup1->OnClick = Protege([this] { RadioGroup1Click(); });

    Image1->OnMouseMove = Protege(
        [this](Qt::KeyboardModifiers shift, int X, int Y) { Image1MouseMove(shift, X, Y); });
    Image1->OnMouseUp = Protege([this](Qt::MouseButton bouton, Qt::KeyboardModifiers shift, int X,
                                       int Y) { Image1MouseUp(bouton, shift, X, Y); });

    // Panels: the rendering events, the click that picks the panel the wheel zooms, and the
    // drags of panels 1, 2 and 6.
    struct Liaison {
        TOpenGLPanel* panneau;
        void (TForm1::*init)();
        void (TForm1::*resize)();
        void (TForm1::*paint)();
        double* profondeur;
    };
    const Liaison liaisons[] = {
        {OpenGLPanel1, &TForm1::OpenGLPanel1Init, &TForm1::OpenGLPanel1Resize,
         &TForm1::OpenGLPanel1Paint, &Profondeur1},
        {OpenGLPanel2, &TForm1::OpenGLPanel2Init, &TForm1::OpenGLPanel2Resize,
         &TForm1::OpenGLPanel2Paint, &Profondeur2},
        {OpenGLPanel3, &TForm1::OpenGLPanel3Init, &TForm1::OpenGLPanel3Resize,
         &TForm1::OpenGLPanel3Paint, &Profondeur3},
        {OpenGLPanel4, &TForm1::OpenGLPanel4Init, &TForm1::OpenGLPanel4Resize,
         &TForm1::OpenGLPanel4Paint, &Profondeur4},
        {OpenGLPanel5, &TForm1::OpenGLPanel5Init, &TForm1::OpenGLPanel5Resize,
         &TForm1::OpenGLPanel5Paint, &Profondeur5},
        {OpenGLPanel6, &TForm1::OpenGLPanel6Init, nullptr, &TForm1::OpenGLPanel6Paint,
         &Profondeur6},
    };
    for (const Liaison& l : liaisons) {
        l.panneau->OnInit = [this, f = l.init](TOpenGLPanel*) { (this->*f)(); };
        if (l.resize != nullptr) {
            l.panneau->OnResize = [this, f = l.resize](TOpenGLPanel*) { (this->*f)(); };
        }
        l.panneau->OnPaint = [this, f = l.paint](TOpenGLPanel*) { (this->*f)(); };
        l.panneau->OnClick = [this, p = l.profondeur](TOpenGLPanel*) { ProfondeurActive = p; };
    }

    using Bouton =
        std::function<void(TOpenGLPanel*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)>;
    auto bouton =
        [this](void (TForm1::*h)(Qt::MouseButton, Qt::KeyboardModifiers, int, int)) -> Bouton {
        return Protege([this, h](TOpenGLPanel*, Qt::MouseButton b, Qt::KeyboardModifiers s, int X,
                                 int Y) { (this->*h)(b, s, X, Y); });
    };
    OpenGLPanel1->OnMouseDown = bouton(&TForm1::OpenGLPanel1MouseDown);
    OpenGLPanel1->OnMouseUp = bouton(&TForm1::OpenGLPanel1MouseUp);
    OpenGLPanel1->OnDblClick = Protege([this] { OpenGLPanel1DblClick(); });
    OpenGLPanel2->OnMouseDown = bouton(&TForm1::OpenGLPanel2MouseDown);
    OpenGLPanel2->OnMouseUp = bouton(&TForm1::OpenGLPanel2MouseUp);
    OpenGLPanel2->OnDblClick = Protege([this] { OpenGLPanel2DblClick(); });
    OpenGLPanel6->OnMouseDown = bouton(&TForm1::OpenGLPanel6MouseDown);
    OpenGLPanel6->OnMouseUp = bouton(&TForm1::OpenGLPanel6MouseUp);
    OpenGLPanel6->OnMouseMove = Protege([this](TOpenGLPanel*, Qt::KeyboardModifiers s, int X,
                                               int Y) { OpenGLPanel6MouseMove(s, X, Y); });
    OpenGLPanel6->OnDblClick = Protege([this] { OpenGLPanel6DblClick(); });

    // The wheel belongs to the window, whatever control is under the pointer.
    qApp->installEventFilter(this);
}

void TForm1::RetenirCoches() {
    CochesRetenues_.clear();
    for (QActionGroup* groupe :
         {GroupeSource1_, GroupeSource2_, GroupeMatrice_, GroupeAffichage_}) {
        for (QAction* item : groupe->actions()) {
            CochesRetenues_.push_back(item->isChecked());
        }
    }
}

void TForm1::RetablirCoches() {
    std::size_t i = 0;
    for (QActionGroup* groupe :
         {GroupeSource1_, GroupeSource2_, GroupeMatrice_, GroupeAffichage_}) {
        for (QAction* item : groupe->actions()) {
            if (i < CochesRetenues_.size()) {
                item->setChecked(CochesRetenues_[i++]);
            }
        }
    }
}

bool TForm1::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::Wheel) {
        auto* widget = qobject_cast<QWidget*>(objet);
        // While a job runs its window is disabled: the wheel waits for the end, like a click.
        if (widget != nullptr && widget->window() == this && TravailLong::EnCours()) {
            return true;
        }
        if (widget != nullptr && widget->window() == this && widget != this) {
            wheelEvent(static_cast<QWheelEvent*>(evenement));
            return true;
        }
    }
    // A click (left button) on the window's background, not on a control (labels pass their
    // clicks on).
    if (objet == centralWidget() && evenement->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(evenement)->button() == Qt::LeftButton) {
        const QPoint p = static_cast<QMouseEvent*>(evenement)->position().toPoint();
        if (centralWidget()->childAt(p) == nullptr) {
            Protege([this] { FormClick(); })();
        }
    }
    return QMainWindow::eventFilter(objet, evenement);
}

void TForm1::wheelEvent(QWheelEvent* evenement) {
    evenement->accept();
    const int delta = evenement->angleDelta().y();
    if (delta > 0) {
        Protege([this] { FormMouseWheelUp(); })();
    } else if (delta < 0) {
        Protege([this] { FormMouseWheelDown(); })();
    }
}

void TForm1::closeEvent(QCloseEvent* evenement) {
    // The job runs inside a handler of this window: stop it first, then close.
    if (TravailLong* travail = TravailLong::Courant()) {
        travail->DemanderArret();
        evenement->ignore();
        QTimer::singleShot(0, this, [this] { close(); });
        return;
    }
    QMainWindow::closeEvent(evenement);
}

void TForm1::PlacerLegendeMoments() {
    Label11->move(
        std::min(Label11->property("placeInitiale").toInt(), Edit5->x() - 4 - Label11->width()),
        Label11->y());
}

void TForm1::LangueClick(const QString& langue) {
    RetenirLangue(langue);
    // The translators change: every window hears QEvent::LanguageChange and translates itself.
    ChoisirLangue(langue);
}

void TForm1::changeEvent(QEvent* evenement) {
    if (evenement->type() == QEvent::LanguageChange) {
        Retraduire();
    }
    QMainWindow::changeEvent(evenement);
}

void TForm1::Retraduire() {
    ::Retraduire(this, {"TForm1", "TMenuFichier"});
    PlacerLegendeMoments();
    for (int p = 0; p < 6; ++p) {
        MenuFichier->EnregistrerPanneau[p]->setText(
            QCoreApplication::translate("TMenuFichier", "Panneau %1…").arg(p + 1));
    }
    (LangueCourante() == QLatin1String("en") ? English1 : Francais1)->setChecked(true);
    if (SourcesAff->isChecked()) {
        SourcesAffClick();
    } else if (MelangesAff->isChecked()) {
        MelangesAffClick();
    } else if (DeriveeAff->isChecked()) {
        DeriveeAffClick();
    }
    if (RadioGroup1->ItemIndex() >= 0) {
        RadioGroup1Click();
    }
}

void TForm1::FormClick() {
    Button1->setVisible(true);
}
