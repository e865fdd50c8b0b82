// A text file whose bad cell is megabytes long (one line with no separator) is refused with a
// message that quotes the start of the cell, not the whole of it: a message box of megabytes
// froze the window.
#include "DossierTemporaire.h"

#include "fichiers/ErreurFichier.h"
#include "fichiers/LectureSignal.h"

#include <string>

namespace {

using CelluleLongue = DossierTemporaire;

} // namespace

TEST_F(CelluleLongue, TheMessageQuotesOnlyTheStartOfALongCell) {
    const struct {
        std::string contenu;
        const char* raison;
        std::size_t longueurCellule; // 0: the cell is short and quoted whole
    } cas[] = {
        {std::string(3000000, '1') + "\n", "hors de l'étendue", 3000000},
        {"1\n" + std::string(200000, 'x') + "\n", "n'est pas un nombre", 200000},
        {"1\n2e60\n", "valeur trop grande", 0},
        {"1\n" + std::string(100, 'e') + "\n", "n'est pas un nombre", 100},
        {"1\n1e400\n", "hors de l'étendue", 0},
        {"1\né" + std::string(100, 'x') + "\n", "n'est pas un nombre", 102},
    };
    for (const auto& c : cas) {
        const auto chemin = Fichier("c.csv", c.contenu);
        try {
            LireSignal(chemin, 0);
            ADD_FAILURE() << "accepted: " << c.raison;
        } catch (const ErreurFichier& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(c.raison), std::string::npos) << message.substr(0, 300);
            EXPECT_LT(message.size(), 400u) << c.raison;
            EXPECT_EQ(message.find("…") != std::string::npos, c.longueurCellule > 0) << message;
        }
    }
}
