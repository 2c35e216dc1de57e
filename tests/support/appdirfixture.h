#pragma once

#include <QColor>
#include <QString>
#include <QTemporaryDir>

namespace nimbara::test {

// A temporary application directory that is the current directory while the fixture lives.
// Photos and help files are put into it by name.
class AppDirFixture {
public:
    // subfolder, if given, is created inside the temporary folder and used as the directory
    // (to test unusual names).
    explicit AppDirFixture(const QString& subfolder = QString());
    ~AppDirFixture();

    const QString& path() const { return m_path; }
    // Writes a 24-bit BMP of size filled with colour at relative path (folders are created).
    void writePhoto(const QString& relativePath, QColor colour, int width = 400, int height = 250);
    // Writes raw bytes at relative path.
    void writeFile(const QString& relativePath, const QByteArray& content);
    // Copies a built help book (from the build's application directory) into HELP/.
    void copyHelpBook(const QString& name);
    QString absolute(const QString& relativePath) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_previous;
};

// The application directory that the build staged (holds HELP/ with every book).
QString stagedApplicationDirectory();
// The folder of the test fixtures that the build made (help books for the viewer tests).
QString fixtureDirectory();

}  // namespace nimbara::test
