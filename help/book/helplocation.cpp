#include "help/book/helplocation.h"

#include <QDir>
#include <QFileInfo>

namespace nimbara {

namespace {

constexpr char kScheme[] = "ms-its";
constexpr char kSeparator[] = "::";

}  // namespace

std::optional<HelpLocation> HelpLocation::fromUrl(const QUrl& url) {
    if (url.scheme() != kScheme) {
        return std::nullopt;
    }
    const QString path = url.path();
    const qsizetype split = path.indexOf(kSeparator);
    if (split < 0) {
        return std::nullopt;
    }
    HelpLocation location{path.left(split), path.mid(split + 2), url.fragment()};
    if (!location.page.startsWith('/')) {
        location.page.prepend('/');
    }
    return location;
}

QUrl HelpLocation::toUrl() const {
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(book + kSeparator + page);
    if (!fragment.isEmpty()) {
        url.setFragment(fragment);
    }
    return url;
}

std::optional<HelpLocation> resolveHelpLink(const HelpLocation& base, const QUrl& link) {
    if (link.scheme() == kScheme) {
        std::optional<HelpLocation> target = HelpLocation::fromUrl(link);
        if (target && QFileInfo(target->book).isRelative()) {
            target->book = QFileInfo(base.book).absoluteDir().filePath(target->book);
        }
        return target;
    }
    if (!link.scheme().isEmpty()) {
        return std::nullopt;
    }
    return HelpLocation::fromUrl(base.toUrl().resolved(link));
}

}  // namespace nimbara
