// The language of the program: French (the source texts) or English. Chosen by `--langue fr|en`
// anywhere on the command line, else (the window only) by the choice remembered from the
// "Langue" menu, else French. The choice installs Qt's translators for the program's texts
// and Qt's own (standard dialogs), and the translation door of the core (`Traduire`), which
// the command line uses without a Qt application.
#pragma once

#include <QString>

#include <string>
#include <vector>

inline constexpr const char* LangueParDefaut = "fr";

// Removes every `--langue V` / `--langue=V` from `arguments` and returns the last V ("" when
// none). Throws std::invalid_argument with a French message on a value other than fr or en,
// or on a missing value.
std::string ExtraireLangue(std::vector<std::string>& arguments);

// The language the window remembers (QSettings), French when none or unknown.
QString LangueRetenue();
void RetenirLangue(const QString& langue);

// Installs the translations of `langue` ("fr" or "en"; anything else is French): the
// translators are kept for the whole process and installed into the application when there
// is one (again by InstallerTraducteursApplication once it exists).
void ChoisirLangue(const QString& langue);
void InstallerTraducteursApplication();
QString LangueCourante();
