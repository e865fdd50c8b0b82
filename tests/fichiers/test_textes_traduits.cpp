// Every text the files and signals show goes through the translation door: with a door that
// writes every text it is given in capitals, no lower-case letter is left in a message but
// those of the values it names (paths, field names, numbers).
#include "DossierTemporaire.h"
#include "support/Gardes.h"

#include "fichiers/EcritureSignal.h"
#include "fichiers/LectureSignal.h"
#include "fichiers/Session.h"
#include "interval/Traduction.h"
#include "signal/Avancement.h"
#include "signal/Melange.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string EnCapitales(const char*, const char* texte) {
    std::string s(texte);
    for (char& c : s) {
        c = char(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

struct GardeTraduction : Garde {
    GardeTraduction() : Garde([] { PoserTraduction(nullptr); }) { PoserTraduction(&EnCapitales); }
};

// What `f` returns, or the message of what it throws.
std::string Message(const std::function<std::string()>& f) {
    try {
        return f();
    } catch (const std::exception& e) {
        return e.what();
    }
}

std::string Joindre(const std::vector<std::string>& textes) {
    std::string s;
    for (const std::string& t : textes) {
        s += t + "\n";
    }
    return s;
}

} // namespace

class TextesTraduits : public DossierTemporaire {};

TEST_F(TextesTraduits, NoTextOfTheFilesAndSignalsEscapesTheTranslation) {
    const GardeTraduction traduction;
    const std::vector<double> a = {0.1, 0.2, 0.3};
    EcrireSignaux(Dossier / "un.wav", {{"a", &a}}, 8000);
    const auto lire = [](std::filesystem::path p, int canal = 0) {
        return [p, canal] { return std::to_string(LireSignal(p, canal).Echantillons.size()); };
    };
    const auto session = [](std::filesystem::path p) {
        return [p] { return Joindre(OuvrirSession(p).Remarques); };
    };
    const struct {
        std::function<std::string()> action;
        std::vector<std::string> valeurs; // values the message names, besides the folder
    } cas[] = {
        {lire(Fichier("son.wav", "rien")), {"son.wav"}},
        {lire(Fichier("virgule.csv", "1\n1,5\n")), {"virgule.csv"}},
        {lire(Fichier("inegal.csv", "1;2\n3\n4;5;6\n")), {"inegal.csv"}},
        {lire(Fichier("grand.csv", "1\n-1e100\n")), {"grand.csv", "-1e+100", "-1e100"}},
        {lire(Dossier / "un.wav", 2), {"un.wav"}},
        {[&] { return Joindre(LireMelanges(Dossier / "un.wav").Remarques); }, {"un.wav"}},
        {[&] { return Joindre(NomsDesCanaux(Fichier("deux.csv", "1 2\n"))); }, {}},
        {[&] { return Joindre(NomsDesCanaux(Dossier / "un.wav")); }, {}},
        {[&] {
             const GardeBudgetMemoire budget(100);
             return lire(Fichier("gros.csv", std::string(400, '\n')))();
         },
         {"gros.csv"}},
        {session(Fichier("m.json", R"({"format": "ovrel5-session",
           "matrice": {"a11": 1e300, "a12": 0, "a21": 0, "a22": 1}})")),
         {"m.json", "matrice", "a11", "1e+300"}},
        {session(Fichier("j.json", "{")), {"j.json"}},
        {session(Fichier("r.json", R"({"format": "ovrel5-session", "version": 9, "zz": 1})")),
         {"r.json", "zz", "sources", "matrice", "textes_matrice", "melanges", "etat_generateur",
          "options"}},
        {[&] {
             EcrireSignaux(Dossier, {{"a", &a}}, 8000);
             return std::string();
         },
         {}},
        {[&] {
             GenererMelanges(a, a, {1, 2e14, 0, 1}, 3, 0.1f);
             return std::string();
         },
         {"a12", "2e+14"}},
        {[] { return TexteOctets(3e9) + TexteOctets(1e40) + TexteFrequence(0); }, {"1e+40"}},
        {[] { return std::string(ArretUtilisateur().what()); }, {}},
    };
    for (const auto& c : cas) {
        std::string message = Message(c.action);
        const std::string brut = message;
        std::vector<std::string> valeurs = c.valeurs;
        valeurs.push_back(Dossier.string());
        // The longer first: a value may hold another ("textes_matrice", "matrice").
        std::sort(valeurs.begin(), valeurs.end(),
                  [](const std::string& u, const std::string& v) { return u.size() > v.size(); });
        for (const std::string& v : valeurs) {
            for (std::size_t p; (p = message.find(v)) != std::string::npos;) {
                message.erase(p, v.size());
            }
        }
        EXPECT_FALSE(message.empty()) << brut;
        EXPECT_EQ(std::count_if(message.begin(), message.end(),
                                [](unsigned char octet) { return std::islower(octet) != 0; }),
                  0)
            << brut;
    }
}
