// What every game's rules must keep, whatever the game: checked over the whole catalogue.
#include "games/core/gamecatalogue.h"
#include "games/core/gameround.h"
#include "tests/support/gameprinters.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace nimbara {
namespace {

// Every complete answer of rules: one checked button in each answer group.
std::vector<std::vector<std::uint16_t>> completeAnswers(const GameRules& rules) {
    std::vector<std::vector<std::uint16_t>> answers{{}};
    for (const AnswerGroup& group : rules.answerGroups()) {
        std::vector<std::vector<std::uint16_t>> longer;
        for (const auto& start : answers) {
            for (std::size_t checked = 0; checked < group.items.size(); ++checked) {
                auto block = start;
                for (std::size_t button = 0; button < group.items.size(); ++button) {
                    block.push_back(button == checked ? 1 : 0);
                }
                longer.push_back(std::move(block));
            }
        }
        answers = std::move(longer);
    }
    return answers;
}

class RulesContractTest : public testing::TestWithParam<GameDefinition> {
protected:
    const GameRules& rules = *GetParam().rules;
};

TEST_P(RulesContractTest, CountsFitTogether) {
    EXPECT_GE(rules.photoCount(), GameRound::kRoundLength);
    EXPECT_GE(rules.shownFlagCount(), rules.photoCount());
    EXPECT_EQ(rules.allPhotos().size(), static_cast<std::size_t>(rules.photoCount()));
    for (const AnswerGroup& group : rules.answerGroups()) {
        EXPECT_GE(group.items.size(), 2u) << "a group of one button leaves nothing to choose";
    }
}

TEST_P(RulesContractTest, EveryPhotoHasItsOwnShownFlagAndFile) {
    std::set<int> flags;
    std::set<std::string> files;
    for (const PhotoId& photo : rules.allPhotos()) {
        EXPECT_EQ(rules.checkIndices(photo), IndexCheck::Ok);
        const int flag = rules.shownIndex(photo);
        EXPECT_GE(flag, 0);
        EXPECT_LT(flag, rules.shownFlagCount());
        flags.insert(flag);
        const std::string file = rules.fileName(photo);
        EXPECT_TRUE(file.ends_with(".bmp")) << file;
        files.insert(file);
        EXPECT_EQ(rules.remarks(photo).size(), static_cast<std::size_t>(rules.remarkLineCount()))
            << file;
    }
    EXPECT_EQ(flags.size(), rules.allPhotos().size());
    EXPECT_EQ(files.size(), rules.allPhotos().size());
    EXPECT_EQ(rules.checkIndices(rules.fallbackPhoto()), IndexCheck::Ok);
}

TEST_P(RulesContractTest, DrawsWithoutRepetitionUntilEveryPhotoCameUp) {
    ClockSeededRandom clock;
    GameRound round(rules, clock);
    std::set<PhotoId> drawn;
    for (int i = 0; i < rules.photoCount(); ++i) {
        EXPECT_TRUE(round.drawNextPhoto().empty());
        EXPECT_TRUE(drawn.insert(round.photo()).second) << "repeated " << round.fileName();
        EXPECT_EQ(std::count(round.answerFlags().begin(), round.answerFlags().end(), true), 1);
        EXPECT_TRUE(round.answerFlags().at(rules.classOf(round.photo())));
    }
    const std::vector<PhotoId> all = rules.allPhotos();
    EXPECT_EQ(drawn, std::set<PhotoId>(all.begin(), all.end()));
}

TEST_P(RulesContractTest, EachPhotoHasExactlyOneRightAnswerNamedAsItsClass) {
    const auto answers = completeAnswers(rules);
    const std::vector<Choice> classes = rules.classes();
    std::set<std::string> classNames;
    for (const Choice& right : classes) {
        EXPECT_TRUE(classNames.insert(rules.choiceName(right)).second)
            << rules.choiceName(right) << " names two classes";
    }
    for (const PhotoId& photo : rules.allPhotos()) {
        std::vector<Choice> right;
        for (const auto& answer : answers) {
            const std::optional<Choice> choice = rules.chooseAnswer(answer);
            ASSERT_TRUE(choice.has_value());
            if (rules.isRight(*choice, photo)) {
                right.push_back(*choice);
            }
        }
        ASSERT_EQ(right.size(), 1u) << rules.fileName(photo);
        EXPECT_EQ(right.front(), rules.rightChoice(photo));
        ASSERT_LT(rules.classOf(photo), classes.size()) << rules.fileName(photo);
        EXPECT_EQ(classes[rules.classOf(photo)], right.front());
        EXPECT_FALSE(rules.rightAnswerName(photo).empty());
    }
}

TEST_P(RulesContractTest, AnAnswerWithAGroupLeftEmptyIsIncomplete) {
    std::vector<std::uint16_t> block(static_cast<std::size_t>(rules.answerButtonCount()), 0);
    EXPECT_FALSE(rules.chooseAnswer(block).has_value());
    // Every group but the last answered.
    std::size_t first = 0;
    const std::vector<AnswerGroup>& groups = rules.answerGroups();
    for (std::size_t group = 0; group + 1 < groups.size(); ++group) {
        block[first] = 1;
        first += groups[group].items.size();
    }
    EXPECT_FALSE(rules.chooseAnswer(block).has_value());
}

TEST_P(RulesContractTest, EveryPhotoOffersItsRightAnswer) {
    for (const PhotoId& photo : rules.allPhotos()) {
        const Choice right = rules.rightChoice(photo);
        int first = 0;
        for (std::size_t group = 0; group < right.size(); ++group) {
            EXPECT_TRUE(rules.offersButton(photo, first + right[group])) << rules.fileName(photo);
            first += static_cast<int>(rules.answerGroups()[group].items.size());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllGames, RulesContractTest, testing::ValuesIn(gameCatalogue()),
                         [](const auto& row) { return test::gameRowName(row); });

}  // namespace
}  // namespace nimbara
