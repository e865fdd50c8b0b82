// A matrix typed in the editor with an entry beyond ±1e14 is stored as typed, and the mix is
// refused with a French message naming the entry, the mixtures left as they were.
#include "SupportFenetre.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace {

class MatriceFenetre : public FenetreSousLocale<QLocale::English> {};

} // namespace

TEST_F(MatriceFenetre, AnEntryBeyondTheBoundRefusesTheMixNamingIt) {
    const struct {
        const char* textes[4];
        const char* entree; // named in the refusal, nullptr when the mix is made
    } cas[] = {
        {{"1", "0.5", "1e14", "1"}, nullptr},
        {{"1", "0.5", "-0.4", "1e300"}, "a22"},
        {{"-2e14", "0.5", "-0.4", "1"}, "a11"},
    };
    F->Cosinus1->trigger();
    F->Sinus2->trigger();
    for (const auto& c : cas) {
        Messages.clear();
        if (!F->Matricedemelange1->isChecked()) {
            F->Matricedemelange1->trigger();
        }
        QLineEdit* edits[] = {F->Edit1, F->Edit2, F->Edit3, F->Edit4};
        for (int i = 0; i < 4; ++i) {
            QTest::mouseClick(edits[i], Qt::LeftButton);
            QTest::keyClick(edits[i], Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edits[i], QString::fromUtf8(c.textes[i]));
        }
        Cliquer(F->Button2);
        const std::vector<double> avant = F->A.MelangesCourants.Melange1;
        F->GenerationdesMelanges1->trigger();
        if (c.entree == nullptr) {
            EXPECT_TRUE(Messages.empty()) << c.textes[0];
            EXPECT_TRUE(F->A.MelangesGeneres);
            EXPECT_FALSE(F->A.MelangesCourants.Melange1.empty());
            continue;
        }
        ASSERT_EQ(Messages.size(), 1u) << c.entree;
        EXPECT_TRUE(Messages[0].texte.contains(QStringLiteral("l'entrée ") + c.entree))
            << Messages[0].texte.toStdString();
        EXPECT_TRUE(Messages[0].texte.contains(QStringLiteral("ne sont pas générés")));
        EXPECT_EQ(F->A.MelangesCourants.Melange1, avant) << c.entree;
    }
}
