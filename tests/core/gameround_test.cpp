#include "games/core/gameround.h"
#include "games/core/gamecatalogue.h"
#include "tests/support/scriptedrandom.h"

#include <gtest/gtest.h>

#include <set>

namespace nimbara {
namespace {

using test::ScriptedRandom;

std::vector<std::uint16_t> answerWith(int button) {
    std::vector<std::uint16_t> block(18, 0);
    if (button >= 0) {
        block[static_cast<std::size_t>(button)] = 1;
    }
    return block;
}

class GameRoundTest : public testing::Test {
protected:
    explicit GameRoundTest(std::deque<std::int64_t> script = {}) : random(std::move(script)) {}

    // Draws, then answers the photo on show rightly or wrongly.
    void answer(GameRound& round, bool right) {
        const int photo = std::stoi(round.photo().front());
        round.judge(answerWith(right ? photo : (photo + 1) % 18));
    }

    const GameRules& rules = *findGame("ice1")->rules;
    ScriptedRandom random;
};

TEST_F(GameRoundTest, StartsWithNothingShownAndUnknownPhoto) {
    GameRound round(rules, random);
    EXPECT_EQ(round.photo(), PhotoId{"unknown"});
    EXPECT_EQ(round.askedCount(), 0);
    EXPECT_EQ(round.goodCount(), 0);
    EXPECT_EQ(round.scoreLine(), "good: 0 of 0 (total 10)");
    EXPECT_EQ(round.percent(), 0);
}

TEST_F(GameRoundTest, DrawTakesTheValueModuloNAndCountsThePhoto) {
    ScriptedRandom scripted({25});  // 25 mod 18 = 7
    GameRound round(rules, scripted);
    EXPECT_TRUE(round.drawNextPhoto().empty());
    EXPECT_EQ(round.photo(), PhotoId{"7"});
    EXPECT_EQ(round.fileName(), "ice7.bmp");
    EXPECT_EQ(round.askedCount(), 1);
    EXPECT_TRUE(round.shown(7));
    std::vector<bool> expected(18, false);
    expected[7] = true;
    EXPECT_EQ(round.answerFlags(), expected);
    EXPECT_EQ(scripted.seeds(), 1);
}

TEST_F(GameRoundTest, RepeatedDrawsOfAShownPhotoAreSkipped) {
    ScriptedRandom scripted({3, 3, 21, 39, 5});  // 3, then 3 three times more, then 5
    GameRound round(rules, scripted);
    round.drawNextPhoto();
    round.drawNextPhoto();
    EXPECT_EQ(round.photo(), PhotoId{"5"});
    EXPECT_EQ(round.askedCount(), 2);
    EXPECT_EQ(scripted.seeds(), 2);
    std::vector<bool> expected(18, false);
    expected[5] = true;
    EXPECT_EQ(round.answerFlags(), expected) << "the flags of the skipped draws are cleared";
}

TEST_F(GameRoundTest, ANegativeValueFailsTheFirstCheckAndFallsBackToPhotoZero) {
    ScriptedRandom scripted({-5, -1, 4});
    GameRound round(rules, scripted);
    EXPECT_EQ(round.drawNextPhoto(), std::vector<IndexCheck>{IndexCheck::Unknown});
    EXPECT_EQ(round.photo(), PhotoId{"0"});
    // Photo 0 is shown now: the next failed check falls back to it again, so drawing goes on.
    EXPECT_EQ(round.drawNextPhoto(), std::vector<IndexCheck>{IndexCheck::Unknown});
    EXPECT_EQ(round.photo(), PhotoId{"4"});
}

TEST_F(GameRoundTest, SecondIndexCheckFiresAboveTheHighestPhoto) {
    EXPECT_EQ(rules.checkIndices({"17"}), IndexCheck::Ok);
    EXPECT_EQ(rules.checkIndices({"18"}), IndexCheck::OutOfRange);
    EXPECT_EQ(rules.checkIndices({"unknown"}), IndexCheck::Unknown);
}

TEST_F(GameRoundTest, ARoundOfTenNeverRepeatsAPhoto) {
    ClockSeededRandom clock;
    GameRound round(rules, clock);
    std::set<std::string> photos;
    for (int i = 0; i < GameRound::kRoundLength; ++i) {
        round.drawNextPhoto();
        photos.insert(round.photo().front());
    }
    EXPECT_EQ(photos.size(), 10u);
    EXPECT_TRUE(round.roundOver());
}

TEST_F(GameRoundTest, JudgesTheLowestCheckedButton) {
    ScriptedRandom scripted({4});
    GameRound round(rules, scripted);
    round.drawNextPhoto();
    EXPECT_EQ(round.judge(answerWith(-1)), GameRound::Verdict::Incomplete);
    EXPECT_EQ(round.goodCount(), 0);
    EXPECT_EQ(round.askedCount(), 1);

    std::vector<std::uint16_t> two = answerWith(5);
    two[4] = 1;  // 4 comes first and is right
    EXPECT_EQ(round.judge(two), GameRound::Verdict::Right);
    EXPECT_EQ(round.goodCount(), 1);
    EXPECT_EQ(round.judge(answerWith(5)), GameRound::Verdict::Wrong);
    EXPECT_EQ(round.goodCount(), 1);
    EXPECT_EQ(round.scoreLine(), "good: 1 of 1 (total 10)");
}

TEST_F(GameRoundTest, AWordOtherThanOneIsNotChecked) {
    ScriptedRandom scripted({2});
    GameRound round(rules, scripted);
    round.drawNextPhoto();
    std::vector<std::uint16_t> block(18, 0);
    block[2] = 2;
    EXPECT_EQ(round.judge(block), GameRound::Verdict::Incomplete);
}

struct FinalCase {
    int right;
    std::string text;
    friend void PrintTo(const FinalCase& row, std::ostream* out) { *out << row.right << " right"; }
};

class FinalScoreTest : public GameRoundTest, public testing::WithParamInterface<FinalCase> {};

TEST_P(FinalScoreTest, TenAnswersGiveThePercentAndRating) {
    GameRound round(rules, random);
    for (int i = 0; i < GameRound::kRoundLength; ++i) {
        EXPECT_FALSE(round.roundOver());
        round.drawNextPhoto();
        answer(round, i < GetParam().right);
    }
    EXPECT_TRUE(round.roundOver());
    EXPECT_EQ(round.finalText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Ratings, FinalScoreTest,
                         testing::Values(FinalCase{0, "0 % correct classified (novice)"},
                                         FinalCase{7, "70 % correct classified (novice)"},
                                         FinalCase{8, "80 % correct classified (intermediate)"},
                                         FinalCase{9, "90 % correct classified (intermediate)"},
                                         FinalCase{10, "100 % correct classified (expert)"}),
                         [](const testing::TestParamInfo<FinalCase>& row) {
                             return std::to_string(row.param.right) + "Right";
                         });

// A draw that proposes the scripted photos in turn, then leaves it to the game's own draw.
class ScriptedDraw final : public PhotoDraw {
public:
    explicit ScriptedDraw(std::vector<PhotoId> photos) : m_photos(std::move(photos)) {}
    PhotoId candidate(const GameRules& rules, RandomSource& random) const override {
        ++m_asked;
        if (m_next < m_photos.size()) {
            return m_photos[m_next++];
        }
        return PhotoDraw::gamesOwn().candidate(rules, random);
    }
    int asked() const { return m_asked; }

private:
    std::vector<PhotoId> m_photos;
    mutable std::size_t m_next = 0;
    mutable int m_asked = 0;
};

TEST_F(GameRoundTest, AReplacedDrawProposesThePhotosAndTheRoundStillChecksThem) {
    ScriptedRandom scripted({}, 9);
    const ScriptedDraw draw({{"12"}, {"12"}, {"25"}, {"3"}});
    GameRound round(rules, scripted, draw);
    EXPECT_TRUE(round.drawNextPhoto().empty());
    EXPECT_EQ(round.photo(), PhotoId{"12"});
    // A shown photo is proposed again, then one beyond the highest: the index check falls back
    // to photo "0".
    EXPECT_EQ(round.drawNextPhoto(), std::vector<IndexCheck>{IndexCheck::OutOfRange});
    EXPECT_EQ(round.photo(), PhotoId{"0"});
    EXPECT_EQ(round.drawNextPhoto(), std::vector<IndexCheck>{});
    EXPECT_EQ(round.photo(), PhotoId{"3"});
    EXPECT_EQ(round.drawNextPhoto(), std::vector<IndexCheck>{});
    EXPECT_EQ(round.photo(), PhotoId{"9"}) << "the game's own draw takes over";
    EXPECT_EQ(draw.asked(), 5);
    EXPECT_EQ(scripted.seeds(), 4);
    EXPECT_EQ(round.askedCount(), 4);
}

TEST(RatingTest, BoundariesOfTheRatings) {
    EXPECT_EQ(GameRound::rating(79), "(novice)");
    EXPECT_EQ(GameRound::rating(80), "(intermediate)");
    EXPECT_EQ(GameRound::rating(99), "(intermediate)");
    EXPECT_EQ(GameRound::rating(100), "(expert)");
}

}  // namespace
}  // namespace nimbara
