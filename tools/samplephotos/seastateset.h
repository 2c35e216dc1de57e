// The pictures of the sea-state game: six series, each a prefix followed by the Beaufort force
// the picture shows.
#pragma once

#include "tools/samplephotos/photoset.h"

namespace nimbara {

PhotoSet seaStatePhotoSet();

}  // namespace nimbara
