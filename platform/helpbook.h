#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace nimbara {

struct ChmDecoderEntry;

// One entry of a book's table of contents: a title, the page it opens (may be empty for a
// heading) and the entries below it.
struct ContentsEntry {
    QString name;
    QString local;
    QList<ContentsEntry> children;
};

// Reads a sitemap contents file (nested <UL> lists of <OBJECT type="text/sitemap"> entries with
// "Name" and "Local" parameters). Unknown markup is skipped; an unbalanced list is closed.
QList<ContentsEntry> parseSitemap(const QByteArray& sitemap);

// A compiled help book as the viewer sees it: pages and images by path, a title, a default
// topic and a table of contents. The file format stays behind this interface.
class HelpBook {
public:
    virtual ~HelpBook() = default;

    // Opens the book at path with the given decoder. Returns null and sets errorString (a
    // sentence for the user) when the file is missing or cannot be read as a help book.
    static std::unique_ptr<HelpBook> loadFile(const QString& path, const ChmDecoderEntry& decoder,
                                              QString* errorString);

    virtual QString title() const = 0;
    // Path of the page to open first, e.g. "/cl_1.htm".
    virtual QString defaultTopic() const = 0;
    virtual QList<ContentsEntry> contents() const = 0;
    // The content of the file at path inside the book (case-insensitive); nullopt when absent.
    virtual std::optional<QByteArray> data(const QString& path) const = 0;
    // Paths of every HTML page of the book.
    virtual QStringList pages() const = 0;
};

}  // namespace nimbara
