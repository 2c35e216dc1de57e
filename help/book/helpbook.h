#pragma once

#include "help/book/sitemap.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace nimbara {

// A compiled help book as the viewer sees it: pages and images by path, a title, a default
// topic, a table of contents and a keyword index. The file format stays behind this interface.
// Opening a book decodes only its directory and title; contents, index and pages are decoded
// when asked for. Books are opened by a HelpShelf.
class HelpBook {
public:
    virtual ~HelpBook() = default;

    virtual QString title() const = 0;
    // Path of the page to open first, e.g. "/cl_1.htm".
    virtual QString defaultTopic() const = 0;
    // The table of contents, decoded on the first call; empty without one.
    virtual QList<ContentsEntry> contents() const = 0;
    // Whether the book has an index file; answered without decoding it.
    virtual bool hasIndex() const = 0;
    // The keywords of the book's index file, decoded on the first call; empty without one.
    virtual QList<IndexEntry> index() const = 0;
    // The content of the file at path inside the book (case-insensitive); nullopt when absent.
    virtual std::optional<QByteArray> data(const QString& path) const = 0;
    // Paths of every HTML page of the book, in the order that decodes them with the least work.
    virtual QStringList pages() const = 0;
};

}  // namespace nimbara
