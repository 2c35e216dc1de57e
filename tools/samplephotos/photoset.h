// A photo set is a table from file name to the function that draws that picture. The command line
// looks sets up by name here; a new set (clouds, sea states) is one more table and one more row in
// the list of sets.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace nimbara {

using DrawPhoto = void (*)(QImage& image);

struct Photo {
    QString fileName;
    DrawPhoto draw;
    QSize size = {400, 250};
    bool markedAsSample = true;
};

using PhotoSet = std::vector<Photo>;

QStringList photoSetNames();
std::optional<PhotoSet> findPhotoSet(const QString& name);

// Draws the picture on a fresh canvas and marks it as a sample when it is one.
QImage renderPhoto(const Photo& photo);

}  // namespace nimbara
