// Test hooks set for a scope: a guard installs its hook when built and puts the program's own
// back when it ends, also when an assertion ends the test first. Hooks of the core here;
// those of the window in GardesFenetre.h.
#pragma once

#include "signal/Memoire.h"

#include <cstdint>
#include <functional>
#include <utility>

class Garde {
public:
    explicit Garde(std::function<void()> restaurer) : Restaurer_(std::move(restaurer)) {}
    ~Garde() { Restaurer_(); }
    Garde(const Garde&) = delete;
    Garde& operator=(const Garde&) = delete;

private:
    std::function<void()> Restaurer_;
};

// What the program counts as held, instead of the window's arrays.
struct GardeCompteurMemoire : Garde {
    explicit GardeCompteurMemoire(std::function<std::uint64_t()> compteur)
        : Garde([] { FixerCompteurMemoire(nullptr); }) {
        FixerCompteurMemoire(std::move(compteur));
    }
};

// A fixed memory budget instead of the machine's.
struct GardeBudgetMemoire : Garde {
    explicit GardeBudgetMemoire(std::uint64_t octets) : Garde([] { FixerBudgetMemoire(0); }) {
        FixerBudgetMemoire(octets);
    }
};
