#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace nimbara {

// How long the photo on show was fully shown before the answer, on a monotonic clock. The clock
// runs from the end of a dissolve and stops when a dissolve begins (the photo dissolving in
// again after the window was covered), so no dissolve is counted.
class AnswerClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Now = std::function<TimePoint()>;

    // now gives the time (the steady clock by default).
    explicit AnswerClock(Now now = {});

    // A new photo: nothing counted, the clock stopped.
    void reset();
    // The photo is fully shown: the clock runs (it goes on when it runs already).
    void run();
    // A dissolve begins: what ran so far is kept, the clock stops.
    void stop();
    // The seconds counted, the running part included.
    double seconds() const;

private:
    TimePoint now() const;

    Now m_now;
    std::chrono::steady_clock::duration m_counted{};
    std::optional<TimePoint> m_runningSince;
};

}  // namespace nimbara
