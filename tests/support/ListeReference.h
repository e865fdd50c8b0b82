// The box list as it was before the solver was tuned (each list kept one released block of
// its own; Clear gave every block back), kept so that the benchmark times the reference loop
// with the lists it had.
#pragma once

#include "interval/Box.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <new>
#include <vector>

namespace liste_reference {

inline constexpr std::size_t OctetsParBloc = 8192 * sizeof(Box);
inline constexpr std::align_val_t Alignement{alignof(Box)};

} // namespace liste_reference

class ListeReference {
public:
    // Boxes per block (a power of two): 8192 two-component boxes are 448 KiB.
    static constexpr std::size_t BoitesParBloc = 8192;
    // Size() reports a 32-bit count: callers keep a list below this many boxes.
    static constexpr std::uint32_t TailleMax = UINT32_MAX;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Box;
        using difference_type = std::ptrdiff_t;
        using pointer = const Box*;
        using reference = const Box&;

        const_iterator() = default;
        reference operator*() const { return Liste_->Element(Position_); }
        pointer operator->() const { return &Liste_->Element(Position_); }
        const_iterator& operator++() {
            ++Position_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator avant = *this;
            ++Position_;
            return avant;
        }
        bool operator==(const const_iterator& autre) const = default;

    private:
        friend class ListeReference;
        const_iterator(const ListeReference* liste, std::size_t position)
            : Liste_(liste), Position_(position) {}
        const ListeReference* Liste_ = nullptr;
        std::size_t Position_ = 0;
    };

    ListeReference() = default;
    ListeReference(const ListeReference&) = delete;
    ListeReference& operator=(const ListeReference&) = delete;
    ~ListeReference();

    void Clear();
    void PushBack(const Box& boite) {
        const std::size_t p = Debut_ + Taille_;
        if (p == Blocs_.size() * BoitesParBloc) {
            AjouterBloc();
        }
        new (Adresse(p)) Box(boite);
        ++Taille_;
    }
    // The list must not be empty for these four.
    const Box& Front() const { return Element(0); }
    const Box& Back() const { return Element(Taille_ - 1); }
    void PopFront() {
        Adresse(Debut_)->~Box();
        ++Debut_;
        --Taille_;
        if (Taille_ == 0 || Debut_ == BoitesParBloc) {
            ApresRetraitAvant();
        }
    }
    void PopBack() {
        --Taille_;
        const std::size_t p = Debut_ + Taille_;
        Adresse(p)->~Box();
        if (p % BoitesParBloc == 0) {
            ApresRetraitArriere();
        }
    }

    bool IsEmpty() const { return Taille_ == 0; }
    std::uint32_t Size() const { return static_cast<std::uint32_t>(Taille_); }
    // Position i from the front, i < Size().
    const Box& At(std::uint32_t i) const { return Element(i); }

    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, Taille_); }

private:
    Box* Adresse(std::size_t p) const { return Blocs_[p / BoitesParBloc] + p % BoitesParBloc; }
    const Box& Element(std::size_t i) const { return *Adresse(Debut_ + i); }
    void AjouterBloc();
    void RendreBloc(Box* bloc) noexcept;
    void ApresRetraitAvant() noexcept;
    void ApresRetraitArriere() noexcept;

    std::vector<Box*> Blocs_; // raw storage; the boxes are [Debut_, Debut_ + Taille_)
    Box* Reserve_ = nullptr;  // one released block kept for the next append
    std::size_t Debut_ = 0;
    std::size_t Taille_ = 0;
};

inline ListeReference::~ListeReference() {
    Clear();
}

inline void ListeReference::Clear() {
    for (std::size_t i = 0; i < Taille_; ++i) {
        Adresse(Debut_ + i)->~Box();
    }
    for (Box* bloc : Blocs_) {
        ::operator delete(bloc, liste_reference::Alignement);
    }
    if (Reserve_ != nullptr) {
        ::operator delete(Reserve_, liste_reference::Alignement);
    }
    Blocs_.clear();
    Blocs_.shrink_to_fit();
    Reserve_ = nullptr;
    Debut_ = 0;
    Taille_ = 0;
}

inline void ListeReference::AjouterBloc() {
    // Room first, so that a failed allocation leaves no block behind.
    if (Blocs_.size() == Blocs_.capacity()) {
        Blocs_.reserve(Blocs_.empty() ? 16 : 2 * Blocs_.size());
    }
    Box* bloc = Reserve_;
    if (bloc != nullptr) {
        Reserve_ = nullptr;
    } else {
        bloc = static_cast<Box*>(
            ::operator new(liste_reference::OctetsParBloc, liste_reference::Alignement));
    }
    Blocs_.push_back(bloc);
}

inline void ListeReference::RendreBloc(Box* bloc) noexcept {
    if (Reserve_ == nullptr) {
        Reserve_ = bloc;
    } else {
        ::operator delete(bloc, liste_reference::Alignement);
    }
}

inline void ListeReference::ApresRetraitAvant() noexcept {
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

inline void ListeReference::ApresRetraitArriere() noexcept {
    // The last block holds no box any more.
    if (Taille_ == 0) {
        Debut_ = 0;
    }
    while (Blocs_.size() > 1 && (Blocs_.size() - 1) * BoitesParBloc >= Debut_ + Taille_) {
        RendreBloc(Blocs_.back());
        Blocs_.pop_back();
    }
}
