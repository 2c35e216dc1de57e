// What holds for every game of the catalogue, each in the dialog that the Games menu runs.
#include "resources/dialogtemplates.h"
#include "tests/games/gamedialogtest.h"
#include "tests/support/gameprinters.h"

#include <QGroupBox>

#include <map>

namespace nimbara {
namespace {

using test::RecordedBox;

// What a game's boxes say, whole, and where it falls back after a failed index check.
struct BoxTexts {
    QString title;
    QString reminder;
    QString wrongToFirstPhoto;  // the wrong-answer message for the photo of the value 0
    QString missingPhotoLead;
    QString finalScoreCaption;
    QString unknownIndexError;
    QString indexRangeError;
    QString indexRangeCaption;
    PhotoId beyondTheHighest;  // a photo the second index check refuses
    // Below the application directory: the photo of the value 0 and the fallback photo after a
    // failed index check.
    QString firstPhoto;
};

const BoxTexts kIceI{"Ice classification game",
                     "Please select radio button",
                     "error;  bery bit",
                     "photo not existing (file: ",
                     "Ice classification game Final Score",
                     "internal error (ice classification game; indices(1))",
                     "internal error (ice classification game; indices(2))",
                     "Nimbara",
                     {"18"},
                     "/games/ice/ice0.bmp"};

BoxTexts seastate(const QString& firstPhoto) {
    return {"Sea state classification game",
            "Please select radio button",
            "error; Bf 0",
            "photo not present (file: ",
            "Sea state classification game Final Score",
            "internal error (seastate classification game; indices(1))",
            "internal error (seastate classification game; indices(2))",
            "Nimbara error",
            {"13"},
            firstPhoto};
}

const std::map<std::string, BoxTexts> kBoxTexts = {
    {"ice1", kIceI},
    {"ice2",
     {kIceI.title,
      kIceI.reminder,
      "error;  crack",
      kIceI.missingPhotoLead,
      kIceI.finalScoreCaption,
      kIceI.unknownIndexError,
      kIceI.indexRangeError,
      kIceI.indexRangeCaption,
      {"18"},
      "/games/ice/ice2_0.bmp"}},
    {"clouds-normal",
     {"Cloud classification game (normal)",
      "Please select radio buttons Cl and Cm and Ch",
      "error;  Cl 2 - Cm 6 - Ch 0",
      "photo not existing (file: ",
      "Cloud classification game (normal) Final Score",
      "internal error (cloud classification game [normal]; indices(1))",
      "internal error (cloud classification game [normal]; indices(2))",
      "Nimbara error",
      {"95"},
      "/games/clouds/cloud0.bmp"}},
    {"clouds-easy",
     {"Cloud classification game (easy)",
      "Please select radio button",
      "error; Cl 1",
      "photo not existing (file: ",
      "Cloud classification game (easy) Final Score",
      "internal error (cloud classification game [easy]; indices(1))",
      "internal error (cloud classification game [easy]; indices(2))",
      "Nimbara error",
      {"1", "10", "1"},
      "/games/clouds/cl1_1.bmp"}},
    {"seastate-UK", seastate("/games/seastate/Bf0.bmp")},
    {"seastate-GE", seastate("/games/seastate/Bfge0.bmp")},
    {"seastate-CA", seastate("/games/seastate/Bfca0.bmp")},
    {"seastate-CAN", seastate("/games/seastate/Bfcan0.bmp")},
    {"seastate-CANA", seastate("/games/seastate/Bfcana0.bmp")},
    {"seastate-ORVA", seastate("/games/seastate/Bforva0.bmp")},
};

// Proposes one photo, then leaves the draw to the game.
class OnePhotoFirst final : public PhotoDraw {
public:
    explicit OnePhotoFirst(PhotoId photo) : m_photo(std::move(photo)) {}
    PhotoId candidate(const GameRules& rules, RandomSource& random) const override {
        if (m_proposed) {
            return PhotoDraw::gamesOwn().candidate(rules, random);
        }
        m_proposed = true;
        return m_photo;
    }

private:
    PhotoId m_photo;
    mutable bool m_proposed = false;
};

class AllGamesTest : public test::GameDialogTest,
                     public testing::WithParamInterface<GameDefinition> {
protected:
    const BoxTexts& texts() const { return kBoxTexts.at(GetParam().importId); }
    RecordedBox missingPhoto(const QString& path) const {
        return RecordedBox::ownerless(texts().missingPhotoLead + path + ")", "Nimbara error",
                                      MbIcon::Stop);
    }

    // Checks the right answer to the photo on show or, with wrongInTheLastGroup, the next button
    // of the last group instead.
    static void checkAnswer(TGameDlg& dialog, bool wrongInTheLastGroup = false) {
        const GameRules& rules = *dialog.game().rules;
        const Choice right = rules.rightChoice(dialog.round().photo());
        int first = 0;
        for (std::size_t group = 0; group < right.size(); ++group) {
            const int size = static_cast<int>(rules.answerGroups()[group].items.size());
            const bool shift = wrongInTheLastGroup && group + 1 == right.size();
            check(dialog, {first + (right[group] + (shift ? 1 : 0)) % size});
            first += size;
        }
    }
    RecordedBox gameBox(TGameDlg& dialog, const QString& text, MbIcon icon) const {
        return RecordedBox::ownedBy(&dialog, text, texts().title, icon);
    }
};

TEST_P(AllGamesTest, WithoutPhotosEveryDrawIsReportedAndTheRoundEndsWithTheFinalScore) {
    std::unique_ptr<TGameDlg> dialog = create(GetParam(), {}, 0);
    std::vector<RecordedBox> expected{missingPhoto(dialog->photoPath())};
    ASSERT_TRUE(showAndSettle(*dialog));
    for (int photo = 0; photo < 10 && dialog->isVisible(); ++photo) {
        checkAnswer(*dialog);
        dialog->control<QPushButton>(IdOk)->click();
        if (photo < 9) {
            expected.push_back(missingPhoto(dialog->photoPath()));
        }
    }
    EXPECT_FALSE(dialog->isVisible());
    expected.push_back(RecordedBox::ownedBy(dialog.get(), "100 % correct classified (expert)",
                                            texts().finalScoreCaption, MbIcon::None));
    EXPECT_EQ(boxes.boxes(), expected);
}

TEST_P(AllGamesTest, AnIncompleteAnswerIsRemindedAndAWrongOneNamesTheRightAnswer) {
    dir.writePhoto(texts().firstPhoto.mid(1), Qt::gray);
    auto dialog = open(GetParam(), {0, 0, 0});
    dialog->control<QPushButton>(IdOk)->click();
    EXPECT_EQ(dialog->round().askedCount(), 1);
    checkAnswer(*dialog, true);
    dialog->control<QPushButton>(IdOk)->click();
    EXPECT_EQ(dialog->scoreLine()->text(), "good: 0 of 1 (total 10)");
    ASSERT_GE(boxes.boxes().size(), 2u);
    EXPECT_EQ(std::vector<RecordedBox>(boxes.boxes().begin(), boxes.boxes().begin() + 2),
              (std::vector<RecordedBox>{
                  gameBox(*dialog, texts().reminder, MbIcon::Exclamation),
                  gameBox(*dialog, texts().wrongToFirstPhoto, MbIcon::Information)}));
}

TEST_P(AllGamesTest, AnUnreadablePhotoIsReportedOnce) {
    dir.writeFile(texts().firstPhoto.mid(1), "not a bitmap");
    auto dialog = open(GetParam(), {0, 0, 0});
    EXPECT_EQ(boxes.boxes(),
              std::vector<RecordedBox>{RecordedBox::ownerless(
                  "photo not readable (file: " + dir.path() + texts().firstPhoto + ")",
                  "Nimbara error", MbIcon::Stop)});
}

TEST_P(AllGamesTest, AFaultyValueIsReportedAndTheFallbackPhotoTaken) {
    auto dialog = create(GetParam(), {-7, -7, -7});
    EXPECT_EQ(boxes.boxes(),
              (std::vector<RecordedBox>{
                  RecordedBox::ownerless(texts().unknownIndexError, "Nimbara error", MbIcon::Stop),
                  missingPhoto(dir.path() + texts().firstPhoto)}));
}

TEST_P(AllGamesTest, APhotoBeyondTheHighestGivesTheSecondBoxWithItsOwnCaption) {
    TGameDlg dialog(nullptr, GetParam(), blockFor(GetParam()), dir.path(), nullptr,
                    std::make_shared<OnePhotoFirst>(texts().beyondTheHighest));
    EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{
                                 RecordedBox::ownerless(texts().indexRangeError,
                                                        texts().indexRangeCaption, MbIcon::Stop),
                                 missingPhoto(dir.path() + texts().firstPhoto)}));
}

TEST_P(AllGamesTest, TheDialogIsOfItsClassAndHasEveryControlTheGameAddresses) {
    std::unique_ptr<TGameDlg> dialog = create(GetParam(), {});
    EXPECT_EQ(dialog->metaObject()->className(), "nimbara::" + GetParam().dialogClass);
    const GameLayout& layout = GetParam().layout;
    std::vector<int> radioIds;
    for (const ControlTemplate& control : dialog->dialogTemplate().controls) {
        if (control.kind == ControlKind::AutoRadioButton) {
            radioIds.push_back(control.id);
        }
    }
    EXPECT_EQ(radioIds, layout.answerButtonIds());
    EXPECT_EQ(dialog->answerButtons().size(), radioIds.size());
    EXPECT_EQ(dialog->remarkLines().size(), layout.remarks.ids.size());
    EXPECT_EQ(dialog->scoreLine(), dialog->control<QLabel>(layout.score.lineId));
    EXPECT_EQ(dialog->scoreLine()->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    for (const QRadioButton* button : dialog->answerButtons()) {
        EXPECT_TRUE(test::textFits(button)) << button->text().toStdString();
    }
}

TEST_P(AllGamesTest, ItsTemplateIsTheProgramsResource) {
    std::unique_ptr<TGameDlg> dialog = create(GetParam(), {});
    const DialogTemplate& resource = dialogTemplate(GetParam().templateId);
    const DialogTemplate& own = dialog->dialogTemplate();
    EXPECT_EQ(own.caption, resource.caption);
    ASSERT_EQ(own.controls.size(), resource.controls.size());
    for (std::size_t k = 0; k < own.controls.size(); ++k) {
        EXPECT_EQ(own.controls[k].id, resource.controls[k].id);
        EXPECT_EQ(own.controls[k].text, resource.controls[k].text);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, AllGamesTest, testing::ValuesIn(gameCatalogue()),
                         [](const auto& row) { return test::gameRowName(row); });

TEST(GameTemplateTest, OnlyATemplateOfOneGameCarriesItsCaption) {
    EXPECT_EQ(dialogTemplate(8983).caption, "Ice classification game I");
    EXPECT_EQ(dialogTemplate(8987).caption, "Cloud classification game (normal)");
    EXPECT_EQ(dialogTemplate(8985).caption, "") << "the six sea-state series share it";
}

TEST(GameTemplateTest, ADialogWhoseLayoutDoesNotFitItsRulesRefusesToBeBuilt) {
    GameDefinition mismatched = test::game("seastate-UK");
    mismatched.rules = test::game("ice1").rules;  // 18 buttons in a layout of 13
    std::array<std::uint16_t, 18> block{};
    EXPECT_THROW(TGameDlg(nullptr, mismatched, block, QString()), std::logic_error);
}

}  // namespace
}  // namespace nimbara
