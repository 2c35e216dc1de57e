// Heap clouds standing on their flat bases: cumulus from small fair-weather puffs to towering
// congestus, cumulonimbus with a smoothed top or a fibrous anvil, ragged fractus, and the turrets
// and tufts of the middle level. Each cloud is built from overlapping spheres in metres, lit as
// solid bodies by the sun, and placed in the view by where its base stands.
#pragma once

#include "tools/samplephotos/paint/daylight.h"
#include "tools/samplephotos/paint/perspective.h"
#include "tools/samplephotos/sky/cloudsheet.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace nimbara {

enum class HeapForm {
    Humilis,      // small and flat, wider than tall
    Mediocris,    // about as tall as wide, rounded tops
    Congestus,    // towering, sharp cauliflower tops
    Calvus,       // enormous, the top smoothed and whitish, no fibres
    Capillatus,   // enormous, the top fibrous and spreading into an anvil
    Fractus,      // ragged shreds, no flat base
    Castellanus,  // turrets rising from a common level base
    Floccus,      // small tufts with ragged trails falling from them
    Anvil,        // the spread, fibrous top of a cumulonimbus left without its tower
};

struct Heap {
    HeapForm form = HeapForm::Humilis;
    double across = 0.0;       // metres to the right of the line of sight
    double distance = 5000.0;  // metres ahead
    double base = 1000.0;      // metres above the observer
    double width = 1000.0;     // metres
    double height = 500.0;     // metres from base to top
    double anvil = 0.0;        // anvil reach beyond the tower in tower widths, negative to the left
    double rain = 0.0;         // 0 none .. 1 heavy shafts to the ground
    double darkness = 0.0;     // 0 white .. 1 the leaden grey of bad weather
    double spread = 0.0;       // 0 .. 1: the body flattens and spreads sideways into a sheet
    std::uint64_t seed = 1;
};

// A curtain of rain falling from a cloud base at picture point `top` down past the horizon,
// `halfWidth` pixels to each side, `strength` 0 .. 1.
struct RainCurtain {
    QPointF top;
    double halfWidth;
    double strength;
};
void paintRainCurtain(QImage& image, const Perspective& view, const Daylight& light,
                      const RainCurtain& rain, std::uint64_t seed);

// Paints the clouds from the farthest to the nearest. When `depth` is given (one value per pixel,
// as DepthBuffer), records the distance of every pixel a cloud covers.
void paintHeaps(QImage& image, const Perspective& view, const Daylight& light,
                std::vector<Heap> heaps, DepthBuffer* depth);

}  // namespace nimbara
