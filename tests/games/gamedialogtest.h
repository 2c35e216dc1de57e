#pragma once

#include "games/core/gamecatalogue.h"
#include "games/gamedialogfactory.h"
#include "games/photoarea.h"
#include "games/tgamedlg.h"
#include "tests/support/scriptedrandom.h"
#include "tests/support/widgettest.h"

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

// The game of the catalogue with importId.
inline const GameDefinition& game(std::string_view importId) {
    const GameDefinition* found = findGame(importId);
    if (found == nullptr) {
        throw std::invalid_argument("no game " + std::string(importId));
    }
    return *found;
}

// A game dialog in a temporary application directory, with its boxes recorded, the dissolve
// instant and the photos drawn from a script.
class GameDialogTest : public WidgetTest {
protected:
    // Creates a dialog of the class game names, whose draws take the scripted values, then values
    // counting up from after, on the launcher's block.
    std::unique_ptr<TGameDlg> create(const GameDefinition& game, std::deque<std::int64_t> draws,
                                     std::int64_t after = 0) {
        return createGameDialog(game, nullptr, blockFor(game), dir.path(),
                                std::make_unique<ScriptedRandom>(std::move(draws), after));
    }
    // create, then shows the dialog and waits until its first photo is on screen.
    std::unique_ptr<TGameDlg> open(const GameDefinition& game, std::deque<std::int64_t> draws,
                                   std::int64_t after = 0) {
        std::unique_ptr<TGameDlg> dialog = create(game, std::move(draws), after);
        EXPECT_TRUE(showAndSettle(*dialog));
        return dialog;
    }
    // Shows dialog and waits until the window system put it on screen and the repaints that
    // asked for ran.
    static bool showAndSettle(TGameDlg& dialog) {
        return showAndWait(dialog) &&
               waitUntil([&dialog] { return dialog.pendingRepaints() == 0; });
    }
    // Hides dialog and shows it again, as when a window covered it whole.
    static void reshow(TGameDlg& dialog) {
        EXPECT_TRUE(hideAndWait(dialog));
        EXPECT_TRUE(showAndSettle(dialog));
    }
    // The launcher's block for game: one word per answer button.
    std::span<std::uint16_t> blockFor(const GameDefinition& game) {
        return std::span(block).first(static_cast<std::size_t>(game.rules->answerButtonCount()));
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

    SettingGuard instantDissolve{&PhotoArea::dissolveDuration, &PhotoArea::setDissolveDuration,
                                 std::chrono::milliseconds(0)};
    // The launcher's block; a game uses one word per answer button.
    std::array<std::uint16_t, 33> block{};
};

}  // namespace nimbara::test
