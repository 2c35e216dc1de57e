// A photo set is the pictures that go into one folder of the application directory, each with the
// function that draws it: one set per folder of game photos, holding the photos the games' own
// definitions name there, and the default desktop picture. The command line looks sets up by name.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace nimbara {

using DrawPhoto = std::function<void(QImage& image)>;

struct Photo {
    QString fileName;
    DrawPhoto draw;
    QSize size = {400, 250};
    bool markedAsSample = true;
};

struct PhotoSet {
    QString name;    // "clouds"
    QString folder;  // below the application directory: "games/clouds"
    std::vector<Photo> photos;
};

// Every set: the game photo folders in the order the games come, then the desktop picture.
// Throws std::runtime_error when a game has a photo the generator has no picture for.
std::vector<PhotoSet> allPhotoSets();
QStringList photoSetNames();
std::optional<PhotoSet> findPhotoSet(const QString& name);

// The photos of the set with these file names, in the order named; all of them for an empty list.
// Nothing when a name is not in the set.
std::optional<std::vector<Photo>> selectPhotos(const PhotoSet& set, const QStringList& names);
QStringList unknownPhotoNames(const PhotoSet& set, const QStringList& names);

// Draws the picture on a fresh canvas and marks it as a sample when it is one.
QImage renderPhoto(const Photo& photo);

}  // namespace nimbara
