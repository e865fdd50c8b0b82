#include "SupportFenetre.h"

#include "app/toolkit/TImage.h"
#include "app/toolkit/TRadioGroup.h"
#include "app/toolkit/TStatusBar.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

using Demarrage = FenetrePrincipaleTest;

TEST_F(Demarrage, WindowHasItsCaptionAndClientSize) {
    EXPECT_EQ(F->windowTitle(), QStringLiteral("LE MELANGE LINEAIRE INSTANTANNEE"));
    EXPECT_EQ(F->centralWidget()->size(), QSize(902, 585));
    EXPECT_EQ(F->StatusBar1->geometry().top() - F->centralWidget()->geometry().top(), 585);
    EXPECT_EQ(F->StatusBar1->size(), QSize(902, 28));
    EXPECT_EQ(Form1, F);
}

TEST_F(Demarrage, EveryControlHasItsTextAndState) {
    struct Controle {
        QWidget* w;
        bool visible;
        bool actif;
    };
    const Controle controles[] = {
        {F->Image1, true, true},       {F->Label1, true, true},       {F->Label2, true, true},
        {F->Label9, false, true},      {F->Label10, false, true},     {F->Button1, true, true},
        {F->OpenGLPanel1, true, true}, {F->OpenGLPanel2, true, true}, {F->Edit1, false, true},
        {F->Edit2, false, true},       {F->Edit3, false, true},       {F->Edit4, false, true},
        {F->Button2, false, true},     {F->Button3, false, true},     {F->Edit5, true, true},
        {F->OpenGLPanel3, true, true}, {F->OpenGLPanel4, true, true}, {F->OpenGLPanel5, true, true},
        {F->RadioGroup1, true, false}, {F->CheckBox1, true, true},    {F->ScrollBar1, false, true},
        {F->ScrollBar2, false, true},  {F->Edit6, true, true},        {F->Edit7, true, true},
        {F->OpenGLPanel6, true, true}, {F->Button4, true, true},      {F->Button5, true, true},
        {F->Button6, true, true},
    };
    for (const Controle& c : controles) {
        EXPECT_EQ(c.w->isVisible(), c.visible) << "control " << &c - controles;
        EXPECT_EQ(c.w->isEnabled(), c.actif) << "control " << &c - controles;
    }

    struct Etiquette {
        QLabel* label;
        const char* texte;
        bool visible;
    };
    const Etiquette etiquettes[] = {
        {F->Label1, "x :", true},
        {F->Label2, "y :", true},
        {F->Label3, "Source 1", true},
        {F->Label4, "Source 2", true},
        {F->Label5, "Matrice de Mélange", false},
        {F->Label6, "Source Estimée 1", true},
        {F->Label7, "Source Estimée 2", true},
        {F->Label8, "Distribution conjointe estimée", true},
        {F->Label9, "x clic :", false},
        {F->Label10, "y clic :", false},
        {F->Label11, "Moment croisés dans l'interval [-x x], x=", true},
        {F->Label12, "Echelle signal 1", false},
        {F->Label13, "Echelle signal 2", false},
    };
    for (const Etiquette& e : etiquettes) {
        EXPECT_EQ(e.label->text(), QString::fromUtf8(e.texte));
        EXPECT_EQ(e.label->isVisible(), e.visible) << e.texte;
    }

    EXPECT_EQ(F->Button1->text(), QStringLiteral("Solver"));
    EXPECT_EQ(F->Button2->text(), QStringLiteral("Valider"));
    EXPECT_EQ(F->Button3->text(), QStringLiteral("Aléatoire"));
    EXPECT_EQ(F->Button4->text(), QStringLiteral("Encadre"));
    EXPECT_EQ(F->Button5->text(), QStringLiteral("-"));
    EXPECT_EQ(F->Button6->text(), QStringLiteral("+"));
    EXPECT_EQ(F->Edit5->text(), QStringLiteral("0,5"));
    // The paving view writes its depth into Edit6 at every paint, the first one included.
    EXPECT_EQ(F->Edit6->text(), QStringLiteral("-10"));
    EXPECT_EQ(F->Edit7->text(), QStringLiteral("Edit7"));
    EXPECT_TRUE(F->Edit1->text().isEmpty());
    EXPECT_EQ(F->CheckBox1->text(), QStringLiteral("Superposition des sources réelles"));
    EXPECT_FALSE(F->CheckBox1->isChecked());
    EXPECT_EQ(F->RadioGroup1->title(), QStringLiteral("Affichage de l'estimation des "));
    EXPECT_EQ(F->RadioGroup1->ItemIndex(), -1);
    ASSERT_EQ(F->RadioGroup1->Count(), 3);
    EXPECT_EQ(F->RadioGroup1->Item(1)->text(), QStringLiteral("Dérivée Sources"));
    for (QScrollBar* barre : {F->ScrollBar1, F->ScrollBar2}) {
        EXPECT_EQ(barre->minimum(), -1000);
        EXPECT_EQ(barre->maximum(), 1000);
        EXPECT_EQ(barre->value(), 10);
        EXPECT_EQ(barre->pageStep(), 0);
        EXPECT_TRUE(barre->toolTip().isEmpty());
    }
    ASSERT_EQ(F->StatusBar1->PanelCount(), 3);
    EXPECT_EQ(F->StatusBar1->PanelText(0), QStringLiteral("Position X:"));
    EXPECT_EQ(F->StatusBar1->PanelText(1), QStringLiteral("position Y:"));
    EXPECT_EQ(F->StatusBar1->PanelText(2), QString());
}

TEST_F(Demarrage, MenusHoldTheirItemsAndOnlySourcesIsChecked) {
    const QList<QAction*> menus = F->menuBar()->actions();
    ASSERT_EQ(menus.size(), 5);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("Fichier"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("Choix des Sources"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("Mélange"));
    EXPECT_EQ(menus[3]->text(), QStringLiteral("Affichage"));
    EXPECT_EQ(menus[4]->text(), QStringLiteral("Paramètres"));

    auto textes = [](QMenu* menu) {
        QStringList t;
        for (QAction* a : menu->actions()) {
            t << a->text();
        }
        return t;
    };
    EXPECT_EQ(textes(F->ChoixdesSources1),
              QStringList({"Source1", "Source2", "Tout Effacer", "Effacer le pavage"}));
    // The first five kinds; the "Fichier" menu's test checks those that follow.
    EXPECT_EQ(textes(F->SourceUn).mid(0, 5),
              QStringList({"Bruit Blanc Gaussien", "Bruit Blanc Uniforme", "Cosinus", "Sinus",
                           QStringLiteral("Bruit Coloré Gaussien ")}));
    EXPECT_EQ(textes(F->SourceDeux).mid(0, 5),
              QStringList({"Bruit Blanc Gaussien", "Bruit Blanc Uniforme", "Cosinus", "Sinus",
                           QStringLiteral("Bruit Coloré Gaussien")}));
    EXPECT_EQ(textes(F->Melange), QStringList({QStringLiteral("Matrice de mélange"),
                                               QStringLiteral("Génération des Mélanges")}));
    EXPECT_EQ(textes(F->Affichage1), QStringList({"Sources", QStringLiteral("Mélanges"),
                                                  QStringLiteral("Dérivée des Mélanges"), QString(),
                                                  QStringLiteral("Analyse de la séparation…")}));
    EXPECT_EQ(textes(F->Paramtres1), QStringList({"Options", "Langue"}));

    for (QMenu* menu : {F->SourceUn, F->SourceDeux, F->Melange, F->Affichage1}) {
        for (QAction* a : menu->actions()) {
            EXPECT_EQ(a->isChecked(), a == F->SourcesAff) << a->text().toStdString();
        }
    }
}

TEST_F(Demarrage, StateStartsAtItsDefaults) {
    EXPECT_TRUE(F->A.Source1.empty());
    EXPECT_TRUE(F->A.Source2.empty());
    EXPECT_TRUE(F->A.MelangesCourants.Melange1.empty());
    EXPECT_FALSE(F->A.MatriceMelange.EstConnue());
    EXPECT_FALSE(F->A.MelangesGeneres);
    EXPECT_EQ(F->A.ReglagesCourants.NbEchantillons, 5000);
    EXPECT_EQ(F->A.ReglagesCourants.BorneInfX, -5.0f);
    EXPECT_EQ(F->A.ReglagesCourants.BorneSupY, 5.0f);
    EXPECT_EQ(F->A.PasEchantillonnage, 0.1f);
    EXPECT_EQ(F->A.ReglagesCourants.PrecisionSivia, 0.01);
    EXPECT_EQ(F->A.ReglagesCourants.Stockage, StockageFile);
    EXPECT_TRUE(F->A.ReglagesCourants.ContrainteDecorrelation);
    EXPECT_TRUE(F->A.ReglagesCourants.ContrainteDecorrelationDerivees);
    EXPECT_FALSE(F->A.ReglagesCourants.ContrainteMomentOrdre4);
    EXPECT_FALSE(F->A.ReglagesCourants.MontrerSolution);
    EXPECT_FALSE(F->A.ReglagesCourants.EstimationAuClic);
    EXPECT_EQ(F->Echelle1, 1.0);
    EXPECT_EQ(F->Profondeur1, -20.0);
    EXPECT_EQ(F->Profondeur6, -10.0);
    EXPECT_EQ(F->ProfondeurActive, &F->Profondeur1);
    EXPECT_EQ(BoiteRecherche.Dimension, 2);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Demarrage, ButtonsMinusAndPlusDoNothing) {
    Cliquer(F->Button5);
    Cliquer(F->Button6);
    EXPECT_TRUE(Messages.empty());
    EXPECT_TRUE(F->A.Source1.empty());
    EXPECT_EQ(F->Profondeur1, -20.0);
}
