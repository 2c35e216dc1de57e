#include "tools/import/manifest.h"

#include "platform/nativefile.h"
#include "tools/import/csvreader.h"
#include "tools/import/utf8text.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace nimbara {

namespace {

// A manifest lists photos, one short line each; a larger file is no manifest.
constexpr qint64 kLargestManifest = 64 * 1024 * 1024;

enum class Column { File, Game, Class, Photographer, Licence, Source, FocusX, FocusY };

const std::map<QString, Column>& columnNames() {
    static const std::map<QString, Column> names = {
        {"file", Column::File},       {"game", Column::Game},
        {"class", Column::Class},     {"photographer", Column::Photographer},
        {"licence", Column::Licence}, {"license", Column::Licence},
        {"source", Column::Source},   {"focus x", Column::FocusX},
        {"focus y", Column::FocusY},
    };
    return names;
}

QString normalName(const QString& header) {
    return header.simplified().toLower();
}

// A focus coordinate: empty means the middle; otherwise a number from 0 to 1.
std::optional<double> focusValue(const QString& text, bool& valid) {
    valid = true;
    if (text.trimmed().isEmpty()) {
        return 0.5;
    }
    bool number = false;
    const double value = text.trimmed().toDouble(&number);
    valid = number && value >= 0.0 && value <= 1.0;
    return valid ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

const QStringList& Manifest::requiredColumns() {
    static const QStringList columns = {"file",         "game",    "class",
                                        "photographer", "licence", "source"};
    return columns;
}

Manifest Manifest::read(const QString& path) {
    Manifest manifest;
    QByteArray bytes;
    if (const QString problem = readWholeFile(path, kLargestManifest, bytes); !problem.isEmpty()) {
        manifest.m_error = "cannot read the manifest " + path + ": " + problem;
        return manifest;
    }
    const Utf8Text text = Utf8Text::decode(bytes);
    if (text.badLine > 0) {
        manifest.m_error =
            QString("line %1: not UTF-8 text; save the manifest as UTF-8").arg(text.badLine);
        return manifest;
    }
    return parse(text.text, QFileInfo(path).absolutePath());
}

Manifest Manifest::parse(const QString& text, const QString& folder) {
    Manifest manifest;
    const std::vector<CsvRecord> records = CsvReader::read(text);
    if (records.empty()) {
        manifest.m_error = "the manifest is empty; its first line names the columns: " +
                           requiredColumns().join(", ");
        return manifest;
    }
    const CsvRecord& header = records.front();
    if (!header.problem.isEmpty()) {
        manifest.m_error = QString("line %1: %2").arg(header.line).arg(header.problem);
        return manifest;
    }
    std::map<Column, qsizetype> position;
    for (qsizetype i = 0; i < header.fields.size(); ++i) {
        const auto known = columnNames().find(normalName(header.fields[i]));
        if (known == columnNames().end()) {
            manifest.m_error =
                QString("line %1: unknown column \"%2\"; the columns are: %3, focus x, focus y")
                    .arg(header.line)
                    .arg(header.fields[i], requiredColumns().join(", "));
            return manifest;
        }
        if (position.count(known->second) != 0) {
            manifest.m_error = QString("line %1: the column \"%2\" appears twice")
                                   .arg(header.line)
                                   .arg(header.fields[i].trimmed());
            return manifest;
        }
        position[known->second] = i;
    }
    const Column required[] = {Column::File,         Column::Game,    Column::Class,
                               Column::Photographer, Column::Licence, Column::Source};
    for (std::size_t k = 0; k < std::size(required); ++k) {
        if (position.count(required[k]) == 0) {
            manifest.m_error = QString("line %1: the column \"%2\" is missing")
                                   .arg(header.line)
                                   .arg(requiredColumns()[static_cast<qsizetype>(k)]);
            return manifest;
        }
    }
    // Which column each field position holds, to name the columns a short line lacks.
    QStringList columnAt;
    for (const QString& name : header.fields) {
        columnAt << normalName(name);
    }

    const QDir base(folder);
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        ManifestEntry entry;
        entry.line = record->line;
        const auto field = [&](Column column) {
            const auto found = position.find(column);
            return found == position.end() ? QString() : record->fields.value(found->second);
        };
        if (!record->problem.isEmpty()) {
            entry.problem = record->problem;
        } else if (record->fields.size() < header.fields.size()) {
            entry.problem = QString("no value for the column%1 %2")
                                .arg(header.fields.size() - record->fields.size() > 1 ? "s" : "")
                                .arg(columnAt.mid(record->fields.size()).join(", "));
        } else if (record->fields.size() > header.fields.size()) {
            entry.problem = QString(
                                "%1 values where the first line names %2 columns (a comma "
                                "inside a value needs quotes)")
                                .arg(record->fields.size())
                                .arg(header.fields.size());
        }
        entry.file = field(Column::File).trimmed();
        entry.game = field(Column::Game).trimmed();
        entry.className = field(Column::Class);
        entry.photographer = field(Column::Photographer).trimmed();
        entry.licence = field(Column::Licence).trimmed();
        entry.source = field(Column::Source).trimmed();
        if (entry.problem.isEmpty()) {
            for (const auto& [column, name] :
                 {std::pair{Column::File, "file"}, std::pair{Column::Game, "game"},
                  std::pair{Column::Class, "class"}}) {
                if (field(column).trimmed().isEmpty()) {
                    entry.problem = QString("the %1 is empty").arg(name);
                    break;
                }
            }
        }
        if (entry.problem.isEmpty()) {
            bool validX = true;
            bool validY = true;
            const std::optional<double> x = focusValue(field(Column::FocusX), validX);
            const std::optional<double> y = focusValue(field(Column::FocusY), validY);
            if (!validX || !validY) {
                entry.problem = QString("the focus %1 \"%2\" is not a number from 0 to 1")
                                    .arg(validX ? "y" : "x")
                                    .arg(validX ? field(Column::FocusY) : field(Column::FocusX));
            } else {
                entry.focusX = *x;
                entry.focusY = *y;
            }
        }
        if (!entry.file.isEmpty()) {
            entry.file = QDir::cleanPath(base.absoluteFilePath(entry.file));
        }
        manifest.m_entries.push_back(std::move(entry));
    }
    return manifest;
}

}  // namespace nimbara
