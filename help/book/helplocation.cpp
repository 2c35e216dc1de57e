#include "help/book/helplocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace nimbara {

namespace {

constexpr char kScheme[] = "ms-its";
constexpr char kSeparator[] = "::";

// The "<book>::<page>" part of a place in a book, in any of the ways a page may write it.
std::optional<QString> placeIn(const QUrl& url) {
    const QString scheme = url.scheme();
    if (scheme == kScheme || scheme == "its") {
        return url.path();
    }
    constexpr QLatin1StringView kStore("@MSITStore:");
    if (scheme == "mk" && url.path().startsWith(kStore, Qt::CaseInsensitive)) {
        return url.path().mid(kStore.size());
    }
    return std::nullopt;
}

}  // namespace

std::optional<HelpLocation> HelpLocation::fromUrl(const QUrl& url) {
    const std::optional<QString> place = placeIn(url);
    if (!place) {
        return std::nullopt;
    }
    const QString& path = *place;
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
    if (placeIn(link)) {
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

QUrl mailLinkForDesktop(const QUrl& link) {
    static const QStringList kKept = {"subject", "body", "cc", "bcc"};
    QUrl mail;
    mail.setScheme("mailto");
    // An encoded question mark in the addresses would start a query once the mail program
    // decodes them: the addresses end there.
    QString addresses = link.path(QUrl::FullyDecoded);
    addresses.truncate(addresses.indexOf('?') < 0 ? addresses.size() : addresses.indexOf('?'));
    mail.setPath(addresses, QUrl::DecodedMode);
    // The fields are kept as written (still encoded), so that what they say does not change.
    QStringList fields;
    for (const QString& field : link.query(QUrl::FullyEncoded).split('&', Qt::SkipEmptyParts)) {
        const QString name = QUrl::fromPercentEncoding(field.section('=', 0, 0).toUtf8());
        if (kKept.contains(name.trimmed(), Qt::CaseInsensitive)) {
            fields << field;
        }
    }
    if (!fields.isEmpty()) {
        mail.setQuery(fields.join('&'), QUrl::StrictMode);
    }
    return mail;
}

}  // namespace nimbara
