#include "tools/samplephotos/sky/skycomposer.h"

#include "tools/samplephotos/sky/highclouds.h"
#include "tools/samplephotos/sky/lowclouds.h"
#include "tools/samplephotos/sky/middleclouds.h"

namespace nimbara {

SkyScene composeSky(const SkyPhoto& photo) {
    // The levels in this order, as the higher forms take account of the heaps standing below.
    SkyBuilder sky(photo);
    lowCloudLook(photo.low).compose(sky);
    middleCloudLook(photo.middle).compose(sky);
    highCloudLook(photo.high).compose(sky);
    return sky.scene();
}

}  // namespace nimbara
