#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace nimbara {

// A place in a help book: "ms-its:<book path>::<page path>#<fragment>". Links between books of
// one folder use the book's file name alone ("ms-its:CL_5.CHM::/cl_5.htm").
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

}  // namespace nimbara
