#include "app/Langue.h"

#include "interval/Traduction.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include <memory>
#include <stdexcept>

namespace {

const char* const CleLangue = "langue";

struct Traducteurs {
    QString langue = QString::fromLatin1(LangueParDefaut);
    std::vector<std::unique_ptr<QTranslator>> liste;
};

Traducteurs& Courants() {
    static Traducteurs t;
    return t;
}

// The core's door: the program's own translators first, the French source text otherwise.
std::string TraduireParQt(const char* contexte, const char* texte) {
    for (const auto& t : Courants().liste) {
        const QString r = t->translate(contexte, texte);
        if (!r.isEmpty()) {
            return r.toStdString();
        }
    }
    return texte;
}

bool LangueConnue(const std::string& l) {
    return l == "fr" || l == "en";
}

} // namespace

std::string ExtraireLangue(std::vector<std::string>& arguments) {
    std::string langue;
    std::vector<std::string> restants;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        std::string valeur;
        if (a == "--langue") {
            if (i + 1 >= arguments.size()) {
                throw std::invalid_argument(
                    Traduire("Langue", "l'option --langue attend fr ou en."));
            }
            valeur = arguments[++i];
        } else if (a.rfind("--langue=", 0) == 0) {
            valeur = a.substr(9);
        } else {
            restants.push_back(a);
            continue;
        }
        if (!LangueConnue(valeur)) {
            throw std::invalid_argument(
                RemplirModele(Traduire("Langue", "langue inconnue « %1 » : fr ou en."), {valeur}));
        }
        langue = valeur;
    }
    arguments = std::move(restants);
    return langue;
}

QString LangueRetenue() {
    const QString l = QSettings().value(QString::fromLatin1(CleLangue)).toString();
    return LangueConnue(l.toStdString()) ? l : QString::fromLatin1(LangueParDefaut);
}

void RetenirLangue(const QString& langue) {
    QSettings().setValue(QString::fromLatin1(CleLangue), langue);
}

void ChoisirLangue(const QString& demandee) {
    Traducteurs& t = Courants();
    if (QCoreApplication::instance()) {
        for (const auto& tr : t.liste) {
            QCoreApplication::removeTranslator(tr.get());
        }
    }
    t.liste.clear();
    t.langue = demandee == QLatin1String("en") ? demandee : QString::fromLatin1(LangueParDefaut);
    // The program's texts are French at the source: French needs only Qt's own translation.
    if (t.langue != QLatin1String("fr")) {
        for (const char* nom :
             {"ovrel5_fenetre", "ovrel5_commande", "ovrel5_fichiers", "ovrel5_noyau"}) {
            auto tr = std::make_unique<QTranslator>();
            if (tr->load(QLatin1String(nom) + QLatin1Char('_') + t.langue,
                         QStringLiteral(":/traductions"))) {
                t.liste.push_back(std::move(tr));
            }
        }
    }
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QLocale(t.langue), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        t.liste.push_back(std::move(qt));
    }
    PoserTraduction(t.langue == QLatin1String("fr") ? nullptr : &TraduireParQt);
    InstallerTraducteursApplication();
}

void InstallerTraducteursApplication() {
    if (!QCoreApplication::instance()) {
        return;
    }
    for (const auto& tr : Courants().liste) {
        QCoreApplication::removeTranslator(tr.get()); // never installed twice
        QCoreApplication::installTranslator(tr.get());
    }
}

QString LangueCourante() {
    return Courants().langue;
}
