#pragma once

#include <cstdint>
#include <random>

namespace nimbara {

// The pseudo-random generator of the games. The games reseed it from the calendar time in
// seconds before every draw and every dissolve, so two calls within one second repeat a sequence.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seedFromClock() = 0;
    // The next value; a correct generator gives values from 0 to 2^31 - 1.
    virtual std::int64_t next() = 0;
};

// The production generator: a Mersenne twister giving 31-bit values.
class ClockSeededRandom final : public RandomSource {
public:
    void seedFromClock() override;
    std::int64_t next() override { return static_cast<std::int64_t>(m_engine() >> 1); }

private:
    std::mt19937 m_engine;
};

}  // namespace nimbara
