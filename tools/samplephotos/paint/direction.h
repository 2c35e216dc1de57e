// Directions seen from the camera of a Perspective: x to the right, y up, z straight ahead along
// the level line of sight. Skies are painted per direction, so the sun, its glow and the halo
// ring keep their true angular sizes anywhere in the picture.
#pragma once

#include "tools/samplephotos/paint/perspective.h"

#include <QPointF>
#include <numbers>
#include <optional>

namespace nimbara {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

struct Direction {
    double x;
    double y;
    double z;
};

// Azimuth from straight ahead, positive to the right; elevation above the horizon; in degrees.
Direction directionAt(double azimuth, double elevation);
Direction pixelDirection(const Perspective& view, double x, double y);
double angleBetween(const Direction& a, const Direction& b);  // radians
double elevationOf(const Direction& d);                       // radians
// Where the direction meets the picture; nothing for a direction behind the camera.
std::optional<QPointF> screenPoint(const Perspective& view, const Direction& d);

}  // namespace nimbara
