#pragma once

#include "tools/import/photocatalogue.h"

namespace nimbara::test {

// The photo names of every game, made once for all the import tests.
inline const PhotoCatalogue& catalogue() {
    static const PhotoCatalogue instance;
    return instance;
}

}  // namespace nimbara::test
