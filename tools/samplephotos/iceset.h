// The pictures of the two sea-ice games: ice0 .. ice17 for the first, ice2_0 .. ice2_17 for the
// second, picture k showing class k of its game.
#pragma once

#include "tools/samplephotos/photoset.h"

namespace nimbara {

PhotoSet icePhotoSet();

}  // namespace nimbara
