#include "tools/samplephotos/photoset.h"

#include "tools/samplephotos/cloudset.h"
#include "tools/samplephotos/desktopset.h"
#include "tools/samplephotos/iceset.h"
#include "tools/samplephotos/samplemark.h"
#include "tools/samplephotos/seastateset.h"

namespace nimbara {

namespace {

struct NamedSet {
    const char* name;
    PhotoSet (*photos)();
};

const NamedSet kSets[] = {
    {"ice", icePhotoSet},
    {"clouds", cloudPhotoSet},
    {"desktop", desktopPhotoSet},
    {"seastate", seaStatePhotoSet},
};

}  // namespace

QStringList photoSetNames() {
    QStringList names;
    for (const NamedSet& set : kSets) {
        names << set.name;
    }
    return names;
}

std::optional<PhotoSet> findPhotoSet(const QString& name) {
    for (const NamedSet& set : kSets) {
        if (name == QLatin1String(set.name)) {
            return set.photos();
        }
    }
    return std::nullopt;
}

namespace {

const Photo* photoNamed(const PhotoSet& set, const QString& name) {
    for (const Photo& photo : set) {
        if (photo.fileName == name) {
            return &photo;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<PhotoSet> selectPhotos(const PhotoSet& set, const QStringList& names) {
    if (names.isEmpty()) {
        return set;
    }
    PhotoSet chosen;
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
