// A second program on a record file, for the tests of what two processes, a crash and a full
// disk do to the record:
//   record_child play PATH ROUNDS ANSWERS [--busy MS] [--limit-after K] [--wait]
//     plays ROUNDS rounds of ANSWERS answers through the round recorder; prints "answered N"
//     after each answer is kept, "problem KIND TEXT" for each problem (line ends as \n), and
//     "done" at the end. --limit-after K limits the size of every file the process writes to
//     just past the write-ahead log's size after K answers (a full disk); --wait waits for
//     standard input to close before ending the last round (to be killed in the middle).
//   record_child hold-lock PATH
//     takes the record's write lock, prints "locked", waits for a line on standard input,
//     releases it and prints "released".
#include "record/recordstore.h"
#include "record/roundrecorder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

#include <sys/resource.h>

namespace {

using namespace nimbara;

void say(const QString& line) {
    std::cout << line.toStdString() << std::endl;
}

const char* kindName(RecordProblem::Kind kind) {
    switch (kind) {
        case RecordProblem::Kind::Unwritable:
            return "unwritable";
        case RecordProblem::Kind::Locked:
            return "locked";
        case RecordProblem::Kind::DiskFull:
            return "full";
        case RecordProblem::Kind::Damaged:
            return "damaged";
    }
    return "?";
}

void limitFileSizes(const QString& path) {
    // Past the limit a write comes back short, as on a full disk, instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    const auto limit = static_cast<rlim_t>(QFileInfo(path + "-wal").size() + 100);
    const rlimit sizes{limit, limit};
    setrlimit(RLIMIT_FSIZE, &sizes);
}

int play(const QStringList& args) {
    const QString path = args.value(0);
    const int rounds = args.value(1).toInt();
    const int answers = args.value(2).toInt();
    const int busy = args.contains("--busy") ? args[args.indexOf("--busy") + 1].toInt() : 1000;
    const int limitAfter =
        args.contains("--limit-after") ? args[args.indexOf("--limit-after") + 1].toInt() : -1;
    RecordStore store(path, {.busyTimeout = std::chrono::milliseconds(busy)});
    RoundRecorder recorder(store, [](const RecordProblem& problem) {
        say(QString("problem ") + kindName(problem.kind) + " " +
            QString(problem.text()).replace('\n', "\\n"));
    });
    int answered = 0;
    for (int round = 0; round < rounds; ++round) {
        recorder.roundStarted("ice1", round % 2 == 1);
        for (int i = 0; i < answers; ++i) {
            const bool right = i % 3 != 0;
            recorder.answerJudged({"ice" + std::to_string(i % 18) + ".bmp", "brash ice",
                                   right ? "brash ice" : "nilas", right, 1.5 + i});
            say("answered " + QString::number(++answered));
            if (answered == limitAfter) {
                limitFileSizes(path);
            }
        }
        if (round + 1 == rounds && args.contains("--wait")) {
            std::string line;
            while (std::getline(std::cin, line)) {
            }
        }
        recorder.roundFinished(50, "(novice)");
    }
    say("done");
    return 0;
}

int holdLock(const QString& path) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE");
    db.setDatabaseName(path);
    if (!db.open()) {
        return 1;
    }
    QSqlQuery query(db);
    if (!query.exec("BEGIN IMMEDIATE")) {
        return 1;
    }
    say("locked");
    std::string line;
    std::getline(std::cin, line);
    query.exec("ROLLBACK");
    say("released");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.value(0) == "play") {
        return play(args.mid(1));
    }
    if (args.value(0) == "hold-lock") {
        return holdLock(args.value(1));
    }
    return 2;
}
