// The clock "Aléatoire" seeds the generator from, in whole seconds; tests may fix it.
#pragma once

#include <cstdint>
#include <functional>

std::int64_t SecondesHorloge();

// Replaces the system clock (an empty function puts it back).
void FixerHorloge(std::function<std::int64_t()> horloge);
