// A small seeded random generator whose sequence is the same on every platform and every run.
#pragma once

#include <cstdint>

namespace nimbara {

class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next();
    double uniform();  // in [0, 1)
    double uniform(double low, double high);
    int integer(int low, int high);  // both ends included
    bool chance(double probability);

private:
    std::uint64_t m_state;
};

}  // namespace nimbara
