// A Canevas that records every call as text, e.g. "Rectangle(0,320,338,0)" or
// "PenColor(0x0000FF)", so that tests compare the exact drawing calls and pixel coordinates.
#pragma once

#include "interval/Canevas.h"

#include <cstdio>
#include <string>
#include <vector>

class CanevasEnregistreur : public Canevas {
public:
    CanevasEnregistreur(int largeur, int hauteur) : Largeur_(largeur), Hauteur_(hauteur) {}

    std::vector<std::string> Appels;

    // Only the calls of one operation, e.g. every "Rectangle(...)".
    std::vector<std::string> Filtrer(const std::string& operation) const {
        std::vector<std::string> r;
        for (const std::string& a : Appels) {
            if (a.compare(0, operation.size(), operation) == 0 && a[operation.size()] == '(') {
                r.push_back(a);
            }
        }
        return r;
    }

    int Largeur() const override { return Largeur_; }
    int Hauteur() const override { return Hauteur_; }
    void SetBrushStyle(int s) override { Noter("BrushStyle(%d)", s); }
    void SetBrushColor(Couleur c) override { Noter("BrushColor(0x%06X)", c); }
    void SetPenColor(Couleur c) override { Noter("PenColor(0x%06X)", c); }
    void SetPenStyle(int s) override { Noter("PenStyle(%d)", s); }
    void SetPenWidth(int l) override { Noter("PenWidth(%d)", l); }
    void Rectangle(int X1, int Y1, int X2, int Y2) override {
        Noter("Rectangle(%d,%d,%d,%d)", X1, Y1, X2, Y2);
    }
    void MoveTo(int X, int Y) override { Noter("MoveTo(%d,%d)", X, Y); }
    void LineTo(int X, int Y) override { Noter("LineTo(%d,%d)", X, Y); }

private:
    template <typename... T> void Noter(const char* format, T... valeurs) {
        char texte[96];
        std::snprintf(texte, sizeof texte, format, valeurs...);
        Appels.emplace_back(texte);
    }

    int Largeur_;
    int Hauteur_;
};
