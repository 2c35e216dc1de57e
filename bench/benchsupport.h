#pragma once

#include "messagebox.h"

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

}  // namespace nimbara::bench
