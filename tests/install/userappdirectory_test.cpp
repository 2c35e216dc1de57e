// The user's application directory: what the first start lays out, what later starts keep,
// and how folders of the user's own take the place of links.
#include "tools/launcher/userappdirectory.h"

#include "tests/support/hostilefiles.h"
#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

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

// The permission bits of path itself (a link is not followed).
mode_t modeOf(const QString& path) {
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

TEST(UserAppDirectory, LeavesAUsersLinkToSomethingNotThereAlone) {
    Installation installed;
    QDir().mkpath(installed.user());
    // The user's photos on a stick that is not plugged in, and the desktop setting on it too.
    const QString stick = installed.root("media/stick/photos");
    ASSERT_TRUE(QFile::link(stick, installed.user("games")));
    ASSERT_TRUE(QFile::link(installed.root("media/stick/text"), installed.user("TEXT")));
    UserAppDirectory(installed.user(), installed.data()).prepare();
    EXPECT_EQ(QFileInfo(installed.user("games")).symLinkTarget(), stick);
    EXPECT_EQ(QFileInfo(installed.user("TEXT")).symLinkTarget(),
              installed.root("media/stick/text"));
    EXPECT_EQ(QFileInfo(installed.user("HELP")).symLinkTarget(), installed.data("HELP"));
}

TEST(UserAppDirectory, MakesItsFoldersForTheUserAlone) {
    Installation installed;
    ASSERT_EQ(UserAppDirectory(installed.user(), installed.data()).prepare(), QStringList());
    ASSERT_EQ(UserAppDirectory::makeOwnFolder(installed.user(), "games/ice"), QString());
    for (const QString& folder :
         {installed.root("home/.local"), installed.root("home/.local/share"), installed.user(),
          installed.user("TEXT"), installed.user("games"), installed.user("games/ice")}) {
        EXPECT_EQ(modeOf(folder), 0700u) << folder.toStdString();
    }
}

// What may stand in the user's application directory, made by the user or by someone else.
struct TrustCase {
    const char* name;
    std::function<bool(const Installation&)> arrange;  // false: cannot be arranged as this user
    const char* problem;                               // %1 stands for the directory
    friend void PrintTo(const TrustCase& row, std::ostream* out) { *out << row.name; }
};

class Trust : public testing::TestWithParam<TrustCase> {};

TEST_P(Trust, IsCheckedWithoutFollowingLinks) {
    Installation installed;
    const UserAppDirectory directory(installed.user(), installed.data());
    ASSERT_EQ(directory.prepare(), QStringList());
    if (!GetParam().arrange(installed)) {
        GTEST_SKIP() << "only the administrator can give a file to another user";
    }
    const QString problem = QString::fromUtf8(GetParam().problem);
    EXPECT_EQ(directory.ownershipProblem(),
              problem.isEmpty() ? QString() : problem.arg(installed.user()));
}

bool chmodTo(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// Gives path (itself, not what a link leads to) to another user; only the administrator can.
bool giveAway(const QString& path) {
    return test::runsAsAdministrator() &&
           ::lchown(QFile::encodeName(path).constData(), 65534, 65534) == 0;
}

INSTANTIATE_TEST_SUITE_P(
    Directories, Trust,
    testing::Values(
        TrustCase{"as_laid_out", [](const Installation&) { return true; }, ""},
        TrustCase{"writable_by_the_users_own_group",
                  [](const Installation& i) { return chmodTo(i.user(), 0770); }, ""},
        TrustCase{"writable_by_everyone",
                  [](const Installation& i) { return chmodTo(i.user(), 0777); },
                  "%1 can be changed by other users"},
        TrustCase{"a_folder_inside_writable_by_everyone",
                  [](const Installation& i) { return chmodTo(i.user("TEXT"), 01777); },
                  "%1/TEXT can be changed by other users"},
        TrustCase{"the_setting_writable_by_everyone",
                  [](const Installation& i) { return chmodTo(i.user("TEXT/DESKTOPM.TXT"), 0666); },
                  "%1/TEXT/DESKTOPM.TXT can be changed by other users"},
        TrustCase{"made_by_another_user", [](const Installation& i) { return giveAway(i.user()); },
                  "%1 belongs to another user"},
        TrustCase{"a_link_inside_made_by_another_user",
                  [](const Installation& i) {
                      QDir(i.user("TEXT")).removeRecursively();
                      QDir().mkpath(i.root("other/TEXT"));
                      return QFile::link(i.root("other/TEXT"), i.user("TEXT")) &&
                             giveAway(i.user("TEXT"));
                  },
                  "%1/TEXT belongs to another user"}),
    [](const testing::TestParamInfo<TrustCase>& row) { return std::string(row.param.name); });

// Sets an environment variable, or unsets it when value is null, while it lives.
class Environment {
public:
    Environment(const char* name, const char* value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_value(qgetenv(name)) {
        if (value != nullptr) {
            qputenv(name, value);
        } else {
            qunsetenv(name);
        }
    }
    ~Environment() {
        if (m_had) {
            qputenv(m_name, m_value);
        } else {
            qunsetenv(m_name);
        }
    }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

private:
    const char* m_name;
    bool m_had;
    QByteArray m_value;
};

TEST(UserAppDirectoryPath, IgnoresARelativeDataHome) {
    const Environment home("HOME", "/home/ann");
    const Environment relative("XDG_DATA_HOME", "data");
    EXPECT_EQ(UserAppDirectory::defaultPath(), "/home/ann/.local/share/nimbara");
    const Environment absolute("XDG_DATA_HOME", "/srv/ann");
    EXPECT_EQ(UserAppDirectory::defaultPath(), "/srv/ann/nimbara");
}

TEST(UserAppDirectoryPath, WithoutHomeAsksThePasswordDatabase) {
    const Environment home("HOME", nullptr);
    const Environment data("XDG_DATA_HOME", nullptr);
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(UserAppDirectory::defaultPath(),
              QFile::decodeName(user->pw_dir) + "/.local/share/nimbara");
}

}  // namespace
}  // namespace nimbara
