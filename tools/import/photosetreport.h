#pragma once

#include "tools/import/photocatalogue.h"

#include <QString>

namespace nimbara {

// What each game's photo set lacks in an application directory: per game, how many of its
// photos are there and the names of those missing, grouped by class, e.g.
//   clouds-easy: 106 of 108 photos; missing:
//     Cl 3: cl3_2.bmp, cl3_4.bmp
// A photo is there when the game can show it: a whole bitmap in a regular file, directly or
// through a link (loadWindowsBitmap, the test the games use).
class PhotoSetReport {
public:
    static QString text(const PhotoCatalogue& catalogue, const QString& applicationDirectory);
};

}  // namespace nimbara
