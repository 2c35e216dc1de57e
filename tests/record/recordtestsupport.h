#pragma once

#include "record/recordgames.h"
#include "record/recordrows.h"
#include "record/recordstore.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QVariant>

#include <map>
#include <ostream>
#include <vector>

// Lets failures show bytes as text.
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toStdString() << '"';
}

namespace nimbara::test {

// Games as the record sees them: answers split at " - " into their groups, classes as given.
class DashSeparatedGames final : public RecordGames {
public:
    std::map<QString, QStringList> classesOf;

    QStringList answerParts(const QString&, const QString& answer) const override {
        return answer.split(" - ");
    }
    QStringList classes(const QString& game) const override {
        const auto found = classesOf.find(game);
        return found == classesOf.end() ? QStringList{} : found->second;
    }
};

// A record file in a temporary folder of its own.
struct RecordFolder {
    QTemporaryDir dir;
    QString path(const QString& name = "nimbara/record.sqlite") const { return dir.filePath(name); }
};

// A round written straight to a store: answers given as {right, given, photo, seconds}, each
// one minute after the one before, starting at start.
struct PlayedAnswer {
    QString right;
    QString given;
    QString photo;
    double seconds = 3;
};
void writeRound(RecordStore& store, const QString& game, const QDateTime& start,
                const std::vector<PlayedAnswer>& answers, bool finish = true,
                bool practice = false);

// The values of the first row of a query on the store's file, as text.
QStringList firstRow(RecordStore& store, const QString& sql);
// The number a query gives.
int count(RecordStore& store, const QString& sql);

}  // namespace nimbara::test
