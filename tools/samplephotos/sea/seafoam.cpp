#include "tools/samplephotos/sea/seafoam.h"

#include "tools/samplephotos/paint/random.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace nimbara {

namespace {

constexpr double kCapRamp = 0.35;  // score range over which a crest turns white

// The value above which `share` of the samples lie.
double valueAbove(std::vector<double> samples, double share) {
    if (share <= 0.0) {
        return std::numeric_limits<double>::infinity();
    }
    if (share >= 1.0) {
        return -std::numeric_limits<double>::infinity();
    }
    const auto last = static_cast<double>(samples.size() - 1);
    const auto index = static_cast<std::ptrdiff_t>((1.0 - share) * last);
    std::nth_element(samples.begin(), samples.begin() + index, samples.end());
    return samples[index];
}

}  // namespace

SeaFoam::SeaFoam(const WaveField& waves, const FoamCover& cover, std::uint64_t seed,
                 double calmReach)
    : m_waves(waves),
      m_cover(cover),
      m_breaking(seed * 3 + 1),
      m_lanes(seed * 3 + 2),
      m_lace(seed * 3 + 3),
      m_halfHeight(std::max(waves.significantHeight() / 2.0, 1e-3)),
      m_breakerSize(std::min(0.2 * waves.peakLength(), 7.0)),
      m_streakLength(8.0 * cover.streakSpacing + waves.peakLength()),
      m_calmReach(calmReach) {
    calibrate(seed);
}

// Sets the threshold so that the asked share of a stretch of sea breaks.
void SeaFoam::calibrate(std::uint64_t seed) {
    Random random(seed * 5 + 9);
    const double span = 30.0 * m_waves.peakLength();
    std::vector<double> caps;
    for (int i = 0; i < 3000; ++i) {
        const double x = random.uniform(0.0, span);
        const double y = random.uniform(0.0, span);
        const WaveSample sample = m_waves.at(x, y, 0.0, 0.0);
        const double u = along(x, y);
        const double v = acrossWind(x, y);
        caps.push_back(capScore(u, v, sample.height / m_halfHeight));
    }
    m_capThreshold = valueAbove(caps, m_cover.whitecaps) - kCapRamp / 2.0;
}

// High on crests where the noise says the wave is breaking, in patches a fifth of a wave
// long and no bigger than a boat, so that a picture holds many of them; in a gale the foam
// they leave is drawn out along the wind.
double SeaFoam::capScore(double u, double v, double elevation) const {
    const double breaking =
        m_breaking.fractal(u / (0.65 * m_breakerSize * m_cover.drawnOut), v / m_breakerSize, 3);
    return 1.4 * elevation + 3.5 * (breaking - 0.5);
}

// Lanes along the wind: a set of meandering, roughly parallel lines, some close together and
// some far apart; 1 on a line, falling to 0 half way to the next.
double SeaFoam::laneScore(double u, double v) const {
    const double spacing = m_cover.streakSpacing;
    const double meander = m_lanes.fractal(u / (0.6 * m_streakLength), v / spacing, 2);
    const double across = v / spacing + 3.0 * meander;
    return 1.0 - std::abs(2.0 * (across - std::floor(across)) - 1.0);
}

// Lanes come in lengths, some dense and some thin.
double SeaFoam::laneStrength(double u, double v) const {
    const double lengths =
        m_lanes.value(u / (0.5 * m_streakLength) + 7.0, v / (1.5 * m_cover.streakSpacing) + 3.0);
    return 0.35 + 0.55 * smoothStep(0.15, 0.85, lengths);
}

// Foam edges soften with the footprint, and textures much finer than it give way to their
// average, so far foam tints the sea instead of breaking into dots.
SeaFoam::Foam SeaFoam::at(double x, double y, double elevation, double footAcross,
                          double footAlong) const {
    const double u = along(x, y);
    const double v = acrossWind(x, y);
    const double length = m_waves.peakLength();
    const double foot = std::max(footAcross, footAlong);
    double cap = 0.0;
    double fresh = 0.0;
    if (m_cover.whitecaps > 0.0) {
        const double size = m_breakerSize;
        const double score = capScore(u, v, elevation);
        const double ramp = kCapRamp + 2.0 * foot / size;
        double breaker = smoothStep(m_capThreshold, m_capThreshold + ramp, score);
        // Older foam left behind the breaker, thinner and fading.
        const double older = 0.4 * smoothStep(m_capThreshold - 0.8, m_capThreshold, score);
        const double detail = smoothStep(0.3, 1.2, size / foot);
        // A crest breaking right beside a low camera would whiten the whole picture; the
        // photographer takes the picture while the crests nearby carry only older foam.
        const double distance = std::sqrt(x * x + y * y);
        breaker *= std::lerp(0.45, 1.0, smoothStep(0.2 * m_calmReach, 0.6 * m_calmReach, distance));
        // Far breakers merge into the tint and throw no spray that one could see.
        fresh = breaker * detail;
        cap = std::lerp(1.4 * m_cover.whitecaps, std::max(breaker, older), detail);
    }
    double lane = 0.0;
    if (m_cover.streaks > 0.0) {
        const double spacing = m_cover.streakSpacing;
        const double footAcrossWind =
            std::sqrt(m_waves.headingY() * m_waves.headingY() * footAcross * footAcross +
                      m_waves.headingX() * m_waves.headingX() * footAlong * footAlong);
        const double footAlongWind =
            std::sqrt(m_waves.headingX() * m_waves.headingX() * footAcross * footAcross +
                      m_waves.headingY() * m_waves.headingY() * footAlong * footAlong);
        // Soft edges, softer where the lane is not much wider than a pixel.
        const double ramp = 0.35 * m_cover.streaks + 2.0 * footAcrossWind / spacing;
        const double threshold = 1.0 - m_cover.streaks - ramp / 2.0;
        // Lanes thinner than a pixel, or seen end on a pixel or two long, would read as
        // specks: they give way to their average.
        const double thickness = spacing * std::max(m_cover.streaks, 0.05);
        const double detail = smoothStep(0.5, 1.5, thickness / footAcrossWind) *
                              smoothStep(2.0, 6.0, m_streakLength / footAlongWind);
        double sharp = 0.0;
        if (detail > 0.0) {
            sharp = smoothStep(threshold, threshold + ramp, laneScore(u, v));
            if (sharp > 0.0) {
                sharp *= laneStrength(u, v);
                const double grain = 0.3;
                const double fine = smoothStep(0.6, 2.0, grain / foot);
                if (fine > 0.0) {
                    const double lace = m_lace.value(u / (2.0 * grain), v / grain);
                    sharp *= std::lerp(1.0, std::clamp(0.2 + 1.4 * lace, 0.0, 1.0), fine);
                }
            }
        }
        lane = std::lerp(0.6 * m_cover.streaks, sharp, detail);
    }
    double amount = 1.0 - (1.0 - cap) * (1.0 - lane);
    if (amount > 0.0) {
        // Foam is a lace of bubbles with dark water showing through.
        const double grain = std::clamp(0.04 * length, 0.3, 3.0);
        const double detail = smoothStep(0.6, 2.0, grain / foot);
        if (detail > 0.0) {
            const double lace = m_lace.fractal(u / grain, v / (0.6 * grain), 3);
            amount *= std::lerp(1.0, std::clamp(-0.15 + 1.9 * lace, 0.0, 1.0), detail);
        }
    }
    return {amount, fresh};
}

}  // namespace nimbara
