#include "tools/launcher/userappdirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace nimbara {

namespace {

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// Creates the folder at path for the user alone, and every missing folder above it.
bool makeFolders(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) {
        return true;
    }
    if (info.exists() || info.isSymLink() || !makeFolders(info.absolutePath())) {
        return false;
    }
    return QDir().mkdir(path, kOwnerOnly);
}

// Whether a link to target, standing at relative below the application directory, led into an
// installed data folder: installedData itself or a folder of its layout elsewhere (the same last
// two names, e.g. <old prefix>/share/nimbara), as an installation that moved leaves behind.
bool ledIntoInstalledData(const QString& target, const QString& installedData,
                          const QString& relative) {
    const QStringList names = installedData.split('/', Qt::SkipEmptyParts);
    const QString layout = names.mid(std::max<qsizetype>(0, names.size() - 2)).join('/');
    return QDir::cleanPath(target).endsWith('/' + layout + '/' + relative);
}

// The first thing at or below path (not following links) that is not the user's alone.
QString firstUntrusted(const QString& path, uid_t user, gid_t group) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) {
        return {};
    }
    if (status.st_uid != user) {
        return path + " belongs to another user";
    }
    const bool othersWrite = (status.st_mode & S_IWOTH) != 0 ||
                             ((status.st_mode & S_IWGRP) != 0 && status.st_gid != group);
    if (!S_ISLNK(status.st_mode) && othersWrite) {
        return path + " can be changed by other users";
    }
    if (S_ISDIR(status.st_mode)) {
        const QStringList names = QDir(path).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& name : names) {
            if (QString problem = firstUntrusted(path + '/' + name, user, group);
                !problem.isEmpty()) {
                return problem;
            }
        }
    }
    return {};
}

// Links every entry of installed that folder lacks, re-points links that led into an installed
// data folder (installedData) and lead nowhere now, and descends into the user's own folders.
// relative is folder's path below the application directory, to recognise the copied files.
void overlay(const QString& folder, const QString& installed, const QString& relative,
             const QString& installedData, QStringList& problems) {
    const QFileInfoList entries = QDir(installed).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        const QString own = folder + '/' + name;
        const QString ownRelative = relative.isEmpty() ? name : relative + '/' + name;
        const QFileInfo ownInfo(own);
        const bool copied = UserAppDirectory::copiedFiles().contains(ownRelative);
        const bool holdsCopied = std::any_of(
            UserAppDirectory::copiedFiles().begin(), UserAppDirectory::copiedFiles().end(),
            [&](const QString& file) { return file.startsWith(ownRelative + '/'); });
        if (copied) {
            if (!ownInfo.exists() && !ownInfo.isSymLink()) {
                if (!QFile::copy(entry.absoluteFilePath(), own)) {
                    problems << "cannot copy " + entry.absoluteFilePath() + " to " + own;
                    continue;
                }
                // The copy keeps the installed file's read-only mode; the program writes it.
                QFile::setPermissions(own, QFile::permissions(own) | QFile::WriteOwner);
            }
            continue;
        }
        const bool ledIntoInstallation =
            ownInfo.isSymLink() && !ownInfo.exists() &&
            ledIntoInstalledData(ownInfo.symLinkTarget(), installedData, ownRelative);
        if (ownInfo.isSymLink() && !ownInfo.exists() && !ledIntoInstallation) {
            continue;  // the user's link to something not there now, a stick not plugged in
        }
        if (holdsCopied) {
            // The program writes below it: a link into the installation would send the user's
            // writes there, so it becomes a folder of the user's. A link the user made to a
            // folder of their own stays.
            if (ledIntoInstallation ||
                (ownInfo.isSymLink() && ownInfo.canonicalFilePath() == entry.canonicalFilePath())) {
                QFile::remove(own);
            }
            if (!QFileInfo(own).isDir() && !QDir().mkdir(own, kOwnerOnly)) {
                problems << "cannot create " + own;
                continue;
            }
            overlay(own, entry.absoluteFilePath(), ownRelative, installedData, problems);
            continue;
        }
        if (ownInfo.isSymLink()) {
            if (ownInfo.exists()) {
                continue;  // a link that works, ours or the user's
            }
            QFile::remove(own);
        } else if (ownInfo.isDir() && entry.isDir()) {
            overlay(own, entry.absoluteFilePath(), ownRelative, installedData, problems);
            continue;
        } else if (ownInfo.exists()) {
            continue;  // the user's own file
        }
        if (!QFile::link(entry.absoluteFilePath(), own)) {
            problems << "cannot link " + own + " to " + entry.absoluteFilePath();
        }
    }
}

}  // namespace

UserAppDirectory::UserAppDirectory(QString path, QString installedData)
    : m_path(QDir::cleanPath(std::move(path))),
      m_installedData(QDir::cleanPath(std::move(installedData))) {}

QString UserAppDirectory::defaultPath() {
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(dataHome)) {
        return QDir::cleanPath(dataHome) + "/nimbara";
    }
    QString home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(home)) {
        const passwd* user = ::getpwuid(::getuid());
        home = user != nullptr ? QFile::decodeName(user->pw_dir) : QString();
    }
    if (!QDir::isAbsolutePath(home)) {
        return {};
    }
    return QDir::cleanPath(home) + "/.local/share/nimbara";
}

QString UserAppDirectory::ownershipProblem() const {
    return firstUntrusted(m_path, ::geteuid(), ::getegid());
}

const QStringList& UserAppDirectory::copiedFiles() {
    static const QStringList files = {"TEXT/DESKTOPM.TXT"};
    return files;
}

QStringList UserAppDirectory::prepare() const {
    if (!QFileInfo(m_installedData).isDir()) {
        return {"the installed data folder " + m_installedData + " is missing"};
    }
    if (!makeFolders(m_path)) {
        return {"cannot create " + m_path};
    }
    QStringList problems;
    overlay(m_path, m_installedData, QString(), m_installedData, problems);
    return problems;
}

QString UserAppDirectory::makeOwnFolder(const QString& root, const QString& relative) {
    QString path = QDir::cleanPath(root);
    if (!makeFolders(path)) {
        return "cannot create " + path;
    }
    QString done;
    for (const QString& part : relative.split('/', Qt::SkipEmptyParts)) {
        path += '/' + part;
        done += (done.isEmpty() ? "" : "/") + part;
        const QFileInfo info(path);
        if (info.isSymLink()) {
            const QString target = info.symLinkTarget();
            if (!QFile::remove(path) || !QDir().mkdir(path, kOwnerOnly)) {
                return "cannot turn the link " + path + " into a folder";
            }
            if (QFileInfo(target).isDir()) {
                // The data folder the link led into, when it led to the same place in one.
                const QString installed =
                    target.endsWith('/' + done) ? target.chopped(done.size() + 1) : QString();
                QStringList problems;
                overlay(path, target, done, installed, problems);
                if (!problems.isEmpty()) {
                    return problems.join('\n');
                }
            }
        } else if (!info.exists()) {
            if (!QDir().mkdir(path, kOwnerOnly)) {
                return "cannot create " + path;
            }
        } else if (!info.isDir()) {
            return path + " is a file, not a folder";
        }
    }
    return {};
}

}  // namespace nimbara
