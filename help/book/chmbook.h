#pragma once

#include "help/book/chmarchive.h"
#include "help/book/helpbook.h"

#include <optional>

namespace nimbara {

// A help book read from a compiled HTML help (CHM) file. The default topic is the one the file
// names; without one, the first page of its contents; without contents, its first page. The
// index file is the one the file names; without one, the first ".hhk" file it holds.
class ChmBook final : public HelpBook {
public:
    ChmBook(std::unique_ptr<ChmArchive> archive, const QString& fallbackTitle);

    QString title() const override { return m_title; }
    QString defaultTopic() const override { return m_defaultTopic; }
    QList<ContentsEntry> contents() const override;
    bool hasIndex() const override { return !m_indexFile.empty(); }
    QList<IndexEntry> index() const override;
    std::optional<QByteArray> data(const QString& path) const override;
    QStringList pages() const override;

private:
    QString chooseDefaultTopic() const;
    std::string findIndexFile() const;

    std::unique_ptr<ChmArchive> m_archive;
    QString m_title;
    QString m_defaultTopic;
    std::string m_indexFile;
    // Decoded on first use.
    mutable std::optional<QList<ContentsEntry>> m_contents;
    mutable std::optional<QList<IndexEntry>> m_index;
};

}  // namespace nimbara
