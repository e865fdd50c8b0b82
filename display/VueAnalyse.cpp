#include "display/VueAnalyse.h"

#include "display/Graduations.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// Margins of the plotting area: tick labels left and below, the map's scale on the right.
constexpr int MargeGauche = 64, MargeBas = 40, MargeHaut = 10, MargeDroite = 12;
constexpr int MargeEchelle = 78;

constexpr QRgb CouleurGardee = 0xFFFFFF00, CouleurRejetee = 0xFF0000FF;
constexpr QRgb CouleurFond = 0xFFF2F2F2;

// A dark-to-bright ramp over 0 .. 40 dB (dark blue, purple, orange, pale yellow).
QRgb CouleurDb(float db) {
    static const QColor arrets[] = {QColor(20, 12, 60), QColor(110, 30, 120), QColor(215, 70, 70),
                                    QColor(250, 160, 40), QColor(252, 245, 180)};
    constexpr int n = sizeof arrets / sizeof arrets[0];
    const double t = std::isfinite(db) ? std::clamp(double(db) / 40.0, 0.0, 1.0) : (db > 0 ? 1 : 0);
    const double u = t * (n - 1);
    const int k = std::min(n - 2, int(u));
    const double f = u - k;
    const QColor &a = arrets[k], &b = arrets[k + 1];
    return qRgb(int(a.red() + f * (b.red() - a.red())),
                int(a.green() + f * (b.green() - a.green())),
                int(a.blue() + f * (b.blue() - a.blue())));
}

QRgb Melanger(QRgb fond, QRgb dessus, int alpha) {
    const auto m = [alpha](int a, int b) { return (a * (255 - alpha) + b * alpha) / 255; };
    return qRgb(m(qRed(fond), qRed(dessus)), m(qGreen(fond), qGreen(dessus)),
                m(qBlue(fond), qBlue(dessus)));
}

// Zoom limits: a pixel never spans fewer than 2^12 representable values near the centre, so
// that points, boxes and ticks stay apart; the centre stays well inside the doubles.
constexpr double EchelleMin = 1e-6, EchelleMax = 1e12, EchellePlancher = 1e-290;
constexpr double CentreMax = 1e300;
constexpr double UlpsParPixel = 0x1p-40;

// About one tick per 90 pixels; fewer when the labels are wider than that.
constexpr double EcartGraduations = 90;

// A point far outside the view moved to a large but safe distance: the painter clips it
// the same way, and its rasteriser never meets coordinates beyond what it can handle.
QPointF Borne(QPointF p) {
    constexpr double M = 1 << 20;
    return {std::clamp(p.x(), -M, M), std::clamp(p.y(), -M, M)};
}

// The classic methods' labels: markers within RayonGroupe pixels share one, at most
// LargeurEtiquette pixels wide before its names wrap.
constexpr double RayonGroupe = 12;
constexpr int LargeurEtiquette = 170, MargeEtiquette = 3;

// The legend: its entries flow in rows in a strip above the plotting area.
constexpr int HautLegende = 4, MargeLegende = 4, EcartLegende = 14;
const QColor CouleurMethode(0, 120, 60);

struct EntreeLegende {
    const char* texte; // French source, shown translated
    int sorte;         // 0 swatch, 1 '+', 2 'x', 3 diamond, 4 hull, 5 triangle
    QColor couleur;
};
const EntreeLegende EntreesLegende[] = {
    {QT_TRANSLATE_NOOP("TVueAnalyse", "Boîtes rejetées"), 0, QColor(CouleurRejetee)},
    {QT_TRANSLATE_NOOP("TVueAnalyse", "Boîtes gardées"), 0, QColor(CouleurGardee)},
    {QT_TRANSLATE_NOOP("TVueAnalyse", "Point vrai"), 1, Qt::black},
    {QT_TRANSLATE_NOOP("TVueAnalyse", "Point vrai permuté"), 2, Qt::black},
    {QT_TRANSLATE_NOOP("TVueAnalyse", "Racines exactes (ordre 2)"), 3, QColor(230, 0, 200)},
    {QT_TRANSLATE_NOOP("TVueAnalyse", "Amas (enveloppe, numéro)"), 4, QColor(220, 0, 0)},
    {QT_TRANSLATE_NOOP("TVueAnalyse", "Méthodes classiques"), 5, CouleurMethode},
};

// Each entry's place, rows of height fm.height() + 2 from `haut`, between `gauche` and
// `droite` (an entry wider than that still gets a row of its own).
std::vector<QRect> PlacesLegende(const QFontMetrics& fm, int gauche, int droite, int haut) {
    std::vector<QRect> places;
    const int h = fm.height() + 2;
    int x = gauche + MargeLegende, y = haut + MargeLegende;
    for (const EntreeLegende& e : EntreesLegende) {
        const int l = 22 + fm.horizontalAdvance(TVueAnalyse::tr(e.texte));
        if (x > gauche + MargeLegende && x + l > droite - MargeLegende) {
            x = gauche + MargeLegende;
            y += h;
        }
        places.emplace_back(x, y, l, h);
        x += l + EcartLegende;
    }
    return places;
}

// A classic method's point: a small triangle pointing up.
void PeindreTriangle(QPainter& p, QPointF m) {
    p.setPen(QPen(CouleurMethode, 2));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawPolygon(QPolygonF({m + QPointF(0, -6), m + QPointF(6, 5), m + QPointF(-6, 5)}));
}

} // namespace

TVueAnalyse::TVueAnalyse(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(320, 260);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(QT_TR_NOOP("Molette : zoom autour du pointeur. Glisser : déplacer la vue. "
                          "Ctrl+0 : ajuster la vue à la boîte de recherche."));
}

void TVueAnalyse::DefinirPavage(const RectanglePlan& recherche, const BoxList* rejetees,
                                std::uint32_t premiereRejetee, const BoxList* gardees,
                                std::uint32_t premiereGardee) {
    const bool nouvelleBoite =
        !AvecPavage_ || recherche.xmin != Recherche_.xmin || recherche.xmax != Recherche_.xmax ||
        recherche.ymin != Recherche_.ymin || recherche.ymax != Recherche_.ymax;
    Recherche_ = recherche;
    Rejetees_ = rejetees;
    Gardees_ = gardees;
    PremiereRejetee_ = premiereRejetee;
    PremiereGardee_ = premiereGardee;
    AvecPavage_ = true;
    ++Version_;
    if (nouvelleBoite) {
        AjusterAuProchainTrace_ = true; // once the view has its size
    }
    update();
}

std::vector<CouchePavage> TVueAnalyse::Couches() const {
    // Kept boxes, then rejected ones; their outlines show once the boxes are eight pixels wide.
    std::vector<CouchePavage> c(2);
    c[0].Liste = Gardees_;
    c[0].Premiere = PremiereGardee_;
    c[0].AuMoinsUnPixel = true; // none vanishes at a scale where it is below a pixel
    c[1].Liste = Rejetees_;
    c[1].Premiere = PremiereRejetee_;
    c[1].Fond = Bleue;
    for (CouchePavage& couche : c) {
        couche.Contour = Noire;
        couche.ContourDAbord = true;
        couche.ContourDes = 8;
    }
    return c;
}

Box TVueAnalyse::CadreRecherche() const {
    Box cadre(2, 0);
    cadre[1] = Interval(Recherche_.xmin, Recherche_.xmax);
    cadre[2] = Interval(Recherche_.ymin, Recherche_.ymax);
    return cadre;
}

void TVueAnalyse::PreparerPavage() {
    if (AvecPavage_) {
        const std::vector<CouchePavage> couches = Couches();
        const Box cadre = CadreRecherche();
        while (!Resume_.Suivre(couches, ResumePavage::PasParPeinture, &cadre)) {
        }
    }
}

void TVueAnalyse::EffacerPavage() {
    Resume_.Oublier();
    AvecPavage_ = false;
    ++Version_;
    Rejetees_ = Gardees_ = nullptr;
    Marqueurs_ = {};
    AmasSelectionne_ = -1;
    update();
}

void TVueAnalyse::DefinirMarqueurs(MarqueursAnalyse m) {
    Marqueurs_ = std::move(m);
    AmasSelectionne_ = -1;
    update();
}

void TVueAnalyse::DefinirCarte(CarteSir carte) {
    Carte_ = std::move(carte);
    ++Version_;
    update();
}

void TVueAnalyse::AfficherCarte(bool afficher) {
    AfficherCarte_ = afficher;
    ++Version_;
    AjusterAuProchainTrace_ = AjusterAuProchainTrace_ || Ajuste_; // the margin changed
    update();
}

void TVueAnalyse::SelectionnerAmas(int indice) {
    AmasSelectionne_ = indice;
    update();
}

QRect TVueAnalyse::ZoneTrace() const {
    const int droite = AfficherCarte_ && !Carte_.Db.empty() ? MargeEchelle : MargeDroite;
    const int haut = HautLegende + HauteurLegende(width()) + MargeHaut;
    return QRect(MargeGauche, haut, std::max(1, width() - MargeGauche - droite),
                 std::max(1, height() - haut - MargeBas));
}

void TVueAnalyse::Ajuster() {
    const QRect z = ZoneTrace();
    double lx = Recherche_.xmax - Recherche_.xmin, ly = Recherche_.ymax - Recherche_.ymin;
    // A search box of zero width still gets a readable neighbourhood.
    lx = lx > 0 && std::isfinite(lx) ? lx : 1;
    ly = ly > 0 && std::isfinite(ly) ? ly : 1;
    Echelle_ = 0.95 * std::min(z.width() / lx, z.height() / ly);
    CentreX_ = std::isfinite(Recherche_.xmin + Recherche_.xmax)
                   ? (Recherche_.xmin + Recherche_.xmax) / 2
                   : 0;
    CentreY_ = std::isfinite(Recherche_.ymin + Recherche_.ymax)
                   ? (Recherche_.ymin + Recherche_.ymax) / 2
                   : 0;
    BornerVue();
    AjusterAuProchainTrace_ = false;
    Ajuste_ = true;
    update();
}

void TVueAnalyse::DefinirVue(double x, double y, double echelle) {
    CentreX_ = x;
    CentreY_ = y;
    Echelle_ = echelle;
    BornerVue();
    AjusterAuProchainTrace_ = false;
    Ajuste_ = false;
    update();
}

void TVueAnalyse::BornerVue() {
    const auto borner = [](double c) {
        return std::isfinite(c) ? std::clamp(c, -CentreMax, CentreMax) : 0.0;
    };
    CentreX_ = borner(CentreX_);
    CentreY_ = borner(CentreY_);
    const double grand = std::max(std::fabs(CentreX_), std::fabs(CentreY_));
    const double plafond = std::min(EchelleMax, 1 / (grand * UlpsParPixel));
    // Below EchelleMin only for a fit to a search box wider than that zoom shows; never so low
    // that the edges of the view leave the doubles.
    Echelle_ = std::isfinite(Echelle_) ? std::clamp(Echelle_, EchellePlancher, plafond) : plafond;
}

QPointF TVueAnalyse::VersEcran(double x, double y) const {
    const QRect z = ZoneTrace();
    return Borne({z.left() + z.width() / 2.0 + (x - CentreX_) * Echelle_,
                  z.top() + z.height() / 2.0 - (y - CentreY_) * Echelle_});
}

PointPlan TVueAnalyse::VersPlan(QPointF p) const {
    const QRect z = ZoneTrace();
    return {CentreX_ + (p.x() - z.left() - z.width() / 2.0) / Echelle_,
            CentreY_ - (p.y() - z.top() - z.height() / 2.0) / Echelle_};
}

// The raster of the plotting area (row 0 at the bottom): kept boxes first, then rejected
// ones; a pixel keeps the first box that reaches it, and the pass stops once all are set.
void TVueAnalyse::Tramer(const QRect& zone) {
    const int W = zone.width(), H = zone.height();
    const bool carte = AfficherCarte_ && !Carte_.Db.empty();
    const CleTrame cle{W, H, CentreX_, CentreY_, Echelle_, carte, Version_};
    if (cle == CleTrame_) {
        return;
    }
    CleTrame_ = cle;
    Trame_.Preparer(W, H);
    if (AvecPavage_) {
        ProjectionPavage p;
        p.ax = p.ay = Echelle_;
        p.bx = W / 2.0 - CentreX_ * Echelle_;
        p.by = H / 2.0 - CentreY_ * Echelle_;
        p.separable = p.visible = true;
        const std::vector<CouchePavage> couches = Couches();
        const Box cadre = CadreRecherche();
        if (Resume_.Tramer(Trame_, p, couches, &cadre) == EtatTrame::Partielle) {
            // The summary of many boxes is not ready: the picture fills in over the next
            // paints, each a bounded step.
            CleTrame_ = {};
            QTimer::singleShot(0, this, [this] { update(); });
        }
    }

    // Colours, with the map under the boxes: rejected boxes let it show through.
    Image_.resize(std::size_t(W) * H);
    std::vector<int> colonne(carte ? W : 0), ligne(carte ? H : 0);
    if (carte) {
        const RectanglePlan& c = Carte_.Zone;
        const auto indice = [](double v, double a, double b, int n) {
            const double t = (v - a) / (b - a) * n;
            return t >= 0 && t < n ? int(t) : -1;
        };
        for (int i = 0; i < W; ++i) {
            colonne[i] =
                indice(CentreX_ + (i + 0.5 - W / 2.0) / Echelle_, c.xmin, c.xmax, Carte_.Largeur);
        }
        for (int j = 0; j < H; ++j) {
            ligne[j] =
                indice(CentreY_ + (j + 0.5 - H / 2.0) / Echelle_, c.ymin, c.ymax, Carte_.Hauteur);
        }
    }
    const std::uint8_t* px = Trame_.Pixels().data();
    for (int j = 0; j < H; ++j) {
        std::uint32_t* sortie = Image_.data() + std::size_t(H - 1 - j) * W;
        const std::uint8_t* entree = px + std::size_t(j) * W;
        for (int i = 0; i < W; ++i) {
            QRgb fond = CouleurFond;
            if (carte && colonne[i] >= 0 && ligne[j] >= 0) {
                fond = CouleurDb(Carte_.At(colonne[i], ligne[j]));
            }
            switch (entree[i]) {
            case Jaune:
                sortie[i] = carte ? Melanger(fond, CouleurGardee, 200) : CouleurGardee;
                break;
            case Bleue:
                sortie[i] = carte ? Melanger(fond, CouleurRejetee, 110) : CouleurRejetee;
                break;
            case Noire:
                sortie[i] = 0xFF000000;
                break;
            default:
                sortie[i] = fond;
            }
        }
    }
}

void TVueAnalyse::paintEvent(QPaintEvent*) {
    if (AjusterAuProchainTrace_) {
        Ajuster();
    }
    const QRect zone = ZoneTrace();
    Tramer(zone);
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QImage image(reinterpret_cast<const uchar*>(Image_.data()), zone.width(), zone.height(),
                       QImage::Format_RGB32);
    p.drawImage(zone.topLeft(), image);
    p.setRenderHint(QPainter::Antialiasing);
    p.save();
    p.setClipRect(zone);
    if (AvecPavage_) {
        const QPointF a = VersEcran(Recherche_.xmin, Recherche_.ymax);
        const QPointF b = VersEcran(Recherche_.xmax, Recherche_.ymin);
        p.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(a, b));
    }
    PeindreMarqueurs(p);
    p.restore();
    PeindreAxes(p, zone);
    PeindreLegende(p);
    if (AfficherCarte_ && !Carte_.Db.empty()) {
        PeindreEchelleCarte(p, zone);
    }
}

void TVueAnalyse::PeindreMarqueurs(QPainter& p) const {
    // The classic methods' points, and their names on a light box tied to the first of them:
    // first, so that the clusters, the true points and the roots stay over them.
    for (const MarqueurMethode& m : Marqueurs_.Methodes) {
        PeindreTriangle(p, VersEcran(m.Point.x, m.Point.y));
    }
    p.setFont(font());
    for (const EtiquetteMethodes& e : EtiquettesMethodes()) {
        const QRectF r(e.Cadre);
        const QPointF bout(std::clamp(e.Ancre.x(), r.left(), r.right()),
                           std::clamp(e.Ancre.y(), r.top(), r.bottom()));
        p.setPen(QPen(CouleurMethode, 1));
        p.drawLine(e.Ancre, bout);
        p.setBrush(QColor(255, 255, 255, 215));
        p.drawRect(r);
        p.drawText(r.adjusted(MargeEtiquette, MargeEtiquette, -MargeEtiquette, -MargeEtiquette),
                   Qt::TextWordWrap, e.Texte);
    }
    QFont police = font();
    police.setBold(true);
    p.setFont(police);
    for (std::size_t k = 0; k < Marqueurs_.Groupes.size(); ++k) {
        const RectanglePlan& e = Marqueurs_.Groupes[k].Enveloppe;
        QRectF r(VersEcran(e.xmin, e.ymax), VersEcran(e.xmax, e.ymin));
        r = r.normalized().adjusted(-3, -3, 3, 3); // stays visible around a single box
        const bool choisi = int(k) == AmasSelectionne_;
        p.setPen(QPen(choisi ? QColor(0, 200, 0) : QColor(220, 0, 0), choisi ? 3 : 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
        const QString numero = QString::number(k + 1);
        const QPointF coin = r.topRight() + QPointF(3, -3);
        QPainterPath chemin;
        chemin.addText(coin, police, numero);
        p.setPen(QPen(Qt::white, 3));
        p.drawPath(chemin);
        p.fillPath(chemin, QColor(200, 0, 0));
    }
    const auto croix = [&p, this](const std::optional<PointPlan>& q, bool droite, QColor c) {
        if (!q) {
            return;
        }
        const QPointF m = VersEcran(q->x, q->y);
        p.setPen(QPen(Qt::white, 5));
        for (int passe = 0; passe < 2; ++passe) {
            if (droite) {
                p.drawLine(m + QPointF(-8, 0), m + QPointF(8, 0));
                p.drawLine(m + QPointF(0, -8), m + QPointF(0, 8));
            } else {
                p.drawLine(m + QPointF(-6, -6), m + QPointF(6, 6));
                p.drawLine(m + QPointF(-6, 6), m + QPointF(6, -6));
            }
            p.setPen(QPen(c, 2));
        }
    };
    croix(Marqueurs_.PointDirect, true, Qt::black);
    croix(Marqueurs_.PointPermute, false, Qt::black);
    for (const auto& r : {Marqueurs_.Racine1, Marqueurs_.Racine2}) {
        if (r) {
            const QPointF m = VersEcran(r->x, r->y);
            const QPolygonF losange(
                {m + QPointF(0, -7), m + QPointF(7, 0), m + QPointF(0, 7), m + QPointF(-7, 0)});
            p.setPen(QPen(QColor(230, 0, 200), 2));
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(losange);
        }
    }
}

void TVueAnalyse::PeindreAxes(QPainter& p, const QRect& zone) const {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    p.setBrush(Qt::NoBrush);
    p.drawRect(zone.adjusted(0, 0, -1, -1));
    const QFontMetrics fm(font());
    for (const TraitAxe& t : TraitsAxe(false)) {
        p.drawLine(t.Pixel, zone.bottom(), t.Pixel, zone.bottom() + 5);
        p.drawText(t.Pixel - fm.horizontalAdvance(t.Texte) / 2, zone.bottom() + 6 + fm.ascent(),
                   t.Texte);
    }
    for (const TraitAxe& t : TraitsAxe(true)) {
        p.drawLine(zone.left() - 5, t.Pixel, zone.left(), t.Pixel);
        p.drawText(zone.left() - 8 - fm.horizontalAdvance(t.Texte), t.Pixel + fm.ascent() / 2 - 1,
                   t.Texte);
    }
    p.drawText(zone.right() - fm.horizontalAdvance(QStringLiteral("x")) - 2,
               zone.bottom() + 6 + 2 * fm.height(), QStringLiteral("x"));
    p.drawText(4, zone.top() + fm.ascent(), QStringLiteral("y"));
    p.setRenderHint(QPainter::Antialiasing, true);
}

std::vector<TVueAnalyse::TraitAxe> TVueAnalyse::TraitsAxe(bool axeY) const {
    const QRect zone = ZoneTrace();
    const PointPlan bg = VersPlan(zone.bottomLeft()), hd = VersPlan(zone.topRight());
    const double bas = axeY ? bg.y : bg.x, haut = axeY ? hd.y : hd.x;
    const int longueur = (axeY ? zone.height() : zone.width()) - 1;
    const QFontMetrics fm(font());
    const QString virgule = QLocale().decimalPoint();
    // Wider labels (many digits far from the origin) space the ticks out: a few tries at most.
    std::vector<TraitAxe> traits;
    double ecart = EcartGraduations;
    for (int essai = 0; essai < 6; ++essai, ecart *= 2) {
        const Graduations g = Graduer(bas, haut, longueur, ecart);
        traits.clear();
        int large = 0;
        for (const Graduations::Trait& t : g.Traits) {
            QString texte = QString::fromStdString(g.Texte(t.Valeur));
            texte.replace(QLatin1Char('.'), virgule);
            large = std::max(large, axeY ? fm.height() : fm.horizontalAdvance(texte));
            const int decalage = int(std::lround(t.Position));
            traits.push_back({axeY ? zone.bottom() - decalage : zone.left() + decalage, texte});
        }
        if (g.Traits.size() < 2 || g.Pas / 2 * (longueur / (haut / 2 - bas / 2)) >= large + 8) {
            break;
        }
    }
    return traits;
}

void TVueAnalyse::PeindreLegende(QPainter& p) const {
    const QFontMetrics fm(font());
    const QRect cadre = CadreLegende();
    p.setPen(QColor(120, 120, 120));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(cadre);
    const std::vector<QRect> places =
        PlacesLegende(fm, cadre.left(), cadre.right() + 1, cadre.top());
    for (std::size_t k = 0; k < places.size(); ++k) {
        const EntreeLegende& e = EntreesLegende[k];
        const QPointF m(places[k].left() + 10, places[k].center().y() + 0.5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(e.couleur, 2));
        switch (e.sorte) {
        case 0:
            p.setPen(Qt::black);
            p.setBrush(e.couleur);
            p.drawRect(QRectF(m - QPointF(6, 5), QSizeF(12, 10)));
            break;
        case 1:
            p.drawLine(m + QPointF(-6, 0), m + QPointF(6, 0));
            p.drawLine(m + QPointF(0, -6), m + QPointF(0, 6));
            break;
        case 2:
            p.drawLine(m + QPointF(-5, -5), m + QPointF(5, 5));
            p.drawLine(m + QPointF(-5, 5), m + QPointF(5, -5));
            break;
        case 3:
            p.drawPolygon(QPolygonF(
                {m + QPointF(0, -6), m + QPointF(6, 0), m + QPointF(0, 6), m + QPointF(-6, 0)}));
            break;
        case 5:
            PeindreTriangle(p, m);
            break;
        default:
            p.drawRect(QRectF(m - QPointF(6, 5), QSizeF(12, 10)));
        }
        p.setPen(Qt::black);
        p.drawText(QPointF(places[k].left() + 22, m.y() + fm.ascent() / 2.0 - 1),
                   TVueAnalyse::tr(e.texte));
    }
}

int TVueAnalyse::HauteurLegende(int largeur) const {
    const std::vector<QRect> places =
        PlacesLegende(QFontMetrics(font()), MargeGauche, largeur - MargeDroite, 0);
    int bas = 0;
    for (const QRect& r : places) {
        bas = std::max(bas, r.bottom() + 1);
    }
    return bas + MargeLegende;
}

QRect TVueAnalyse::CadreLegende() const {
    return QRect(MargeGauche, HautLegende, std::max(1, width() - MargeGauche - MargeDroite),
                 HauteurLegende(width()));
}

std::vector<TVueAnalyse::EtiquetteMethodes> TVueAnalyse::EtiquettesMethodes() const {
    const QFontMetrics fm(font());
    const QRect zone = ZoneTrace();
    std::vector<EtiquetteMethodes> etiquettes;
    for (std::size_t k = 0; k < Marqueurs_.Methodes.size(); ++k) {
        const MarqueurMethode& m = Marqueurs_.Methodes[k];
        const QPointF ecran = VersEcran(m.Point.x, m.Point.y);
        const auto proche = std::find_if(
            etiquettes.begin(), etiquettes.end(), [&ecran](const EtiquetteMethodes& e) {
                return std::hypot(e.Ancre.x() - ecran.x(), e.Ancre.y() - ecran.y()) <= RayonGroupe;
            });
        if (proche == etiquettes.end()) {
            etiquettes.push_back({{}, m.Nom, {k}, ecran});
            continue;
        }
        proche->Marqueurs.push_back(k);
        if (!proche->Texte.split(QStringLiteral(", ")).contains(m.Nom)) {
            proche->Texte += QStringLiteral(", ") + m.Nom;
        }
    }
    std::vector<QRect> placees;
    for (EtiquetteMethodes& e : etiquettes) {
        const QSize taille =
            fm.boundingRect(QRect(0, 0, LargeurEtiquette, 1 << 16), Qt::TextWordWrap, e.Texte)
                .size() +
            QSize(2 * MargeEtiquette, 2 * MargeEtiquette);
        // Above right of the point; left of it at the right edge, below it at the top.
        QRect r(QPoint(int(e.Ancre.x()) + 10, int(e.Ancre.y()) - 8 - taille.height()), taille);
        if (r.right() > zone.right()) {
            r.moveRight(int(e.Ancre.x()) - 10);
        }
        if (r.left() < zone.left()) {
            r.moveLeft(zone.left() + 2); // a narrow view: over the point rather than cut off
        }
        if (r.top() < zone.top()) {
            r.moveTop(int(e.Ancre.y()) + 8);
        }
        // Down past the labels already placed, a dozen steps at most.
        for (int essai = 0; essai < 12; ++essai) {
            const auto chevauche = [&r](const QRect& q) { return q.intersects(r); };
            const auto autre = std::find_if(placees.begin(), placees.end(), chevauche);
            if (autre == placees.end()) {
                break;
            }
            r.moveTop(autre->bottom() + 3);
        }
        e.Cadre = r;
        placees.push_back(r);
    }
    return etiquettes;
}

void TVueAnalyse::PeindreEchelleCarte(QPainter& p, const QRect& zone) const {
    const QFontMetrics fm(font());
    // The caption on its own line, above the top label's half height (labels are centred on
    // their ticks), and within the view however wide it is written.
    const QString titre = tr("RSI moyen");
    const int haut = zone.top() + fm.height() + fm.ascent() / 2 + 4;
    const QRect barre(
        QPoint(zone.right() + 14, haut),
        QPoint(zone.right() + 27, std::max(haut + 19, zone.bottom() - fm.height() - 4)));
    for (int y = 0; y < barre.height(); ++y) {
        p.setPen(QColor(CouleurDb(float(40.0 * (barre.height() - 1 - y) / (barre.height() - 1)))));
        p.drawLine(barre.left(), barre.top() + y, barre.right(), barre.top() + y);
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(barre);
    p.drawText(std::min(barre.left() - 6, width() - 2 - fm.horizontalAdvance(titre)),
               zone.top() + fm.ascent(), titre);
    for (int db = 0; db <= 40; db += 10) {
        const int Y = barre.bottom() - int(std::lround(db / 40.0 * (barre.height() - 1)));
        p.drawLine(barre.right(), Y, barre.right() + 3, Y);
        p.drawText(barre.right() + 5, Y + fm.ascent() / 2 - 1,
                   db == 40 ? tr("≥40 dB") : tr("%1 dB").arg(db));
    }
}

void TVueAnalyse::resizeEvent(QResizeEvent*) {
    // A fitted view fits again; otherwise the centre and the scale stay.
    AjusterAuProchainTrace_ = AjusterAuProchainTrace_ || Ajuste_;
    update();
}

void TVueAnalyse::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        Glisse_ = false;
        Appui_ = Dernier_ = e->position().toPoint();
    }
}

void TVueAnalyse::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (e->buttons() & Qt::LeftButton) {
        if ((pos - Appui_).manhattanLength() > 3) {
            Glisse_ = true;
        }
        if (Glisse_) {
            CentreX_ -= (pos.x() - Dernier_.x()) / Echelle_;
            CentreY_ += (pos.y() - Dernier_.y()) / Echelle_;
            BornerVue();
            Dernier_ = pos;
            Ajuste_ = false;
            update();
        }
    }
    if (ZoneTrace().contains(pos)) {
        const PointPlan q = VersPlan(pos);
        emit PointSurvole(q.x, q.y);
    }
}

void TVueAnalyse::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (e->button() == Qt::LeftButton && !Glisse_ && ZoneTrace().contains(pos)) {
        const PointPlan q = VersPlan(pos);
        emit PointClique(q.x, q.y);
    }
    Glisse_ = false;
}

void TVueAnalyse::wheelEvent(QWheelEvent* e) {
    const double crans = e->angleDelta().y() / 120.0;
    if (crans == 0) {
        return;
    }
    const QPointF pos = e->position();
    const PointPlan avant = VersPlan(pos);
    Echelle_ = std::max(Echelle_ * std::pow(1.25, crans), std::min(EchelleMin, Echelle_));
    BornerVue();
    const PointPlan apres = VersPlan(pos);
    CentreX_ += avant.x - apres.x;
    CentreY_ += avant.y - apres.y;
    BornerVue();
    Ajuste_ = false;
    update();
    e->accept();
}
