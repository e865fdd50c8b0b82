// Clicks on the main window: which button shows "Solver" again, and what the matrix boxes
// show after "Aléatoire".
#include "SupportFenetre.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace {

using ClicsFenetre = FenetreSousLocale<QLocale::French>;

} // namespace

TEST_F(ClicsFenetre, OnlyALeftClickOnTheBackgroundShowsSolverAgain) {
    F->Button1->hide();
    for (Qt::MouseButton bouton : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(F->centralWidget(), bouton, {}, QPoint(20, 150));
        EXPECT_FALSE(F->Button1->isVisible()) << bouton;
    }
    QTest::mouseClick(F->centralWidget(), Qt::LeftButton, {}, QPoint(20, 150));
    EXPECT_TRUE(F->Button1->isVisible());
}

TEST_F(ClicsFenetre, AfterAleatoireTheMatrixBoxesShowTheStartOfTheirNumbers) {
    F->Matricedemelange1->trigger();
    // Several presses, so that a negative draw and a long number come up.
    for (int i = 0; i < 3; ++i) {
        Cliquer(F->Button3);
        for (QLineEdit* edit : {F->Edit1, F->Edit2, F->Edit3, F->Edit4}) {
            EXPECT_EQ(edit->cursorPosition(), 0) << edit->text().toStdString();
            // The box scrolls to its cursor, which sits at the left edge: the text starts there.
            EXPECT_LT(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), 8)
                << edit->text().toStdString();
        }
    }
}
