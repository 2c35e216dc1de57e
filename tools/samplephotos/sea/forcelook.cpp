#include "tools/samplephotos/sea/forcelook.h"

#include "tools/samplephotos/paint/noise.h"

#include <array>

namespace nimbara {

namespace {

// Heights are the probable wave heights of the scale. Breakers start at force 3 and grow more
// frequent; from force 7 foam is blown into lanes, which grow dense; spray fills the air last.
const std::array<ForceLook, kHighestForce + 1> kForces = {{
    // height, length, spread, patchiness,
    //   {whitecaps, drawn out, lanes, lane spacing, spindrift}, visibility, veil
    {0.02, 40.0, 0.2, 0.0, {0.0, 1.0, 0.0, 1.0, 0.0}, 1.0, 0.0},
    {0.1, 0.9, 0.7, 0.85, {0.0, 1.0, 0.0, 1.0, 0.0}, 1.0, 0.0},
    {0.2, 2.5, 0.7, 0.15, {0.0, 1.0, 0.0, 1.0, 0.0}, 1.0, 0.0},
    {0.6, 7.0, 0.7, 0.0, {0.012, 1.0, 0.0, 1.0, 0.0}, 1.0, 0.0},
    {1.0, 12.0, 0.7, 0.0, {0.035, 1.0, 0.0, 1.0, 0.0}, 0.95, 0.0},
    {2.0, 22.0, 0.65, 0.0, {0.06, 1.0, 0.0, 1.0, 0.0}, 0.9, 0.0},
    {3.0, 32.0, 0.6, 0.0, {0.13, 1.2, 0.0, 1.0, 0.15}, 0.8, 0.0},
    {4.0, 42.0, 0.6, 0.0, {0.22, 1.6, 0.09, 3.0, 0.3}, 0.7, 0.0},
    {5.5, 56.0, 0.55, 0.0, {0.27, 2.0, 0.16, 2.5, 0.55}, 0.55, 0.0},
    {7.0, 72.0, 0.55, 0.0, {0.34, 2.5, 0.32, 2.0, 0.75}, 0.35, 0.05},
    {9.0, 92.0, 0.5, 0.0, {0.4, 3.0, 0.4, 1.8, 0.9}, 0.2, 0.14},
    {11.5, 116.0, 0.5, 0.0, {0.56, 3.5, 0.55, 1.6, 1.0}, 0.11, 0.25},
    {14.0, 140.0, 0.5, 0.0, {0.75, 4.0, 0.75, 1.5, 1.0}, 0.02, 0.6},
}};

}  // namespace

const ForceLook& forceLook(int force) {
    return kForces.at(force);
}

double stormOf(int force) {
    return smoothStep(5.0, 10.0, force);
}

}  // namespace nimbara
