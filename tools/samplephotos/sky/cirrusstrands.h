// Cirrus in separate filaments: long, gently curved white fibres (fibratus), or commas ending
// upwards in a hook or tuft (uncinus). Each filament lies on the level of the cirrus and is drawn
// as a bundle of fine strokes in perspective, so filaments near the horizon shrink and crowd.
#pragma once

#include "tools/samplephotos/paint/daylight.h"
#include "tools/samplephotos/paint/perspective.h"

#include <QImage>
#include <QRectF>
#include <cstdint>

namespace nimbara {

enum class StrandForm { Fibratus, Uncinus };

struct CirrusStrands {
    StrandForm form = StrandForm::Fibratus;
    double altitude = 9000.0;  // metres above the observer
    int count = 20;
    double length = 9000.0;   // metres, one filament
    double windAngle = 10.0;  // degrees on the level: 0 across the view, 90 away from the camera
    double curl = 0.3;        // how much filaments bend
    double opacity = 0.7;
    // Filaments start at picture points in `region`; `crowd` above 0 packs them towards its
    // bottom edge, as cirrus advancing from the horizon.
    QRectF region{0.0, 0.0, 400.0, 200.0};
    double crowd = 0.0;
    std::uint64_t seed = 1;
};

void paintCirrusStrands(QImage& image, const Perspective& view, const Daylight& light,
                        const CirrusStrands& strands);

}  // namespace nimbara
