#include "app/desktopsetting.h"

#include "platform/datapath.h"
#include "platform/filereplacement.h"
#include "platform/messagebox.h"
#include "platform/nativefile.h"

#include <QFile>
#include <QFileInfo>

namespace nimbara {

namespace {

const QString kSettingFile = QStringLiteral("\\TEXT\\DESKTOPM.TXT");
const QString kDefaultPicture = QStringLiteral("\\desktop\\") + QStringLiteral("CLOUDS.BMP");
// The longest path the system opens (PATH_MAX less its terminator): the first line is read no
// further, whatever the file holds.
constexpr qint64 kLongestPath = 4095;

bool opens(const QByteArray& path) {
    QFile file;
    return openForReading(file, path);
}

}  // namespace

DesktopSetting::DesktopSetting(QWidget* owner, const QString& applicationDirectory)
    : m_owner(owner), m_applicationDirectory(applicationDirectory) {}

QString DesktopSetting::settingPath() const {
    return dataPath(m_applicationDirectory, kSettingFile);
}

void DesktopSetting::reportUnableToOpen(const QString& path) const {
    messageBox(m_owner, "Unable to open file: " + path + "\n", "Nimbara error", MbIcon::Stop);
}

bool DesktopSetting::CheckDataFile(const QString& relativePath) const {
    const QString path = dataPath(m_applicationDirectory, relativePath);
    if (!opens(QFile::encodeName(path))) {
        reportUnableToOpen(path);
        return false;
    }
    return true;
}

DesktopChoice DesktopSetting::ReadDesktopSetting() const {
    if (!CheckDataFile(kSettingFile)) {
        return {kDesktopInvalid, {}};
    }
    QFile file;
    if (!openForReading(file, QFile::encodeName(settingPath()))) {
        reportUnableToOpen(settingPath());  // gone since the check
        return {kDesktopInvalid, {}};
    }
    // The path and a DOS line end at most; readLine() keeps one byte for a terminator.
    QByteArray path = file.readLine(kLongestPath + 3);
    file.close();
    if (path.endsWith('\n')) {
        path.chop(1);
    }
    if (path.endsWith('\r')) {  // a file written with DOS line ends
        path.chop(1);
    }
    path.truncate(kLongestPath);
    if (path.isEmpty()) {
        return {kDesktopCallDefault, {}};
    }
    if (!opens(path)) {
        reportUnableToOpen(QFile::decodeName(path));
        return {kDesktopInvalid, {}};
    }
    return {kDesktopValid, path};
}

DesktopChoice DesktopSetting::FindDefaultDesktop() const {
    const QByteArray path = QFile::encodeName(dataPath(m_applicationDirectory, kDefaultPicture));
    if (!opens(path)) {
        return {kDefaultDesktopMissing, {}};
    }
    return {kDesktopValid, path};
}

bool DesktopSetting::CheckStorable(const QByteArray& path) const {
    // The file holds one line: a line end would cut the path in two.
    if (path.contains('\n') || path.contains('\r')) {
        messageBox(m_owner, "Image names with line breaks not supported by Nimbara",
                   "Nimbara error", MbIcon::Stop);
        return false;
    }
    return true;
}

bool DesktopSetting::save(const QByteArray& path) const {
    if (!CheckStorable(path) || !CheckDataFile(kSettingFile)) {
        return false;
    }
    // Written beside the old file and renamed over it, so a crash, a full disk or a folder that
    // refuses new files leaves the old setting whole; a link in its place is replaced, not
    // written through. A setting file the user made read-only is left alone as well.
    FileReplacement file(settingPath());
    const bool written = QFileInfo(settingPath()).isWritable() && file.write(path) && file.commit();
    if (!written) {
        reportUnableToOpen(settingPath());
    }
    return written;
}

}  // namespace nimbara
