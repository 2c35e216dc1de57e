#pragma once

#include "help/book/searchquery.h"

#include <QList>
#include <QString>

#include <utility>
#include <vector>

namespace nimbara {

class HelpBook;

// A page of a book that holds every word of a search, and how often those words occur in it.
struct PageMatch {
    int page = 0;  // position in BookSearchIndex::pages()
    int occurrences = 0;
};

// The full-text index of one help book: for every word, the pages that hold it and how often.
// Building it decodes every page of the book; searching it decodes nothing.
class BookSearchIndex {
public:
    struct Page {
        QString path;   // inside the book, e.g. "/stages.htm"
        QString title;  // the page's <title>, or its file name when it has none
    };

    // Reads every page of book. Pages that cannot be decoded are left out.
    explicit BookSearchIndex(const HelpBook& book);

    const QString& bookTitle() const { return m_bookTitle; }
    const QList<Page>& pages() const { return m_pages; }
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
    std::vector<Word> m_words;  // sorted by word, so that a prefix is a range
};

}  // namespace nimbara
