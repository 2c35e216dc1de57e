// Replacing a file whole or not at all: what stays when the disk is full, when the file is a
// link or read-only, and when a written file is never put in place.
#include "platform/filereplacement.h"
#include "tests/support/hostilefiles.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

constexpr QFile::Permissions kForUser = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

class Replacing : public testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList files() const {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    static QFile::Permissions modeOf(const QString& file) {
        return QFile::permissions(file) & ~kForUser;
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(Replacing, PutsTheNewContentInPlaceWithTheOldFilesMode) {
    test::writeFileBytes(path("setting"), "old");
    QFile::setPermissions(path("setting"), QFile::ReadOwner | QFile::WriteOwner);
    FileReplacement file(path("setting"));
    ASSERT_TRUE(file.write("new"));
    EXPECT_EQ(test::readFileBytes(path("setting")), "old") << "not before the commit";
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(test::readFileBytes(path("setting")), "new");
    EXPECT_EQ(modeOf(path("setting")), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(files(), QStringList{"setting"});
}

TEST_F(Replacing, ALinkIsReplacedAndWhatItLeadsToKeepsContentAndMode) {
    test::writeFileBytes(path("target"), "private");
    QFile::setPermissions(path("target"), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(QFile::link(path("target"), path("entry")));
    FileReplacement file(path("entry"));
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    ASSERT_TRUE(file.write("entry") && file.commit());
    EXPECT_FALSE(QFileInfo(path("entry")).isSymLink());
    EXPECT_EQ(test::readFileBytes(path("entry")), "entry");
    EXPECT_EQ(modeOf(path("entry")), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    EXPECT_EQ(test::readFileBytes(path("target")), "private");
    EXPECT_EQ(modeOf(path("target")), QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(Replacing, ADiskTooFullForTheWholeContentKeepsTheOldFile) {
    test::writeFileBytes(path("setting"), "old");
    FileReplacement file(path("setting"));
    {
        const test::FileSizeLimit full(100);
        EXPECT_FALSE(file.write(QByteArray(101, 'x')));
    }
    EXPECT_EQ(file.errorString(), "File too large");
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(test::readFileBytes(path("setting")), "old");
    EXPECT_EQ(files(), QStringList{"setting"});
}

TEST_F(Replacing, AReadOnlyFileStaysAsItIs) {
    if (test::runsAsAdministrator()) {
        GTEST_SKIP() << "the administrator may write read-only files";
    }
    test::writeFileBytes(path("setting"), "old");
    QFile::setPermissions(path("setting"), QFile::ReadOwner);
    FileReplacement file(path("setting"));
    EXPECT_FALSE(file.write("new"));
    EXPECT_EQ(file.errorString(), "Permission denied");
    EXPECT_EQ(test::readFileBytes(path("setting")), "old");
}

TEST_F(Replacing, AWrittenFileNeverCommittedLeavesNothingBehind) {
    test::writeFileBytes(path("setting"), "old");
    {
        FileReplacement file(path("setting"));
        ASSERT_TRUE(file.write("new"));
        EXPECT_EQ(files().size(), 2) << "the new file waits beside the old one";
    }
    EXPECT_EQ(test::readFileBytes(path("setting")), "old");
    EXPECT_EQ(files(), QStringList{"setting"});
}

}  // namespace
}  // namespace nimbara
