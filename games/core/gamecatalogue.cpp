#include "games/core/gamecatalogue.h"

#include "games/core/cloudeasyrules.h"
#include "games/core/cloudnormalrules.h"
#include "games/core/icegame1.h"
#include "games/core/icegame2.h"
#include "games/core/seastateseries.h"

#include <algorithm>

namespace nimbara {

namespace {

template <const char* code>
std::unique_ptr<GameRules> makeSeaStateRules() {
    return std::make_unique<SingleGroupRules>(seaStateRules(code));
}

constexpr char kMetOffice[] = "UK";
constexpr char kDeutscherWetterdienst[] = "GE";
constexpr char kCanadaOne[] = "CA";
constexpr char kCanadaTwo[] = "CAN";
constexpr char kCanadaThree[] = "CANA";
constexpr char kOrva[] = "ORVA";

}  // namespace

const std::vector<CatalogueGame>& gameCatalogue() {
    static const std::vector<CatalogueGame> games = {
        {"ice1",
         []() -> std::unique_ptr<GameRules> {
             return std::make_unique<SingleGroupRules>(iceGame1Rules());
         }},
        {"ice2",
         []() -> std::unique_ptr<GameRules> {
             return std::make_unique<SingleGroupRules>(iceGame2Rules());
         }},
        {"clouds-normal",
         []() -> std::unique_ptr<GameRules> { return std::make_unique<CloudNormalRules>(); }},
        {"clouds-easy",
         []() -> std::unique_ptr<GameRules> { return std::make_unique<CloudEasyRules>(); }},
        {"seastate-UK", makeSeaStateRules<kMetOffice>},
        {"seastate-GE", makeSeaStateRules<kDeutscherWetterdienst>},
        {"seastate-CA", makeSeaStateRules<kCanadaOne>},
        {"seastate-CAN", makeSeaStateRules<kCanadaTwo>},
        {"seastate-CANA", makeSeaStateRules<kCanadaThree>},
        {"seastate-ORVA", makeSeaStateRules<kOrva>},
    };
    return games;
}

std::unique_ptr<GameRules> makeCatalogueRules(const std::string& id) {
    const std::vector<CatalogueGame>& games = gameCatalogue();
    const auto found = std::find_if(games.begin(), games.end(),
                                    [&](const CatalogueGame& game) { return game.id == id; });
    return found == games.end() ? nullptr : found->makeRules();
}

}  // namespace nimbara
