// What a game dialog tells a round listener, and when: the start at the first show, each judged
// answer before the next photo is drawn and before any box, the score before the final box, the
// end of a round left early; and nothing at all without a listener.
#include "tests/games/gamedialogtest.h"

#include <gtest/gtest.h>

namespace nimbara {
namespace {

// Keeps every call as a line, with the round's state at the time of the call.
class ListenerLog final : public RoundListener {
public:
    const TGameDlg* dialog = nullptr;
    const test::MessageBoxRecorder* boxes = nullptr;
    std::vector<std::string> lines;
    std::vector<JudgedAnswer> answers;

    void roundStarted(const std::string& game, bool practice) override {
        lines.push_back("started " + game + (practice ? " practice" : "") + state());
    }
    void answerJudged(const JudgedAnswer& answer) override {
        answers.push_back(answer);
        lines.push_back("answer " + answer.photo + (answer.correct ? " right" : " wrong") +
                        state());
    }
    void roundFinished(int percent, const std::string& rating) override {
        lines.push_back("finished " + std::to_string(percent) + " " + rating + state());
    }
    void roundAbandoned() override { lines.push_back("abandoned" + state()); }

private:
    // The photo on show and the boxes shown so far.
    std::string state() const {
        return " on " + dialog->round().fileName() + ", " + std::to_string(boxes->boxes().size()) +
               " boxes";
    }
};

class RoundListenerTest : public test::GameDialogTest {
protected:
    RoundListenerTest() {
        QStringList names;
        for (int photo = 0; photo < 18; ++photo) {
            names << QString("ice%1.bmp").arg(photo);
        }
        writePhotos("ice", names);
        log.boxes = &boxes;
    }
    std::unique_ptr<TGameDlg> openWithLog(bool practice = false) {
        std::unique_ptr<TGameDlg> dialog = createGameDialog(
            ice, nullptr, blockFor(ice), dir.path(),
            std::make_unique<test::ScriptedRandom>(std::deque<std::int64_t>{4, 7, 9}, 10), nullptr,
            {.listener = &log, .practice = practice});
        log.dialog = dialog.get();
        EXPECT_TRUE(showAndSettle(*dialog));
        return dialog;
    }

    const GameDefinition& ice = test::game("ice1");
    ListenerLog log;
};

TEST_F(RoundListenerTest, EachAnswerIsToldBeforeItsBoxAndTheNextPhoto) {
    auto dialog = openWithLog(true);
    answer(*dialog, {4});  // ice4.bmp is photo 4: its own button is right
    answer(*dialog, {0});
    EXPECT_EQ(log.lines, (std::vector<std::string>{"started ice1 practice on ice4.bmp, 0 boxes",
                                                   "answer ice4.bmp right on ice4.bmp, 0 boxes",
                                                   "answer ice7.bmp wrong on ice7.bmp, 0 boxes"}));
    ASSERT_EQ(log.answers.size(), 2u);
    const GameRules& rules = *ice.rules;
    EXPECT_EQ(log.answers[1].rightAnswer, rules.rightAnswerName({"7"}));
    EXPECT_EQ(log.answers[1].givenAnswer, rules.choiceName({0}));
    EXPECT_EQ(log.answers[1].givenAnswer, "bery bit");
    EXPECT_EQ(boxes.boxes().size(), 1u) << "the wrong answer's box came after";
    dialog->reject();
    EXPECT_EQ(log.lines.back(), "abandoned on ice9.bmp, 1 boxes");
}

TEST_F(RoundListenerTest, TheScoreIsToldBeforeTheFinalBoxAndTheEndOnlyOnce) {
    auto dialog = openWithLog();
    for (int photo = 0; photo < GameRound::kRoundLength; ++photo) {
        answer(*dialog, {std::stoi(dialog->round().photo().front())});
    }
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(log.lines.size(), 12u);
    EXPECT_EQ(log.lines.back().substr(0, 20), "finished 100 (expert");
    EXPECT_NE(log.lines.back().find(", 0 boxes"), std::string::npos) << log.lines.back();
    EXPECT_EQ(boxes.texts(), QStringList{"100 % correct classified (expert)"});
    dialog.reset();
    EXPECT_EQ(log.lines.size(), 12u) << "closing a finished round tells nothing more";
}

TEST_F(RoundListenerTest, ADialogDestroyedInARoundAbandonsItAndAnIncompleteAnswerIsNoAnswer) {
    auto dialog = openWithLog();
    dialog->control<QPushButton>(IdOk)->click();  // nothing checked: the reminder
    EXPECT_EQ(log.answers.size(), 0u);
    dialog.reset();
    EXPECT_EQ(log.lines.back().substr(0, 9), "abandoned");
    EXPECT_EQ(log.lines.size(), 2u);
}

TEST_F(RoundListenerTest, WithoutAListenerTheRoundPlaysAsEver) {
    auto dialog = open(ice, {4, 7, 9}, 10);
    EXPECT_EQ(dialog->reporting().listener, nullptr);
    answer(*dialog, {4});
    answer(*dialog, {0});
    dialog->reject();
    EXPECT_EQ(dialog->round().askedCount(), 3);
    EXPECT_TRUE(log.lines.empty());
}

}  // namespace
}  // namespace nimbara
