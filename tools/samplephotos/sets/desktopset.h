// The set "desktop": the default desktop picture desktop/CLOUDS.BMP, a summer sky with cumulus,
// 320 x 200, seamless when tiled.
#pragma once

#include "tools/samplephotos/sets/photoset.h"

namespace nimbara {

PhotoSet desktopPhotoSet();
void drawDesktopClouds(QImage& image);

}  // namespace nimbara
