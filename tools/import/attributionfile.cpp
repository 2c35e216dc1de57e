#include "tools/import/attributionfile.h"

#include "platform/nativefile.h"
#include "tools/import/csvreader.h"
#include "tools/import/utf8text.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace nimbara {

namespace {

// The import's columns, in the order of the values set() takes, the photo first.
const QStringList& knownColumns() {
    static const QStringList columns = {"photo",   "game",   "class",   "photographer",
                                        "licence", "source", "original"};
    return columns;
}

// A file of attribution rows is small; a larger one is not read.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;

}  // namespace

AttributionFile AttributionFile::load(const QString& folder) {
    AttributionFile attribution;
    attribution.m_path = QDir(folder).filePath(kFileName);
    attribution.m_columns = knownColumns();
    const QFileInfo info(attribution.m_path);
    if (!info.exists() && !info.isSymLink()) {
        return attribution;
    }
    QByteArray bytes;
    if (const QString problem = readWholeFile(attribution.m_path, kLargestFile, bytes);
        !problem.isEmpty()) {
        attribution.m_error = "cannot read " + attribution.m_path + ": " + problem;
        return attribution;
    }
    const auto damaged = [&](int line, const QString& why) {
        attribution.m_error = QString("%1 cannot be used (line %2: %3); it is left as it is")
                                  .arg(attribution.m_path)
                                  .arg(line)
                                  .arg(why);
        return attribution;
    };
    const Utf8Text text = Utf8Text::decode(bytes);
    if (text.badLine > 0) {
        return damaged(text.badLine, "not UTF-8 text");
    }
    const std::vector<CsvRecord> records = CsvReader::read(text.text);
    if (records.empty()) {
        return attribution;
    }
    attribution.m_columns = records.front().fields;
    for (const CsvRecord& record : records) {
        if (!record.problem.isEmpty()) {
            return damaged(record.line, record.problem);
        }
        if (record.fields.size() > attribution.m_columns.size()) {
            return damaged(record.line, QString("%1 values where the first line names %2 columns")
                                            .arg(record.fields.size())
                                            .arg(attribution.m_columns.size()));
        }
    }
    if (!attribution.m_columns.contains(knownColumns().front())) {
        return damaged(records.front().line, "no column \"photo\"");
    }
    // Columns of the import that an older file lacks come last.
    for (const QString& column : knownColumns()) {
        if (!attribution.m_columns.contains(column)) {
            attribution.m_columns << column;
        }
    }
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        QStringList row = record->fields;
        while (row.size() < attribution.m_columns.size()) {
            row << QString();
        }
        attribution.m_rows.push_back(row);
    }
    return attribution;
}

void AttributionFile::set(const QString& photo, const QStringList& row) {
    QStringList full(m_columns.size());
    const QStringList values = QStringList{photo} + row;
    for (qsizetype known = 0; known < values.size(); ++known) {
        full[m_columns.indexOf(knownColumns()[known])] = values[known];
    }
    const qsizetype photoColumn = m_columns.indexOf(knownColumns().front());
    const auto found = std::find_if(m_rows.begin(), m_rows.end(),
                                    [&](const QStringList& r) { return r[photoColumn] == photo; });
    if (found != m_rows.end()) {
        *found = full;
    } else {
        m_rows.push_back(full);
    }
}

QByteArray AttributionFile::text() const {
    const auto line = [](const QStringList& fields) {
        QStringList quoted;
        for (const QString& field : fields) {
            quoted << CsvReader::quote(field);
        }
        return quoted.join(',') + "\n";
    };
    QString text = line(m_columns);
    for (const QStringList& row : m_rows) {
        text += line(row);
    }
    return text.toUtf8();
}

}  // namespace nimbara
