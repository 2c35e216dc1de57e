#include "tools/samplephotos/sea/wavefield.h"

#include "tools/samplephotos/paint/random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nimbara {

namespace {

constexpr int kTrains = 12;

// Amplitude over wave length, peaking at the peak length and falling off steeply for longer
// waves, as in a sea the wind has fully raised; shorter waves are all about equally steep.
double spectralAmplitude(double length, double peak) {
    const double ratio = length / peak;
    return ratio <= 1.0 ? ratio : std::exp(-2.5 * (ratio - 1.0));
}

// Sine and cosine to about 1e-7, several times faster than the library's, which are far more
// exact than a picture needs: reduce to within an eighth of a turn, evaluate short Taylor series,
// then turn the result by the quarters taken off, without branches.
void sineCosine(double x, double& sine, double& cosine) {
    const double quarter = std::floor(x * (2.0 / std::numbers::pi) + 0.5);
    const double r = x - quarter * (std::numbers::pi / 2.0);
    const double r2 = r * r;
    const double s =
        r * (1.0 +
             r2 * (-1.0 / 6.0 + r2 * (1.0 / 120.0 + r2 * (-1.0 / 5040.0 + r2 * (1.0 / 362880.0)))));
    const double c =
        1.0 + r2 * (-0.5 + r2 * (1.0 / 24.0 + r2 * (-1.0 / 720.0 + r2 * (1.0 / 40320.0))));
    const auto turns = static_cast<long long>(quarter);
    const bool odd = (turns & 1) != 0;
    const double sineSign = (turns & 2) != 0 ? -1.0 : 1.0;
    const double cosineSign = ((turns + 1) & 2) != 0 ? -1.0 : 1.0;
    sine = sineSign * (odd ? c : s);
    cosine = cosineSign * (odd ? s : c);
}

}  // namespace

WaveField::WaveField(const WaveSpectrum& spectrum, std::uint64_t seed)
    : m_spectrum(spectrum),
      m_patches(seed * 31 + 7),
      m_headingX(std::sin(spectrum.heading)),
      m_headingY(std::cos(spectrum.heading)) {
    Random random(seed);
    double energy = 0.0;
    for (int i = 0; i < kTrains; ++i) {
        // From a fiftieth of the peak length to half as long again, evenly on a log scale.
        const double t = (i + random.uniform(0.2, 0.8)) / kTrains;
        const double length = spectrum.peakLength * std::pow(2.0, -5.6 + 6.2 * t);
        const double shortness = std::clamp(1.0 - length / spectrum.peakLength, 0.0, 1.0);
        const double angle =
            spectrum.heading + random.uniform(-1.0, 1.0) * spectrum.spread * (0.5 + shortness);
        const double k = 2.0 * std::numbers::pi / length;
        Train train{};
        train.dirX = std::sin(angle);
        train.dirY = std::cos(angle);
        train.dirX2 = train.dirX * train.dirX;
        train.dirY2 = train.dirY * train.dirY;
        train.kx = k * train.dirX;
        train.ky = k * train.dirY;
        train.length = length;
        train.amplitude = spectralAmplitude(length, spectrum.peakLength) * random.uniform(0.7, 1.3);
        train.phase = random.uniform(0.0, 2.0 * std::numbers::pi);
        energy += train.amplitude * train.amplitude / 2.0;
        m_trains.push_back(train);
    }
    // A quarter of the significant height is the standard deviation of the surface.
    const double scale = energy > 0.0 ? spectrum.significantHeight / 4.0 / std::sqrt(energy) : 0.0;
    for (Train& train : m_trains) {
        train.amplitude *= scale;
        train.steepness = std::min(train.amplitude * 2.0 * std::numbers::pi / train.length, 0.3);
        train.slopeSquared = train.steepness * train.steepness;
    }
}

// Waves come in groups, and their crests run only a few wave lengths before they die out; at
// light winds the ripples also come in patches with glassy calm between. Seen from far off, both
// even out to their average.
double WaveField::patchFactor(double x, double y, double footprint) const {
    const double length = m_spectrum.peakLength;
    const double u = x * m_headingX + y * m_headingY;
    const double v = -x * m_headingY + y * m_headingX;
    const double grouped = smoothStep(1.0, 3.0, 2.0 * length / footprint);
    double envelope = 1.0;
    if (grouped > 0.0) {
        const double group = m_patches.value(u / (3.0 * length), v / (2.0 * length));
        envelope = std::lerp(1.0, std::clamp(0.4 + 1.2 * group, 0.5, 1.4), grouped);
    }
    if (m_spectrum.patchiness <= 0.0) {
        return envelope;
    }
    const double scale = std::max(length * 12.0, 20.0);
    const double patch = m_patches.fractal(x / scale + 31.0, y / scale + 17.0, 2);
    const double lower = 0.55 * m_spectrum.patchiness;
    const double calm = std::lerp(0.6, smoothStep(lower - 0.05, lower + 0.12, patch),
                                  smoothStep(1.0, 3.0, scale / footprint));
    return envelope * std::lerp(1.0, calm, m_spectrum.patchiness);
}

WaveSample WaveField::at(double x, double y, double across, double along) const {
    WaveSample sample{0.0, 0.0, 0.0, 0.0};
    double lost = 0.0;
    for (const Train& train : m_trains) {
        // Full detail while the train is six footprints long, none below three.
        const double footprint = train.dirX2 * across * across + train.dirY2 * along * along;
        const double lengthSquared = train.length * train.length;
        double detail = 1.0;
        if (lengthSquared < 36.0 * footprint) {
            detail = smoothStep(3.0, 6.0, train.length / std::sqrt(footprint));
            lost += (1.0 - detail) * train.slopeSquared;
            if (detail <= 0.0) {
                continue;
            }
        }
        const double phase = train.kx * x + train.ky * y + train.phase;
        double s = 0.0;
        double c = 0.0;
        sineCosine(phase, s, c);
        const double a = train.amplitude * detail;
        // Second-order crest: cos(2 phase) pulls the crest up and flattens the trough.
        sample.height += a * (c + 0.5 * train.steepness * (2.0 * c * c - 1.0));
        const double rise = -a * (s + 2.0 * train.steepness * s * c);
        sample.slopeX += train.kx * rise;
        sample.slopeY += train.ky * rise;
    }
    const double patch = patchFactor(x, y, std::max(across, along));
    sample.height *= patch;
    sample.slopeX *= patch;
    sample.slopeY *= patch;
    sample.lostSlope = std::sqrt(lost) * patch;
    return sample;
}

}  // namespace nimbara
