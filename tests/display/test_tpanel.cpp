// The OpenGL panel control on real windows: event order, current context, synchronous
// repaint, presentation rules, the pixel-format flag rule, failures and mouse events.
#include "SupportPanneau.h"
#include "display/TOpenGLPanel.h"
#include "support/GardesFenetre.h"

#include <QOpenGLContext>
#include <QStringList>

#include <gtest/gtest.h>

#include <cfenv>
#include <optional>

namespace {

void Remplir(float r, float g, float b) {
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

// Records each event as "name:1" when the panel's own context was current, else "name:0".
void Journaliser(TOpenGLPanel* p, QStringList& journal) {
    auto noter = [&journal](const char* nom) {
        return [&journal, nom](TOpenGLPanel* q) {
            const bool courant = QOpenGLContext::currentContext() == q->context();
            journal << QString("%1:%2").arg(nom).arg(courant && q->context() ? 1 : 0);
        };
    };
    p->OnInit = noter("init");
    p->OnResize = noter("resize");
    p->OnPaint = noter("paint");
}

QRgb Centre(TOpenGLPanel* p) {
    return ImageAffichee(p).pixel(p->width() / 2, p->height() / 2) & 0xFFFFFF;
}

} // namespace

TEST(TOpenGLPanel, EventsComeInOrderWithTheirOwnContextCurrent) {
    FenetrePanneaux f;
    TOpenGLPanel* a = f.Ajouter(10, 10, 100, 60);
    TOpenGLPanel* b = f.Ajouter(120, 10, 100, 60);
    QStringList ja, jb;
    Journaliser(a, ja);
    Journaliser(b, jb);
    // Before the context exists, where the flags still apply to it.
    a->OnPreInit = [&](TOpenGLPanel* p) {
        ja << QString("preinit:%1").arg(p->context() ? 1 : 0);
        p->SetPFDFlags({f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_SUPPORT_GDI});
    };
    ASSERT_TRUE(f.Montrer());
    a->resize(120, 70);
    a->Repaint();
    b->Repaint();
    ASSERT_GE(ja.size(), 4);
    EXPECT_EQ(ja.takeFirst(), "preinit:0");
    EXPECT_FALSE(a->DoubleTampon());
    EXPECT_TRUE(b->DoubleTampon());
    EXPECT_NE(a->context(), b->context());
    for (const QStringList& j : {ja, jb}) {
        EXPECT_EQ(j.first(), "init:1");
        EXPECT_EQ(j.count("init:1"), 1);
        EXPECT_TRUE(j.contains("resize:1"));
        EXPECT_EQ(j.last(), "paint:1");
        EXPECT_TRUE(j.filter(":0").isEmpty()) << j.join(" ").toStdString();
    }
}

TEST(TOpenGLPanel, RepaintHasPaintedAndPresentedWhenItReturns) {
    FenetrePanneaux f;
    TOpenGLPanel* p = f.Ajouter(10, 10, 80, 40);
    int peintures = 0;
    float vert = 0.0f;
    p->OnPaint = [&](TOpenGLPanel*) {
        ++peintures;
        Remplir(0, vert, 0);
    };
    ASSERT_TRUE(f.Montrer());
    for (int essai = 0; essai < 3; ++essai) {
        const int avant = peintures;
        p->Repaint();
        EXPECT_EQ(peintures, avant + 1);
    }
    vert = 1.0f;
    p->Repaint();
    EXPECT_EQ(Centre(p), 0x00FF00u);
    p->hide();
    const int avant = peintures;
    p->Repaint();
    EXPECT_EQ(peintures, avant);
}

TEST(TOpenGLPanel, PFDFlagsKeepExactlyOneOfGdiAndDoubleBuffer) {
    const TPFDFlags base{f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL};
    const TPFDFlags db = base + TPFDFlags{f_PFD_DOUBLEBUFFER};
    const TPFDFlags gdi = base + TPFDFlags{f_PFD_SUPPORT_GDI};
    const TPFDFlags lesDeux = db + gdi;
    struct Cas {
        TPFDFlags actuel, demande, attendu;
    };
    const Cas cas[] = {
        {db, lesDeux, gdi},
        {gdi, lesDeux, db},
        {db, base, gdi},
        {gdi, base, db},
        {db, db, db},
        {db, gdi, gdi},
        {gdi, db, db},
        {db, {f_PFD_STEREO, f_PFD_DOUBLEBUFFER}, {f_PFD_STEREO, f_PFD_DOUBLEBUFFER}},
    };
    for (const Cas& c : cas) {
        TOpenGLPanel p;
        p.SetPFDFlags(c.actuel);
        p.SetPFDFlags(c.demande);
        EXPECT_EQ(p.PFDFlags(), c.attendu);
    }
    TOpenGLPanel p;
    EXPECT_EQ(p.PFDFlags(), db);
    const QSurfaceFormat f = p.FormatDemande();
    EXPECT_EQ(f.swapBehavior(), QSurfaceFormat::DoubleBuffer);
    EXPECT_EQ(f.profile(), QSurfaceFormat::CompatibilityProfile);
    EXPECT_EQ(f.depthBufferSize(), 32);
    p.SetPFDFlags(gdi);
    EXPECT_EQ(p.FormatDemande().swapBehavior(), QSurfaceFormat::SingleBuffer);
}

TEST(TOpenGLPanel, OnlyAutoModeOnADoubleBufferedPanelPresentsAfterOnPaint) {
    FenetrePanneaux f;
    TOpenGLPanel* p = f.Ajouter(10, 10, 60, 30);
    TOpenGLPanel* simple = f.Ajouter(80, 10, 60, 30);
    simple->SetPFDFlags({f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_SUPPORT_GDI});
    GLint cible = -1;
    p->OnPaint = [](TOpenGLPanel*) { Remplir(1, 0, 0); };
    simple->OnPaint = [&](TOpenGLPanel*) {
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &cible);
        Remplir(1, 0, 1);
    };
    ASSERT_TRUE(f.Montrer());
    p->Repaint();
    ASSERT_EQ(Centre(p), 0xFF0000u);
    // Manual: the new picture stays in the back buffer until the application presents it.
    p->SetGLSwapBuffers(TOpenGLSwapBuffers::Manual);
    p->OnPaint = [](TOpenGLPanel*) { Remplir(0, 0, 1); };
    p->Repaint();
    EXPECT_EQ(Centre(p), 0xFF0000u);
    p->OnPaint = [](TOpenGLPanel* q) {
        Remplir(0, 0, 1);
        q->SwapBuffers();
    };
    p->Repaint();
    EXPECT_EQ(Centre(p), 0x0000FFu);
    // Single-buffered: drawn straight into what is shown, whatever the mode.
    simple->SetGLSwapBuffers(TOpenGLSwapBuffers::Manual);
    simple->Repaint();
    EXPECT_EQ(static_cast<GLuint>(cible), simple->defaultFramebufferObject());
    EXPECT_EQ(Centre(simple), 0xFF00FFu);
}

TEST(TOpenGLPanel, NothingIsErasedBetweenPaintsNorDrawnWithoutOnPaint) {
    FenetrePanneaux f;
    TOpenGLPanel* p = f.Ajouter(10, 10, 60, 40);
    p->OnPaint = [](TOpenGLPanel*) { Remplir(0, 0, 1); };
    ASSERT_TRUE(f.Montrer());
    p->Repaint();
    // This paint clears only a 10 x 10 corner.
    p->OnPaint = [](TOpenGLPanel*) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, 10, 10);
        Remplir(1, 0, 0);
        glDisable(GL_SCISSOR_TEST);
    };
    p->Repaint();
    QImage image = ImageAffichee(p);
    EXPECT_EQ(image.pixel(5, 35) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(CompterCouleur(image, 0xFF0000), 100);
    EXPECT_EQ(CompterCouleur(image, 0x0000FF), 60 * 40 - 100);
    p->OnPaint = nullptr;
    p->Repaint();
    p->update();
    QCoreApplication::processEvents();
    EXPECT_EQ(CompterDifferences(ImageAffichee(p), image), 0);
}

namespace {

// A panel asking for a format this platform's binding cannot create (OpenGL ES 1).
class PanneauImpossible : public TOpenGLPanel {
public:
    using TOpenGLPanel::TOpenGLPanel;

protected:
    QSurfaceFormat AjusterFormat(QSurfaceFormat format) const override {
        format.setRenderableType(QSurfaceFormat::OpenGLES);
        format.setVersion(1, 1);
        return format;
    }
};

} // namespace

TEST(TOpenGLPanel, ContextCreationFailureIsReportedOnceAndThePanelStaysBlank) {
    QStringList messages;
    std::optional<GardeRapporteurPanneau> rapporteur;
    rapporteur.emplace([&](const QString& t) { messages << t; });
    FenetrePanneaux f;
    auto* p = f.Ajouter<PanneauImpossible>(10, 10, 60, 40);
    int evenements = 0;
    p->OnInit = p->OnPaint = p->OnResize = [&](TOpenGLPanel*) { ++evenements; };
    ASSERT_TRUE(f.Montrer());
    p->resize(70, 50);
    p->Repaint();
    p->hide();
    p->show();
    p->Repaint();
    QCoreApplication::processEvents();
    rapporteur.reset();

    ASSERT_EQ(messages.size(), 2);
    const QString prefixe = "QOpenGLContext::create:";
    ASSERT_TRUE(messages[0].startsWith(prefixe));
    bool nombre = false;
    messages[0].mid(prefixe.size()).toInt(&nombre);
    EXPECT_TRUE(nombre) << messages[0].toStdString();
    EXPECT_EQ(messages[1], "Open GL Context Create Failed");
    EXPECT_TRUE(p->EchecContexte());
    EXPECT_EQ(evenements, 0);
}

TEST(TOpenGLPanel, ConstructionMasksFloatingPointExceptions) {
    feenableexcept(FE_DIVBYZERO | FE_INVALID);
    ASSERT_NE(fegetexcept(), 0);
    TOpenGLPanel p;
    EXPECT_EQ(fegetexcept(), 0);
}

TEST(TOpenGLPanel, MouseEventsGiveButtonShiftStateAndClientPixels) {
    FenetrePanneaux f;
    TOpenGLPanel* p = f.Ajouter(20, 30, 100, 60);
    QStringList j;
    p->OnMouseDown = [&](TOpenGLPanel*, Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
        j << QString("down %1 %2 %3 %4").arg(int(b)).arg(int(m)).arg(x).arg(y);
    };
    p->OnMouseUp = [&](TOpenGLPanel*, Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        j << QString("up %1 %2 %3").arg(int(b)).arg(x).arg(y);
    };
    p->OnMouseMove = [&](TOpenGLPanel*, Qt::KeyboardModifiers, int x, int y) {
        j << QString("move %1 %2").arg(x).arg(y);
    };
    p->OnClick = [&](TOpenGLPanel*) { j << "click"; };
    p->OnDblClick = [&](TOpenGLPanel*) { j << "dblclick"; };
    ASSERT_TRUE(f.Montrer());
    const int gauche = Qt::LeftButton, droit = Qt::RightButton;

    QTest::mousePress(p, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 7));
    QTest::mouseRelease(p, Qt::LeftButton, Qt::NoModifier, QPoint(5, 7));
    EXPECT_EQ(j, QStringList({QString("down %1 %2 5 7").arg(gauche).arg(int(Qt::ShiftModifier)),
                              "click", QString("up %1 5 7").arg(gauche)}));
    j.clear();
    QTest::mousePress(p, Qt::RightButton, Qt::NoModifier, QPoint(9, 9));
    QTest::mouseRelease(p, Qt::RightButton, Qt::NoModifier, QPoint(9, 9));
    EXPECT_EQ(j,
              QStringList({QString("down %1 0 9 9").arg(droit), QString("up %1 9 9").arg(droit)}));
    j.clear();
    // The second press of a double click gives no click when released.
    QTest::mouseDClick(p, Qt::LeftButton, Qt::NoModifier, QPoint(11, 12));
    EXPECT_TRUE(j.contains("dblclick"));
    EXPECT_FALSE(j.contains("click")) << j.join(" | ").toStdString();
    // Moves are reported without any button held.
    j.clear();
    QTest::mouseMove(p, QPoint(40, 21));
    QCoreApplication::processEvents();
    EXPECT_TRUE(j.contains("move 40 21")) << j.join(" | ").toStdString();
}
