#include "tests/support/appdirfixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <stdexcept>

namespace nimbara::test {

AppDirFixture::AppDirFixture(const QString& subfolder) : m_previous(QDir::currentPath()) {
    if (!m_dir.isValid()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = subfolder.isEmpty() ? m_dir.path() : m_dir.filePath(subfolder);
    QDir().mkpath(m_path);
    QDir::setCurrent(m_path);
}

AppDirFixture::~AppDirFixture() {
    QDir::setCurrent(m_previous);
}

QString AppDirFixture::absolute(const QString& relativePath) const {
    return QDir(m_path).filePath(relativePath);
}

void AppDirFixture::writePhoto(const QString& relativePath, QColor colour, int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    QDir().mkpath(QFileInfo(absolute(relativePath)).path());
    if (!image.save(absolute(relativePath), "BMP")) {
        throw std::runtime_error("cannot write a test photo");
    }
}

void AppDirFixture::writeFile(const QString& relativePath, const QByteArray& content) {
    QDir().mkpath(QFileInfo(absolute(relativePath)).path());
    QFile file(absolute(relativePath));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        throw std::runtime_error("cannot write a test file");
    }
}

void AppDirFixture::copyHelpBook(const QString& name) {
    QDir().mkpath(absolute("HELP"));
    const QString source = QDir(stagedApplicationDirectory()).filePath("HELP/" + name);
    if (!QFile::copy(source, absolute("HELP/" + name))) {
        throw std::runtime_error("cannot copy help book " + name.toStdString());
    }
}

QString stagedApplicationDirectory() {
    return QStringLiteral(NIMBARA_STAGED_APPDIR);
}

QString fixtureDirectory() {
    return QStringLiteral(NIMBARA_TEST_FIXTURES);
}

}  // namespace nimbara::test
