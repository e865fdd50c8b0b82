// TOpenGLPanel: a panel hosting its own OpenGL rendering context (compatibility profile,
// depth buffer, double buffering by default). The application draws only from OnInit,
// OnResize and OnPaint, each called with the panel's own context current. In double-buffered
// mode OnPaint draws into the panel's back buffer, which is presented after OnPaint when
// GLSwapBuffers is Auto; nothing is erased between paints.
#pragma once

#include <QOpenGLWidget>
#include <QSet>
#include <QString>
#include <QSurfaceFormat>

#include <cstdint>
#include <functional>
#include <memory>

class QOpenGLFramebufferObject;

enum TPFDPixelTypes { f_PFD_TYPE_RGBA, f_PFD_TYPE_COLORINDEX };

enum TPFDFlag {
    f_PFD_DRAW_TO_WINDOW,
    f_PFD_DRAW_TO_BITMAP,
    f_PFD_SUPPORT_GDI,
    f_PFD_SUPPORT_OPENGL,
    f_PFD_GENERIC_ACCELERATED,
    f_PFD_GENERIC_FORMAT,
    f_PFD_NEED_PALETTE,
    f_PFD_NEED_SYSTEM_PALETTE,
    f_PFD_DOUBLEBUFFER,
    f_PFD_STEREO,
    f_PFD_SWAP_LAYER_BUFFERS
};
using TPFDFlags = QSet<TPFDFlag>;

enum class TOpenGLSwapBuffers { Auto, Manual };

class TOpenGLPanel : public QOpenGLWidget {
    Q_OBJECT
public:
    using EvenementPanel = std::function<void(TOpenGLPanel*)>;
    using EvenementBouton =
        std::function<void(TOpenGLPanel*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)>;
    using EvenementDeplacement =
        std::function<void(TOpenGLPanel*, Qt::KeyboardModifiers, int, int)>;

    // Masks every floating-point exception of the process.
    explicit TOpenGLPanel(QWidget* parent = nullptr);
    ~TOpenGLPanel() override;

    // Called before the panel's context is created (no context is current then).
    EvenementPanel OnPreInit;
    // Called with the panel's context current: once per context, before any resize or paint.
    EvenementPanel OnInit;
    EvenementPanel OnResize;
    EvenementPanel OnPaint;

    EvenementPanel OnClick;
    EvenementPanel OnDblClick;
    EvenementBouton OnMouseDown;
    EvenementBouton OnMouseUp;
    EvenementDeplacement OnMouseMove;

    // Where the panel reports its failures; when empty, a modal message box shows the text.
    static std::function<void(const QString& texte)> RapporteurMessage;

    TPFDPixelTypes PixelType() const { return PixelType_; }
    const TPFDFlags& PFDFlags() const { return PFDFlags_; }
    // Keeps exactly one of f_PFD_SUPPORT_GDI and f_PFD_DOUBLEBUFFER in the set.
    void SetPFDFlags(const TPFDFlags& valeur);
    std::uint8_t cColorBits() const { return cColorBits_; }
    std::uint8_t cDepthBits() const { return cDepthBits_; }
    TOpenGLSwapBuffers GLSwapBuffers() const { return GLSwapBuffers_; }
    void SetGLSwapBuffers(TOpenGLSwapBuffers valeur) { GLSwapBuffers_ = valeur; }

    // Paints the panel now: OnPaint has run when this returns, if the panel is visible and
    // has a context.
    void Repaint();
    // Paints the panel at the next turn of the event loop: the requests made before it (a
    // burst of wheel steps, each asking for all six panels) cost one paint, not one each.
    void RepaintDiffere();
    // Presents the back buffer (double-buffered panels only). Meant for OnPaint in Manual mode.
    void SwapBuffers();

    // True when the context of the panel was created as double-buffered.
    bool DoubleTampon() const { return DoubleTampon_; }
    // True once the panel has failed to create its context; it then stays blank.
    bool EchecContexte() const { return EchecContexte_; }
    // Size of the drawing surface in device pixels.
    int LargeurPixels() const;
    int HauteurPixels() const;

    // Surface format requested from the current properties.
    QSurfaceFormat FormatDemande() const;

protected:
    // Lets a derived panel alter the requested format (e.g. to test a creation failure).
    virtual QSurfaceFormat AjusterFormat(QSurfaceFormat format) const { return format; }

    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void AppliquerFormat();
    void VerifierCreation();
    void AjusterTamponArriere();
    void Presenter();
    static void Rapporter(const QString& texte);

    TPFDPixelTypes PixelType_ = f_PFD_TYPE_RGBA;
    TPFDFlags PFDFlags_{f_PFD_DRAW_TO_WINDOW, f_PFD_SUPPORT_OPENGL, f_PFD_DOUBLEBUFFER};
    std::uint8_t cColorBits_ = 32;
    std::uint8_t cDepthBits_ = 32;
    TOpenGLSwapBuffers GLSwapBuffers_ = TOpenGLSwapBuffers::Auto;

    bool PreInitFait_ = false;
    bool Initialise_ = false;
    bool DoubleTampon_ = true;
    bool EchecContexte_ = false;
    bool Clic_ = false;
    bool DansPaint_ = false;
    bool DansRepaint_ = false;
    bool RepaintPrevu_ = false;
    // The widget's framebuffer already holds the latest picture (painted by Repaint).
    bool PresentationFaite_ = false;
    std::unique_ptr<QOpenGLFramebufferObject> TamponArriere_;
    QMetaObject::Connection ConnexionContexte_;
};
