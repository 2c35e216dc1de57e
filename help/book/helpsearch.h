#pragma once

#include "help/book/booksearchindex.h"

#include <QStringList>

#include <functional>
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
    // File names of the books searched only in part: their text is larger than the budget.
    QStringList partlySearched;
};

// Full-text search over help books. A book's search index is built the first time the book is
// searched and kept for the life of the process, shared by every viewer window; it is built
// again when the book's file changes (size or time of change). A book that cannot be read is
// remembered as such until its file changes. Each index takes in at most the text budget of
// page text. Indexes may be built on any thread, several at once.
class HelpSearch {
public:
    // The text budget of each book's index unless another is set: far above any help book of
    // the program, far below what a book of the largest size may decode to.
    static constexpr qint64 kDefaultTextBudget = 32LL << 20;

    // The index of the book at path, opened from shelf; null with errorString when it cannot
    // be read. While it is built, keepGoing (if given) is asked before each page; when it
    // answers false the build stops, nothing is kept and null is returned.
    static std::shared_ptr<const BookSearchIndex> index(
        const QString& path, const HelpShelf& shelf, QString* errorString,
        const std::function<bool()>& keepGoing = {});
    // Whether the index of the book at path is kept, or the book was found unreadable, since its
    // file last changed: index() then answers without reading the book.
    static bool isPrepared(const QString& path);
    // Searches every book of books, opened from shelf, for the pages that hold every term of
    // query.
    static SearchOutcome search(const QStringList& books, const SearchQuery& query,
                                const HelpShelf& shelf);
    // The shelf of a book: every help file (".chm", any case) in its folder, sorted by name.
    static QStringList shelf(const QString& bookPath);
    // Drops every index kept so far.
    static void forgetIndexes();

    // Bytes of page text that the index of each book built from now on takes in at most.
    static void setTextBudget(qint64 bytes);
    static qint64 textBudget();
    // Called on the building thread before each page of every build from now on (tests hold a
    // build there); none when empty.
    static void setPageHook(std::function<void()> hook);
};

}  // namespace nimbara
