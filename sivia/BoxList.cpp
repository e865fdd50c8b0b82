#include "sivia/BoxList.h"

#include <atomic>
#include <new>

namespace {

constexpr std::size_t OctetsParBloc = BoxList::BoitesParBloc * sizeof(Box);
constexpr std::align_val_t Alignement{alignof(Box)};

// Released blocks, at most 16 (7 MiB), for the next list that grows. Trivially destructible
// and constant-initialized, so that lists destroyed at exit can still give blocks back; the
// lock is taken once per block, not per box.
struct ReserveBlocs {
    static constexpr std::size_t Capacite = 16;
    std::atomic_flag verrou;
    std::size_t nombre = 0;
    Box* blocs[Capacite] = {};

    void Verrouiller() noexcept {
        while (verrou.test_and_set(std::memory_order_acquire)) {
        }
    }
    void Deverrouiller() noexcept { verrou.clear(std::memory_order_release); }
};
constinit ReserveBlocs Reserve;

Box* PrendreBloc() {
    Reserve.Verrouiller();
    Box* bloc = Reserve.nombre > 0 ? Reserve.blocs[--Reserve.nombre] : nullptr;
    Reserve.Deverrouiller();
    return bloc != nullptr ? bloc : static_cast<Box*>(::operator new(OctetsParBloc, Alignement));
}

void RendreBloc(Box* bloc) noexcept {
    Reserve.Verrouiller();
    const bool garde = Reserve.nombre < ReserveBlocs::Capacite;
    if (garde) {
        Reserve.blocs[Reserve.nombre++] = bloc;
    }
    Reserve.Deverrouiller();
    if (!garde) {
        ::operator delete(bloc, Alignement);
    }
}

} // namespace

BoxList::~BoxList() {
    Clear();
}

void BoxList::Clear() {
    for (std::size_t i = 0; i < Taille_; ++i) {
        Adresse(Debut_ + i)->~Box();
    }
    for (Box* bloc : Blocs_) {
        RendreBloc(bloc);
    }
    Blocs_.clear();
    Debut_ = 0;
    Taille_ = 0;
}

void BoxList::AjouterBloc() {
    // Room first, so that a failed allocation leaves no block behind.
    if (Blocs_.size() == Blocs_.capacity()) {
        Blocs_.reserve(Blocs_.empty() ? 16 : 2 * Blocs_.size());
    }
    Blocs_.push_back(PrendreBloc());
}

void BoxList::AjouterMoitiesLent(const Box& boite, std::int32_t k, double m) {
    PushBack(boite);
    Back()[k].SetUpper(m);
    PushBack(boite);
    Back()[k].SetLower(m);
}

void BoxList::ApresRetraitAvant() noexcept {
    if (Taille_ == 0) {
        // Empty: restart at the top of the first block and give back the others.
        Debut_ = 0;
        while (Blocs_.size() > 1) {
            RendreBloc(Blocs_.back());
            Blocs_.pop_back();
        }
        return;
    }
    RendreBloc(Blocs_.front());
    Blocs_.erase(Blocs_.begin());
    Debut_ = 0;
}

void BoxList::ApresRetraitArriere() noexcept {
    // The last block holds no box any more.
    if (Taille_ == 0) {
        Debut_ = 0;
    }
    while (Blocs_.size() > 1 && (Blocs_.size() - 1) * BoitesParBloc >= Debut_ + Taille_) {
        RendreBloc(Blocs_.back());
        Blocs_.pop_back();
    }
}
