#include "app/Horloge.h"

#include <chrono>
#include <utility>

namespace {
std::function<std::int64_t()> horlogeFixee;
}

std::int64_t SecondesHorloge() {
    if (horlogeFixee) {
        return horlogeFixee();
    }
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

void FixerHorloge(std::function<std::int64_t()> horloge) {
    horlogeFixee = std::move(horloge);
}
