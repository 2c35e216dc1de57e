#include "record/recordstore.h"

#include "record/recordenvironment.h"
#include "record/recordschema.h"
#include "record/sqlvalues.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUuid>

namespace nimbara {

namespace {

const QString kDisplayNameKey = "display_name";
// The files SQLite keeps beside a database in write-ahead-log mode.
const QStringList kCompanionSuffixes = {"-wal", "-shm"};

// A name beside path that no file has yet: record-damaged-20261207T140203Z.sqlite, then -2, -3 ...
QString damagedName(const QString& path) {
    const QFileInfo info(path);
    const QString stem =
        info.dir().filePath(info.completeBaseName() + "-damaged-" +
                            QDateTime::currentDateTimeUtc().toString("yyyyMMdd'T'HHmmss'Z'"));
    QString candidate = stem + "." + info.suffix();
    for (int n = 2;
         QFileInfo::exists(candidate) || QFileInfo::exists(candidate + kCompanionSuffixes[0]);
         ++n) {
        candidate = stem + "-" + QString::number(n) + "." + info.suffix();
    }
    return candidate;
}

}  // namespace

struct RecordStore::Statements {
    explicit Statements(const QSqlDatabase& db)
        : begin(db),
          commit(db),
          rollback(db),
          insertRound(db),
          insertAnswer(db),
          countAnswer(db),
          endRound(db),
          readSetting(db),
          writeSetting(db),
          clearSetting(db) {}

    QSqlQuery begin;
    QSqlQuery commit;
    QSqlQuery rollback;
    QSqlQuery insertRound;
    QSqlQuery insertAnswer;
    QSqlQuery countAnswer;
    QSqlQuery endRound;
    QSqlQuery readSetting;
    QSqlQuery writeSetting;
    QSqlQuery clearSetting;
};

RecordStore::RecordStore(QString path, Settings settings)
    : m_path(std::move(path)),
      m_settings(settings),
      m_connection("nimbara-record-" + QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

RecordStore::~RecordStore() {
    close();
}

QSqlDatabase RecordStore::database() const {
    return isOpen() ? QSqlDatabase::database(m_connection, false) : QSqlDatabase();
}

void RecordStore::close() {
    m_open = false;
    m_statements.reset();
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

RecordProblem RecordStore::unwritable(const QString& why) const {
    return {RecordProblem::Kind::Unwritable, m_path, why};
}

std::optional<RecordProblem> RecordStore::open() {
    if (isOpen()) {
        return std::nullopt;
    }
    const QFileInfo info(m_path);
    if (info.isSymLink()) {
        return unwritable("it is a symbolic link");
    }
    if (info.exists() && !info.isFile()) {
        return unwritable("it is not a regular file");
    }
    if (!m_settings.readOnly && !QDir().mkpath(info.absolutePath())) {
        return unwritable("its folder " + info.absolutePath() + " cannot be created");
    }
    std::optional<RecordProblem> problem = openConnection();
    if (problem && problem->kind == RecordProblem::Kind::Damaged && !m_settings.readOnly) {
        return keepDamagedAside();
    }
    return problem;
}

std::optional<RecordProblem> RecordStore::openConnection() {
    close();
    const QSqlError error = connect();
    if (error.type() != QSqlError::NoError) {
        close();
        return RecordProblem::fromSqlError(m_path, error);
    }
    return prepare();
}

QSqlError RecordStore::connect() {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_connection);
    db.setDatabaseName(m_path);
    QString options = "QSQLITE_BUSY_TIMEOUT=" + QString::number(m_settings.busyTimeout.count());
    if (m_settings.readOnly) {
        options += ";QSQLITE_OPEN_READONLY";
    }
    db.setConnectOptions(options);
    if (!db.open()) {
        return db.lastError();
    }
    // NORMAL keeps every committed transaction through a crash of the program; only a power
    // failure can take back the last ones, never the file's integrity.
    const QStringList pragmas = m_settings.readOnly ? QStringList{"PRAGMA foreign_keys = ON"}
                                                    : QStringList{"PRAGMA journal_mode = WAL",
                                                                  "PRAGMA synchronous = NORMAL",
                                                                  "PRAGMA foreign_keys = ON"};
    QSqlQuery pragma(db);
    for (const QString& statement : pragmas) {
        if (!pragma.exec(statement)) {
            return pragma.lastError();
        }
    }
    QSqlError error;
    if (m_settings.readOnly) {
        RecordSchema::version(db, error);  // reads the header: a damaged file shows here
        return error;
    }
    return RecordSchema::migrate(db);
}

std::optional<RecordProblem> RecordStore::prepare() {
    if (m_settings.readOnly) {
        m_open = true;
        return std::nullopt;
    }
    m_statements = std::make_unique<Statements>(QSqlDatabase::database(m_connection, false));
    Statements& s = *m_statements;
    const std::pair<QSqlQuery*, const char*> texts[] = {
        {&s.begin, "BEGIN IMMEDIATE"},
        {&s.commit, "COMMIT"},
        {&s.rollback, "ROLLBACK"},
        {&s.insertRound,
         "INSERT INTO rounds (id, trainee, game, practice, started_at) VALUES (?, ?, ?, ?, ?)"},
        {&s.insertAnswer,
         "INSERT INTO answers (id, round_id, answered_at, photo, right_answer, given_answer,"
         " correct, seconds) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"},
        {&s.countAnswer, "UPDATE rounds SET asked = asked + 1, good = good + ? WHERE id = ?"},
        {&s.endRound,
         "UPDATE rounds SET ended_at = ?, outcome = ?, percent = ?, rating = ?"
         " WHERE id = ? AND outcome = 'open'"},
        {&s.readSetting, "SELECT value FROM settings WHERE key = ?"},
        {&s.writeSetting, "INSERT OR REPLACE INTO settings (key, value) VALUES (?, ?)"},
        {&s.clearSetting, "DELETE FROM settings WHERE key = ?"},
    };
    for (const auto& [query, text] : texts) {
        if (!query->prepare(text)) {
            const QSqlError error = query->lastError();
            close();
            return RecordProblem::fromSqlError(m_path, error);
        }
    }
    m_open = true;
    return std::nullopt;
}

std::optional<RecordProblem> RecordStore::writable() {
    if (std::optional<RecordProblem> problem = open()) {
        return problem;
    }
    if (!m_statements) {
        return unwritable("it is open for reading only");
    }
    return std::nullopt;
}

std::optional<RecordProblem> RecordStore::transaction(
    std::initializer_list<QSqlQuery*> statements) {
    Statements& s = *m_statements;
    if (!s.begin.exec()) {
        return failure(s.begin.lastError());
    }
    for (QSqlQuery* statement : statements) {
        if (!statement->exec()) {
            const QSqlError error = statement->lastError();
            s.rollback.exec();
            return failure(error);
        }
    }
    if (!s.commit.exec()) {
        const QSqlError error = s.commit.lastError();
        s.rollback.exec();
        return failure(error);
    }
    return std::nullopt;
}

std::optional<RecordProblem> RecordStore::failure(const QSqlError& error) {
    if (RecordProblem::isDamage(error)) {
        return keepDamagedAside();
    }
    return RecordProblem::fromSqlError(m_path, error);
}

RecordProblem RecordStore::keepDamagedAside() {
    close();
    const QString keptAs = damagedName(m_path);
    if (!QFile::rename(m_path, keptAs)) {
        return unwritable("it is damaged and cannot be renamed to " + keptAs);
    }
    for (const QString& suffix : kCompanionSuffixes) {
        if (QFileInfo::exists(m_path + suffix)) {
            QFile::rename(m_path + suffix, keptAs + suffix);
        }
    }
    openConnection();  // a failure here shows at the next write
    return {RecordProblem::Kind::Damaged, m_path, keptAs};
}

std::optional<RecordProblem> RecordStore::startRound(const RoundStart& round) {
    if (std::optional<RecordProblem> problem = writable()) {
        return problem;
    }
    QSqlQuery& insert = m_statements->insertRound;
    bindValues(insert,
               {round.id, round.trainee, round.game, round.practice ? 1 : 0, round.startedAt});
    return transaction({&insert});
}

std::optional<RecordProblem> RecordStore::recordAnswer(const AnswerRecord& answer) {
    if (std::optional<RecordProblem> problem = writable()) {
        return problem;
    }
    QSqlQuery& insert = m_statements->insertAnswer;
    bindValues(insert,
               {answer.id, answer.roundId, answer.answeredAt, answer.photo, answer.rightAnswer,
                answer.givenAnswer, answer.correct ? 1 : 0, answer.seconds});
    QSqlQuery& count = m_statements->countAnswer;
    bindValues(count, {answer.correct ? 1 : 0, answer.roundId});
    return transaction({&insert, &count});
}

std::optional<RecordProblem> RecordStore::endRound(const RoundEnd& end) {
    if (std::optional<RecordProblem> problem = writable()) {
        return problem;
    }
    QSqlQuery& update = m_statements->endRound;
    bindValues(update, {end.endedAt, end.finished ? "finished" : "abandoned",
                        end.finished ? QVariant(end.percent) : QVariant(),
                        end.finished ? QVariant(end.rating) : QVariant(), end.id});
    return transaction({&update});
}

QString RecordStore::displayName() {
    if (writable()) {
        return {};
    }
    QSqlQuery& read = m_statements->readSetting;
    bindValues(read, {kDisplayNameKey});
    const QString name = read.exec() && read.next() ? read.value(0).toString() : QString();
    read.finish();
    return name;
}

std::optional<RecordProblem> RecordStore::setDisplayName(const QString& name) {
    if (std::optional<RecordProblem> problem = writable()) {
        return problem;
    }
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        bindValues(m_statements->clearSetting, {kDisplayNameKey});
        return transaction({&m_statements->clearSetting});
    }
    bindValues(m_statements->writeSetting, {kDisplayNameKey, trimmed});
    return transaction({&m_statements->writeSetting});
}

QString RecordStore::trainee() {
    const QString name = displayName();
    return name.isEmpty() ? loginName() : name;
}

}  // namespace nimbara
