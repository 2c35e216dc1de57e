#pragma once

#include "tests/tools/importcatalogue.h"
#include "tools/import/manifest.h"
#include "tools/import/photoimporter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

namespace nimbara::test {

// A temporary place with pictures to import and an application directory to import into.
class ImportPlace {
public:
    ImportPlace() {
        QDir(m_root.path()).mkpath("pictures");
        QDir(m_root.path()).mkpath("app");
    }
    QString app() const { return m_root.filePath("app"); }
    QString app(const QString& relative) const { return app() + '/' + relative; }
    QString root(const QString& relative) const { return m_root.filePath(relative); }
    QString pictures(const QString& name) const { return m_root.filePath("pictures/" + name); }

    void addPicture(const QString& name, QSize size) const {
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient sky(0, 0, size.width(), size.height());
        sky.setColorAt(0, QColor(60, 110, 190));
        sky.setColorAt(1, QColor(230, 235, 240));
        painter.fillRect(image.rect(), sky);
        painter.end();
        image.save(pictures(name), nullptr, 90);
    }

    // A small whole bitmap at relative below the application directory, a photo the games read.
    void addPhoto(const QString& relative) const {
        QImage photo(8, 5, QImage::Format_RGB888);
        photo.fill(QColor(90, 120, 200));
        QDir().mkpath(QFileInfo(app(relative)).path());
        photo.save(app(relative), "BMP");
    }

    // Every file below the application directory, as relative paths, links included.
    QStringList files() const {
        QStringList found;
        QDirIterator it(app(), QDir::Files | QDir::System | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            found << QDir(app()).relativeFilePath(it.next());
        }
        found.sort();
        return found;
    }

    struct Run {
        ImportSummary summary;
        QStringList out;
        QStringList errors;
    };

    Run import(const QString& lines, bool replace = false) const {
        const Manifest manifest = Manifest::parse(
            "file,game,class,photographer,licence,source\n" + lines, m_root.filePath("pictures"));
        EXPECT_EQ(manifest.error(), "");
        QString out;
        QString errors;
        QTextStream outStream(&out);
        QTextStream errorStream(&errors);
        PhotoImporter importer(catalogue(), app(), replace);
        Run run;
        run.summary = importer.run(manifest.entries(), outStream, errorStream);
        run.out = out.split('\n', Qt::SkipEmptyParts);
        run.errors = errors.split('\n', Qt::SkipEmptyParts);
        return run;
    }

private:
    QTemporaryDir m_root;
};

}  // namespace nimbara::test
