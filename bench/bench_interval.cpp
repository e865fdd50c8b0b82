// Times the interval product, the bisection of a two-component box and a box copy.
#include "interval/Box.h"
#include "interval/Interval.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;

double Secondes(Horloge::time_point debut) {
    return std::chrono::duration<double>(Horloge::now() - debut).count();
}

volatile double Puits; // keeps every result alive

} // namespace

int main() {
    constexpr int N = 4096;
    constexpr int Tours = 5000;
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    std::vector<Interval> a(N), b(N);
    std::vector<Box> boites(N, Box(2, 1));
    for (int i = 0; i < N; ++i) {
        a[i] = Interval(u(gen), u(gen));
        b[i] = Interval(u(gen), u(gen));
        boites[i][1] = a[i];
        boites[i][2] = b[i];
    }
    std::printf("sizeof(Interval) = %zu bytes, sizeof(Box) = %zu bytes\n", sizeof(Interval),
                sizeof(Box));

    double somme = 0;
    auto debut = Horloge::now();
    for (int t = 0; t < Tours; ++t) {
        for (int i = 0; i < N; ++i) {
            const Interval p = a[i] * b[(i + t) & (N - 1)];
            somme += p.Lo + p.Hi;
        }
    }
    double s = Secondes(debut);
    std::printf("interval product: %.2f ns\n", s * 1e9 / (double(N) * Tours));

    Box L, R;
    debut = Horloge::now();
    for (int t = 0; t < Tours; ++t) {
        for (int i = 0; i < N; ++i) {
            Bisect(boites[(i + t) & (N - 1)], L, R);
            somme += L[1].Upper() + R[2].Lower();
        }
    }
    s = Secondes(debut);
    std::printf("Bisect of a two-component box: %.2f ns\n", s * 1e9 / (double(N) * Tours));

    std::vector<Box> copies(N);
    debut = Horloge::now();
    for (int t = 0; t < Tours; ++t) {
        for (int i = 0; i < N; ++i) {
            copies[i] = boites[(i + t) & (N - 1)];
        }
        somme += copies[t & (N - 1)][1].Lo;
    }
    s = Secondes(debut);
    std::printf("two-component box copy: %.2f ns\n", s * 1e9 / (double(N) * Tours));

    Puits = somme;
    return 0;
}
