// The sea's look: the force table grows rougher and whiter with the wind, and the foam model
// whitens the share of the sea that a force asks for, nothing on a calm sea.
#include "tools/samplephotos/sea/forcelook.h"
#include "tools/samplephotos/sea/seafoam.h"
#include "tools/samplephotos/sea/wavefield.h"

#include <gtest/gtest.h>

#include <numbers>

namespace nimbara {
namespace {

TEST(ForceLook, SeaGrowsAndVisibilityFallsWithTheWind) {
    for (int force = 1; force <= kHighestForce; ++force) {
        const ForceLook& calmer = forceLook(force - 1);
        const ForceLook& look = forceLook(force);
        EXPECT_GT(look.height, calmer.height) << "force " << force;
        EXPECT_GE(look.foam.whitecaps, calmer.foam.whitecaps) << "force " << force;
        EXPECT_GE(look.foam.streaks, calmer.foam.streaks) << "force " << force;
        EXPECT_LE(look.visibility, calmer.visibility) << "force " << force;
        EXPECT_GE(stormOf(force), stormOf(force - 1)) << "force " << force;
    }
    EXPECT_EQ(forceLook(0).foam.whitecaps, 0.0);
    EXPECT_THROW(forceLook(kHighestForce + 1), std::out_of_range);
}

// Share of sampled sea points, far from the camera and seen at a fine footprint, that are white.
double whiteShare(const FoamCover& cover) {
    const WaveField waves({2.0, 22.0, 0.3, 0.65, 0.0}, 11);
    const SeaFoam foam(waves, cover, 11, 10.0);
    int white = 0;
    int count = 0;
    for (int i = 0; i < 60; ++i) {
        for (int j = 0; j < 60; ++j) {
            const double x = -150.0 + 5.0 * i;
            const double y = 200.0 + 5.0 * j;
            const WaveSample sample = waves.at(x, y, 0.0, 0.0);
            const SeaFoam::Foam here = foam.at(x, y, sample.height, 0.05, 0.05);
            white += here.amount > 0.3 ? 1 : 0;
            ++count;
        }
    }
    return static_cast<double>(white) / count;
}

TEST(SeaFoam, WhitensNothingOnACalmSeaAndMoreAsTheCoverGrows) {
    EXPECT_EQ(whiteShare({0.0, 1.0, 0.0, 1.0, 0.0}), 0.0);
    double previous = 0.0;
    for (const double whitecaps : {0.04, 0.15, 0.4}) {
        const double share = whiteShare({whitecaps, 1.0, 0.0, 1.0, 0.0});
        EXPECT_GT(share, previous) << "whitecaps " << whitecaps;
        EXPECT_LT(share, 2.0 * whitecaps + 0.02) << "whitecaps " << whitecaps;
        previous = share;
    }
    // Lanes of foam along the wind whiten the sea without any breaking crest.
    EXPECT_GT(whiteShare({0.0, 1.0, 0.5, 3.0, 0.0}), 0.1);
}

}  // namespace
}  // namespace nimbara
