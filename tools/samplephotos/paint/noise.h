// Smooth value noise for textures: waves, snow, cloud and ice grain. Periods (in lattice cells,
// across and down) make the pattern repeat, which pictures meant to be tiled need.
#pragma once

#include <algorithm>
#include <cstdint>

namespace nimbara {

class Noise {
public:
    explicit Noise(std::uint64_t seed, int periodX = 0, int periodY = 0)
        : m_seed(seed), m_periodX(periodX), m_periodY(periodY) {}

    double value(double x, double y) const;                 // in [0, 1]
    double fractal(double x, double y, int octaves) const;  // in [0, 1], finer octaves weaker
    double ridged(double x, double y, int octaves) const;   // in [0, 1], sharp crests near 1

private:
    double octaveValue(double x, double y, int periodScale, std::uint64_t salt) const;
    double lattice(int x, int y, int periodScale, std::uint64_t salt) const;

    std::uint64_t m_seed;
    int m_periodX;
    int m_periodY;
};

// Smooth step between edge0 and edge1, clamped to [0, 1]. Inline: shaders call it per pixel.
inline double smoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace nimbara
