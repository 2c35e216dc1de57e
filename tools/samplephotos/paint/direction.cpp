#include "tools/samplephotos/paint/direction.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nimbara {

namespace {}  // namespace

Direction directionAt(double azimuth, double elevation) {
    const double a = azimuth * kRadiansPerDegree;
    const double e = elevation * kRadiansPerDegree;
    return {std::sin(a) * std::cos(e), std::sin(e), std::cos(a) * std::cos(e)};
}

Direction pixelDirection(const Perspective& view, double x, double y) {
    const double f = view.focalLength();
    const double dx = x - view.centreX();
    const double dy = view.horizonY() - y;
    const double length = std::sqrt(dx * dx + dy * dy + f * f);
    return {dx / length, dy / length, f / length};
}

double angleBetween(const Direction& a, const Direction& b) {
    const double cosine = a.x * b.x + a.y * b.y + a.z * b.z;
    return std::acos(std::clamp(cosine, -1.0, 1.0));
}

double elevationOf(const Direction& d) {
    return std::asin(std::clamp(d.y, -1.0, 1.0));
}

std::optional<QPointF> screenPoint(const Perspective& view, const Direction& d) {
    if (d.z <= 1e-6) {
        return std::nullopt;
    }
    const double f = view.focalLength();
    return QPointF(view.centreX() + f * d.x / d.z, view.horizonY() - f * d.y / d.z);
}

}  // namespace nimbara
