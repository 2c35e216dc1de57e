// Full-text search over the fixture books: TESTBOOK (pages "Start" and "Second"), OTHER and PLAIN
// make a shelf of three.
#include "help/book/helpsearch.h"
#include "help/book/helpbook.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/testchm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::kShelf;

using test::fixture;

// "title in book (occurrences)" for each result, in order.
QStringList found(const QStringList& books, const QString& words) {
    QStringList lines;
    for (const SearchResult& result :
         HelpSearch::search(books, SearchQuery::parse(words), kShelf).results) {
        lines << QString("%1 in %2 (%3)")
                     .arg(result.pageTitle, QFileInfo(result.bookPath).fileName())
                     .arg(result.occurrences);
    }
    return lines;
}

QStringList testBookShelf() {
    return HelpSearch::shelf(fixture("TESTBOOK.CHM"));
}

class HelpSearchTest : public testing::Test {
protected:
    void SetUp() override { HelpSearch::forgetIndexes(); }
    void TearDown() override { HelpSearch::forgetIndexes(); }
};

TEST_F(HelpSearchTest, TheIndexOfABookListsItsPagesWithTheirTitles) {
    QString error;
    const auto index = HelpSearch::index(fixture("TESTBOOK.CHM"), kShelf, &error);
    ASSERT_TRUE(index) << error.toStdString();
    EXPECT_EQ(index->bookTitle(), "Test book of the viewer");
    ASSERT_EQ(index->pages().size(), 2);
    EXPECT_EQ(index->pages()[0].path, "/start.htm");
    EXPECT_EQ(index->pages()[0].title, "Start");
    EXPECT_EQ(index->pages()[1].path, "/second.htm");
    EXPECT_EQ(index->pages()[1].title, "Second");
}

struct SearchRow {
    const char* name;
    const char* words;
    QStringList books;  // file names in the fixture folder; empty for the whole shelf
    QStringList expected;
};

class SearchRowTest : public HelpSearchTest, public testing::WithParamInterface<SearchRow> {};

TEST_P(SearchRowTest, FindsThePagesThatHoldEveryWord) {
    QStringList books;
    for (const QString& name : GetParam().books) {
        books << fixture(name);
    }
    EXPECT_EQ(found(books.isEmpty() ? testBookShelf() : books, GetParam().words),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Searches, SearchRowTest,
    testing::Values(SearchRow{"MostOccurrencesFirst",
                              "frazil",
                              {"TESTBOOK.CHM"},
                              {"Second in TESTBOOK.CHM (2)", "Start in TESTBOOK.CHM (1)"}},
                    SearchRow{"NoneInABookThatLacksTheWord", "frazil", {"OTHER.CHM"}, {}},
                    SearchRow{"NoneInAnotherBookThatLacksIt", "frazil", {"PLAIN.CHM"}, {}},
                    SearchRow{"TheShelfFindsItInTwoOtherBooks",
                              "nilas",
                              {},
                              {"Other in OTHER.CHM (1)", "Plain in PLAIN.CHM (1)"}},
                    SearchRow{"TheShelfRanksThenKeepsTheOrderOfItsBooks",
                              "ice",
                              {},
                              {"Second in TESTBOOK.CHM (2)", "Other in OTHER.CHM (1)",
                               "Plain in PLAIN.CHM (1)", "Start in TESTBOOK.CHM (1)"}},
                    SearchRow{"EveryWordMustBeOnThePage",
                              "frazil crystals",
                              {},
                              {"Second in TESTBOOK.CHM (3)"}},
                    SearchRow{"WordsOnDifferentPagesFindNothing", "frazil nilas", {}, {}},
                    SearchRow{"APrefixWithAStar",
                              "FRAZ*",
                              {},
                              {"Second in TESTBOOK.CHM (2)", "Start in TESTBOOK.CHM (1)"}},
                    SearchRow{"WithoutTheStarOnlyTheWholeWord", "fraz", {}, {}},
                    SearchRow{"AccentsAreIgnored", "neve", {}, {"Start in TESTBOOK.CHM (1)"}},
                    SearchRow{"TheTitleCounts", "plain", {}, {"Plain in PLAIN.CHM (2)"}},
                    SearchRow{"MarkupIsNotText", "href", {}, {}},
                    SearchRow{"NoWordsNoResults", " ,; ", {}, {}}),
    [](const testing::TestParamInfo<SearchRow>& row) { return std::string(row.param.name); });

TEST_F(HelpSearchTest, TheShelfIsEveryHelpFileOfTheFolderSortedByName) {
    test::AppDirFixture dir;
    dir.writeFile("HELP/b.chm", "x");
    dir.writeFile("HELP/A.CHM", "x");
    dir.writeFile("HELP/notes.txt", "x");
    dir.writeFile("HELP/sub/C.CHM", "x");
    EXPECT_EQ(HelpSearch::shelf(dir.absolute("HELP/b.chm")),
              QStringList({dir.absolute("HELP/A.CHM"), dir.absolute("HELP/b.chm")}));
}

TEST_F(HelpSearchTest, ABookThatCannotBeReadIsNamedAndTheOthersAreSearched) {
    test::AppDirFixture dir;
    ASSERT_TRUE(QFile::copy(fixture("OTHER.CHM"), dir.absolute("OTHER.CHM")));
    dir.writeFile("BROKEN.CHM", "not a help file");
    const SearchOutcome outcome = HelpSearch::search(HelpSearch::shelf(dir.absolute("OTHER.CHM")),
                                                     SearchQuery::parse("nilas"), kShelf);
    EXPECT_EQ(outcome.unreadable, QStringList({"BROKEN.CHM"}));
    ASSERT_EQ(outcome.results.size(), 1);
    EXPECT_EQ(outcome.results[0].pageTitle, "Other");
    EXPECT_EQ(outcome.results[0].bookTitle, "The other book");
    EXPECT_EQ(outcome.results[0].page, "/other.htm");
}

TEST_F(HelpSearchTest, ABookWhoseFileChangedIsIndexedAgain) {
    test::AppDirFixture dir;
    const QString book = dir.absolute("BOOK.CHM");
    ASSERT_TRUE(QFile::copy(fixture("OTHER.CHM"), book));
    EXPECT_EQ(found({book}, "crust"), QStringList({"Other in BOOK.CHM (1)"}));
    ASSERT_TRUE(QFile::remove(book));
    ASSERT_TRUE(QFile::copy(fixture("PLAIN.CHM"), book));
    EXPECT_EQ(found({book}, "crust"), QStringList());
    EXPECT_EQ(found({book}, "pancake"), QStringList({"Plain in BOOK.CHM (1)"}));
}

TEST_F(HelpSearchTest, AMissingBookHasNoIndex) {
    QString error;
    EXPECT_FALSE(HelpSearch::index(fixture("NOWHERE.CHM"), kShelf, &error));
    EXPECT_EQ(error, QString("The help file %1 does not exist.").arg(fixture("NOWHERE.CHM")));
}

}  // namespace
}  // namespace nimbara
