// The six photographers of the sea-state series. Each keeps one camera, one kind of light and one
// colour of water through all the forces of the series, so that within a series only the sea and
// the weather that comes with it change.
#pragma once

#include "tools/samplephotos/sea/shipdeck.h"
#include "tools/samplephotos/sky/sky.h"

#include <QColor>
#include <QPointF>
#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

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
    const char* game;  // the import id of the sea-state game whose photos it takes
    std::uint64_t seed;
    SeaCamera camera;
    double heading;  // degrees, the way the waves run: 0 away from the camera, 90 to the right
    SeaLight light;
    SeaWater water;
    OwnShip ownShip;
    std::optional<DistantShip> ship;
};

// The photographer of the game with import id `game`; null when no photographer takes its photos.
const SeaPhotographer* seaPhotographerOf(std::string_view game);

}  // namespace nimbara
