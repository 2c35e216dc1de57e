#include "platform/datapath.h"

#include <QDir>

namespace nimbara {

QString currentApplicationDirectory() {
    return QDir::toNativeSeparators(QDir::currentPath());
}

QString dataPath(const QString& applicationDirectory, const QString& relative) {
    QString tail = relative;
    tail.replace('\\', QDir::separator());
    return applicationDirectory + tail;
}

}  // namespace nimbara
