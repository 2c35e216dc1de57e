#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QIODevice;

namespace nimbara {

// The command line of nimbara-record: "nimbara-record <subcommand> [arguments]". Each subcommand
// is one row of subcommands(); a new one is added there with its usage line and its function.
class RecordTool {
public:
    // What a subcommand writes to: standard output and standard error, or test buffers.
    struct Streams {
        QIODevice& out;
        QIODevice& err;
    };
    // Exit statuses.
    static constexpr int kDone = 0;
    static constexpr int kFailed = 1;
    static constexpr int kUsage = 2;

    struct Subcommand {
        QString name;
        QString usage;  // its arguments, as the usage text shows them
        QString purpose;
        int (*run)(const QStringList& arguments, Streams streams);
    };

    static const std::vector<Subcommand>& subcommands();
    // Runs the subcommand that arguments (without the program name) name; prints the usage to
    // err and returns kUsage when none is named or it is unknown.
    static int run(const QStringList& arguments, Streams streams);
    static QString usage();
    // Writes "nimbara-record: <message>" and a line end to err.
    static void complain(QIODevice& err, const QString& message);
};

}  // namespace nimbara
