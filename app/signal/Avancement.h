// Progress of a long computation: the computation calls it now and then with the share done
// (in [0, 1]); it returns false to stop the computation. An empty function never stops it.
#pragma once

#include <functional>

using RappelAvancement = std::function<bool(double fait)>;

// Calls `rappel` (when there is one) with `fait`; true when the computation goes on.
inline bool Poursuivre(const RappelAvancement& rappel, double fait) {
    return !rappel || rappel(fait);
}
