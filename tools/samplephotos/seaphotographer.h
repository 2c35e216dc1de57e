// The six photographers of the sea-state series. Each keeps one camera, one kind of light and one
// colour of water through all the forces of the series, so that within a series only the sea and
// the weather that comes with it change.
#pragma once

#include "tools/samplephotos/shipdeck.h"
#include "tools/samplephotos/sky.h"

#include <QColor>
#include <QPointF>
#include <QString>
#include <cstdint>
#include <optional>

namespace nimbara {

struct SeaCamera {
    double eyeHeight;  // metres above the still water
    double horizonY;   // pixels
    double focal;      // pixels
};

// The fair-weather sky; gales turn it grey.
struct SeaLight {
    QColor zenith;
    QColor horizon;
    CloudLayer clouds;
    std::optional<QPointF> sun;  // the glow's centre in the picture
    QColor sunColour;
};

struct SeaWater {
    QColor deep;        // looking steeply down
    QColor body;        // light through a steep crest
    QColor foam;        // foam in this light
    QColor haze;        // the air far away
    double visibility;  // metres
};

enum class Foreground { None, Rail, Bow };

struct OwnShip {
    Foreground part;
    QPointF at;  // the rail's left end, or the stem
    DeckPaint paint;
};

// A ship in the distance that shows how high the waves are.
struct DistantShip {
    double across;    // metres
    double distance;  // metres
    double length;    // metres
};

struct SeaPhotographer {
    const char* prefix;  // of the file names
    int forces;          // forces 0 to forces - 1 are drawn
    std::uint64_t seed;
    SeaCamera camera;
    double heading;  // degrees, the way the waves run: 0 away from the camera, 90 to the right
    SeaLight light;
    SeaWater water;
    OwnShip ownShip;
    std::optional<DistantShip> ship;
};

constexpr int kSeaSeriesCount = 6;

const SeaPhotographer& seaPhotographer(int series);

}  // namespace nimbara
