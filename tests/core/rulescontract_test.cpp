// What every game's rules must keep, whatever the game: checked over the whole catalogue.
#include "games/core/gamecatalogue.h"
#include "games/core/gameround.h"
#include "tests/support/scriptedrandom.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace nimbara {

inline void PrintTo(const CatalogueGame& game, std::ostream* out) {
    *out << game.id;
}

namespace {

// How the answer buttons of a game fall into groups of radio buttons.
const std::map<std::string, std::vector<int>> kButtonGroups = {
    {"ice1", {18}},          {"ice2", {18}},         {"clouds-normal", {11, 11, 11}},
    {"clouds-easy", {27}},   {"seastate-UK", {13}},  {"seastate-GE", {13}},
    {"seastate-CA", {13}},   {"seastate-CAN", {13}}, {"seastate-CANA", {13}},
    {"seastate-ORVA", {13}},
};

// Every complete answer: one checked button in each group.
std::vector<std::vector<std::uint16_t>> completeAnswers(const std::vector<int>& groups) {
    std::vector<std::vector<std::uint16_t>> answers{{}};
    for (const int size : groups) {
        std::vector<std::vector<std::uint16_t>> longer;
        for (const auto& start : answers) {
            for (int checked = 0; checked < size; ++checked) {
                auto block = start;
                for (int button = 0; button < size; ++button) {
                    block.push_back(button == checked ? 1 : 0);
                }
                longer.push_back(std::move(block));
            }
        }
        answers = std::move(longer);
    }
    return answers;
}

class RulesContractTest : public testing::TestWithParam<CatalogueGame> {
protected:
    std::unique_ptr<GameRules> rules = GetParam().makeRules();
};

TEST_P(RulesContractTest, CountsFitTogether) {
    EXPECT_GE(rules->photoCount(), GameRound::kRoundLength);
    EXPECT_GE(rules->shownFlagCount(), rules->photoCount());
    EXPECT_EQ(rules->allPhotos().size(), static_cast<std::size_t>(rules->photoCount()));
    int buttons = 0;
    for (const int size : kButtonGroups.at(GetParam().id)) {
        buttons += size;
    }
    EXPECT_EQ(rules->answerButtonCount(), buttons);
}

TEST_P(RulesContractTest, EveryPhotoHasItsOwnShownFlagAndFile) {
    std::set<int> flags;
    std::set<std::string> files;
    for (const PhotoId& photo : rules->allPhotos()) {
        EXPECT_EQ(rules->checkIndices(photo), IndexCheck::Ok);
        const int flag = rules->shownIndex(photo);
        EXPECT_GE(flag, 0);
        EXPECT_LT(flag, rules->shownFlagCount());
        flags.insert(flag);
        const std::string file = rules->fileName(photo);
        EXPECT_TRUE(file.ends_with(".bmp")) << file;
        files.insert(file);
    }
    EXPECT_EQ(flags.size(), rules->allPhotos().size());
    EXPECT_EQ(files.size(), rules->allPhotos().size());
    EXPECT_EQ(rules->checkIndices(rules->fallbackPhoto()), IndexCheck::Ok);
}

TEST_P(RulesContractTest, DrawsWithoutRepetitionUntilEveryPhotoCameUp) {
    ClockSeededRandom clock;
    GameRound round(*rules, clock);
    std::set<PhotoId> drawn;
    for (int i = 0; i < rules->photoCount(); ++i) {
        EXPECT_TRUE(round.drawNextPhoto().empty());
        EXPECT_TRUE(drawn.insert(round.photo()).second) << "repeated " << round.fileName();
    }
    const std::vector<PhotoId> all = rules->allPhotos();
    EXPECT_EQ(drawn, std::set<PhotoId>(all.begin(), all.end()));
}

TEST_P(RulesContractTest, EachPhotoHasExactlyOneRightAnswerNamedByItsKey) {
    const auto answers = completeAnswers(kButtonGroups.at(GetParam().id));
    std::map<std::string, std::size_t> rightAnswerOfName;
    for (const PhotoId& photo : rules->allPhotos()) {
        std::vector<bool> flags(static_cast<std::size_t>(rules->answerFlagCount()), false);
        rules->markAnswer(photo, flags);
        EXPECT_EQ(std::count(flags.begin(), flags.end(), true), 1) << rules->fileName(photo);
        std::vector<std::size_t> right;
        for (std::size_t i = 0; i < answers.size(); ++i) {
            const std::optional<Choice> choice = rules->chooseAnswer(answers[i]);
            ASSERT_TRUE(choice.has_value());
            if (rules->isRight(*choice, flags)) {
                right.push_back(i);
            }
        }
        ASSERT_EQ(right.size(), 1u) << rules->fileName(photo);
        // Photos named alike are answered alike, and different names need different answers.
        const std::string name = rules->answerName(flags);
        EXPECT_FALSE(name.empty());
        const auto [known, inserted] = rightAnswerOfName.emplace(name, right.front());
        EXPECT_EQ(known->second, right.front()) << name;
    }
    std::set<std::size_t> distinct;
    for (const auto& [name, answer] : rightAnswerOfName) {
        EXPECT_TRUE(distinct.insert(answer).second) << name << " shares its answer";
    }
}

TEST_P(RulesContractTest, AnAnswerWithAGroupLeftEmptyIsIncomplete) {
    const std::vector<int> groups = kButtonGroups.at(GetParam().id);
    std::vector<std::uint16_t> block(static_cast<std::size_t>(rules->answerButtonCount()), 0);
    EXPECT_FALSE(rules->chooseAnswer(block).has_value());
    // Every group but the last answered.
    std::size_t first = 0;
    for (std::size_t group = 0; group + 1 < groups.size(); ++group) {
        block[first] = 1;
        first += static_cast<std::size_t>(groups[group]);
    }
    EXPECT_FALSE(rules->chooseAnswer(block).has_value());
}

TEST_P(RulesContractTest, TextsAreWellFormed) {
    const GameTexts& texts = rules->texts();
    EXPECT_FALSE(texts.title.empty());
    EXPECT_EQ(texts.reminder.rfind("Please select radio button", 0), 0u);
    for (const std::string* error : {&texts.unknownIndexError, &texts.indexRangeError}) {
        EXPECT_EQ(error->rfind("internal error (", 0), 0u) << *error;
        EXPECT_EQ(error->back(), ')') << *error;
    }
    EXPECT_TRUE(texts.unknownIndexError.ends_with("; indices(1))"));
    EXPECT_TRUE(texts.indexRangeError.ends_with("; indices(2))"));
    EXPECT_TRUE(texts.missingPhotoLead.ends_with(" (file: "));
    EXPECT_EQ(texts.photoFolder.front(), '\\');
    EXPECT_EQ(texts.photoFolder.back(), '\\');
    EXPECT_EQ(texts.wrongAnswerLead.rfind("error; ", 0), 0u);
    for (const PhotoId& photo : rules->allPhotos()) {
        EXPECT_EQ(rules->remarks(photo).size(), static_cast<std::size_t>(rules->remarkLineCount()))
            << rules->fileName(photo);
    }
}

INSTANTIATE_TEST_SUITE_P(AllGames, RulesContractTest, testing::ValuesIn(gameCatalogue()),
                         [](const testing::TestParamInfo<CatalogueGame>& row) {
                             std::string name = row.param.id;
                             std::erase(name, '-');
                             return name;
                         });

}  // namespace
}  // namespace nimbara
