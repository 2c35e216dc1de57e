// Building the search indexes: each book's index takes in at most its text budget, and the
// Search tab builds indexes on a thread of their own, so that the window goes on meanwhile and
// may be closed in the middle of a build.
#include "help/book/booksearchindex.h"
#include "help/book/helpbook.h"
#include "help/book/helpsearch.h"
#include "help/book/helpshelf.h"
#include "help/viewer/helpsearchpane.h"
#include "help/viewer/helpviewer.h"
#include "tests/support/settingguard.h"
#include "tests/support/testchm.h"
#include "tests/support/waits.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThreadPool>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::kShelf;

constexpr int kPages = 10;

// Page number of a book where every page has the same size: "word<n>" and "common" in the body.
QByteArray pageOfEqualSize(int number) {
    return QString(
               "<html><head><title>Page %1</title></head><body><p>word%1 common "
               "supercooled</p></body></html>")
        .arg(number, 3, 10, QChar('0'))
        .toUtf8();
}

std::vector<test::BookFile> equalPages(int count) {
    std::vector<test::BookFile> files;
    for (int page = 0; page < count; ++page) {
        files.push_back({QString("p%1.htm").arg(page, 3, 10, QChar('0')), pageOfEqualSize(page)});
    }
    return files;
}

class SearchIndexingTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new QTemporaryDir;
        ASSERT_TRUE(test::compileHelpBook(folder->filePath("TEN/TEN.CHM"),
                                          "Title=Ten pages\nDefault topic=p000.htm",
                                          equalPages(kPages)));
        ASSERT_TRUE(test::compileHelpBook(folder->filePath("LARGE/LARGE.CHM"),
                                          "Title=Many pages\nDefault topic=p000.htm",
                                          equalPages(400)));
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(folder, nullptr);
        // The page hook is the same for every build: a build for a window an earlier test left
        // open would pass it too. Such windows go, and their builds end, before a test begins.
        HelpViewer::closeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(10000));
        HelpSearch::forgetIndexes();
    }
    void TearDown() override {
        HelpViewer::closeAll();
        HelpSearch::setPageHook({});
        // No build of one test may go on into the next.
        EXPECT_TRUE(QThreadPool::globalInstance()->waitForDone(10000));
        HelpSearch::forgetIndexes();
    }
    static QString book(const QString& name) {
        return folder->filePath(name + "/" + name + ".CHM");
    }

    static QTemporaryDir* folder;
};

QTemporaryDir* SearchIndexingTest::folder = nullptr;

struct BudgetCase {
    const char* name;
    qint64 pagesOfBudget;  // the budget in whole pages
    qint64 bytesMore;      // and bytes beyond them (negative: fewer)
    int indexed;
};

class TextBudget : public SearchIndexingTest, public testing::WithParamInterface<BudgetCase> {};

TEST_P(TextBudget, PagesPastTheBudgetAreLeftOut) {
    QString error;
    const std::unique_ptr<HelpBook> ten = kShelf.open(book("TEN"), &error);
    ASSERT_TRUE(ten) << error.toStdString();
    const qint64 pageSize = pageOfEqualSize(0).size();
    const BookSearchIndex index(*ten,
                                {GetParam().pagesOfBudget * pageSize + GetParam().bytesMore, {}});
    EXPECT_EQ(index.pages().size(), GetParam().indexed);
    EXPECT_EQ(index.pagesOverBudget(), kPages - GetParam().indexed);
    EXPECT_TRUE(index.isComplete());
    EXPECT_EQ(index.find(SearchQuery::parse("common")).size(), GetParam().indexed);
    // The pages are indexed in the order the book stores them: which ones are left out is the
    // book's affair, but not one of them is found.
    int foundAlone = 0;
    for (int page = 0; page < kPages; ++page) {
        foundAlone += static_cast<int>(
            index.find(SearchQuery::parse(QString("word%1").arg(page, 3, 10, QChar('0')))).size());
    }
    EXPECT_EQ(foundAlone, GetParam().indexed);
}

INSTANTIATE_TEST_SUITE_P(
    Budgets, TextBudget,
    testing::Values(BudgetCase{"Unlimited", 1LL << 40, 0, kPages},
                    BudgetCase{"EveryPageExactly", kPages, 0, kPages},
                    BudgetCase{"OneByteShortOfEveryPage", kPages, -1, kPages - 1},
                    BudgetCase{"ThreePages", 3, 0, 3}, BudgetCase{"ThreePagesAndABit", 3, 5, 3},
                    BudgetCase{"None", 0, 0, 0}),
    [](const testing::TestParamInfo<BudgetCase>& row) { return std::string(row.param.name); });

TEST_F(SearchIndexingTest, ABuildThatIsToldToStopKeepsNothing) {
    int asked = 0;
    QString error;
    EXPECT_EQ(HelpSearch::index(book("TEN"), kShelf, &error, [&asked] { return ++asked < 4; }),
              nullptr);
    EXPECT_EQ(asked, 4) << "asked before each page until told to stop";
    EXPECT_FALSE(HelpSearch::isPrepared(book("TEN")));
    EXPECT_NE(HelpSearch::index(book("TEN"), kShelf, &error), nullptr) << "built whole later";
    EXPECT_TRUE(HelpSearch::isPrepared(book("TEN")));
}

TEST_F(SearchIndexingTest, TheSearchTabSaysWhichBooksItSearchedInPart) {
    const qint64 pageSize = pageOfEqualSize(0).size();
    const test::SettingGuard budget(&HelpSearch::textBudget, &HelpSearch::setTextBudget,
                                    4 * pageSize);
    HelpViewer* viewer = HelpViewer::open(book("TEN"), kShelf);
    viewer->navigation()->setCurrentIndex(HelpViewer::SearchTab);
    HelpSearchPane* search = viewer->searchPane();
    ASSERT_NE(search, nullptr);
    search->field()->setText("supercooled");
    search->search();
    ASSERT_TRUE(
        test::waitUntil([search] { return !search->isSearching(); }, std::chrono::seconds(10)));
    EXPECT_EQ(search->status(), "Found 4 topics. Searched in part only, too much text: TEN.CHM");
}

// Holds the building thread at its first page until released (or a deadline passes, so that a
// test that goes wrong does not hang).
class PageGate {
public:
    void arrive() {
        std::unique_lock<std::mutex> locked(m_lock);
        if (m_pages++ == 0) {
            m_changed.notify_all();
            m_changed.wait_for(locked, std::chrono::seconds(10), [this] { return m_open; });
        }
    }
    void open() {
        const std::lock_guard<std::mutex> locked(m_lock);
        m_open = true;
        m_changed.notify_all();
    }
    int pages() {
        const std::lock_guard<std::mutex> locked(m_lock);
        return m_pages;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    int m_pages = 0;
    bool m_open = false;
};

TEST_F(SearchIndexingTest, TheWindowGoesOnAndClosesWhileABookIsIndexed) {
    PageGate gate;
    HelpSearch::setPageHook([&gate] { gate.arrive(); });
    QPointer<HelpViewer> viewer = HelpViewer::open(book("LARGE"), kShelf);
    viewer->navigation()->setCurrentIndex(HelpViewer::SearchTab);
    HelpSearchPane* search = viewer->searchPane();
    ASSERT_NE(search, nullptr);
    search->field()->setText("supercooled");
    search->search();
    EXPECT_EQ(search->status(), "Preparing the search...");
    // The window handles its events while the build is held on its first page.
    ASSERT_TRUE(test::waitUntil([&gate] { return gate.pages() == 1; }, std::chrono::seconds(10)));
    EXPECT_TRUE(search->isSearching());
    viewer->navigation()->setCurrentIndex(HelpViewer::ContentsTab);
    EXPECT_EQ(viewer->navigation()->currentIndex(), HelpViewer::ContentsTab);
    viewer->close();
    ASSERT_TRUE(test::waitUntil([&viewer] { return viewer.isNull(); }, std::chrono::seconds(10)));
    gate.open();
    ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(10000));
    EXPECT_EQ(gate.pages(), 1) << "the build stopped at the page it was on";
    EXPECT_FALSE(HelpSearch::isPrepared(book("LARGE"))) << "nothing of a stopped build is kept";
}

TEST_F(SearchIndexingTest, AWaitingSearchListsItsResultsOnceTheBookIsIndexed) {
    PageGate gate;
    HelpSearch::setPageHook([&gate] { gate.arrive(); });
    HelpViewer* viewer = HelpViewer::open(book("LARGE"), kShelf);
    viewer->navigation()->setCurrentIndex(HelpViewer::SearchTab);
    HelpSearchPane* search = viewer->searchPane();
    search->field()->setText("word399");
    search->search();
    ASSERT_TRUE(test::waitUntil([&gate] { return gate.pages() == 1; }, std::chrono::seconds(10)));
    EXPECT_EQ(search->status(), "Preparing the search...");
    gate.open();
    ASSERT_TRUE(
        test::waitUntil([search] { return !search->isSearching(); }, std::chrono::seconds(20)));
    EXPECT_EQ(search->status(), "Found 1 topic");
    EXPECT_EQ(gate.pages(), 400);
}

}  // namespace
}  // namespace nimbara
