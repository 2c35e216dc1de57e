#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace nimbara::test {

// Points the user's desktop folder (XDG_DESKTOP_DIR, through XDG_CONFIG_HOME/user-dirs.dirs) and
// data folder (XDG_DATA_HOME) into a temporary folder while it lives; restores them after.
class XdgFolders {
public:
    XdgFolders()
        : m_configHome(qgetenv("XDG_CONFIG_HOME")),
          m_dataHome(qgetenv("XDG_DATA_HOME")),
          m_hadConfigHome(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
          m_hadDataHome(qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
        QDir(root()).mkpath("config");
        QFile dirs(root() + "/config/user-dirs.dirs");
        if (dirs.open(QIODevice::WriteOnly)) {
            dirs.write("XDG_DESKTOP_DIR=\"" + QFile::encodeName(desktop()) + "\"\n");
        }
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root() + "/config"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root() + "/data"));
    }
    ~XdgFolders() {
        restore("XDG_CONFIG_HOME", m_hadConfigHome, m_configHome);
        restore("XDG_DATA_HOME", m_hadDataHome, m_dataHome);
    }
    XdgFolders(const XdgFolders&) = delete;
    XdgFolders& operator=(const XdgFolders&) = delete;

    QString root() const { return m_root.path(); }
    QString desktop() const { return root() + "/Desktop"; }
    QString favorites() const { return root() + "/data/nimbara/Favorites"; }

private:
    static void restore(const char* name, bool had, const QByteArray& value) {
        if (had) {
            qputenv(name, value);
        } else {
            qunsetenv(name);
        }
    }

    QTemporaryDir m_root;
    QByteArray m_configHome;
    QByteArray m_dataHome;
    bool m_hadConfigHome;
    bool m_hadDataHome;
};

}  // namespace nimbara::test
