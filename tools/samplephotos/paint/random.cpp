#include "tools/samplephotos/paint/random.h"

namespace nimbara {

// SplitMix64: a fixed, well mixed sequence that needs no library distribution.
std::uint64_t Random::next() {
    m_state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double Random::uniform() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

double Random::uniform(double low, double high) {
    return low + (high - low) * uniform();
}

int Random::integer(int low, int high) {
    const auto span = static_cast<std::uint64_t>(high - low + 1);
    return low + static_cast<int>(next() % span);
}

bool Random::chance(double probability) {
    return uniform() < probability;
}

}  // namespace nimbara
