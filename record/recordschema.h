#pragma once

#include <QSqlError>
#include <QStringList>

#include <vector>

class QSqlDatabase;

namespace nimbara {

// The record's tables, versioned by PRAGMA user_version: version n is reached by migration step
// n from version n - 1, each step in a transaction of its own, so a file from any earlier release
// is brought up to date and a step cut off half-way leaves the version before it.
class RecordSchema {
public:
    struct Step {
        int version;             // the version the step leads to
        QStringList statements;  // run in order in one transaction
    };

    // The steps from the first release on, in order.
    static const std::vector<Step>& steps();
    // The version the last step leads to.
    static int latestVersion();

    // The version of the open database db; -1 with error set when it cannot be read.
    static int version(QSqlDatabase& db, QSqlError& error);
    // Runs every step beyond db's version. Returns the first error (no error on success); the
    // steps before it stay applied.
    static QSqlError migrate(QSqlDatabase& db);

private:
    static QSqlError applyStep(QSqlDatabase& db, const Step& step);
};

}  // namespace nimbara
