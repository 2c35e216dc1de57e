// The desktop picture's speed and memory figures, each against a floor measured in the same run
// on the same machine:
//   start-up   from process start to the first painted desktop picture (the default picture
//              desktop/CLOUDS.BMP tiled over the main window), against a bare QMainWindow with a
//              menu bar and a status bar that decodes the same picture once and paints it;
//   memory     the peak resident memory of the program with a 100-megapixel JPEG as desktop,
//              against the same program with the small default picture.
// Every measurement runs in a process of its own, on an offscreen screen of 1920 x 1080 pixels.
// Run without arguments; it prints one line per figure.
#include "app/tmyapp.h"
#include "platform/messagebox.h"
#include "platform/pictureview.h"
#include "platform/tdecoratedframe.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
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

namespace {

const auto gStart = std::chrono::steady_clock::now();

// The application's boxes, counted and answered without a window.
class CountedBoxes final : public nimbara::MessageBoxService {
public:
    nimbara::MbAnswer show(const nimbara::MessageBoxRequest& request) override {
        ++count;
        return request.buttons == nimbara::MbButtons::Ok ? nimbara::MbAnswer::Ok
                                                         : nimbara::MbAnswer::No;
    }
    int count = 0;
};

// Waits for the first paint of a widget that test accepts, wherever in the program it appears.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(std::function<bool(QObject*)> test) : m_test(std::move(test)) {
        qApp->installEventFilter(this);
    }
    ~FirstPaint() override { qApp->removeEventFilter(this); }
    bool wait() {
        return QTest::qWaitFor([this] { return m_painted != nullptr; }, 20000);
    }
    QObject* painted() const { return m_painted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_painted == nullptr && event->type() == QEvent::Paint && m_test(watched)) {
            m_painted = watched;
        }
        return false;
    }

private:
    std::function<bool(QObject*)> m_test;
    QObject* m_painted = nullptr;
};

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double elapsedMilliseconds() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - gStart)
        .count();
}

// Child: the program in the current directory, up to its first painted desktop picture. Prints
// milliseconds, peak resident kilobytes, boxes shown and the picture's size.
int runProgram(int& argc, char** argv) {
    QApplication app(argc, argv);
    CountedBoxes boxes;
    nimbara::MessageBoxService::install(&boxes);
    FirstPaint paint([](QObject* object) { return qobject_cast<nimbara::PictureView*>(object); });
    const std::unique_ptr<nimbara::TDecoratedFrame> frame = nimbara::createMainFrame();
    frame->showMaximisedAlways();
    const bool painted = paint.wait();
    const double milliseconds = elapsedMilliseconds();
    const auto* view = qobject_cast<nimbara::PictureView*>(paint.painted());
    const QSize picture = view != nullptr ? view->pictureSize() : QSize();
    std::printf("%.3f %ld %d %dx%d %d\n", milliseconds, peakKilobytes(), boxes.count,
                picture.width(), picture.height(), painted ? 1 : 0);
    return 0;
}

// Child: a bare window that decodes the default picture once and shows it.
int runFloor(int& argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Floor");
    window.menuBar()->addMenu("&File")->addAction("&Exit");
    window.statusBar()->showMessage("Ready");
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(QImageReader("desktop/CLOUDS.BMP").read()));
    window.setCentralWidget(label);
    FirstPaint paint([label](QObject* object) { return object == label; });
    window.showMaximized();
    const bool painted = paint.wait();
    std::printf("%.3f %ld 0 0x0 %d\n", elapsedMilliseconds(), peakKilobytes(), painted ? 1 : 0);
    return 0;
}

// Child: writes a 100-megapixel JPEG of soft colour bands at path, progressive when asked.
int makeLargeJpeg(const QString& path, bool progressive) {
    QImage image(10000, 10000, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            line[3 * x] = static_cast<uchar>(x / 40);
            line[3 * x + 1] = static_cast<uchar>(y / 40);
            line[3 * x + 2] = static_cast<uchar>((x + y) / 80);
        }
    }
    QImageWriter writer(path, "JPEG");
    writer.setQuality(85);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image) ? 0 : 1;
}

struct Run {
    double milliseconds = 0;
    long peakKilobytes = 0;
    int boxes = 0;
    QString picture;
};

Run runChild(const QString& applicationDirectory, const QStringList& arguments,
             const QString& platform) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", platform);
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(applicationDirectory);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(120000);
    const QStringList fields =
        QString::fromUtf8(child.readAllStandardOutput()).simplified().split(' ');
    if (fields.size() != 5 || fields[4] != "1") {
        std::printf("a measurement failed: %s\n", qPrintable(fields.join(' ')));
        return {};
    }
    return {fields[0].toDouble(), fields[1].toLong(), fields[2].toInt(), fields[3]};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// An application directory with the default picture and a setting whose first line is setting.
QString makeApplicationDirectory(const QString& folder, const QByteArray& setting) {
    QDir().mkpath(folder + "/TEXT");
    QDir().mkpath(folder + "/desktop");
    QFile file(folder + "/TEXT/DESKTOPM.TXT");
    if (!file.open(QIODevice::WriteOnly) || file.write(setting) != setting.size()) {
        std::printf("cannot write %s\n", qPrintable(file.fileName()));
    }
    QFile::copy(QStringLiteral(NIMBARA_STAGED_APPDIR) + "/desktop/CLOUDS.BMP",
                folder + "/desktop/CLOUDS.BMP");
    return folder;
}

void measureStartup(const QString& applicationDirectory, const QString& platform) {
    std::vector<double> program;
    std::vector<double> floor;
    for (int warmUp = 0; warmUp < 2; ++warmUp) {
        runChild(applicationDirectory, {"--program"}, platform);
        runChild(applicationDirectory, {"--floor"}, platform);
    }
    for (int run = 0; run < 15; ++run) {
        program.push_back(runChild(applicationDirectory, {"--program"}, platform).milliseconds);
        floor.push_back(runChild(applicationDirectory, {"--floor"}, platform).milliseconds);
    }
    std::printf(
        "start-up   first painted desktop picture %7.2f ms  bare window + one decode %7.2f ms  "
        "ratio %.2f (goal <= 1.30)\n",
        median(program), median(floor), median(program) / median(floor));
}

void measureMemory(const QString& work, const QString& platform) {
    const QString small = makeApplicationDirectory(work + "/small", "\n");
    const Run smallRun = runChild(small, {"--program"}, platform);
    for (const bool progressive : {false, true}) {
        const QString picture = work + (progressive ? "/progressive.jpg" : "/large.jpg");
        QProcess maker;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        maker.setProcessEnvironment(environment);
        maker.start(QCoreApplication::applicationFilePath(),
                    {"--make-jpeg", picture, progressive ? "progressive" : "baseline"});
        if (!maker.waitForFinished(300000) || maker.exitCode() != 0) {
            std::printf("cannot write %s\n", qPrintable(picture));
            continue;
        }
        const QString folder = makeApplicationDirectory(
            work + (progressive ? "/progressive" : "/large"), QFile::encodeName(picture));
        long peak = 0;
        Run last;
        for (int run = 0; run < 3; ++run) {
            last = runChild(folder, {"--program"}, platform);
            peak = std::max(peak, last.peakKilobytes);
        }
        std::printf(
            "memory     %s 100-megapixel JPEG (%s, %d box%s): peak RSS %ld KB  small picture "
            "%ld KB  ratio %.2f%s\n",
            progressive ? "progressive" : "baseline", qPrintable(last.picture), last.boxes,
            last.boxes == 1 ? "" : "es", peak, smallRun.peakKilobytes,
            static_cast<double>(peak) / static_cast<double>(smallRun.peakKilobytes),
            progressive ? " (refused: beyond the decoder's bound)" : " (goal <= 2.00)");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == "--program") {
        return runProgram(argc, argv);
    }
    if (mode == "--floor") {
        return runFloor(argc, argv);
    }
    if (mode == "--make-jpeg" && argc > 3) {
        QGuiApplication app(argc, argv);
        return makeLargeJpeg(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]) == "progressive");
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    const QString screen = work.filePath("screen.json");
    QFile config(screen);
    if (config.open(QIODevice::WriteOnly)) {
        config.write(R"({"screens": [{"name": "Bench", "x": 0, "y": 0, "width": 1920,)"
                     R"( "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        config.close();
    }
    const QString platform = "offscreen:configfile=" + screen;
    measureStartup(makeApplicationDirectory(work.filePath("startup"), "\n"), platform);
    measureMemory(work.path(), platform);
    return 0;
}
