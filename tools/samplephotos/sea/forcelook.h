// What the wind does to the open sea at each Beaufort force, 0 to 12: the probable height of the
// waves, the length that goes with a sea that has had time to grow, how much of the surface is
// white and how far one can see through the spray.
#pragma once

#include "tools/samplephotos/sea/seafoam.h"

namespace nimbara {

struct ForceLook {
    double height;      // metres, the probable wave height
    double length;      // metres, of the dominant waves
    double spread;      // radians, of the wave directions about the wind
    double patchiness;  // calm gaps between rippled patches
    FoamCover foam;
    double visibility;  // share of the photographer's fair-weather visibility
    double veil;        // spray driven through the air, 0 to 1
};

constexpr int kHighestForce = 12;

// Force 0 to kHighestForce.
const ForceLook& forceLook(int force);

// How far the light has turned from fair weather to a gale's grey, 0 to 1.
double stormOf(int force);

}  // namespace nimbara
