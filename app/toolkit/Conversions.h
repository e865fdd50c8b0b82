// Numbers as text, the way the program shows and reads them:
// - TexteLocal: `v` in printf's form 'f' (`chiffres` decimals) or 'g' (`chiffres` significant
//   digits) with the locale's decimal separator and never a group separator, which a reader
//   could take for a decimal one ("1,018.79");
// - FloatToStr: TexteLocal in form 'g' with 15 digits;
// - StrToFloat: the whole text must be a finite number with the locale's separator, else
//   ErreurConversion (which ends the handler and shows the standard exception box);
// - prefix readings of an integer and of a floating value ("." as separator whatever the
//   locale): leading blanks and a sign, reading stops at the first character that does not
//   fit, 0 when nothing is numeric. They never go through the C library's locale.
#pragma once

#include <QString>

#include <stdexcept>
#include <string_view>

class ErreurConversion : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QString TexteLocal(double v, char forme, int chiffres);
QString FloatToStr(double valeur);
double StrToFloat(const QString& texte);

// Integer prefix, saturated to the 32-bit range.
int LireEntierPrefixe(std::string_view texte);
int LireEntierPrefixe(const QString& texte);

// Floating prefix; a magnitude beyond the double range reads as an infinity, below it as 0.
double LireReelPrefixe(std::string_view texte);
double LireReelPrefixe(const QString& texte);
