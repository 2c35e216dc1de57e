#pragma once

#include "chmarchive.h"
#include "helpbook.h"

namespace nimbara {

// A help book read from a compiled HTML help (CHM) file. The default topic is the one the file
// names; without one, the first page of its contents; without contents, its first page.
class ChmBook final : public HelpBook {
public:
    ChmBook(std::unique_ptr<ChmArchive> archive, const QString& fallbackTitle);

    QString title() const override { return m_title; }
    QString defaultTopic() const override { return m_defaultTopic; }
    QList<ContentsEntry> contents() const override { return m_contents; }
    std::optional<QByteArray> data(const QString& path) const override;
    QStringList pages() const override;

private:
    QString chooseDefaultTopic() const;

    std::unique_ptr<ChmArchive> m_archive;
    QString m_title;
    QList<ContentsEntry> m_contents;
    QString m_defaultTopic;
};

}  // namespace nimbara
