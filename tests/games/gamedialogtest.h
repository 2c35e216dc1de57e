#pragma once

#include "games/photoarea.h"
#include "games/tgamedlg.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/scriptedrandom.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace nimbara::test {

// Whether a radio button's text is drawn whole in the room the style leaves beside its indicator.
inline bool textFits(const QRadioButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
    return button->fontMetrics().horizontalAdvance(button->text()) <= contents.width();
}

// A game dialog in a temporary application directory, with its boxes recorded, the dissolve
// instant and the photos drawn from a script.
class GameDialogTest : public testing::Test {
protected:
    GameDialogTest() { PhotoArea::setDissolveDuration(std::chrono::milliseconds(0)); }
    ~GameDialogTest() override { PhotoArea::setDissolveDuration(std::chrono::milliseconds(1000)); }

    // Lets the window system's events and the repaints they queue run.
    static void settle() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
    }
    static void reshow(QDialog& dialog) {
        dialog.hide();
        settle();
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        settle();
    }

    // Creates and shows a game dialog on template templateId whose draws take the scripted
    // values, then values counting up from after. extra are the game's own arguments (the
    // series code) before the generator.
    template <typename Dialog, typename... Extra>
    std::unique_ptr<Dialog> open(int templateId, std::deque<std::int64_t> draws,
                                 std::int64_t after = 0, Extra... extra) {
        auto dialog = std::make_unique<Dialog>(
            nullptr, templateId, std::span(block).first(blockSize), dir.path(), extra...,
            std::make_unique<ScriptedRandom>(std::move(draws), after));
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        settle();
        return dialog;
    }

    // Writes photos of a plain colour under games/<folder>/ by file name.
    void writePhotos(const QString& folder, const QStringList& names) {
        int shade = 0;
        for (const QString& name : names) {
            dir.writePhoto("games/" + folder + "/" + name, QColor(20 * shade++ % 256, 90, 160));
        }
    }

    // Clicks the answer buttons, by their place in button order.
    static void check(TGameDlg& dialog, std::initializer_list<int> buttons) {
        for (const int button : buttons) {
            dialog.answerButtons().at(static_cast<std::size_t>(button))->click();
        }
    }
    // Clicks the answer buttons, then OK.
    static void answer(TGameDlg& dialog, std::initializer_list<int> buttons) {
        check(dialog, buttons);
        dialog.control<QPushButton>(IdOk)->click();
    }
    static QColor shownColour(const TGameDlg& dialog, int x = 200, int y = 125) {
        return dialog.photoArea()->content().pixelColor(x, y);
    }
    static QStringList remarkTexts(const TGameDlg& dialog) {
        QStringList texts;
        for (const QLabel* line : dialog.remarkLines()) {
            texts << line->text();
        }
        return texts;
    }
    static QStringList checkedButtons(const TGameDlg& dialog) {
        QStringList checked;
        for (const QRadioButton* button : dialog.answerButtons()) {
            if (button->isChecked()) {
                checked << button->text();
            }
        }
        return checked;
    }

    AppDirFixture dir;
    MessageBoxRecorder boxes;
    // The launcher's block; the games use its first blockSize words.
    std::array<std::uint16_t, 33> block{};
    std::size_t blockSize = 33;
};

}  // namespace nimbara::test
