#pragma once

#include <QString>
#include <QStringList>

namespace nimbara {

// The application directory of one user. The program runs with it as current directory, so
// what it writes there (the desktop setting file) is the user's own, while the data it only
// reads come from the installation through symbolic links:
//
//   HELP -> <installed>/HELP, games -> <installed>/games, desktop -> <installed>/desktop,
//   TEXT/DESKTOPM.TXT, a copy of the installed one.
//
// A folder of the user's own may stand where a link stood, at any depth (games, games/clouds):
// it is kept, and every installed entry it lacks is linked into it, so photos the user brought
// stand in for installed ones name by name and the rest still come from the installation.
// Nothing the user made is ever replaced or removed: a link is re-pointed only when it led into
// an installed data folder (this one, or one of the same layout that moved), never when it leads
// somewhere that is not there now (a stick not plugged in). Folders are made for the user alone
// (mode 0700).
class UserAppDirectory {
public:
    // path: the user's application directory; installedData: the installed data folder.
    UserAppDirectory(QString path, QString installedData);

    // $XDG_DATA_HOME/nimbara, by default ~/.local/share/nimbara. A relative XDG_DATA_HOME is
    // ignored, as the XDG rules say; without HOME (or with a relative one) the home folder is
    // the user's in the password database. Empty when there is no home folder at all.
    static QString defaultPath();

    // Why the directory cannot be trusted with the user's files, one line ("<path> belongs to
    // another user", "<path> can be changed by other users"); empty when it can, or when it does
    // not exist yet. The directory and everything in it, at any depth, must belong to the user
    // and be writable by no one else (the user's own group aside); links are looked at, not
    // followed.
    QString ownershipProblem() const;

    // Creates the directory where needed and brings it up to date with the installation: links
    // what it lacks, re-points links that lead nowhere (an installation that moved), and copies
    // the files the program writes when they are missing. Returns what went wrong, one line
    // each; empty on success.
    QStringList prepare() const;

    // Makes the folder at relative path (e.g. "games/clouds") below root, an application
    // directory, a real folder of the user's, creating it and root when missing. Where a part of
    // the path is a link to a folder, the link becomes a folder holding links to every entry of the
    // one it pointed to, so nothing that was visible through it goes missing, and a write into it
    // never reaches the installation. Returns what went wrong; empty on success.
    static QString makeOwnFolder(const QString& root, const QString& relative);

    // The files the program writes: copied, never linked.
    static const QStringList& copiedFiles();

private:
    QString m_path;
    QString m_installedData;
};

}  // namespace nimbara
