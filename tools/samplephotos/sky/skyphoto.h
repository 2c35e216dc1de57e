// A sky photograph described by the clouds it shows at each level, in the observer's terms
// (species, varieties, how they formed and whether they invade the sky), and by where and when it
// was taken.
#pragma once

#include "tools/samplephotos/paint/daylight.h"
#include "tools/samplephotos/sky/skyground.h"

#include <cstdint>

namespace nimbara {

enum class LowCloud {
    None,
    Humilis,            // fair-weather cumulus, small and flat
    FairFractus,        // ragged cumulus of fair weather
    Towering,           // cumulus mediocris and congestus
    CbCalvus,           // cumulonimbus whose top has lost its outline, without fibres
    ScFromCumulus,      // stratocumulus spreading out from cumulus
    Stratocumulus,      // stratocumulus in rolls or patches with gaps
    ScOvercast,         // a closed stratocumulus deck
    Stratus,            // a grey stratus sheet hiding the hill tops
    StratusFractus,     // shreds of stratus in fair weather
    BadWeatherFractus,  // dark shreds scudding under a grey rain sky
    CumulusUnderSc,     // cumulus with their bases below a broken stratocumulus layer
    CumulusUnderDeck,   // the same under a closed stratocumulus deck
    CbCapillatus,       // cumulonimbus with a fibrous anvil
    CbOverhead,         // a thunderstorm's base and anvil covering the sky
};

enum class MiddleCloud {
    None,
    AsTranslucidus,  // grey veil, the sun as through ground glass
    AsOpacus,        // thick grey veil, the sun hidden
    Nimbostratus,    // dark rain layer
    AcLayer,         // a single level of altocumulus, translucent, with gaps
    AcLenticular,    // lens-shaped patches at several levels
    AcBands,         // bands spreading from the horizon, thickening
    AcFromCumulus,   // thin patches spread from the tops of towering cumulus
    AcDouble,        // two layers of altocumulus
    AcOpacus,        // a dark, closed layer of altocumulus
    AcWithAs,        // altocumulus beside a veil of altostratus
    AcCastellanus,   // turrets on a common base
    AcFloccus,       // tufts with trails
    AcChaotic,       // several broken layers, heavy and disordered
};

enum class HighCloud {
    None,
    CiFibratus,    // scattered filaments
    CiUncinus,     // scattered hooks
    CiSpissatus,   // dense patches, grey towards the sun
    CiFromAnvil,   // a dense mass left by a cumulonimbus anvil
    CiInvading,    // filaments in bands converging on the horizon, thickening
    CsLow,         // cirrostratus advancing, edge below 45 degrees
    CsHigh,        // cirrostratus advancing, edge above 45 degrees
    CsWhole,       // cirrostratus over the whole sky, with halo
    CsPart,        // a cirrostratus veil over part of the sky, not advancing
    Cirrocumulus,  // tiny grains and ripples without shading
};

enum class Camera {
    Normal,    // a usual photograph: the horizon low, sky up to about 35 degrees
    Wide,      // wide angle: up to about 50 degrees
    Upward,    // the horizon at the bottom edge, sky up to about 60 degrees
    Tele,      // a long lens on something far away
    Aircraft,  // from an aircraft above a deck of cloud
};

struct SkyPhoto {
    LowCloud low = LowCloud::None;
    MiddleCloud middle = MiddleCloud::None;
    HighCloud high = HighCloud::None;
    Scenery scenery = Scenery::Plain;
    TimeOfDay time = TimeOfDay::Midday;
    double sunAzimuth = 0.0;  // degrees from straight ahead, positive to the right
    double sunElevation = 40.0;
    Camera camera = Camera::Normal;
    std::uint64_t seed = 1;
    bool thunder = false;  // lightning under the storm
};

}  // namespace nimbara
