#include "help/book/helpsearch.h"

#include "help/book/helpbook.h"
#include "help/book/helpshelf.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace nimbara {

namespace {

struct KeptIndex {
    qint64 size = -1;
    QDateTime modified;
    std::shared_ptr<const BookSearchIndex> index;
};

QHash<QString, KeptIndex>& keptIndexes() {
    static QHash<QString, KeptIndex> indexes;
    return indexes;
}

}  // namespace

std::shared_ptr<const BookSearchIndex> HelpSearch::index(const QString& path,
                                                         const HelpShelf& shelf,
                                                         QString* errorString) {
    const QFileInfo file(path);
    const QString key = file.absoluteFilePath();
    KeptIndex& kept = keptIndexes()[key];
    if (kept.index && kept.size == file.size() && kept.modified == file.lastModified()) {
        return kept.index;
    }
    const std::unique_ptr<HelpBook> book = shelf.open(key, errorString);
    if (!book) {
        keptIndexes().remove(key);
        return nullptr;
    }
    kept = {file.size(), file.lastModified(), std::make_shared<BookSearchIndex>(*book)};
    return kept.index;
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
    keptIndexes().clear();
}

}  // namespace nimbara
