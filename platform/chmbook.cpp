#include "chmbook.h"

namespace nimbara {

namespace {

bool isPage(const std::string& name) {
    const QString lower = QString::fromStdString(name).toLower();
    return lower.endsWith(".htm") || lower.endsWith(".html");
}

QString withSlash(const QString& path) {
    return path.startsWith('/') ? path : '/' + path;
}

}  // namespace

ChmBook::ChmBook(std::unique_ptr<ChmArchive> archive, const QString& fallbackTitle)
    : m_archive(std::move(archive)) {
    const ChmSystemInfo& system = m_archive->systemInfo();
    m_title = system.title.empty() ? fallbackTitle : QString::fromStdString(system.title);
    if (!system.contentsFile.empty()) {
        if (const std::optional<QByteArray> sitemap =
                data(QString::fromStdString(system.contentsFile))) {
            m_contents = parseSitemap(*sitemap);
        }
    }
    m_defaultTopic = chooseDefaultTopic();
}

QString ChmBook::chooseDefaultTopic() const {
    const std::string named = m_archive->systemInfo().defaultTopic;
    if (!named.empty() && m_archive->contains(named)) {
        return withSlash(QString::fromStdString(named));
    }
    for (const ContentsEntry& entry : m_contents) {
        if (!entry.local.isEmpty() && m_archive->contains(entry.local.toStdString())) {
            return withSlash(entry.local);
        }
    }
    const QStringList all = pages();
    return all.isEmpty() ? QString() : all.first();
}

std::optional<QByteArray> ChmBook::data(const QString& path) const {
    const std::optional<Bytes> bytes = m_archive->read(path.toStdString());
    if (!bytes) {
        return std::nullopt;
    }
    return QByteArray(reinterpret_cast<const char*>(bytes->data()),
                      static_cast<qsizetype>(bytes->size()));
}

QStringList ChmBook::pages() const {
    QStringList result;
    for (const std::string& name : m_archive->fileNames()) {
        if (isPage(name)) {
            result << QString::fromStdString(name);
        }
    }
    result.sort(Qt::CaseInsensitive);
    return result;
}

}  // namespace nimbara
