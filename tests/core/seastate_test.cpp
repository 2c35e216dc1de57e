#include "games/core/gameround.h"
#include "games/core/seastategame.h"
#include "tests/support/scriptedrandom.h"

#include <gtest/gtest.h>

#include <set>

namespace nimbara {
namespace {

using test::ScriptedRandom;

struct SeriesCase {
    std::string code;
    int photoCount;
    std::string firstFile;
    std::string lastFile;
};

class SeaStateSeriesTest : public testing::TestWithParam<SeriesCase> {};

// The rules of the sea-state game on the series of code.
std::shared_ptr<const GameRules> seastateRules(const std::string& code) {
    return seastateGame(code).rules;
}

TEST_P(SeaStateSeriesTest, TheCodeChoosesHowManyForcesAndTheirFiles) {
    const std::shared_ptr<const GameRules> held = seastateRules(GetParam().code);
    const GameRules& rules = *held;
    EXPECT_EQ(rules.photoCount(), GetParam().photoCount);
    const std::vector<PhotoId> photos = rules.allPhotos();
    EXPECT_EQ(rules.fileName(photos.front()), GetParam().firstFile);
    EXPECT_EQ(rules.fileName(photos.back()), GetParam().lastFile);
    // Thirteen buttons and the bound of the second index check stay, whatever the series.
    EXPECT_EQ(rules.answerButtonCount(), 13);
    EXPECT_EQ(rules.checkIndices({"12"}), IndexCheck::Ok);
    EXPECT_EQ(rules.checkIndices({"13"}), IndexCheck::OutOfRange);
}

TEST_P(SeaStateSeriesTest, ARoundNeverDrawsAForceBeyondTheSeries) {
    const std::shared_ptr<const GameRules> held = seastateRules(GetParam().code);
    const GameRules& rules = *held;
    ScriptedRandom random({}, 0);  // 0, 1, 2, ...: every remainder comes up in turn
    GameRound round(rules, random);
    std::set<int> forces;
    for (int i = 0; i < rules.photoCount(); ++i) {
        round.drawNextPhoto();
        forces.insert(std::stoi(round.photo().front()));
    }
    EXPECT_EQ(static_cast<int>(forces.size()), GetParam().photoCount);
    EXPECT_EQ(*forces.rbegin(), GetParam().photoCount - 1);
}

INSTANTIATE_TEST_SUITE_P(Series, SeaStateSeriesTest,
                         testing::Values(SeriesCase{"UK", 13, "Bf0.bmp", "Bf12.bmp"},
                                         SeriesCase{"GE", 13, "Bfge0.bmp", "Bfge12.bmp"},
                                         SeriesCase{"CA", 12, "Bfca0.bmp", "Bfca11.bmp"},
                                         SeriesCase{"CAN", 11, "Bfcan0.bmp", "Bfcan10.bmp"},
                                         SeriesCase{"CANA", 11, "Bfcana0.bmp", "Bfcana10.bmp"},
                                         SeriesCase{"ORVA", 13, "Bforva0.bmp", "Bforva12.bmp"},
                                         SeriesCase{"ca", 13, "0.bmp", "12.bmp"},
                                         SeriesCase{"", 13, "0.bmp", "12.bmp"}),
                         [](const testing::TestParamInfo<SeriesCase>& row) {
                             return row.param.code.empty() ? std::string("Empty")
                                                           : "Code" + row.param.code;
                         });

TEST(SeaStateSeriesTest, CaptionsNameTheSeriesAndUnknownCodesHaveNone) {
    EXPECT_EQ(seastateGame("GE").caption,
              "Sea state classification game (Deutscher Wetterdienst series)");
    EXPECT_EQ(seastateGame("CANA").caption,
              "Sea state classification game (Environment Canada series III)");
    EXPECT_EQ(findSeastateSeries("UK "), nullptr);
    EXPECT_EQ(findSeastateSeries("uk"), nullptr);
    const GameDefinition unknown = seastateGame("uk");
    EXPECT_EQ(unknown.caption, "");
    EXPECT_EQ(unknown.importId, "");
    EXPECT_EQ(unknown.templateId, seastateGame("UK").templateId);
}

TEST(SeaStateRulesTest, AWrongAnswerNamesTheForceAfterOneBlank) {
    const std::shared_ptr<const GameRules> held = seastateRules("UK");
    const GameRules& rules = *held;
    EXPECT_EQ(rules.wrongAnswerText({"7"}), "error; Bf 7");
    EXPECT_EQ(rules.texts().missingPhotoLead, "photo not present (file: ");
    EXPECT_EQ(rules.texts().indexRangeCaption, "Nimbara error");
}

TEST(SeaStateRulesTest, ANeighbouringForceIsWrong) {
    const std::shared_ptr<const GameRules> rules = seastateRules("CA");
    ScriptedRandom random({7});
    GameRound round(*rules, random);
    round.drawNextPhoto();
    std::vector<std::uint16_t> six(13, 0);
    six[6] = 1;
    EXPECT_EQ(round.judge(six), GameRound::Verdict::Wrong);
    EXPECT_EQ(round.goodCount(), 0);
}

TEST(SeaStateRulesTest, AShortSeriesHasNoClassBeyondItsPhotos) {
    const std::shared_ptr<const GameRules> rules = seastateRules("CAN");
    EXPECT_EQ(rules->answerButtonCount(), 13);
    ASSERT_EQ(rules->classes().size(), 11u) << "Bf 11 and Bf 12 are offered but never right";
    EXPECT_EQ(rules->choiceName(rules->classes().back()), "Bf 10");
    EXPECT_EQ(rules->choiceName({12}), "Bf 12");
}

TEST(SeaStateRulesTest, TheRemarkLineIsTheBeaufortDescription) {
    const std::shared_ptr<const GameRules> held = seastateRules("ORVA");
    const GameRules& rules = *held;
    EXPECT_EQ(rules.remarks({"0"}), std::vector<std::string>{"Sea like a mirror"});
    EXPECT_EQ(
        rules.remarks({"4"}),
        std::vector<std::string>{"Small waves, becoming longer; fairly frequent white horses"});
    EXPECT_EQ(rules.remarks({"12"}),
              std::vector<std::string>{"The air is filled with foam and spray; sea completely "
                                       "white with driving spray; visibility very seriously "
                                       "affected"});
}

}  // namespace
}  // namespace nimbara
