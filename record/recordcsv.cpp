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
    QByteArray chunk = headerLine();
    bool written = true;
    const bool read = queries.exportRows(since, game, [&](const ExportRow& row) {
        chunk += line(row);
        if (chunk.size() >= kChunk) {
            written = writeAll(out, chunk);
            chunk.clear();
        }
        return written;
    });
    if (written) {
        written = writeAll(out, chunk);
    }
    if (!read && written) {
        error = queries.lastError().text();
        return false;
    }
    if (!written) {
        error = out.errorString();
        return false;
    }
    return true;
}

}  // namespace nimbara
