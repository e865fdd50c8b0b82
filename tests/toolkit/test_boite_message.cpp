#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/Conversions.h"
#include "support/GardeAfficheur.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace {

class BoiteMessageTest : public testing::Test {
protected:
    void SetUp() override { FixerTitreApplication(QStringLiteral("Ovrel 5")); }

    std::vector<MessageAffiche> Messages;
    const GardeAfficheur Afficheur{[this](const MessageAffiche& m) { Messages.push_back(m); }};
};

} // namespace

TEST_F(BoiteMessageTest, MessageBoxCarriesTextAndCaption) {
    MessageBox(QStringLiteral("Les signaux mélangés sont inconnus"), QStringLiteral("Erreur!"));
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].genre, MessageAffiche::Genre::Message);
    EXPECT_EQ(Messages[0].texte, QStringLiteral("Les signaux mélangés sont inconnus"));
    EXPECT_EQ(Messages[0].titre, QStringLiteral("Erreur!"));
}

TEST_F(BoiteMessageTest, AnEscapingErrorEndsTheHandlerThereAndIsShownUnderTheTitle) {
    int etapes = 0;
    ExecuterGestionnaire([&] {
        ++etapes;
        StrToFloat(QStringLiteral("abc"));
        ++etapes;
    });
    EXPECT_EQ(etapes, 1);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].genre, MessageAffiche::Genre::Exception);
    EXPECT_EQ(Messages[0].titre, QStringLiteral("Ovrel 5"));
    EXPECT_TRUE(Messages[0].texte.contains(QStringLiteral("abc")));

    ExecuterGestionnaire([] { throw std::bad_alloc(); });
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_TRUE(Messages[1].texte.startsWith(QStringLiteral("Mémoire insuffisante")));

    ExecuterGestionnaire([] {});
    EXPECT_EQ(Messages.size(), 2u);
}
