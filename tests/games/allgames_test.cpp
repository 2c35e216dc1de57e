// What holds for every game dialog the Games menu can run.
#include "app/gamelaunch.h"
#include "games/core/icegame1.h"
#include "games/tcloudgameeasydlg.h"
#include "games/tcloudgamenormaldlg.h"
#include "games/ticegamedlg.h"
#include "games/tseastategamedlg.h"
#include "resources/dialogtemplates.h"
#include "resources/gamecontrols.h"
#include "resources/resourceids.h"
#include "tests/games/gamedialogtest.h"

#include <QButtonGroup>

#include <set>

namespace nimbara {

inline void PrintTo(const GameLaunch& row, std::ostream* out) {
    *out << row.dialogClass << ' ' << row.seriesCode;
}

namespace {

std::string rowName(const testing::TestParamInfo<GameLaunch>& row) {
    return std::string(row.param.dialogClass).substr(1) + row.param.seriesCode;
}

class AllGamesTest : public test::GameDialogTest, public testing::WithParamInterface<GameLaunch> {
protected:
    std::unique_ptr<TGameDlg> create() {
        std::unique_ptr<QDialog> dialog =
            GetParam().create(nullptr, GetParam().templateId, block, dir.path(),
                              QString::fromLatin1(GetParam().seriesCode));
        return std::unique_ptr<TGameDlg>(qobject_cast<TGameDlg*>(dialog.release()));
    }

    // Checks the first enabled button of each group of answer buttons.
    static void checkAGuess(TGameDlg& dialog) {
        std::set<QButtonGroup*> answered;
        for (QRadioButton* button : dialog.answerButtons()) {
            if (button->isEnabled() && answered.insert(button->group()).second) {
                button->click();
            }
        }
    }
};

TEST_P(AllGamesTest, WithoutPhotosEveryDrawIsReportedAndTheRoundEndsWithTheFinalScore) {
    std::unique_ptr<TGameDlg> dialog = create();
    ASSERT_NE(dialog, nullptr);
    QStringList photoPaths{dialog->photoPath()};
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    for (int photo = 0; photo < 10 && dialog->isVisible(); ++photo) {
        checkAGuess(*dialog);
        dialog->control<QPushButton>(IdOk)->click();
        if (dialog->isVisible()) {
            photoPaths << dialog->photoPath();
        }
    }
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(photoPaths.size(), 10);
    QStringList missing;
    for (const test::RecordedBox& box : boxes.boxes()) {
        if (box.caption == "Nimbara error") {
            missing << box.text;
        }
    }
    ASSERT_EQ(missing.size(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(missing[i].endsWith(" (file: " + photoPaths[i] + ")"))
            << missing[i].toStdString();
    }
    EXPECT_EQ(boxes.boxes().back().caption.right(12), " Final Score");
    EXPECT_EQ(boxes.boxes().back().text.left(2).toInt() % 10, 0);
}

TEST_P(AllGamesTest, TheTemplateHasEveryControlTheGameAddressesAndNoOtherAnswers) {
    const GameControls& ids = gameControls(GetParam().templateId);
    const DialogTemplate& templ = dialogTemplate(GetParam().templateId);
    std::vector<int> radioIds;
    for (const ControlTemplate& control : templ.controls) {
        if (control.kind == ControlKind::AutoRadioButton) {
            radioIds.push_back(control.id);
        }
    }
    EXPECT_EQ(radioIds, ids.answerButtonIds);
    std::unique_ptr<TGameDlg> dialog = create();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->answerButtons().size(), ids.answerButtonIds.size());
    EXPECT_EQ(dialog->remarkLines().size(), ids.remarkLineIds.size());
    EXPECT_EQ(dialog->scoreLine(), dialog->control<QLabel>(ids.scoreLineId));
    EXPECT_EQ(dialog->scoreLine()->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    for (const QRadioButton* button : dialog->answerButtons()) {
        EXPECT_TRUE(test::textFits(button)) << button->text().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(GamesMenu, AllGamesTest, testing::ValuesIn(gameLaunchTable()), rowName);

TEST(GameTemplateTest, ADialogWhoseTemplateDoesNotFitItsRulesRefusesToBeBuilt) {
    std::array<std::uint16_t, 18> block{};
    EXPECT_THROW(TGameDlg(nullptr, IDD_SEASTATE_GAME, block, QString(),
                          std::make_unique<SingleGroupRules>(iceGame1Rules()), nullptr),
                 std::logic_error);
}

// The first index check, for a generator that gives a value out of range.
struct IndexCase {
    const char* name;
    std::function<std::unique_ptr<TGameDlg>(std::span<std::uint16_t>, const QString&,
                                            std::unique_ptr<RandomSource>)>
        create;
    QString text;
    QString fallbackFile;
    friend void PrintTo(const IndexCase& row, std::ostream* out) { *out << row.name; }
};

class IndexCheckTest : public test::GameDialogTest,
                       public testing::WithParamInterface<IndexCase> {};

TEST_P(IndexCheckTest, AFaultyValueIsReportedAndTheFallbackPhotoTaken) {
    auto random = std::make_unique<test::ScriptedRandom>(std::deque<std::int64_t>{-7, -7, -7});
    std::unique_ptr<TGameDlg> dialog = GetParam().create(block, dir.path(), std::move(random));
    ASSERT_GE(boxes.boxes().size(), 1u);
    const test::RecordedBox& box = boxes.boxes()[0];
    EXPECT_EQ(box.text, GetParam().text);
    EXPECT_EQ(box.caption, "Nimbara error");
    EXPECT_EQ(box.icon, MbIcon::Stop);
    EXPECT_FALSE(box.hadOwner);
    EXPECT_TRUE(dialog->photoPath().endsWith(GetParam().fallbackFile));
}

template <typename Dialog>
auto dialogOn(int templateId) {
    return [templateId](std::span<std::uint16_t> block, const QString& directory,
                        std::unique_ptr<RandomSource> random) -> std::unique_ptr<TGameDlg> {
        return std::make_unique<Dialog>(nullptr, templateId, block, directory, std::move(random));
    };
}

INSTANTIATE_TEST_SUITE_P(
    Games, IndexCheckTest,
    testing::Values(
        IndexCase{"Ice", dialogOn<TIceGameDlg>(IDD_ICE_GAME_I),
                  "internal error (ice classification game; indices(1))", "/ice0.bmp"},
        IndexCase{"CloudsNormal", dialogOn<TCloudGameNormalDlg>(IDD_CLOUD_GAME_NORMAL),
                  "internal error (cloud classification game [normal]; indices(1))", "/cloud0.bmp"},
        IndexCase{"CloudsEasy", dialogOn<TCloudGameEasyDlg>(IDD_CLOUD_GAME_EASY),
                  "internal error (cloud classification game [easy]; indices(1))", "/cl1_1.bmp"},
        IndexCase{"SeaState",
                  [](std::span<std::uint16_t> block, const QString& directory,
                     std::unique_ptr<RandomSource> random) -> std::unique_ptr<TGameDlg> {
                      return std::make_unique<TSeastateGameDlg>(nullptr, IDD_SEASTATE_GAME, block,
                                                                directory, "UK", std::move(random));
                  },
                  "internal error (seastate classification game; indices(1))", "/Bf0.bmp"}),
    [](const testing::TestParamInfo<IndexCase>& row) { return std::string(row.param.name); });

// Rules whose draw can come up with photos beyond the highest one the game has.
class TooManyPhotosRules final : public NumberedPhotoRules {
public:
    TooManyPhotosRules() : NumberedPhotoRules(iceGameTexts(), {20, 17, "ice", 2, {}}) {}
    int answerFlagCount() const override { return 18; }
    int answerButtonCount() const override { return 18; }
    std::optional<Choice> chooseAnswer(std::span<const std::uint16_t> block) const override {
        return chooseOneButton(block, 18);
    }
    bool isRight(const Choice& choice, const std::vector<bool>& flags) const override {
        return chosenFlagSet(choice, flags);
    }
    std::string answerName(const std::vector<bool>&) const override { return "ice"; }
};

TEST_F(IndexCheckTest, APhotoBeyondTheHighestGivesTheSecondBoxWithItsOwnCaption) {
    TGameDlg dialog(nullptr, IDD_ICE_GAME_I, std::span(block).first(18), dir.path(),
                    std::make_unique<TooManyPhotosRules>(),
                    std::make_unique<test::ScriptedRandom>(std::deque<std::int64_t>{19}));
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "internal error (ice classification game; indices(2))");
    EXPECT_EQ(boxes.boxes()[0].caption, "Nimbara");
    EXPECT_EQ(boxes.boxes()[0].icon, MbIcon::Stop);
    EXPECT_FALSE(boxes.boxes()[0].hadOwner);
    EXPECT_EQ(dialog.photoPath(), dir.path() + "/games/ice/ice0.bmp");
}

}  // namespace
}  // namespace nimbara
