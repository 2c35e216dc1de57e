#pragma once

#include "help/book/searchquery.h"

#include <QList>
#include <QString>

#include <functional>
#include <limits>
#include <utility>
#include <vector>

namespace nimbara {

class HelpBook;

// A page of a book that holds every word of a search, and how often those words occur in it.
struct PageMatch {
    int page = 0;  // position in BookSearchIndex::pages()
    int occurrences = 0;
};

// What the build of a search index may take.
struct SearchIndexLimits {
    // Bytes of page text (the pages' HTML as decoded from the book) an index takes in at most;
    // the pages past it are left out. A very large book is so searched in part instead of taking
    // the memory and the time of its whole text.
    qint64 textBudget = std::numeric_limits<qint64>::max();
    // Asked before each page is read; the build stops, incomplete, when it answers false.
    std::function<bool()> keepGoing;
};

// The full-text index of one help book: for every word, the pages that hold it and how often.
// Building it decodes every page of the book; searching it decodes nothing.
class BookSearchIndex {
public:
    struct Page {
        QString path;   // inside the book, e.g. "/stages.htm"
        QString title;  // the page's <title>, or its file name when it has none
    };

    // Reads every page of book within limits. Pages that cannot be decoded are left out.
    explicit BookSearchIndex(const HelpBook& book, const SearchIndexLimits& limits = {});

    const QString& bookTitle() const { return m_bookTitle; }
    const QList<Page>& pages() const { return m_pages; }
    // Pages of the book not indexed because the text budget was spent.
    int pagesOverBudget() const { return m_pagesOverBudget; }
    // Whether the build went to its end (keepGoing never answered false).
    bool isComplete() const { return m_complete; }
    // The pages that hold every term of query (title included), in page order; empty for an
    // empty query.
    QList<PageMatch> find(const SearchQuery& query) const;

private:
    struct Posting {
        int page;
        int count;
    };
    using Word = std::pair<QString, std::vector<Posting>>;

    QString m_bookTitle;
    QList<Page> m_pages;
    int m_pagesOverBudget = 0;
    bool m_complete = true;
    std::vector<Word> m_words;  // sorted by word, so that a prefix is a range
};

}  // namespace nimbara
