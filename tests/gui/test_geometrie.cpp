// What the windows' geometry is for, whatever the coordinates: in every state the user can
// reach, each visible control lies inside its window, no two visible controls overlap, and
// each caption fits its control in the font the display gives.
#include "SupportFenetre.h"

#include "app/TForm2.h"
#include "app/toolkit/TStatusBar.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <string>
#include <vector>

namespace {

std::string Nom(const QWidget* w) {
    const QString texte =
        qobject_cast<const QLabel*>(w)            ? static_cast<const QLabel*>(w)->text()
        : qobject_cast<const QAbstractButton*>(w) ? static_cast<const QAbstractButton*>(w)->text()
        : qobject_cast<const QGroupBox*>(w)       ? static_cast<const QGroupBox*>(w)->title()
                                                  : QString();
    return std::string(w->metaObject()->className()) + " « " + texte.toStdString() + " » at " +
           std::to_string(w->x()) + "," + std::to_string(w->y()) + " " +
           std::to_string(w->width()) + "x" + std::to_string(w->height());
}

// The width a caption needs in its control: the text, plus the box or the frame around it.
int LargeurLegende(const QWidget* w) {
    const QFontMetrics fm(w->font());
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        return fm.horizontalAdvance(l->text());
    }
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
        return w->sizeHint().width(); // the indicator, its gap and the text
    }
    if (const auto* b = qobject_cast<const QPushButton*>(w)) {
        return fm.horizontalAdvance(b->text()) + 4;
    }
    if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
        return fm.horizontalAdvance(g->title()) + 8;
    }
    return 0;
}

// Checks the visible children of `parent` (and those of its group boxes, within them).
void VerifierDisposition(QWidget* parent, const std::string& etat) {
    std::vector<QWidget*> visibles;
    for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isVisible() && !w->isWindow()) {
            visibles.push_back(w);
        }
    }
    ASSERT_GE(visibles.size(), 2u) << etat;
    for (std::size_t i = 0; i < visibles.size(); ++i) {
        QWidget* w = visibles[i];
        EXPECT_TRUE(parent->rect().contains(w->geometry())) << etat << ": " << Nom(w);
        EXPECT_LE(LargeurLegende(w), w->width()) << etat << ": " << Nom(w);
        for (std::size_t j = i + 1; j < visibles.size(); ++j) {
            EXPECT_FALSE(w->geometry().intersects(visibles[j]->geometry()))
                << etat << ": " << Nom(w) << " and " << Nom(visibles[j]);
        }
        if (qobject_cast<QGroupBox*>(w)) {
            VerifierDisposition(w, etat + " › " + Nom(w));
        }
    }
}

using Geometrie = FenetrePrincipaleTest;

} // namespace

TEST_F(Geometrie, MainWindowControlsStayInsideApartAndFitTheirCaptions) {
    VerifierDisposition(F->centralWidget(), "start-up");
    // The matrix editor.
    F->Matricedemelange1->trigger();
    ASSERT_TRUE(F->Edit1->isVisible());
    VerifierDisposition(F->centralWidget(), "matrix editor");
    F->Matricedemelange1->trigger();
    // The real sources superposed, with their scales, and the estimate on a click.
    GenererMelanges();
    Cliquer(F->CheckBox1);
    ASSERT_TRUE(F->ScrollBar1->isVisible());
    VerifierDisposition(F->centralWidget(), "superposition");
    // The status bar holds the window's bottom edge, below the controls.
    EXPECT_GE(F->StatusBar1->geometry().top(), F->centralWidget()->geometry().bottom());
}

TEST_F(Geometrie, OptionsDialogControlsStayInsideApartAndFitTheirCaptions) {
    F->Nombredchantillons1->trigger();
    ASSERT_NE(Form2, nullptr);
    ASSERT_TRUE(Form2->isVisible());
    VerifierDisposition(Form2, "Options");
    Form2->hide();
}
