#include "hyperlink/linkfile.h"
#include "tests/hyperlink/rowname.h"
#include "tests/support/hostilefiles.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

struct PathRow {
    const char* name;
    QString folder;
    QString linkName;
    QString expected;
};

class LinkFilePathTest : public testing::TestWithParam<PathRow> {};

TEST_P(LinkFilePathTest, IsTheFolderTheNameAndTheExtension) {
    EXPECT_EQ(linkFilePath(GetParam().folder, GetParam().linkName), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LinkFilePathTest,
    testing::Values(PathRow{"plain", "/home/obs/Desktop", "Sea state",
                            "/home/obs/Desktop/Sea state.desktop"},
                    PathRow{"folder_with_a_trailing_slash", "/home/obs/Desktop/", "Ice",
                            "/home/obs/Desktop/Ice.desktop"},
                    PathRow{"dots_and_brackets_stay", "/f", "Visit the Nimbara (Tolvane) Web Site",
                            "/f/Visit the Nimbara (Tolvane) Web Site.desktop"},
                    PathRow{"a_slash", "/f", "a/b", ""}, PathRow{"empty_name", "/f", "", ""},
                    PathRow{"a_nul", "/f", QString("a") + QChar(0), ""},
                    PathRow{"no_folder", "", "Ice", ""}),
    test::rowName<PathRow>);

struct ValueRow {
    const char* name;
    QString linkName;
    QByteArray nameLine;
};

class LinkFileValueTest : public testing::TestWithParam<ValueRow> {};

TEST_P(LinkFileValueTest, NamesAreEscapedAsEntriesNeedThem) {
    const QByteArray contents = linkFileContents(GetParam().linkName, "https://x.example/a b");
    EXPECT_EQ(contents, "[Desktop Entry]\nVersion=1.0\nType=Link\n" + GetParam().nameLine +
                            "\nURL=https://x.example/a b\nIcon=text-html\n");
}

INSTANTIATE_TEST_SUITE_P(Values, LinkFileValueTest,
                         testing::Values(ValueRow{"plain", "Sea state", "Name=Sea state"},
                                         ValueRow{"leading_blank", " Credits", "Name=\\sCredits"},
                                         ValueRow{"inner_blanks_stay", "a  b ", "Name=a  b "},
                                         ValueRow{"line_break", "two\nlines", "Name=two\\nlines"},
                                         ValueRow{"tab_and_return", "a\tb\rc", "Name=a\\tb\\rc"},
                                         ValueRow{"backslash", "C:\\Weather", "Name=C:\\\\Weather"},
                                         ValueRow{"utf8", QString::fromUtf8("M\xC3\xA9t\xC3\xA9o"),
                                                  "Name=M\xC3\xA9t\xC3\xA9o"}),
                         test::rowName<ValueRow>);

TEST(LinkFileWrite, CreatesTheFolderAndReplacesAnOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("new/folder/Ice.desktop");
    ASSERT_TRUE(writeLinkFile(path, "Ice", "https://old.example/"));
    ASSERT_TRUE(writeLinkFile(path, "Ice", "https://new.example/"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), linkFileContents("Ice", "https://new.example/"));
    EXPECT_EQ(QDir(dir.filePath("new/folder")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"Ice.desktop"})
        << "no temporary file left behind";
}

TEST(LinkFileWrite, FailsWhereNoFileCanBeWritten) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("plain-file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(writeLinkFile(dir.filePath("plain-file/Ice.desktop"), "Ice", "https://x/"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"plain-file"});
}

TEST(LinkFileWrite, OnAFullDiskKeepsTheOldEntryWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Ice.desktop");
    ASSERT_TRUE(writeLinkFile(path, "Ice", "https://old.example/"));
    {
        const test::FileSizeLimit full(16);
        EXPECT_FALSE(writeLinkFile(path, "Ice", "https://new.example/"));
    }
    EXPECT_EQ(test::readFileBytes(path), linkFileContents("Ice", "https://old.example/"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Ice.desktop"});
}

TEST(LinkFileWrite, ReplacesALinkInItsPlaceWithoutTouchingWhatItLeadsTo) {
    QTemporaryDir dir;
    const QString secret = dir.filePath("secret.txt");
    ASSERT_TRUE(test::writeFileBytes(secret, "private"));
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(secret, ownerOnly));
    const QString path = dir.filePath("Ice.desktop");
    ASSERT_TRUE(QFile::link(secret, path));

    ASSERT_TRUE(writeLinkFile(path, "Ice", "https://x.example/"));
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(test::readFileBytes(path), linkFileContents("Ice", "https://x.example/"));
    const QFile::Permissions forUser = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    EXPECT_EQ(QFile::permissions(path) & ~forUser, QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ExeOwner | QFile::ReadGroup |
                                                       QFile::ReadOther);
    EXPECT_EQ(test::readFileBytes(secret), "private");
    EXPECT_EQ(QFile::permissions(secret) & ~forUser, ownerOnly);
}

}  // namespace
}  // namespace nimbara
