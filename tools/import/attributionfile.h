#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace nimbara {

// Who made each photo of a folder and under which licence: ATTRIBUTION.csv beside the photos,
// comma-separated with the header line
//   photo,game,class,photographer,licence,source,original
// one row per photo, in the order the rows were first added.
class AttributionFile {
public:
    static constexpr const char* kFileName = "ATTRIBUTION.csv";

    // The attribution of folder, with the rows its file already holds. A missing file is an
    // empty attribution; an unreadable one sets error().
    static AttributionFile load(const QString& folder);

    // Adds the row of photo, or replaces the row it had. row: game, class, photographer,
    // licence, source, original, after the photo's name.
    void set(const QString& photo, const QStringList& row);
    // Writes the whole file anew; it is replaced only once complete (a link in its place is
    // replaced, not written through). Returns what went wrong; empty on success.
    QString save() const;

    const QString& error() const { return m_error; }
    const std::vector<QStringList>& rows() const { return m_rows; }

private:
    QString m_path;
    QString m_error;
    std::vector<QStringList> m_rows;  // each starting with the photo's name
};

}  // namespace nimbara
