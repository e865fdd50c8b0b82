// Guard (see Gardes.h) of the message display: messages go to the given function.
#pragma once

#include "app/toolkit/BoiteMessage.h"
#include "support/Gardes.h"

struct GardeAfficheur : Garde {
    explicit GardeAfficheur(std::function<void(const MessageAffiche&)> afficheur)
        : Garde([] { InstallerAfficheur(nullptr); }) {
        InstallerAfficheur(std::move(afficheur));
    }
};
