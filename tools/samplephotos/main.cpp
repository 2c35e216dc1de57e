// samplephotos <set> <output folder> [<picture> ...]
// Draws one set of sample pictures for the photo games, or only the named pictures of it, and
// writes them as bitmaps into the folder, creating it when needed. Every run writes the same
// bytes. Naming pictures lets the build draw a large set in several processes side by side.
#include "tools/common/bitmapfile.h"
#include "tools/samplephotos/photoset.h"

#include <QDir>
#include <QString>
#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "samplephotos: %s\n", qPrintable(message));
    return 1;
}

QString usage() {
    return "usage: samplephotos <set> <output folder> [<picture> ...]\n  sets: " +
           nimbara::photoSetNames().join(", ");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return fail(usage());
    }
    const QString setName = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const std::optional<nimbara::PhotoSet> set = nimbara::findPhotoSet(setName);
    if (!set) {
        return fail("unknown set \"" + setName + "\"\n" + usage());
    }
    QStringList names;
    for (int k = 3; k < argc; ++k) {
        names << QString::fromLocal8Bit(argv[k]);
    }
    // Every name is checked before anything is drawn, so a bad list writes nothing.
    const std::optional<nimbara::PhotoSet> photos = nimbara::selectPhotos(*set, names);
    if (!photos) {
        return fail("the set \"" + setName + "\" has no picture " +
                    nimbara::unknownPhotoNames(*set, names).join(", "));
    }
    if (!QDir().mkpath(folder)) {
        return fail("cannot create the folder " + folder);
    }
    const QDir output(folder);
    for (const nimbara::Photo& photo : *photos) {
        const QString error =
            nimbara::saveBitmap(nimbara::renderPhoto(photo), output.filePath(photo.fileName));
        if (!error.isEmpty()) {
            return fail(error);
        }
    }
    return 0;
}
