#pragma once

#include <QStringList>
#include <QTextStream>

namespace nimbara {

// One subcommand of nimbara-record: its name, its usage line, and what runs it with the
// arguments after the name. It writes results to out and complaints to err, and returns the
// exit status: 0 done, 1 the work failed, 2 the command line or the configuration is wrong.
struct RecordCommand {
    const char* name;
    const char* usage;
    int (*run)(const QStringList& arguments, QTextStream& out, QTextStream& err);
};

}  // namespace nimbara
