// A photo set is a table from file name to the function that draws that picture. The command line
// looks sets up by name here; a new set is one more table and one more row in the list of sets.
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

using PhotoSet = std::vector<Photo>;

QStringList photoSetNames();
std::optional<PhotoSet> findPhotoSet(const QString& name);

// The photos of the set with these file names, in the order named; all of them for an empty list.
// Nothing when a name is not in the set.
std::optional<PhotoSet> selectPhotos(const PhotoSet& set, const QStringList& names);
QStringList unknownPhotoNames(const PhotoSet& set, const QStringList& names);

// Draws the picture on a fresh canvas and marks it as a sample when it is one.
QImage renderPhoto(const Photo& photo);

}  // namespace nimbara
