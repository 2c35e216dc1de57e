#include "tools/samplephotos/sky/heapshape.h"

#include "tools/samplephotos/paint/noise.h"

#include <algorithm>
#include <cmath>

namespace nimbara {

void addMass(Random& random, Puffs& puffs, const Mass& mass) {
    const double height = mass.top - mass.bottom;
    // The lowest ring sits a little above the bottom, so a flat base does not cut wide spheres.
    double y = mass.bottom + 0.3 * mass.sphereShare * mass.baseHalfWidth;
    const double wobblePhase = random.uniform(0.0, 6.28);
    while (y < mass.top) {
        const double t = (y - mass.bottom) / height;
        double halfWidth = std::lerp(mass.baseHalfWidth, mass.topHalfWidth, t) *
                           (1.0 + 0.12 * std::sin(wobblePhase + 7.0 * t));
        if (t > 1.0 - mass.cap) {
            const double c = (t - (1.0 - mass.cap)) / mass.cap;
            halfWidth *= std::sqrt(std::max(1.0 - c * c, 0.04));
        }
        const double soft = smoothStep(mass.softFrom, mass.softFrom + 0.15, t);
        const double r = std::max(mass.sphereShare * halfWidth * (1.0 + 1.2 * soft), 0.06 * height);
        const double reach = std::max(halfWidth - 0.55 * r, 0.0);
        const int around = std::max(static_cast<int>(std::ceil(3.2 * reach / r)), 1);
        for (int k = 0; k < around; ++k) {
            const double angle =
                (around == 1 ? 0.0 : -1.5 + 3.0 * k / (around - 1)) + random.uniform(-0.12, 0.12);
            const double out = reach * random.uniform(0.9, 1.05);
            puffs.push_back({mass.x + mass.lean * (y - mass.bottom) + out * std::sin(angle),
                             y + random.uniform(-0.15, 0.15) * r,
                             mass.z + out * std::cos(angle) * mass.flatten,
                             r * random.uniform(0.75, 1.15), soft});
        }
        y += 0.5 * r * random.uniform(0.8, 1.2);
    }
}

}  // namespace nimbara
