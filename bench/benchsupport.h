#pragma once

#include "platform/messagebox.h"

#include <QApplication>
#include <QString>

#include <chrono>
#include <functional>
#include <vector>

class QWidget;

// What the benchmarks share: timing, waiting for a first paint, and quiet message boxes.
namespace nimbara::bench {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start);
double median(std::vector<double> values);
// Milliseconds that one run of action takes.
double timeOnce(const std::function<void()>& action);
// Milliseconds of action, as the median of runs after three unmeasured ones.
double timeIt(int runs, const std::function<void()>& action);
struct Comparison {
    double measured;
    double floor;
};
// Milliseconds of every run of measured and floor, each run three times first and then runs
// times, in turns (the first of a pair alternating), so that both meet the same machine load and
// caches.
struct Samples {
    std::vector<double> measured;
    std::vector<double> floor;
};
Samples compareSamples(int runs, const std::function<void()>& measured,
                       const std::function<void()>& floor);
// The medians of compareSamples.
Comparison compare(int runs, const std::function<void()>& measured,
                   const std::function<void()>& floor);

// Waits until widget has been painted once (ten seconds at most; a message says so).
void waitForFirstPaint(QWidget* widget);
// Message handler that drops the offscreen platform's notices about size hints, which it gives
// for every window.
void quietOffscreenNotices(QtMsgType type, const QMessageLogContext& context, const QString& text);

// Answers every box with OK, or No to a question (a missing help engine must not stop a
// measurement).
class SilentBoxes final : public MessageBoxService {
public:
    MbAnswer show(const MessageBoxRequest& request) override;
};

// The application of a benchmark: on the offscreen platform, without its size-hint notices, with
// every message box answered by SilentBoxes while it lives.
class BenchApplication : public QApplication {
public:
    BenchApplication(int& argc, char** argv);
    ~BenchApplication() override;

private:
    static int& prepare(int& argc);

    SilentBoxes m_boxes;
};

}  // namespace nimbara::bench
