#include "games/core/gamecatalogue.h"

#include "games/core/cloudgameeasy.h"
#include "games/core/cloudgamenormal.h"
#include "games/core/icegame1.h"
#include "games/core/icegame2.h"
#include "games/core/seastategame.h"

#include <algorithm>

namespace nimbara {

namespace {

std::vector<GameDefinition> buildCatalogue() {
    std::vector<GameDefinition> games = {iceGame1(), iceGame2(), cloudGameNormal(),
                                         cloudGameEasy()};
    for (const SeastateSeries& series : seastateSeriesTable()) {
        games.push_back(seastateGame(series.code));
    }
    return games;
}

template <typename Matches>
const GameDefinition* findIn(Matches matches) {
    const std::vector<GameDefinition>& games = gameCatalogue();
    const auto found = std::find_if(games.begin(), games.end(), matches);
    return found == games.end() ? nullptr : &*found;
}

}  // namespace

const std::vector<GameDefinition>& gameCatalogue() {
    static const std::vector<GameDefinition> games = buildCatalogue();
    return games;
}

const GameDefinition* findGame(std::string_view importId) {
    return findIn([importId](const GameDefinition& game) { return game.importId == importId; });
}

const GameDefinition* findGameByCommand(int commandId) {
    return findIn([commandId](const GameDefinition& game) { return game.commandId == commandId; });
}

}  // namespace nimbara
