#pragma once

#include "record/recordproblem.h"
#include "record/recordrows.h"

#include <QSqlDatabase>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

namespace nimbara {

// The learning record's file: one SQLite database per user in write-ahead-log mode, so that the
// progress window reads while a game writes and two running copies of the program both record
// (each waits up to the busy timeout for the other). Every write is one transaction of prepared
// statements, committed before the call returns: a process killed afterwards loses nothing of it.
//
// Writing never throws: each write returns what went wrong, or nullopt. A file found damaged
// (corrupt, or no database at all) is kept aside under a dated name in the same folder, never
// deleted, and a new record is started in its place; the write that found it reports Damaged
// and is not retried. The store is used from the thread that made it.
class RecordStore {
public:
    struct Settings {
        std::chrono::milliseconds busyTimeout{1000};
        bool readOnly = false;  // opens an existing file for reading only: no folder, no
                                // migration, nothing kept aside
    };

    explicit RecordStore(QString path, Settings settings);
    explicit RecordStore(QString path) : RecordStore(std::move(path), Settings{}) {}
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    const QString& path() const { return m_path; }
    bool isOpen() const { return m_open; }
    // Opens the file, creating its folder and the file where needed, and brings its tables up
    // to date. Does nothing when open. nullopt on success.
    std::optional<RecordProblem> open();
    void close();
    // The open connection, for queries; invalid while closed.
    QSqlDatabase database() const;

    std::optional<RecordProblem> startRound(const RoundStart& round);
    // Keeps the answer and counts it in its round (asked, and good when correct).
    std::optional<RecordProblem> recordAnswer(const AnswerRecord& answer);
    std::optional<RecordProblem> endRound(const RoundEnd& end);

    // The display name the trainee chose; empty when none is set or the record is closed.
    QString displayName();
    // Sets the display name; an empty name goes back to the login name.
    std::optional<RecordProblem> setDisplayName(const QString& name);
    // The name rounds are recorded under: the display name if set, else the login name.
    QString trainee();

private:
    struct Statements;

    std::optional<RecordProblem> openConnection();
    // Opens the connection, sets it up and migrates; the error of the step that failed.
    QSqlError connect();
    std::optional<RecordProblem> prepare();
    // Opens the file for writing where needed; what stands in the way otherwise.
    std::optional<RecordProblem> writable();
    // Runs the prepared statements, bound by the caller, in one transaction.
    std::optional<RecordProblem> transaction(std::initializer_list<QSqlQuery*> statements);
    std::optional<RecordProblem> failure(const QSqlError& error);
    // Closes the damaged file, renames it (and its log) to a dated name and opens a new one.
    RecordProblem keepDamagedAside();
    RecordProblem unwritable(const QString& why) const;

    QString m_path;
    Settings m_settings;
    QString m_connection;
    std::unique_ptr<Statements> m_statements;  // null while closed or read-only
    bool m_open = false;
};

}  // namespace nimbara
