#pragma once

#include "record/server/recordserverconfig.h"
#include "record/server/syncstatus.h"
#include "record/server/syncworker.h"

#include <QDateTime>
#include <QObject>
#include <QProcessEnvironment>
#include <QString>

#include <chrono>
#include <memory>

namespace nimbara {

class StoreSyncSource;

// Copies the user's learning record to the organisation's server, when one is named, for one
// run of the program: looks the server up (RecordServerConfig), runs a SyncWorker on the record
// file, tells each kind of trouble once through the message-box service (the local record goes
// on regardless) and keeps a status line for the progress window. Nothing here waits for the
// server: the copy runs on the worker's thread, and stopping waits at most a deadline.
class RecordSync : public QObject {
    Q_OBJECT

public:
    struct Settings {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        QString systemFile = RecordServerConfig::systemFile();
        SyncWorker::Settings worker;  // its uri is the server found
        std::chrono::milliseconds stopDeadline{2000};
    };

    RecordSync(QString recordPath, Settings settings, QObject* parent = nullptr);
    explicit RecordSync(QString recordPath, QObject* parent = nullptr)
        : RecordSync(std::move(recordPath), Settings{}, parent) {}
    // Stops the copy within the deadline.
    ~RecordSync() override;

    // Looks up the server and starts copying when one is named. An address that cannot be used
    // (one carrying a password) gets a box and nothing is copied. Does nothing when started.
    void start();
    // Stops copying, waiting at most the deadline; true when the worker ended in time. A worker
    // still waiting for a silent server is let go; the program's end takes it. The program's
    // quit calls this too, so that the quit never waits longer.
    bool stop();
    bool running() const { return m_worker != nullptr; }

    // Something was recorded: copy it soon.
    void wake();

    const RecordServerConfig::Lookup& server() const { return m_server; }
    SyncStatus status() const { return m_status; }
    // The status line: empty when no server is named.
    QString statusText() const;
    // The line for status; lastCopied shown in local time.
    static QString statusText(const SyncStatus& status);

signals:
    // The status line changed (see statusText()).
    void statusChanged(const QString& text);
    // The worker learned that the login role is an instructor's.
    void instructorConnected(const QString& uri);

private:
    void showStatus(const SyncStatus& status);
    void showProblem(const QString& text);

    QString m_recordPath;
    Settings m_settings;
    RecordServerConfig::Lookup m_server;
    bool m_started = false;
    std::unique_ptr<StoreSyncSource> m_source;
    std::unique_ptr<SyncWorker> m_worker;
    SyncStatus m_status;
    bool m_instructorTold = false;
};

}  // namespace nimbara
