#pragma once

#include <QByteArray>
#include <QString>

// Link files: freedesktop desktop entries of type Link, which file managers and desktops open
// with the browser. A link named "Visit the Nimbara (Tolvane) Web Site" is the file
// "Visit the Nimbara (Tolvane) Web Site.desktop" (".desktop" is the extension desktops read
// entries from; the name is the file name as it stands).

namespace nimbara {

// The file of a link named name in folder: folder + "/" + name + ".desktop". Empty when folder
// is empty or name cannot be a file name (empty, or holding a '/' or a NUL).
QString linkFilePath(const QString& folder, const QString& name);

// The entry of a link named name to url, in UTF-8, its values escaped as entries need them.
QByteArray linkFileContents(const QString& name, const QString& url);

// Writes the entry at path safely (a new file, complete on disk, renamed over the target, which
// is replaced if it exists; a link there is replaced, never written through), creating the
// folder if needed, readable by all and marked executable as desktops want of entries they are
// to open. False when it could not be written whole: an old entry then stays as it was.
bool writeLinkFile(const QString& path, const QString& name, const QString& url);

// The user's desktop folder (XDG_DESKTOP_DIR); empty when there is none.
QString desktopFolder();
// The favourites folder: "nimbara/Favorites" in the user's data folder ($XDG_DATA_HOME, by
// default ~/.local/share); empty when there is none.
QString favoritesFolder();

}  // namespace nimbara
