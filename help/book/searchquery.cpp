#include "help/book/searchquery.h"

#include "help/book/helptext.h"

namespace nimbara {

SearchQuery SearchQuery::parse(const QString& text) {
    SearchQuery query;
    forEachWord(text, [&](qsizetype start, qsizetype length) {
        const qsizetype after = start + length;
        const Term term{searchKey(text.mid(start, length)),
                        after < text.size() && text[after] == '*'};
        for (const Term& known : query.m_terms) {
            if (known.key == term.key && known.prefix == term.prefix) {
                return;
            }
        }
        query.m_terms.append(term);
    });
    return query;
}

bool SearchQuery::matches(const QString& key) const {
    for (const Term& term : m_terms) {
        if (term.prefix ? key.startsWith(term.key) : key == term.key) {
            return true;
        }
    }
    return false;
}

}  // namespace nimbara
