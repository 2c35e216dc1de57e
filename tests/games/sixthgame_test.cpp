// A game that the program does not have, defined here in one definition and its rules alone,
// played for a whole round in the shared game dialog on the template built from its definition.
#include "games/core/numberedphotorules.h"
#include "tests/games/gamedialogtest.h"

#include <QButtonGroup>

namespace nimbara {
namespace {

using test::RecordedBox;

// Fog: each photo is answered with how far one sees and what kind of fog it is.
const std::vector<Choice> kFogKey = {{0, 0}, {0, 1}, {1, 2}, {2, 3}, {1, 0}, {2, 1},
                                     {0, 2}, {1, 3}, {2, 0}, {0, 3}, {1, 1}, {2, 2}};

class FogRules final : public NumberedPhotoRules {
public:
    FogRules()
        : NumberedPhotoRules(
              {
                  .title = "Fog game",
                  .finalScoreCaption = "Fog game Final Score",
                  .reminder = "Please select both",
                  .wrongAnswerLead = "error: ",
                  .unknownIndexError = "internal error (fog; indices(1))",
                  .unknownIndexCaption = "Fog error",
                  .indexRangeError = "internal error (fog; indices(2))",
                  .indexRangeCaption = "Fog error",
                  .missingPhotoLead = "no fog photo (file: ",
                  .unreadablePhotoLead = "unreadable fog photo (file: ",
                  .photoErrorCaption = "Fog error",
              },
              {{{{"under 200 m", "< 200 m"},
                 {"200 to 500 m", "200-500 m"},
                 {"over 500 m", "> 500 m"}}},
               {{{"radiation fog", "radiation"},
                 {"advection fog", "advection"},
                 {"steam fog", "steam"},
                 {"upslope fog", "upslope"}}}},
              {.photoCount = 12,
               .highestPhotoIndex = 11,
               .filePrefix = "fog",
               .remarkLineCount = 1,
               .remarks = {{"3", {"- over the mountain side"}}}}) {}

    Choice rightChoice(const PhotoId& photo) const override {
        return kFogKey.at(static_cast<std::size_t>(number(photo)));
    }
};

GameDefinition fogGame() {
    return {
        .importId = "fog",
        .dialogClass = "",
        .caption = "Fog classification",
        .commandId = 3199,
        .menuText = "&Fog classification",
        .menuPlace = {.section = 3, .position = 0},
        .hint = "Test your fog classification knowledge",
        .templateId = 9001,
        .layout =
            {
                .answerBoxes = {{.title = "Visibility",
                                 .id = -1,
                                 .rect = {323, 20, 150, 60},
                                 .columns = {{2001, 3, 333, 70}}},
                                {.title = "Kind",
                                 .id = -1,
                                 .rect = {323, 85, 150, 100},
                                 .columns = {{2004, 4, 333, 70}}}},
                .score = {.rect = {323, 200, 150, 36}, .lineId = 2010, .lineWidth = 141},
                .remarks = {.ids = {2011}, .tops = {180}, .width = 268, .height = 20},
            },
        .photoFolder = "\\games\\fog\\",
        .rules = std::make_shared<FogRules>(),
    };
}

class SixthGameTest : public test::GameDialogTest {};

TEST_F(SixthGameTest, PlaysAWholeRoundInTheSharedDialogOnItsOwnTemplate) {
    const GameDefinition fog = fogGame();
    for (const std::string& name : fog.photoFileNames()) {
        dir.writePhoto(QString::fromStdString(fog.photoFolderPath() + "/" + name), Qt::gray);
    }
    QFile::remove(dir.absolute("games/fog/fog3.bmp"));
    std::array<std::uint16_t, 7> launcherBlock{};
    TGameDlg dialog(nullptr, fog, launcherBlock, dir.path(),
                    std::make_unique<test::ScriptedRandom>(std::deque<std::int64_t>{}, 0));
    ASSERT_TRUE(showAndSettle(dialog));
    EXPECT_EQ(dialog.windowTitle(), "Fog classification");
    EXPECT_EQ(checkedButtons(dialog), QStringList{});
    QStringList labels;
    for (const QRadioButton* button : dialog.answerButtons()) {
        labels << button->text();
    }
    EXPECT_EQ(labels, (QStringList{"< 200 m", "200-500 m", "> 500 m", "radiation", "advection",
                                   "steam", "upslope"}));
    EXPECT_NE(dialog.answerButtons()[0]->group(), dialog.answerButtons()[3]->group())
        << "each answer group is a group of radio buttons of its own";

    answer(dialog, {0});         // photo 0 with no kind: incomplete
    answer(dialog, {3});         // photo 0: under 200 m, radiation fog: right
    answer(dialog, {1, 3});      // photo 1 is under 200 m, advection fog
    answer(dialog, {1, 3 + 2});  // photo 2: 200 to 500 m, steam fog: right
    EXPECT_EQ(remarkTexts(dialog), QStringList{"- over the mountain side"});
    for (int photo = 3; photo < 10; ++photo) {  // the rest right
        const Choice right = kFogKey.at(static_cast<std::size_t>(photo));
        answer(dialog, {right[0], 3 + right[1]});
    }
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(
        boxes.boxes(),
        (std::vector<RecordedBox>{
            RecordedBox::ownedBy(&dialog, "Please select both", "Fog game", MbIcon::Exclamation),
            RecordedBox::ownedBy(&dialog, "error: under 200 m - advection fog", "Fog game",
                                 MbIcon::Information),
            RecordedBox::ownerless("no fog photo (file: " + dir.path() + "/games/fog/fog3.bmp)",
                                   "Fog error", MbIcon::Stop),
            RecordedBox::ownedBy(&dialog, "90 % correct classified (intermediate)",
                                 "Fog game Final Score", MbIcon::None)}));
}

TEST_F(SixthGameTest, NamesAnyChoiceInTheFormOfItsRightAnswer) {
    const GameDefinition fog = fogGame();
    EXPECT_EQ(fog.rules->rightAnswerName({"5"}), "over 500 m - advection fog");
    EXPECT_EQ(fog.rules->choiceName({1, 3}), "200 to 500 m - upslope fog");
    EXPECT_EQ(fog.rules->choiceLabel({1, 3}), "200-500 m - upslope");
    EXPECT_EQ(fog.rules->classes().size(), 12u);
}

}  // namespace
}  // namespace nimbara
