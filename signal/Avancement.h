// Progress of a long computation: the computation calls it now and then with the share done
// (in [0, 1]); it returns false to stop the computation. An empty function never stops it.
// The file reads and writes, which cross several layers, end a stop by throwing
// ArretUtilisateur: each layer drops what it built and an atomic write removes its temporary
// file on the same path as a failure, while their return types stay those of a full run.
#pragma once

#include "interval/Traduction.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <stdexcept>

using RappelAvancement = std::function<bool(double fait)>;

// Calls `rappel` (when there is one) with `fait`; true when the computation goes on.
inline bool Poursuivre(const RappelAvancement& rappel, double fait) {
    return !rappel || rappel(fait);
}

// A computation stopped by its progress.
class ArretUtilisateur : public std::runtime_error {
public:
    ArretUtilisateur() : std::runtime_error(Traduire("Signal", "Arrêté par l'utilisateur.")) {}
};

// Poursuivre, throwing ArretUtilisateur when the computation is to stop.
inline void PoursuivreOuArreter(const RappelAvancement& rappel, double fait) {
    if (!Poursuivre(rappel, fait)) {
        throw ArretUtilisateur();
    }
}

// The progress of a part of a computation, `part` of the whole from `avant` on: its share
// `fait` is told as avant + part * fait. Empty when `rappel` is.
inline RappelAvancement Partie(const RappelAvancement& rappel, double avant, double part) {
    if (!rappel) {
        return {};
    }
    return [rappel, avant, part](double fait) { return rappel(avant + part * fait); };
}

// Runs f(i) for i in [0, n) in increasing order, by stretches; between two stretches the
// progress hears the share done, `part` being this loop's share of the whole work from
// `avant` on. False when stopped there.
template <typename F>
bool Parcourir(std::size_t n, double avant, double part, const RappelAvancement& avancement, F f) {
    constexpr std::size_t Tranche = std::size_t{1} << 18;
    for (std::size_t debut = 0; debut < n; debut += Tranche) {
        if (debut > 0 && !Poursuivre(avancement, avant + part * double(debut) / double(n))) {
            return false;
        }
        const std::size_t fin = std::min(n, debut + Tranche);
        for (std::size_t i = debut; i < fin; ++i) {
            f(i);
        }
    }
    return true;
}
