// The table of game definitions: what every definition must keep so that the menu, the templates,
// the launcher, the transfer blocks and the photo import can all be made from it.
#include "games/core/gamecatalogue.h"
#include "tests/support/gameprinters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace nimbara {

namespace {

class GameDefinitionTest : public testing::TestWithParam<GameDefinition> {};

TEST_P(GameDefinitionTest, ItsLayoutHasAPlaceForEveryButtonAndRemarkLine) {
    const GameDefinition& game = GetParam();
    const std::vector<int> buttons = game.layout.answerButtonIds();
    EXPECT_EQ(buttons.size(), static_cast<std::size_t>(game.rules->answerButtonCount()));
    EXPECT_EQ(game.layout.remarks.ids.size(),
              static_cast<std::size_t>(game.rules->remarkLineCount()));
    EXPECT_EQ(game.layout.remarks.tops.size(), game.layout.remarks.ids.size());
    // Every control the game addresses has an id of its own.
    std::set<int> ids(buttons.begin(), buttons.end());
    ids.insert(game.layout.remarks.ids.begin(), game.layout.remarks.ids.end());
    ids.insert(game.layout.score.lineId);
    for (const AnswerBox& box : game.layout.answerBoxes) {
        if (box.id != -1) {
            ids.insert(box.id);
        }
    }
    std::size_t boxesWithIds = 0;
    for (const AnswerBox& box : game.layout.answerBoxes) {
        boxesWithIds += box.id == -1 ? 0 : 1;
    }
    EXPECT_EQ(ids.size(), buttons.size() + game.layout.remarks.ids.size() + 1 + boxesWithIds);
    for (const AnswerGroup& group : game.rules->answerGroups()) {
        for (const AnswerItem& item : group.items) {
            EXPECT_FALSE(item.label.empty());
            EXPECT_FALSE(item.name.empty());
        }
    }
}

TEST_P(GameDefinitionTest, ListsItsPhotoFolderAndEveryPhotoFile) {
    const GameDefinition& game = GetParam();
    // The same folder, as the build names it: "games/ice" for "\games\ice\".
    std::string folder = "\\" + game.photoFolderPath() + "\\";
    std::replace(folder.begin(), folder.end(), '/', '\\');
    EXPECT_EQ(game.photoFolder, folder);
    EXPECT_EQ(game.photoFolderPath().find('\\'), std::string::npos);
    const std::vector<std::string> names = game.photoFileNames();
    EXPECT_EQ(names.size(), static_cast<std::size_t>(game.rules->photoCount()));
    EXPECT_EQ(names.front(), game.rules->fileName(game.rules->allPhotos().front()));
}

INSTANTIATE_TEST_SUITE_P(AllGames, GameDefinitionTest, testing::ValuesIn(gameCatalogue()),
                         [](const auto& row) { return test::gameRowName(row); });

TEST(GameCatalogueTest, NamesEachGameItsCommandAndItsMenuPlaceOnce) {
    std::set<std::string> importIds;
    std::set<int> commands;
    std::set<std::tuple<int, int>> places;
    for (const GameDefinition& game : gameCatalogue()) {
        EXPECT_TRUE(importIds.insert(game.importId).second) << game.importId;
        EXPECT_TRUE(commands.insert(game.commandId).second) << game.importId;
        EXPECT_TRUE(places.emplace(game.menuPlace.section, game.menuPlace.position).second)
            << game.importId;
        EXPECT_EQ(findGame(game.importId), &game);
        EXPECT_EQ(findGameByCommand(game.commandId), &game);
    }
    EXPECT_EQ(importIds.size(), 10u);
    EXPECT_EQ(findGame("ICE1"), nullptr) << "import ids are exact text here";
    EXPECT_EQ(findGameByCommand(3094), nullptr) << "the Games popup itself";
    EXPECT_EQ(findGameByCommand(3099)->importId, "seastate-UK");
}

TEST(GameCatalogueTest, GamesThatShareATemplateShareItsLayoutAndTransferBlock) {
    std::map<int, const GameDefinition*> byTemplate;
    for (const GameDefinition& game : gameCatalogue()) {
        const auto [first, added] = byTemplate.emplace(game.templateId, &game);
        if (added) {
            continue;
        }
        const GameDefinition& other = *first->second;
        EXPECT_EQ(game.layout.answerButtonIds(), other.layout.answerButtonIds()) << game.importId;
        EXPECT_EQ(game.layout.score.lineId, other.layout.score.lineId) << game.importId;
        EXPECT_EQ(game.layout.remarks.ids, other.layout.remarks.ids) << game.importId;
        EXPECT_EQ(game.rules->answerButtonCount(), other.rules->answerButtonCount());
        EXPECT_EQ(game.dialogClass, other.dialogClass);
    }
    EXPECT_EQ(byTemplate.size(), 5u) << "five dialogs: the sea-state series share one";
}

TEST(GameCatalogueTest, GamesThatShareAFolderNeverShareAFileName) {
    std::map<std::string, std::map<std::string, std::string>> owners;  // folder, file: game
    for (const GameDefinition& game : gameCatalogue()) {
        for (const std::string& name : game.photoFileNames()) {
            const auto [owner, added] = owners[game.photoFolderPath()].emplace(name, game.importId);
            EXPECT_TRUE(added) << name << " of " << game.importId << " is " << owner->second
                               << "'s";
        }
    }
    std::set<std::string> folders;
    for (const auto& [folder, files] : owners) {
        folders.insert(folder);
    }
    EXPECT_EQ(folders, (std::set<std::string>{"games/clouds", "games/ice", "games/seastate"}));
}

}  // namespace
}  // namespace nimbara
