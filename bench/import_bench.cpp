// The photo import on camera-sized pictures: how many photos per second nimbara-import makes
// from 12-megapixel JPEGs and the peak memory of the command, against a floor measured in the
// same run: decoding each picture at full size with a bare QImage, cropping it and scaling it
// smoothly to 400 x 250, as an import without reduced decoding would.
//
//   nimbara_import_bench [count]                 generates count pictures (default 100) in a
//                                                temporary folder and prints the figures
//   nimbara_import_bench --generate <folder> [count]
//                                                only writes the pictures and manifest.csv there,
//                                                to time the command by hand
//   nimbara_import_bench --from <folder> [count]  measures on pictures written before
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr QSize kCameraSize{4000, 3000};

// A sky-like picture with enough detail that it compresses like a photo: a gradient, soft
// cloud blobs and fine grain.
QImage cameraPicture(int seed) {
    QImage image(kCameraSize, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, kCameraSize.height());
    sky.setColorAt(0, QColor::fromHsv((200 + seed * 7) % 360, 140, 200));
    sky.setColorAt(1, QColor(225, 230, 238));
    painter.fillRect(image.rect(), sky);
    QRandomGenerator random(static_cast<quint32>(seed));
    painter.setPen(Qt::NoPen);
    for (int blob = 0; blob < 60; ++blob) {
        QRadialGradient cloud(random.bounded(kCameraSize.width()),
                              random.bounded(kCameraSize.height()), 100 + random.bounded(500));
        cloud.setColorAt(0, QColor(255, 255, 255, 200));
        cloud.setColorAt(1, QColor(255, 255, 255, 0));
        painter.setBrush(cloud);
        painter.drawRect(image.rect());
    }
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = static_cast<int>(random.bounded(9u)) - 4;
            const QRgb p = line[x];
            line[x] =
                qRgb(std::clamp(qRed(p) + grain, 0, 255), std::clamp(qGreen(p) + grain, 0, 255),
                     std::clamp(qBlue(p) + grain, 0, 255));
        }
    }
    return image;
}

// Writes count pictures and a manifest that spreads them over the easy cloud game's classes.
bool generate(const QString& folder, int count) {
    QDir().mkpath(folder);
    QString manifest = "file,game,class,photographer,licence,source\n";
    const char* const levels[] = {"Cl", "Cm", "Ch"};
    for (int k = 0; k < count; ++k) {
        const QString name = QString("IMG_%1.jpg").arg(k, 4, 10, QChar('0'));
        if (!cameraPicture(k).save(QDir(folder).filePath(name), "JPEG", 90)) {
            return false;
        }
        const int type = k % 27;
        manifest += QString("%1,clouds-easy,%2 %3,Bench,CC0,\n")
                        .arg(name, levels[type / 9])
                        .arg(type % 9 + 1);
    }
    QFile file(QDir(folder).filePath("manifest.csv"));
    return file.open(QIODevice::WriteOnly) && file.write(manifest.toUtf8()) > 0;
}

long childrenPeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (!arguments.isEmpty() && arguments.front() == "--generate") {
        if (arguments.size() < 2) {
            std::fprintf(stderr, "usage: nimbara_import_bench --generate <folder> [count]\n");
            return 2;
        }
        const int count = arguments.size() > 2 ? arguments[2].toInt() : 100;
        return generate(arguments[1], count) ? 0 : 1;
    }
    QString pictures;
    if (arguments.size() >= 2 && arguments.front() == "--from") {
        pictures = arguments[1];
        arguments = arguments.mid(2);
    }
    const int count = arguments.isEmpty() ? 100 : std::max(1, arguments.front().toInt());
    QTemporaryDir folder;
    if (pictures.isEmpty()) {
        pictures = folder.filePath("pictures");
        std::printf("generating %d pictures of %d x %d ...\n", count, kCameraSize.width(),
                    kCameraSize.height());
        std::fflush(stdout);
        if (!generate(pictures, count)) {
            std::fprintf(stderr, "cannot write the pictures\n");
            return 1;
        }
    }

    QProcess import;
    QElapsedTimer timer;
    timer.start();
    import.start(NIMBARA_IMPORT_PROGRAM,
                 {"--into", folder.filePath("app"), QDir(pictures).filePath("manifest.csv")});
    import.waitForFinished(-1);
    const double importSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    if (import.exitCode() != 0) {
        std::fprintf(stderr, "nimbara-import failed:\n%s\n",
                     import.readAllStandardError().constData());
        return 1;
    }
    const long importPeak = childrenPeakKilobytes();

    // The floor on the same pictures, a tenth of them, at full decoding size.
    const int floorCount = std::max(1, count / 10);
    timer.restart();
    for (int k = 0; k < floorCount; ++k) {
        const QImage full(QDir(pictures).filePath(QString("IMG_%1.jpg").arg(k, 4, 10, QChar('0'))));
        const QImage photo = full.copy(QRect(0, 250, 4000, 2500))
                                 .scaled(400, 250, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        photo.convertToFormat(QImage::Format_RGB888)
            .save(folder.filePath(QString("floor%1.bmp").arg(k)), "BMP");
    }
    const double floorSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;

    const double importRate = count / importSeconds;
    const double floorRate = floorCount / floorSeconds;
    std::printf("import     %d photos in %.2f s: %.1f photos/s, peak memory %.1f MB\n", count,
                importSeconds, importRate, static_cast<double>(importPeak) / 1024.0);
    std::printf("floor      full decode + crop + smooth scale: %.1f photos/s\n", floorRate);
    std::printf("ratio      import / floor speed: %.2f\n", importRate / floorRate);
    return 0;
}
