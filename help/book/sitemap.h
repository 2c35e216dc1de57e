#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace nimbara {

// Contents and index files of a help book are sitemaps: nested <UL> lists whose <LI> items hold
// an <OBJECT type="text/sitemap"> with <param name="..." value="..."> children. A list opened
// right after an item holds that item's children. Unknown markup is skipped, an unbalanced list is
// closed, and character references in values are decoded.

// One entry of a book's table of contents: a title, the page it opens (may be empty for a
// heading) and the entries below it.
struct ContentsEntry {
    QString name;
    QString local;
    QList<ContentsEntry> children;
};

// Reads a contents file: the first "Name" and the first "Local" of each item.
QList<ContentsEntry> parseSitemap(const QByteArray& sitemap);

// A page an index keyword leads to, with the title the index gives it (may be empty).
struct IndexTopic {
    QString title;
    QString local;
};

// One keyword of a book's index: the pages it leads to, or the keyword it refers to instead
// ("See Also"), and its sub-keywords.
struct IndexEntry {
    QString keyword;
    QList<IndexTopic> topics;
    QString seeAlso;
    QList<IndexEntry> children;
};

// Reads an index file. The first "Name" of an item is its keyword; every "Local" after it is a
// topic, titled by the "Name" just before that "Local" if there is one besides the keyword.
QList<IndexEntry> parseIndex(const QByteArray& sitemap);

}  // namespace nimbara
