#include "record/server/storesyncsource.h"

#include "record/recordschema.h"
#include "record/sqlvalues.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>
#include <optional>

#include <sys/stat.h>

namespace nimbara {

namespace {

// Rounds new or changed since they were copied, through the partial index of those that wait.
const char* const kPendingRounds =
    "SELECT id, trainee, game, practice, started_at, ended_at, outcome, good, asked, percent,"
    " rating FROM rounds WHERE copied_outcome IS NOT outcome ORDER BY started_at LIMIT ?";
// Answers not yet copied, with whether their round was copied before (in any state).
const char* const kPendingAnswers =
    "SELECT a.id, a.round_id, a.answered_at, a.photo, a.right_answer, a.given_answer,"
    " a.correct, a.seconds, r.copied_outcome IS NOT NULL FROM answers a"
    " JOIN rounds r ON r.id = a.round_id WHERE a.copied = 0 ORDER BY a.answered_at LIMIT ?";
const char* const kMarkRound = "UPDATE rounds SET copied_outcome = ? WHERE id = ?";
const char* const kMarkAnswer = "UPDATE answers SET copied = 1 WHERE id = ? AND copied = 0";
const char* const kWaiting = "SELECT COUNT(*) FROM answers WHERE copied = 0";

}  // namespace

// The file at a path as the system knows it, to see that it was replaced (a damaged record is
// kept aside and a new one started in its place).
struct StoreSyncSource::FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;

    static std::optional<FileIdentity> of(const QString& path) {
        struct stat info {};
        if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
            return std::nullopt;
        }
        return FileIdentity{info.st_dev, info.st_ino};
    }
};

struct StoreSyncSource::Statements {
    explicit Statements(const QSqlDatabase& db)
        : rounds(db), answers(db), markRound(db), markAnswer(db), waiting(db) {}

    QSqlQuery rounds;
    QSqlQuery answers;
    QSqlQuery markRound;
    QSqlQuery markAnswer;
    QSqlQuery waiting;
    FileIdentity file;
};

StoreSyncSource::StoreSyncSource(QString path, std::chrono::milliseconds busyTimeout)
    : m_path(std::move(path)),
      m_busyTimeout(busyTimeout),
      m_connection("nimbara-sync-" + QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

StoreSyncSource::~StoreSyncSource() {
    release();
}

void StoreSyncSource::release() {
    m_statements.reset();
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QString StoreSyncSource::failure(const QString& what) const {
    return m_path + ": " + what;
}

bool StoreSyncSource::ready(QString* error) {
    const std::optional<FileIdentity> file = FileIdentity::of(m_path);
    if (m_statements && file && *file == m_statements->file) {
        return true;
    }
    release();
    if (!file) {
        return false;  // nothing recorded yet
    }
    if (QFileInfo(m_path).isSymLink() || !QFileInfo(m_path).isFile()) {
        *error = failure("it is not a regular file");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=" + QString::number(m_busyTimeout.count()));
    QSqlError problem;
    if (!db.open()) {
        problem = db.lastError();
    } else if (QSqlQuery pragma(db); !pragma.exec("PRAGMA foreign_keys = ON") ||
                                     !pragma.exec("PRAGMA synchronous = NORMAL")) {
        // NORMAL: a mark lost to a power failure only sends its rows again, which the server
        // ignores.
        problem = pragma.lastError();
    } else {
        // The program opens its record at the first round; the copy may come first.
        problem = RecordSchema::migrate(db);
    }
    if (problem.type() == QSqlError::NoError) {
        auto statements = std::make_unique<Statements>(db);
        statements->file = *file;
        const std::pair<QSqlQuery*, const char*> texts[] = {
            {&statements->rounds, kPendingRounds}, {&statements->answers, kPendingAnswers},
            {&statements->markRound, kMarkRound},  {&statements->markAnswer, kMarkAnswer},
            {&statements->waiting, kWaiting},
        };
        for (const auto& [query, text] : texts) {
            query->setForwardOnly(true);
            if (!query->prepare(text)) {
                problem = query->lastError();
                break;
            }
        }
        if (problem.type() == QSqlError::NoError) {
            m_statements = std::move(statements);
            return true;
        }
    }
    *error = failure(problem.text());
    release();
    return false;
}

SyncBatch StoreSyncSource::nextBatch(int maxRows, QString* error) {
    SyncBatch batch = readBatch(maxRows, error);
    // Counted afresh when all is copied (new rows come later) and when the batch holds more
    // than the count knew of (rows recorded since).
    if (batch.empty() || !m_counted ||
        static_cast<int>(batch.answers.size()) > m_counted->waiting) {
        m_counted.reset();
    }
    return batch;
}

SyncBatch StoreSyncSource::readBatch(int maxRows, QString* error) {
    SyncBatch batch;
    if (!ready(error)) {
        return batch;
    }
    QSqlQuery& rounds = m_statements->rounds;
    bindValues(rounds, {maxRows});
    if (!rounds.exec()) {
        *error = failure(rounds.lastError().text());
        return {};
    }
    QSet<QString> inBatch;
    while (rounds.next()) {
        SyncRound round;
        round.id = rounds.value(0).toString();
        round.displayName = rounds.value(1).toString();
        round.game = rounds.value(2).toString();
        round.practice = rounds.value(3).toBool();
        round.startedAt = rounds.value(4).toString();
        round.endedAt = rounds.value(5).toString();
        round.outcome = rounds.value(6).toString();
        round.good = rounds.value(7).toInt();
        round.asked = rounds.value(8).toInt();
        if (!rounds.value(9).isNull()) {
            round.percent = rounds.value(9).toInt();
        }
        round.rating = rounds.value(10).toString();
        inBatch.insert(round.id);
        batch.rounds.push_back(std::move(round));
    }
    rounds.finish();
    const int room = maxRows - static_cast<int>(batch.rounds.size());
    if (room <= 0) {
        return batch;
    }
    QSqlQuery& answers = m_statements->answers;
    bindValues(answers, {room});
    if (!answers.exec()) {
        *error = failure(answers.lastError().text());
        return {};
    }
    while (answers.next()) {
        SyncAnswer answer;
        answer.roundId = answers.value(1).toString();
        // An answer whose round waits beyond this batch goes with a later one.
        if (!answers.value(8).toBool() && !inBatch.contains(answer.roundId)) {
            continue;
        }
        answer.id = answers.value(0).toString();
        answer.answeredAt = answers.value(2).toString();
        answer.photo = answers.value(3).toString();
        answer.rightAnswer = answers.value(4).toString();
        answer.givenAnswer = answers.value(5).toString();
        answer.correct = answers.value(6).toBool();
        answer.seconds = answers.value(7).toDouble();
        batch.answers.push_back(std::move(answer));
    }
    answers.finish();
    return batch;
}

bool StoreSyncSource::markCopied(const SyncBatch& batch, QString* error) {
    if (!ready(error)) {
        if (error->isEmpty()) {
            *error = failure("the file is gone");
        }
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery control(db);
    if (!control.exec("BEGIN IMMEDIATE")) {
        *error = failure(control.lastError().text());
        return false;
    }
    QSqlError problem;
    for (const SyncRound& round : batch.rounds) {
        bindValues(m_statements->markRound, {round.outcome, round.id});
        if (!m_statements->markRound.exec()) {
            problem = m_statements->markRound.lastError();
            break;
        }
    }
    for (size_t i = 0; problem.type() == QSqlError::NoError && i < batch.answers.size(); ++i) {
        bindValues(m_statements->markAnswer, {batch.answers[i].id});
        if (!m_statements->markAnswer.exec()) {
            problem = m_statements->markAnswer.lastError();
        }
    }
    if (problem.type() == QSqlError::NoError && control.exec("COMMIT")) {
        if (m_counted) {
            m_counted->waiting =
                std::max(0, m_counted->waiting - static_cast<int>(batch.answers.size()));
        }
        return true;
    }
    if (problem.type() == QSqlError::NoError) {
        problem = control.lastError();
    }
    control.exec("ROLLBACK");
    *error = failure(problem.text());
    return false;
}

int StoreSyncSource::waitingAnswers() {
    // While batches follow each other the count goes down by what each marked; it is counted
    // again now and then, and whenever a batch came out empty, so that "none waiting" is exact.
    const auto now = std::chrono::steady_clock::now();
    if (m_counted && now - m_counted->at < kCountAgainAfter) {
        return m_counted->waiting;
    }
    QString error;
    if (!ready(&error)) {
        return error.isEmpty() ? 0 : -1;
    }
    QSqlQuery& waiting = m_statements->waiting;
    const int count = waiting.exec() && waiting.next() ? waiting.value(0).toInt() : -1;
    waiting.finish();
    if (count >= 0) {
        m_counted = Count{count, now};
    }
    return count;
}

}  // namespace nimbara
