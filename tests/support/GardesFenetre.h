// Guards (see Gardes.h) of the window's test hooks: the clock and the panels' failure
// reporter, with the message display of GardeAfficheur.h.
#pragma once

#include "app/Horloge.h"
#include "display/TOpenGLPanel.h"
#include "support/GardeAfficheur.h"

struct GardeHorloge : Garde {
    explicit GardeHorloge(std::function<std::int64_t()> horloge)
        : Garde([] { FixerHorloge(nullptr); }) {
        FixerHorloge(std::move(horloge));
    }
};

struct GardeRapporteurPanneau : Garde {
    explicit GardeRapporteurPanneau(std::function<void(const QString&)> rapporteur)
        : Garde([] { TOpenGLPanel::RapporteurMessage = nullptr; }) {
        TOpenGLPanel::RapporteurMessage = std::move(rapporteur);
    }
};
