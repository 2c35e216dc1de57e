#include "tests/record/recordtestsupport.h"

#include "record/recordenvironment.h"

#include <QSqlRecord>

namespace nimbara::test {

void writeRound(RecordStore& store, const QString& game, const QDateTime& start,
                const std::vector<PlayedAnswer>& answers, bool finish, bool practice) {
    const QString round = recordId();
    store.startRound({round, "ann", game, practice, recordTimestamp(start)});
    int good = 0;
    QDateTime at = start;
    for (const PlayedAnswer& answer : answers) {
        at = at.addSecs(60);
        const bool correct = answer.right == answer.given;
        good += correct ? 1 : 0;
        store.recordAnswer({recordId(), round, recordTimestamp(at), answer.photo, answer.right,
                            answer.given, correct, answer.seconds});
    }
    if (finish) {
        const int percent = answers.empty() ? 0 : good * 100 / static_cast<int>(answers.size());
        store.endRound({round, recordTimestamp(at), true, percent, "(novice)"});
    }
}

QStringList firstRow(RecordStore& store, const QString& sql) {
    QSqlQuery query(store.database());
    QStringList values;
    if (query.exec(sql) && query.next()) {
        for (int i = 0; i < query.record().count(); ++i) {
            values << (query.isNull(i) ? QString("NULL") : query.value(i).toString());
        }
    }
    return values;
}

int count(RecordStore& store, const QString& sql) {
    const QStringList row = firstRow(store, sql);
    return row.isEmpty() ? -1 : row.front().toInt();
}

}  // namespace nimbara::test
