// Composes from a sky photograph's description the scene for the painters. The look of each cloud
// form is one row of its level's table (lowclouds, middleclouds, highclouds), so every photograph
// of that form shares it and differs only by place, light and chance.
#pragma once

#include "tools/samplephotos/sky/skyphoto.h"
#include "tools/samplephotos/sky/skyscene.h"

namespace nimbara {

SkyScene composeSky(const SkyPhoto& photo);

}  // namespace nimbara
