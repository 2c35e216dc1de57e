#include "record/recordproblem.h"

#include <QSqlError>

namespace nimbara {

namespace {

// SQLite's primary result codes; extended codes carry them in their low byte.
enum SqliteCode {
    kBusy = 5,
    kLocked = 6,
    kReadOnly = 8,
    kCorrupt = 11,
    kFull = 13,
    kWriteFailed = 10 | (3 << 8),  // SQLITE_IOERR_WRITE: what a file-size limit gives too
    kCantOpen = 14,
    kNotADatabase = 26,
};

int primaryCode(const QSqlError& error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : -1;
}

QString unwritableDetail(const QSqlError& error) {
    switch (primaryCode(error)) {
        case kReadOnly:
            return "it is read-only";
        case kCantOpen:
            return "it cannot be opened";
        default:
            return error.databaseText().isEmpty() ? error.text() : error.databaseText();
    }
}

}  // namespace

QString RecordProblem::text() const {
    switch (kind) {
        case Kind::Unwritable:
            return "The learning record cannot be written (file: " + file + "): " + detail +
                   ".\nThe game goes on; its answers are not recorded.";
        case Kind::Locked:
            return "The learning record is locked by another program (file: " + file +
                   ").\nThe game goes on; answers are recorded again once the record is free.";
        case Kind::DiskFull:
            return "The disk refused to write the learning record; it may be full (file: " + file +
                   ").\nThe game goes on; answers are recorded again once there is space.";
        case Kind::Damaged:
            return "The learning record was damaged (file: " + file + ").\nIt was kept as " +
                   detail + " and a new record was started.";
    }
    return {};
}

bool RecordProblem::isDamage(const QSqlError& error) {
    const int code = primaryCode(error);
    return code == kCorrupt || code == kNotADatabase;
}

RecordProblem RecordProblem::fromSqlError(const QString& file, const QSqlError& error) {
    switch (primaryCode(error)) {
        case kBusy:
        case kLocked:
            return {Kind::Locked, file, {}};
        case kFull:
            return {Kind::DiskFull, file, {}};
        case kWriteFailed & 0xff:
            if (error.nativeErrorCode().toInt() == kWriteFailed) {
                return {Kind::DiskFull, file, {}};
            }
            return {Kind::Unwritable, file, unwritableDetail(error)};
        case kCorrupt:
        case kNotADatabase:
            return {Kind::Damaged, file, {}};
        default:
            return {Kind::Unwritable, file, unwritableDetail(error)};
    }
}

}  // namespace nimbara
