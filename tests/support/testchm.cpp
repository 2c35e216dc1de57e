#include "tests/support/testchm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace nimbara::test {

namespace {

bool writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

}  // namespace

bool compileHelpBook(const QString& output, const QByteArray& options,
                     const std::vector<BookFile>& files) {
    QTemporaryDir dir;
    QByteArray project = "[OPTIONS]\nCompiled file=book.chm\n" + options + "\n[FILES]\n";
    for (const BookFile& file : files) {
        if (!writeFile(dir.filePath(file.name), file.content)) {
            ADD_FAILURE() << "cannot write " << file.name.toStdString();
            return false;
        }
        if (!file.name.endsWith(".hhc", Qt::CaseInsensitive)) {
            project += file.name.toUtf8() + "\n";
        }
    }
    if (!writeFile(dir.filePath("book.hhp"), project)) {
        ADD_FAILURE() << "cannot write the project";
        return false;
    }
    QProcess chmcmd;
    chmcmd.setWorkingDirectory(dir.path());
    chmcmd.setProcessChannelMode(QProcess::MergedChannels);
    chmcmd.start("chmcmd", {"book.hhp"});
    if (!chmcmd.waitForFinished(120000) || chmcmd.exitStatus() != QProcess::NormalExit ||
        chmcmd.exitCode() != 0) {
        ADD_FAILURE() << "chmcmd failed: " << chmcmd.readAll().toStdString();
        return false;
    }
    QDir().mkpath(QFileInfo(output).absolutePath());
    QFile::remove(output);
    if (!QFile::copy(dir.filePath("book.chm"), output)) {
        ADD_FAILURE() << "cannot copy the compiled book to " << output.toStdString();
        return false;
    }
    return true;
}

}  // namespace nimbara::test
