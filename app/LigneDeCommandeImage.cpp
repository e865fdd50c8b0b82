#include "app/LigneDeCommandeImage.h"

#include "analyse/CarteSir.h"
#include "app/Langue.h"
#include "app/TFormAnalyse.h"
#include "display/PavageRapide.h"
#include "display/VueAnalyse.h"

#include <QApplication>

#include <cstdio>

namespace {

// Side of the mean-SIR map, in cells, as the window computes it.
constexpr int CoteCarte = 256;

// A classic method's name as the analysis window writes it under its points.
QString NomAffiche(const ReferenceQualifiee& r) {
    const std::string nom = NomMethode(r.Reponse.Methode);
    return QString::fromStdString(
        r.NonLinearite ? nom + " " + NomAfficheNonLinearite(*r.NonLinearite) : nom);
}

} // namespace

DessinateurPavage DessinerPavagePng(int& argc, char** argv,
                                    std::unique_ptr<QApplication>& application) {
    return [&argc, argv, &application](const std::string& chemin, const OptionsCommande& o,
                                       const EntreesChaine& e, const ResultatChaine& c,
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
            InstallerTraducteursApplication(); // the captions of the view in the chosen language
        }
        const QSize taille(o.TailleImage[0], o.TailleImage[1]);
        const RectanglePlan recherche{
            std::min(o.BorneInfX, o.BorneSupX), std::max(o.BorneInfX, o.BorneSupX),
            std::min(o.BorneInfY, o.BorneSupY), std::max(o.BorneInfY, o.BorneSupY)};
        TVueAnalyse vue;
        vue.setMinimumSize(1, 1); // a figure smaller than the window's least view
        vue.resize(taille);
        vue.DefinirPavage(recherche, &rejetees, 0, &solution, 0);
        MarqueursAnalyse m;
        m.PointDirect = c.Vrais.Direct;
        m.PointPermute = c.Vrais.Permute;
        m.Racine1 = c.Racines.Racine1;
        m.Racine2 = c.Racines.Racine2;
        for (const AmasQualifie& a : c.Rapport.Amas) {
            m.Groupes.push_back(a.Groupe);
        }
        // The classic methods' points (direct and permuted), which the legend lists.
        for (const ReferenceQualifiee& r : c.References) {
            for (const auto& p : {r.Reponse.Point, r.Reponse.Permutation}) {
                if (p) {
                    m.Methodes.push_back({*p, NomAffiche(r)});
                }
            }
        }
        vue.DefinirMarqueurs(std::move(m));
        // The map when the sources and the matrix are known (empty otherwise: hidden).
        if (!e.Source1.empty() && e.A.EstConnue()) {
            vue.DefinirCarte(CalculerCarteSir(recherche, CoteCarte, CoteCarte, e.A, c.Puissances));
            vue.AfficherCarte(true);
        }
        vue.Ajuster();
        // The scale is fixed now: kept boxes below a pixel are drawn one pixel wide.
        BoxList gardees;
        AgrandirBoites(solution, 0, 1 / vue.Echelle(), 1 / vue.Echelle(), gardees);
        vue.DefinirPavage(recherche, &rejetees, 0, &gardees, 0);
        EnregistrerVue(vue, chemin, taille);
    };
}
