// "Enregistrer la vue…" of the analysis window, and the figure the command line's --image
// draws: the analysis view (paving, SIR map, axes, markers, legend) as PNG, SVG or PDF. The
// view paints itself onto the file's device, laid out at the size asked for; the vector
// formats keep the axes, markers and texts as vectors and text, the paving and the map as
// the view's own raster.
#include "app/TFormAnalyse.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/DialogueFichier.h"
#include "commande/Options.h"
#include "display/VueAnalyse.h"
#include "fichiers/EcritureAtomique.h"
#include "fichiers/ErreurFichier.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSpinBox>
#include <QSvgGenerator>

#include <algorithm>

namespace {

enum class FormatVue { Png, Svg, Pdf, Inconnu };

FormatVue FormatDe(const std::filesystem::path& chemin) {
    const QString ext = QFileInfo(QFile::decodeName(chemin.c_str())).suffix().toLower();
    return ext == QStringLiteral("png")   ? FormatVue::Png
           : ext == QStringLiteral("svg") ? FormatVue::Svg
           : ext == QStringLiteral("pdf") ? FormatVue::Pdf
                                          : FormatVue::Inconnu;
}

// The view painted on the format's device. The devices get the screen's resolution, so that
// the texts keep their size against the drawing, one device unit being one pixel.
QByteArray Peindre(TVueAnalyse& vue, FormatVue format, QSize taille) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    const int dpi = vue.logicalDpiX();
    const QString titre =
        QCoreApplication::translate("TFormAnalyse", "Analyse de la séparation — Ovrel 5");
    if (format == FormatVue::Png) {
        QImage image(taille, QImage::Format_RGB32);
        image.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
        image.setDotsPerMeterY(int(vue.logicalDpiY() / 0.0254 + 0.5));
        image.fill(Qt::white);
        vue.render(&image);
        image.save(&tampon, "PNG");
    } else if (format == FormatVue::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&tampon);
        svg.setSize(taille);
        svg.setViewBox(QRect(QPoint(0, 0), taille));
        svg.setResolution(dpi);
        svg.setTitle(titre);
        vue.render(&svg);
    } else {
        QPdfWriter pdf(&tampon);
        pdf.setResolution(dpi);
        pdf.setTitle(titre);
        pdf.setCreator(QStringLiteral("Ovrel 5"));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(taille) * 72.0 / dpi, QPageSize::Point, QString(),
                                  QPageSize::ExactMatch));
        QPainter p(&pdf);
        vue.render(&p);
    }
    return octets;
}

} // namespace

void EnregistrerVue(TVueAnalyse& vue, const std::filesystem::path& chemin, QSize taille) {
    const FormatVue format = FormatDe(chemin);
    if (format == FormatVue::Inconnu) {
        throw ErreurFichier(chemin, "format inconnu : .png, .svg ou .pdf est attendu.");
    }
    // A fitted view fits again at the figure's size; a zoomed one shows the same part of the
    // plane, scaled. The probe fits the view, which is put back when it was not fitted.
    const PointPlan centre = vue.Centre();
    const double echelle = vue.Echelle();
    vue.Ajuster();
    const bool ajustee =
        vue.Centre().x == centre.x && vue.Centre().y == centre.y && vue.Echelle() == echelle;
    const QRect zone = vue.ZoneTrace();
    // The view goes back to its size and its part of the plane whatever happens.
    struct Remise {
        TVueAnalyse& vue;
        QSize taille, minimum;
        bool ajustee;
        PointPlan centre;
        double echelle;
        ~Remise() {
            vue.resize(taille);
            vue.setMinimumSize(minimum);
            ajustee ? vue.Ajuster() : vue.DefinirVue(centre.x, centre.y, echelle);
        }
    } remise{vue, vue.size(), vue.minimumSize(), ajustee, centre, echelle};
    vue.setMinimumSize(1, 1);
    vue.resize(taille);
    const QRect z = vue.ZoneTrace();
    ajustee ? vue.Ajuster()
            : vue.DefinirVue(centre.x, centre.y,
                             echelle * std::min(double(z.width()) / zone.width(),
                                                double(z.height()) / zone.height()));
    vue.PreparerPavage(); // the whole paving, however many boxes
    const QByteArray octets = Peindre(vue, format, taille);
    if (octets.isEmpty()) {
        throw ErreurFichier(chemin, "l'image n'a pas pu être dessinée.");
    }
    EcrireTexteAtomiquement(chemin, std::string_view(octets.constData(), octets.size()));
}

void TFormAnalyse::EnregistrerVueClick() {
    QString chemin = DemanderFichierAEnregistrer(
        this, tr("Enregistrer la vue"),
        tr("Image PNG (*.png);;Dessin SVG (*.svg);;Document PDF (*.pdf)"));
    if (chemin.isEmpty()) {
        return;
    }
    if (QFileInfo(chemin).suffix().isEmpty()) {
        chemin += QStringLiteral(".png");
    }
    const std::filesystem::path cible(QFile::encodeName(chemin).toStdString());
    if (FormatDe(cible) == FormatVue::Inconnu) {
        MessageBox(tr("Fichier « %1 » : format inconnu, choisissez .png, .svg ou "
                      ".pdf.")
                       .arg(chemin),
                   tr("Erreur!"));
        return;
    }
    // The size, the view's own by default; the dialog is window-modal and does not block.
    auto* dialogue = new QDialog(this);
    dialogue->setObjectName(QStringLiteral("DialogueTailleVue"));
    dialogue->setWindowTitle(tr("Taille de la figure"));
    dialogue->setAttribute(Qt::WA_DeleteOnClose);
    auto* formulaire = new QFormLayout(dialogue);
    QSpinBox* cotes[2];
    const int valeurs[2] = {Vue->width(), Vue->height()};
    for (int k = 0; k < 2; ++k) {
        cotes[k] = new QSpinBox(dialogue);
        cotes[k]->setObjectName(k == 0 ? QStringLiteral("Largeur") : QStringLiteral("Hauteur"));
        cotes[k]->setRange(CoteImageMin, CoteImageMax);
        cotes[k]->setSuffix(QStringLiteral(" px"));
        cotes[k]->setValue(valeurs[k]);
        formulaire->addRow(k == 0 ? tr("Largeur :") : tr("Hauteur :"), cotes[k]);
    }
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialogue);
    boutons->button(QDialogButtonBox::Ok)->setText(tr("Enregistrer"));
    boutons->button(QDialogButtonBox::Cancel)->setText(tr("Annuler"));
    formulaire->addRow(boutons);
    connect(boutons, &QDialogButtonBox::accepted, dialogue, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, dialogue, &QDialog::reject);
    connect(dialogue, &QDialog::accepted, this, Protege([this, cible, cotes] {
                EnregistrerVue(*Vue, cible, QSize(cotes[0]->value(), cotes[1]->value()));
            }));
    dialogue->open();
}
