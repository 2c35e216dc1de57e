// The help book compiler on small projects: what it stores, and what it refuses with which
// message.
#include "help/book/chmarchive.h"
#include "help/book/helpbook.h"
#include "tests/support/testchm.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace nimbara {
namespace {

const ChmDecoderEntry kDecoder = linkedChmDecoder();
using test::kShelf;

const QByteArray kPage = "<html><head><title>A</title></head><body><p>a</p></body></html>";

QByteArray sitemap(const QByteArray& items) {
    return "<HTML><BODY><UL>" + items + "</UL></BODY></HTML>";
}

QByteArray item(const QByteArray& name, const QByteArray& local) {
    return "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
           "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>";
}

struct Build {
    int exitCode = -1;
    QString message;  // what the compiler wrote, without its trailing newline
    QString output;   // the compiled book
};

// Writes a book "B" whose project has options and lists files (with their contents), then
// compiles it.
Build build(const QTemporaryDir& dir, const QByteArray& options,
            const std::vector<std::pair<QString, QByteArray>>& files, const QStringList& listed) {
    QDir().mkpath(dir.filePath("B"));
    QDir().mkpath(dir.filePath("common"));
    QFile project(dir.filePath("B/B.hhp"));
    EXPECT_TRUE(project.open(QIODevice::WriteOnly));
    project.write("[OPTIONS]\nCompiled file=B.CHM\nDefault topic=a.htm\nTitle=B\n" + options +
                  "\n[FILES]\n" + listed.join('\n').toUtf8() + '\n');
    project.close();
    for (const auto& [name, content] : files) {
        QFile file(dir.filePath("B/" + name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QProcess compiler;
    compiler.setProcessChannelMode(QProcess::MergedChannels);
    compiler.start(CHMBUILD_PROGRAM, {dir.filePath("B/B.hhp"), dir.filePath("common"),
                                      dir.filePath("stage"), dir.filePath("B.CHM")});
    EXPECT_TRUE(compiler.waitForFinished(120000));
    QString message = QString::fromUtf8(compiler.readAll());
    message.remove(QRegularExpression("QStandardPaths:[^\n]*\n"));
    return {compiler.exitCode(), message.trimmed(), dir.filePath("B.CHM")};
}

TEST(ChmBuild, AnIndexFileTheProjectListsIsStoredOnceAndNamed) {
    QTemporaryDir dir;
    const Build result = build(dir, "Index file=index.hhk",
                               {{"a.htm", kPage}, {"index.hhk", sitemap(item("alpha", "a.htm"))}},
                               {"a.htm", "index.hhk"});
    ASSERT_EQ(result.exitCode, 0) << result.message.toStdString();
    QFile file(result.output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    std::string error;
    const auto archive = ChmArchive::open(Bytes(bytes.begin(), bytes.end()), kDecoder, error);
    ASSERT_TRUE(archive) << error;
    EXPECT_EQ(std::count(archive->fileNames().begin(), archive->fileNames().end(), "/index.hhk"),
              1);
    EXPECT_EQ(archive->systemInfo().indexFile, "index.hhk");
    QString loadError;
    const auto book = kShelf.open(result.output, &loadError);
    ASSERT_TRUE(book);
    ASSERT_EQ(book->index().size(), 1);
    EXPECT_EQ(book->index()[0].keyword, "alpha");
}

struct RefusalRow {
    const char* name;
    QByteArray options;
    std::vector<std::pair<QString, QByteArray>> files;
    QStringList listed;
    const char* message;
};

class ChmBuildRefusalTest : public testing::TestWithParam<RefusalRow> {};

TEST_P(ChmBuildRefusalTest, NamesTheFault) {
    QTemporaryDir dir;
    const Build result = build(dir, GetParam().options, GetParam().files, GetParam().listed);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.message, QString::fromUtf8(GetParam().message));
    EXPECT_FALSE(QFile::exists(result.output));
}

INSTANTIATE_TEST_SUITE_P(
    Projects, ChmBuildRefusalTest,
    testing::Values(
        RefusalRow{"IndexFileMissing",
                   "Index file=index.hhk",
                   {{"a.htm", kPage}},
                   {"a.htm"},
                   "chmbuild: index file missing: index.hhk"},
        RefusalRow{"IndexWithoutKeywords",
                   "Index file=index.hhk",
                   {{"a.htm", kPage}, {"index.hhk", sitemap("")}},
                   {"a.htm"},
                   "chmbuild: the index file has no keywords: index.hhk"},
        RefusalRow{"KeywordLeadingToAnUnlistedPage",
                   "Index file=index.hhk",
                   {{"a.htm", kPage}, {"index.hhk", sitemap(item("beta", "b.htm#top"))}},
                   {"a.htm"},
                   "chmbuild: index.hhk leads to b.htm#top, which the project does not list"},
        RefusalRow{"KeywordLeadingToAPageOfOtherCase",
                   "Index file=index.hhk",
                   {{"a.htm", kPage}, {"index.hhk", sitemap(item("alpha", "A.htm"))}},
                   {"a.htm"},
                   "chmbuild: index.hhk leads to A.htm, which the project does not list"},
        RefusalRow{"ContentsEntryLeadingToAnUnlistedPage",
                   "Contents file=toc.hhc",
                   {{"a.htm", kPage}, {"toc.hhc", sitemap(item("Gamma", "c.htm"))}},
                   {"a.htm"},
                   "chmbuild: toc.hhc leads to c.htm, which the project does not list"}),
    [](const testing::TestParamInfo<RefusalRow>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace nimbara
