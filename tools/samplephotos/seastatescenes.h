// One sea-state picture: a photographer's view of the sea at one Beaufort force, with the sky,
// a distant ship and the observer's own ship that go with them.
#pragma once

#include <QImage>

namespace nimbara {

// Draws force 0 to 12 as photographer `series` saw it, on a 400 x 250 picture.
void drawSeaState(QImage& image, int series, int force);

}  // namespace nimbara
