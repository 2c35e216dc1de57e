#include "tools/import/csvreader.h"

namespace nimbara {

std::vector<CsvRecord> CsvReader::read(const QString& text) {
    std::vector<CsvRecord> records;
    qsizetype at = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    int line = 1;
    while (at < text.size()) {
        CsvRecord record;
        record.line = line;
        QString field;
        bool quotedField = false;
        bool recordEnded = false;
        while (!recordEnded) {
            if (at >= text.size()) {
                recordEnded = true;
                break;
            }
            const QChar c = text[at];
            if (c == '"' && field.isEmpty() && !quotedField) {
                quotedField = true;
                const int opened = line;
                ++at;
                bool closed = false;
                while (at < text.size()) {
                    if (text[at] == '"') {
                        if (at + 1 < text.size() && text[at + 1] == '"') {
                            field += '"';
                            at += 2;
                            continue;
                        }
                        ++at;
                        closed = true;
                        break;
                    }
                    if (text[at] == '\n') {
                        ++line;
                    }
                    field += text[at++];
                }
                if (!closed) {
                    record.problem =
                        QString("a quote opened on line %1 is never closed").arg(opened);
                }
                continue;
            }
            if (c == ',') {
                record.fields << field;
                field.clear();
                quotedField = false;
                ++at;
                continue;
            }
            if (c == '\n' || c == '\r') {
                at += (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ? 2 : 1;
                ++line;
                recordEnded = true;
                break;
            }
            if (quotedField && record.problem.isEmpty()) {
                record.problem = "text follows a closing quote";
            }
            field += c;
            ++at;
        }
        record.fields << field;
        const bool blank = record.fields.size() == 1 && record.fields.front().isEmpty() &&
                           !quotedField && record.problem.isEmpty();
        if (!blank) {
            records.push_back(std::move(record));
        }
    }
    return records;
}

QString CsvReader::quote(const QString& text) {
    if (!text.contains(',') && !text.contains('"') && !text.contains('\n') &&
        !text.contains('\r')) {
        return text;
    }
    QString doubled = text;
    doubled.replace('"', "\"\"");
    return '"' + doubled + '"';
}

}  // namespace nimbara
