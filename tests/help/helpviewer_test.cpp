#include "help/viewer/helpviewer.h"
#include "help/book/helpbook.h"
#include "help/viewer/helpbrowser.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/testchm.h"

#include <QAction>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::kShelf;

using test::fixture;

class HelpViewerTest : public testing::Test {
protected:
    void TearDown() override { HelpViewer::closeAll(); }

    HelpViewer* openTestBook() { return HelpViewer::open(fixture("TESTBOOK.CHM"), kShelf); }
    static std::optional<HelpLocation> where(HelpViewer* viewer) {
        return HelpLocation::fromUrl(viewer->browser()->source());
    }
    static void click(HelpViewer* viewer, const QString& link) {
        emit viewer->browser()->anchorClicked(QUrl(link));
    }
    static QAction* toolAction(HelpViewer* viewer, const QString& text) {
        for (QAction* action : viewer->findChild<QToolBar*>()->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }
};

TEST_F(HelpViewerTest, OpensAtTheDefaultTopicWithTheBooksTitle) {
    HelpViewer* viewer = openTestBook();
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle(), "Test book of the viewer");
    ASSERT_TRUE(where(viewer));
    EXPECT_EQ(where(viewer)->page, "/start.htm");
    EXPECT_EQ(viewer->browser()->toPlainText(),
              "Start page\nGo to the second page, to its end, or to the other book.\n\uFFFC\n"
              "Frazil ice forms in supercooled water; n\u00E9v\u00E9 is old snow. ");
    EXPECT_EQ(viewer->requestedPath(), fixture("TESTBOOK.CHM"));
}

TEST_F(HelpViewerTest, TheContentsPaneShowsTheBooksContents) {
    QTreeWidget* tree = openTestBook()->contentsTree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Start & overview");
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(0), "Second, its end");
    EXPECT_TRUE(tree->isVisibleTo(tree->window()));
}

TEST_F(HelpViewerTest, ImagesAndStyleSheetsComeOutOfTheBook) {
    HelpViewer* viewer = openTestBook();
    const HelpLocation image{
        QFileInfo(fixture("TESTBOOK.CHM")).absoluteFilePath(), "/swatch.png", {}};
    const QByteArray png =
        viewer->browser()->loadResource(QTextDocument::ImageResource, image.toUrl()).toByteArray();
    const QImage decoded = QImage::fromData(png);
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), QSize(16, 16));
    EXPECT_EQ(decoded.pixelColor(8, 8), QColor(255, 0, 0));
    viewer->browser()->document()->size();  // lays the page out, which loads its resources
    EXPECT_TRUE(viewer->browser()
                    ->document()
                    ->resource(QTextDocument::ImageResource, QUrl("swatch.png"))
                    .isValid());
    QFile styleSheet(QStringLiteral(NIMBARA_TEST_SOURCE) + "/../data/help/common/nimbara.css");
    ASSERT_TRUE(styleSheet.open(QIODevice::ReadOnly));
    EXPECT_EQ(viewer->browser()
                  ->loadResource(QTextDocument::StyleSheetResource,
                                 HelpLocation{image.book, "/nimbara.css", {}}.toUrl())
                  .toByteArray(),
              styleSheet.readAll());
}

TEST_F(HelpViewerTest, LinksAreFollowedAndBackAndForwardReturn) {
    HelpViewer* viewer = openTestBook();
    click(viewer, "second.htm#end");
    EXPECT_EQ(where(viewer)->page, "/second.htm");
    EXPECT_EQ(where(viewer)->fragment, "end");
    EXPECT_TRUE(toolAction(viewer, "Back")->isEnabled());
    toolAction(viewer, "Back")->trigger();
    EXPECT_EQ(where(viewer)->page, "/start.htm");
    toolAction(viewer, "Forward")->trigger();
    EXPECT_EQ(where(viewer)->page, "/second.htm");
    toolAction(viewer, "Home")->trigger();
    EXPECT_EQ(where(viewer)->page, "/start.htm");
}

TEST_F(HelpViewerTest, ALinkToAnotherBookOfTheFolderOpensIt) {
    HelpViewer* viewer = openTestBook();
    click(viewer, "ms-its:OTHER.CHM::/other.htm");
    EXPECT_EQ(where(viewer)->book, QFileInfo(fixture("OTHER.CHM")).absoluteFilePath());
    EXPECT_EQ(viewer->windowTitle(), "The other book");
    EXPECT_EQ(viewer->browser()->toPlainText(),
              "Other book\nBack to the test book.\nNilas is a thin elastic crust of ice. ");
    EXPECT_FALSE(viewer->contentsTree()->isVisibleTo(viewer)) << "that book has no contents";
    click(viewer, "ms-its:TESTBOOK.CHM::/start.htm");
    EXPECT_EQ(viewer->windowTitle(), "Test book of the viewer");
}

TEST_F(HelpViewerTest, APageMissingFromTheBookIsReportedInTheWindow) {
    HelpViewer* viewer = openTestBook();
    click(viewer, "nowhere.htm");
    EXPECT_EQ(viewer->browser()->toPlainText(),
              "Page not found\nThe page /nowhere.htm is not in this help file.");
}

TEST_F(HelpViewerTest, AMissingFileIsReportedInItsOwnWindow) {
    HelpViewer* viewer = HelpViewer::open("/nonexistent/HELP/ICE.CHM", kShelf);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle(), "Nimbara help");
    EXPECT_EQ(viewer->browser()->toPlainText(),
              "Help file not available\nThe help file /nonexistent/HELP/ICE.CHM does not exist.");
    EXPECT_EQ(viewer->currentBook(), nullptr);
    EXPECT_FALSE(toolAction(viewer, "Home")->isEnabled()) << "there is no page to go home to";
}

TEST_F(HelpViewerTest, AFileThatIsNotAHelpFileIsReportedInItsOwnWindow) {
    test::AppDirFixture dir;
    dir.writeFile("HELP/WIND.CHM", "This is plain text, not a compiled help file.");
    HelpViewer* viewer = HelpViewer::open(dir.absolute("HELP/WIND.CHM"), kShelf);
    EXPECT_EQ(viewer->browser()->toPlainText(),
              "Help file not available\nThe help file " + dir.absolute("HELP/WIND.CHM") +
                  " cannot be shown. The file is not a compiled help file.");
}

TEST_F(HelpViewerTest, CloseAllClosesEveryViewerWindow) {
    openTestBook();
    openTestBook();
    HelpViewer::open(fixture("OTHER.CHM"), kShelf);
    EXPECT_EQ(HelpViewer::openWindows().size(), 3);
    HelpViewer::closeAll();
    EXPECT_TRUE(HelpViewer::openWindows().isEmpty());
}

TEST(HelpLinks, ResolveAgainstThePageTheyAreWrittenIn) {
    const HelpLocation base{"/help/CL_1.CHM", "/cl_1.htm", {}};
    const auto relative = resolveHelpLink(base, QUrl("cl_1.png"));
    ASSERT_TRUE(relative);
    EXPECT_EQ(relative->book, "/help/CL_1.CHM");
    EXPECT_EQ(relative->page, "/cl_1.png");
    const auto otherBook = resolveHelpLink(base, QUrl("ms-its:CM_5.CHM::/cm_5.htm#veil"));
    ASSERT_TRUE(otherBook);
    EXPECT_EQ(otherBook->book, "/help/CM_5.CHM");
    EXPECT_EQ(otherBook->page, "/cm_5.htm");
    EXPECT_EQ(otherBook->fragment, "veil");
    const auto anchor = resolveHelpLink(base, QUrl("#top"));
    ASSERT_TRUE(anchor);
    EXPECT_EQ(anchor->page, "/cl_1.htm");
    EXPECT_EQ(anchor->fragment, "top");
    EXPECT_FALSE(resolveHelpLink(base, QUrl("https://example.org/")));
    EXPECT_FALSE(resolveHelpLink(base, QUrl("mailto:someone@example.org")));
}

TEST(HelpLinks, AFolderWithBlanksAndAccentsSurvivesTheRoundTrip) {
    const HelpLocation place{QString::fromUtf8("/tmp/M\u00e9t\u00e9o help/HELP/ICE.CHM"),
                             "/stages.htm", "nilas"};
    const auto back = HelpLocation::fromUrl(place.toUrl());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->book, place.book);
    EXPECT_EQ(back->page, place.page);
    EXPECT_EQ(back->fragment, place.fragment);
}

}  // namespace
}  // namespace nimbara
