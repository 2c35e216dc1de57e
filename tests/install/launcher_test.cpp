// The installed launcher, run as users run it: from an installed tree, with the program in
// place replaced by a script that records where and how it was started.
#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

class InstalledTree : public testing::Test {
protected:
    void SetUp() override {
        const QString launcher = path(QString(NIMBARA_INSTALL_BINDIR) + "/nimbara");
        QDir().mkpath(QFileInfo(launcher).absolutePath());
        ASSERT_TRUE(QFile::copy(NIMBARA_LAUNCHER_PROGRAM, launcher));
        nimbara::test::writeFileBytes(program(),
                                      "#!/bin/sh\n"
                                      "pwd -P > \"$RECORD\"\n"
                                      "echo \"$*\" >> \"$RECORD\"\n"
                                      "exit 3\n");
        QFile::setPermissions(program(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        nimbara::test::writeFileBytes(data("HELP/CLASSIFY.CHM"), "help");
        nimbara::test::writeFileBytes(data("games/ice/ice0.bmp"), "ice0");
        nimbara::test::writeFileBytes(data("desktop/CLOUDS.BMP"), "desktop");
        nimbara::test::writeFileBytes(data("TEXT/DESKTOPM.TXT"), "\n");
    }

    QString path(const QString& relative) const { return m_root.filePath(relative); }
    QString program() const { return path(QString(NIMBARA_INSTALL_PROGRAMDIR) + "/nimbara"); }
    QString data(const QString& relative) const {
        return path(QString(NIMBARA_INSTALL_DATADIR) + '/' + relative);
    }

    struct Start {
        int exitCode;
        QByteArray errors;
    };

    // Starts the launcher with a clean environment: HOME, optionally XDG_DATA_HOME, and where
    // the stand-in program records.
    Start start(const QStringList& arguments, bool withDataHome) {
        QProcessEnvironment environment;
        environment.insert("HOME", path("home"));
        environment.insert("PATH", qEnvironmentVariable("PATH"));
        environment.insert("RECORD", path("record.txt"));
        if (withDataHome) {
            environment.insert("XDG_DATA_HOME", path("data-home"));
        }
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(path(""));
        process.start(path(QString(NIMBARA_INSTALL_BINDIR) + "/nimbara"), arguments);
        process.waitForFinished(30000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardError()};
    }

    QTemporaryDir m_root;
};

TEST_F(InstalledTree, StartsTheProgramInTheUsersDirectoryWithItsArguments) {
    const Start first = start({"--one", "two"}, true);
    EXPECT_EQ(first.exitCode, 3) << first.errors.constData();
    const QString user = QFileInfo(path("data-home/nimbara")).canonicalFilePath();
    EXPECT_EQ(nimbara::test::readFileBytes(path("record.txt")), (user + "\n--one two\n").toUtf8());
    EXPECT_EQ(QFileInfo(path("data-home/nimbara/games")).symLinkTarget(),
              QFileInfo(data("games")).canonicalFilePath());
    EXPECT_EQ(nimbara::test::readFileBytes(path("data-home/nimbara/TEXT/DESKTOPM.TXT")), "\n");
}

TEST_F(InstalledTree, SecondStartKeepsTheUsersDesktopSetting) {
    ASSERT_EQ(start({}, true).exitCode, 3);
    nimbara::test::writeFileBytes(path("data-home/nimbara/TEXT/DESKTOPM.TXT"),
                                  "/home/ann/storm.jpg");
    ASSERT_EQ(start({}, true).exitCode, 3);
    EXPECT_EQ(nimbara::test::readFileBytes(path("data-home/nimbara/TEXT/DESKTOPM.TXT")),
              "/home/ann/storm.jpg");
    EXPECT_EQ(nimbara::test::readFileBytes(data("TEXT/DESKTOPM.TXT")), "\n");
}

TEST_F(InstalledTree, UsesTheHomeFolderWithoutADataHome) {
    const Start started = start({}, false);
    EXPECT_EQ(started.exitCode, 3) << started.errors.constData();
    const QString user = QFileInfo(path("home/.local/share/nimbara")).canonicalFilePath();
    EXPECT_EQ(nimbara::test::readFileBytes(path("record.txt")), (user + "\n\n").toUtf8());
}

TEST_F(InstalledTree, RefusesAFolderOthersCanChangeAndDoesNotStart) {
    QDir().mkpath(path("data-home/nimbara"));
    QFile::setPermissions(path("data-home/nimbara"), QFile::ReadOwner | QFile::WriteOwner |
                                                         QFile::ExeOwner | QFile::WriteOther |
                                                         QFile::ReadOther | QFile::ExeOther);
    const Start started = start({}, true);
    EXPECT_EQ(started.exitCode, 1);
    EXPECT_EQ(started.errors, "nimbara: " + QFile::encodeName(path("data-home/nimbara")) +
                                  " can be changed by other users; it is not used\n");
    EXPECT_FALSE(QFile::exists(path("record.txt"))) << "the program was started";
    EXPECT_FALSE(QFile::exists(path("data-home/nimbara/TEXT")));
}

TEST_F(InstalledTree, SaysWhenTheProgramIsMissing) {
    QFile::remove(program());
    const Start started = start({}, true);
    EXPECT_EQ(started.exitCode, 127);
    EXPECT_EQ(started.errors, "nimbara: cannot start " + QFile::encodeName(program()) +
                                  ": No such file or directory\n");
}

}  // namespace
