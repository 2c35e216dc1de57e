// Where a wind-raised sea is white: crests breaking in patches and the older foam they leave,
// lanes of foam blown along the wind, and the lace of bubbles through which dark water shows.
// Foam finer than a pixel's footprint gives way to its average, so far foam tints the sea.
#pragma once

#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/sea/wavefield.h"

#include <cstdint>

namespace nimbara {

// How much of the surface is white: shares of the surface, 0 to 1.
struct FoamCover {
    double whitecaps;      // breaking crests and the foam they leave
    double drawnOut;       // 1 round foam patches, more for patches drawn out along the wind
    double streaks;        // foam blown into lanes along the wind
    double streakSpacing;  // metres between neighbouring lanes
    double spindrift;      // 0 none, 1 crests torn into sheets of spray
};

class SeaFoam {
public:
    struct Foam {
        double amount;  // 0 water, 1 white
        double crest;   // the share that is a breaking crest, which spindrift comes from
    };

    // `calmReach`: metres from the camera within which the waves are lowered beside the ship.
    SeaFoam(const WaveField& waves, const FoamCover& cover, std::uint64_t seed, double calmReach);

    // The foam at sea point (x, y) seen through a footprint of `footAcross` by `footAlong`
    // metres; `elevation` is the height of the open sea there in half wave heights.
    Foam at(double x, double y, double elevation, double footAcross, double footAlong) const;

private:
    // Sets the threshold so that the asked share of a stretch of sea breaks.
    void calibrate(std::uint64_t seed);

    double along(double x, double y) const {
        return x * m_waves.headingX() + y * m_waves.headingY();
    }
    double acrossWind(double x, double y) const {
        return -x * m_waves.headingY() + y * m_waves.headingX();
    }
    double capScore(double u, double v, double elevation) const;
    double laneScore(double u, double v) const;
    double laneStrength(double u, double v) const;

    const WaveField& m_waves;
    const FoamCover& m_cover;
    const Noise m_breaking;
    const Noise m_lanes;
    const Noise m_lace;
    const double m_halfHeight;
    const double m_breakerSize;  // metres across the wind
    const double m_streakLength;
    const double m_calmReach;
    double m_capThreshold = 0.0;
};

}  // namespace nimbara
