#include "hyperlink/linkfile.h"

#include "platform/filereplacement.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace nimbara {

namespace {

// A value as desktop entries write it: backslash, line breaks and tabs escaped, and a leading
// blank kept (readers strip blanks around '=').
QString escapedValue(const QString& value) {
    QString escaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\r') {
            escaped += "\\r";
        } else if (c == '\t') {
            escaped += "\\t";
        } else if (c == ' ' && i == 0) {
            escaped += "\\s";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace

QString linkFilePath(const QString& folder, const QString& name) {
    if (folder.isEmpty() || name.isEmpty() || name.contains('/') || name.contains(QChar(0))) {
        return {};
    }
    return QDir(folder).filePath(name + ".desktop");
}

QByteArray linkFileContents(const QString& name, const QString& url) {
    const QString entry =
        "[Desktop Entry]\n"
        "Version=1.0\n"
        "Type=Link\n"
        "Name=" +
        escapedValue(name) +
        "\n"
        "URL=" +
        escapedValue(url) +
        "\n"
        "Icon=text-html\n";
    return entry.toUtf8();
}

bool writeLinkFile(const QString& path, const QString& name, const QString& url) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    FileReplacement file(path);
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                        QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return file.write(linkFileContents(name, url)) && file.commit();
}

QString desktopFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString favoritesFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + "/nimbara/Favorites";
}

}  // namespace nimbara
