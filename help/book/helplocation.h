#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace nimbara {

// A place in a help book: "ms-its:<book path>::<page path>#<fragment>". Links between books of
// one folder use the book's file name alone ("ms-its:CL_5.CHM::/cl_5.htm"). Pages may also write
// such a place as "its:<book>::<page>" or "mk:@MSITStore:<book>::<page>"; it is read the same way
// and always written with "ms-its:".
struct HelpLocation {
    QString book;  // file path of the book, absolute once resolved
    QString page;  // path inside the book, beginning with '/'
    QString fragment;

    static std::optional<HelpLocation> fromUrl(const QUrl& url);
    QUrl toUrl() const;
};

// Resolves link, as written in the page at base, to the place it leads to; nullopt for links
// that leave the help (web addresses, mail) or cannot be read.
std::optional<HelpLocation> resolveHelpLink(const HelpLocation& base, const QUrl& link);

// The mail link that may go to the desktop's mail program for a "mailto:" link of a page: its
// addresses with the subject, body, cc and bcc fields of its query, in their order and as
// written. Every other field (an attachment, a reply address, headers) is dropped, and so is a
// fragment.
QUrl mailLinkForDesktop(const QUrl& link);

}  // namespace nimbara
