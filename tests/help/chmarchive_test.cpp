#include "help/book/chmarchive.h"
#include "help/book/chmbook.h"
#include "help/book/helpbook.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/testchm.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

const ChmDecoderEntry kDecoder = linkedChmDecoder();

Bytes readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

// The test book as chmcmd wrote it, before the build corrected its header.
Bytes rawTestBook() {
    return readBytes(QStringLiteral(NIMBARA_TEST_STAGE) + "/TESTBOOK/TESTBOOK.CHM");
}

// Compiles the given files with chmcmd in dir, under the project text options + [FILES].
Bytes compileWithChmcmd(const QTemporaryDir& dir, const QByteArray& options,
                        const std::vector<std::pair<QString, QByteArray>>& files) {
    QFile project(dir.filePath("book.hhp"));
    if (!project.open(QIODevice::WriteOnly)) {
        ADD_FAILURE() << "cannot write the project";
        return {};
    }
    project.write("[OPTIONS]\nCompiled file=book.chm\n" + options + "\n[FILES]\n");
    for (const auto& [name, content] : files) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly)) {
            ADD_FAILURE() << "cannot write " << name.toStdString();
        }
        file.write(content);
        if (!name.endsWith(".hhc")) {
            project.write(name.toUtf8() + "\n");
        }
    }
    project.close();
    QProcess chmcmd;
    chmcmd.setWorkingDirectory(dir.path());
    chmcmd.start("chmcmd", {"book.hhp"});
    if (!chmcmd.waitForFinished(60000) || chmcmd.exitCode() != 0) {
        ADD_FAILURE() << "chmcmd failed";
    }
    return readBytes(dir.filePath("book.chm"));
}

std::unique_ptr<ChmBook> openBook(Bytes bytes) {
    std::string error;
    auto archive = ChmArchive::open(std::move(bytes), kDecoder, error);
    EXPECT_TRUE(archive) << error;
    return archive ? std::make_unique<ChmBook>(std::move(archive), "book.chm") : nullptr;
}

std::string text(const std::optional<Bytes>& bytes) {
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<absent>");
}

TEST(ChmHeaders, TheSecondGuidOfTheCompilerIsCorrectedOnce) {
    Bytes raw = rawTestBook();
    ASSERT_GT(raw.size(), 0x38u);
    EXPECT_EQ(raw[0x28], 0x10);
    EXPECT_TRUE(correctChmHeaders(raw).secondGuid);
    EXPECT_EQ(raw[0x28], 0x11);
    EXPECT_FALSE(correctChmHeaders(raw).any()) << "a corrected file stays as it is";
}

TEST(ChmHeaders, BytesThatAreNotAnArchiveAreLeftAlone) {
    Bytes junk{'I', 'T', 'S', 'F', 1, 2, 3};
    const Bytes before = junk;
    EXPECT_FALSE(correctChmHeaders(junk).any());
    EXPECT_EQ(junk, before);
}

TEST(ChmHeaders, ABookWithManyDirectoryChunksKeepsEveryEntry) {
    // Long names fill several directory chunks; the compiler then names the wrong first chunk.
    constexpr int kPages = 240;
    std::vector<std::pair<QString, QByteArray>> files;
    for (int i = 0; i < kPages; ++i) {
        files.emplace_back(QString("page_with_a_rather_long_name_to_fill_chunks_%1.htm").arg(i),
                           QString("<html><body>page %1</body></html>").arg(i).toUtf8());
    }
    QTemporaryDir dir;
    const Bytes bytes = compileWithChmcmd(dir, "Title=Big\n", files);
    Bytes corrected = bytes;
    EXPECT_TRUE(correctChmHeaders(corrected).firstListingChunk);
    const auto book = openBook(bytes);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->pages().size(), kPages);
    EXPECT_EQ(book->data("/page_with_a_rather_long_name_to_fill_chunks_239.htm"),
              QByteArray("<html><body>page 239</body></html>"));
}

TEST(ChmArchive, ReadsTheRawCompilerOutputWithItsSystemData) {
    std::string error;
    const auto archive = ChmArchive::open(rawTestBook(), kDecoder, error);
    ASSERT_TRUE(archive) << error;
    EXPECT_EQ(archive->systemInfo().title, "Test book of the viewer");
    EXPECT_EQ(archive->systemInfo().defaultTopic, "start.htm");
    EXPECT_EQ(archive->systemInfo().contentsFile, "toc.hhc");
    QFile source(QStringLiteral(NIMBARA_TEST_SOURCE) + "/fixtures/TESTBOOK/second.htm");
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(text(archive->read("/second.htm")), source.readAll().toStdString());
}

TEST(ChmArchive, FilesFarApartKeepTheirContentInWhateverOrderTheyAreRead) {
    // Twelve files of 20 KB span several reset points of the compressed stream; reading them
    // back and forth makes the archive jump ahead, fall back and go on where it stood.
    constexpr int kFiles = 12;
    std::vector<std::pair<QString, QByteArray>> files;
    for (int i = 0; i < kFiles; ++i) {
        QByteArray content;
        for (int line = 0; content.size() < 20000; ++line) {
            content +=
                QString("file %1 line %2 %3\n").arg(i).arg(line).arg(line * 7919 % 1000).toUtf8();
        }
        files.emplace_back(QString("part%1.htm").arg(i, 2, 10, QChar('0')), content);
    }
    QTemporaryDir dir;
    std::string error;
    const auto archive =
        ChmArchive::open(compileWithChmcmd(dir, "Title=Far\n", files), kDecoder, error);
    ASSERT_TRUE(archive) << error;
    std::vector<std::string> stored;
    for (const std::string& name : archive->fileNamesInStorageOrder()) {
        if (name.starts_with("/part")) {
            stored.push_back(name);
        }
    }
    ASSERT_EQ(stored.size(), std::size_t{kFiles});
    EXPECT_EQ(stored.front(), "/part00.htm") << "stored in the order of the project";
    for (int i : {11, 0, 1, 9, 10, 3, 11, 2, 2, 7, 6, 8, 4, 5}) {
        const auto& [name, content] = files[static_cast<std::size_t>(i)];
        EXPECT_EQ(text(archive->read(name.toStdString())), content.toStdString()) << i;
    }
}

TEST(ChmArchive, LooksNamesUpWithoutCaseAndWithoutLeadingSlash) {
    std::string error;
    const auto archive = ChmArchive::open(rawTestBook(), kDecoder, error);
    ASSERT_TRUE(archive);
    EXPECT_TRUE(archive->contains("/START.HTM"));
    EXPECT_TRUE(archive->contains("Second.htm"));
    EXPECT_EQ(archive->storedName("SWATCH.PNG"), "/swatch.png");
    EXPECT_FALSE(archive->contains("/missing.htm"));
    EXPECT_FALSE(archive->read("/missing.htm"));
}

TEST(ChmArchive, RefusesWhatIsNotAnArchive) {
    std::string error;
    EXPECT_FALSE(ChmArchive::open(Bytes{'h', 'e', 'l', 'l', 'o'}, kDecoder, error));
    EXPECT_EQ(error, "The file is not a compiled help file.");
    EXPECT_FALSE(ChmArchive::open(Bytes{}, kDecoder, error));
}

TEST(ChmArchive, RefusesATruncatedArchiveOrItsMissingContent) {
    Bytes bytes = rawTestBook();
    bytes.resize(bytes.size() / 3);
    std::string error;
    const auto archive = ChmArchive::open(bytes, kDecoder, error);
    if (archive) {
        // The directory survived the cut; the compressed pages did not.
        EXPECT_FALSE(archive->read("/start.htm"));
    } else {
        EXPECT_EQ(error, "The compiled help file is damaged.");
    }
}

TEST(ChmArchive, WithoutTheDecoderNothingIsCalled) {
    std::string error;
    EXPECT_FALSE(ChmArchive::open(rawTestBook(), ChmDecoderEntry{}, error));
    EXPECT_EQ(error, "The CHM decoder is not available.");
}

TEST(ChmSystem, RecordsAreReadUntilOneIsTruncated) {
    const Bytes system = {3, 0, 0, 0,                       // version
                          3, 0, 4, 0, 'A', 'b', 'c', 0,     // title
                          2, 0, 9, 0, 'p', 'a', 'g', 'e'};  // default topic, cut short
    const ChmSystemInfo info = parseChmSystem(system);
    EXPECT_EQ(info.title, "Abc");
    EXPECT_EQ(info.defaultTopic, "");
}

TEST(ChmBook, WithoutADefaultTopicTheFirstContentsEntryOpens) {
    QTemporaryDir dir;
    const QByteArray contents =
        "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"B\">"
        "<param name=\"Local\" value=\"b.htm\"></OBJECT></UL>";
    const auto book = openBook(compileWithChmcmd(
        dir, "Contents file=toc.hhc\n",
        {{"a.htm", "<html>a</html>"}, {"b.htm", "<html>b</html>"}, {"toc.hhc", contents}}));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->defaultTopic(), "/b.htm");
    EXPECT_EQ(book->title(), "book.chm") << "a book without a title is named by its file";
}

TEST(ChmBook, WithoutDefaultTopicAndContentsTheFirstPageOpens) {
    QTemporaryDir dir;
    const auto book = openBook(compileWithChmcmd(
        dir, "Title=T\n", {{"z.htm", "<html>z</html>"}, {"m.html", "<html>m</html>"}}));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->defaultTopic(), "/m.html");
    EXPECT_EQ(book->title(), "T");
}

TEST(Sitemap, NestedListsBecomeChildrenAndEntitiesAreDecoded) {
    const QList<ContentsEntry> entries = parseSitemap(
        "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A &amp; B\">"
        "<param name=\"Local\" value=\"a.htm\"></OBJECT>"
        "<UL><LI><OBJECT type=\"text/sitemap\"><param name='Name' value='A1'>"
        "<param name=Local value=a1.htm></OBJECT></UL>"
        "<LI><object type=\"text/sitemap\"><PARAM NAME=\"Name\" VALUE=\"C&#233;\"></object>"
        "</UL>");
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].name, "A & B");
    EXPECT_EQ(entries[0].local, "a.htm");
    ASSERT_EQ(entries[0].children.size(), 1);
    EXPECT_EQ(entries[0].children[0].name, "A1");
    EXPECT_EQ(entries[0].children[0].local, "a1.htm");
    EXPECT_EQ(entries[1].name, QString::fromUtf8("C\u00e9"));
    EXPECT_TRUE(entries[1].local.isEmpty());
}

TEST(Sitemap, UnbalancedListsDoNotLoseEntries) {
    const QList<ContentsEntry> entries = parseSitemap(
        "</UL><UL><LI><OBJECT><param name=\"Name\" value=\"X\"></OBJECT><UL><UL>"
        "<LI><OBJECT><param name=\"Name\" value=\"Y\"></OBJECT>");
    ASSERT_EQ(entries.size(), 1);
    ASSERT_EQ(entries[0].children.size(), 1);
    EXPECT_EQ(entries[0].children[0].name, "Y");
}

}  // namespace
}  // namespace nimbara
