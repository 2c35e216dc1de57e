#include "tools/samplephotos/sets/iceset.h"

#include "tools/samplephotos/ice/bergscenes.h"
#include "tools/samplephotos/ice/coastscenes.h"
#include "tools/samplephotos/ice/floescenes.h"
#include "tools/samplephotos/ice/seaicescenes.h"
#include "tools/samplephotos/ice/youngicescenes.h"
#include "tools/samplephotos/sets/gamesets.h"

#include <iterator>

namespace nimbara {

namespace {

// Ice game I ("ice1"): photo k shows class k.
const DrawPhoto kGameOne[] = {
    drawBergyBit,            // 0 bergy bit
    drawBrash,               // 1 brash ice
    drawFloeberg,            // 2 floeberg
    drawGreaseIce,           // 3 grease ice
    drawGreyIce,             // 4 grey ice
    drawGreyWhiteIce,        // 5 grey-white ice
    drawGrowler,             // 6 growler
    drawHummockedIce,        // 7 hummocked ice
    drawIceberg,             // 8 iceberg
    drawMediumFirstYearIce,  // 9 medium first-year ice
    drawMultiYearIce,        // 10 multi-year ice
    drawNilas,               // 11 nilas
    drawSecondYearIce,       // 12 second-year ice
    drawShuga,               // 13 shuga
    drawSlush,               // 14 slush
    drawSmallFloes,          // 15 small floes
    drawThickFirstYearIce,   // 16 thick first-year ice
    drawThinFirstYearIce,    // 17 thin first-year ice
};

// Ice game II ("ice2"): photo k shows class k.
const DrawPhoto kGameTwo[] = {
    drawCrack,          // 0 crack
    drawFastIce,        // 1 fast ice
    drawFingerRafting,  // 2 finger rafting
    drawGiantFloes,     // 3 giant floes
    drawGlacier,        // 4 glacier
    drawHummock,        // 5 hummock
    drawIceCake,        // 6 ice cake
    drawIceShelf,       // 7 ice shelf
    drawLead,           // 8 lead
    drawNewIce,         // 9 new ice
    drawPancakeIce,     // 10 pancake ice
    drawPolynya,        // 11 polynya
    drawSastrugi,       // 12 sastrugi
    drawStrandedIce,    // 13 stranded ice
    drawStrip,          // 14 strip
    drawTabularBerg,    // 15 tabular berg
    drawVastFloes,      // 16 vast floes
    drawVeryOpenPack,   // 17 very open pack ice
};

}  // namespace

DrawPhoto icePicture(const std::string& game, const PhotoId& photo) {
    const std::optional<std::size_t> number = photoNumber(photo, 0, 0);
    if (!number) {
        return {};
    }
    if (game == "ice1" && *number < std::size(kGameOne)) {
        return kGameOne[*number];
    }
    if (game == "ice2" && *number < std::size(kGameTwo)) {
        return kGameTwo[*number];
    }
    return {};
}

}  // namespace nimbara
