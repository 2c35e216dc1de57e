#include "games/core/gamecatalogue.h"

#include <gtest/gtest.h>

namespace nimbara {
namespace {

const GameRules& iceGame1Rules() {
    return *findGame("ice1")->rules;
}
const GameRules& iceGame2Rules() {
    return *findGame("ice2")->rules;
}

struct PhotoCase {
    const GameRules& (*game)();
    std::string photo;
    std::string wrongAnswer;
    std::vector<std::string> remarks;
    friend void PrintTo(const PhotoCase& row, std::ostream* out) {
        *out << row.game().fileName({row.photo});
    }
};

class IceGameTableTest : public testing::TestWithParam<PhotoCase> {};

TEST_P(IceGameTableTest, WrongAnswerTextAndRemarkLines) {
    const PhotoCase& c = GetParam();
    const GameRules& rules = c.game();
    EXPECT_EQ(rules.wrongAnswerText({c.photo}), c.wrongAnswer);
    EXPECT_EQ(rules.remarks({c.photo}), c.remarks);
}

INSTANTIATE_TEST_SUITE_P(
    Photos, IceGameTableTest,
    testing::Values(
        PhotoCase{
            iceGame1Rules,
            "0",
            "error;  bery bit",
            {"- less than 5 m above sea-level but more than 1 m", "- about 100-300 sq. m in area"}},
        PhotoCase{iceGame1Rules, "1", "error;  brash ice", {"", ""}},
        PhotoCase{iceGame1Rules, "4", "error;  grey ice ", {"- 10-15 cm thick", ""}},
        PhotoCase{iceGame1Rules,
                  "13",
                  "error;  shuga",
                  {"- accumulation of spongy white ice lumps, a few centimetres across",
                   "- note: not the pancakes"}},
        PhotoCase{iceGame1Rules, "15", "error;  small floes", {"- pieces 20-100 m across", ""}},
        PhotoCase{iceGame1Rules, "17", "error;  thin first-year ice", {"- 30-70 cm thick", ""}},
        PhotoCase{iceGame2Rules,
                  "4",
                  "error;  glacier",
                  {"- general term of a mass of snow and ice continuously moving from higher",
                   "to lower ground"}},
        PhotoCase{iceGame2Rules, "5", "error;  hummock", {"", ""}},
        PhotoCase{iceGame2Rules,
                  "8",
                  "error;  lead",
                  {"- passegeway through sea ice which is navigable by vessels", ""}},
        PhotoCase{iceGame2Rules,
                  "17",
                  "error;  very open pack ice",
                  {"- concentration of pack ice is 1/10 to 3/10", ""}}),
    [](const testing::TestParamInfo<PhotoCase>& row) {
        return std::string(row.param.game == iceGame1Rules ? "IceI_" : "IceII_") + "Photo" +
               row.param.photo;
    });

TEST(IceGameTables, PhotosWithoutRemarksHaveBothLinesEmpty) {
    const GameRules& first = iceGame1Rules();
    for (const char* photo : {"1", "3", "8", "10", "12", "14"}) {
        EXPECT_EQ(first.remarks({photo}), (std::vector<std::string>{"", ""})) << photo;
    }
    const GameRules& second = iceGame2Rules();
    for (const char* photo : {"1", "2", "5", "12", "13", "15"}) {
        EXPECT_EQ(second.remarks({photo}), (std::vector<std::string>{"", ""})) << photo;
    }
}

TEST(IceGameTables, BothGamesShareFolderAndTextsButNotFileNames) {
    const GameRules& first = iceGame1Rules();
    const GameRules& second = iceGame2Rules();
    EXPECT_EQ(first.fileName({"3"}), "ice3.bmp");
    EXPECT_EQ(second.fileName({"3"}), "ice2_3.bmp");
    EXPECT_EQ(findGame("ice1")->photoFolder, "\\games\\ice\\");
    EXPECT_EQ(findGame("ice2")->photoFolder, findGame("ice1")->photoFolder);
    EXPECT_EQ(second.texts().title, "Ice classification game");
    EXPECT_EQ(first.texts().missingPhotoLead, "photo not existing (file: ");
    EXPECT_EQ(first.texts().indexRangeCaption, "Nimbara");
    EXPECT_EQ(first.texts().unknownIndexCaption, "Nimbara error");
}

// A class is named as the wrong-answer message names it, or as its button reads.
struct ClassNameCase {
    const char* name;
    const GameRules& (*game)();
    int button;
    std::string answerName;
    std::string buttonLabel;
};

class IceClassNameTest : public testing::TestWithParam<ClassNameCase> {};

TEST_P(IceClassNameTest, TheAnswerNameStandsBesideTheButtonLabel) {
    const GameRules& rules = GetParam().game();
    EXPECT_EQ(rules.choiceName({GetParam().button}), GetParam().answerName);
    EXPECT_EQ(rules.choiceLabel({GetParam().button}), GetParam().buttonLabel);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, IceClassNameTest,
    testing::Values(ClassNameCase{"IceI_BergyBit", iceGame1Rules, 0, "bery bit", "bergy bit"},
                    ClassNameCase{"IceI_GreyIce", iceGame1Rules, 4, "grey ice ", "grey"},
                    ClassNameCase{"IceI_Nilas", iceGame1Rules, 11, "nilas", "nilas"},
                    ClassNameCase{"IceII_VeryOpenPack", iceGame2Rules, 17, "very open pack ice",
                                  "very open pack"}),
    [](const testing::TestParamInfo<ClassNameCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace nimbara
