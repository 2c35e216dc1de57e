// The pictures of the two sea-ice games, photo k of each showing class k of its game.
#pragma once

#include "games/core/gamerules.h"
#include "tools/samplephotos/sets/photoset.h"

#include <string>

namespace nimbara {

// The picture of photo of the game with import id `game`; empty for another game or a photo the
// game does not have.
DrawPhoto icePicture(const std::string& game, const PhotoId& photo);

}  // namespace nimbara
