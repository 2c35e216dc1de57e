#include "hyperlink/thlinkctrl.h"
#include "platform/tdialog.h"
#include "resources/resourceids.h"
#include "tests/hyperlink/rowname.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/urlrecorder.h"
#include "tests/support/waits.h"
#include "tests/support/windowwatch.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

namespace nimbara {
namespace {

const QColor kBlue(0, 0, 255);
const QColor kPurple(128, 0, 128);
const QColor kRed(255, 0, 0);
const QString kUrl = "https://links.example.org/start";

constexpr unsigned kLinkStyle = EsReadOnly | EsAutoScroll | WsExTransparent;

// Links of every alignment, one narrower than its text, one without text, and an OK button.
const DialogTemplate& linkTemplate() {
    static const DialogTemplate templ{
        4712,
        "Links",
        0,
        0,
        240,
        130,
        "DejaVu Sans",
        8,
        {
            {ControlKind::Edit, 501, "Centred link", 20, 10, 200, 12, kLinkStyle | EsCenter},
            {ControlKind::Edit, 502, "Right link", 20, 28, 200, 12, kLinkStyle | EsRight},
            {ControlKind::Edit, 503, "Left link", 20, 46, 200, 12, kLinkStyle},
            {ControlKind::Edit, 504, "A link whose text is wider than its field", 20, 64, 40, 12,
             kLinkStyle | EsCenter},
            {ControlKind::Edit, 505, "", 20, 82, 200, 12, kLinkStyle | EsCenter},
            {ControlKind::DefPushButton, 1, "OK", 95, 108, 50, 14, WsTabStop},
        },
    };
    return templ;
}

// The state colours painted where the link is: exact pixels of blue, purple and red.
std::set<QRgb> paintedStateColours(QWidget* dialog, QWidget* link) {
    const QImage image = dialog->grab(link->geometry()).toImage();
    std::set<QRgb> found;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            for (const QColor& colour : {kBlue, kPurple, kRed}) {
                if (pixel == colour.rgb()) {
                    found.insert(pixel);
                }
            }
        }
    }
    return found;
}

class LinkControlTest : public testing::Test {
protected:
    LinkControlTest() {
        for (int id = 501; id <= 505; ++id) {
            links.push_back(new THLinkCtrl(&dialog, id));
        }
    }

    // Shows the dialog with the pointer off the links, wherever an earlier test left it: a
    // window shown under the pointer would start with the link under it in hover.
    void show() {
        QCursor::setPos(0, 0);
        ASSERT_TRUE(test::showAndWait(dialog));
        pointAway();
    }
    THLinkCtrl* link(int id) const { return links[static_cast<std::size_t>(id - 501)]; }
    void pointAt(QWidget* widget) { QTest::mouseMove(widget, widget->rect().center()); }
    void pointAway() { QTest::mouseMove(&dialog, QPoint(2, 2)); }
    // Clicks target and waits until what the click posted has run.
    void click(THLinkCtrl* target) {
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        EXPECT_TRUE(test::waitForPostedEvents());
    }

    test::UrlRecorder browser;
    test::MessageBoxRecorder boxes;
    TDialog dialog{nullptr, linkTemplate()};
    std::vector<THLinkCtrl*> links;
};

TEST_F(LinkControlTest, TakesThePlaceTextAndStylesOfItsTemplateControl) {
    const DialogUnits& units = dialog.units();
    EXPECT_EQ(dialog.control(501), link(501));
    EXPECT_EQ(link(501)->geometry(), units.toPixels(20, 10, 200, 12));
    EXPECT_EQ(link(501)->text(), "Centred link");
    EXPECT_TRUE(link(501)->isReadOnly());
    EXPECT_EQ(link(501)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(link(502)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), 5) << "the built edits are gone";
    EXPECT_EQ(link(501)->linkState(), THLinkCtrl::Normal);
    EXPECT_EQ(link(501)->linkUrl(), "");
}

TEST_F(LinkControlTest, AnIdWithoutControlIsRefused) {
    EXPECT_THROW(THLinkCtrl(&dialog, 999), std::invalid_argument);
    EXPECT_EQ(dialog.findChildren<THLinkCtrl*>().size(), 5u);
}

// Each step acts on the centred link and names the state and colour that follow.
TEST_F(LinkControlTest, StatesAndColoursFollowThePointerAndTheOpens) {
    THLinkCtrl* target = link(501);
    target->SetLinkURL(kUrl);
    show();
    struct Step {
        const char* name;
        std::function<void()> act;
        THLinkCtrl::LinkState state;
        QColor colour;
        qsizetype opened;
    };
    const std::vector<Step> steps = {
        {"a fresh link", [] {}, THLinkCtrl::Normal, kBlue, 0},
        {"the pointer enters", [&] { pointAt(target); }, THLinkCtrl::Hover, kRed, 0},
        {"the pointer leaves", [&] { pointAway(); }, THLinkCtrl::Normal, kBlue, 0},
        {"a click under the pointer",
         [&] {
             pointAt(target);
             click(target);
         },
         THLinkCtrl::Hover, kPurple, 1},
        {"the pointer leaves the opened link", [&] { pointAway(); }, THLinkCtrl::Visited, kPurple,
         1},
        {"the pointer enters a visited link", [&] { pointAt(target); }, THLinkCtrl::Hover, kPurple,
         1},
        {"a second click", [&] { click(target); }, THLinkCtrl::Hover, kPurple, 2},
        {"the pointer leaves again", [&] { pointAway(); }, THLinkCtrl::Visited, kPurple, 2},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        EXPECT_EQ(target->linkState(), step.state);
        EXPECT_EQ(target->textColour(), step.colour);
        EXPECT_EQ(paintedStateColours(&dialog, target), std::set<QRgb>{step.colour.rgb()});
        EXPECT_EQ(browser.opened().size(), step.opened);
    }
    EXPECT_EQ(browser.opened().value(0), QUrl(kUrl));
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(LinkControlTest, AFailedOpenKeepsTheLinkBlueButItsHoverTurnsPurple) {
    THLinkCtrl* target = link(501);
    target->SetLinkURL("http://[no-such-host");
    show();
    pointAt(target);
    click(target);
    EXPECT_TRUE(browser.opened().isEmpty());
    EXPECT_EQ(target->textColour(), kPurple);
    pointAway();
    EXPECT_EQ(target->linkState(), THLinkCtrl::Normal);
    EXPECT_EQ(target->textColour(), kBlue);
    EXPECT_FALSE(target->visited());
    EXPECT_TRUE(boxes.boxes().empty()) << "a failed open shows no message";
}

TEST_F(LinkControlTest, TheOpenWaitsUnderTheWaitCursorAndAfterTheClick) {
    THLinkCtrl* target = link(501);
    target->SetLinkURL(kUrl);
    show();
    std::optional<Qt::CursorShape> during;
    browser.onOpen([&] {
        if (const QCursor* cursor = QGuiApplication::overrideCursor()) {
            during = cursor->shape();
        }
    });
    QTest::mousePress(target, Qt::LeftButton, {}, target->rect().center());
    EXPECT_TRUE(browser.opened().isEmpty()) << "the open is posted, not run inside the click";
    QTest::mouseRelease(target, Qt::LeftButton, {}, target->rect().center());
    ASSERT_TRUE(test::waitForPostedEvents());
    EXPECT_EQ(browser.opened().size(), 1);
    EXPECT_EQ(during, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(LinkControlTest, WithoutHoverTrackingThePointerChangesNothing) {
    THLinkCtrl* target = link(501);
    target->setHoverTracking(false);
    show();
    pointAt(target);
    EXPECT_EQ(target->linkState(), THLinkCtrl::Normal);
    EXPECT_EQ(target->textColour(), kBlue);
}

TEST_F(LinkControlTest, TheTextIsUnderlinedUnlessSwitchedOff) {
    THLinkCtrl* target = link(503);
    show();
    auto bluePixelsInRow = [&](int row) {
        const QImage image = dialog.grab(target->geometry()).toImage();
        int count = 0;
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, row) == kBlue.rgb() ? 1 : 0;
        }
        return count;
    };
    auto longestBlueRow = [&] {
        int longest = 0;
        for (int row = 0; row < target->height(); ++row) {
            longest = std::max(longest, bluePixelsInRow(row));
        }
        return longest;
    };
    const int textWidth = target->fontMetrics().horizontalAdvance(target->text());
    EXPECT_GE(longestBlueRow(), textWidth - 2) << "an unbroken line under the text";
    target->setUnderline(false);
    EXPECT_LT(longestBlueRow(), textWidth / 2);
}

TEST_F(LinkControlTest, TheHandCursorPointsWithItsFingertipAtTheHotSpot) {
    const QCursor cursor = link(501)->cursor();
    ASSERT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(8, 3));
    const QImage hand = cursor.pixmap().toImage();
    ASSERT_EQ(hand.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(hand.pixel(8, 3)), 255) << "the fingertip is at the hot spot";
    EXPECT_EQ(qAlpha(hand.pixel(8, 0)), 0) << "nothing above the fingertip";
    EXPECT_EQ(qAlpha(hand.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(hand.pixel(15, 22)), 255) << "the hand itself";
}

TEST_F(LinkControlTest, AnEmptyTextBecomesTheUrlAndATextStays) {
    link(505)->SetLinkURL(kUrl);
    EXPECT_EQ(link(505)->text(), kUrl);
    link(501)->SetLinkURL(kUrl);
    EXPECT_EQ(link(501)->text(), "Centred link");
    EXPECT_EQ(link(501)->linkUrl(), kUrl);
}

TEST(LinkWithoutParent, TakesItsUrlAndTextButKeepsItsSize) {
    THLinkCtrl link;
    link.setGeometry(10, 10, 400, 20);
    link.SetLinkURL(kUrl);
    EXPECT_EQ(link.text(), kUrl);
    EXPECT_EQ(link.linkUrl(), kUrl);
    EXPECT_EQ(link.geometry(), QRect(10, 10, 400, 20));
}

TEST_F(LinkControlTest, WithoutAutoSizeTheLinkKeepsItsSize) {
    const QRect before = link(501)->geometry();
    link(501)->setAutoSize(false);
    link(501)->SetLinkURL(kUrl);
    EXPECT_EQ(link(501)->geometry(), before);
}

enum class Keeps { Centre, RightEdge, LeftEdge, Everything };

struct FitRow {
    const char* name;
    int id;
    Keeps keeps;
};

class LinkFitTest : public LinkControlTest, public testing::WithParamInterface<FitRow> {};

TEST_P(LinkFitTest, SetLinkUrlShrinksTheLinkToItsTextKeepingItsAlignment) {
    THLinkCtrl* target = link(GetParam().id);
    const QRect before = target->geometry();
    const int textWidth = target->fontMetrics().horizontalAdvance(target->text());
    target->SetLinkURL(kUrl);
    const QRect after = target->geometry();
    EXPECT_EQ(after.top(), before.top());
    EXPECT_EQ(after.height(), before.height());
    switch (GetParam().keeps) {
        case Keeps::Everything:
            ASSERT_GT(textWidth, before.width());
            EXPECT_EQ(after, before) << "a link never grows";
            return;
        case Keeps::Centre:
            EXPECT_LE(std::abs((after.left() + after.width() / 2.0) -
                               (before.left() + before.width() / 2.0)),
                      1.0);
            break;
        case Keeps::RightEdge:
            EXPECT_EQ(after.left() + after.width(), before.left() + before.width());
            break;
        case Keeps::LeftEdge:
            EXPECT_EQ(after.left(), before.left());
            break;
    }
    EXPECT_GE(after.width(), textWidth) << "the text fits";
    EXPECT_LE(after.width(), textWidth + 8) << "and little more";
    show();
    EXPECT_EQ(paintedStateColours(&dialog, target), std::set<QRgb>{kBlue.rgb()});
}

INSTANTIATE_TEST_SUITE_P(Alignments, LinkFitTest,
                         testing::Values(FitRow{"centred", 501, Keeps::Centre},
                                         FitRow{"right_aligned", 502, Keeps::RightEdge},
                                         FitRow{"left_aligned", 503, Keeps::LeftEdge},
                                         FitRow{"narrower_than_its_text", 504, Keeps::Everything}),
                         test::rowName<FitRow>);

TEST_F(LinkControlTest, TheLinkTakesTheFocusFromTabNotFromAClick) {
    show();
    ASSERT_TRUE(test::activateAndWait(dialog));
    QWidget* ok = dialog.control(IdOk);
    EXPECT_EQ(QApplication::focusWidget(), ok) << "the box opens with OK focused";
    click(link(501));
    EXPECT_EQ(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), link(501));
}

struct KeyRow {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

class LinkKeyTest : public LinkControlTest, public testing::WithParamInterface<KeyRow> {};

TEST_P(LinkKeyTest, OpensTheFocusedLink) {
    THLinkCtrl* target = link(501);
    target->SetLinkURL(kUrl);
    show();
    ASSERT_TRUE(test::activateAndWait(dialog));
    target->setFocus(Qt::TabFocusReason);
    QTest::keyClick(target, GetParam().key, GetParam().modifiers);
    ASSERT_TRUE(test::waitForPostedEvents());
    EXPECT_EQ(browser.opened(), QList<QUrl>{QUrl(kUrl)});
    EXPECT_EQ(target->linkState(), THLinkCtrl::Visited);
    EXPECT_TRUE(dialog.isVisible()) << "the key does not reach the dialog's default button";
}

INSTANTIATE_TEST_SUITE_P(Keys, LinkKeyTest,
                         testing::Values(KeyRow{"return", Qt::Key_Return, Qt::NoModifier},
                                         KeyRow{"keypad_enter", Qt::Key_Enter, Qt::KeypadModifier},
                                         KeyRow{"space", Qt::Key_Space, Qt::NoModifier}),
                         test::rowName<KeyRow>);

TEST_F(LinkControlTest, ScreenReadersSeeALinkNamedByItsText) {
    THLinkCtrl* target = link(505);
    target->SetLinkURL(kUrl);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(target);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Link);
    EXPECT_EQ(accessible->text(QAccessible::Name), kUrl) << "the text, here taken from the URL";
    EXPECT_EQ(QAccessible::queryAccessibleInterface(link(501))->text(QAccessible::Name),
              "Centred link");
    EXPECT_EQ(accessible->text(QAccessible::Description), kUrl);
    EXPECT_FALSE(accessible->state().traversed);
    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->actionNames(), (QStringList{QAccessibleActionInterface::pressAction(),
                                                   QAccessibleActionInterface::showMenuAction()}));
    actions->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(test::waitForPostedEvents());
    EXPECT_EQ(browser.opened(), QList<QUrl>{QUrl(kUrl)});
    EXPECT_TRUE(accessible->state().traversed);
}

// Where the popup menu opens, for each way of asking for it.
struct MenuRequestRow {
    const char* name;
    std::function<void(THLinkCtrl*)> request;
    QPoint expected;  // in the link's coordinates
};

class LinkMenuPlaceTest : public LinkControlTest,
                          public testing::WithParamInterface<MenuRequestRow> {};

TEST_P(LinkMenuPlaceTest, OpensThePopupMenuThere) {
    THLinkCtrl* target = link(503);
    show();
    QPoint opened;
    test::WindowWatch watch(test::WindowWatch::Kind::Popup, [&](QWidget* menu) {
        opened = menu->pos();
        menu->close();
    });
    GetParam().request(target);
    EXPECT_TRUE(watch.acted());
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(opened, target->mapToGlobal(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, LinkMenuPlaceTest,
    testing::Values(
        MenuRequestRow{"right_click",
                       [](THLinkCtrl* link) {
                           // Through the window system, which turns the press into a menu request.
                           QTest::mouseClick(link->window()->windowHandle(), Qt::RightButton, {},
                                             link->mapTo(link->window(), QPoint(12, 4)));
                       },
                       QPoint(12, 4)},
        MenuRequestRow{"context_menu_key",
                       [](THLinkCtrl* link) {
                           QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(0, 0),
                                                     link->mapToGlobal(QPoint(0, 0)));
                           QCoreApplication::sendEvent(link, &request);
                       },
                       QPoint(5, 5)},
        MenuRequestRow{
            "shift_f10",
            [](THLinkCtrl* link) { QTest::keyClick(link, Qt::Key_F10, Qt::ShiftModifier); },
            QPoint(5, 5)},
        MenuRequestRow{"show_menu_action",
                       [](THLinkCtrl* link) {
                           QAccessible::queryAccessibleInterface(link)->actionInterface()->doAction(
                               QAccessibleActionInterface::showMenuAction());
                           EXPECT_TRUE(test::waitForPostedEvents());
                       },
                       QPoint(5, 5)}),
    test::rowName<MenuRequestRow>);

TEST_F(LinkControlTest, TheMenuLeavesTheHoverAndCanBeSwitchedOff) {
    THLinkCtrl* target = link(503);
    show();
    pointAt(target);
    ASSERT_EQ(target->linkState(), THLinkCtrl::Hover);
    THLinkCtrl::LinkState during = THLinkCtrl::Hover;
    {
        test::WindowWatch watch(test::WindowWatch::Kind::Popup, [&](QWidget* menu) {
            during = target->linkState();
            menu->close();
        });
        target->ShowContextMenu(-1, -1);
    }
    EXPECT_EQ(during, THLinkCtrl::Normal);
    target->setContextMenuEnabled(false);
    target->ShowContextMenu(-1, -1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

}  // namespace
}  // namespace nimbara
