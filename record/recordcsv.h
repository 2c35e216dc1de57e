#pragma once

#include "record/recordqueries.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

namespace nimbara {

// The record as comma-separated values (RFC 4180: CRLF line ends, fields with a comma, a quote
// or a line break in quotes, quotes doubled), one line per answer under a header line:
// answered_at,trainee,game,round,practice,photo,right_answer,given_answer,correct,seconds
// practice and correct are 0 or 1; times are ISO 8601 UTC; round is the round's id.
class RecordCsv {
public:
    static const QStringList& columns();
    static QByteArray headerLine();
    static QByteArray line(const ExportRow& row);
    // A field as the format quotes it.
    static QString field(const QString& text);

    // Writes the header and every answer that queries.exportRows(since, game) gives to out.
    // Returns false with error set when reading or writing failed.
    static bool write(RecordQueries& queries, const QString& since, const QString& game,
                      QIODevice& out, QString& error);

    // Reads rows by calling each row with every answer until it returns false; returns false
    // with error set when reading failed.
    using RowReader =
        std::function<bool(const std::function<bool(const ExportRow&)>& row, QString& error)>;
    // Writes the header and every answer read to out; the same failures as write().
    static bool write(const RowReader& read, QIODevice& out, QString& error);
};

}  // namespace nimbara
