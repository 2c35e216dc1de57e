#include "record/recordcsv.h"

#include <QIODevice>

namespace nimbara {

namespace {

constexpr qsizetype kChunk = 64 * 1024;

bool writeAll(QIODevice& out, const QByteArray& bytes) {
    return out.write(bytes) == bytes.size();
}

QString flag(bool value) {
    return value ? "1" : "0";
}

}  // namespace

const QStringList& RecordCsv::columns() {
    static const QStringList names = {"answered_at", "trainee", "game",         "round",
                                      "practice",    "photo",   "right_answer", "given_answer",
                                      "correct",     "seconds"};
    return names;
}

QByteArray RecordCsv::headerLine() {
    return columns().join(',').toUtf8() + "\r\n";
}

QString RecordCsv::field(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return special.contains(c); })) {
        return text;
    }
    QString quoted = text;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

QByteArray RecordCsv::line(const ExportRow& row) {
    const QStringList fields = {field(row.answeredAt),  field(row.trainee),
                                field(row.game),        field(row.round),
                                flag(row.practice),     field(row.photo),
                                field(row.rightAnswer), field(row.givenAnswer),
                                flag(row.correct),      QString::number(row.seconds, 'f', 3)};
    return fields.join(',').toUtf8() + "\r\n";
}

bool RecordCsv::write(RecordQueries& queries, const QString& since, const QString& game,
                      QIODevice& out, QString& error) {
    return write(
        [&](const std::function<bool(const ExportRow&)>& row, QString& readError) {
            if (queries.exportRows(since, game, row)) {
                return true;
            }
            readError = queries.lastError().text();
            return false;
        },
        out, error);
}

bool RecordCsv::write(const RowReader& read, QIODevice& out, QString& error) {
    QByteArray chunk = headerLine();
    bool written = true;
    QString readError;
    const bool readAll = read(
        [&](const ExportRow& row) {
            chunk += line(row);
            if (chunk.size() >= kChunk) {
                written = writeAll(out, chunk);
                chunk.clear();
            }
            return written;
        },
        readError);
    if (written) {
        written = writeAll(out, chunk);
    }
    if (!readAll && written) {
        error = readError;
        return false;
    }
    if (!written) {
        error = out.errorString();
        return false;
    }
    return true;
}

}  // namespace nimbara
