#include "photoset.h"

#include "desktopset.h"
#include "iceset.h"
#include "samplemark.h"
#include "seastateset.h"

namespace nimbara {

namespace {

struct NamedSet {
    const char* name;
    PhotoSet (*photos)();
};

const NamedSet kSets[] = {
    {"ice", icePhotoSet},
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
