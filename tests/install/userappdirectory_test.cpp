// The user's application directory: what the first start lays out, what later starts keep,
// and how folders of the user's own take the place of links.
#include "tools/launcher/userappdirectory.h"

#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace nimbara {
namespace {

// An installed data folder as the installation lays it out, read-only like a system one.
class Installation {
public:
    Installation() {
        test::writeFileBytes(data("HELP/CLASSIFY.CHM"), "help");
        test::writeFileBytes(data("games/ice/ice0.bmp"), "ice0");
        test::writeFileBytes(data("games/ice/ice1.bmp"), "ice1");
        test::writeFileBytes(data("games/clouds/cloud0.bmp"), "cloud0");
        test::writeFileBytes(data("desktop/CLOUDS.BMP"), "desktop");
        test::writeFileBytes(data("TEXT/DESKTOPM.TXT"), "\n");
        QFile::setPermissions(data("TEXT/DESKTOPM.TXT"), QFile::ReadOwner | QFile::ReadGroup);
    }
    QString data() const { return m_root.filePath("share/nimbara"); }
    QString data(const QString& relative) const { return data() + '/' + relative; }
    QString user() const { return m_root.filePath("home/.local/share/nimbara"); }
    QString user(const QString& relative) const { return user() + '/' + relative; }
    QString root(const QString& relative) const { return m_root.filePath(relative); }

private:
    QTemporaryDir m_root;
};

TEST(UserAppDirectory, FirstStartLinksTheDataAndCopiesTheDesktopSetting) {
    Installation installed;
    EXPECT_EQ(UserAppDirectory(installed.user(), installed.data()).prepare(), QStringList());
    for (const char* folder : {"HELP", "games", "desktop"}) {
        const QFileInfo link(installed.user(folder));
        EXPECT_TRUE(link.isSymLink()) << folder;
        EXPECT_EQ(link.symLinkTarget(), installed.data(folder)) << folder;
    }
    QStringList entries =
        QDir(installed.user()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    entries.sort();
    EXPECT_EQ(entries, QStringList({"HELP", "TEXT", "desktop", "games"}));
    const QFileInfo setting(installed.user("TEXT/DESKTOPM.TXT"));
    EXPECT_FALSE(setting.isSymLink());
    EXPECT_FALSE(QFileInfo(installed.user("TEXT")).isSymLink());
    EXPECT_TRUE(setting.permissions() & QFile::WriteOwner);
    EXPECT_EQ(test::readFileBytes(setting.filePath()), "\n");
    EXPECT_EQ(test::readFileBytes(installed.user("games/ice/ice1.bmp")), "ice1");
}

TEST(UserAppDirectory, LaterStartsKeepTheUsersDesktopSettingAndFolders) {
    Installation installed;
    const UserAppDirectory directory(installed.user(), installed.data());
    ASSERT_EQ(directory.prepare(), QStringList());
    test::writeFileBytes(installed.user("TEXT/DESKTOPM.TXT"), "/home/ann/Pictures/storm.jpg");
    // The user's own photo folder in place of the linked games.
    QFile::remove(installed.user("games"));
    test::writeFileBytes(installed.user("games/ice/ice1.bmp"), "own ice1");

    EXPECT_EQ(directory.prepare(), QStringList());
    EXPECT_EQ(test::readFileBytes(installed.user("TEXT/DESKTOPM.TXT")),
              "/home/ann/Pictures/storm.jpg");
    EXPECT_EQ(test::readFileBytes(installed.data("TEXT/DESKTOPM.TXT")), "\n");
    EXPECT_EQ(test::readFileBytes(installed.user("games/ice/ice1.bmp")), "own ice1");
    // What the own folders lack comes from the installation.
    EXPECT_EQ(QFileInfo(installed.user("games/ice/ice0.bmp")).symLinkTarget(),
              installed.data("games/ice/ice0.bmp"));
    EXPECT_EQ(QFileInfo(installed.user("games/clouds")).symLinkTarget(),
              installed.data("games/clouds"));
}

TEST(UserAppDirectory, RepointsLinksThatLeadNowhereAndKeepsWorkingOnes) {
    Installation installed;
    QDir().mkpath(installed.user());
    // Left by an installation that was removed, and one the user made to a folder of theirs.
    ASSERT_TRUE(QFile::link(installed.root("old/share/nimbara/HELP"), installed.user("HELP")));
    QDir().mkpath(installed.root("org-photos"));
    ASSERT_TRUE(QFile::link(installed.root("org-photos"), installed.user("games")));

    EXPECT_EQ(UserAppDirectory(installed.user(), installed.data()).prepare(), QStringList());
    EXPECT_EQ(QFileInfo(installed.user("HELP")).symLinkTarget(), installed.data("HELP"));
    EXPECT_EQ(QFileInfo(installed.user("games")).symLinkTarget(), installed.root("org-photos"));
}

TEST(UserAppDirectory, NeverLetsTheDesktopSettingBeWrittenIntoTheInstallation) {
    Installation installed;
    QDir().mkpath(installed.user());
    ASSERT_TRUE(QFile::link(installed.data("TEXT"), installed.user("TEXT")));
    EXPECT_EQ(UserAppDirectory(installed.user(), installed.data()).prepare(), QStringList());
    EXPECT_FALSE(QFileInfo(installed.user("TEXT")).isSymLink());
    EXPECT_FALSE(QFileInfo(installed.user("TEXT/DESKTOPM.TXT")).isSymLink());
    EXPECT_EQ(test::readFileBytes(installed.user("TEXT/DESKTOPM.TXT")), "\n");

    // A folder of the user's own, linked in, is theirs to keep.
    QDir(installed.user("TEXT")).removeRecursively();
    test::writeFileBytes(installed.root("synced/DESKTOPM.TXT"), "/home/ann/sky.png");
    ASSERT_TRUE(QFile::link(installed.root("synced"), installed.user("TEXT")));
    EXPECT_EQ(UserAppDirectory(installed.user(), installed.data()).prepare(), QStringList());
    EXPECT_EQ(QFileInfo(installed.user("TEXT")).symLinkTarget(), installed.root("synced"));
    EXPECT_EQ(test::readFileBytes(installed.user("TEXT/DESKTOPM.TXT")), "/home/ann/sky.png");
}

TEST(UserAppDirectory, ReportsAMissingInstallationAndAnUncreatableFolder) {
    Installation installed;
    EXPECT_EQ(
        UserAppDirectory(installed.user(), installed.root("nothing")).prepare(),
        QStringList({"the installed data folder " + installed.root("nothing") + " is missing"}));
    test::writeFileBytes(installed.root("plain"), "a file where a folder should be");
    EXPECT_EQ(UserAppDirectory(installed.root("plain/nimbara"), installed.data()).prepare(),
              QStringList({"cannot create " + installed.root("plain/nimbara")}));
}

TEST(UserAppDirectory, MakesALinkedFolderOwnWithoutLosingWhatItShowed) {
    Installation installed;
    ASSERT_EQ(UserAppDirectory(installed.user(), installed.data()).prepare(), QStringList());

    EXPECT_EQ(UserAppDirectory::makeOwnFolder(installed.user(), "games/ice"), QString());
    EXPECT_FALSE(QFileInfo(installed.user("games")).isSymLink());
    EXPECT_FALSE(QFileInfo(installed.user("games/ice")).isSymLink());
    EXPECT_TRUE(QFileInfo(installed.user("games/ice")).isDir());
    EXPECT_EQ(QFileInfo(installed.user("games/ice/ice0.bmp")).symLinkTarget(),
              installed.data("games/ice/ice0.bmp"));
    EXPECT_EQ(QFileInfo(installed.user("games/clouds")).symLinkTarget(),
              installed.data("games/clouds"));
    // A folder that nothing showed yet is simply made, with the directory itself if need be.
    EXPECT_EQ(UserAppDirectory::makeOwnFolder(installed.root("new/app"), "games/ice"), QString());
    EXPECT_TRUE(QFileInfo(installed.root("new/app/games/ice")).isDir());
    EXPECT_EQ(UserAppDirectory::makeOwnFolder(installed.user(), "games/seastate"), QString());
    EXPECT_TRUE(QFileInfo(installed.user("games/seastate")).isDir());
    test::writeFileBytes(installed.user("games/plain"), "file");
    EXPECT_EQ(UserAppDirectory::makeOwnFolder(installed.user(), "games/plain"),
              installed.user("games/plain") + " is a file, not a folder");
}

}  // namespace
}  // namespace nimbara
