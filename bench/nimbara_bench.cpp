// Nimbara's speed and memory figures, each as a ratio against a bare-Qt floor measured in the
// same run on the same machine:
//   start-up      the main window from process start to its first painted frame, against a bare
//                 QMainWindow with a menu bar and a status bar (each in processes of its own, so
//                 that the peak resident memory of each can be read too);
//   dissolve      the work of one dissolve frame, against the 16.7 ms frame budget.
// The games' figures are measured by nimbara_game_bench, the help viewer's by nimbara_help_bench.
// Run without arguments; it prints one line per figure.
#include "app/tmyapp.h"
#include "bench/benchsupport.h"
#include "games/core/dissolveorder.h"
#include "games/core/gamecatalogue.h"
#include "games/photoarea.h"
#include "games/ticegamedlg.h"
#include "platform/messagebox.h"
#include "platform/tdecoratedframe.h"
#include "resources/resourceids.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

using namespace std::chrono_literals;
using namespace nimbara::bench;

const Clock::time_point gProcessStart = Clock::now();

long peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Child process: builds one main window, reports milliseconds to its first paint and peak RSS.
int runStartupChild(int argc, char** argv, bool nimbaraWindow) {
    BenchApplication app(argc, argv);
    std::unique_ptr<QMainWindow> window;
    if (nimbaraWindow) {
        auto frame = nimbara::createMainFrame();
        frame->showMaximisedAlways();
        window = std::move(frame);
    } else {
        window = std::make_unique<QMainWindow>();
        window->setWindowTitle("Floor");
        window->menuBar()->addMenu("&File")->addAction("&Exit");
        window->statusBar()->showMessage("Ready");
        window->showMaximized();
    }
    waitForFirstPaint(window.get());
    std::printf("%.3f %ld\n", millisecondsSince(gProcessStart), peakResidentKilobytes());
    return 0;
}

struct ChildResult {
    double milliseconds;
    long peakKilobytes;
};

ChildResult runChild(const QString& mode) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {mode});
    child.waitForFinished(60000);
    const QStringList fields = QString::fromUtf8(child.readAllStandardOutput()).split(' ');
    return {fields.value(0).toDouble(), fields.value(1).toLong()};
}

void measureStartup() {
    std::vector<double> floor;
    std::vector<double> nimbara;
    long floorPeak = 0;
    long nimbaraPeak = 0;
    for (int run = 0; run < 15; ++run) {
        const ChildResult bare = runChild("--startup-floor");
        const ChildResult ours = runChild("--startup-nimbara");
        floor.push_back(bare.milliseconds);
        nimbara.push_back(ours.milliseconds);
        floorPeak = std::max(floorPeak, bare.peakKilobytes);
        nimbaraPeak = std::max(nimbaraPeak, ours.peakKilobytes);
    }
    std::printf(
        "start-up   nimbara %7.2f ms  floor %7.2f ms  ratio %.2f (goal <= 1.30)  "
        "peak RSS nimbara %ld KB, floor %ld KB\n",
        median(nimbara), median(floor), median(nimbara) / median(floor), nimbaraPeak, floorPeak);
}

void measureDissolveFrame(const QString& applicationDirectory) {
    std::array<std::uint16_t, 18> block{};
    nimbara::TIceGameDlg dialog(nullptr, *nimbara::findGame("ice1"), block, applicationDirectory);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) {
        std::printf("dissolve bench: the dialog was not shown\n");
    }
    nimbara::ClockSeededRandom random;
    const std::vector<int> order = nimbara::dissolveOrder(random);
    const QImage photo = QImage(applicationDirectory + "/games/ice/ice1.bmp", "BMP")
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    constexpr std::size_t kFrames = 62;  // frames of a one-second dissolve
    const std::size_t perFrame = order.size() / kFrames;
    std::size_t frame = 0;
    const double work = timeIt(201, [&] {
        const std::size_t at = (frame++ % kFrames) * perFrame;
        dialog.photoArea()->copyPixels(photo, std::span(order).subspan(at, perFrame));
        dialog.photoArea()->repaint();
    });
    std::printf("dissolve   one frame %6.3f ms  budget 16.67 ms  ratio %.3f (goal <= 1 ms)\n", work,
                work / 16.67);
}

// An application directory with the ice photos of game I.
void writePhotos(const QString& applicationDirectory) {
    QDir().mkpath(applicationDirectory + "/games/ice");
    for (int photo = 0; photo < 18; ++photo) {
        QImage image(400, 250, QImage::Format_RGB888);
        image.fill(QColor(photo * 12, 100, 200 - photo * 8));
        image.save(QString("%1/games/ice/ice%2.bmp").arg(applicationDirectory).arg(photo), "BMP");
    }
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietOffscreenNotices);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--startup-floor" || mode == "--startup-nimbara") {
        return runStartupChild(argc, argv, mode == "--startup-nimbara");
    }
    BenchApplication app(argc, argv);
    nimbara::PhotoArea::setDissolveDuration(0ms);
    QTemporaryDir applicationDirectory;
    writePhotos(applicationDirectory.path());

    measureStartup();
    measureDissolveFrame(applicationDirectory.path());
    return 0;
}
