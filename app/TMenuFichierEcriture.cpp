// The "Fichier" menu's writings: estimated sources, mixtures, paving, pictures, sessions.
#include "app/TForm1.h"
#include "app/TFormAnalyse.h"
#include "app/TMenuFichier.h"
#include "app/signal/Alea.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/DialogueFichier.h"
#include "app/toolkit/TImage.h"
#include "display/TOpenGLPanel.h"
#include "fichiers/EcritureAtomique.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/ExportPavage.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>

#include <cmath>

namespace {

const QString FiltreEcriture = QStringLiteral("WAV 32 bits flottants (*.wav);;CSV (*.csv)");

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

// JSON numbers cannot be infinite or NaN: an exact separation is "inf", an undefined value null.
nlohmann::json Valeur(const std::optional<double>& v) {
    if (!v || std::isnan(*v)) {
        return nullptr;
    }
    if (std::isinf(*v)) {
        return *v > 0 ? "inf" : "-inf";
    }
    return *v;
}

nlohmann::json Point(const std::optional<PointPlan>& p) {
    return p ? nlohmann::json{{"x", p->x}, {"y", p->y}} : nlohmann::json(nullptr);
}

const char* NomIdentifiabilite(Identifiabilite e) {
    switch (e) {
    case Identifiabilite::Nulle:
        return "nulle";
    case Identifiabilite::Faible:
        return "faible";
    case Identifiabilite::Bonne:
        return "bonne";
    default:
        return "indefinie";
    }
}

// The analysis of the last solve, as the analysis window shows it.
nlohmann::json ComplementsAnalyse(const AnalyseCourante& a) {
    nlohmann::json j;
    j["reference"] = a.QualiteConnue ? "connue" : a.ReferenceInconnue ? "inconnue" : "indisponible";
    j["points_vrais"] = {{"direct", Point(a.Vrais.Direct)}, {"permute", Point(a.Vrais.Permute)}};
    if (a.Resolution == nullptr) {
        j["analyse_indisponible"] = a.Obstacle.toStdString();
        return j;
    }
    nlohmann::json amas = nlohmann::json::array();
    for (std::size_t k = 0; k < a.Amas.size(); ++k) {
        const AmasQualifie& q = a.Amas[k];
        const RectanglePlan& h = q.Groupe.Enveloppe;
        nlohmann::json qualite = nullptr;
        if (q.QualiteCentre) {
            const Qualite& c = *q.QualiteCentre;
            qualite = {
                {"appariement", c.Paires == Appariement::Identite ? "s1-s1,s2-s2" : "s1-s2,s2-s1"},
                {"rsi1_db", Valeur(c.Sir1)},
                {"rsi2_db", Valeur(c.Sir2)},
                {"amari", Valeur(c.Amari)}};
        }
        const char* point = q.Represente == PointRepresente::Direct    ? "direct"
                            : q.Represente == PointRepresente::Permute ? "permute"
                                                                       : nullptr;
        amas.push_back(
            {{"numero", k + 1},
             {"boites", q.Groupe.NbBoites},
             {"enveloppe",
              {{"x_inf", h.xmin}, {"x_sup", h.xmax}, {"y_inf", h.ymin}, {"y_sup", h.ymax}}},
             {"centre", Point(q.Groupe.Centre())},
             {"aire", q.Groupe.Aire},
             {"etendu", q.Groupe.Etendu},
             {"point_vrai", point ? nlohmann::json(point) : nlohmann::json(nullptr)},
             {"qualite_centre", qualite}});
    }
    j["amas"] = amas;
    const RacinesOrdre2& r = a.Racines;
    const bool definie = r.Etat != Identifiabilite::Indefinie;
    j["racines_ordre2"] = {
        {"racine1", Point(r.Racine1)},
        {"racine2", Point(r.Racine2)},
        {"identifiabilite", NomIdentifiabilite(r.Etat)},
        {"message", MessageIdentifiabilite(r.Etat)},
        {"valeurs_propres", definie ? nlohmann::json{r.Lambda1, r.Lambda2} : nullptr},
        {"ecart_relatif", definie ? Valeur(r.EcartRelatif) : nullptr}};
    return j;
}

} // namespace

QString TMenuFichier::CheminEnregistrement(const QString& titre, const QString& filtre) {
    return DemanderFichierAEnregistrer(F, titre, filtre);
}

void TMenuFichier::EnregistrerEstimeesClick() {
    if (F->SourceEstimee1.empty()) {
        MessageBox(QStringLiteral("Aucune source estimée : lancez le Solver puis choisissez un "
                                  "point du pavage."),
                   QStringLiteral("Erreur!"));
        return;
    }
    const QString chemin =
        CheminEnregistrement(QStringLiteral("Enregistrer les sources estimées"), FiltreEcriture);
    if (!chemin.isEmpty()) {
        EcrireSignaux(
            Chemin(AvecExtension(chemin, QStringLiteral(".wav"))),
            {{"source_estimee_1", &F->SourceEstimee1}, {"source_estimee_2", &F->SourceEstimee2}},
            F->FrequenceMelanges);
    }
}

void TMenuFichier::EnregistrerMelangesClick() {
    if (!F->MelangesGeneres) {
        MessageBox(QStringLiteral("Les signaux mélangés sont inconnus"), QStringLiteral("Erreur!"));
        return;
    }
    const QString chemin =
        CheminEnregistrement(QStringLiteral("Enregistrer les mélanges"), FiltreEcriture);
    if (!chemin.isEmpty()) {
        EcrireSignaux(Chemin(AvecExtension(chemin, QStringLiteral(".wav"))),
                      {{"melange_1", &F->Melange1}, {"melange_2", &F->Melange2}},
                      F->FrequenceMelanges);
    }
}

void TMenuFichier::ExporterPavageClick() {
    if (BoitesRejetees.IsEmpty() && BoitesSolution.IsEmpty()) {
        MessageBox(QStringLiteral("Aucun pavage : lancez d'abord le Solver."),
                   QStringLiteral("Erreur!"));
        return;
    }
    const QString chemin = CheminEnregistrement(
        QStringLiteral("Exporter le pavage (CSV des boîtes et rapport JSON à côté)"),
        QStringLiteral("CSV (*.csv)"));
    if (chemin.isEmpty()) {
        return;
    }
    const QFileInfo info(chemin);
    const QString base = info.path() + QChar('/') + info.completeBaseName();
    ExporterPavageCsv(Chemin(base + QStringLiteral(".csv")), BoitesRejetees, BoitesSolution);
    RapportPavage rapport{
        BoiteRecherche,
        F->PrecisionSivia,
        {F->ContrainteDecorrelation, F->ContrainteDecorrelationDerivees, F->ContrainteMomentOrdre4},
        F->DernierResultat,
        ComplementsAnalyse(Analyser(LireEtatAnalyse(*F)))};
    ExporterPavageJson(Chemin(base + QStringLiteral(".json")), rapport);
}

void TMenuFichier::EnregistrerImageClick() {
    const QString chemin = CheminEnregistrement(QStringLiteral("Enregistrer l'image du pavage"),
                                                QStringLiteral("PNG (*.png)"));
    if (!chemin.isEmpty()) {
        EcrirePng(AvecExtension(chemin, QStringLiteral(".png")), F->Image1->Canvas().Image());
    }
}

void TMenuFichier::EnregistrerPanneauClick(int panneau) {
    TOpenGLPanel* const panneaux[6] = {F->OpenGLPanel1, F->OpenGLPanel2, F->OpenGLPanel3,
                                       F->OpenGLPanel4, F->OpenGLPanel5, F->OpenGLPanel6};
    const QString chemin =
        CheminEnregistrement(QStringLiteral("Enregistrer l'image du panneau %1").arg(panneau),
                             QStringLiteral("PNG (*.png)"));
    if (!chemin.isEmpty()) {
        EcrirePng(AvecExtension(chemin, QStringLiteral(".png")),
                  panneaux[panneau - 1]->grabFramebuffer());
    }
}

void TMenuFichier::EnregistrerSessionClick() {
    const QString chemin = CheminEnregistrement(QStringLiteral("Enregistrer la session"),
                                                QStringLiteral("Sessions (*.json)"));
    if (chemin.isEmpty()) {
        return;
    }
    Session s;
    s.Source1 = F->OrigineSource1;
    s.Source2 = F->OrigineSource2;
    s.MatriceMelange = F->MatriceMelange;
    const QLineEdit* edits[4] = {F->Edit1, F->Edit2, F->Edit3, F->Edit4};
    for (int k = 0; k < 4; ++k) {
        s.TextesMatrice[std::size_t(k)] = edits[k]->text().toStdString();
    }
    if (F->MelangesGeneres) {
        s.Melanges = F->RecetteMelangesCourante;
    }
    s.EtatAlea = Alea().EtatCourant();
    s.Options = {F->NbEchantillons,
                 F->BorneInfX,
                 F->BorneSupX,
                 F->BorneInfY,
                 F->BorneSupY,
                 F->PrecisionSivia,
                 std::int32_t(F->Stockage),
                 F->ContrainteDecorrelation,
                 F->ContrainteDecorrelationDerivees,
                 F->ContrainteMomentOrdre4,
                 F->MontrerSolution,
                 F->EstimationAuClic};
    ::EnregistrerSession(Chemin(AvecExtension(chemin, QStringLiteral(".json"))), s);
}
