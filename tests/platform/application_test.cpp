#include <QProcess>

#include <gtest/gtest.h>

namespace {

TEST(EscapedException, ShowsTheExceptionBoxAndEndsWithMinusOne) {
    QProcess probe;
    probe.start(QStringLiteral(NIMBARA_EXCEPTION_PROBE), {});
    ASSERT_TRUE(probe.waitForFinished(30000));
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(static_cast<signed char>(probe.exitCode()), -1);
    EXPECT_EQ(QString::fromUtf8(probe.readAllStandardOutput()),
              "Nimbara exception|probe failure|1|no owner\n");
}

}  // namespace
