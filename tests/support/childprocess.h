#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

namespace nimbara::test {

// Limits a child process runs under.
struct ChildLimits {
    std::optional<long> fileSizeBytes;  // no file may grow beyond it (SIGXFSZ ignored)
    std::chrono::seconds deadline{60};  // killed when it runs longer
};

// How a child process ended.
struct ChildRun {
    int exitCode = -1;  // -1 when it did not exit normally (killed at the deadline, crashed)
    bool timedOut = false;
    QByteArray out;
    QByteArray errors;
    long peakKilobytes = 0;  // its largest resident set size
};

// Runs program with arguments in folder (the current one when empty) under limits, and waits
// for it. Its standard output and error are kept whole, whatever their size.
ChildRun runChild(const QString& program, const QStringList& arguments, const ChildLimits& limits,
                  const QString& folder = QString());

}  // namespace nimbara::test
