// Pictures of ice where it meets the land: ice fast to a coast, a glacier reaching the sea, the
// cliff of an ice shelf, and ice left aground by the tide.
#pragma once

#include <QImage>

namespace nimbara {

void drawFastIce(QImage& image);
void drawGlacier(QImage& image);
void drawIceShelf(QImage& image);
void drawStrandedIce(QImage& image);

}  // namespace nimbara
