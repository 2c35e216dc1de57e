#include "tools/samplephotos/sets/photoset.h"

#include "tools/samplephotos/paint/samplemark.h"
#include "tools/samplephotos/sets/desktopset.h"
#include "tools/samplephotos/sets/gamesets.h"

namespace nimbara {

std::vector<PhotoSet> allPhotoSets() {
    std::vector<PhotoSet> sets = gamePhotoSets();
    sets.push_back(desktopPhotoSet());
    return sets;
}

QStringList photoSetNames() {
    QStringList names;
    for (const PhotoSet& set : allPhotoSets()) {
        names << set.name;
    }
    return names;
}

std::optional<PhotoSet> findPhotoSet(const QString& name) {
    for (PhotoSet& set : allPhotoSets()) {
        if (set.name == name) {
            return std::move(set);
        }
    }
    return std::nullopt;
}

namespace {

const Photo* photoNamed(const PhotoSet& set, const QString& name) {
    for (const Photo& photo : set.photos) {
        if (photo.fileName == name) {
            return &photo;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::vector<Photo>> selectPhotos(const PhotoSet& set, const QStringList& names) {
    if (names.isEmpty()) {
        return set.photos;
    }
    std::vector<Photo> chosen;
    for (const QString& name : names) {
        const Photo* photo = photoNamed(set, name);
        if (photo == nullptr) {
            return std::nullopt;
        }
        chosen.push_back(*photo);
    }
    return chosen;
}

QStringList unknownPhotoNames(const PhotoSet& set, const QStringList& names) {
    QStringList unknown;
    for (const QString& name : names) {
        if (photoNamed(set, name) == nullptr) {
            unknown << name;
        }
    }
    return unknown;
}

QImage renderPhoto(const Photo& photo) {
    QImage image(photo.size, QImage::Format_RGB32);
    image.fill(Qt::black);
    photo.draw(image);
    if (photo.markedAsSample) {
        paintSampleMark(image);
    }
    return image;
}

}  // namespace nimbara
