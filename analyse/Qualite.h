// Separation quality at a demixing point (x, y): the global matrix G = W.A with
// W = [[1, x], [y, 1]], the SIR of each estimate in dB with its automatic pairing, and the
// Amari index of G. An exact separation (zero cross term) gives an SIR of +infinity, a value
// views show as "∞"; a value that is undefined (a source of zero power, a zero row of G)
// is absent, never NaN.
#pragma once

#include "signal/Melange.h"

#include <optional>
#include <vector>

// Mean of s_i^2 over the first min(N, |s1|, |s2|) samples; 0 when there is none.
struct PuissancesSources {
    double P1 = 0, P2 = 0;
    bool Utilisables() const;
};
PuissancesSources CalculerPuissances(const std::vector<double>& s1, const std::vector<double>& s2,
                                     int N);

struct MatriceGlobale {
    double g11 = 0, g12 = 0, g21 = 0, g22 = 0;
};
MatriceGlobale CalculerMatriceGlobale(double x, double y, const Matrice2x2& A);

// Identite: ŝ1 ↔ s1 and ŝ2 ↔ s2; Croise: ŝ1 ↔ s2 and ŝ2 ↔ s1.
enum class Appariement { Identite, Croise };

struct Qualite {
    MatriceGlobale G;
    Appariement Paires = Appariement::Identite;
    // SIR of ŝ1 and ŝ2 in dB, +/-infinity for an exact separation (or its opposite).
    std::optional<double> Sir1, Sir2;
    // Row-and-column Amari index: 1/4 of the sum over both rows and both columns of
    // min|g| / max|g|; 0 exactly for a scaled permutation, 1 at most.
    std::optional<double> Amari;

    // (Sir1 + Sir2) / 2, absent when either is absent or they are opposite infinities.
    std::optional<double> SirMoyen() const;
};

// The pairing kept is the one with the larger mean SIR (the identity on a tie).
Qualite CalculerQualite(double x, double y, const Matrice2x2& A, const PuissancesSources& P);

std::optional<double> IndiceAmari(const MatriceGlobale& G);
