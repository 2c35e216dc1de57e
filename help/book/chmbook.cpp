#include "help/book/chmbook.h"

namespace nimbara {

namespace {

bool hasSuffix(const std::string& name, std::initializer_list<const char*> suffixes) {
    const QString lower = QString::fromStdString(name).toLower();
    for (const char* suffix : suffixes) {
        if (lower.endsWith(QLatin1String(suffix))) {
            return true;
        }
    }
    return false;
}

bool isPage(const std::string& name) {
    return hasSuffix(name, {".htm", ".html"});
}

QString withSlash(const QString& path) {
    return path.startsWith('/') ? path : '/' + path;
}

}  // namespace

ChmBook::ChmBook(std::unique_ptr<ChmArchive> archive, const QString& fallbackTitle)
    : m_archive(std::move(archive)) {
    const ChmSystemInfo& system = m_archive->systemInfo();
    m_title = system.title.empty() ? fallbackTitle : QString::fromStdString(system.title);
    m_defaultTopic = chooseDefaultTopic();
    m_indexFile = findIndexFile();
}

std::string ChmBook::findIndexFile() const {
    const std::string named = m_archive->systemInfo().indexFile;
    if (!named.empty() && m_archive->contains(named)) {
        return m_archive->storedName(named);
    }
    for (const std::string& name : m_archive->fileNames()) {
        if (hasSuffix(name, {".hhk"})) {
            return name;
        }
    }
    return {};
}

QList<ContentsEntry> ChmBook::contents() const {
    if (!m_contents) {
        const std::string& file = m_archive->systemInfo().contentsFile;
        const std::optional<QByteArray> sitemap =
            file.empty() ? std::nullopt : data(QString::fromStdString(file));
        m_contents = sitemap ? parseSitemap(*sitemap) : QList<ContentsEntry>();
    }
    return *m_contents;
}

QList<IndexEntry> ChmBook::index() const {
    if (!m_index) {
        const std::optional<QByteArray> sitemap =
            m_indexFile.empty() ? std::nullopt : data(QString::fromStdString(m_indexFile));
        m_index = sitemap ? parseIndex(*sitemap) : QList<IndexEntry>();
    }
    return *m_index;
}

QString ChmBook::chooseDefaultTopic() const {
    const std::string named = m_archive->systemInfo().defaultTopic;
    if (!named.empty() && m_archive->contains(named)) {
        return withSlash(QString::fromStdString(named));
    }
    for (const ContentsEntry& entry : contents()) {
        if (!entry.local.isEmpty() && m_archive->contains(entry.local.toStdString())) {
            return withSlash(entry.local);
        }
    }
    QStringList all = pages();
    all.sort(Qt::CaseInsensitive);
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
    for (const std::string& name : m_archive->fileNamesInStorageOrder()) {
        if (isPage(name)) {
            result << QString::fromStdString(name);
        }
    }
    return result;
}

}  // namespace nimbara
