#include "record/server/syncworker.h"

#include "record/server/pgconnection.h"
#include "record/server/pgresult.h"
#include "record/server/serveruploader.h"
#include "record/server/syncsource.h"

#include <algorithm>

namespace nimbara {

namespace {

// A failure of the local record, told apart from the server's kinds.
constexpr int kLocalTrouble = 100;

}  // namespace

SyncWorker::SyncWorker(SyncSource& source, Settings settings, QObject* parent)
    : QObject(parent), m_source(source), m_settings(std::move(settings)) {}

SyncWorker::~SyncWorker() {
    stop();
}

void SyncWorker::start() {
    if (!m_thread.joinable()) {
        m_thread = std::thread([this] { run(); });
    }
}

void SyncWorker::stop() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool SyncWorker::stopWithin(std::chrono::milliseconds deadline) {
    std::unique_lock lock(m_mutex);
    m_stop = true;
    m_changed.notify_all();
    if (!m_thread.joinable()) {
        return true;
    }
    if (!m_changed.wait_for(lock, deadline, [this] { return m_finished; })) {
        m_thread.detach();
        return false;
    }
    lock.unlock();
    m_thread.join();
    return true;
}

void SyncWorker::wake() {
    {
        const std::lock_guard lock(m_mutex);
        m_woken = true;
    }
    m_changed.notify_all();
}

SyncStatus SyncWorker::status() const {
    const std::lock_guard lock(m_mutex);
    return m_status;
}

bool SyncWorker::stopping() const {
    const std::lock_guard lock(m_mutex);
    return m_stop;
}

QString SyncWorker::problemText(const PgError& error, const QString& uri) {
    switch (error.kind) {
        case PgError::Kind::Unreachable:
            return QStringLiteral(
                       "The record server %1 cannot be reached (%2). Your answers "
                       "stay in the record on this computer and are copied when the "
                       "server can be reached.")
                .arg(uri, error.text);
        case PgError::Kind::LoginRefused:
            return QStringLiteral(
                       "The record server %1 refused the login (%2). Your answers "
                       "stay in the record on this computer; ask whoever runs the "
                       "server to check your account.")
                .arg(uri, error.text);
        case PgError::Kind::Lost:
            return QStringLiteral(
                       "The connection to the record server %1 was lost (%2). Your "
                       "answers stay in the record on this computer and are copied "
                       "when the server is back.")
                .arg(uri, error.text);
        case PgError::Kind::Statement:
        case PgError::Kind::None:
            break;
    }
    return QStringLiteral(
               "The record server %1 refused a copy (%2). Your answers stay in the "
               "record on this computer.")
        .arg(uri, error.text);
}

QString SyncWorker::localProblemText(const QString& reason) {
    return QStringLiteral(
               "The record on this computer could not be copied to the server (%1). "
               "It is tried again later.")
        .arg(reason);
}

void SyncWorker::run() {
    PgConnection connection;
    while (!stopping()) {
        if (!connection.isOpen()) {
            const PgError error = connection.open(m_settings.uri, [this] { return stopping(); });
            if (error.failed()) {
                if (!stopping()) {
                    fail(problemText(error, m_settings.uri), static_cast<int>(error.kind));
                }
                continue;
            }
        }
        readRole(connection);
        copyOnce(connection);
    }
    m_source.release();
    publish(SyncStatus::State::Stopped);
    {
        const std::lock_guard lock(m_mutex);
        m_finished = true;
    }
    m_changed.notify_all();
}

void SyncWorker::readRole(PgConnection& connection) {
    if (m_roleRead) {
        return;
    }
    // A constant statement: the role is the connection's own.
    const PgResult result = connection.exec(
        "SELECT current_user, EXISTS (SELECT 1 FROM pg_roles WHERE rolname ="
        " 'nimbara_instructor' AND pg_has_role(current_user, oid, 'MEMBER'))");
    // Asked again with the next batch only when the connection broke.
    m_roleRead = result.ok() || result.error().kind == PgError::Kind::Statement;
    if (!result.ok() || result.rows() != 1) {
        return;
    }
    const std::lock_guard lock(m_mutex);
    m_status.loginRole = result.value(0, 0);
    m_status.instructor = result.value(0, 1) == QLatin1String("t");
}

void SyncWorker::copyOnce(PgConnection& connection) {
    QString localError;
    const SyncBatch batch = m_source.nextBatch(m_settings.batchRows, &localError);
    if (!localError.isEmpty()) {
        fail(localProblemText(localError), kLocalTrouble);
        return;
    }
    if (batch.empty()) {
        m_pause = std::chrono::milliseconds(0);
        publish(SyncStatus::State::UpToDate);
        waitFor(m_settings.idlePoll, Wait::Idle);
        return;
    }
    publish(SyncStatus::State::Copying);
    const PgError error = ServerUploader(connection).upload(batch);
    if (error.failed()) {
        if (error.kind != PgError::Kind::Statement) {
            connection.close();
        }
        fail(problemText(error, m_settings.uri), static_cast<int>(error.kind));
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_status.lastCopied = QDateTime::currentDateTimeUtc();
    }
    // Marked after the server committed: a mark that fails or never happens (the program ends)
    // sends the rows again, and the server keeps them once.
    if (!m_source.markCopied(batch, &localError)) {
        fail(localProblemText(localError), kLocalTrouble);
        return;
    }
    m_pause = std::chrono::milliseconds(0);
}

void SyncWorker::fail(const QString& text, int kind) {
    publish(SyncStatus::State::Retrying, text);
    // A lost connection and a server that cannot be reached are one trouble: the server is away.
    if (kind == static_cast<int>(PgError::Kind::Lost)) {
        kind = static_cast<int>(PgError::Kind::Unreachable);
    }
    if (m_told.insert(kind).second) {
        emit problem(text);
    }
    m_pause = m_pause.count() == 0 ? m_settings.firstPause
                                   : std::min(m_pause * 2, m_settings.longestPause);
    waitFor(m_pause, Wait::Pause);
}

void SyncWorker::publish(SyncStatus::State state, const QString& problem) {
    const int waiting = state == SyncStatus::State::Stopped ? -1 : m_source.waitingAnswers();
    SyncStatus status;
    {
        const std::lock_guard lock(m_mutex);
        m_status.state = state;
        m_status.problem = problem;
        if (waiting >= 0 || state == SyncStatus::State::Stopped) {
            m_status.waitingAnswers = waiting;
        }
        status = m_status;
    }
    emit statusChanged(status);
}

bool SyncWorker::waitFor(std::chrono::milliseconds duration, Wait wait) {
    std::unique_lock lock(m_mutex);
    const bool interrupted = m_changed.wait_for(
        lock, duration, [&] { return m_stop || (wait == Wait::Idle && m_woken); });
    m_woken = false;
    return interrupted;
}

}  // namespace nimbara
