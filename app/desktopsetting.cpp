#include "app/desktopsetting.h"

#include "platform/datapath.h"
#include "platform/messagebox.h"
#include "platform/nativefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace nimbara {

namespace {

const QString kSettingFile = QStringLiteral("\\TEXT\\DESKTOPM.TXT");
const QString kDefaultPicture = QStringLiteral("\\desktop\\") + QStringLiteral("CLOUDS.BMP");

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
    QByteArray path = file.readLine();
    file.close();
    if (path.endsWith('\n')) {
        path.chop(1);
    }
    if (path.endsWith('\r')) {  // a file written with DOS line ends
        path.chop(1);
    }
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

bool DesktopSetting::save(const QByteArray& path) const {
    if (!CheckDataFile(kSettingFile)) {
        return false;
    }
    // Written beside the old file and renamed over it, so a crash, a full disk or a folder that
    // refuses new files leaves the old setting whole. A setting file the user made read-only is
    // left alone as well. Unbuffered, so that a short write is seen here: a buffered one is only
    // flushed on commit, which does not notice when part of it is missing.
    QSaveFile file(settingPath());
    const bool written = QFileInfo(settingPath()).isWritable() &&
                         file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         file.write(path) == path.size() && file.commit();
    if (!written) {
        file.cancelWriting();
        reportUnableToOpen(settingPath());
    }
    return written;
}

}  // namespace nimbara
