#include "analyse/PointsVrais.h"

#include <cmath>

namespace {

std::optional<PointPlan> Point(double nx, double dx, double ny, double dy) {
    if (dx == 0 || dy == 0) {
        return std::nullopt;
    }
    const PointPlan p{-nx / dx, -ny / dy};
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
        return std::nullopt;
    }
    return p;
}

} // namespace

PointsVrais CalculerPointsVrais(const Matrice2x2& A) {
    return {Point(A.a12, A.a22, A.a21, A.a11), Point(A.a11, A.a21, A.a22, A.a12)};
}
