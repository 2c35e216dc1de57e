#include "bench/benchsupport.h"

#include <QCoreApplication>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace nimbara::bench {

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeOnce(const std::function<void()>& action) {
    const Clock::time_point start = Clock::now();
    action();
    return millisecondsSince(start);
}

double timeIt(int runs, const std::function<void()>& action) {
    for (int warmUp = 0; warmUp < 3; ++warmUp) {
        action();
    }
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        times.push_back(timeOnce(action));
    }
    return median(times);
}

Samples compareSamples(int runs, const std::function<void()>& measured,
                       const std::function<void()>& floor) {
    for (int warmUp = 0; warmUp < 3; ++warmUp) {
        measured();
        floor();
    }
    Samples samples;
    for (int run = 0; run < runs; ++run) {
        // Which goes first alternates: the first of a pair may meet caches the other emptied.
        if (run % 2 == 0) {
            samples.measured.push_back(timeOnce(measured));
            samples.floor.push_back(timeOnce(floor));
        } else {
            samples.floor.push_back(timeOnce(floor));
            samples.measured.push_back(timeOnce(measured));
        }
    }
    return samples;
}

Comparison compare(int runs, const std::function<void()>& measured,
                   const std::function<void()>& floor) {
    const Samples samples = compareSamples(runs, measured, floor);
    return {median(samples.measured), median(samples.floor)};
}

void waitForFirstPaint(QWidget* widget) {
    struct PaintSpy : QObject {
        bool painted = false;
        bool eventFilter(QObject*, QEvent* event) override {
            painted = painted || event->type() == QEvent::Paint;
            return false;
        }
    } spy;
    widget->installEventFilter(&spy);
    // The events are processed until the paint without pausing in between: a pause would add
    // its length to the time measured whenever the paint needs a second pass.
    const Clock::time_point start = Clock::now();
    while (!spy.painted && millisecondsSince(start) < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    if (!spy.painted) {
        std::printf("no paint within ten seconds\n");
    }
    widget->removeEventFilter(&spy);
}

void quietOffscreenNotices(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains("propagateSizeHints")) {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
    }
}

MbAnswer SilentBoxes::show(const MessageBoxRequest& request) {
    return request.buttons == MbButtons::YesNo ? MbAnswer::No : MbAnswer::Ok;
}

int& BenchApplication::prepare(int& argc) {
    qInstallMessageHandler(quietOffscreenNotices);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

BenchApplication::BenchApplication(int& argc, char** argv) : QApplication(prepare(argc), argv) {
    MessageBoxService::install(&m_boxes);
}

BenchApplication::~BenchApplication() {
    MessageBoxService::install(nullptr);
}

}  // namespace nimbara::bench
