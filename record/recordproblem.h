#pragma once

#include <QString>

class QSqlError;

namespace nimbara {

// What went wrong with the learning record, in words for the trainee. The record goes on where
// it can; the application decides how to show it.
struct RecordProblem {
    enum class Kind { Unwritable, Locked, DiskFull, Damaged };

    Kind kind = Kind::Unwritable;
    QString file;    // the record's file
    QString detail;  // Unwritable: why; Damaged: the name the damaged file was kept under

    // The message naming the file and what happened.
    QString text() const;

    // The problem that a failed statement on file means. Damaged is given for a corrupt file
    // or one that is no database; detail is then empty.
    static RecordProblem fromSqlError(const QString& file, const QSqlError& error);
    // Whether error means the file is damaged (corrupt or not a database).
    static bool isDamage(const QSqlError& error);
};

}  // namespace nimbara
