#include "tools/samplephotos/sets/stage.h"

#include "platform/filereplacement.h"
#include "tools/common/bitmapfile.h"

#include <QDir>
#include <QFileInfo>
#include <stdexcept>

namespace nimbara {

std::vector<StagedPhoto> stagePart(const std::vector<PhotoSet>& sets, int part, int parts) {
    std::vector<StagedPhoto> staged;
    int index = 0;
    for (const PhotoSet& set : sets) {
        for (const Photo& photo : set.photos) {
            if (index % parts == part) {
                staged.push_back({set.folder + "/" + photo.fileName, photo});
            }
            ++index;
        }
    }
    return staged;
}

QString stagePhotos(const QString& appDir, int part, int parts, const QString& manifest) {
    if (parts < 1 || part < 0 || part >= parts) {
        return QString("there is no part %1 of %2").arg(part).arg(parts);
    }
    std::vector<PhotoSet> sets;
    try {
        sets = allPhotoSets();
    } catch (const std::runtime_error& error) {
        return QString::fromStdString(error.what());
    }
    const QDir root(appDir);
    QStringList written;
    for (const StagedPhoto& staged : stagePart(sets, part, parts)) {
        const QString path = root.filePath(staged.path);
        if (!QDir().mkpath(QFileInfo(path).path())) {
            return "cannot create the folder " + QFileInfo(path).path();
        }
        const QString error = saveBitmap(renderPhoto(staged.photo), path);
        if (!error.isEmpty()) {
            return error;
        }
        written << staged.path;
    }
    if (!QDir().mkpath(QFileInfo(manifest).path())) {
        return "cannot create the folder " + QFileInfo(manifest).path();
    }
    QByteArray lines;
    for (const QString& path : written) {
        lines += path.toUtf8() + '\n';
    }
    FileReplacement list(manifest);
    if (!list.write(lines) || !list.commit()) {
        return "cannot write " + manifest + ": " + list.errorString();
    }
    return {};
}

}  // namespace nimbara
