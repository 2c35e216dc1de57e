#pragma once

#include "games/core/gamerules.h"

#include <memory>

namespace nimbara {

// One game of the program with its photo set, for tools and checks that go through every game:
// "ice1", "ice2", "clouds-normal", "clouds-easy" and "seastate-<series code>".
struct CatalogueGame {
    std::string id;
    std::unique_ptr<GameRules> (*makeRules)();
};

// Every game, each sea-state series as a game of its own.
const std::vector<CatalogueGame>& gameCatalogue();

// The rules of the game with id; null when there is no such game.
std::unique_ptr<GameRules> makeCatalogueRules(const std::string& id);

}  // namespace nimbara
