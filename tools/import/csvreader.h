#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace nimbara {

// One record of a comma-separated file.
struct CsvRecord {
    int line = 0;        // the line the record begins on, counting from 1
    QStringList fields;  // unquoted, with doubled quotes made single
    QString problem;     // empty, or why the record cannot be trusted
};

// Reads comma-separated text as spreadsheets write it: fields separated by commas, records by
// line ends (LF or CR LF); a field in double quotes may hold commas, line ends and quotes
// written twice. Blank lines are skipped and a byte order mark at the start is ignored.
class CsvReader {
public:
    // The records of text. A quote opened and never closed ends the text with a record whose
    // problem says so; text between a closing quote and the next comma marks its record.
    static std::vector<CsvRecord> read(const QString& text);
    // text written as one field: quoted when it holds a comma, a quote or a line end.
    static QString quote(const QString& text);
};

}  // namespace nimbara
