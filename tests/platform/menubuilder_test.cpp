#include "platform/menubuilder.h"
#include "tests/support/waits.h"
#include "tests/support/windowsysteminput.h"
#include "tests/support/windowwatch.h"

#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace nimbara {
namespace {

const std::map<int, QString> kStrings = {
    {99, "popup P"}, {100, "item A"}, {102, "item C "}, {105, "item G"}};

class MenuBuilderTest : public testing::Test {
protected:
    MenuBuilderTest()
        : builder({[](int id) { return kStrings.count(id) ? kStrings.at(id) : QString(); },
                   [this](int id) { run.push_back(id); },
                   [](int id) { return id != 101 && id != 105; }}) {
        builder.fillMenuBar(&bar, menu);
    }

    QMenu* popup(int position) { return bar.actions().at(position)->menu(); }
    QAction* item(QMenu* in, int position) { return in->actions().at(position); }

    const MenuTemplate menu = {
        {"&P",
         0,
         {{"&A", 100, {}},
          menuSeparator(),
          {"&B", 101, {}},
          {"&Sub", 0, {{"&C", 102, {}}, {"&D", 103, {}}}},
          menuSeparator(),
          {"&G", 105, {}}}},
        {"&Q", 0, {menuSeparator(), {"&E", 104, {}}}},
    };
    std::vector<int> run;
    MenuBuilder builder;
    QMenuBar bar;
};

TEST_F(MenuBuilderTest, BuildsTheTreeWithTextsAndIds) {
    ASSERT_EQ(bar.actions().size(), 2);
    EXPECT_EQ(bar.actions()[0]->text(), "&P");
    ASSERT_EQ(popup(0)->actions().size(), 6);
    EXPECT_EQ(MenuBuilder::commandId(item(popup(0), 0)), 100);
    EXPECT_TRUE(item(popup(0), 1)->isSeparator());
    EXPECT_EQ(item(popup(0), 3)->menu()->title(), "&Sub");
    EXPECT_EQ(MenuBuilder::commandId(item(popup(0), 3)), 0);
}

TEST_F(MenuBuilderTest, HintsFollowTheStringTable) {
    EXPECT_EQ(builder.hintFor(item(popup(0), 0)), "item A");
    EXPECT_EQ(builder.hintFor(item(popup(0), 1)), "") << "separator";
    EXPECT_EQ(builder.hintFor(item(popup(0), 2)), "") << "id without string";
    EXPECT_EQ(builder.hintFor(bar.actions()[0]), "popup P") << "first item's id minus one";
    EXPECT_EQ(builder.hintFor(item(popup(0), 3)), "") << "string 101 does not exist";
    EXPECT_EQ(builder.hintFor(bar.actions()[1]), "") << "first item is a separator";
    EXPECT_EQ(item(popup(0), 0)->statusTip(), "item A");
    EXPECT_EQ(item(item(popup(0), 3)->menu(), 0)->statusTip(), "item C ") << "blanks kept";
}

TEST_F(MenuBuilderTest, InsertingAPopupAtTheTopTakesThePopupsHintAway) {
    QMenu* inserted = builder.insertPopup(popup(0), 0, "&New", {{"&F", 100, {}}});
    EXPECT_EQ(popup(0)->actions().first(), inserted->menuAction());
    EXPECT_EQ(inserted->menuAction()->statusTip(), "popup P");
    EXPECT_EQ(bar.actions()[0]->statusTip(), "") << "its first item is a popup now";
}

TEST_F(MenuBuilderTest, CommandsRunAndAreEnabledWhenTheirMenuOpens) {
    item(popup(0), 0)->trigger();
    EXPECT_EQ(run, std::vector<int>{100});
    EXPECT_TRUE(item(popup(0), 2)->isEnabled());
    emit popup(0)->aboutToShow();
    EXPECT_FALSE(item(popup(0), 2)->isEnabled());
    EXPECT_TRUE(item(popup(0), 0)->isEnabled());
}

// Records the hints that the menus send towards their bar.
class HintRecorder : public QObject {
public:
    explicit HintRecorder(QWidget* target) { target->installEventFilter(this); }
    QString last;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::StatusTip) {
            last = static_cast<QStatusTipEvent*>(event)->tip();
        }
        return QObject::eventFilter(watched, event);
    }
};

TEST_F(MenuBuilderTest, AGreyedItemHighlightsAndShowsItsHint) {
    QMenu* open = popup(0);
    HintRecorder hints(open);
    open->popup(QPoint(50, 50));  // aboutToShow greys item G, which has no handler
    ASSERT_TRUE(test::waitUntilExposed(*open));
    ASSERT_FALSE(item(open, 5)->isEnabled());
    test::hoverMenuItem(open, 5);
    EXPECT_EQ(open->activeAction(), item(open, 5));
    EXPECT_EQ(hints.last, "item G");
    test::hoverMenuItem(open, 0);
    EXPECT_EQ(hints.last, "item A");
    // The keyboard stops on the greyed item too: up from the first item wraps round to it.
    QTest::keyClick(open, Qt::Key_Up);
    EXPECT_EQ(open->activeAction(), item(open, 5));
    EXPECT_EQ(hints.last, "item G");
    QTest::keyClick(open, Qt::Key_Return);
    EXPECT_TRUE(run.empty()) << "choosing a greyed item does nothing";
    open->close();
}

}  // namespace
}  // namespace nimbara
