#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

namespace nimbara {

// Replaces the content of the file at a path whole or not at all. The new content goes into a new
// file beside it; every write and the final sync to disk are checked, so a full disk is seen
// there; only then is the new file renamed into the path's place. Until that rename the old file
// stays as it was, and on any failure the new file is removed again.
//
// The rename replaces whatever the path names, a symbolic link included: a link is replaced by
// the new file, never written through, so what it leads to keeps its content and its mode.
//
// A regular file that its owner made read-only is not replaced (as a save in place would fail).
//
// Writing and committing are two steps, so that two files can be made ready before either is put
// in place.
class FileReplacement {
public:
    explicit FileReplacement(QString path);
    // Removes a new file that was written and not committed.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // The mode of the new file. Without it, the new file keeps the mode of the regular file it
    // replaces, or gets a new file's mode (0666 less the umask) where there is none or a link.
    void setPermissions(QFileDevice::Permissions permissions) { m_permissions = permissions; }

    // Writes content as the new file, complete on disk. False on failure (errorString()), with
    // nothing left behind.
    bool write(const QByteArray& content);
    // Puts the written file in the path's place. False on failure, with the old file as it was.
    bool commit();

    const QString& path() const { return m_path; }
    // What went wrong, in the system's words ("No space left on device").
    const QString& errorString() const { return m_error; }

private:
    void discard();

    QString m_path;
    QString m_temporary;   // the written new file; empty when there is none
    QByteArray m_pending;  // where new files are not written beside the old one
    QString m_error;
    std::optional<QFileDevice::Permissions> m_permissions;
};

}  // namespace nimbara
