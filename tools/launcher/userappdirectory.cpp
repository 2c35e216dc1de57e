#include "tools/launcher/userappdirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace nimbara {

namespace {

// Links every entry of installed that folder lacks, re-points links that lead nowhere and
// descends into the user's own folders. relative is folder's path below the application
// directory, to recognise the copied files.
void overlay(const QString& folder, const QString& installed, const QString& relative,
             QStringList& problems) {
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
        if (holdsCopied) {
            // The program writes below it: a link into the installation (or to nowhere) would
            // send the user's writes there, so it becomes a folder of the user's. A link the
            // user made to a folder of their own stays.
            const bool intoInstallation =
                !ownInfo.exists() || ownInfo.canonicalFilePath() == entry.canonicalFilePath();
            if (ownInfo.isSymLink() && intoInstallation) {
                QFile::remove(own);
            }
            if (!QFileInfo(own).isDir() && !QDir().mkdir(own)) {
                problems << "cannot create " + own;
                continue;
            }
            overlay(own, entry.absoluteFilePath(), ownRelative, problems);
            continue;
        }
        if (ownInfo.isSymLink()) {
            if (ownInfo.exists()) {
                continue;  // a link that works, ours or the user's
            }
            QFile::remove(own);
        } else if (ownInfo.isDir() && entry.isDir()) {
            overlay(own, entry.absoluteFilePath(), ownRelative, problems);
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
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/nimbara";
}

const QStringList& UserAppDirectory::copiedFiles() {
    static const QStringList files = {"TEXT/DESKTOPM.TXT"};
    return files;
}

QStringList UserAppDirectory::prepare() const {
    if (!QFileInfo(m_installedData).isDir()) {
        return {"the installed data folder " + m_installedData + " is missing"};
    }
    if (!QDir().mkpath(m_path)) {
        return {"cannot create " + m_path};
    }
    QStringList problems;
    overlay(m_path, m_installedData, QString(), problems);
    return problems;
}

QString UserAppDirectory::makeOwnFolder(const QString& root, const QString& relative) {
    QString path = QDir::cleanPath(root);
    if (!QFileInfo(path).isDir() && !QDir().mkpath(path)) {
        return "cannot create " + path;
    }
    QString done;
    for (const QString& part : relative.split('/', Qt::SkipEmptyParts)) {
        path += '/' + part;
        done += (done.isEmpty() ? "" : "/") + part;
        const QFileInfo info(path);
        if (info.isSymLink()) {
            const QString target = info.symLinkTarget();
            if (!QFile::remove(path) || !QDir().mkdir(path)) {
                return "cannot turn the link " + path + " into a folder";
            }
            if (QFileInfo(target).isDir()) {
                QStringList problems;
                overlay(path, target, done, problems);
                if (!problems.isEmpty()) {
                    return problems.join('\n');
                }
            }
        } else if (!info.exists()) {
            if (!QDir().mkdir(path)) {
                return "cannot create " + path;
            }
        } else if (!info.isDir()) {
            return path + " is a file, not a folder";
        }
    }
    return {};
}

}  // namespace nimbara
