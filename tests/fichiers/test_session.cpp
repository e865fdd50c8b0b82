#include "DossierTemporaire.h"

#include "fichiers/EcritureSignal.h"
#include "fichiers/ErreurFichier.h"
#include "fichiers/Reproduction.h"
#include "fichiers/Session.h"

#include <cstring>

namespace {

using Sessions = DossierTemporaire;
constexpr float Pas = 0.1f;

// Generates a source of `type` from the shared-style generator and records its origin.
OrigineSignal Generer(TypeSource type, int N, GenerateurAleatoire& alea, std::vector<double>& s) {
    OrigineSignal o{OrigineSignal::Sorte::Generee, type, N, alea.EtatCourant(), "", 0};
    GenererSource(type, N, Pas, alea, s);
    return o;
}

void ExpectMemesMelanges(const Melanges& a, const Melanges& b) {
    EXPECT_EQ(a.Melange1, b.Melange1);
    EXPECT_EQ(a.Melange2, b.Melange2);
    EXPECT_EQ(a.DeriveeMelange2, b.DeriveeMelange2);
    EXPECT_EQ(std::memcmp(&a.Moments, &b.Moments, sizeof a.Moments), 0);
}

} // namespace

TEST_F(Sessions, ReopeningGivesBitIdenticalSourcesAndMixturesForEveryOrigin) {
    GenerateurAleatoire alea;
    alea.Initialiser(1733600000); // as "Aléatoire" does
    const float b = float(alea.TirageDixMille() * 0.0001 * 2 - 1);
    const float c = float(alea.TirageDixMille() * 0.0001 * 2 - 1);
    const Matrice2x2 A{1, b, c, 1};
    std::vector<double> voix(777);
    for (std::size_t i = 0; i < voix.size(); ++i) {
        voix[i] = double(float(std::sin(0.01 * double(i * i))));
    }
    EcrireWav(Dossier / "voix.wav", {{"v", &voix}}, 16000);

    for (TypeSource type : {TypeSource::BruitBlancGaussien, TypeSource::BruitColoreGaussien,
                            TypeSource::BruitDeLaplace, TypeSource::DentDeScie}) {
        Session s;
        std::vector<double> s1, s2;
        alea.TirageDixMille();
        s.Source1 = Generer(type, 3001, alea, s1);
        s.Source2 = {OrigineSignal::Sorte::Fichier, {}, 0, 0, (Dossier / "voix.wav").string(), 0};
        s2 = voix;
        s.MatriceMelange = A;
        s.Melanges = {RecetteMelanges::Sorte::Generees, s.Source1, s.Source2, A, 500};
        s.EtatAlea = alea.EtatCourant();
        s.Options = ReglagesEnregistres{{"BorneInfX", double(-2.7f)},
                                        {"PrecisionSivia", 0.003},
                                        {"Stockage", std::int64_t{0}},
                                        {"ContrainteMomentOrdre4", true}};
        const Melanges m = GenererMelanges(s1, s2, A, 500, Pas);

        EnregistrerSession(Dossier / "s.json", s);
        const Session r = OuvrirSession(Dossier / "s.json");
        EXPECT_TRUE(r.Remarques.empty());
        EXPECT_EQ(ReproduireSignal(r.Source1, Pas).Echantillons, s1);
        const SignalReproduit lu = ReproduireSignal(r.Source2, Pas);
        EXPECT_EQ(lu.Echantillons, s2);
        EXPECT_EQ(lu.Frequence, 16000);
        EXPECT_EQ(std::memcmp(&r.MatriceMelange, &A, sizeof A), 0);
        EXPECT_EQ(r.EtatAlea, s.EtatAlea);
        EXPECT_EQ(r.Options, s.Options);
        ExpectMemesMelanges(ReproduireMelanges(r.Melanges, Pas)->M, m);
    }
}

TEST_F(Sessions, MixturesReadFromFilesAreReadAgain) {
    std::vector<double> x1 = {1, 2, 3.5, -4}, x2 = {0.5, 0.25, -1, 8};
    EcrireWav(Dossier / "m.wav", {{"x1", &x1}, {"x2", &x2}}, 44100);
    Session s;
    const std::string chemin = (Dossier / "m.wav").string();
    s.Melanges = {RecetteMelanges::Sorte::Lues,
                  {OrigineSignal::Sorte::Fichier, {}, 0, 0, chemin, 0},
                  {OrigineSignal::Sorte::Fichier, {}, 0, 0, chemin, 1},
                  {},
                  0};
    EnregistrerSession(Dossier / "s.json", s);
    const auto m = ReproduireMelanges(OuvrirSession(Dossier / "s.json").Melanges, Pas);
    ASSERT_TRUE(m);
    ExpectMemesMelanges(m->M, MelangesObserves(x1, x2, Pas));
    EXPECT_EQ(m->Frequence, 44100);
}

TEST_F(Sessions, UnknownAndMissingFieldsAreNotedNotFatal) {
    const auto chemin = Fichier("s.json", R"({"format": "ovrel5-session", "version": 7,
        "futur": {"a": 1},
        "sources": [{"sorte": "generee", "type": "BruitDeLaplace", "N": 5},
                    {"sorte": "fichier", "chemin": "x.wav", "canal": 1, "gain": 2}],
        "options": {"NbEchantillons": 1234, "Couleur": "bleu"}})");
    const Session s = OuvrirSession(chemin);
    // The options are carried as they are; the settings table names the unknown ones.
    ASSERT_TRUE(s.Options);
    EXPECT_EQ(s.Options->at("NbEchantillons"), ValeurReglage(std::int64_t{1234}));
    EXPECT_EQ(s.Options->at("Couleur"), ValeurReglage(std::string("bleu")));
    EXPECT_EQ(s.Source1.Type, TypeSource::BruitDeLaplace);
    EXPECT_EQ(s.Source2.Canal, 1);
    std::string notes;
    for (const auto& r : s.Remarques) {
        notes += r + "\n";
    }
    for (const char* attendu :
         {"version plus récente", "« futur »", "« sources[1].gain »", "« matrice » absent"}) {
        EXPECT_NE(notes.find(attendu), std::string::npos) << attendu << "\n" << notes;
    }
}

TEST_F(Sessions, ABrokenSessionFileGivesAMessageNamingIt) {
    const struct {
        std::string contenu;
        std::string raison;
    } cas[] = {
        {"{\"format\": \"ovrel5-session\",", "pas un fichier JSON valide"},
        {"[1, 2]", "pas une session d'Ovrel 5"},
        {R"({"format": "ovrel5-session", "options": [1]})", "« options » devrait être un objet"},
        {R"({"format": "ovrel5-session", "etat_generateur": "12"})", "état de générateur"},
        // Fields that read but cannot stand: the whole file is refused, the field named.
        {R"({"format": "ovrel5-session", "sources": [{"sorte": "generee", "type": "Martien"},
            {"sorte": "aucune"}]})",
         "« sources[0].type » nomme une sorte de source inconnue (« Martien »)"},
        {R"({"format": "ovrel5-session", "matrice": {"a11": 1, "a21": 0, "a22": 1}})",
         "« matrice.a12 » manque"},
        {R"({"format": "ovrel5-session", "melanges": {"sorte": "generees",
            "matrice": {"a11": 1, "a12": 0, "a21": 0}}})",
         "« melanges.matrice.a22 » manque"},
        {R"({"format": "ovrel5-session", "options": {"PrecisionSivia": 1e400}})",
         "le champ « PrecisionSivia » tient un nombre hors de l'étendue des nombres (1e400)"},
        {R"({"format": "ovrel5-session", "matrice": {"a11": -1e400}})", "« a11 » tient un nombre"},
        // One line of 300,000 digits: quoted by its start, never whole.
        {std::string(300000, '1'),
         "nombre hors de l'étendue des nombres (" + std::string(60, '1') + "…)"},
        // A "format" of another kind is not a session, never the library's own exception.
        {R"({"format": 5})", "pas une session d'Ovrel 5"},
        {R"({"format": null})", "pas une session d'Ovrel 5"},
        {R"({"format": ["ovrel5-session"]})", "pas une session d'Ovrel 5"},
        {R"({"format": {"a": 1}})", "pas une session d'Ovrel 5"},
    };
    for (const auto& c : cas) {
        const auto chemin = Fichier("casse.json", c.contenu);
        try {
            OuvrirSession(chemin);
            ADD_FAILURE() << c.contenu;
        } catch (const ErreurFichier& e) {
            EXPECT_NE(std::string(e.what()).find(c.raison), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(chemin.string()), std::string::npos);
            EXPECT_LT(std::string(e.what()).size(), 400u) << "a message, not the file";
        }
    }
}

// A folder holding a session and the signals it read opens after the folder moved: the
// paths relative to the session's folder are tried first. A session copied alone elsewhere
// still finds the signals where they were, through the absolute path.
TEST_F(Sessions, AFolderWithItsSessionAndSignalsOpensAfterItMoved) {
    struct Disposition {
        const char* session; // inside the folder that moves
        const char* signal;  // likewise
        bool sessionSeule;   // only the session is copied out, the folder stays
    };
    const Disposition dispositions[] = {
        {"s.json", "voix.wav", false},
        {"s.json", "signaux/voix.wav", false},
        {"sessions/s.json", "donnees/voix.wav", false},
        {"s.json", "voix.wav", true},
    };
    std::vector<double> voix(300);
    for (std::size_t i = 0; i < voix.size(); ++i) {
        voix[i] = double(float(std::cos(0.03 * double(i))));
    }
    int n = 0;
    for (const Disposition& d : dispositions) {
        SCOPED_TRACE(std::string(d.session) + " / " + d.signal);
        const auto avant = Dossier / ("projet" + std::to_string(n));
        const auto apres = Dossier / ("ailleurs" + std::to_string(n++)) / "projet";
        std::filesystem::create_directories((avant / d.signal).parent_path());
        std::filesystem::create_directories((avant / d.session).parent_path());
        EcrireWav(avant / d.signal, {{"v", &voix}}, 8000);
        const OrigineSignal fichier{OrigineSignal::Sorte::Fichier, {}, 0, 0,
                                    (avant / d.signal).string(),   0};
        Session s;
        s.Source1 = fichier;
        s.Melanges = {RecetteMelanges::Sorte::Lues, fichier, fichier, {}, 0};
        s.Options = ReglagesEnregistres{};
        EnregistrerSession(avant / d.session, s);

        std::filesystem::create_directories(apres.parent_path());
        std::filesystem::path attendu;
        if (d.sessionSeule) {
            std::filesystem::create_directories(apres);
            std::filesystem::copy_file(avant / d.session, apres / d.session);
            attendu = avant / d.signal;
        } else {
            std::filesystem::rename(avant, apres);
            attendu = apres / d.signal;
        }
        const Session lue = OuvrirSession(apres / d.session);
        EXPECT_TRUE(lue.Remarques.empty()) << lue.Remarques.front();
        for (const OrigineSignal* o :
             {&lue.Source1, &lue.Melanges.Signal1, &lue.Melanges.Signal2}) {
            EXPECT_TRUE(std::filesystem::equivalent(o->Chemin, attendu)) << o->Chemin;
        }
        EXPECT_EQ(ReproduireSignal(lue.Source1, Pas).Echantillons, voix);
        EXPECT_EQ(ReproduireMelanges(lue.Melanges, Pas)->M.Melange2, voix);
    }
}
