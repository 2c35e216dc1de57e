// The light of one moment: where the sun stands and the colours it gives the clear sky, the
// sunlit and the shaded faces of clouds, and the far air. A clear sky is painted per direction:
// deep blue overhead, pale towards the horizon, bright round the sun.
#pragma once

#include "tools/samplephotos/paint/direction.h"
#include "tools/samplephotos/paint/perspective.h"

#include <QColor>
#include <QImage>

namespace nimbara {

enum class TimeOfDay {
    Midday,        // high sun, deep blue sky
    Afternoon,     // the sun part way down
    EarlyMorning,  // low sun, warm light on the undersides of clouds, dusky sky
    Evening,       // low sun, golden light
    Dull,          // sun hidden behind thick cloud: flat grey light
};

struct Daylight {
    Direction sun;
    double sunElevation;  // degrees
    QColor zenith;        // clear sky straight up
    QColor horizon;       // clear sky at the horizon
    QColor glow;          // clear sky round the sun
    QColor sunlight;      // sunlit faces of clouds
    QColor shade;         // faces turned from the sun, lit only by the sky
    QColor base;          // the flat undersides of heap clouds
    QColor haze;          // far air, which distant clouds fade into
    double visibility;    // metres
    double groundLight;   // brightness of the land, 1 in full sun
    bool sunShows;        // false when thick cloud beyond the picture hides the sun anyway
};

Daylight daylight(TimeOfDay time, double sunAzimuth, double sunElevation);

QRgb clearSkyColour(const Daylight& light, const Direction& direction);
// Paints the clear sky over the whole picture; the land is painted over its lower part later.
void paintClearSky(QImage& image, const Perspective& view, const Daylight& light);
// The sun's disc seen through cloud of this optical depth: a dazzling disc for none, a pale blurred
// disc as through ground glass for a medium veil, nothing for thick cloud.
void paintSunDisc(QImage& image, const Perspective& view, const Daylight& light, double depth);

// Mixes a colour into the far air: `distance` in metres.
QRgb intoHaze(QRgb colour, const Daylight& light, double distance);

}  // namespace nimbara
