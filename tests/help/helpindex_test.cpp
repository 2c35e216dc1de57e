// Index files: how they are read, and what the fixture books hold.
#include "help/book/chmarchive.h"
#include "help/book/helpbook.h"
#include "help/book/sitemap.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/testchm.h"

#include <QDir>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::kShelf;

// One line per keyword: indentation for its level, the keyword, then "-> title: local" for
// each topic or "see: keyword".
QStringList outline(const QList<IndexEntry>& entries, const QString& indent = QString()) {
    QStringList lines;
    for (const IndexEntry& entry : entries) {
        QString line = indent + entry.keyword;
        for (const IndexTopic& topic : entry.topics) {
            line += QString(" -> %1: %2").arg(topic.title, topic.local);
        }
        if (!entry.seeAlso.isEmpty()) {
            line += " see: " + entry.seeAlso;
        }
        lines << line << outline(entry.children, indent + "  ");
    }
    return lines;
}

std::unique_ptr<HelpBook> fixtureBook(const QString& name) {
    QString error;
    auto book = kShelf.open(QDir(test::fixtureDirectory()).filePath(name), &error);
    EXPECT_TRUE(book) << error.toStdString();
    return book;
}

struct IndexRow {
    const char* name;
    const char* sitemap;
    QStringList outline;
};

class IndexFileTest : public testing::TestWithParam<IndexRow> {};

TEST_P(IndexFileTest, IsRead) {
    EXPECT_EQ(outline(parseIndex(GetParam().sitemap)), GetParam().outline);
}

INSTANTIATE_TEST_SUITE_P(
    Sitemaps, IndexFileTest,
    testing::Values(
        IndexRow{"OneTopic",
                 "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"virga\">"
                 "<param name=\"Local\" value=\"cl_9.htm#virga\"></OBJECT></UL>",
                 {"virga -> : cl_9.htm#virga"}},
        IndexRow{"SeveralTopicsTitledByTheNameBeforeEach",
                 "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"mamma\">"
                 "<param name=\"Name\" value=\"Cb\"><param name=\"Local\" value=\"cl_9.htm\">"
                 "<param name=\"Local\" value=\"ms-its:CM_9.CHM::/cm_9.htm\">"
                 "<param name=\"Name\" value=\"Ac\"><param name=\"Local\" value=\"cm_3.htm\">"
                 "</OBJECT></UL>",
                 {"mamma -> Cb: cl_9.htm -> : ms-its:CM_9.CHM::/cm_9.htm -> Ac: cm_3.htm"}},
        IndexRow{"SubKeywordsAndSeeAlso",
                 "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"ice\">"
                 "</object><ul><li><object type=\"text/sitemap\">"
                 "<param name=\"Name\" value=\"frazil\"><param name=\"Local\" value=\"a.htm\">"
                 "</object></ul><li><object type=\"text/sitemap\">"
                 "<param name=\"Name\" value=\"sludge\"><param name=\"See Also\" value=\"frazil\">"
                 "</object></ul>",
                 {"ice", "  frazil -> : a.htm", "sludge see: frazil"}},
        IndexRow{"EntitiesAndUnquotedValues",
                 "<UL><LI><OBJECT><param name=Name value=n&eacute;v&eacute;>"
                 "<param name=Local value=firn.htm></OBJECT></UL>",
                 {QString::fromUtf8("n\u00e9v\u00e9 -> : firn.htm")}},
        IndexRow{"AnItemWithoutKeywordIsLeftOut",
                 "<UL><LI><OBJECT><param name=\"Local\" value=\"a.htm\"></OBJECT>"
                 "<!-- <LI><OBJECT><param name=\"Name\" value=\"hidden\"></OBJECT> -->"
                 "<LI><OBJECT><param name=\"Name\" value=\"shown\"></OBJECT></UL>",
                 {"shown"}}),
    [](const testing::TestParamInfo<IndexRow>& row) { return std::string(row.param.name); });

TEST(BookIndex, TheTestBookHasItsIndexFile) {
    const auto book = fixtureBook("TESTBOOK.CHM");
    ASSERT_TRUE(book);
    EXPECT_TRUE(book->hasIndex());
    EXPECT_EQ(outline(book->index()),
              QStringList({"end of the second page -> : second.htm#end",
                           "frazil -> Start page: start.htm -> Second page: second.htm",
                           "  grease ice -> : second.htm",
                           QString::fromUtf8("n\u00e9v\u00e9 -> : start.htm"),
                           "nilas -> : ms-its:OTHER.CHM::/other.htm", "red square see: swatch",
                           "swatch -> : start.htm"}));
}

TEST(BookIndex, AnIndexFileTheProjectDoesNotListIsCompiledIn) {
    const auto book = fixtureBook("OTHER.CHM");
    ASSERT_TRUE(book);
    EXPECT_EQ(
        outline(book->index()),
        QStringList({"nilas -> : other.htm", "test book -> : ms-its:TESTBOOK.CHM::/start.htm"}));
}

TEST(BookIndex, ABookWithoutIndexFileHasNone) {
    const auto book = fixtureBook("PLAIN.CHM");
    ASSERT_TRUE(book);
    EXPECT_FALSE(book->hasIndex());
    EXPECT_TRUE(book->index().isEmpty());
    EXPECT_TRUE(book->contents().isEmpty());
}

}  // namespace
}  // namespace nimbara
