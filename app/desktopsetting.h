#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace nimbara {

// The result of looking for a desktop picture: a status text and the picture's path.
struct DesktopChoice {
    QString status;
    QByteArray path;  // the file system's own bytes; empty unless the status is "valid"
};

// Statuses of a desktop choice. Anything but the first two counts as failure.
inline const QString kDesktopValid = QStringLiteral("valid");
inline const QString kDesktopCallDefault = QStringLiteral("call_default");
inline const QString kDesktopInvalid = QStringLiteral("invalid");
inline const QString kDefaultDesktopMissing = QStringLiteral(" invalid");

// The desktop setting file, TEXT/DESKTOPM.TXT under the application directory, and the default
// picture desktop/CLOUDS.BMP. The file's first line is the path of the desktop picture as the file
// system has it (any bytes but a line end, up to the longest path the system opens; the line is
// read no further); an empty first line means the default picture; what follows the first line
// end is ignored. The program never creates the file. The file and the picture are only opened
// when they are regular files (a named pipe or a device is a file that does not open).
//
// Every failure is reported to the user in a box owned by owner ("Unable to open file: " + the
// path + a line feed, caption "Nimbara error", stop icon), except a missing default picture.
class DesktopSetting {
public:
    DesktopSetting(QWidget* owner, const QString& applicationDirectory);

    // Opens application directory + relativePath ("\TEXT\DESKTOPM.TXT") for reading and closes it
    // again; when it cannot be opened, shows the box and returns false.
    bool CheckDataFile(const QString& relativePath) const;
    // Reads the first line: "valid" with the path when it names a file that opens,
    // "call_default" when it is empty, "invalid" otherwise (after the box).
    DesktopChoice ReadDesktopSetting() const;
    // Looks for the default picture: "valid" with its path, or " invalid" without a box.
    DesktopChoice FindDefaultDesktop() const;
    // Whether path can be stored: one holding a line end cannot, and the box "Image names with
    // line breaks not supported by Nimbara" (caption "Nimbara error", stop icon) says so.
    bool CheckStorable(const QByteArray& path) const;
    // Replaces the file's content with path alone, no line end. The old content stays whole
    // until the new one is complete on disk, and a link in the file's place is replaced, never
    // written through; when the file is missing or cannot be written, shows the box, changes
    // nothing and returns false. A path CheckStorable refuses is refused with its box.
    bool save(const QByteArray& path) const;

    QString settingPath() const;

private:
    void reportUnableToOpen(const QString& path) const;

    QWidget* m_owner;
    QString m_applicationDirectory;
};

}  // namespace nimbara
