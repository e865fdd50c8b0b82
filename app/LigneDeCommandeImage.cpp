#include "app/LigneDeCommandeImage.h"

#include "display/VueAnalyse.h"
#include "fichiers/EcritureAtomique.h"
#include "fichiers/ErreurFichier.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>

#include <cstdio>

namespace {

constexpr int CoteImage = 900;

} // namespace

DessinateurPavage DessinerPavagePng(int& argc, char** argv,
                                    std::unique_ptr<QApplication>& application) {
    return [&argc, argv, &application](const std::string& chemin, const OptionsCommande& o,
                                       const EntreesChaine&, const ResultatChaine& c,
                                       const BoxList& rejetees, const BoxList& solution) {
        if (!application && QApplication::instance() == nullptr) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            // The command line prints its results only: Qt's notices stay quiet.
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& m) {
                if (type == QtCriticalMsg || type == QtFatalMsg) {
                    std::fprintf(stderr, "%s\n", m.toLocal8Bit().constData());
                }
            });
            application = std::make_unique<QApplication>(argc, argv);
        }
        TVueAnalyse vue;
        vue.resize(CoteImage, CoteImage);
        vue.DefinirPavage({std::min(o.Boite[0], o.Boite[1]), std::max(o.Boite[0], o.Boite[1]),
                           std::min(o.Boite[2], o.Boite[3]), std::max(o.Boite[2], o.Boite[3])},
                          &rejetees, 0, &solution, 0);
        MarqueursAnalyse m;
        m.PointDirect = c.Vrais.Direct;
        m.PointPermute = c.Vrais.Permute;
        m.Racine1 = c.Racines.Racine1;
        m.Racine2 = c.Racines.Racine2;
        for (const AmasQualifie& a : c.Rapport.Amas) {
            m.Groupes.push_back(a.Groupe);
        }
        vue.DefinirMarqueurs(std::move(m));
        vue.Ajuster();
        vue.PreparerPavage();
        QImage image(CoteImage, CoteImage, QImage::Format_RGB32);
        image.fill(Qt::white);
        vue.render(&image);
        QByteArray octets;
        QBuffer tampon(&octets);
        tampon.open(QIODevice::WriteOnly);
        if (!image.save(&tampon, "PNG")) {
            throw ErreurFichier(chemin, "l'image n'a pas pu être codée en PNG.");
        }
        EcrireTexteAtomiquement(chemin, std::string_view(octets.constData(), octets.size()));
    };
}
