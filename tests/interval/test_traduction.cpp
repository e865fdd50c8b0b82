#include "interval/Traduction.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string EnAnglais(const char* contexte, const char* texte) {
    return std::string(contexte) == "Essai" && std::string(texte) == "Fichier « %1 » : %2"
               ? "%2: file \"%1\""
               : std::string(texte);
}

struct RetirerTraduction {
    ~RetirerTraduction() { PoserTraduction(nullptr); }
};

} // namespace

TEST(Traduction, FillsEachMarkOnceInTheTranslationsOrder) {
    struct Cas {
        const char* modele;
        std::initializer_list<std::string> arguments;
        const char* attendu;
    };
    const Cas cas[] = {
        {"%1 et %2", {"a", "b"}, "a et b"},
        {"%2 puis %1", {"a", "b"}, "b puis a"},
        {"%1 %3", {"a"}, "a %3"},             // a missing value leaves its mark
        {"%1 et %2", {"%2", "b"}, "%2 et b"}, // a value is never filled in again
        {"100 % sûr, %", {}, "100 % sûr, %"},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(RemplirModele(c.modele, c.arguments), c.attendu) << c.modele;
    }
}

TEST(Traduction, FrenchSourceUntilATranslationIsSet) {
    RetirerTraduction garde;
    EXPECT_EQ(Traduire("Essai", "Fichier « %1 » : %2"), "Fichier « %1 » : %2");
    PoserTraduction(&EnAnglais);
    EXPECT_EQ(RemplirModele(Traduire("Essai", "Fichier « %1 » : %2"), {"a.wav", "illisible"}),
              "illisible: file \"a.wav\"");
    EXPECT_EQ(Traduire("Autre", "Fichier « %1 » : %2"), "Fichier « %1 » : %2");
}
