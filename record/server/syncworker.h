#pragma once

#include "record/server/pgerror.h"
#include "record/server/syncstatus.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

namespace nimbara {

class PgConnection;
class SyncSource;

// Copies the local record to the organisation's server on a thread of its own, so that a game
// never waits for it: takes batches from the source, sends them (see ServerUploader) and marks
// them copied. While the server cannot be reached, refuses the login or loses the connection,
// it tries again after pauses that double up to a limit, and the rows wait in the local record.
// Each kind of trouble (the server away, a refused login, a refused copy, the local record) is
// told once per worker (once per session of the program), through
// problem(); statusChanged() tells every change of where the copy stands. Both are emitted on
// the worker's thread: connect with a queued or automatic connection.
class SyncWorker : public QObject {
    Q_OBJECT

public:
    struct Settings {
        QString uri;  // the server, already checked (RecordServerConfig)
        int batchRows = 500;
        std::chrono::milliseconds firstPause{1000};  // after the first failure
        std::chrono::milliseconds longestPause{60000};
        std::chrono::milliseconds idlePoll{30000};  // a look for new rows without wake()
    };

    // source is used on the worker thread only and must outlive the worker.
    SyncWorker(SyncSource& source, Settings settings, QObject* parent = nullptr);
    ~SyncWorker() override;

    void start();
    // Ends the thread after the batch in flight; waits for it.
    void stop();
    // Asks the thread to end and waits for it at most deadline. True when it ended (or never
    // ran); false when it is still in a call to the server that has not returned (a network
    // gone silent). The thread is then let go: it ends on its own, and this worker and its
    // source must stay alive until it has (in practice, until the program ends).
    bool stopWithin(std::chrono::milliseconds deadline);
    // Something was recorded: look for rows now rather than at the next poll. A pause after
    // a failure is not cut short.
    void wake();
    SyncStatus status() const;

    // The one-line text for a failure, naming the server.
    static QString problemText(const PgError& error, const QString& uri);
    // The text for a failure of the local record while copying.
    static QString localProblemText(const QString& reason);

signals:
    void statusChanged(const nimbara::SyncStatus& status);
    void problem(const QString& message);

private:
    enum class Wait { Idle, Pause };

    void run();
    void copyOnce(PgConnection& connection);
    // Learns the login role and whether it is an instructor, once per worker.
    void readRole(PgConnection& connection);
    void fail(const QString& text, int kind);
    void publish(SyncStatus::State state, const QString& problem = {});
    bool waitFor(std::chrono::milliseconds duration, Wait wait);
    bool stopping() const;

    SyncSource& m_source;
    const Settings m_settings;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stop = false;
    bool m_woken = false;
    bool m_finished = false;  // run() is over
    bool m_roleRead = false;  // worker thread only
    SyncStatus m_status;
    std::set<int> m_told;  // kinds of trouble already told (worker thread only)
    std::chrono::milliseconds m_pause{0};
};

}  // namespace nimbara
