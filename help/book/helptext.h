#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace nimbara {

// Replaces the character references of an HTML text ("&amp;", "&#233;", "&#xE9;", "&eacute;").
// A reference that names no character is kept as written.
QString decodeHtmlEntities(QStringView text);

// The readable text of a help page and its title, as the full-text search sees them.
struct PageText {
    QString title;  // the <title>, blanks collapsed; empty when the page has none
    QString text;   // the text of the body, blanks collapsed, words of separate blocks apart
};

// Extracts the text of an HTML page (UTF-8). Scripts and style sheets are left out.
PageText pageText(const QByteArray& html);

// The form in which the search compares a word: lower case, accents removed ("Névé" -> "neve").
QString searchKey(QStringView word);

// text with every character in the form searchKey gives it, character for character (combining
// accents are kept, so the result is as long as text and its words stand where they stood).
QString searchKeyText(QStringView text);

// Calls found(start, length) for every word of text, in order. A word is a run of letters and
// digits (accents included); everything else separates words.
template <typename Found>
void forEachWord(QStringView text, Found found) {
    qsizetype at = 0;
    while (at < text.size()) {
        while (at < text.size() && !(text[at].isLetterOrNumber() || text[at].isMark())) {
            ++at;
        }
        const qsizetype start = at;
        while (at < text.size() && (text[at].isLetterOrNumber() || text[at].isMark())) {
            ++at;
        }
        if (at > start) {
            found(start, at - start);
        }
    }
}

}  // namespace nimbara
