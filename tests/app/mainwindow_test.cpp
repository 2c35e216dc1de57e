#include "app/tmyapp.h"
#include "app/tmywindow.h"
#include "games/core/gamecatalogue.h"
#include "games/photoarea.h"
#include "games/tgamedlg.h"
#include "games/ticegamedlg.h"
#include "help/viewer/helpviewer.h"
#include "platform/tdecoratedframe.h"
#include "platform/tstatusbar.h"
#include "resources/resourceids.h"
#include "tests/support/widgettest.h"
#include "tests/support/windowsysteminput.h"
#include "tests/support/windowwatch.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <cctype>

namespace nimbara {
namespace {

using namespace std::chrono_literals;

// The texts of a menu's entries; separators as "-", popups as "text >".
QStringList entries(const QMenu* menu) {
    QStringList result;
    for (const QAction* action : menu->actions()) {
        result << (action->isSeparator() ? QString("-")
                   : action->menu()      ? action->text() + " >"
                                         : action->text());
    }
    return result;
}

QAction* findAction(const QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

// The command that starts the game with importId.
int commandOf(std::string_view importId) {
    return findGame(importId)->commandId;
}

class MainWindowTest : public test::WidgetTest {
protected:
    MainWindowTest() {
        dir.writeFile("TEXT/DESKTOPM.TXT", "\n");  // the default picture, which is absent
        frame = createMainFrame();
        frame->showMaximisedAlways();
        EXPECT_TRUE(test::waitUntilExposed(*frame));
    }
    ~MainWindowTest() override {
        frame->hide();
        frame.reset();
        HelpViewer::closeAll();
    }

    TMyWindow* window() const { return qobject_cast<TMyWindow*>(frame->client()); }
    QMenu* popup(int position) const { return frame->popupAt(position); }
    QMenu* cloudPopup(int level) const {
        return popup(kInfoPopupPosition)->actions()[level]->menu();
    }
    QString hint(QAction* action) const { return frame->menuBuilder().hintFor(action); }
    // The one question that guards every way of quitting.
    test::RecordedBox quitQuestion() const {
        return test::RecordedBox::ownedBy(window(), "Do you want to quit Nimbara", "Quit",
                                          MbIcon::Question, MbButtons::YesNo);
    }

    test::SettingGuard instantDissolve{&PhotoArea::dissolveDuration,
                                       &PhotoArea::setDissolveDuration, 0ms};
    std::unique_ptr<TDecoratedFrame> frame;
};

TEST_F(MainWindowTest, TheFrameIsTitledDecoratedAndMaximised) {
    EXPECT_EQ(frame->windowTitle(), "Nimbara");
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(frame->windowIcon().isNull());
    auto* status = qobject_cast<TStatusBar*>(frame->statusBar());
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->capsPane()->text(), "CAPS");
    EXPECT_EQ(status->numPane()->text(), "NUM");
    EXPECT_EQ(status->scrollPane()->text(), "SCRL");
    EXPECT_FALSE(status->capsPane()->isEnabled()) << "no X keyboard here: shown as off";
    const QList<QToolBar*> bars = frame->findChildren<QToolBar*>();
    ASSERT_EQ(bars.size(), 1);
    EXPECT_TRUE(bars[0]->actions().isEmpty());
    EXPECT_EQ(frame->toolBarArea(bars[0]), Qt::TopToolBarArea);
    EXPECT_EQ(window()->applicationDirectory(), dir.path());
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MainWindowTest, AnyShowStateAskedForEndsMaximised) {
    frame->hide();
    frame->setWindowState(Qt::WindowMinimized);
    frame->showMaximisedAlways();
    EXPECT_EQ(frame->windowState(), Qt::WindowMaximized);
}

TEST_F(MainWindowTest, TheMenuBarHasTheCommandsTree) {
    QStringList titles;
    for (const QAction* action : frame->menuBar()->actions()) {
        titles << action->text();
    }
    EXPECT_EQ(titles, (QStringList{"&File", "&Options", "&Games", "&Info"}));
    EXPECT_EQ(entries(popup(0)), QStringList{"&Exit"});
    EXPECT_EQ(entries(popup(1)), (QStringList{"&Desktop new...", "D&esktop refresh"}));
    EXPECT_EQ(
        entries(popup(2)),
        (QStringList{
            "&Cloud classification (easy)", "C&loud classification (normal)", "-",
            "&Ice classification I", "Ice cl&assification II", "-",
            "Sea state classification (&EC series I)", "Sea state classification (E&C series II)",
            "Sea state classification (EC &series III)", "Sea state classification (&DW series)",
            "Sea state classification (&ORVA series)", "Sea state classification (&MO series)", "-",
            "My &progress..."}));
    const QList<QAction*> games = popup(2)->actions();
    EXPECT_EQ(MenuBuilder::commandId(games[3]), 3097);
    EXPECT_EQ(MenuBuilder::commandId(games[11]), 3099);
    EXPECT_EQ(MenuBuilder::commandId(games[6]), 3101);
}

TEST_F(MainWindowTest, TheInfoMenuGetsTheCloudPopupsAtTheTop) {
    EXPECT_EQ(entries(popup(3)), (QStringList{"Clouds &low >", "Clouds &middle >", "Clouds &high >",
                                              "-", "&Ice", "-", "&Sea state", "-", "&About..."}));
    const char* levels[] = {"Cl", "Cm", "Ch"};
    const int generalIds[] = {3301, 3316, 3331};
    for (int level = 0; level < 3; ++level) {
        QStringList expected{QString("%1 &general").arg(levels[level])};
        for (int type = 1; type <= 9; ++type) {
            expected << QString("%1 &%2").arg(levels[level]).arg(type);
        }
        EXPECT_EQ(entries(cloudPopup(level)), expected);
        for (int item = 0; item < 10; ++item) {
            EXPECT_EQ(MenuBuilder::commandId(cloudPopup(level)->actions()[item]),
                      generalIds[level] + item);
        }
    }
}

TEST_F(MainWindowTest, EveryGameIsEnabled) {
    emit popup(2)->aboutToShow();
    for (QAction* action : popup(2)->actions()) {
        EXPECT_TRUE(action->isSeparator() || action->isEnabled()) << action->text().toStdString();
    }
}

TEST_F(MainWindowTest, HintsOfTheMenus) {
    auto bar = [this](int position) { return frame->menuBar()->actions()[position]; };
    auto item = [](QMenu* menu, int position) { return menu->actions()[position]; };
    EXPECT_EQ(hint(bar(0)), "File operations");
    EXPECT_EQ(hint(item(popup(0), 0)), "Quit Nimbara");
    EXPECT_EQ(hint(bar(1)), "Options");
    EXPECT_EQ(hint(item(popup(1), 1)), "Refresh desktop");
    EXPECT_EQ(hint(bar(2)), "Test your cloud type, ice and sea state classification knowledge");
    EXPECT_EQ(hint(item(popup(2), 2)), "") << "separator";
    EXPECT_EQ(hint(item(popup(2), 8)),
              "Test your sea state classification knowledge (Environment Canada series III) ");
    EXPECT_EQ(hint(bar(3)), "") << "the Info popup starts with a popup";
    EXPECT_EQ(hint(item(popup(3), 0)), "Clouds low");
    EXPECT_EQ(hint(item(popup(3), 2)), "Clouds high");
    EXPECT_EQ(hint(item(cloudPopup(0), 0)), "Clouds low general description");
    EXPECT_EQ(hint(item(cloudPopup(1), 5)), "Clouds middle, type Cm 5");
    EXPECT_EQ(hint(item(cloudPopup(2), 9)), "Clouds high, type Ch 9");
    EXPECT_EQ(hint(item(popup(3), 8)), "About this Nimbara program");
}

TEST_F(MainWindowTest, MovingThroughAnOpenMenuShowsTheHintsInTheStatusBar) {
    QMenu* games = popup(2);
    games->popup(QPoint(100, 100));
    ASSERT_TRUE(test::waitUntilExposed(*games));
    auto moveTo = [games](int position) { test::hoverMenuItem(games, position); };
    moveTo(3);
    EXPECT_EQ(frame->statusBar()->currentMessage(),
              "Test your ice classification knowledge (first series)");
    moveTo(5);
    EXPECT_EQ(frame->statusBar()->currentMessage(), "") << "a separator clears the hint";
    moveTo(4);
    EXPECT_EQ(frame->statusBar()->currentMessage(),
              "Test your ice classification knowledge (second series)");
    games->close();
    EXPECT_TRUE(waitUntil([this] { return frame->statusBar()->currentMessage().isEmpty(); }))
        << "closing the menu clears the hint";
}

// A way of quitting: returns whether the frame let itself be closed.
struct QuitWay {
    const char* name;
    std::function<bool(TDecoratedFrame& frame)> quit;
    friend void PrintTo(const QuitWay& row, std::ostream* out) { *out << row.name; }
};

class QuitTest : public MainWindowTest, public testing::WithParamInterface<QuitWay> {};

// Every way of quitting asks the one question, each time: No keeps the program running, Yes
// closes it.
TEST_P(QuitTest, AsksEachTimeAndOnlyYesCloses) {
    EXPECT_FALSE(GetParam().quit(*frame));
    EXPECT_EQ(boxes.boxes(), std::vector<test::RecordedBox>{quitQuestion()});
    EXPECT_TRUE(frame->isVisible());
    boxes.answerNext(MbAnswer::Yes);
    EXPECT_TRUE(GetParam().quit(*frame));
    EXPECT_EQ(boxes.boxes(), (std::vector<test::RecordedBox>{quitQuestion(), quitQuestion()}));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, QuitTest,
    testing::Values(QuitWay{"CloseTheFrame",
                            [](TDecoratedFrame& frame) {
                                return frame.close() && !frame.isVisible();
                            }},
                    QuitWay{"FileExit",
                            [](TDecoratedFrame& frame) {
                                findAction(frame.popupAt(0), "&Exit")->trigger();
                                return !frame.isVisible();
                            }},
                    QuitWay{"TheWindowSystemsCloseRequest",
                            [](TDecoratedFrame& frame) {
                                QCloseEvent close;
                                QCoreApplication::sendEvent(&frame, &close);
                                return close.isAccepted();
                            }}),
    [](const testing::TestParamInfo<QuitWay>& row) { return std::string(row.param.name); });

TEST_F(MainWindowTest, ARightClickOpensTheGamesMenuAtThePointer) {
    const QPoint click(50, 60);
    QPoint opened;
    QWidget* shown = nullptr;
    test::WindowWatch popupWatch(test::WindowWatch::Kind::Popup, [&](QWidget* menu) {
        shown = menu;
        opened = menu->pos();
        menu->close();
    });
    QTest::mouseClick(window(), Qt::RightButton, {}, click);
    EXPECT_EQ(shown, popup(kGamesPopupPosition));
    EXPECT_EQ(opened, window()->mapToGlobal(click));
}

TEST_F(MainWindowTest, AnEntryChosenInTheContextMenuStartsItsGame) {
    dir.writePhoto("games/ice/ice0.bmp", Qt::red);
    QString opened;
    test::WindowWatch popupWatch(test::WindowWatch::Kind::Popup, [&](QWidget* menu) {
        test::WindowWatch modalWatch(test::WindowWatch::Kind::Modal, [&](QWidget* modal) {
            opened = modal->metaObject()->className();
            qobject_cast<QDialog*>(modal)->reject();
        });
        findAction(qobject_cast<QMenu*>(menu), "&Ice classification I")->trigger();
        menu->close();
    });
    window()->EvRButtonDown(QPoint(10, 10));  // returns when the menu has closed
    EXPECT_EQ(opened, "nimbara::TIceGameDlg");
}

struct GameCommand {
    const char* menuText;
    const char* dialogClass;
    const char* caption;
    friend void PrintTo(const GameCommand& row, std::ostream* out) { *out << row.menuText; }
};

class GamesMenuTest : public MainWindowTest, public testing::WithParamInterface<GameCommand> {};

// Each entry of the Games menu runs its own game on the launcher's block: the entry, the launch
// table and the dialog's template and series must agree.
TEST_P(GamesMenuTest, TheEntryRunsItsGameOnABlockOfOneWordPerButton) {
    QString dialogClass;
    QString caption;
    std::size_t buttons = 0;
    test::WindowWatch modalWatch(test::WindowWatch::Kind::Modal, [&](QWidget* modal) {
        auto* game = qobject_cast<TGameDlg*>(modal);
        ASSERT_NE(game, nullptr);
        dialogClass = game->metaObject()->className();
        caption = game->windowTitle();
        buttons = game->answerButtons().size();
        game->reject();
    });
    QAction* entry = findAction(popup(kGamesPopupPosition), GetParam().menuText);
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    EXPECT_EQ(dialogClass, QString("nimbara::") + GetParam().dialogClass);
    EXPECT_EQ(caption, GetParam().caption);
    const GameDefinition* game = findGameByCommand(MenuBuilder::commandId(entry));
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(window()->transferBlock(*game).size(), buttons);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, GamesMenuTest,
    testing::Values(
        GameCommand{"&Cloud classification (easy)", "TCloudGameEasyDlg",
                    "Cloud classification game (easy)"},
        GameCommand{"C&loud classification (normal)", "TCloudGameNormalDlg",
                    "Cloud classification game (normal)"},
        GameCommand{"&Ice classification I", "TIceGameDlg", "Ice classification game I"},
        GameCommand{"Ice cl&assification II", "TIceGameDlg2", "Ice classification game II"},
        GameCommand{"Sea state classification (&EC series I)", "TSeastateGameDlg",
                    "Sea state classification game (Environment Canada series I)"},
        GameCommand{"Sea state classification (E&C series II)", "TSeastateGameDlg",
                    "Sea state classification game (Environment Canada series II)"},
        GameCommand{"Sea state classification (EC &series III)", "TSeastateGameDlg",
                    "Sea state classification game (Environment Canada series III)"},
        GameCommand{"Sea state classification (&DW series)", "TSeastateGameDlg",
                    "Sea state classification game (Deutscher Wetterdienst series)"},
        GameCommand{"Sea state classification (&ORVA series)", "TSeastateGameDlg",
                    "Sea state classification game (ORVA series)"},
        GameCommand{"Sea state classification (&MO series)", "TSeastateGameDlg",
                    "Sea state classification game (Met Office series)"}),
    [](const testing::TestParamInfo<GameCommand>& row) {
        std::string name;
        for (const char c : std::string(row.param.menuText)) {
            if (std::isalnum(static_cast<unsigned char>(c))) {
                name += c;
            }
        }
        return name;
    });

TEST_F(MainWindowTest, TheSixSeriesShareOneBlockAndTheIceGamesHaveTwo) {
    const auto block = [this](std::string_view importId) {
        return window()->transferBlock(*findGame(importId)).data();
    };
    EXPECT_EQ(block("seastate-UK"), block("seastate-ORVA"));
    EXPECT_NE(block("ice1"), block("ice2"));
    EXPECT_NE(block("clouds-easy"), block("clouds-normal"));
}

// The toolbar button of a help window's action.
QWidget* viewerButton(HelpViewer* viewer, const QString& text) {
    for (QToolBar* bar : viewer->findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            if (action->text() == text) {
                return bar->widgetForAction(action);
            }
        }
    }
    return nullptr;
}

TEST_F(MainWindowTest, ARunningGameBlocksTheFrameButNoHelpWindow) {
    dir.writePhoto("games/ice/ice0.bmp", Qt::red);
    dir.copyHelpBook("ICE.CHM");
    dir.copyHelpBook("WIND.CHM");
    window()->EvCommand(CM_HELP_ICE);
    window()->EvCommand(CM_HELP_SEA_STATE);
    const QList<HelpViewer*> viewers = HelpViewer::openWindows();
    ASSERT_EQ(viewers.size(), 2);
    QPointer<HelpViewer> ice = viewers[0];
    QPointer<HelpViewer> wind = viewers[1];
    for (HelpViewer* viewer : viewers) {
        ASSERT_TRUE(test::waitUntilExposed(*viewer));
    }
    int homeClicks = 0;
    QObject::connect(qobject_cast<QAbstractButton*>(viewerButton(wind, "Home")),
                     &QAbstractButton::clicked, [&] { ++homeClicks; });
    bool gameRan = false;
    test::WindowWatch modalWatch(test::WindowWatch::Kind::Modal, [&](QWidget* modal) {
        gameRan = true;
        // The frame takes no input: its menu does not open.
        test::clickThroughWindowSystem(frame->menuBar());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        // A help window takes input, can be made the active window and closes from the keyboard.
        test::clickThroughWindowSystem(viewerButton(wind, "Home"));
        EXPECT_EQ(homeClicks, 1);
        EXPECT_TRUE(activateAndWait(*ice));
        QTest::keyClick(ice->windowHandle(), Qt::Key_W, Qt::ControlModifier);
        EXPECT_TRUE(ice.isNull() || !ice->isVisible());
        qobject_cast<QDialog*>(modal)->reject();
    });
    window()->EvCommand(commandOf("ice1"));
    ASSERT_TRUE(gameRan);
    // Closing the game leaves the other help window open and usable.
    ASSERT_FALSE(wind.isNull());
    EXPECT_TRUE(wind->isVisible());
    test::clickThroughWindowSystem(viewerButton(wind, "Home"));
    EXPECT_EQ(homeClicks, 2);
}

TEST_F(MainWindowTest, EachLaunchStartsAFreshRoundOnTheLaunchersBlock) {
    dir.writePhoto("games/ice/ice0.bmp", Qt::red);
    std::vector<std::pair<int, int>> counts;
    std::vector<int> templates;
    for (int run = 0; run < 2; ++run) {
        test::WindowWatch modalWatch(test::WindowWatch::Kind::Modal, [&](QWidget* modal) {
            auto* game = qobject_cast<TIceGameDlg*>(modal);
            ASSERT_NE(game, nullptr);
            counts.emplace_back(game->round().goodCount(), game->round().askedCount());
            templates.push_back(game->dialogTemplate().id);
            game->reject();
        });
        window()->EvCommand(commandOf("ice1"));
    }
    EXPECT_EQ(counts, (std::vector<std::pair<int, int>>{{0, 1}, {0, 1}}));
    EXPECT_EQ(templates, (std::vector<int>{8983, 8983}));
}

// The help engine cannot be loaded: every window is made while a missing library is named.
class HelpEngineMissing : public test::WidgetTest {
protected:
    HelpEngineMissing() { HtmlHelp::setEngineLibrary("nimbara-no-such-help-engine", 0); }

    test::SettingGuard instantDissolve{&PhotoArea::dissolveDuration,
                                       &PhotoArea::setDissolveDuration, 0ms};
    test::SettingGuard realEngine{[] { HtmlHelp::setEngineLibrary("mspack", 0); }};
};

TEST_F(HelpEngineMissing, EveryWindowThatOffersHelpReportsItOnceAndWorksWithoutHelp) {
    for (int photo = 0; photo < 18; ++photo) {
        dir.writePhoto(QString("games/ice/ice%1.bmp").arg(photo), Qt::red);
    }
    dir.writeFile("TEXT/DESKTOPM.TXT", "\n");
    {
        std::unique_ptr<TDecoratedFrame> frame = createMainFrame();
        const test::RecordedBox missing =
            test::RecordedBox::ownerless("Cannot use the html help", "Tolvane Error", MbIcon::Stop);
        EXPECT_EQ(boxes.boxes(), std::vector<test::RecordedBox>{missing})
            << "shown at construction, before the frame is visible";
        frame->showMaximisedAlways();
        auto* window = qobject_cast<TMyWindow*>(frame->client());
        window->EvCommand(CM_HELP_ICE);
        EXPECT_TRUE(HelpViewer::openWindows().isEmpty());
        test::WindowWatch modalWatch(test::WindowWatch::Kind::Modal, [](QWidget* modal) {
            qobject_cast<TGameDlg*>(modal)->control<QPushButton>(IdHelp)->click();
            qobject_cast<QDialog*>(modal)->reject();
        });
        window->EvCommand(commandOf("ice1"));
        EXPECT_EQ(boxes.boxes(), (std::vector<test::RecordedBox>{missing, missing}));
        EXPECT_TRUE(HelpViewer::openWindows().isEmpty());
        frame->hide();
    }
}

}  // namespace
}  // namespace nimbara
