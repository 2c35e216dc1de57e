// samplephotos <set> <output folder> [<picture> ...]
// samplephotos --stage <application directory> <part> <parts> <manifest>
// The first form draws one set of sample pictures, or only the named pictures of it, and writes
// them as bitmaps into the folder, creating it when needed. The second draws part <part> (0 to
// <parts> - 1) of every set into the set's folder of the application directory, as the build
// stages them, and lists the files written in <manifest>. Every run writes the same bytes.
#include "tools/common/bitmapfile.h"
#include "tools/samplephotos/sets/photoset.h"
#include "tools/samplephotos/sets/stage.h"

#include <QDir>
#include <QString>
#include <cstdio>
#include <stdexcept>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "samplephotos: %s\n", qPrintable(message));
    return 1;
}

QString usage() {
    return "usage: samplephotos <set> <output folder> [<picture> ...]\n"
           "       samplephotos --stage <application directory> <part> <parts> <manifest>\n"
           "  sets: " +
           nimbara::photoSetNames().join(", ");
}

int stage(int argc, char** argv) {
    bool partIsNumber = false;
    bool partsIsNumber = false;
    const int part = argc == 6 ? QString::fromLocal8Bit(argv[3]).toInt(&partIsNumber) : 0;
    const int parts = argc == 6 ? QString::fromLocal8Bit(argv[4]).toInt(&partsIsNumber) : 0;
    if (!partIsNumber || !partsIsNumber) {
        return fail(usage());
    }
    const QString error = nimbara::stagePhotos(QString::fromLocal8Bit(argv[2]), part, parts,
                                               QString::fromLocal8Bit(argv[5]));
    return error.isEmpty() ? 0 : fail(error);
}

int drawSet(int argc, char** argv) {
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
    const std::optional<std::vector<nimbara::Photo>> photos = nimbara::selectPhotos(*set, names);
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

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc >= 2 && QString::fromLocal8Bit(argv[1]) == "--stage") {
            return stage(argc, argv);
        }
        if (argc < 3) {
            return fail(usage());
        }
        return drawSet(argc, argv);
    } catch (const std::runtime_error& error) {
        return fail(QString::fromStdString(error.what()));
    }
}
