#include "helpbook.h"

#include "chmbook.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace nimbara {

namespace {

// The largest help file the viewer opens; a help book is a few hundred kilobytes.
constexpr qint64 kMaxBookSize = 256LL << 20;

// Replaces the character references that contents files use in their values.
QString decodeEntities(QString text) {
    static const QRegularExpression numeric("&#(x?)([0-9a-fA-F]+);");
    for (auto match = numeric.match(text); match.hasMatch(); match = numeric.match(text)) {
        bool ok = false;
        const uint code = match.captured(2).toUInt(&ok, match.captured(1).isEmpty() ? 10 : 16);
        text.replace(match.capturedStart(), match.capturedLength(),
                     ok && code > 0 && code <= 0x10FFFF
                         ? QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1)
                         : QString());
    }
    return text.replace("&lt;", "<")
        .replace("&gt;", ">")
        .replace("&quot;", "\"")
        .replace("&amp;", "&");
}

QString attribute(const QString& tag, const QString& name) {
    const QRegularExpression pattern(name + R"re(\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re",
                                     QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(tag);
    if (!match.hasMatch()) {
        return {};
    }
    for (int group = 1; group <= 3; ++group) {
        if (match.capturedStart(group) >= 0) {
            return decodeEntities(match.captured(group));
        }
    }
    return {};
}

}  // namespace

QList<ContentsEntry> parseSitemap(const QByteArray& sitemap) {
    const QString text = QString::fromUtf8(sitemap);
    static const QRegularExpression tagPattern(R"(<\s*(/?)\s*(ul|object|param)\b([^>]*)>)",
                                               QRegularExpression::CaseInsensitiveOption);
    QList<ContentsEntry> root;
    // The open lists, innermost last. A list opened right after an entry holds its children;
    // only the innermost list grows, so the pointers to the outer ones stay valid.
    QList<QList<ContentsEntry>*> lists;
    ContentsEntry current;
    bool inObject = false;
    for (auto it = tagPattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch tag = it.next();
        const bool closing = !tag.captured(1).isEmpty();
        const QString name = tag.captured(2).toLower();
        QList<ContentsEntry>* innermost = lists.isEmpty() ? &root : lists.last();
        if (name == "ul" && !closing) {
            const bool nested = !lists.isEmpty() && !innermost->isEmpty();
            lists.append(nested ? &innermost->last().children : innermost);
        } else if (name == "ul") {
            if (!lists.isEmpty()) {
                lists.removeLast();
            }
        } else if (name == "object" && !closing) {
            current = ContentsEntry();
            inObject = true;
        } else if (name == "object" && inObject) {
            inObject = false;
            if (!current.name.isEmpty() || !current.local.isEmpty()) {
                innermost->append(current);
            }
        } else if (name == "param" && inObject) {
            const QString key = attribute(tag.captured(3), "name").toLower();
            if (key == "name") {
                current.name = attribute(tag.captured(3), "value");
            } else if (key == "local") {
                current.local = attribute(tag.captured(3), "value");
            }
        }
    }
    return root;
}

std::unique_ptr<HelpBook> HelpBook::loadFile(const QString& path, const ChmDecoderEntry& decoder,
                                             QString* errorString) {
    QFile file(path);
    if (!file.exists()) {
        *errorString = QString("The help file %1 does not exist.").arg(path);
        return nullptr;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *errorString = QString("The help file %1 cannot be read: %2").arg(path, file.errorString());
        return nullptr;
    }
    if (file.size() > kMaxBookSize) {
        *errorString = QString("The help file %1 is too large to be a help file.").arg(path);
        return nullptr;
    }
    const QByteArray content = file.readAll();
    std::string error;
    auto archive = ChmArchive::open(Bytes(content.begin(), content.end()), decoder, error);
    if (!archive) {
        *errorString = QString("The help file %1 cannot be shown. %2")
                           .arg(path, QString::fromStdString(error));
        return nullptr;
    }
    return std::make_unique<ChmBook>(std::move(archive), QFileInfo(path).fileName());
}

}  // namespace nimbara
