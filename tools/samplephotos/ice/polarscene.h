// The surroundings the ice pictures share: where the camera stands, the polar sky over it and the
// open sea around the ice, in a few weathers.
#pragma once

#include "tools/samplephotos/paint/perspective.h"
#include "tools/samplephotos/sea/sea.h"

#include <QImage>
#include <cstdint>

namespace nimbara {

// Camera positions, all for a 400 x 250 picture.
Perspective bridgeView();                // from a ship's bridge, 18 m up
Perspective deckView(double eyeHeight);  // low, the horizon high in the picture
Perspective closeView();                 // looking down at the water beside a ship
Perspective aerialView(double altitude, double horizonY);  // from an aircraft

enum class Weather { Clear, Fair, Overcast, LowSun };

// Paints the sky above the horizon; returns the sea that goes with it.
SeaStyle paintPolarSky(QImage& image, const Perspective& view, Weather weather, std::uint64_t seed);
// Fills everything below the horizon with sea of that style.
void paintOpenSea(QImage& image, const Perspective& view, SeaStyle style, double waveLength,
                  double roughness, std::uint64_t seed);

}  // namespace nimbara
