// Runs K independent jobs on several threads. Each job writes only its own slot, so what
// the jobs produce does not depend on the number of threads or on their timing.
#pragma once

#include <cstdint>
#include <functional>

// Calls travail(k) once for every k in [0, K) on `fils` threads (at least 1), and
// suivi(faits) from the calling thread after each job ends, in no particular order of k.
// The first exception thrown by a job is rethrown once every thread has stopped; the
// remaining jobs are then not started.
// The jobs share the program's one memory budget: each thread may hold an equal part of it
// (BudgetDuFil), so that n threads together stay within it.
void ExecuterEnParallele(std::int64_t K, int fils, const std::function<void(std::int64_t)>& travail,
                         const std::function<void(std::int64_t)>& suivi);

// The number of cores, at least 1.
int NombreDeCoeurs();

// The memory this thread may hold: its part of the budget inside ExecuterEnParallele, the
// whole budget elsewhere.
std::uint64_t BudgetDuFil();
