#include "app/recordsync.h"

#include "app/recordproblemnotice.h"
#include "platform/messagebox.h"
#include "record/server/storesyncsource.h"

#include <QCoreApplication>

namespace nimbara {

RecordSync::RecordSync(QString recordPath, Settings settings, QObject* parent)
    : QObject(parent), m_recordPath(std::move(recordPath)), m_settings(std::move(settings)) {
    qRegisterMetaType<nimbara::SyncStatus>();
    if (QCoreApplication* application = QCoreApplication::instance()) {
        connect(application, &QCoreApplication::aboutToQuit, this, &RecordSync::stop);
    }
}

RecordSync::~RecordSync() {
    stop();
}

void RecordSync::start() {
    if (m_started) {
        return;
    }
    m_started = true;
    m_server = RecordServerConfig::find(m_settings.environment, m_settings.systemFile);
    if (!m_server.error.isEmpty()) {
        showProblem("Your answers are not copied to the record server: " + m_server.error + ".");
        return;
    }
    if (!m_server.named()) {
        return;
    }
    SyncWorker::Settings worker = m_settings.worker;
    worker.uri = m_server.uri;
    m_source = std::make_unique<StoreSyncSource>(m_recordPath);
    m_worker = std::make_unique<SyncWorker>(*m_source, worker);
    // The worker's signals come from its thread; the queued connections bring them here.
    connect(m_worker.get(), &SyncWorker::statusChanged, this, &RecordSync::showStatus,
            Qt::QueuedConnection);
    connect(m_worker.get(), &SyncWorker::problem, this, &RecordSync::showProblem,
            Qt::QueuedConnection);
    m_status = {};
    emit statusChanged(statusText());
    m_worker->start();
}

bool RecordSync::stop() {
    if (!m_worker) {
        return true;
    }
    m_worker->disconnect(this);
    const bool ended = m_worker->stopWithin(m_settings.stopDeadline);
    if (!ended) {
        // Its thread still runs with them; the program's end takes all three.
        (void)m_worker.release();
        (void)m_source.release();
    }
    m_worker.reset();
    m_source.reset();
    return ended;
}

void RecordSync::wake() {
    if (m_worker) {
        m_worker->wake();
    }
}

QString RecordSync::statusText() const {
    return m_server.named() ? statusText(m_status) : QString();
}

QString RecordSync::statusText(const SyncStatus& status) {
    QString text = "Record server: ";
    if (status.waitingAnswers < 0) {
        text += status.state == SyncStatus::State::Starting ? "connecting" : "copying";
    } else if (status.waitingAnswers == 0) {
        text += "every answer copied";
    } else {
        text += QString::number(status.waitingAnswers) +
                (status.waitingAnswers == 1 ? " answer waiting" : " answers waiting");
    }
    if (status.lastCopied.isValid()) {
        text += "; last copied " + status.lastCopied.toLocalTime().toString("HH:mm");
    }
    if (status.state == SyncStatus::State::Retrying) {
        text += "; the server cannot be used now, tried again later";
    }
    return text;
}

void RecordSync::showStatus(const SyncStatus& status) {
    m_status = status;
    emit statusChanged(statusText());
    if (status.instructor && !m_instructorTold) {
        m_instructorTold = true;
        emit instructorConnected(m_server.uri);
    }
}

void RecordSync::showProblem(const QString& text) {
    messageBox(nullptr, text, RecordProblemNotice::kCaption, MbIcon::Exclamation);
}

}  // namespace nimbara
