#include "app/toolkit/Conversions.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Runs the test body under a given default locale and restores the previous one.
class SousLocale {
public:
    explicit SousLocale(QLocale::Language langue, QLocale::Territory pays = QLocale::AnyTerritory)
        : Precedente(QLocale()) {
        QLocale::setDefault(QLocale(langue, pays));
    }
    ~SousLocale() { QLocale::setDefault(Precedente); }

private:
    QLocale Precedente;
};

} // namespace

TEST(Conversions, FloatToStrWritesFifteenSignificantDigitsWithTheLocaleSeparator) {
    struct Cas {
        double valeur;
        const char* point;
        const char* virgule;
    };
    const Cas cas[] = {
        {double(0.234f), "0.233999997377396", "0,233999997377396"},
        {-5, "-5", "-5"},
        {5, "5", "5"},
        {0.01, "0.01", "0,01"},
        {0.5, "0.5", "0,5"},
        {12345.5, "12345.5", "12345,5"},
        {1234567890123.0, "1234567890123", "1234567890123"},
        {1.0 / 3.0, "0.333333333333333", "0,333333333333333"},
    };
    for (const Cas& c : cas) {
        {
            SousLocale locale(QLocale::English, QLocale::UnitedStates);
            EXPECT_EQ(FloatToStr(c.valeur).toStdString(), c.point);
        }
        {
            SousLocale locale(QLocale::French, QLocale::France);
            EXPECT_EQ(FloatToStr(c.valeur).toStdString(), c.virgule);
        }
    }
    SousLocale locale(QLocale::English, QLocale::UnitedStates);
    // Very large and very small magnitudes take the exponent form.
    EXPECT_TRUE(FloatToStr(1e20).contains('E', Qt::CaseInsensitive));
    EXPECT_TRUE(FloatToStr(1e-20).contains('E', Qt::CaseInsensitive));
}

TEST(Conversions, StrToFloatReadsTheWholeTextWithTheLocaleSeparatorOnly) {
    {
        SousLocale locale(QLocale::English, QLocale::UnitedStates);
        EXPECT_DOUBLE_EQ(StrToFloat("2.5"), 2.5);
        EXPECT_DOUBLE_EQ(StrToFloat("-0.75"), -0.75);
        EXPECT_DOUBLE_EQ(StrToFloat("1e3"), 1000);
        EXPECT_DOUBLE_EQ(StrToFloat(FloatToStr(double(0.234f))), 0.233999997377396);
        for (const char* faux : {"", " ", "2,5", "abc", "2.5x", "1,000.5", "1e999", "-1e999", "inf",
                                 "nan", "0x10", "1.2.3"}) {
            EXPECT_THROW(StrToFloat(faux), ErreurConversion) << '"' << faux << '"';
        }
    }
    {
        SousLocale locale(QLocale::French, QLocale::France);
        EXPECT_DOUBLE_EQ(StrToFloat("2,5"), 2.5);
        EXPECT_DOUBLE_EQ(StrToFloat("0,01"), 0.01);
        for (const char* faux : {"", "2.5", "abc", "0,5,"}) {
            EXPECT_THROW(StrToFloat(faux), ErreurConversion) << '"' << faux << '"';
        }
    }
}

TEST(Conversions, ConversionErrorNamesTheText) {
    SousLocale locale(QLocale::English, QLocale::UnitedStates);
    try {
        StrToFloat("abc");
        FAIL() << "no error";
    } catch (const ErreurConversion& e) {
        EXPECT_NE(std::string(e.what()).find("'abc'"), std::string::npos) << e.what();
    }
}

TEST(Conversions, IntegerPrefixStopsAtTheFirstNonDigit) {
    struct Cas {
        const char* texte;
        int attendu;
    };
    const Cas cas[] = {
        {"5000", 5000},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"  42", 42},
        {"-7", -7},
        {"+8", 8},
        {"3.9", 3},
        {"- 3", 0},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const Cas& c : cas) {
        for (auto langue : {QLocale::English, QLocale::French}) {
            SousLocale locale(langue);
            EXPECT_EQ(LireEntierPrefixe(QString::fromUtf8(c.texte)), c.attendu) << c.texte;
        }
    }
}

TEST(Conversions, FloatingPrefixReadsAPointWhateverTheLocale) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Cas {
        const char* texte;
        double attendu;
    };
    const Cas cas[] = {
        {"2.5", 2.5},   {"2,5", 2},    {"-5", -5}, {"abc", 0},     {"", 0},
        {" 1e2x", 100}, {"-.5", -0.5}, {"+3.", 3}, {"1e999", inf}, {"-1e999", -inf},
        {"1e-999", 0},  {"--1", 0},    {"5e", 5},  {"0.01", 0.01},
    };
    for (const Cas& c : cas) {
        for (auto langue : {QLocale::English, QLocale::French}) {
            SousLocale locale(langue);
            EXPECT_EQ(LireReelPrefixe(QString::fromUtf8(c.texte)), c.attendu) << c.texte;
        }
    }
}
