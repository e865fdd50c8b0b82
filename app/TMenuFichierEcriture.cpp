// The "Fichier" menu's writings: estimated sources, mixtures, paving, pictures, sessions.
#include "app/TForm1.h"
#include "app/TFormAnalyse.h"
#include "app/TMenuFichier.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/DialogueFichier.h"
#include "app/toolkit/TImage.h"
#include "commande/Rapport.h"
#include "display/TOpenGLPanel.h"
#include "fichiers/EcritureAtomique.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/ExportPavage.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <cmath>

namespace {

QString FiltreEcriture() {
    return QCoreApplication::translate("TMenuFichier",
                                       "WAV 32 bits flottants (*.wav);;CSV (*.csv)");
}

std::filesystem::path Chemin(const QString& chemin) {
    return std::filesystem::path(QFile::encodeName(chemin).toStdString());
}

// The chosen path, with `extension` added when it has none.
QString AvecExtension(const QString& chemin, const QString& extension) {
    return QFileInfo(chemin).suffix().isEmpty() ? chemin + extension : chemin;
}

void EcrirePng(const QString& chemin, const QImage& image) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, "PNG");
    EcrireTexteAtomiquement(Chemin(chemin), std::string_view(octets.constData(), octets.size()));
}

// The report of the last solve, as the command line writes it for the same inputs: the
// mixtures as they were made (their recipe), the settings of the solve, its analysis.
nlohmann::ordered_json RapportFenetre(const Atelier& atelier, const AnalyseCourante& a) {
    const RecetteMelanges& recette = atelier.RecetteMelangesCourante;
    EntreesRapport e;
    if (recette.sorte == RecetteMelanges::Sorte::Lues) {
        e.Melanges = MelangesJson(recette);
    } else if (recette.sorte == RecetteMelanges::Sorte::Generees) {
        e.Source1 = OrigineJson(recette.Signal1);
        e.Source2 = OrigineJson(recette.Signal2);
        e.A = recette.Matrice;
    }
    e.N = std::int32_t(atelier.MelangesCourants.Melange1.size());
    e.Frequence = atelier.FrequenceMelanges;
    e.R = a.Resolution ? a.Resolution->R : atelier.ReglagesCourants;
    e.Reference = a.QualiteConnue       ? ReferenceQualite::Connue
                  : a.ReferenceInconnue ? ReferenceQualite::Inconnue
                                        : ReferenceQualite::Indisponible;
    return RapportSeparationJson(e, a.Resolution ? &a.Separation : nullptr,
                                 a.Obstacle.toStdString());
}

} // namespace

QString TMenuFichier::CheminEnregistrement(const QString& titre, const QString& filtre) {
    return DemanderFichierAEnregistrer(F_, titre, filtre);
}

void TMenuFichier::EnregistrerEstimeesClick() {
    if (F_->A.Estimees.SourceEstimee1.empty()) {
        MessageBox(tr("Aucune source estimée : lancez le Solver puis choisissez un "
                      "point du pavage."),
                   tr("Erreur!"));
        return;
    }
    const QString chemin =
        CheminEnregistrement(tr("Enregistrer les sources estimées"), FiltreEcriture());
    if (!chemin.isEmpty()) {
        const QString cible = AvecExtension(chemin, QStringLiteral(".wav"));
        Ecrire(cible, [&](const RappelAvancement& avancement) {
            EcrireSignaux(Chemin(cible),
                          {{"source_estimee_1", &F_->A.Estimees.SourceEstimee1},
                           {"source_estimee_2", &F_->A.Estimees.SourceEstimee2}},
                          F_->A.FrequenceMelanges, avancement);
        });
    }
}

void TMenuFichier::EnregistrerMelangesClick() {
    if (!F_->A.MelangesGeneres) {
        MessageBox(tr("Les signaux mélangés sont inconnus"), tr("Erreur!"));
        return;
    }
    const QString chemin = CheminEnregistrement(tr("Enregistrer les mélanges"), FiltreEcriture());
    if (!chemin.isEmpty()) {
        const QString cible = AvecExtension(chemin, QStringLiteral(".wav"));
        Ecrire(cible, [&](const RappelAvancement& avancement) {
            EcrireSignaux(Chemin(cible),
                          {{"melange_1", &F_->A.MelangesCourants.Melange1},
                           {"melange_2", &F_->A.MelangesCourants.Melange2}},
                          F_->A.FrequenceMelanges, avancement);
        });
    }
}

void TMenuFichier::ExporterPavageClick() {
    if (F_->A.BoitesRejetees().IsEmpty() && F_->A.BoitesSolution().IsEmpty()) {
        MessageBox(tr("Aucun pavage : lancez d'abord le Solver."), tr("Erreur!"));
        return;
    }
    const QString chemin = CheminEnregistrement(
        tr("Exporter le pavage (CSV des boîtes et rapport JSON à côté)"), tr("CSV (*.csv)"));
    if (chemin.isEmpty()) {
        return;
    }
    const QFileInfo info(chemin);
    const QString base = info.path() + QChar('/') + info.completeBaseName();
    const QString csv = base + QStringLiteral(".csv");
    // The analysis first (clustering many boxes takes seconds): a stopped export writes
    // neither file.
    std::optional<AnalyseCourante> analyse;
    if (!Travailler(tr("Analyse de la séparation"),
                    tr("L'export du pavage a été arrêté par l'utilisateur : aucun "
                       "fichier n'a été écrit."),
                    [&](const RappelAvancement& avancement) {
                        EtatAnalyse etat = LireEtatAnalyse(*F_);
                        etat.AvecReferences = true;
                        analyse = Analyser(etat, avancement);
                        if (!analyse) {
                            throw ArretUtilisateur();
                        }
                    }) ||
        !Ecrire(csv, [&](const RappelAvancement& avancement) {
            ExporterPavageCsv(Chemin(csv), F_->A.BoitesRejetees(), F_->A.BoitesSolution(),
                              avancement);
        })) {
        return;
    }
    ExporterRapportJson(Chemin(base + QStringLiteral(".json")), RapportFenetre(F_->A, *analyse));
}

void TMenuFichier::EnregistrerImageClick() {
    const QString chemin =
        CheminEnregistrement(tr("Enregistrer l'image du pavage"), tr("PNG (*.png)"));
    if (!chemin.isEmpty()) {
        EcrirePng(AvecExtension(chemin, QStringLiteral(".png")), F_->Image1->Canvas().Image());
    }
}

void TMenuFichier::EnregistrerPanneauClick(int panneau) {
    TOpenGLPanel* const panneaux[6] = {F_->OpenGLPanel1, F_->OpenGLPanel2, F_->OpenGLPanel3,
                                       F_->OpenGLPanel4, F_->OpenGLPanel5, F_->OpenGLPanel6};
    const QString chemin = CheminEnregistrement(
        tr("Enregistrer l'image du panneau %1").arg(panneau), tr("PNG (*.png)"));
    if (!chemin.isEmpty()) {
        EcrirePng(AvecExtension(chemin, QStringLiteral(".png")),
                  panneaux[panneau - 1]->grabFramebuffer());
    }
}

void TMenuFichier::EnregistrerSessionClick() {
    const QString chemin =
        CheminEnregistrement(tr("Enregistrer la session"), tr("Sessions (*.json)"));
    if (chemin.isEmpty()) {
        return;
    }
    F_->A.EnregistrerSession(Chemin(AvecExtension(chemin, QStringLiteral(".json"))));
}
