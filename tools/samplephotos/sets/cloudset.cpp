#include "tools/samplephotos/sets/cloudset.h"

#include "games/core/cloudgameeasyrules.h"
#include "tools/samplephotos/sets/gamesets.h"
#include "tools/samplephotos/sky/skycomposer.h"

#include <iterator>
#include <span>

namespace nimbara {

namespace {

using L = LowCloud;
using M = MiddleCloud;
using H = HighCloud;
using S = Scenery;
using T = TimeOfDay;
using C = Camera;

// What one photograph shows, and where and when it was taken; the painters take the rest from a
// seed that differs for every photograph.
struct Sky {
    L low;
    M middle;
    H high;
    S scenery;
    T time;
    double sunAzimuth;
    double sunElevation;
    C camera;
    bool thunder = false;
};

// Whole skies of the normal game ("clouds-normal"), photo k at index k.
const Sky kWholeSkies[] = {
    {L::Towering, M::AcFromCumulus, H::None, S::Plain, T::Afternoon, 120, 45, C::Normal},
    {L::CbCalvus, M::AcLenticular, H::None, S::Plain, T::Afternoon, -120, 40, C::Normal},
    {L::ScFromCumulus, M::None, H::CiInvading, S::Plain, T::Evening, 150, 15, C::Wide},
    {L::ScOvercast, M::None, H::None, S::Hills, T::Dull, 0, 30, C::Normal},
    {L::StratusFractus, M::None, H::CiFibratus, S::Hills, T::Afternoon, 130, 30, C::Normal},
    {L::BadWeatherFractus, M::Nimbostratus, H::None, S::Plain, T::Dull, 0, 30, C::Normal},
    {L::CbCapillatus, M::AcLenticular, H::None, S::Sea, T::Afternoon, -140, 35, C::Normal},
    {L::CbCalvus, M::AcFromCumulus, H::None, S::Plain, T::Midday, 160, 50, C::Normal},
    {L::CbCapillatus, M::AcFromCumulus, H::None, S::Hills, T::Afternoon, 120, 35, C::Normal},
    {L::BadWeatherFractus, M::AsTranslucidus, H::None, S::Sea, T::EarlyMorning, 20, 8, C::Normal},
    {L::None, M::AcLenticular, H::None, S::Mountains, T::Midday, 150, 45, C::Wide},
    {L::None, M::AcLenticular, H::None, S::Plain, T::Afternoon, -130, 35, C::Wide},
    {L::Towering, M::AcFromCumulus, H::None, S::Sea, T::Midday, 140, 55, C::Normal},
    {L::None, M::AcDouble, H::None, S::Plain, T::Afternoon, 170, 40, C::Wide},
    {L::None, M::AcWithAs, H::None, S::Hills, T::Afternoon, 30, 35, C::Wide},
    {L::Towering, M::None, H::CiFromAnvil, S::Plain, T::Afternoon, 140, 40, C::Normal},
    {L::Towering, M::None, H::CiFromAnvil, S::Sea, T::Afternoon, -130, 40, C::Normal},
    {L::ScFromCumulus, M::None, H::CiInvading, S::Hills, T::Evening, -150, 18, C::Wide},
    {L::BadWeatherFractus, M::None, H::CiInvading, S::Sea, T::Afternoon, 100, 30, C::Wide},
    {L::None, M::AcDouble, H::CsLow, S::Plain, T::Afternoon, -40, 25, C::Wide},
    {L::None, M::AcLayer, H::CsHigh, S::Plain, T::Midday, 140, 50, C::Upward},
    {L::None, M::None, H::Cirrocumulus, S::Plain, T::Midday, 160, 50, C::Upward},
    {L::Humilis, M::None, H::None, S::Plain, T::Midday, 150, 55, C::Normal},
    {L::Humilis, M::None, H::None, S::Sea, T::Afternoon, -120, 40, C::Normal},
    {L::Towering, M::None, H::None, S::Plain, T::Afternoon, 130, 45, C::Normal},
    {L::CbCalvus, M::AcFromCumulus, H::None, S::Hills, T::Afternoon, -140, 40, C::Normal},
    {L::ScFromCumulus, M::AcLenticular, H::None, S::Plain, T::Evening, 140, 18, C::Wide},
    {L::Stratocumulus, M::None, H::None, S::Sea, T::Afternoon, 150, 35, C::Wide},
    {L::CbCapillatus, M::AcFromCumulus, H::None, S::Plain, T::Afternoon, -110, 40, C::Normal},
    {L::CbOverhead, M::None, H::None, S::Plain, T::Dull, 0, 30, C::Wide},
    {L::CbOverhead, M::None, H::None, S::Sea, T::Dull, 0, 30, C::Wide},
    {L::CbOverhead, M::None, H::None, S::Plain, T::Dull, 0, 30, C::Wide, true},
    {L::BadWeatherFractus, M::AsTranslucidus, H::None, S::Hills, T::Afternoon, 10, 28, C::Normal},
    {L::None, M::AcBands, H::None, S::Plain, T::Midday, 160, 50, C::Wide},
    {L::ScFromCumulus, M::AcFromCumulus, H::None, S::Plain, T::Evening, -140, 16, C::Normal},
    {L::None, M::AcOpacus, H::None, S::Plain, T::Dull, 0, 30, C::Wide},
    {L::None, M::AcChaotic, H::None, S::Hills, T::Afternoon, 150, 35, C::Wide},
    {L::None, M::None, H::CiSpissatus, S::Plain, T::Midday, 20, 40, C::Wide},
    {L::None, M::None, H::CiFromAnvil, S::Sea, T::Afternoon, 140, 35, C::Normal},
    {L::None, M::None, H::CiInvading, S::Plain, T::Midday, 160, 50, C::Wide},
    {L::None, M::AcCastellanus, H::CsPart, S::Plain, T::Afternoon, 140, 40, C::Normal},
    {L::None, M::None, H::CsLow, S::Sea, T::Midday, 160, 50, C::Wide},
    {L::Stratocumulus, M::AcOpacus, H::None, S::Hills, T::Dull, 0, 30, C::Normal},
    {L::CumulusUnderSc, M::AcLenticular, H::None, S::Plain, T::Afternoon, 130, 40, C::Wide},
    {L::CumulusUnderSc, M::None, H::CsWhole, S::Mountains, T::Midday, -20, 35, C::Wide},
    {L::Humilis, M::None, H::CiUncinus, S::Plain, T::Midday, 150, 50, C::Normal},
    {L::Towering, M::None, H::None, S::Sea, T::Midday, -150, 55, C::Normal},
    {L::Towering, M::AcDouble, H::None, S::Plain, T::Afternoon, 130, 40, C::Normal},
    {L::Towering, M::None, H::None, S::Hills, T::Afternoon, -100, 35, C::Normal},
    {L::Towering, M::AcLenticular, H::None, S::Mountains, T::Midday, 140, 50, C::Normal},
    {L::CbCalvus, M::AcLayer, H::None, S::Plain, T::Afternoon, 150, 40, C::Wide},
    {L::CbCalvus, M::None, H::CiFromAnvil, S::Sea, T::Afternoon, -150, 40, C::Wide},
    {L::ScFromCumulus, M::None, H::None, S::Plain, T::Evening, -130, 14, C::Normal},
    {L::Stratocumulus, M::None, H::None, S::Hills, T::Afternoon, 140, 35, C::Normal},
    {L::Stratus, M::None, H::None, S::Hills, T::Dull, 0, 30, C::Normal},
    {L::BadWeatherFractus, M::Nimbostratus, H::None, S::Sea, T::Dull, 0, 30, C::Normal},
    {L::CumulusUnderSc, M::None, H::None, S::Sea, T::Afternoon, -130, 40, C::Normal},
    {L::CumulusUnderDeck, M::None, H::None, S::Plain, T::Dull, 0, 30, C::Normal},
    {L::CbCapillatus, M::AcFromCumulus, H::None, S::Sea, T::Afternoon, 140, 40, C::Normal},
    {L::CbCapillatus, M::None, H::CiFromAnvil, S::Plain, T::Afternoon, 150, 40, C::Wide},
    {L::CbCapillatus, M::AcWithAs, H::CiFromAnvil, S::Plain, T::Afternoon, -140, 35, C::Normal},
    {L::CbOverhead, M::None, H::None, S::Hills, T::Dull, 0, 30, C::Wide},
    {L::CbCapillatus, M::AcLenticular, H::CiFromAnvil, S::Plain, T::Afternoon, 130, 40, C::Normal},
    {L::None, M::AsTranslucidus, H::None, S::Plain, T::Afternoon, -10, 25, C::Normal},
    {L::None, M::AsTranslucidus, H::None, S::Sea, T::Afternoon, 15, 20, C::Normal},
    {L::None, M::AsOpacus, H::None, S::Plain, T::Dull, 0, 30, C::Normal},
    {L::None, M::AcLayer, H::None, S::Hills, T::Midday, 150, 50, C::Wide},
    {L::Towering, M::AcLenticular, H::CiFibratus, S::Plain, T::Afternoon, 140, 45, C::Normal},
    {L::None, M::AcLenticular, H::None, S::Sea, T::Afternoon, 130, 35, C::Wide},
    {L::Stratocumulus, M::AcLenticular, H::CsLow, S::Plain, T::Afternoon, 150, 35, C::Wide},
    {L::Stratocumulus, M::AcLenticular, H::CiUncinus, S::Hills, T::Afternoon, -150, 40, C::Wide},
    {L::Towering, M::AcCastellanus, H::CiFibratus, S::Plain, T::Midday, 150, 50, C::Normal},
    {L::None, M::AcCastellanus, H::None, S::Plain, T::Afternoon, 130, 40, C::Tele},
    {L::None, M::AcFloccus, H::None, S::Hills, T::Midday, 150, 45, C::Wide},
    {L::CbCalvus, M::AcChaotic, H::CiSpissatus, S::Plain, T::Afternoon, 150, 35, C::Wide},
    {L::None, M::None, H::CiFibratus, S::Plain, T::Midday, 160, 45, C::Wide},
    {L::Stratocumulus, M::None, H::CiUncinus, S::Sea, T::Afternoon, 140, 40, C::Wide},
    {L::Towering, M::None, H::CiSpissatus, S::Plain, T::Afternoon, 130, 45, C::Normal},
    {L::None, M::None, H::CiSpissatus, S::Sea, T::Midday, 30, 45, C::Wide},
    {L::Towering, M::None, H::CiFromAnvil, S::Hills, T::Afternoon, 140, 40, C::Normal},
    {L::Towering, M::None, H::CiFromAnvil, S::Sea, T::Afternoon, -140, 45, C::Wide},
    {L::CbCapillatus, M::None, H::CiFromAnvil, S::Plain, T::Afternoon, -130, 40, C::Normal},
    {L::Towering, M::None, H::None, S::Coast, T::Midday, 150, 50, C::Normal},
    {L::None, M::None, H::CiInvading, S::Sea, T::Afternoon, 150, 40, C::Wide},
    {L::None, M::None, H::CiInvading, S::Plain, T::Midday, -150, 50, C::Wide},
    {L::None, M::None, H::CiInvading, S::Coast, T::Afternoon, 140, 35, C::Wide},
    {L::None, M::None, H::CsLow, S::Plain, T::Afternoon, 150, 40, C::Wide},
    {L::None, M::None, H::CsHigh, S::Hills, T::Midday, 160, 45, C::Upward},
    {L::None, M::None, H::CsWhole, S::Sea, T::Afternoon, 0, 28, C::Wide},
    {L::Humilis, M::None, H::CsWhole, S::Plain, T::Afternoon, -10, 30, C::Wide},
    {L::None, M::None, H::CsWhole, S::Mountains, T::Midday, 10, 38, C::Upward},
    {L::None, M::None, H::Cirrocumulus, S::Sea, T::Midday, 150, 50, C::Upward},
    {L::Stratocumulus, M::AcLenticular, H::None, S::Hills, T::Afternoon, 140, 40, C::Wide},
    {L::Towering, M::AcLenticular, H::None, S::Plain, T::Afternoon, -130, 45, C::Normal},
    {L::Humilis, M::AcLenticular, H::None, S::Sea, T::Midday, 150, 50, C::Wide},
};

// The easy game ("clouds-easy"): four photographs of each low cloud type, types 1 to 9 in turn.
const Sky kLowTypes[] = {
    {L::Humilis, M::None, H::None, S::Plain, T::Midday, 140, 55, C::Normal},
    {L::Humilis, M::None, H::None, S::Sea, T::Afternoon, -130, 40, C::Wide},
    {L::FairFractus, M::None, H::None, S::Hills, T::Afternoon, 150, 40, C::Normal},
    {L::Humilis, M::None, H::None, S::Coast, T::Evening, 150, 20, C::Normal},
    {L::Towering, M::None, H::None, S::Plain, T::Afternoon, 130, 45, C::Normal},
    {L::Towering, M::None, H::None, S::Sea, T::Midday, -150, 55, C::Normal},
    {L::Towering, M::None, H::None, S::Hills, T::Afternoon, -110, 35, C::Wide},
    {L::Towering, M::None, H::None, S::Mountains, T::Midday, 140, 50, C::Normal},
    {L::CbCalvus, M::None, H::None, S::Plain, T::Afternoon, 140, 40, C::Normal},
    {L::CbCalvus, M::None, H::None, S::Sea, T::Afternoon, -130, 40, C::Normal},
    {L::CbCalvus, M::None, H::None, S::Hills, T::Midday, 160, 50, C::Wide},
    {L::CbCalvus, M::None, H::None, S::Plain, T::Evening, 150, 20, C::Tele},
    {L::ScFromCumulus, M::None, H::None, S::Plain, T::Evening, 140, 16, C::Normal},
    {L::ScFromCumulus, M::None, H::None, S::Sea, T::Afternoon, -140, 30, C::Wide},
    {L::ScFromCumulus, M::None, H::None, S::Hills, T::Evening, -150, 14, C::Wide},
    {L::ScFromCumulus, M::None, H::None, S::Plain, T::Afternoon, 130, 35, C::Normal},
    {L::Stratocumulus, M::None, H::None, S::Sea, T::Afternoon, 140, 35, C::Wide},
    {L::Stratocumulus, M::None, H::None, S::Plain, T::Midday, -150, 45, C::Wide},
    {L::ScOvercast, M::None, H::None, S::Hills, T::Dull, 0, 30, C::Normal},
    {L::Stratocumulus, M::None, H::None, S::Coast, T::Evening, 150, 18, C::Normal},
    {L::Stratus, M::None, H::None, S::Hills, T::Dull, 0, 30, C::Normal},
    {L::Stratus, M::None, H::None, S::Hills, T::Dull, 0, 30, C::Wide},
    {L::StratusFractus, M::None, H::None, S::Hills, T::EarlyMorning, 140, 10, C::Normal},
    {L::StratusFractus, M::None, H::None, S::Hills, T::Afternoon, 150, 35, C::Normal},
    {L::BadWeatherFractus, M::Nimbostratus, H::None, S::Plain, T::Dull, 0, 30, C::Normal},
    {L::BadWeatherFractus, M::AsOpacus, H::None, S::Sea, T::Dull, 0, 30, C::Wide},
    {L::BadWeatherFractus, M::Nimbostratus, H::None, S::Hills, T::Dull, 0, 30, C::Normal},
    {L::BadWeatherFractus, M::AsOpacus, H::None, S::Coast, T::Dull, 0, 30, C::Normal},
    {L::CumulusUnderSc, M::None, H::None, S::Plain, T::Afternoon, 140, 40, C::Normal},
    {L::CumulusUnderSc, M::None, H::None, S::Sea, T::Afternoon, -130, 40, C::Wide},
    {L::CumulusUnderSc, M::None, H::None, S::Hills, T::Midday, 150, 50, C::Normal},
    {L::CumulusUnderDeck, M::None, H::None, S::Plain, T::Dull, 0, 30, C::Normal},
    {L::CbCapillatus, M::None, H::None, S::Plain, T::Afternoon, 140, 40, C::Normal},
    {L::CbCapillatus, M::None, H::None, S::Sea, T::Afternoon, -140, 35, C::Normal},
    {L::CbCapillatus, M::None, H::None, S::Hills, T::Evening, 150, 18, C::Tele},
    {L::CbOverhead, M::None, H::None, S::Plain, T::Dull, 0, 30, C::Wide, true},
};

const Sky kMiddleTypes[] = {
    {L::None, M::AsTranslucidus, H::None, S::Plain, T::Afternoon, -10, 25, C::Normal},
    {L::None, M::AsTranslucidus, H::None, S::Sea, T::Afternoon, 12, 22, C::Normal},
    {L::Stratocumulus, M::AsTranslucidus, H::None, S::Hills, T::Afternoon, 5, 30, C::Wide},
    {L::None, M::AsTranslucidus, H::None, S::Coast, T::EarlyMorning, -15, 10, C::Normal},
    {L::BadWeatherFractus, M::Nimbostratus, H::None, S::Plain, T::Dull, 0, 30, C::Normal},
    {L::None, M::AsOpacus, H::None, S::Sea, T::Dull, 0, 30, C::Normal},
    {L::None, M::Nimbostratus, H::None, S::Hills, T::Dull, 0, 30, C::Normal},
    {L::None, M::AsOpacus, H::None, S::Plain, T::Dull, 0, 30, C::Wide},
    {L::None, M::AcLayer, H::None, S::Plain, T::Midday, 150, 50, C::Wide},
    {L::None, M::AcLayer, H::None, S::Sea, T::Afternoon, -140, 40, C::Wide},
    {L::None, M::AcLayer, H::None, S::Hills, T::Afternoon, 30, 35, C::Upward},
    {L::None, M::AcLayer, H::None, S::Coast, T::Evening, 150, 20, C::Wide},
    {L::None, M::AcLenticular, H::None, S::Mountains, T::Midday, 140, 45, C::Wide},
    {L::None, M::AcLenticular, H::None, S::Plain, T::Afternoon, -130, 35, C::Normal},
    {L::None, M::AcLenticular, H::None, S::Sea, T::Evening, 150, 18, C::Wide},
    {L::None, M::AcLenticular, H::None, S::Hills, T::Afternoon, 140, 40, C::Wide},
    {L::None, M::AcBands, H::None, S::Plain, T::Midday, 160, 50, C::Wide},
    {L::None, M::AcBands, H::None, S::Sea, T::Afternoon, -140, 40, C::Wide},
    {L::None, M::AcBands, H::None, S::Hills, T::Afternoon, 150, 35, C::Upward},
    {L::None, M::AcBands, H::None, S::Coast, T::Midday, 140, 45, C::Wide},
    {L::None, M::AcFromCumulus, H::None, S::Plain, T::Afternoon, 130, 45, C::Normal},
    {L::None, M::AcFromCumulus, H::None, S::Sea, T::Midday, -140, 50, C::Normal},
    {L::None, M::AcFromCumulus, H::None, S::Hills, T::Afternoon, 150, 35, C::Normal},
    {L::None, M::AcFromCumulus, H::None, S::Plain, T::Evening, -150, 20, C::Wide},
    {L::None, M::AcDouble, H::None, S::Plain, T::Afternoon, 150, 40, C::Wide},
    {L::None, M::AcDouble, H::None, S::Sea, T::Midday, -150, 50, C::Upward},
    {L::None, M::AcOpacus, H::None, S::Hills, T::Dull, 0, 30, C::Wide},
    {L::None, M::AcWithAs, H::None, S::Plain, T::Afternoon, 20, 30, C::Wide},
    {L::None, M::AcCastellanus, H::None, S::Plain, T::Afternoon, 130, 40, C::Tele},
    {L::None, M::AcCastellanus, H::None, S::Sea, T::Midday, -140, 50, C::Normal},
    {L::None, M::AcFloccus, H::None, S::Hills, T::Midday, 150, 45, C::Wide},
    {L::None, M::AcFloccus, H::None, S::Plain, T::Afternoon, -140, 40, C::Normal},
    {L::None, M::AcChaotic, H::None, S::Plain, T::Afternoon, 150, 35, C::Wide},
    {L::None, M::AcChaotic, H::None, S::Sea, T::Afternoon, -140, 30, C::Wide},
    {L::None, M::AcChaotic, H::None, S::Hills, T::Evening, 150, 18, C::Upward},
    {L::None, M::AcChaotic, H::None, S::Mountains, T::Afternoon, 140, 35, C::Wide},
};

const Sky kHighTypes[] = {
    {L::None, M::None, H::CiFibratus, S::Plain, T::Midday, 160, 45, C::Wide},
    {L::None, M::None, H::CiUncinus, S::Sea, T::Afternoon, -140, 40, C::Wide},
    {L::None, M::None, H::CiFibratus, S::Hills, T::Afternoon, 150, 35, C::Upward},
    {L::None, M::None, H::CiUncinus, S::Coast, T::Midday, 140, 50, C::Wide},
    {L::None, M::None, H::CiSpissatus, S::Plain, T::Midday, 20, 40, C::Wide},
    {L::None, M::None, H::CiSpissatus, S::Sea, T::Afternoon, 150, 40, C::Wide},
    {L::None, M::None, H::CiSpissatus, S::Hills, T::Afternoon, -20, 30, C::Upward},
    {L::None, M::None, H::CiSpissatus, S::Plain, T::Evening, 150, 18, C::Wide},
    {L::None, M::None, H::CiFromAnvil, S::Plain, T::Afternoon, 140, 40, C::Aircraft},
    {L::None, M::None, H::CiFromAnvil, S::Plain, T::Afternoon, 150, 35, C::Normal},
    {L::None, M::None, H::CiFromAnvil, S::Sea, T::Evening, -150, 18, C::Tele},
    {L::None, M::None, H::CiFromAnvil, S::Hills, T::Midday, 140, 50, C::Wide},
    {L::None, M::None, H::CiInvading, S::Plain, T::Midday, 160, 50, C::Wide},
    {L::None, M::None, H::CiInvading, S::Sea, T::Afternoon, 150, 40, C::Wide},
    {L::None, M::None, H::CiInvading, S::Hills, T::Afternoon, -150, 35, C::Wide},
    {L::None, M::None, H::CiInvading, S::Coast, T::Midday, 140, 50, C::Upward},
    {L::None, M::None, H::CsLow, S::Plain, T::Afternoon, 150, 40, C::Wide},
    {L::None, M::None, H::CsLow, S::Sea, T::Midday, 160, 50, C::Wide},
    {L::None, M::None, H::CsLow, S::Hills, T::Afternoon, -150, 35, C::Wide},
    {L::None, M::None, H::CsLow, S::Coast, T::Afternoon, 30, 45, C::Wide},
    {L::None, M::None, H::CsHigh, S::Plain, T::Midday, 160, 45, C::Upward},
    {L::None, M::None, H::CsHigh, S::Sea, T::Afternoon, -150, 40, C::Upward},
    {L::None, M::None, H::CsHigh, S::Hills, T::Afternoon, 150, 40, C::Upward},
    {L::None, M::None, H::CsHigh, S::Mountains, T::Midday, -160, 50, C::Upward},
    {L::None, M::None, H::CsWhole, S::Sea, T::Afternoon, 0, 28, C::Wide},
    {L::None, M::None, H::CsWhole, S::Plain, T::Afternoon, -15, 32, C::Wide},
    {L::None, M::None, H::CsWhole, S::Mountains, T::Midday, 10, 38, C::Upward},
    {L::None, M::None, H::CsWhole, S::Hills, T::Afternoon, 20, 26, C::Wide},
    {L::None, M::None, H::CsPart, S::Plain, T::Midday, 150, 50, C::Wide},
    {L::None, M::None, H::CsPart, S::Sea, T::Afternoon, -20, 35, C::Wide},
    {L::None, M::None, H::CsPart, S::Hills, T::Afternoon, 140, 40, C::Upward},
    {L::None, M::None, H::CsPart, S::Coast, T::Midday, 10, 45, C::Wide},
    {L::None, M::None, H::Cirrocumulus, S::Plain, T::Midday, 160, 50, C::Upward},
    {L::None, M::None, H::Cirrocumulus, S::Sea, T::Afternoon, -150, 40, C::Upward},
    {L::None, M::None, H::Cirrocumulus, S::Hills, T::Afternoon, 150, 40, C::Wide},
    {L::None, M::None, H::Cirrocumulus, S::Mountains, T::Midday, -150, 50, C::Upward},
};

DrawPhoto skyPicture(const Sky& sky, std::uint64_t seed) {
    const SkyPhoto photo{sky.low,        sky.middle,       sky.high,   sky.scenery, sky.time,
                         sky.sunAzimuth, sky.sunElevation, sky.camera, seed,        sky.thunder};
    return [photo](QImage& image) { paintSkyScene(image, composeSky(photo)); };
}

// The photographs of each cloud type of one level of the easy game, four of a type in a row, and
// the first seed of the level.
struct LevelTypes {
    std::span<const Sky> skies;
    std::uint64_t firstSeed;
};

const LevelTypes kLevels[] = {{kLowTypes, 1000}, {kMiddleTypes, 2000}, {kHighTypes, 3000}};

// Photo k of the normal game shows whole sky k.
DrawPhoto wholeSky(const PhotoId& photo) {
    const std::optional<std::size_t> number = photoNumber(photo, 0, 0);
    if (!number || *number >= std::size(kWholeSkies)) {
        return {};
    }
    return skyPicture(kWholeSkies[*number], 100 + *number);
}

// A photo of the easy game is named by its level, its type and which photo of the type it is.
DrawPhoto cloudType(const PhotoId& photo) {
    const std::optional<std::size_t> level = photoNumber(photo, 0, 1);
    const std::optional<std::size_t> type = photoNumber(photo, 1, 1);
    const std::optional<std::size_t> variant = photoNumber(photo, 2, 1);
    const auto variants = static_cast<std::size_t>(CloudGameEasyRules::kVariants);
    if (!level || !type || !variant || *level >= std::size(kLevels) || *variant >= variants) {
        return {};
    }
    const std::size_t index = *type * variants + *variant;
    const LevelTypes& types = kLevels[*level];
    if (index >= types.skies.size()) {
        return {};
    }
    return skyPicture(types.skies[index], types.firstSeed + index);
}

}  // namespace

DrawPhoto cloudPicture(const std::string& game, const PhotoId& photo) {
    if (game == "clouds-normal") {
        return wholeSky(photo);
    }
    if (game == "clouds-easy") {
        return cloudType(photo);
    }
    return {};
}

}  // namespace nimbara
