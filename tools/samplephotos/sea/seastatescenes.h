// One sea-state picture: a photographer's view of the sea at one Beaufort force, with the sky,
// a distant ship and the observer's own ship that go with them.
#pragma once

#include "tools/samplephotos/sea/seaphotographer.h"

#include <QImage>

namespace nimbara {

// Draws force 0 to 12 as the photographer saw it, on a 400 x 250 picture.
void drawSeaState(QImage& image, const SeaPhotographer& photographer, int force);

}  // namespace nimbara
