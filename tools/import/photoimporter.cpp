#include "tools/import/photoimporter.h"

#include "platform/filereplacement.h"
#include "tools/common/bitmapfile.h"
#include "tools/import/photocropper.h"
#include "tools/launcher/userappdirectory.h"

#include <QDir>
#include <QFileInfo>

namespace nimbara {

PhotoImporter::PhotoImporter(const PhotoCatalogue& catalogue, QString applicationDirectory,
                             bool replace)
    : m_catalogue(catalogue),
      m_directory(QDir::cleanPath(std::move(applicationDirectory))),
      m_replace(replace) {}

AttributionFile& PhotoImporter::attributionOf(const QString& folder) {
    auto found = m_attributions.find(folder);
    if (found == m_attributions.end()) {
        found = m_attributions.emplace(folder, AttributionFile::load(folder)).first;
    }
    return found->second;
}

QString PhotoImporter::chooseTarget(const ManifestEntry& entry, Target& target) {
    target.game = m_catalogue.findGame(entry.game);
    if (target.game == nullptr) {
        QStringList ids;
        for (const CatalogueEntry& game : m_catalogue.games()) {
            ids << game.id;
        }
        return QString("unknown game \"%1\"; the games are: %2").arg(entry.game, ids.join(", "));
    }
    const CatalogueEntry& game = *target.game;
    const std::vector<std::size_t> named = m_catalogue.photosNamed(game, entry.className);
    if (named.empty()) {
        return QString(
                   "\"%1\" is neither a class nor a photo of %2 "
                   "(nimbara-import --classes %2 lists them)")
            .arg(entry.className.trimmed(), game.id);
    }
    // Photos go into a folder of the user's own, never through a link into the installation.
    const QString folderError = UserAppDirectory::makeOwnFolder(m_directory, game.folder);
    if (!folderError.isEmpty()) {
        return folderError;
    }
    QStringList taken;  // "name by line N"
    QStringList existing;
    for (const std::size_t photo : named) {
        const QString name = game.photos[photo].fileName;
        const QString path = m_directory + '/' + game.folder + '/' + name;
        const auto earlier = m_takenBy.find(path);
        if (earlier != m_takenBy.end()) {
            taken << QString("%1 by line %2").arg(name).arg(earlier->second);
            continue;
        }
        const QFileInfo info(path);
        if (!m_replace && info.exists() && !info.isSymLink()) {
            existing << name;
            continue;
        }
        target.photo = photo;
        target.path = path;
        return {};
    }
    if (!existing.isEmpty()) {
        return QString("%1 already exist%2 in %3; --force replaces photos")
            .arg(existing.join(", "), existing.size() == 1 ? "s" : "",
                 m_directory + '/' + game.folder);
    }
    if (named.size() == 1) {
        const QString name = game.photos[named.front()].fileName;
        return QString("%1 is already taken by line %2")
            .arg(name)
            .arg(m_takenBy[m_directory + '/' + game.folder + '/' + name]);
    }
    return QString("every photo of %1 \"%2\" is already taken: %3")
        .arg(game.id, game.photos[named.front()].className, taken.join(", "));
}

QString PhotoImporter::importEntry(const ManifestEntry& entry, QString& written) {
    if (!entry.problem.isEmpty()) {
        return entry.problem;
    }
    Target target;
    const QString unplaced = chooseTarget(entry, target);
    if (!unplaced.isEmpty()) {
        return unplaced;
    }
    const QString folder = QFileInfo(target.path).absolutePath();
    AttributionFile& attribution = attributionOf(folder);
    if (!attribution.error().isEmpty()) {
        return attribution.error();
    }
    const CroppedPhoto cropped = PhotoCropper::crop(entry.file, {entry.focusX, entry.focusY});
    if (!cropped.error.isEmpty()) {
        return cropped.error;
    }
    const QByteArray bitmap = bitmapBytes(cropped.photo);
    if (bitmap.isEmpty()) {
        return QString("cannot encode %1 as a bitmap").arg(target.path);
    }
    const CataloguePhoto& photo = target.game->photos[target.photo];
    AttributionFile updated = attribution;
    updated.set(photo.fileName, {target.game->id, photo.className, entry.photographer,
                                 entry.licence, entry.source, QFileInfo(entry.file).fileName()});
    const QString placeError = placeTogether(target.path, bitmap, attribution, updated);
    if (!placeError.isEmpty()) {
        return placeError;
    }
    attribution = std::move(updated);
    m_takenBy[target.path] = entry.line;
    const QRect kept = PhotoCropper::cropRect(cropped.original, {entry.focusX, entry.focusY});
    written = QString("%1/%2 (%3, from %4 x %5%6)")
                  .arg(target.game->folder, photo.fileName, photo.className)
                  .arg(cropped.original.width())
                  .arg(cropped.original.height())
                  .arg(kept.width() < PhotoCropper::kPhotoSize.width() ? ", enlarged" : "");
    return {};
}

QString PhotoImporter::placeTogether(const QString& photoPath, const QByteArray& bitmap,
                                     const AttributionFile& before, const AttributionFile& after) {
    const auto cannotWrite = [](const FileReplacement& file) {
        return QString("cannot write %1: %2").arg(file.path(), file.errorString());
    };
    // Both are written whole before either is put in place, so a full disk stops both.
    FileReplacement photo(photoPath);
    FileReplacement rows(after.path());
    if (!photo.write(bitmap)) {
        return cannotWrite(photo);
    }
    if (!rows.write(after.text())) {
        return cannotWrite(rows);
    }
    if (!rows.commit()) {
        return cannotWrite(rows);
    }
    if (!photo.commit()) {
        // The row is in without its photo: the rows go back as they were.
        FileReplacement undo(before.path());
        if (undo.write(before.text())) {
            undo.commit();
        }
        return cannotWrite(photo);
    }
    return {};
}

ImportSummary PhotoImporter::run(const std::vector<ManifestEntry>& entries, QTextStream& out,
                                 QTextStream& errors) {
    ImportSummary summary;
    const int count = static_cast<int>(entries.size());
    const int countWidth = static_cast<int>(QString::number(count).size());
    int done = 0;
    for (const ManifestEntry& entry : entries) {
        ++done;
        QString written;
        const QString problem = importEntry(entry, written);
        if (!written.isEmpty()) {
            ++summary.imported;
            out << QString("[%1/%2] line %3: %4 -> %5")
                       .arg(done, countWidth)
                       .arg(count)
                       .arg(entry.line)
                       .arg(QFileInfo(entry.file).fileName(), written)
                << Qt::endl;
        }
        if (!problem.isEmpty()) {
            ++summary.refused;
            errors << QString("line %1: %2").arg(entry.line).arg(problem) << Qt::endl;
        }
    }
    return summary;
}

}  // namespace nimbara
