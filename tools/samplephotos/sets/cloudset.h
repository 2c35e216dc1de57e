// The pictures of the two cloud games: whole skies for the normal game, and four photographs of
// each cloud type of each level for the easy game.
#pragma once

#include "games/core/gamerules.h"
#include "tools/samplephotos/sets/photoset.h"

#include <string>

namespace nimbara {

// The picture of photo of the game with import id `game`; empty for another game or a photo the
// game does not have.
DrawPhoto cloudPicture(const std::string& game, const PhotoId& photo);

}  // namespace nimbara
