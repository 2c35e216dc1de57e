// nimbara, as installed: gives the user an application directory of their own and starts the
// program there. The program takes its current directory as its application directory, so
// this is what makes an installed Nimbara find its data and keep each user's desktop setting.
//
// The installation is found from where this launcher lies, so an installed tree can be moved
// as a whole: <prefix>/bin/nimbara, the program in NIMBARA_PROGRAM and the data in
// NIMBARA_DATA, both relative to the launcher's folder.
#include "tools/launcher/userappdirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QString launcherFolder;
    {
        // Only to learn where the launcher lies; gone before the program replaces this process.
        QCoreApplication application(argc, argv);
        launcherFolder = QCoreApplication::applicationDirPath();
    }
    const QString data = QDir::cleanPath(launcherFolder + '/' + NIMBARA_DATA);
    const QString program = QDir::cleanPath(launcherFolder + '/' + NIMBARA_PROGRAM);
    const QString folder = nimbara::UserAppDirectory::defaultPath();
    if (folder.isEmpty()) {
        std::fprintf(stderr, "nimbara: no home folder to keep your files in\n");
        return 1;
    }
    const nimbara::UserAppDirectory directory(folder, data);
    // Another user's folder, or one others can change, could lead the program's writes anywhere.
    if (const QString problem = directory.ownershipProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "nimbara: %s; it is not used\n", qPrintable(problem));
        return 1;
    }
    const QStringList problems = directory.prepare();
    for (const QString& problem : problems) {
        std::fprintf(stderr, "nimbara: %s\n", qPrintable(problem));
    }
    // With a folder in place the program still starts, and its own boxes name any file that
    // could not be provided.
    if (!QFileInfo(folder).isDir() || ::chdir(QFile::encodeName(folder).constData()) != 0) {
        std::fprintf(stderr, "nimbara: cannot enter %s\n", qPrintable(folder));
        return 1;
    }
    const QByteArray programPath = QFile::encodeName(program);
    std::vector<char*> arguments(argv, argv + argc);
    arguments.push_back(nullptr);
    arguments[0] = const_cast<char*>(programPath.constData());
    ::execv(programPath.constData(), arguments.data());
    std::perror(("nimbara: cannot start " + programPath).constData());
    return 127;
}
