#include "display/TOpenGLPanel.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QTimer>

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <utility>

std::function<void(const QString& texte)> TOpenGLPanel::RapporteurMessage;

namespace {

// Runs `fin` when the scope ends, also when a paint throws: the panel stays able to paint.
template <typename F> class EnSortant {
public:
    explicit EnSortant(F fin) : Fin(std::move(fin)) {}
    ~EnSortant() { Fin(); }
    EnSortant(const EnSortant&) = delete;
    EnSortant& operator=(const EnSortant&) = delete;

private:
    F Fin;
};

} // namespace

TOpenGLPanel::TOpenGLPanel(QWidget* parent) : QOpenGLWidget(parent) {
#if defined(__GLIBC__)
    fedisableexcept(FE_ALL_EXCEPT);
#endif
    // What was presented stays on screen when a paint presents nothing.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    setMouseTracking(true);
    AppliquerFormat();
}

TOpenGLPanel::~TOpenGLPanel() {
    // The base class destroys the context after this object's members are gone.
    disconnect(ConnexionContexte_);
    if (TamponArriere_ && context() && context()->isValid()) {
        makeCurrent();
        TamponArriere_.reset();
        doneCurrent();
    }
}

void TOpenGLPanel::SetPFDFlags(const TPFDFlags& valeur) {
    TPFDFlags nouveau = valeur;
    const bool gdi = nouveau.contains(f_PFD_SUPPORT_GDI);
    const bool double_ = nouveau.contains(f_PFD_DOUBLEBUFFER);
    if (gdi == double_) {
        // Both or neither: keep the one that the current set does not hold.
        nouveau.remove(f_PFD_SUPPORT_GDI);
        nouveau.remove(f_PFD_DOUBLEBUFFER);
        if (PFDFlags_.contains(f_PFD_DOUBLEBUFFER)) {
            nouveau.insert(f_PFD_SUPPORT_GDI);
        } else {
            nouveau.insert(f_PFD_DOUBLEBUFFER);
        }
    }
    PFDFlags_ = nouveau;
    AppliquerFormat();
}

QSurfaceFormat TOpenGLPanel::FormatDemande() const {
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    // Colour-index formats do not exist here: both pixel types ask for RGBA.
    int r = 8, g = 8, b = 8;
    if (cColorBits_ < 24) {
        r = b = cColorBits_ / 3;
        g = cColorBits_ - r - b;
    }
    f.setRedBufferSize(r);
    f.setGreenBufferSize(g);
    f.setBlueBufferSize(b);
    f.setDepthBufferSize(cDepthBits_);
    f.setSwapBehavior(PFDFlags_.contains(f_PFD_SUPPORT_GDI) ? QSurfaceFormat::SingleBuffer
                                                            : QSurfaceFormat::DoubleBuffer);
    return f;
}

void TOpenGLPanel::AppliquerFormat() {
    // The format applies at the next creation of the context, never to an existing one.
    if (!Initialise_) {
        setFormat(AjusterFormat(FormatDemande()));
    }
}

int TOpenGLPanel::LargeurPixels() const {
    return static_cast<int>(std::lround(width() * devicePixelRatioF()));
}

int TOpenGLPanel::HauteurPixels() const {
    return static_cast<int>(std::lround(height() * devicePixelRatioF()));
}

void TOpenGLPanel::Rapporter(const QString& texte) {
    if (RapporteurMessage) {
        RapporteurMessage(texte);
        return;
    }
    QMessageBox::information(nullptr, QApplication::applicationName(), texte);
}

bool TOpenGLPanel::event(QEvent* e) {
    const QEvent::Type type = e->type();
    const bool creationPossible =
        type == QEvent::Show || type == QEvent::Resize || type == QEvent::WindowChangeInternal;
    if (creationPossible && !Initialise_ && !EchecContexte_) {
        if (!PreInitFait_) {
            PreInitFait_ = true;
            if (OnPreInit) {
                OnPreInit(this);
            }
        }
        AppliquerFormat();
    }
    const bool resultat = QOpenGLWidget::event(e);
    if (creationPossible) {
        VerifierCreation();
    }
    return resultat;
}

void TOpenGLPanel::VerifierCreation() {
    // The widget attempted to create its context and could not.
    if (Initialise_ || EchecContexte_ || context() == nullptr || context()->isValid()) {
        return;
    }
    const int code = errno;
    EchecContexte_ = true;
    Rapporter(QStringLiteral("QOpenGLContext::create:") + QString::number(code));
    Rapporter(QStringLiteral("Open GL Context Create Failed"));
}

void TOpenGLPanel::initializeGL() {
    if (EchecContexte_) {
        return;
    }
    Initialise_ = true;
    DoubleTampon_ = !PFDFlags_.contains(f_PFD_SUPPORT_GDI);
    disconnect(ConnexionContexte_);
    ConnexionContexte_ = connect(
        context(), &QOpenGLContext::aboutToBeDestroyed, this,
        [this] {
            // The widget is about to recreate its context (new top-level window).
            makeCurrent();
            TamponArriere_.reset();
            Initialise_ = false;
            PreInitFait_ = false;
        },
        Qt::DirectConnection);
    if (OnInit) {
        OnInit(this);
    }
}

void TOpenGLPanel::resizeGL(int, int) {
    // The widget's framebuffer was made anew: the next paint must draw.
    PresentationFaite_ = false;
    if (!Initialise_) {
        return;
    }
    if (OnResize) {
        OnResize(this);
    }
}

void TOpenGLPanel::AjusterTamponArriere() {
    const QSize taille(std::max(1, LargeurPixels()), std::max(1, HauteurPixels()));
    if (TamponArriere_ && TamponArriere_->size() == taille) {
        return;
    }
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(cDepthBits_ > 0 ? QOpenGLFramebufferObject::CombinedDepthStencil
                                         : QOpenGLFramebufferObject::NoAttachment);
    TamponArriere_ = std::make_unique<QOpenGLFramebufferObject>(taille, format);
}

void TOpenGLPanel::paintGL() {
    if (PresentationFaite_ && !DansRepaint_) {
        PresentationFaite_ = false;
        return;
    }
    if (!Initialise_ || !OnPaint) {
        return;
    }
    if (DoubleTampon_) {
        AjusterTamponArriere();
        TamponArriere_->bind();
    }
    bool peint = false;
    EnSortant fin([this, &peint] {
        DansPaint_ = false;
        if (DoubleTampon_) {
            if (peint && GLSwapBuffers_ == TOpenGLSwapBuffers::Auto) {
                Presenter();
            }
            context()->extraFunctions()->glBindFramebuffer(GL_FRAMEBUFFER,
                                                           defaultFramebufferObject());
        }
    });
    DansPaint_ = true;
    OnPaint(this);
    peint = true;
}

void TOpenGLPanel::Presenter() {
    if (!TamponArriere_) {
        return;
    }
    QOpenGLExtraFunctions* f = context()->extraFunctions();
    const GLboolean ciseaux = f->glIsEnabled(GL_SCISSOR_TEST);
    f->glDisable(GL_SCISSOR_TEST);
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, TamponArriere_->handle());
    f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, defaultFramebufferObject());
    const int w = TamponArriere_->width();
    const int h = TamponArriere_->height();
    f->glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    f->glBindFramebuffer(GL_FRAMEBUFFER, TamponArriere_->handle());
    if (ciseaux) {
        f->glEnable(GL_SCISSOR_TEST);
    }
}

void TOpenGLPanel::SwapBuffers() {
    if (!Initialise_ || !DoubleTampon_ || !TamponArriere_) {
        return;
    }
    if (DansPaint_) {
        Presenter();
        return;
    }
    makeCurrent();
    Presenter();
    context()->extraFunctions()->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
    doneCurrent();
    PresentationFaite_ = true;
    update();
}

void TOpenGLPanel::Repaint() {
    // A repaint asked for from the panel's own OnPaint would paint inside that paint.
    if (!isVisible() || !Initialise_ || EchecContexte_ || DansPaint_) {
        return;
    }
    makeCurrent();
    if (defaultFramebufferObject() == 0) {
        // The widget has no surface yet: let the toolkit paint it.
        doneCurrent();
        repaint();
        return;
    }
    context()->functions()->glViewport(0, 0, LargeurPixels(), HauteurPixels());
    EnSortant fin([this] {
        DansRepaint_ = false;
        doneCurrent();
        // The window shows the new picture at its next composition; that paint has nothing
        // to draw again.
        PresentationFaite_ = true;
        update();
    });
    DansRepaint_ = true;
    paintGL();
}

void TOpenGLPanel::RepaintDiffere() {
    if (RepaintPrevu_) {
        return;
    }
    RepaintPrevu_ = true;
    QTimer::singleShot(0, this, [this] {
        RepaintPrevu_ = false;
        Repaint();
    });
}

void TOpenGLPanel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        Clic_ = true;
    }
    const QPoint p = e->position().toPoint();
    if (OnMouseDown) {
        OnMouseDown(this, e->button(), e->modifiers(), p.x(), p.y());
    }
    e->accept();
}

void TOpenGLPanel::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click: no click follows its release.
    Clic_ = false;
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton && OnDblClick) {
        OnDblClick(this);
    }
    if (OnMouseDown) {
        OnMouseDown(this, e->button(), e->modifiers(), p.x(), p.y());
    }
    e->accept();
}

void TOpenGLPanel::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton && Clic_) {
        Clic_ = false;
        if (rect().contains(p) && OnClick) {
            OnClick(this);
        }
    }
    if (OnMouseUp) {
        OnMouseUp(this, e->button(), e->modifiers(), p.x(), p.y());
    }
    e->accept();
}

void TOpenGLPanel::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (OnMouseMove) {
        OnMouseMove(this, e->modifiers(), p.x(), p.y());
    }
    e->accept();
}
