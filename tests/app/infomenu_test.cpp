#include "app/infomenu.h"
#include "app/tmyapp.h"
#include "app/tmywindow.h"
#include "help/book/helpbook.h"
#include "help/viewer/helpviewer.h"
#include "platform/tdecoratedframe.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/messageboxrecorder.h"

#include <QTest>

#include <set>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

struct InfoCase {
    int command;
    QString file;
    friend void PrintTo(const InfoCase& row, std::ostream* out) {
        *out << row.command << " " << row.file.toStdString();
    }
};

std::vector<InfoCase> allInfoCommands() {
    std::vector<InfoCase> cases;
    const char* levels[] = {"CL", "CM", "CH"};
    const int generalIds[] = {3301, 3316, 3331};
    for (int level = 0; level < 3; ++level) {
        cases.push_back({generalIds[level], QString("/HELP/%1.CHM").arg(levels[level])});
        for (int type = 1; type <= 9; ++type) {
            cases.push_back({generalIds[level] + type,
                             QString("/HELP/%1_%2.CHM").arg(levels[level]).arg(type)});
        }
    }
    cases.push_back({3351, "/HELP/ICE.CHM"});
    cases.push_back({3355, "/HELP/WIND.CHM"});
    return cases;
}

class InfoCommandTest : public testing::TestWithParam<InfoCase> {
protected:
    InfoCommandTest() : frame(createMainFrame()) {}
    ~InfoCommandTest() override { HelpViewer::closeAll(); }

    TMyWindow* window() const { return qobject_cast<TMyWindow*>(frame->client()); }

    test::AppDirFixture dir;
    test::MessageBoxRecorder boxes;
    std::unique_ptr<TDecoratedFrame> frame;
};

TEST_P(InfoCommandTest, OpensItsFileUnderTheApplicationDirectory) {
    ASSERT_TRUE(window()->HasCommand(GetParam().command));
    window()->EvCommand(GetParam().command);
    ASSERT_EQ(HelpViewer::openWindows().size(), 1);
    EXPECT_EQ(HelpViewer::openWindows()[0]->requestedPath(), dir.path() + GetParam().file);
    EXPECT_TRUE(boxes.boxes().empty()) << "a missing file is the viewer's to report";
}

INSTANTIATE_TEST_SUITE_P(
    AllCommands, InfoCommandTest, testing::ValuesIn(allInfoCommands()),
    [](const testing::TestParamInfo<InfoCase>& row) {
        return QString(row.param.file).remove("/HELP/").remove(".CHM").toStdString();
    });

TEST(InfoCommands, TheTableHoldsThirtyTwoDistinctFiles) {
    std::set<std::string> files;
    for (const HelpFileCommand& row : helpFileCommands()) {
        files.insert(row.file);
        EXPECT_STREQ(helpFileFor(row.command), row.file);
    }
    EXPECT_EQ(files.size(), 32u);
    EXPECT_EQ(helpFileFor(3360), nullptr);
}

TEST(InfoCommands, OpeningTheSameEntryTwiceAsksTheViewerTwice) {
    test::AppDirFixture dir;
    dir.copyHelpBook("ICE.CHM");
    test::MessageBoxRecorder boxes;
    {
        const std::unique_ptr<TDecoratedFrame> frame = createMainFrame();
        auto* window = qobject_cast<TMyWindow*>(frame->client());
        window->EvCommand(3351);
        window->EvCommand(3351);
        const QList<HelpViewer*> viewers = HelpViewer::openWindows();
        ASSERT_EQ(viewers.size(), 2);
        for (HelpViewer* viewer : viewers) {
            EXPECT_EQ(viewer->requestedPath(), dir.path() + "/HELP/ICE.CHM");
            ASSERT_NE(viewer->currentBook(), nullptr);
            EXPECT_EQ(viewer->windowTitle(), viewer->currentBook()->title());
        }
        EXPECT_TRUE(window->help().helpFunctionObtained());
    }
    EXPECT_TRUE(HelpViewer::openWindows().isEmpty()) << "the main window closes them at its end";
}

TEST(InfoCommands, AFolderWithBlanksAndAccentsStillReachesTheFile) {
    test::AppDirFixture dir(QString::fromUtf8("M\u00e9t\u00e9o trainer"));
    dir.copyHelpBook("WIND.CHM");
    test::MessageBoxRecorder boxes;
    const std::unique_ptr<TDecoratedFrame> frame = createMainFrame();
    qobject_cast<TMyWindow*>(frame->client())->EvCommand(3355);
    ASSERT_EQ(HelpViewer::openWindows().size(), 1);
    EXPECT_NE(HelpViewer::openWindows()[0]->currentBook(), nullptr);
    HelpViewer::closeAll();
}

}  // namespace
}  // namespace nimbara
