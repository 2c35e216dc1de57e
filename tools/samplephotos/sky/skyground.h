// The land or sea under a sky photograph: a strip of country at the bottom of the picture that
// gives the scale and the horizon, lit by the same light as the clouds.
#pragma once

#include "tools/samplephotos/paint/daylight.h"
#include "tools/samplephotos/paint/perspective.h"

#include <QImage>
#include <cstdint>

namespace nimbara {

enum class Scenery {
    Sea,          // open sea to the horizon
    Plain,        // fields and a line of trees
    Hills,        // rolling hills behind fields
    Mountains,    // snowy ridges behind a valley
    Coast,        // a headland running out into the sea
    AboveClouds,  // from an aircraft: a deck of cloud tops below
};

// `capBase`, when above 0, is the height in metres of a cloud base that hides the hill tops.
void paintScenery(QImage& image, const Perspective& view, const Daylight& light, Scenery scenery,
                  std::uint64_t seed, double capBase = 0.0);

}  // namespace nimbara
