#pragma once

#include "help/book/booksearchindex.h"

#include <QStringList>

#include <memory>

namespace nimbara {

class HelpShelf;

// A page found by a search.
struct SearchResult {
    QString bookPath;
    QString bookTitle;
    QString page;  // inside the book, e.g. "/stages.htm"
    QString pageTitle;
    int occurrences = 0;
};

struct SearchOutcome {
    // Most occurrences first; equal ones in the order of the books given, then by page title.
    QList<SearchResult> results;
    // File names of the books that could not be read; they were left out.
    QStringList unreadable;
};

// Full-text search over help books. A book's search index is built the first time the book is
// searched and kept for the life of the process, shared by every viewer window; it is built
// again when the book's file changes (size or time of change).
class HelpSearch {
public:
    // The index of the book at path, opened from shelf; null with errorString when it cannot
    // be read.
    static std::shared_ptr<const BookSearchIndex> index(const QString& path, const HelpShelf& shelf,
                                                        QString* errorString);
    // Searches every book of books, opened from shelf, for the pages that hold every term of
    // query.
    static SearchOutcome search(const QStringList& books, const SearchQuery& query,
                                const HelpShelf& shelf);
    // The shelf of a book: every help file (".chm", any case) in its folder, sorted by name.
    static QStringList shelf(const QString& bookPath);
    // Drops every index kept so far.
    static void forgetIndexes();
};

}  // namespace nimbara
