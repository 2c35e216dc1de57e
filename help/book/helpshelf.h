#pragma once

#include <QString>

#include <memory>

class QLibrary;

namespace nimbara {

class HelpBook;
struct ChmDecoderEntry;

// Where a process's help books come from: the decoder that reads compiled help files. Books,
// search indexes and viewer windows are all opened through a shelf, so nothing above this
// library knows how a file is decoded. A shelf is a small value; its copies share one decoder.
// A shelf without a decoder opens no book: each is refused with a sentence saying so.
class HelpShelf {
public:
    // A shelf that opens no book.
    HelpShelf();

    // The decoder linked into the program (tools, tests and measurements).
    static HelpShelf linked();
    // The decoder of a library loaded at run time, the help engine. Without the decoder's entry
    // points in library, the shelf opens no book. The library must stay loaded while the shelf
    // or a book it opened is in use.
    static HelpShelf fromLibrary(QLibrary& library);

    // Whether the shelf has a decoder.
    bool canRead() const;

    // Opens the book at path. Returns null and sets errorString (a sentence for the user) when
    // the file is missing or cannot be read as a help book.
    std::unique_ptr<HelpBook> open(const QString& path, QString* errorString) const;

private:
    explicit HelpShelf(std::shared_ptr<const ChmDecoderEntry> decoder);

    std::shared_ptr<const ChmDecoderEntry> m_decoder;  // null without a decoder
};

}  // namespace nimbara
