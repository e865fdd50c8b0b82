#include "commande/Parallele.h"

#include "signal/Memoire.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

thread_local std::uint64_t PartDuFil = 0; // 0: not a job's thread

} // namespace

std::uint64_t BudgetDuFil() {
    return PartDuFil != 0 ? PartDuFil : BudgetMemoire();
}

int NombreDeCoeurs() {
    return std::max(1u, std::thread::hardware_concurrency());
}

void ExecuterEnParallele(std::int64_t K, int fils, const std::function<void(std::int64_t)>& travail,
                         const std::function<void(std::int64_t)>& suivi) {
    std::atomic<std::int64_t> prochain{0};
    std::atomic<bool> abandon{false};
    std::mutex verrou;
    std::condition_variable signal;
    std::int64_t faits = 0;
    int actifs = 0;
    std::exception_ptr erreur;

    const int n = static_cast<int>(std::clamp<std::int64_t>(fils, 1, std::max<std::int64_t>(K, 1)));
    const std::uint64_t part = std::max<std::uint64_t>(BudgetMemoire() / std::uint64_t(n), 1);
    const auto boucle = [&] {
        PartDuFil = part;
        for (;;) {
            const std::int64_t k = prochain.fetch_add(1);
            if (k >= K || abandon.load()) {
                break;
            }
            try {
                travail(k);
            } catch (...) {
                std::lock_guard<std::mutex> g(verrou);
                if (!erreur) {
                    erreur = std::current_exception();
                }
                abandon = true;
            }
            {
                std::lock_guard<std::mutex> g(verrou);
                ++faits;
            }
            signal.notify_one();
        }
        std::lock_guard<std::mutex> g(verrou);
        --actifs;
        signal.notify_one();
    };

    std::vector<std::thread> threads;
    actifs = n;
    for (int i = 0; i < n; ++i) {
        threads.emplace_back(boucle);
    }
    {
        std::unique_lock<std::mutex> g(verrou);
        std::int64_t vus = 0;
        while (actifs > 0) {
            signal.wait(g, [&] { return faits != vus || actifs == 0; });
            if (faits != vus) {
                vus = faits;
                g.unlock();
                suivi(vus);
                g.lock();
            }
        }
        if (faits != vus) {
            g.unlock();
            suivi(faits);
        }
    }
    for (std::thread& t : threads) {
        t.join();
    }
    if (erreur) {
        std::rethrow_exception(erreur);
    }
}
