#include "tools/import/attributionfile.h"

#include "tools/import/csvreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace nimbara {

namespace {

const QStringList& header() {
    static const QStringList columns = {"photo",   "game",   "class",   "photographer",
                                        "licence", "source", "original"};
    return columns;
}

}  // namespace

AttributionFile AttributionFile::load(const QString& folder) {
    AttributionFile attribution;
    attribution.m_path = QDir(folder).filePath(kFileName);
    QFile file(attribution.m_path);
    if (!file.exists()) {
        return attribution;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        attribution.m_error = "cannot read " + attribution.m_path + ": " + file.errorString();
        return attribution;
    }
    const std::vector<CsvRecord> records = CsvReader::read(QString::fromUtf8(file.readAll()));
    for (const CsvRecord& record : records) {
        if (record.line == records.front().line || record.fields.front().isEmpty()) {
            continue;  // the header
        }
        QStringList row = record.fields;
        while (row.size() < header().size()) {
            row << QString();
        }
        attribution.m_rows.push_back(row.mid(0, header().size()));
    }
    return attribution;
}

void AttributionFile::set(const QString& photo, const QStringList& row) {
    const QStringList full = QStringList{photo} + row;
    const auto found = std::find_if(m_rows.begin(), m_rows.end(),
                                    [&](const QStringList& r) { return r.front() == photo; });
    if (found != m_rows.end()) {
        *found = full;
    } else {
        m_rows.push_back(full);
    }
}

QString AttributionFile::save() const {
    QString text = header().join(',') + "\n";
    for (const QStringList& row : m_rows) {
        QStringList quoted;
        for (const QString& field : row) {
            quoted << CsvReader::quote(field);
        }
        text += quoted.join(',') + "\n";
    }
    if (QFileInfo(m_path).isSymLink() && !QFile::remove(m_path)) {
        return "cannot replace the link " + m_path;
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        return "cannot write " + m_path + ": " + file.errorString();
    }
    return {};
}

}  // namespace nimbara
