// The pictures of the two cloud games: cloud0 .. cloud94, whole skies for the normal game, and
// cl<t>_<v>, cm<t>_<v>, ch<t>_<v> (type t 1 to 9, variant v 1 to 4), four photographs of each
// cloud type of each level for the easy game.
#pragma once

#include "tools/samplephotos/photoset.h"

namespace nimbara {

PhotoSet cloudPhotoSet();

}  // namespace nimbara
