// The one door every text the program shows or prints goes through, from the lowest folder up:
// `Traduire(contexte, texte)` gives the text in the chosen language, or the French source text
// itself while no translation is set (the Python module, the tests of the core). The program
// sets the translation once at start-up (`PoserTraduction`), from Qt's translation files.
// Texts with values use %1 … %9, filled by `RemplirModele(Traduire(c, "… %1 …"), {valeur})`,
// so that a translation may put them in another order (the extraction tool reads only calls
// of `Traduire` with two literal texts). `OVREL_TEXTE` marks a text of a static table for the
// extraction tool without translating it there; the table's reader passes it through `Traduire`
// with the same context.
#pragma once

#include <initializer_list>
#include <string>

using FonctionTraduction = std::string (*)(const char* contexte, const char* texte);

void PoserTraduction(FonctionTraduction f);

std::string Traduire(const char* contexte, const char* texte);

// %1 … %9 of `modele` replaced by `arguments` in order (a missing argument leaves its mark).
std::string RemplirModele(const std::string& modele, std::initializer_list<std::string> arguments);

#define OVREL_TEXTE(contexte, texte) texte

// A number of a sentence: `v` with `chiffres` digits after the decimal mark, or with `chiffres`
// significant digits in form 'g'. The mark is the language's (a comma in French, a point in
// English) unless one is set: the window sets its locale's, that of the numbers it writes
// itself, while it is open (an empty mark goes back to the language's).
std::string TexteDecimal(double v, int chiffres, char forme = 'f');
void PoserMarqueDecimale(const std::string& marque);
