#include "app/recordsession.h"

#include "app/progresswindow.h"
#include "record/recordqueries.h"

namespace nimbara {

RecordSession::RecordSession(QString applicationDirectory, QString path)
    : m_applicationDirectory(std::move(applicationDirectory)),
      m_store(std::move(path)),
      m_recorder(m_store, [this](const RecordProblem& problem) { m_notice.report(problem); }) {}

RecordSession::~RecordSession() {
    delete m_window;
}

void RecordSession::roundStarted(const std::string& game, bool practice) {
    m_recorder.roundStarted(game, practice);
}

void RecordSession::answerJudged(const JudgedAnswer& answer) {
    m_recorder.answerJudged(answer);
}

void RecordSession::roundFinished(int percent, const std::string& rating) {
    m_recorder.roundFinished(percent, rating);
    refreshWindow();
}

void RecordSession::roundAbandoned() {
    m_recorder.roundAbandoned();
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

ProgressWindow* RecordSession::openProgressWindow() {
    if (m_window == nullptr) {
        m_window = new ProgressWindow(m_store, m_games, m_notice, m_applicationDirectory,
                                      [this] { return m_recorder.roundInPlay(); });
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_window, &ProgressWindow::practiceRequested, this,
                &RecordSession::practiceRequested);
    } else {
        m_window->refresh();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return m_window;
}

}  // namespace nimbara
