#include "app/recordsession.h"

#include "app/progresswindow.h"
#include "record/recordqueries.h"

namespace nimbara {

RecordSession::RecordSession(QString applicationDirectory, QString path, RecordSync::Settings sync)
    : m_applicationDirectory(std::move(applicationDirectory)),
      m_store(std::move(path)),
      m_recorder(m_store, [this](const RecordProblem& problem) { m_notice.report(problem); }),
      m_sync(m_store.path(), std::move(sync)) {
    connect(&m_sync, &RecordSync::statusChanged, this, &RecordSession::showSyncStatus);
    connect(&m_sync, &RecordSync::instructorConnected, this, &RecordSession::offerTrainees);
    m_sync.start();
}

RecordSession::~RecordSession() {
    delete m_window;
    m_sync.stop();
}

void RecordSession::showSyncStatus(const QString& text) {
    if (m_window != nullptr) {
        m_window->setSyncStatus(text);
    }
}

void RecordSession::offerTrainees(const QString& uri) {
    m_instructorServer = uri;
    if (m_window != nullptr) {
        m_window->setInstructorServer(uri);
    }
}

void RecordSession::roundStarted(const std::string& game, bool practice) {
    m_recorder.roundStarted(game, practice);
}

void RecordSession::answerJudged(const JudgedAnswer& answer) {
    m_recorder.answerJudged(answer);
    m_sync.wake();
}

void RecordSession::roundFinished(int percent, const std::string& rating) {
    m_recorder.roundFinished(percent, rating);
    m_sync.wake();
    refreshWindow();
}

void RecordSession::roundAbandoned() {
    m_recorder.roundAbandoned();
    m_sync.wake();
    refreshWindow();
}

void RecordSession::refreshWindow() {
    if (m_window != nullptr) {
        m_window->refresh();
    }
}

std::vector<ClassWeight> RecordSession::practiceWeights(const QString& game) {
    if (const std::optional<RecordProblem> problem = m_store.open()) {
        m_notice.report(*problem);
        return {};
    }
    return RecordQueries(m_store.database(), m_games).practiceWeights(game);
}

ProgressWindow* RecordSession::progressWindow() const {
    return m_window;
}

ProgressWindow* RecordSession::openProgressWindow() {
    if (m_window == nullptr) {
        m_window = new ProgressWindow(m_store, m_games, m_notice, m_applicationDirectory,
                                      [this] { return m_recorder.roundInPlay(); });
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_window, &ProgressWindow::practiceRequested, this,
                &RecordSession::practiceRequested);
        m_window->setSyncStatus(m_sync.statusText());
        if (!m_instructorServer.isEmpty()) {
            m_window->setInstructorServer(m_instructorServer);
        }
    } else {
        m_window->refresh();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return m_window;
}

}  // namespace nimbara
