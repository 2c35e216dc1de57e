// Stages the photos of every set into the application directory, each set in its folder. The
// photos of all sets, in order, are dealt round-robin into parts, so that the build can draw the
// parts side by side; each part writes a manifest of the files it drew once they are all written.
#pragma once

#include "tools/samplephotos/sets/photoset.h"

#include <QString>
#include <QStringList>

namespace nimbara {

struct StagedPhoto {
    QString path;  // below the application directory: "games/ice/ice0.bmp"
    Photo photo;
};

// The photos of part `part` (0 to parts - 1) of sets.
std::vector<StagedPhoto> stagePart(const std::vector<PhotoSet>& sets, int part, int parts);

// Draws the part of every set into application directory `appDir` and then lists the paths
// written in `manifest`, one a line. Returns an empty string on success, otherwise what went
// wrong.
QString stagePhotos(const QString& appDir, int part, int parts, const QString& manifest);

}  // namespace nimbara
