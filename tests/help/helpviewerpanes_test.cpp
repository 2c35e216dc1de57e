// The viewer's Index and Search tabs, find in page, text size, print and keys, on the fixture
// books: TESTBOOK (contents, index, pages "Start" and "Second"), OTHER (index, no contents) and
// PLAIN (neither).
#include "help/book/helpsearch.h"
#include "help/viewer/helpbrowser.h"
#include "help/viewer/helpfindbar.h"
#include "help/viewer/helpindexpane.h"
#include "help/viewer/helpsearchpane.h"
#include "help/viewer/helpviewer.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/testchm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::kShelf;

using test::fixture;

QStringList texts(const QTreeWidget* list, int column = 0) {
    QStringList result;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        result << list->topLevelItem(row)->text(column);
    }
    return result;
}

class HelpViewerPanesTest : public testing::Test {
protected:
    void SetUp() override { HelpSearch::forgetIndexes(); }
    void TearDown() override { HelpViewer::closeAll(); }

    // Opens a book in a viewer that is the active window, so that its keys work.
    HelpViewer* open(const QString& book = "TESTBOOK.CHM") {
        HelpViewer* viewer = HelpViewer::open(fixture(book), kShelf);
        viewer->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(viewer));
        return viewer;
    }
    static QString page(HelpViewer* viewer) {
        const auto where = HelpLocation::fromUrl(viewer->browser()->source());
        if (!where) {
            return "<none>";
        }
        return QFileInfo(where->book).fileName() + ':' + where->page +
               (where->fragment.isEmpty() ? QString() : '#' + where->fragment);
    }
    static QStringList visibleTabs(HelpViewer* viewer) {
        QStringList tabs;
        for (int tab = 0; tab < viewer->navigation()->count(); ++tab) {
            if (viewer->navigation()->isTabVisible(tab)) {
                tabs << viewer->navigation()->tabText(tab);
            }
        }
        return tabs;
    }
    static HelpIndexPane* showIndex(HelpViewer* viewer) {
        viewer->navigation()->setCurrentIndex(HelpViewer::IndexTab);
        return viewer->indexPane();
    }
    static HelpSearchPane* showSearch(HelpViewer* viewer) {
        viewer->navigation()->setCurrentIndex(HelpViewer::SearchTab);
        return viewer->searchPane();
    }
    static QStringList markedTexts(HelpViewer* viewer) {
        QStringList marks;
        for (const auto& mark : viewer->browser()->extraSelections()) {
            marks << mark.cursor.selectedText();
        }
        return marks;
    }
    static void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    // The size of the first character of the block that reads text.
    static qreal fontSizeOf(HelpViewer* viewer, const QString& text) {
        QTextDocument* document = viewer->browser()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            if (block.text().trimmed() == text) {
                QTextCursor cursor(block);
                cursor.movePosition(QTextCursor::NextCharacter);
                const qreal own = cursor.charFormat().fontPointSize();
                return own > 0 ? own : document->defaultFont().pointSizeF();
            }
        }
        ADD_FAILURE() << "no block reads " << text.toStdString();
        return 0;
    }
};

struct TabsRow {
    const char* book;
    QStringList tabs;
};

class HelpViewerTabsTest : public HelpViewerPanesTest,
                           public testing::WithParamInterface<TabsRow> {};

TEST_P(HelpViewerTabsTest, ShowTheTabsTheBookCanFill) {
    HelpViewer* viewer = HelpViewer::open(fixture(GetParam().book), kShelf);
    EXPECT_EQ(visibleTabs(viewer), GetParam().tabs);
}

INSTANTIATE_TEST_SUITE_P(
    Books, HelpViewerTabsTest,
    testing::Values(TabsRow{"TESTBOOK.CHM", {"&Contents", "I&ndex", "Sea&rch"}},
                    TabsRow{"OTHER.CHM", {"I&ndex", "Sea&rch"}}, TabsRow{"PLAIN.CHM", {"Sea&rch"}}),
    [](const testing::TestParamInfo<TabsRow>& row) {
        return QString(row.param.book).section('.', 0, 0).toStdString();
    });

TEST_F(HelpViewerPanesTest, TheIndexAndSearchTabsAreMadeWhenFirstShown) {
    HelpViewer* viewer = open();
    EXPECT_EQ(viewer->indexPane(), nullptr);
    EXPECT_EQ(viewer->searchPane(), nullptr);
    EXPECT_EQ(viewer->findBar(), nullptr);
    ASSERT_NE(showIndex(viewer), nullptr);
    EXPECT_EQ(viewer->searchPane(), nullptr);
}

TEST_F(HelpViewerPanesTest, TheIndexListsTheKeywordsAndTypingSelectsOne) {
    HelpViewer* viewer = open();
    HelpIndexPane* index = showIndex(viewer);
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(texts(index->keywords()),
              QStringList({"end of the second page", "frazil", QString::fromUtf8("n\u00e9v\u00e9"),
                           "nilas", "red square", "swatch"}));
    ASSERT_EQ(index->keywords()->topLevelItem(1)->childCount(), 1);
    EXPECT_EQ(index->keywords()->topLevelItem(1)->child(0)->text(0), "grease ice");
    index->keywordField()->setFocus();
    QTest::keyClicks(index->keywordField(), "GR");
    EXPECT_EQ(index->keywords()->currentItem()->text(0), "grease ice");
    key(Qt::Key_Return);
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/second.htm");
    index->keywordField()->clear();
    QTest::keyClicks(index->keywordField(), "end");
    key(Qt::Key_Return);
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/second.htm#end");
}

TEST_F(HelpViewerPanesTest, AKeywordOfSeveralTopicsListsThemToChooseFrom) {
    HelpViewer* viewer = open();
    HelpIndexPane* index = showIndex(viewer);
    index->keywordField()->setFocus();
    QTest::keyClicks(index->keywordField(), "fra");
    key(Qt::Key_Return);
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/start.htm") << "nothing shown before a choice";
    ASSERT_TRUE(index->topics()->isVisibleTo(viewer));
    EXPECT_EQ(texts(index->topics()), QStringList({"Start page", "Second page"}));
    EXPECT_EQ(QApplication::focusWidget(), index->topics());
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/second.htm");
    index->keywords()->setCurrentItem(index->keywords()->topLevelItem(5));
    EXPECT_FALSE(index->topics()->isVisibleTo(viewer)) << "the list belongs to its keyword";
}

TEST_F(HelpViewerPanesTest, ASeeAlsoKeywordSelectsTheKeywordItNames) {
    HelpViewer* viewer = open();
    HelpIndexPane* index = showIndex(viewer);
    index->keywords()->setCurrentItem(index->keywords()->topLevelItem(4));
    index->displayCurrent();
    EXPECT_EQ(index->keywords()->currentItem()->text(0), "swatch");
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/start.htm");
}

TEST_F(HelpViewerPanesTest, TheIndexFollowsTheBookOnShow) {
    HelpViewer* viewer = open();
    HelpIndexPane* index = showIndex(viewer);
    index->keywordField()->setFocus();
    QTest::keyClicks(index->keywordField(), "nilas");
    key(Qt::Key_Return);
    EXPECT_EQ(page(viewer), "OTHER.CHM:/other.htm");
    EXPECT_EQ(texts(index->keywords()), QStringList({"nilas", "test book"}));
    index->keywords()->setCurrentItem(index->keywords()->topLevelItem(1));
    index->displayCurrent();
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/start.htm");
    EXPECT_EQ(index->keywords()->topLevelItemCount(), 6);
}

TEST_F(HelpViewerPanesTest, SearchListsPagesByTitleAndMarksTheWordsOnThePageChosen) {
    HelpViewer* viewer = open();
    HelpSearchPane* search = showSearch(viewer);
    ASSERT_NE(search, nullptr);
    search->field()->setFocus();
    QTest::keyClicks(search->field(), "Frazil");
    key(Qt::Key_Return);
    EXPECT_EQ(texts(search->results()), QStringList({"Second", "Start"}));
    EXPECT_EQ(search->status(), "Found 2 topics");
    EXPECT_TRUE(search->results()->isColumnHidden(1)) << "one book: no book column";
    EXPECT_EQ(QApplication::focusWidget(), search->results());
    key(Qt::Key_Return);
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/second.htm");
    EXPECT_EQ(markedTexts(viewer), QStringList({"frazil", "frazil"}));
    emit viewer->browser()->anchorClicked(QUrl("start.htm"));
    EXPECT_TRUE(markedTexts(viewer).isEmpty()) << "marks belong to the page found";
}

TEST_F(HelpViewerPanesTest, SearchingTheShelfFindsWhatTheBookLacks) {
    HelpViewer* viewer = open();
    HelpSearchPane* search = showSearch(viewer);
    search->field()->setText("nilas");
    search->search();
    EXPECT_TRUE(texts(search->results()).isEmpty());
    EXPECT_EQ(search->status(), "No topics found");
    search->shelfBox()->setChecked(true);
    search->search();
    EXPECT_EQ(texts(search->results()), QStringList({"Other", "Plain"}));
    EXPECT_EQ(texts(search->results(), 1),
              QStringList({"The other book", "A book without contents or index"}));
    EXPECT_FALSE(search->results()->isColumnHidden(1));
    search->displayCurrent();
    EXPECT_EQ(page(viewer), "OTHER.CHM:/other.htm");
    EXPECT_EQ(viewer->windowTitle(), "The other book");
    EXPECT_EQ(markedTexts(viewer), QStringList({"Nilas"}));
}

TEST_F(HelpViewerPanesTest, SearchWithoutWordsSaysSo) {
    HelpViewer* viewer = open();
    HelpSearchPane* search = showSearch(viewer);
    search->field()->setText(" - ");
    search->search();
    EXPECT_EQ(search->status(), "Type in the words to search for.");
}

TEST_F(HelpViewerPanesTest, TheSearchTabBuildsTheShelfIndexesAhead) {
    HelpViewer* viewer = open();
    HelpSearchPane* search = showSearch(viewer);
    ASSERT_TRUE(QTest::qWaitFor([search] { return search->preparedAhead(); }, 5000));
}

TEST_F(HelpViewerPanesTest, FindInPageCountsMatchesAndWrapsAround) {
    HelpViewer* viewer = open();
    key(Qt::Key_F, Qt::ControlModifier);
    HelpFindBar* find = viewer->findBar();
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(find->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), find->field());
    QTest::keyClicks(find->field(), "the");  // "the second page", "the other", "other"
    EXPECT_EQ(find->status(), "Match 1 of 3");
    const int first = viewer->browser()->textCursor().selectionStart();
    EXPECT_EQ(viewer->browser()->textCursor().selectedText(), "the");
    key(Qt::Key_Return);
    EXPECT_EQ(find->status(), "Match 2 of 3");
    key(Qt::Key_Return);
    EXPECT_EQ(find->status(), "Match 3 of 3");
    key(Qt::Key_Return);
    EXPECT_EQ(find->status(), "Match 1 of 3") << "wraps to the top";
    EXPECT_EQ(viewer->browser()->textCursor().selectionStart(), first);
    key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(find->status(), "Match 3 of 3") << "wraps to the end going back";
    key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(find->status(), "Match 2 of 3");
    QTest::keyClicks(find->field(), " o");
    EXPECT_EQ(find->status(), "Match 1 of 1");
    EXPECT_EQ(viewer->browser()->textCursor().selectedText(), "the o");
    QTest::keyClicks(find->field(), "x");
    EXPECT_EQ(find->status(), "Not found");
    key(Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), viewer->browser());
    key(Qt::Key_F3);
    EXPECT_TRUE(find->isVisible()) << "F3 with the bar closed opens it";
}

struct SizeRow {
    const char* name;
    QList<QKeyCombination> keys;
    qreal heading;  // the 16 pt heading of the start page
    qreal body;     // its 10 pt text
};

class HelpViewerTextSizeTest : public HelpViewerPanesTest,
                               public testing::WithParamInterface<SizeRow> {};

TEST_P(HelpViewerTextSizeTest, FollowsTheKeys) {
    HelpViewer* viewer = open();
    viewer->browser()->setFocus();
    for (const QKeyCombination& combination : GetParam().keys) {
        key(combination.key(), combination.keyboardModifiers());
    }
    EXPECT_DOUBLE_EQ(fontSizeOf(viewer, "Start page"), GetParam().heading);
    EXPECT_DOUBLE_EQ(
        fontSizeOf(viewer, "Frazil ice forms in supercooled water; n\u00e9v\u00e9 is old snow."),
        GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HelpViewerTextSizeTest,
    testing::Values(
        SizeRow{"AsThePageSetsIt", {}, 16, 10},
        SizeRow{"CtrlPlusOneStepLarger", {Qt::CTRL | Qt::Key_Plus}, 17.6, 11},
        SizeRow{"CtrlEqualsAsPlus", {Qt::CTRL | Qt::Key_Equal}, 17.6, 11},
        SizeRow{"CtrlMinusTwoStepsSmaller",
                {Qt::CTRL | Qt::Key_Minus, Qt::CTRL | Qt::Key_Minus},
                12.8,
                8},
        SizeRow{"CtrlZeroRestores",
                {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_0},
                16,
                10},
        SizeRow{"TheLargestIsTwice", QList<QKeyCombination>(8, Qt::CTRL | Qt::Key_Plus), 32, 20},
        SizeRow{"TheSmallestIsTwoThirds", QList<QKeyCombination>(6, Qt::CTRL | Qt::Key_Minus),
                16 * 0.67, 10 * 0.67}),
    [](const testing::TestParamInfo<SizeRow>& row) { return std::string(row.param.name); });

TEST_F(HelpViewerPanesTest, TheTextSizeHoldsForEveryPageAndForBack) {
    HelpViewer* viewer = open();
    const qreal normal = viewer->browser()->font().pointSizeF();
    key(Qt::Key_Plus, Qt::ControlModifier);
    emit viewer->browser()->anchorClicked(QUrl("second.htm"));
    EXPECT_DOUBLE_EQ(viewer->browser()->document()->defaultFont().pointSizeF(), normal * 1.1)
        << "a page without style sheet is sized by the default font";
    key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/start.htm");
    EXPECT_DOUBLE_EQ(fontSizeOf(viewer, "Start page"), 17.6);
}

TEST_F(HelpViewerPanesTest, AltLeftAndAltRightGoOneStepBackAndForward) {
    HelpViewer* viewer = open();
    emit viewer->browser()->anchorClicked(QUrl("second.htm"));
    emit viewer->browser()->anchorClicked(QUrl("#end"));
    for (QWidget* focus : {static_cast<QWidget*>(viewer->browser()),
                           static_cast<QWidget*>(viewer->contentsTree())}) {
        SCOPED_TRACE(focus->accessibleName().toStdString());
        focus->setFocus();
        key(Qt::Key_Left, Qt::AltModifier);
        EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/second.htm");
        key(Qt::Key_Right, Qt::AltModifier);
        EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/second.htm#end");
    }
}

TEST_F(HelpViewerPanesTest, TheArrowKeysMoveThroughTheContentsShowingEachPage) {
    HelpViewer* viewer = open();
    QTreeWidget* tree = viewer->contentsTree();
    tree->setFocus();
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/start.htm") << "getting the focus shows nothing new";
    EXPECT_EQ(tree->currentItem()->text(0), "Start & overview");
    key(Qt::Key_Down);
    EXPECT_EQ(tree->currentItem()->text(0), "Second page");
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/second.htm");
    key(Qt::Key_Down);
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/second.htm#end");
    key(Qt::Key_Up);
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/second.htm");
    key(Qt::Key_Home);
    EXPECT_EQ(page(viewer), "TESTBOOK.CHM:/start.htm");
    key(Qt::Key_End);
    EXPECT_EQ(page(viewer), "OTHER.CHM:/other.htm") << "an entry may lead to another book";
}

TEST_F(HelpViewerPanesTest, TheContentsFollowThePageOnShow) {
    HelpViewer* viewer = open();
    emit viewer->browser()->anchorClicked(QUrl("second.htm#end"));
    EXPECT_EQ(viewer->contentsTree()->currentItem()->text(0), "Second, its end");
    emit viewer->browser()->anchorClicked(QUrl("second.htm"));
    EXPECT_EQ(viewer->contentsTree()->currentItem()->text(0), "Second page");
}

struct TabOrderRow {
    const char* name;
    HelpViewer::Tab tab;
    QStringList stops;  // accessible names (or texts) of the widgets Tab reaches, in order
};

class HelpViewerTabOrderTest : public HelpViewerPanesTest,
                               public testing::WithParamInterface<TabOrderRow> {};

// The name a screen reader gives the widget with the focus.
QString spokenName(QWidget* widget) {
    if (!widget->accessibleName().isEmpty()) {
        return widget->accessibleName();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (qobject_cast<QTabBar*>(widget) != nullptr) {
        return "tabs";
    }
    return QString("<%1>").arg(widget->metaObject()->className());
}

TEST_P(HelpViewerTabOrderTest, ReachesEveryPaneAndComesBack) {
    HelpViewer* viewer = open();
    viewer->navigation()->setCurrentIndex(GetParam().tab);
    QTabBar* tabs = viewer->navigation()->tabBar();
    tabs->setFocus(Qt::TabFocusReason);
    QStringList stops{spokenName(tabs)};
    for (int press = 0; press < 40; ++press) {
        key(Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        if (focus == tabs) {
            break;
        }
        if (stops.last() != spokenName(focus)) {  // the page takes a Tab per link
            stops << spokenName(focus);
        }
    }
    EXPECT_EQ(stops, GetParam().stops);
}

INSTANTIATE_TEST_SUITE_P(
    Tabs, HelpViewerTabOrderTest,
    testing::Values(
        TabOrderRow{"Contents", HelpViewer::ContentsTab, {"tabs", "Contents", "Help page"}},
        TabOrderRow{"Index",
                    HelpViewer::IndexTab,
                    {"tabs", "Keyword to find", "Index keywords", "&Display", "Help page"}},
        TabOrderRow{
            "Search",
            HelpViewer::SearchTab,
            {"tabs", "Words to search for", "&List Topics", "Search every book on the &shelf",
             "Search results", "&Display", "Help page"}}),
    [](const testing::TestParamInfo<TabOrderRow>& row) { return std::string(row.param.name); });

struct KeyboardRow {
    const char* name;
    QList<QKeyCombination> keys;  // pressed on the page, one after the other
    const char* tab;              // the tab on show afterwards
    const char* focus;            // the spoken name of the widget with the focus afterwards
};

class HelpViewerKeyboardTest : public HelpViewerPanesTest,
                               public testing::WithParamInterface<KeyboardRow> {};

// The tabs and panes are made while the window is shown: their keys and focus work as soon as
// the window is, without anything asking for them first.
TEST_P(HelpViewerKeyboardTest, TheTabsAndPanesAnswerTheirKeys) {
    HelpViewer* viewer = open();
    ASSERT_TRUE(QTest::qWaitFor([viewer] { return viewer->findChild<QTabBar*>() != nullptr; }));
    ASSERT_EQ(QApplication::focusWidget(), viewer->browser()) << "the page has the focus first";
    for (const QKeyCombination& combination : GetParam().keys) {
        key(combination.key(), combination.keyboardModifiers());
    }
    QTabWidget* tabs = viewer->navigation();
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), GetParam().tab);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(spokenName(QApplication::focusWidget()), GetParam().focus);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HelpViewerKeyboardTest,
    testing::Values(KeyboardRow{"AltNShowsTheIndex", {Qt::ALT | Qt::Key_N}, "I&ndex", "Help page"},
                    KeyboardRow{"AltKThenReachesTheKeywordField",
                                {Qt::ALT | Qt::Key_N, Qt::ALT | Qt::Key_K},
                                "I&ndex",
                                "Keyword to find"},
                    KeyboardRow{
                        "AltRShowsTheSearch", {Qt::ALT | Qt::Key_R}, "Sea&rch", "Help page"},
                    KeyboardRow{"AltWThenReachesTheWordsField",
                                {Qt::ALT | Qt::Key_R, Qt::ALT | Qt::Key_W},
                                "Sea&rch",
                                "Words to search for"},
                    KeyboardRow{"AltSThenReachesTheShelfBox",
                                {Qt::ALT | Qt::Key_R, Qt::ALT | Qt::Key_S},
                                "Sea&rch",
                                "Search every book on the &shelf"},
                    KeyboardRow{"AltTThenReachesTheResults",
                                {Qt::ALT | Qt::Key_R, Qt::ALT | Qt::Key_T},
                                "Sea&rch",
                                "Search results"},
                    KeyboardRow{"AltCGoesBackToTheContents",
                                {Qt::ALT | Qt::Key_R, Qt::ALT | Qt::Key_C},
                                "&Contents",
                                "Help page"}),
    [](const testing::TestParamInfo<KeyboardRow>& row) { return std::string(row.param.name); });

TEST_F(HelpViewerPanesTest, PrintAsksWithADialogModalToTheViewerOnly) {
    HelpViewer* viewer = open();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");
    viewer->printer()->setOutputFormat(QPrinter::PdfFormat);
    viewer->printer()->setOutputFileName(pdf);
    key(Qt::Key_P, Qt::ControlModifier);
    auto* dialog = viewer->findChild<QPrintDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_EQ(viewer->windowModality(), Qt::NonModal);
    EXPECT_EQ(viewer->parentWidget(), nullptr) << "no program window is blocked by it";
    dialog->accept();
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_EQ(printed.read(5), "%PDF-");
}

TEST_F(HelpViewerPanesTest, APrintDialogRejectedPrintsNothing) {
    HelpViewer* viewer = open();
    QTemporaryDir dir;
    viewer->printer()->setOutputFormat(QPrinter::PdfFormat);
    viewer->printer()->setOutputFileName(dir.filePath("page.pdf"));
    viewer->print();
    auto* dialog = viewer->findChild<QPrintDialog*>();
    ASSERT_NE(dialog, nullptr);
    dialog->reject();
    EXPECT_FALSE(QFile::exists(dir.filePath("page.pdf")));
}

}  // namespace
}  // namespace nimbara
