// Search and index over the shelf as built (the staged HELP folder): every page can be found by
// the words of its title, a search of one book stays in that book, and every keyword of an index
// leads to a page that exists.
#include "help/book/helpbook.h"
#include "help/book/helplocation.h"
#include "help/book/helpsearch.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/testchm.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

namespace nimbara {
namespace {

using test::kShelf;

QString helpFolder() {
    return QDir(test::stagedApplicationDirectory()).absoluteFilePath("HELP");
}

QStringList stagedShelf() {
    return HelpSearch::shelf(helpFolder() + "/CL.CHM");
}

// "book:page" for each result.
QStringList places(const QList<SearchResult>& results) {
    QStringList lines;
    for (const SearchResult& result : results) {
        lines << QFileInfo(result.bookPath).fileName() + ':' + result.page;
    }
    return lines;
}

TEST(ShelfSearch, TheShelfIsTheThirtyThreeBooks) {
    EXPECT_EQ(stagedShelf().size(), 33);
}

TEST(ShelfSearch, EveryPageIsFoundByTheWordsOfItsTitle) {
    const QStringList books = stagedShelf();
    int pages = 0;
    for (const QString& path : books) {
        QString error;
        const auto index = HelpSearch::index(path, kShelf, &error);
        ASSERT_TRUE(index) << error.toStdString();
        const QString book = QFileInfo(path).fileName();
        for (const BookSearchIndex::Page& page : index->pages()) {
            SCOPED_TRACE((book + ':' + page.path + " \"" + page.title + '"').toStdString());
            ++pages;
            const SearchOutcome outcome =
                HelpSearch::search(books, SearchQuery::parse(page.title), kShelf);
            EXPECT_TRUE(outcome.unreadable.isEmpty());
            EXPECT_TRUE(places(outcome.results).contains(book + ':' + page.path));
        }
    }
    EXPECT_GT(pages, 33);
}

TEST(ShelfSearch, ABookSearchStaysInTheBookAndTheShelfSearchDoesNot) {
    const QString ice = helpFolder() + "/ICE.CHM";
    const SearchQuery frazil = SearchQuery::parse("frazil");
    const QList<SearchResult> inCl1 =
        HelpSearch::search({helpFolder() + "/CL_1.CHM"}, frazil, kShelf).results;
    EXPECT_TRUE(inCl1.isEmpty()) << "a low-cloud book says nothing of frazil";
    const QList<SearchResult> onShelf = HelpSearch::search(stagedShelf(), frazil, kShelf).results;
    const QList<SearchResult> inIce = HelpSearch::search({ice}, frazil, kShelf).results;
    ASSERT_FALSE(inIce.isEmpty());
    for (const QString& place : places(inIce)) {
        EXPECT_TRUE(places(onShelf).contains(place)) << place.toStdString();
    }
    EXPECT_TRUE(places(onShelf).contains("ICE.CHM:/stages.htm"));
}

TEST(ShelfSearch, AWordOnNoPageFindsNothing) {
    EXPECT_TRUE(
        HelpSearch::search(stagedShelf(), SearchQuery::parse("qzxjv"), kShelf).results.isEmpty());
}

class ShelfIndexTest : public testing::TestWithParam<QString> {};

TEST_P(ShelfIndexTest, EveryKeywordLeadsToAPageThatExists) {
    const QString path = QDir(helpFolder()).absoluteFilePath(GetParam());
    QString error;
    const auto book = kShelf.open(path, &error);
    ASSERT_TRUE(book) << error.toStdString();
    if (!book->hasIndex()) {
        GTEST_SKIP() << "the book has no index file";
    }
    const QList<IndexEntry> index = book->index();
    EXPECT_FALSE(index.isEmpty());
    std::map<QString, std::unique_ptr<HelpBook>> others;
    std::function<void(const QList<IndexEntry>&)> walk = [&](const QList<IndexEntry>& entries) {
        for (const IndexEntry& entry : entries) {
            SCOPED_TRACE(entry.keyword.toStdString());
            EXPECT_TRUE(!entry.topics.isEmpty() || !entry.seeAlso.isEmpty() ||
                        !entry.children.isEmpty())
                << "a keyword that leads nowhere";
            for (const IndexTopic& topic : entry.topics) {
                const auto target = resolveHelpLink(HelpLocation{path, "/", {}}, QUrl(topic.local));
                ASSERT_TRUE(target) << topic.local.toStdString();
                const HelpBook* targetBook = book.get();
                if (target->book != path) {
                    auto& other = others[target->book];
                    if (!other) {
                        other = kShelf.open(target->book, &error);
                    }
                    ASSERT_TRUE(other) << error.toStdString();
                    targetBook = other.get();
                }
                const std::optional<QByteArray> page = targetBook->data(target->page);
                ASSERT_TRUE(page) << topic.local.toStdString();
                if (!target->fragment.isEmpty()) {
                    const QRegularExpression anchor(
                        QString(R"re(<a\s[^>]*name\s*=\s*"%1")re")
                            .arg(QRegularExpression::escape(target->fragment)),
                        QRegularExpression::CaseInsensitiveOption);
                    EXPECT_TRUE(anchor.match(QString::fromUtf8(*page)).hasMatch())
                        << topic.local.toStdString();
                }
            }
            walk(entry.children);
        }
    };
    walk(index);
}

QStringList bookFiles() {
    QStringList names;
    for (const QString& path : stagedShelf()) {
        names << QFileInfo(path).fileName();
    }
    return names;
}

INSTANTIATE_TEST_SUITE_P(Books, ShelfIndexTest, testing::ValuesIn(bookFiles()),
                         [](const testing::TestParamInfo<QString>& row) {
                             return row.param.section('.', 0, 0).toStdString();
                         });

}  // namespace
}  // namespace nimbara
