// A wind sea as a sum of wave trains: long waves travelling with the wind, shorter ones spread
// wider around it, all with the sharpened crests and flattened troughs of real waves. Heights and
// slopes are in metres at a point of the sea surface (metres across the view and ahead).
#pragma once

#include "tools/samplephotos/paint/noise.h"

#include <cstdint>
#include <vector>

namespace nimbara {

struct WaveSpectrum {
    double significantHeight;  // metres, crest to trough of the highest third
    double peakLength;         // metres, of the waves that carry the most energy
    double heading;            // radians, the way the waves run: 0 away from the camera,
                               // pi/2 to the right
    double spread;             // radians either side of the heading
    double patchiness;         // 0 waves everywhere, 1 waves only in patches with calm between
};

struct WaveSample {
    double height;     // metres above the still water level
    double slopeX;     // rise per metre across
    double slopeY;     // rise per metre ahead
    double lostSlope;  // slope of the waves too fine for the footprint, which only tint the water
};

class WaveField {
public:
    WaveField(const WaveSpectrum& spectrum, std::uint64_t seed);

    // The surface seen through a footprint of `across` by `along` metres: trains finer than
    // the footprint fade out, so far water does not shimmer.
    WaveSample at(double x, double y, double across, double along) const;

    double significantHeight() const { return m_spectrum.significantHeight; }
    double peakLength() const { return m_spectrum.peakLength; }
    // Unit vector of the heading, across and ahead.
    double headingX() const { return m_headingX; }
    double headingY() const { return m_headingY; }

private:
    struct Train {
        double kx, ky;      // wave vector, radians per metre
        double dirX, dirY;  // its unit direction
        double dirX2, dirY2;
        double length;     // metres
        double amplitude;  // metres
        double steepness;  // amplitude times wave number
        double slopeSquared;
        double phase;
    };

    double patchFactor(double x, double y, double footprint) const;

    WaveSpectrum m_spectrum;
    std::vector<Train> m_trains;
    Noise m_patches;
    double m_headingX;
    double m_headingY;
};

}  // namespace nimbara
