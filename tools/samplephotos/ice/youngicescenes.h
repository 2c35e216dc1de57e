// Pictures of ice in its first stages: crystals and soupy layers on the water, the first thin
// crusts, pancakes, and grey and grey-white young ice.
#pragma once

#include <QImage>

namespace nimbara {

void drawGreaseIce(QImage& image);
void drawNewIce(QImage& image);
void drawShuga(QImage& image);
void drawSlush(QImage& image);
void drawNilas(QImage& image);
void drawFingerRafting(QImage& image);
void drawPancakeIce(QImage& image);

}  // namespace nimbara
