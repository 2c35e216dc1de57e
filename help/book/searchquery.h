#pragma once

#include <QList>
#include <QString>

namespace nimbara {

// The words a user searches the help for, in the form the search compares (see searchKey). A
// word written with a '*' right after it also matches every longer word that begins with it.
class SearchQuery {
public:
    struct Term {
        QString key;
        bool prefix = false;
    };

    // Reads the words of text; anything but letters, digits and '*' only separates them. The
    // same word given twice counts once.
    static SearchQuery parse(const QString& text);

    const QList<Term>& terms() const { return m_terms; }
    bool isEmpty() const { return m_terms.isEmpty(); }
    // Whether a word (as a search key) matches one of the terms.
    bool matches(const QString& key) const;

private:
    QList<Term> m_terms;
};

}  // namespace nimbara
