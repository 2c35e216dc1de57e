#include "help/book/helpsearch.h"

#include "help/book/helpbook.h"
#include "help/book/helpshelf.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <algorithm>

namespace nimbara {

namespace {

struct KeptIndex {
    qint64 size = -1;
    QDateTime modified;
    std::shared_ptr<const BookSearchIndex> index;  // null when the book could not be read
    QString error;                                 // why it could not
};

// What every build shares, under one lock: the indexes kept, the budget and the page hook.
struct Shared {
    QMutex lock;
    QHash<QString, KeptIndex> indexes;
    qint64 textBudget = HelpSearch::kDefaultTextBudget;
    std::function<void()> pageHook;
};

Shared& shared() {
    static Shared state;
    return state;
}

bool isCurrent(const KeptIndex& kept, const QFileInfo& file) {
    return kept.size == file.size() && kept.modified == file.lastModified();
}

}  // namespace

std::shared_ptr<const BookSearchIndex> HelpSearch::index(const QString& path,
                                                         const HelpShelf& shelf,
                                                         QString* errorString,
                                                         const std::function<bool()>& keepGoing) {
    const QFileInfo file(path);
    const QString key = file.absoluteFilePath();
    SearchIndexLimits limits;
    std::function<void()> pageHook;
    {
        const QMutexLocker locked(&shared().lock);
        const auto kept = shared().indexes.constFind(key);
        if (kept != shared().indexes.cend() && isCurrent(*kept, file)) {
            *errorString = kept->error;
            return kept->index;
        }
        limits.textBudget = shared().textBudget;
        pageHook = shared().pageHook;
    }
    // Built outside the lock: other books are searched and built meanwhile.
    limits.keepGoing = [&keepGoing, &pageHook] {
        if (pageHook) {
            pageHook();
        }
        return !keepGoing || keepGoing();
    };
    KeptIndex built{file.size(), file.lastModified(), nullptr, QString()};
    if (const std::unique_ptr<HelpBook> book = shelf.open(key, &built.error)) {
        auto index = std::make_shared<const BookSearchIndex>(*book, limits);
        if (!index->isComplete()) {
            *errorString = "The search index was not finished.";
            return nullptr;
        }
        built.index = std::move(index);
    }
    *errorString = built.error;
    const QMutexLocker locked(&shared().lock);
    shared().indexes.insert(key, built);
    return built.index;
}

bool HelpSearch::isPrepared(const QString& path) {
    const QFileInfo file(path);
    const QMutexLocker locked(&shared().lock);
    const auto kept = shared().indexes.constFind(file.absoluteFilePath());
    return kept != shared().indexes.cend() && isCurrent(*kept, file);
}

SearchOutcome HelpSearch::search(const QStringList& books, const SearchQuery& query,
                                 const HelpShelf& shelf) {
    SearchOutcome outcome;
    if (query.isEmpty()) {
        return outcome;
    }
    struct Ranked {
        SearchResult result;
        int bookOrder;
    };
    std::vector<Ranked> ranked;
    for (int order = 0; order < books.size(); ++order) {
        QString error;
        const std::shared_ptr<const BookSearchIndex> book = index(books[order], shelf, &error);
        if (!book) {
            outcome.unreadable << QFileInfo(books[order]).fileName();
            continue;
        }
        if (book->pagesOverBudget() > 0) {
            outcome.partlySearched << QFileInfo(books[order]).fileName();
        }
        const QString bookPath = QFileInfo(books[order]).absoluteFilePath();
        for (const PageMatch& match : book->find(query)) {
            const BookSearchIndex::Page& page = book->pages()[match.page];
            ranked.push_back(
                {{bookPath, book->bookTitle(), page.path, page.title, match.occurrences}, order});
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.result.occurrences != b.result.occurrences) {
            return a.result.occurrences > b.result.occurrences;
        }
        if (a.bookOrder != b.bookOrder) {
            return a.bookOrder < b.bookOrder;
        }
        return a.result.pageTitle.localeAwareCompare(b.result.pageTitle) < 0;
    });
    for (Ranked& entry : ranked) {
        outcome.results.append(std::move(entry.result));
    }
    return outcome;
}

QStringList HelpSearch::shelf(const QString& bookPath) {
    const QDir folder = QFileInfo(bookPath).absoluteDir();
    QStringList books;
    for (const QFileInfo& file :
         folder.entryInfoList({"*.chm"}, QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        books << file.absoluteFilePath();
    }
    return books;
}

void HelpSearch::forgetIndexes() {
    const QMutexLocker locked(&shared().lock);
    shared().indexes.clear();
}

void HelpSearch::setTextBudget(qint64 bytes) {
    const QMutexLocker locked(&shared().lock);
    shared().textBudget = bytes;
}

qint64 HelpSearch::textBudget() {
    const QMutexLocker locked(&shared().lock);
    return shared().textBudget;
}

void HelpSearch::setPageHook(std::function<void()> hook) {
    const QMutexLocker locked(&shared().lock);
    shared().pageHook = std::move(hook);
}

}  // namespace nimbara
