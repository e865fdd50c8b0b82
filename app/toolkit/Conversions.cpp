#include "app/toolkit/Conversions.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

bool EstBlanc(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Skips leading blanks and reads an optional sign; returns true for a minus sign.
bool Signe(std::string_view& texte) {
    std::size_t i = 0;
    while (i < texte.size() && EstBlanc(texte[i])) {
        ++i;
    }
    bool negatif = false;
    if (i < texte.size() && (texte[i] == '+' || texte[i] == '-')) {
        negatif = texte[i] == '-';
        ++i;
    }
    texte.remove_prefix(i);
    return negatif;
}

} // namespace

QString TexteLocal(double v, char forme, int chiffres) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(v, forme, chiffres);
}

QString FloatToStr(double valeur) {
    return TexteLocal(valeur, 'g', 15);
}

double StrToFloat(const QString& texte) {
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double valeur = locale.toDouble(texte, &ok);
    if (!ok || !std::isfinite(valeur)) {
        throw ErreurConversion(QCoreApplication::translate(
                                   "Conversions", "'%1' n'est pas une valeur numérique correcte")
                                   .arg(texte)
                                   .toStdString());
    }
    return valeur;
}

int LireEntierPrefixe(std::string_view texte) {
    const bool negatif = Signe(texte);
    std::int64_t valeur = 0;
    constexpr std::int64_t limite = std::int64_t(std::numeric_limits<int>::max()) + 1;
    for (char c : texte) {
        if (c < '0' || c > '9') {
            break;
        }
        valeur = std::min<std::int64_t>(valeur * 10 + (c - '0'), limite);
    }
    if (negatif) {
        valeur = -valeur;
    }
    return int(std::clamp<std::int64_t>(valeur, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

int LireEntierPrefixe(const QString& texte) {
    const QByteArray octets = texte.toUtf8();
    return LireEntierPrefixe(std::string_view(octets.constData(), std::size_t(octets.size())));
}

double LireReelPrefixe(std::string_view texte) {
    const bool negatif = Signe(texte);
    double valeur = 0;
    if (!texte.empty() && (texte[0] == '+' || texte[0] == '-')) {
        return 0; // a second sign: nothing numeric
    }
    const char* debut = texte.data();
    const auto [fin, erreur] = std::from_chars(debut, debut + texte.size(), valeur);
    if (erreur == std::errc::result_out_of_range) {
        // Beyond the double range: an exponent with a minus sign underflows, anything else
        // overflows.
        const std::string_view lu(debut, std::size_t(fin - debut));
        const auto e = lu.find_first_of("eE");
        const bool sousDepassement =
            e != std::string_view::npos && e + 1 < lu.size() && lu[e + 1] == '-';
        valeur = sousDepassement ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (erreur != std::errc()) {
        valeur = 0;
    }
    return negatif ? -valeur : valeur;
}

double LireReelPrefixe(const QString& texte) {
    const QByteArray octets = texte.toUtf8();
    return LireReelPrefixe(std::string_view(octets.constData(), std::size_t(octets.size())));
}
