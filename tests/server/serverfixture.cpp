#include "tests/server/serverfixture.h"

#include <thread>

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void RecordServerTest::SetUp() {
    m_database = testServer().createDatabase();
    ASSERT_FALSE(m_database.isEmpty());
    nimbara::PgConnection admin;
    ASSERT_FALSE(admin.open(testServer().adminUri(m_database)).failed());
    const nimbara::ServerSchema::Outcome outcome = nimbara::ServerSchema::setUp(admin);
    ASSERT_FALSE(outcome.error.failed()) << outcome.error.text.toStdString();
    m_trainees = {testServer().createLogin("trainee", "nimbara_trainee"),
                  testServer().createLogin("trainee", "nimbara_trainee")};
    m_instructor = testServer().createLogin("instructor", "nimbara_instructor");
    ASSERT_FALSE(m_trainees.contains(QString()) || m_instructor.isEmpty());
}

void RecordServerTest::connectAs(nimbara::PgConnection& connection, const QString& role) {
    const nimbara::PgError error = connection.open(testServer().uri(m_database, role));
    ASSERT_FALSE(error.failed()) << error.text.toStdString();
}

WorkerLog::WorkerLog(nimbara::SyncWorker& worker) {
    QObject::connect(
        &worker, &nimbara::SyncWorker::problem, &worker,
        [this](const QString& text) {
            const std::lock_guard lock(m_mutex);
            m_problems << text;
        },
        Qt::DirectConnection);
    QObject::connect(
        &worker, &nimbara::SyncWorker::statusChanged, &worker,
        [this](const nimbara::SyncStatus& status) {
            const std::lock_guard lock(m_mutex);
            m_retries += status.state == nimbara::SyncStatus::State::Retrying;
        },
        Qt::DirectConnection);
}

QStringList WorkerLog::problems() {
    const std::lock_guard lock(m_mutex);
    return m_problems;
}

int WorkerLog::retries() {
    const std::lock_guard lock(m_mutex);
    return m_retries;
}
