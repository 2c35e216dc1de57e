#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace nimbara {

// Who made each photo of a folder and under which licence: ATTRIBUTION.csv beside the photos,
// comma-separated in UTF-8, its first line naming the columns. The import's columns are
//   photo,game,class,photographer,licence,source,original
// and a new file has just these, one row per photo in the order the rows were first added. A
// file may hold columns of its own as well, in any order: they are kept in their places with
// their values. A damaged file is never rewritten.
class AttributionFile {
public:
    static constexpr const char* kFileName = "ATTRIBUTION.csv";

    // The attribution of folder, with the rows its file already holds. A missing file is an
    // empty attribution. error() says why the file cannot be used: it is unreadable, or damaged
    // (not UTF-8 text, a quote never closed, text after a closing quote, more values than the
    // first line names, no "photo" column).
    static AttributionFile load(const QString& folder);

    // Adds the row of photo, or replaces the row it had. row: game, class, photographer,
    // licence, source, original, after the photo's name. Columns of the file's own are left
    // empty in a new or replaced row: what they said was about another picture.
    void set(const QString& photo, const QStringList& row);
    // The whole file as it is to be written.
    QByteArray text() const;

    const QString& path() const { return m_path; }
    const QString& error() const { return m_error; }

private:
    QString m_path;
    QString m_error;
    QStringList m_columns;
    std::vector<QStringList> m_rows;  // a value for each column
};

}  // namespace nimbara
