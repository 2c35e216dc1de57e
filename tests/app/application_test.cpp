#include "tests/support/appdirfixture.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

TEST(QuittingTest, YesEndsTheProgramAndClosesEveryHelpWindow) {
    test::AppDirFixture dir;
    dir.copyHelpBook("ICE.CHM");
    QProcess probe;
    probe.setWorkingDirectory(dir.path());
    probe.start(QStringLiteral(NIMBARA_QUIT_PROBE), {});
    const bool ended = probe.waitForFinished(30000);
    if (!ended) {
        probe.kill();
        probe.waitForFinished();
    }
    ASSERT_TRUE(ended) << "the program still ran after Yes";
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(probe.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(probe.readAllStandardOutput()).split('\n');
    EXPECT_TRUE(lines.contains("help windows open: 1"));
    EXPECT_TRUE(lines.contains("box: Quit|Do you want to quit Nimbara"));
    EXPECT_EQ(lines.filter("box: Quit").size(), 1) << "the question is asked once";
    EXPECT_TRUE(lines.contains("help windows after the run: 0"));
}

}  // namespace
}  // namespace nimbara
