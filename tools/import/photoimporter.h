#pragma once

#include "tools/import/attributionfile.h"
#include "tools/import/manifest.h"
#include "tools/import/photocatalogue.h"

#include <QString>
#include <QTextStream>

#include <map>

namespace nimbara {

// What an import did.
struct ImportSummary {
    int imported = 0;
    int refused = 0;
};

// Imports the photo lines of a manifest into an application directory, line by line: each
// picture becomes the game photo of the next free name of its class (or the one photo the
// line names), in the game's folder, and its attribution goes into that folder's
// ATTRIBUTION.csv. A name is free when no earlier line of the run took it and, unless
// replacing is allowed, no photo file of the user's own holds it yet; a link to an installed
// photo is a stand-in and always free. A photo and its attribution row go in together or not at
// all (a full disk, an attribution file that cannot be written or is damaged). A line that
// cannot be imported is refused with a message naming it, and nothing is written for it; the
// other lines go on.
class PhotoImporter {
public:
    // applicationDirectory: where the games' folders are made or filled. replace: existing
    // photos may be overwritten.
    PhotoImporter(const PhotoCatalogue& catalogue, QString applicationDirectory, bool replace);

    // Imports entries in order. out receives one progress line per photo written, errors one
    // line per refused line ("line 7: ...").
    ImportSummary run(const std::vector<ManifestEntry>& entries, QTextStream& out,
                      QTextStream& errors);

private:
    struct Target {
        const CatalogueEntry* game = nullptr;
        std::size_t photo = 0;
        QString path;
    };

    // The photo entry goes to, or the reason it cannot go anywhere.
    QString chooseTarget(const ManifestEntry& entry, Target& target);
    QString importEntry(const ManifestEntry& entry, QString& written);
    // Puts the photo and the attribution with its row in place, both or neither: before is the
    // attribution as its file holds it now. Returns what went wrong; empty on success.
    static QString placeTogether(const QString& photoPath, const QByteArray& bitmap,
                                 const AttributionFile& before, const AttributionFile& after);
    AttributionFile& attributionOf(const QString& folder);

    const PhotoCatalogue& m_catalogue;
    QString m_directory;
    bool m_replace;
    std::map<QString, int> m_takenBy;  // photo path -> the line that took it in this run
    std::map<QString, AttributionFile> m_attributions;
};

}  // namespace nimbara
