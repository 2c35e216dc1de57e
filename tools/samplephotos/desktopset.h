// The default desktop picture CLOUDS.BMP: a summer sky with cumulus, 320 x 200, seamless when
// tiled.
#pragma once

#include "tools/samplephotos/photoset.h"

namespace nimbara {

PhotoSet desktopPhotoSet();
void drawDesktopClouds(QImage& image);

}  // namespace nimbara
