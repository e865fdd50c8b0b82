// The process's memory as the system reports it, for the tests that measure what they
// themselves allocate.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

// A size of /proc/self/status in bytes: "VmRSS:" the resident size, "VmHWM:" its peak.
inline std::uint64_t TailleProcessus(const char* cle) {
    std::ifstream statut("/proc/self/status");
    std::string mot;
    while (statut >> mot) {
        if (mot == cle) {
            std::uint64_t kio = 0;
            statut >> kio;
            return kio * 1024;
        }
    }
    return 0;
}

// Resident size of the process, in bytes.
inline std::uint64_t TailleResidente() {
    return TailleProcessus("VmRSS:");
}

// Peak resident size since the start or since RemettrePicResident().
inline std::uint64_t PicResident() {
    return TailleProcessus("VmHWM:");
}
inline void RemettrePicResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}
