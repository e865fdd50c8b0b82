#include "sivia/BoxList.h"

#include <new>

namespace {

constexpr std::size_t OctetsParBloc = BoxList::BoitesParBloc * sizeof(Box);
constexpr std::align_val_t Alignement{alignof(Box)};

} // namespace

BoxList::~BoxList() {
    Clear();
}

void BoxList::Clear() {
    for (std::size_t i = 0; i < Taille_; ++i) {
        Adresse(Debut_ + i)->~Box();
    }
    for (Box* bloc : Blocs_) {
        ::operator delete(bloc, Alignement);
    }
    if (Reserve_ != nullptr) {
        ::operator delete(Reserve_, Alignement);
    }
    Blocs_.clear();
    Blocs_.shrink_to_fit();
    Reserve_ = nullptr;
    Debut_ = 0;
    Taille_ = 0;
}

void BoxList::AjouterBloc() {
    // Room first, so that a failed allocation leaves no block behind.
    if (Blocs_.size() == Blocs_.capacity()) {
        Blocs_.reserve(Blocs_.empty() ? 16 : 2 * Blocs_.size());
    }
    Box* bloc = Reserve_;
    if (bloc != nullptr) {
        Reserve_ = nullptr;
    } else {
        bloc = static_cast<Box*>(::operator new(OctetsParBloc, Alignement));
    }
    Blocs_.push_back(bloc);
}

void BoxList::RendreBloc(Box* bloc) noexcept {
    if (Reserve_ == nullptr) {
        Reserve_ = bloc;
    } else {
        ::operator delete(bloc, Alignement);
    }
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
