#include "tools/samplephotos/paint/noise.h"

#include <algorithm>
#include <cmath>

namespace nimbara {

namespace {

std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 33)) * 0xFF51AFD7ED558CCDULL;
    z = (z ^ (z >> 33)) * 0xC4CEB9FE1A85EC53ULL;
    return z ^ (z >> 33);
}

int wrap(int value, int period) {
    if (period <= 0) {
        return value;
    }
    const int rest = value % period;
    return rest < 0 ? rest + period : rest;
}

double fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

}  // namespace

// `periodScale` multiplies the periods for the finer octaves.
double Noise::lattice(int x, int y, int periodScale, std::uint64_t salt) const {
    const auto ux =
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(wrap(x, m_periodX * periodScale)));
    const auto uy =
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(wrap(y, m_periodY * periodScale)));
    const std::uint64_t hash = mix(m_seed ^ mix(ux ^ (uy << 32) ^ (salt * 0x9E3779B97F4A7C15ULL)));
    return static_cast<double>(hash >> 11) * 0x1.0p-53;
}

double Noise::octaveValue(double x, double y, int periodScale, std::uint64_t salt) const {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    const double top =
        std::lerp(lattice(ix, iy, periodScale, salt), lattice(ix + 1, iy, periodScale, salt), tx);
    const double bottom = std::lerp(lattice(ix, iy + 1, periodScale, salt),
                                    lattice(ix + 1, iy + 1, periodScale, salt), tx);
    return std::lerp(top, bottom, ty);
}

double Noise::value(double x, double y) const {
    return octaveValue(x, y, 1, 0);
}

double Noise::fractal(double x, double y, int octaves) const {
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    double scale = 1.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight *
               octaveValue(x * scale, y * scale, 1 << octave, static_cast<std::uint64_t>(octave));
        total += weight;
        weight *= 0.5;
        scale *= 2.0;
    }
    return sum / total;
}

double Noise::ridged(double x, double y, int octaves) const {
    return 1.0 - std::abs(2.0 * fractal(x, y, octaves) - 1.0);
}

}  // namespace nimbara
