// The means of the mixtures that the constraints read: the solver's whole view of the data,
// whatever its length. The signal layer computes them with the mixtures.
#pragma once

#include <memory>
#include <vector>

struct TableNeguentropie; // sivia/Neguentropie.h

struct MomentsMelanges {
    double Ex1x1 = 0, Ex1x2 = 0, Ex2x2 = 0;
    double Edx1dx1 = 0, Edx1dx2 = 0, Edx2dx2 = 0;
    // Moments4[a - 1][k]: mean of x_a . x1^(3 - k) . x2^k.
    double Moments4[2][4] = {};
    // The first- and third-order means (Moments3[k]: mean of x1^(3 - k) . x2^k), from which
    // the contrasts that read centred mixtures take the central moments. Zero: the mixtures
    // count as centred.
    double Ex1 = 0, Ex2 = 0;
    double Moments3[4] = {};
};

// Lagged means for the delayed decorrelation, apart from MomentsMelanges (the hot path's
// input): Rab[k] is the mean of x_a(n) . x_b(n + Retards[k]) over the pairs of samples that
// exist. Its normalisation reads the lag-0 means of MomentsMelanges.
struct MomentsRetardes {
    std::vector<int> Retards;
    std::vector<double> R11, R12, R21, R22;
    // The negentropy's table, read from the samples for that contrast only.
    std::shared_ptr<const TableNeguentropie> Neguentropie;
};
