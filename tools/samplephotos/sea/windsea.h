// A wind-raised sea drawn in perspective: each picture column is followed from the camera out to
// the horizon, so near crests hide the water behind them and high waves cut into the horizon.
// The water mirrors what is already painted above the horizon (sky, a distant ship), darkens
// where one looks into it, and carries foam: breaking crests, streaks blown along the wind, and
// spray torn from the crests into the air.
#pragma once

#include "tools/samplephotos/paint/perspective.h"
#include "tools/samplephotos/sea/seafoam.h"
#include "tools/samplephotos/sea/wavefield.h"

#include <QColor>
#include <QImage>
#include <cstdint>
#include <vector>

namespace nimbara {

struct WindSeaLook {
    QColor deep;        // the water's own colour, looking steeply down
    QColor body;        // light shining through a steep crest
    QColor foam;        // foam in the light of this sky
    QColor haze;        // the air far away
    double visibility;  // metres
};

// Something standing on the sea at one distance (a ship): for each picture column the top of
// its silhouette in pixels, or a value at or below the picture height where it is not.
struct SeaOccluder {
    double distance = 0.0;
    std::vector<double> top;
};

void paintWindSea(QImage& image, const Perspective& view, const WaveField& waves,
                  const WindSeaLook& look, const FoamCover& foam, std::uint64_t seed,
                  const SeaOccluder& occluder = {});

}  // namespace nimbara
