#include "tools/import/photosetreport.h"

#include "platform/windowsbitmap.h"

#include <QDir>

#include <algorithm>
#include <vector>

namespace nimbara {

QString PhotoSetReport::text(const PhotoCatalogue& catalogue, const QString& applicationDirectory) {
    QString report;
    const QDir directory(applicationDirectory);
    for (const CatalogueEntry& game : catalogue.games()) {
        std::vector<std::pair<QString, QStringList>> missing;  // class, names
        int present = 0;
        for (const CataloguePhoto& photo : game.photos) {
            // The game's own test: a photo it cannot show is missing.
            if (!loadWindowsBitmap(directory.filePath(game.folder + '/' + photo.fileName))
                     .isNull()) {
                ++present;
                continue;
            }
            auto group = std::find_if(missing.begin(), missing.end(),
                                      [&](const auto& g) { return g.first == photo.className; });
            if (group == missing.end()) {
                group = missing.emplace(missing.end(), photo.className, QStringList());
            }
            group->second << photo.fileName;
        }
        const int total = static_cast<int>(game.photos.size());
        if (missing.empty()) {
            report += QString("%1: all %2 photos\n").arg(game.id).arg(total);
            continue;
        }
        report += QString("%1: %2 of %3 photos; missing:\n").arg(game.id).arg(present).arg(total);
        for (const auto& [className, names] : missing) {
            report += QString("  %1: %2\n").arg(className, names.join(", "));
        }
    }
    return report;
}

}  // namespace nimbara
