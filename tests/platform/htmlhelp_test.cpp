#include "platform/htmlhelp.h"
#include "help/viewer/helpviewer.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/messageboxrecorder.h"

#include <gtest/gtest.h>

namespace nimbara {
namespace {

class HtmlHelpTest : public testing::Test {
protected:
    void TearDown() override {
        HtmlHelp::setEngineLibrary("mspack", 0);
        HelpViewer::closeAll();
    }
    static QString testBook() { return test::fixtureDirectory() + "/TESTBOOK.CHM"; }

    test::MessageBoxRecorder boxes;
};

TEST_F(HtmlHelpTest, AMissingEngineIsReportedOncePerConstructedWindow) {
    HtmlHelp::setEngineLibrary("nimbara-no-such-help-engine", 0);
    HtmlHelp first;
    HtmlHelp second;
    ASSERT_EQ(boxes.boxes().size(), 2u);
    for (const test::RecordedBox& box : boxes.boxes()) {
        EXPECT_EQ(box.text, "Cannot use the html help");
        EXPECT_EQ(box.caption, "Tolvane Error");
        EXPECT_EQ(box.icon, MbIcon::Stop);
        EXPECT_EQ(box.buttons, MbButtons::Ok);
        EXPECT_FALSE(box.hadOwner);
    }
    EXPECT_FALSE(first.libraryLoaded());
}

TEST_F(HtmlHelpTest, WithoutTheEngineARequestDoesNothing) {
    HelpViewer* other = nullptr;
    {
        HtmlHelp::setEngineLibrary("nimbara-no-such-help-engine", 0);
        HtmlHelp help;
        help.displayTopic(testBook());
        EXPECT_FALSE(help.helpFunctionObtained());
        EXPECT_TRUE(HelpViewer::openWindows().isEmpty());
        other = HelpViewer::open(testBook(), {});
    }
    EXPECT_EQ(HelpViewer::openWindows(), QList<HelpViewer*>{other})
        << "a window that never obtained the entry closes no help windows";
}

TEST_F(HtmlHelpTest, ALibraryWithoutTheEntryIsNeverCalled) {
    HtmlHelp::setEngineLibrary("z", 1);  // a library that loads but is no help engine
    HtmlHelp help;
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(help.libraryLoaded());
    help.displayTopic(testBook());
    EXPECT_FALSE(help.helpFunctionObtained());
    EXPECT_TRUE(HelpViewer::openWindows().isEmpty());
}

TEST_F(HtmlHelpTest, EachRequestOpensAViewerAndDestructionClosesThemAll) {
    HtmlHelp info;
    info.displayTopic(testBook());
    {
        HtmlHelp game;
        game.displayTopic(testBook());
        game.displayTopic(testBook());
        EXPECT_EQ(HelpViewer::openWindows().size(), 3);
        EXPECT_TRUE(game.helpFunctionObtained());
    }
    EXPECT_TRUE(HelpViewer::openWindows().isEmpty())
        << "closing one window that used help closes the others' help windows too";
    EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
}  // namespace nimbara
