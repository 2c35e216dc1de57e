// iconrender <svg file> <icon theme folder> <name> <size>...
// Renders the program's icon for an icon theme: <folder>/<size>x<size>/apps/<name>.png for each
// size, drawn from the vector picture at that size (not scaled from another bitmap), and
// <folder>/scalable/apps/<name>.svg, a copy of the picture.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "iconrender: %s\n", qPrintable(message));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    // The offscreen platform is enough to paint into images, with or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 5) {
        return fail("usage: iconrender <svg file> <icon theme folder> <name> <size>...");
    }
    QSvgRenderer renderer(arguments[1]);
    if (!renderer.isValid()) {
        return fail("cannot read the picture " + arguments[1]);
    }
    const QDir theme(arguments[2]);
    const QString name = arguments[3];
    for (const QString& sizeText : arguments.mid(4)) {
        bool number = false;
        const int size = sizeText.toInt(&number);
        if (!number || size < 1 || size > 4096) {
            return fail("not an icon size: " + sizeText);
        }
        QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        QPainter painter(&icon);
        renderer.render(&painter);
        painter.end();
        const QString folder = QString("%1x%1/apps").arg(size);
        const QString path = theme.filePath(folder + '/' + name + ".png");
        if (!theme.mkpath(folder) || !icon.save(path, "PNG")) {
            return fail("cannot write " + path);
        }
    }
    const QString scalable = theme.filePath("scalable/apps/" + name + ".svg");
    QFile::remove(scalable);
    if (!theme.mkpath("scalable/apps") || !QFile::copy(arguments[1], scalable)) {
        return fail("cannot write " + scalable);
    }
    return 0;
}
