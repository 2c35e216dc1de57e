#pragma once

#include "games/core/randomsource.h"

#include <deque>
#include <stdexcept>

namespace nimbara::test {

// A generator that returns a script of values, then counts up from a start value, and counts
// how often it was reseeded.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<std::int64_t> script = {}, std::int64_t after = 0)
        : m_script(std::move(script)), m_after(after) {}

    void seedFromClock() override { ++m_seeds; }
    std::int64_t next() override {
        if (m_script.empty()) {
            return m_after++;
        }
        const std::int64_t value = m_script.front();
        m_script.pop_front();
        return value;
    }
    int seeds() const { return m_seeds; }

private:
    std::deque<std::int64_t> m_script;
    std::int64_t m_after;
    int m_seeds = 0;
};

}  // namespace nimbara::test
