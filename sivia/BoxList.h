// BoxList: an ordered sequence of Box copies. Appending at the back and removing at either
// end take constant time; boxes live in large fixed-size blocks that are released as the
// front advances, so the memory follows the number of boxes held, with no doubling peak.
// Released blocks go to a small reserve shared by every list, where the next list that grows
// finds them already in memory: a solve does not pay for fresh pages, nor a small solve for
// a large allocation. Boxes never move once stored: references stay valid until their box
// is removed.
#pragma once

#include "interval/Box.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <vector>

class BoxList {
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
        friend class BoxList;
        const_iterator(const BoxList* liste, std::size_t position)
            : Liste_(liste), Position_(position) {}
        const BoxList* Liste_ = nullptr;
        std::size_t Position_ = 0;
    };

    BoxList() = default;
    BoxList(const BoxList&) = delete;
    BoxList& operator=(const BoxList&) = delete;
    ~BoxList();

    void Clear();
    void PushBack(const Box& boite) {
        const std::size_t p = Debut_ + Taille_;
        if (p == Blocs_.size() * BoitesParBloc) {
            AjouterBloc();
        }
        new (Adresse(p)) Box(boite);
        ++Taille_;
    }
    // Appends Bisect's halves of `boite` in component k cut at m: first the copy whose Upper
    // becomes m, then the copy whose Lower becomes m. `boite` may be a box of this list.
    void AjouterMoities(const Box& boite, std::int32_t k, double m) {
        const std::size_t p = Debut_ + Taille_;
        if (p % BoitesParBloc == BoitesParBloc - 1 || p + 2 > Blocs_.size() * BoitesParBloc) {
            AjouterMoitiesLent(boite, k, m);
            return;
        }
        Box* a = Adresse(p);
        new (a) Box(boite);
        new (a + 1) Box(boite);
        a[0][k].SetUpper(m);
        a[1][k].SetLower(m);
        Taille_ += 2;
    }
    // The list must not be empty for these four.
    const Box& Front() const { return Element(0); }
    const Box& Back() const { return Element(Taille_ - 1); }
    // The last box, to be changed in place (the solver cuts a copy of a box once appended).
    Box& Back() { return *Adresse(Debut_ + Taille_ - 1); }
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

    // The boxes from the front on that lie one after the other in memory (at least one unless
    // the list is empty), for reading in place; RetirerAvant(n), n at most that many, then
    // removes the first n.
    std::span<const Box> DebutContigu() const {
        const std::size_t resteBloc = BoitesParBloc - Debut_; // Debut_ lies in the first block
        return {Blocs_.empty() ? nullptr : Blocs_[0] + Debut_,
                Taille_ < resteBloc ? Taille_ : resteBloc};
    }
    void RetirerAvant(std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            Adresse(Debut_ + i)->~Box();
        }
        Debut_ += n;
        Taille_ -= n;
        if (Taille_ == 0 || Debut_ == BoitesParBloc) {
            ApresRetraitAvant();
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
    void AjouterMoitiesLent(const Box& boite, std::int32_t k, double m);
    void ApresRetraitAvant() noexcept;
    void ApresRetraitArriere() noexcept;

    std::vector<Box*> Blocs_; // raw storage; the boxes are [Debut_, Debut_ + Taille_)
    std::size_t Debut_ = 0;
    std::size_t Taille_ = 0;
};
