// Everything one sky photograph shows: the camera, the light, the layers of cloud from the highest
// down, the heap clouds and the land under them. Painting works like the sky: the clear sky first,
// then each layer from the top down, the sun through them, the heap clouds from the farthest, and
// the land last.
#pragma once

#include "tools/samplephotos/paint/daylight.h"
#include "tools/samplephotos/paint/perspective.h"
#include "tools/samplephotos/sky/cirrusstrands.h"
#include "tools/samplephotos/sky/cloudsheet.h"
#include "tools/samplephotos/sky/heapclouds.h"
#include "tools/samplephotos/sky/skyground.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace nimbara {

struct Lightning {
    QPointF from;   // picture point at the cloud base
    double length;  // pixels down towards the ground
};

struct SkyScene {
    Perspective view{200.0, 200.0, 300.0, 2.0};
    Daylight light = daylight(TimeOfDay::Midday, 0.0, 45.0);
    Scenery scenery = Scenery::Plain;
    double capBase = 0.0;  // a cloud base low enough to hide the hill tops, metres
    std::vector<CloudSheet> sheets;
    std::vector<CirrusStrands> strands;
    std::vector<Heap> heaps;
    std::vector<RainCurtain> rain;
    std::vector<Lightning> lightning;
    std::uint64_t seed = 1;
};

void paintSkyScene(QImage& image, const SkyScene& scene);

}  // namespace nimbara
