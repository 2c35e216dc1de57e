// The bodies of heap clouds as overlapping spheres in metres, and the rounded solids (a cumulus
// body, a tower, a turret) that cover their front half with spheres.
#pragma once

#include "tools/samplephotos/paint/random.h"

#include <vector>

namespace nimbara {

// One sphere of a heap cloud, in metres: x to the right, y up from the base, z towards the camera.
// `soft` 0 keeps its outline sharp, 1 smooths it (the glaciated top of a cumulonimbus).
struct Puff {
    double x;
    double y;
    double z;
    double r;
    double soft;
};

using Puffs = std::vector<Puff>;

// A rounded solid standing on the base, its front half covered with spheres: a cumulus body or
// tower. Its half-width goes from `baseHalfWidth` at `bottom` to `topHalfWidth` near `top`, the
// upper `cap` of it rounding off into a dome. Smaller spheres make a finer cauliflower surface.
struct Mass {
    double x = 0.0;
    double z = 0.0;
    double bottom = 0.0;
    double top = 1.0;
    double baseHalfWidth = 1.0;
    double topHalfWidth = 1.0;
    double cap = 0.35;         // share of the height that rounds off at the top
    double sphereShare = 0.3;  // sphere radius as a share of the half-width there
    double softFrom = 2.0;     // share of the height above which the surface is smoothed
    double flatten = 1.0;      // < 1 squashes the dome
    double lean = 0.0;         // sideways drift of the axis per metre of height
};

void addMass(Random& random, Puffs& puffs, const Mass& mass);

}  // namespace nimbara
