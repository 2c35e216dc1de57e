#include "games/core/answerclock.h"

namespace nimbara {

AnswerClock::AnswerClock(Now now) : m_now(std::move(now)) {}

AnswerClock::TimePoint AnswerClock::now() const {
    return m_now ? m_now() : std::chrono::steady_clock::now();
}

void AnswerClock::reset() {
    m_counted = {};
    m_runningSince.reset();
}

void AnswerClock::run() {
    if (!m_runningSince) {
        m_runningSince = now();
    }
}

void AnswerClock::stop() {
    if (m_runningSince) {
        m_counted += now() - *m_runningSince;
        m_runningSince.reset();
    }
}

double AnswerClock::seconds() const {
    std::chrono::steady_clock::duration total = m_counted;
    if (m_runningSince) {
        total += now() - *m_runningSince;
    }
    return std::chrono::duration<double>(total).count();
}

}  // namespace nimbara
