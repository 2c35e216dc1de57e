#include "help/book/booksearchindex.h"

#include "help/book/helpbook.h"
#include "help/book/helptext.h"

#include <QHash>

#include <algorithm>
#include <deque>
#include <map>

namespace nimbara {

BookSearchIndex::BookSearchIndex(const HelpBook& book, const SearchIndexLimits& limits)
    : m_bookTitle(book.title()) {
    // The words are counted as views into the key texts of the pages, which live until the end
    // of the build: one hash look-up and no allocation per word.
    std::deque<QString> keyTexts;
    QHash<QStringView, std::vector<Posting>> words;
    const auto countWords = [&](const QString& text, int page) {
        const QString& keys = keyTexts.emplace_back(searchKeyText(text));
        forEachWord(text, [&](qsizetype start, qsizetype length) {
            QStringView key = QStringView(keys).mid(start, length);
            if (std::any_of(key.begin(), key.end(), [](QChar c) { return c.isMark(); })) {
                key = keyTexts.emplace_back(searchKey(key));
            }
            std::vector<Posting>& postings = words[key];
            if (postings.empty() || postings.back().page != page) {
                postings.push_back({page, 1});
            } else {
                ++postings.back().count;
            }
        });
    };
    const QStringList paths = book.pages();
    qint64 budget = limits.textBudget;
    for (qsizetype at = 0; at < paths.size(); ++at) {
        if (limits.keepGoing && !limits.keepGoing()) {
            m_complete = false;
            return;
        }
        const QString& path = paths[at];
        const std::optional<QByteArray> html = book.data(path);
        if (!html) {
            continue;
        }
        if (html->size() > budget) {
            m_pagesOverBudget = static_cast<int>(paths.size() - at);
            break;
        }
        budget -= html->size();
        const PageText page = pageText(*html);
        const int number = static_cast<int>(m_pages.size());
        m_pages.append(
            {path, page.title.isEmpty() ? path.mid(path.lastIndexOf('/') + 1) : page.title});
        countWords(page.title, number);
        countWords(page.text, number);
    }
    m_words.reserve(static_cast<std::size_t>(words.size()));
    for (auto it = words.begin(); it != words.end(); ++it) {
        m_words.emplace_back(it.key().toString(), std::move(it.value()));
    }
    std::sort(m_words.begin(), m_words.end(),
              [](const Word& a, const Word& b) { return a.first < b.first; });
}

QList<PageMatch> BookSearchIndex::find(const SearchQuery& query) const {
    std::map<int, int> found;  // page -> occurrences of the terms so far
    bool firstTerm = true;
    for (const SearchQuery::Term& term : query.terms()) {
        std::map<int, int> termPages;
        auto word = std::lower_bound(
            m_words.begin(), m_words.end(), term.key,
            [](const Word& entry, const QString& key) { return entry.first < key; });
        for (; word != m_words.end(); ++word) {
            const bool match =
                term.prefix ? word->first.startsWith(term.key) : word->first == term.key;
            if (!match) {
                break;
            }
            for (const Posting& posting : word->second) {
                termPages[posting.page] += posting.count;
            }
        }
        if (firstTerm) {
            found = std::move(termPages);
            firstTerm = false;
        } else {
            std::map<int, int> both;
            for (const auto& [page, count] : termPages) {
                if (const auto earlier = found.find(page); earlier != found.end()) {
                    both.emplace(page, earlier->second + count);
                }
            }
            found = std::move(both);
        }
        if (found.empty()) {
            break;
        }
    }
    QList<PageMatch> result;
    for (const auto& [page, occurrences] : found) {
        result.append({page, occurrences});
    }
    return result;
}

}  // namespace nimbara
