// samplephotos <set> <output folder>
// Draws one set of sample pictures for the photo games and writes them as bitmaps into the
// folder, creating it when needed. Every run writes the same bytes.
#include "bitmapfile.h"
#include "photoset.h"

#include <QDir>
#include <QString>
#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "samplephotos: %s\n", qPrintable(message));
    return 1;
}

QString usage() {
    return "usage: samplephotos <set> <output folder>\n  sets: " +
           nimbara::photoSetNames().join(", ");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return fail(usage());
    }
    const QString setName = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const std::optional<nimbara::PhotoSet> photos = nimbara::findPhotoSet(setName);
    if (!photos) {
        return fail("unknown set \"" + setName + "\"\n" + usage());
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
