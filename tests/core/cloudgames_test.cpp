#include "games/core/cloudgameeasyrules.h"
#include "games/core/cloudgamenormalrules.h"
#include "games/core/gamecatalogue.h"
#include "games/core/gameround.h"
#include "tests/support/scriptedrandom.h"

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::ScriptedRandom;

// The answer block of the normal game with one code checked per column ("x" is 10); -1 leaves
// the column empty.
std::vector<std::uint16_t> skyAnswer(int cl, int cm, int ch) {
    std::vector<std::uint16_t> block(33, 0);
    int column = 0;
    for (const int code : {cl, cm, ch}) {
        if (code >= 0) {
            block[static_cast<std::size_t>(column * 11 + code)] = 1;
        }
        ++column;
    }
    return block;
}

constexpr int x = 10;

const GameRules& normalRules() {
    return *findGame("clouds-normal")->rules;
}
const GameRules& easyRules() {
    return *findGame("clouds-easy")->rules;
}

// Draws photo (by its scripted value) and judges answer.
GameRound::Verdict judgeNormal(int photo, const std::vector<std::uint16_t>& answer) {
    ScriptedRandom random({photo});
    GameRound round(normalRules(), random);
    round.drawNextPhoto();
    return round.judge(answer);
}

struct SkyCase {
    const char* name;
    int photo;
    std::vector<std::uint16_t> answer;
    GameRound::Verdict verdict;
};

class NormalJudgementTest : public testing::TestWithParam<SkyCase> {};

TEST_P(NormalJudgementTest, JudgedOnAllThreeCodesOfItsOwnKey) {
    EXPECT_EQ(judgeNormal(GetParam().photo, GetParam().answer), GetParam().verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Photos, NormalJudgementTest,
    testing::Values(SkyCase{"Photo3AllRight", 3, skyAnswer(5, x, x), GameRound::Verdict::Right},
                    SkyCase{"Photo3ZeroIsNotX", 3, skyAnswer(5, 0, 0), GameRound::Verdict::Wrong},
                    SkyCase{"Photo0TwoOfThree", 0, skyAnswer(2, 6, 1), GameRound::Verdict::Wrong},
                    SkyCase{"Photo0WrongLow", 0, skyAnswer(3, 6, 0), GameRound::Verdict::Wrong},
                    SkyCase{"Photo10SharedKey", 10, skyAnswer(0, 4, 0), GameRound::Verdict::Right},
                    SkyCase{"Photo11SharedKey", 11, skyAnswer(0, 4, 0), GameRound::Verdict::Right},
                    SkyCase{"Photo68SharedKey", 68, skyAnswer(0, 4, 0), GameRound::Verdict::Right},
                    SkyCase{"Photo74AllDifferent", 74, skyAnswer(3, 9, 2),
                            GameRound::Verdict::Right},
                    SkyCase{"Photo94", 94, skyAnswer(1, 4, 0), GameRound::Verdict::Right},
                    SkyCase{"NoHighCode", 3, skyAnswer(5, x, -1), GameRound::Verdict::Incomplete},
                    SkyCase{"NoLowCode", 3, skyAnswer(-1, x, x), GameRound::Verdict::Incomplete}),
    [](const testing::TestParamInfo<SkyCase>& row) { return row.param.name; });

TEST(CloudGameNormalRulesTest, TheLowestCheckedCodeOfAColumnCounts) {
    std::vector<std::uint16_t> answer = skyAnswer(5, x, x);
    answer[11 + 3] = 1;  // Cm 3 besides Cm x: Cm 3 is chosen
    EXPECT_EQ(judgeNormal(3, answer), GameRound::Verdict::Wrong);
}

TEST(CloudGameNormalRulesTest, WrongAnswerNamesTheWholeKeyAfterTwoBlanks) {
    const GameRules& rules = normalRules();
    EXPECT_EQ(rules.wrongAnswerText({"3"}), "error;  Cl 5 - Cm x - Ch x");
    EXPECT_EQ(rules.fileName({"7"}), "cloud7.bmp");
    EXPECT_EQ(findGame("clouds-normal")->photoFolder, "\\games\\clouds\\");
}

TEST(CloudGameNormalRulesTest, KeysHoldThreeCodesAtFixedPlaces) {
    for (std::size_t photo = 0; photo < 95; ++photo) {
        const std::string& key = CloudGameNormalRules::key(photo);
        ASSERT_EQ(key.size(), 18u) << photo;
        EXPECT_EQ(key.substr(0, 3) + key.substr(4, 6) + key.substr(11, 6), "Cl  - Cm  - Ch ")
            << key;
    }
    EXPECT_EQ(CloudGameNormalRules::codes("Cl 5 - Cm x - Ch 0"), (std::array<int, 3>{5, 10, 0}));
}

// The right answer is named by the sky's key text, and any other answer in the same form.
TEST(CloudGameNormalRulesTest, EveryChoiceIsNamedInTheFormOfTheKey) {
    const GameRules& rules = normalRules();
    for (std::size_t photo = 0; photo < 95; ++photo) {
        EXPECT_EQ(rules.rightAnswerName({std::to_string(photo)}), CloudGameNormalRules::key(photo));
    }
    EXPECT_EQ(rules.choiceName({2, 6, 1}), "Cl 2 - Cm 6 - Ch 1");
    EXPECT_EQ(rules.choiceName({x, 0, x}), "Cl x - Cm 0 - Ch x");
    EXPECT_EQ(rules.choiceLabel({x, 0, x}), "Cl x - Cm 0 - Ch x");
}

TEST(CloudGameNormalRulesTest, SkiesOfOneKeyAreOneClass) {
    const GameRules& rules = normalRules();
    EXPECT_EQ(rules.classOf({"10"}), rules.classOf({"11"}));
    EXPECT_EQ(rules.classOf({"10"}), rules.classOf({"68"}));
    EXPECT_NE(rules.classOf({"10"}), rules.classOf({"0"}));
    EXPECT_EQ(rules.classes().front(), (Choice{2, 6, 0})) << "photo 0's key comes first";
}

struct RemarkCase {
    const char* photo;
    std::vector<std::string> lines;
};

class NormalRemarkTest : public testing::TestWithParam<RemarkCase> {};

TEST_P(NormalRemarkTest, LinesGoToTheRemarkLinesInOrder) {
    EXPECT_EQ(normalRules().remarks({GetParam().photo}), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Photos, NormalRemarkTest,
    testing::Values(
        RemarkCase{"0", {"", "", ""}},
        RemarkCase{"25",
                   {"- the fairly thin patches of Altocumulus are probably due to the spreading",
                    "  out of the upper parts of the convective clouds", ""}},
        RemarkCase{"41",
                   {"- the cloud system was invading the sky",
                    "- continous veil does not reach 45 degrees above the horizon", ""}},
        RemarkCase{"69",
                   {"- Stratocumulus was not resulting from the spreading out of Cumulus",
                    "- the Altocumulus elements are continually changing in appearance",
                    "- the Cirrostratus was progressively invading the sky"}},
        RemarkCase{"93",
                   {"- the Altocumulus patches are continually changing in appearance", "", ""}},
        RemarkCase{"94", {"", "", ""}}),
    [](const testing::TestParamInfo<RemarkCase>& row) {
        return std::string("Photo") + row.param.photo;
    });

TEST(CloudGameNormalRulesTest, FortySevenPhotosCarryRemarks) {
    const GameRules& rules = normalRules();
    int withRemarks = 0;
    std::array<int, 4> byLineCount{};
    for (const PhotoId& photo : rules.allPhotos()) {
        const std::vector<std::string> lines = rules.remarks(photo);
        const auto count = std::count_if(lines.begin(), lines.end(),
                                         [](const std::string& line) { return !line.empty(); });
        withRemarks += count > 0 ? 1 : 0;
        ++byLineCount.at(static_cast<std::size_t>(count));
    }
    EXPECT_EQ(withRemarks, 47);
    EXPECT_EQ(byLineCount, (std::array<int, 4>{48, 35, 10, 2}));
}

// The easy game.

TEST(CloudGameEasyRulesTest, ThreeValuesGiveLevelTypeAndVariant) {
    const GameRules& rules = easyRules();
    ScriptedRandom random({4, 12, 1});  // level 4 mod 3 + 1 = 2, type 12 mod 9 + 1 = 4, variant 2
    GameRound round(rules, random);
    EXPECT_TRUE(round.drawNextPhoto().empty());
    EXPECT_EQ(round.photo(), (PhotoId{"2", "4", "2"}));
    EXPECT_EQ(round.fileName(), "cm4_2.bmp");
    std::vector<bool> flags(27, false);
    flags[9 + 3] = true;
    EXPECT_EQ(round.answerFlags(), flags);
    EXPECT_EQ(round.wrongAnswerText(), "error; Cm 4");
}

TEST(CloudGameEasyRulesTest, TheVariantPlaysNoPartInJudging) {
    const GameRules& rules = easyRules();
    ScriptedRandom random({1, 3, 0, 1, 3, 2});  // cm4_1, then cm4_3
    GameRound round(rules, random);
    std::vector<std::uint16_t> cm4(27, 0);
    cm4[9 + 3] = 1;
    round.drawNextPhoto();
    EXPECT_EQ(round.judge(cm4), GameRound::Verdict::Right);
    round.drawNextPhoto();
    EXPECT_EQ(round.fileName(), "cm4_3.bmp");
    EXPECT_EQ(round.judge(cm4), GameRound::Verdict::Right);
    std::vector<std::uint16_t> cm5(27, 0);
    cm5[9 + 4] = 1;
    EXPECT_EQ(round.judge(cm5), GameRound::Verdict::Wrong);
}

TEST(CloudGameEasyRulesTest, AFaultyGeneratorFallsBackToTheFirstPhoto) {
    const GameRules& rules = easyRules();
    ScriptedRandom random({-1, 0, 0});  // a negative level is not drawn
    GameRound round(rules, random);
    EXPECT_EQ(round.drawNextPhoto(), std::vector<IndexCheck>{IndexCheck::Unknown});
    EXPECT_EQ(round.photo(), (PhotoId{"1", "1", "1"}));
    EXPECT_EQ(rules.checkIndices({"4", "1", "1"}), IndexCheck::OutOfRange);
    EXPECT_EQ(rules.checkIndices({"1", "10", "1"}), IndexCheck::OutOfRange);
    EXPECT_EQ(rules.checkIndices({"1", "1", "5"}), IndexCheck::OutOfRange);
    EXPECT_EQ(rules.checkIndices({"0", "1", "1"}), IndexCheck::OutOfRange);
}

TEST(CloudGameEasyRulesTest, OnlyTheButtonsOfThePhotosLevelAreOffered) {
    const GameRules& rules = easyRules();
    std::vector<int> offered;
    for (int button = 0; button < 27; ++button) {
        if (rules.offersButton({"2", "4", "3"}, button)) {
            offered.push_back(button);
        }
    }
    EXPECT_EQ(offered, (std::vector<int>{9, 10, 11, 12, 13, 14, 15, 16, 17}));
    EXPECT_EQ(rules.choiceName({9 + 3}), "Cm 4");
    EXPECT_EQ(rules.choiceName({26}), "Ch 9");
    EXPECT_EQ(CloudGameEasyRules::level({"unknown", "1", "1"}), 0);
}

struct EasyRemarkCase {
    PhotoId photo;
    std::vector<std::string> lines;
};

class EasyRemarkTest : public testing::TestWithParam<EasyRemarkCase> {};

TEST_P(EasyRemarkTest, TheFirstMatchingRuleGivesTheLines) {
    EXPECT_EQ(easyRules().remarks(GetParam().photo), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Photos, EasyRemarkTest,
    testing::Values(
        EasyRemarkCase{{"1", "7", "3"}, {"- classify the fractus", ""}},
        EasyRemarkCase{{"2", "1", "3"}, {"- not the Stratocumulus", ""}},
        EasyRemarkCase{{"2", "1", "1"}, {"", ""}},
        EasyRemarkCase{{"2", "2", "1"}, {"- not the fractus", ""}},
        EasyRemarkCase{{"2", "2", "2"}, {"", ""}},
        EasyRemarkCase{{"2", "5", "4"},
                       {"- progressively invading the sky", "- generally thicken as a whole"}},
        EasyRemarkCase{
            {"3", "3", "1"},
            {"- remains of the upper part of Cumulonimbus", "- note: as seen from aircraft"}},
        EasyRemarkCase{{"3", "3", "4"}, {"- remains of the upper part of Cumulonimbus", ""}},
        EasyRemarkCase{
            {"3", "4", "2"},
            {"- progressively invading the sky", "- generally become denser as a whole"}},
        EasyRemarkCase{
            {"3", "6", "1"},
            {"- progressively invading the sky", "- generally growing denser as a whole"}},
        EasyRemarkCase{{"3", "8", "2"}, {"- not progressively invading the sky", ""}},
        EasyRemarkCase{{"3", "9", "2"}, {"", ""}}),
    [](const testing::TestParamInfo<EasyRemarkCase>& row) {
        const PhotoId& photo = row.param.photo;
        return "Level" + photo[0] + "Type" + photo[1] + "Variant" + photo[2];
    });

}  // namespace
}  // namespace nimbara
