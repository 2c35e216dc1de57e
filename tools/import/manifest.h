#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace nimbara {

// One photo line of a manifest.
struct ManifestEntry {
    int line = 0;       // where the line begins in the manifest, counting from 1
    QString file;       // the source picture; a relative path is taken from the manifest's folder
    QString game;       // a game id, e.g. "clouds-easy"
    QString className;  // the class or key the photo shows, or the name of one photo
    QString photographer;
    QString licence;
    QString source;       // where the picture came from, e.g. a web address
    double focusX = 0.5;  // the point to keep in the middle, as fractions of width and height
    double focusY = 0.5;  // from the top-left corner
    QString problem;      // empty, or why the line cannot be imported
};

// A manifest: comma-separated text whose first line names the columns, in any order:
//   file, game, class, photographer, licence, source      (all required)
//   focus x, focus y                                      (optional, 0 to 1; centre when empty)
// Column names are matched without regard to case or surrounding blanks; "license" is taken
// for "licence".
class Manifest {
public:
    // The manifest at path, UTF-8 text; error() tells when it cannot be used at all (unreadable
    // or no regular file, bytes that are not UTF-8, no header, a required column missing, an
    // unknown column).
    static Manifest read(const QString& path);
    // The same from text, for a manifest in folder.
    static Manifest parse(const QString& text, const QString& folder);

    const QString& error() const { return m_error; }
    const std::vector<ManifestEntry>& entries() const { return m_entries; }

    // The columns a manifest must have, in the order a template lists them.
    static const QStringList& requiredColumns();

private:
    QString m_error;
    std::vector<ManifestEntry> m_entries;
};

}  // namespace nimbara
