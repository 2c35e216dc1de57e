#include "tools/record/exportcommand.h"

#include "record/recordcsv.h"
#include "record/recordenvironment.h"
#include "record/recordstore.h"
#include "record/wholeanswers.h"
#include "tools/record/servercommands.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTimeZone>

namespace nimbara {

namespace {

bool writeRecord(RecordStore& store, const ExportCommand::Options& options, QIODevice& out,
                 QString& error) {
    if (!QFileInfo::exists(store.path())) {
        // No game was recorded yet: an empty table.
        if (out.write(RecordCsv::headerLine()) != RecordCsv::headerLine().size()) {
            error = out.errorString();
            return false;
        }
        return true;
    }
    if (const std::optional<RecordProblem> problem = store.open()) {
        error = problem->kind == RecordProblem::Kind::Damaged
                    ? "the learning record is damaged (file: " + store.path() + ")"
                    : problem->text().section('\n', 0, 0);
        return false;
    }
    const WholeAnswers games;
    RecordQueries queries(store.database(), games);
    return RecordCsv::write(queries, options.since, options.game, out, error);
}

int exportToFile(RecordStore& store, const ExportCommand::Options& options,
                 RecordTool::Streams streams) {
    if (QFileInfo(options.file).isSymLink()) {
        RecordTool::complain(streams.err, options.file + " is a symbolic link; nothing written");
        return RecordTool::kFailed;
    }
    QSaveFile file(options.file);
    QString error;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = file.errorString();
    } else if (writeRecord(store, options, file, error) && file.commit()) {
        return RecordTool::kDone;
    } else if (error.isEmpty()) {
        error = file.errorString();
    }
    file.cancelWriting();
    RecordTool::complain(streams.err, "cannot export to " + options.file + ": " + error);
    return RecordTool::kFailed;
}

}  // namespace

QString ExportCommand::sinceTimestamp(const QString& date) {
    const QDate day = QDate::fromString(date, Qt::ISODate);
    if (day.isValid() && date.size() == 10) {
        return recordTimestamp(QDateTime(day, QTime(0, 0), QTimeZone::utc()));
    }
    QDateTime time = QDateTime::fromString(date, Qt::ISODateWithMs);
    if (!time.isValid()) {
        return {};
    }
    if (time.timeSpec() == Qt::LocalTime) {
        time.setTimeZone(QTimeZone::utc());
    }
    return recordTimestamp(time);
}

std::optional<ExportCommand::Options> ExportCommand::parse(const QStringList& arguments,
                                                           QString& problem) {
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--server") {
            options.server = true;
            // The address is optional: the next argument is it when it reads as one.
            if (i + 1 < arguments.size() && ServerCommands::looksLikeUri(arguments[i + 1])) {
                options.serverUri = arguments[++i];
            }
            continue;
        }
        const bool takesValue = argument == "--since" || argument == "--game";
        if (takesValue && i + 1 >= arguments.size()) {
            problem = argument + " needs a value";
            return std::nullopt;
        }
        if (argument == "--since") {
            options.since = sinceTimestamp(arguments[++i]);
            if (options.since.isEmpty()) {
                problem = "--since takes a date like 2026-12-01, not " + arguments[i];
                return std::nullopt;
            }
        } else if (argument == "--game") {
            options.game = arguments[++i];
        } else if (argument.startsWith("--") || !options.file.isEmpty()) {
            problem = "unexpected argument " + argument;
            return std::nullopt;
        } else {
            options.file = argument;
        }
    }
    return options;
}

int ExportCommand::run(const QStringList& arguments, RecordTool::Streams streams) {
    QString problem;
    const std::optional<Options> options = parse(arguments, problem);
    if (!options) {
        RecordTool::complain(streams.err, problem);
        streams.err.write(RecordTool::usage().toUtf8());
        return RecordTool::kUsage;
    }
    if (options->server) {
        return ServerCommands::exportCsv(options->serverUri, options->since, options->game,
                                         options->file, streams);
    }
    RecordStore store(defaultRecordPath(), {.readOnly = true});
    if (!options->file.isEmpty()) {
        return exportToFile(store, *options, streams);
    }
    QString error;
    if (!writeRecord(store, *options, streams.out, error)) {
        RecordTool::complain(streams.err, "cannot export: " + error);
        return RecordTool::kFailed;
    }
    return RecordTool::kDone;
}

}  // namespace nimbara
