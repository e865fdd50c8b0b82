// The "Fichier" menu's readings: sources, mixtures, the example voices, sessions.
#include "app/TChoixCanal.h"
#include "app/TForm1.h"
#include "app/TMenuFichier.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/DialogueFichier.h"
#include "fichiers/Donnees.h"
#include "fichiers/ErreurFichier.h"
#include "fichiers/LectureSignal.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

QString FiltreSignaux() {
    return QCoreApplication::translate(
        "TMenuFichier", "Signaux (*.wav *.flac *.ogg *.csv *.txt *.dat);;Tous les fichiers (*)");
}

std::filesystem::path Chemin(const QString& chemin) {
    return std::filesystem::path(QFile::encodeName(chemin).toStdString());
}

QString Nom(const std::filesystem::path& chemin) {
    return QFileInfo(QFile::decodeName(chemin.string().c_str())).fileName();
}

// The channel to read: the only one, or the one the user picks (-1: cancelled).
int ChoisirCanal(QWidget* parent, const std::filesystem::path& chemin,
                 const ContenuFichier& contenu, const QString& question) {
    if (contenu.NbCanaux <= 1) {
        return 0;
    }
    const auto choix = TChoixCanal::Demander(parent, Nom(chemin), contenu, {question});
    return choix.empty() ? -1 : choix.front();
}

QString LectureMelanges() {
    return QCoreApplication::translate("TMenuFichier", "Lecture des mélanges");
}
QString ArretMelanges() {
    return QCoreApplication::translate(
        "TMenuFichier",
        "La lecture des mélanges a été arrêtée par l'utilisateur : les sources et les "
        "mélanges sont restés comme ils étaient.");
}

QString DossierExemples() {
    const auto programme = Chemin(QCoreApplication::applicationDirPath());
    return QFile::decodeName(DossierDonnees(programme).string().c_str());
}

} // namespace

void TMenuFichier::OuvrirSourceClick(int k) {
    const QStringList chemins =
        DemanderFichiersAOuvrir(F_, tr("Ouvrir la source %1").arg(k), FiltreSignaux());
    if (!chemins.isEmpty()) {
        ChargerSource(k, chemins.front());
    }
}

void TMenuFichier::ChargerSource(int k, const QString& texte) {
    const std::filesystem::path chemin = Chemin(texte);
    const QString quoi = tr("Lecture de la source %1").arg(k);
    const QString arret = tr("La lecture de la source %1 a été arrêtée par "
                             "l'utilisateur : la source est restée comme elle était.")
                              .arg(k);
    ContenuFichier contenu;
    if (!Travailler(quoi, arret, [&](const RappelAvancement& avancement) {
            contenu = DecrireFichier(chemin, avancement);
        })) {
        return;
    }
    const int canal = ChoisirCanal(F_, chemin, contenu, tr("Source %1 :").arg(k));
    if (canal < 0) {
        return;
    }
    SignalLu lu;
    if (!Travailler(quoi, arret, [&](const RappelAvancement& avancement) {
            lu = LireSignal(chemin, canal, avancement);
        })) {
        return;
    }
    const OrigineSignal& autre = k == 1 ? F_->A.OrigineSource2 : F_->A.OrigineSource1;
    if (autre.sorte == OrigineSignal::Sorte::Fichier) {
        FrequenceCommune(k == 1 ? F_->A.FrequenceSource2 : F_->A.FrequenceSource1, autre.Chemin,
                         lu.Frequence, chemin.string());
    }
    // The file item, the caption under the panel and the panel follow the core's notice.
    F_->A.PoserSourceLue(
        k, {std::move(lu.Echantillons),
            {OrigineSignal::Sorte::Fichier,
             {},
             0,
             0,
             std::filesystem::absolute(chemin).string(),
             canal},
            lu.Frequence,
            contenu.NbCanaux > 1 ? contenu.NomsCanaux[std::size_t(canal)] : std::string()});
    SignalerLongueurs(QString());
}

void TMenuFichier::OuvrirMelangesClick() {
    const QStringList chemins = DemanderFichiersAOuvrir(
        F_, tr("Ouvrir des mélanges (un fichier à deux canaux ou deux fichiers)"), FiltreSignaux(),
        true);
    if (!chemins.isEmpty()) {
        ChargerMelanges(chemins);
    }
}

void TMenuFichier::ChargerMelanges(const QStringList& chemins) {
    if (chemins.size() > 2) {
        MessageBox(tr("Choisissez un fichier à deux canaux ou deux fichiers."), tr("Erreur!"));
        return;
    }
    const std::filesystem::path p1 = Chemin(chemins[0]);
    const std::filesystem::path p2 = Chemin(chemins.value(chemins.size() - 1));
    const auto decrire = [&](const std::filesystem::path& p, ContenuFichier& contenu) {
        return Travailler(
            LectureMelanges(), ArretMelanges(),
            [&](const RappelAvancement& avancement) { contenu = DecrireFichier(p, avancement); });
    };
    int c1 = 0, c2 = 1;
    if (chemins.size() == 1) {
        ContenuFichier contenu;
        if (!decrire(p1, contenu)) {
            return;
        }
        if (contenu.NbCanaux > 2) {
            const auto choix = TChoixCanal::Demander(F_, Nom(p1), contenu,
                                                     {tr("Mélange x1 :"), tr("Mélange x2 :")});
            if (choix.empty()) {
                return;
            }
            c1 = choix[0];
            c2 = choix[1];
        }
    } else {
        ContenuFichier contenu1, contenu2;
        if (!decrire(p1, contenu1)) {
            return;
        }
        c1 = ChoisirCanal(F_, p1, contenu1, tr("Mélange x1 :"));
        if (c1 < 0 || !decrire(p2, contenu2)) {
            return;
        }
        c2 = ChoisirCanal(F_, p2, contenu2, tr("Mélange x2 :"));
        if (c2 < 0) {
            return;
        }
    }
    // Everything is computed before anything is stored: an error or a stop changes nothing.
    double frequence = 0;
    std::vector<std::string> remarques;
    Melanges m;
    if (!Travailler(LectureMelanges(), ArretMelanges(), [&](const RappelAvancement& avancement) {
            const RappelAvancement lecture = Partie(avancement, 0, 0.6);
            MelangesLus lus = chemins.size() == 1 ? LireMelanges(p1, c1, c2, lecture)
                                                  : LireMelanges(p1, c1, p2, c2, lecture);
            frequence = lus.Frequence;
            remarques = std::move(lus.Remarques);
            m = MelangesObserves(std::move(lus.Melange1), std::move(lus.Melange2),
                                 F_->A.PasEchantillonnage, Partie(avancement, 0.6, 0.4));
        })) {
        return;
    }
    // The sources and the matrix are unknown now.
    F_->A.PoserMelangesLus(
        std::move(m),
        {RecetteMelanges::Sorte::Lues,
         {OrigineSignal::Sorte::Fichier, {}, 0, 0, std::filesystem::absolute(p1).string(), c1},
         {OrigineSignal::Sorte::Fichier, {}, 0, 0, std::filesystem::absolute(p2).string(), c2},
         {},
         0},
        frequence);
    if (!remarques.empty()) {
        MessageBox(QString::fromStdString(remarques.front()), tr("Information"));
    }
}

void TMenuFichier::DeuxVoixClick() {
    const QString dossier = DossierExemples();
    // Both are read before either is stored.
    const std::filesystem::path p1 = Chemin(dossier + QStringLiteral("/voix1.wav"));
    const std::filesystem::path p2 = Chemin(dossier + QStringLiteral("/voix2.wav"));
    SignalLu v1, v2;
    if (!Travailler(tr("Lecture des exemples"),
                    tr("La lecture des exemples a été arrêtée par l'utilisateur : les "
                       "sources sont restées comme elles étaient."),
                    [&](const RappelAvancement& avancement) {
                        v1 = LireSignal(p1, 0, Partie(avancement, 0, 0.5));
                        v2 = LireSignal(p2, 0, Partie(avancement, 0.5, 0.5));
                    })) {
        return;
    }
    F_->A.PoserSourcesLues({std::move(v1.Echantillons),
                            {OrigineSignal::Sorte::Fichier, {}, 0, 0, p1.string(), 0},
                            v1.Frequence,
                            {}},
                           {std::move(v2.Echantillons),
                            {OrigineSignal::Sorte::Fichier, {}, 0, 0, p2.string(), 0},
                            v2.Frequence,
                            {}});
    SignalerLongueurs(QString());
}

void TMenuFichier::OuvrirSessionClick() {
    const QStringList chemins = DemanderFichiersAOuvrir(
        F_, tr("Ouvrir une session"), tr("Sessions (*.json);;Tous les fichiers (*)"));
    if (!chemins.isEmpty()) {
        ChargerSession(chemins.front());
    }
}

void TMenuFichier::ChargerSession(const QString& texte) {
    // The core rebuilds everything before it stores anything: an error or a stop changes
    // nothing.
    Session s;
    if (!Travailler(tr("Ouverture de la session"),
                    tr("L'ouverture de la session a été arrêtée par l'utilisateur : "
                       "les sources, les mélanges et les options sont restés comme "
                       "ils étaient."),
                    [&](const RappelAvancement& avancement) {
                        s = F_->A.OuvrirSession(Chemin(texte), avancement);
                    })) {
        return;
    }
    if (!s.Remarques.empty()) {
        QStringList notes;
        for (const auto& r : s.Remarques) {
            notes << QString::fromStdString(r);
        }
        MessageBox(tr("La session a été ouverte.\n") + notes.join(QChar('\n')), tr("Information"));
    }
}
