// The learning record's figures, each against a floor measured in the same run:
//   recording one answer  the round recorder keeping a judged answer (its own transaction: the
//                         answer and the round's counts), median and 99th percentile, against a
//                         bare prepared INSERT of the same answer into the same schema on a
//                         connection with the same settings;
//   progress window       from making the window to its first paint, on a record of 100,000
//                         answers over 2,000 rounds of the normal cloud game, against a bare
//                         window with a chart view and a table view of the same size; the
//                         query plans of the window's statements are printed;
//   size                  the record's file per 100,000 answers.
// Run without arguments; --grab FOLDER also saves each tab of the window as a PNG there, and
// its printed page as report.pdf.
#include "app/gamerecordcatalogue.h"
#include "app/progresswindow.h"
#include "app/recordproblemnotice.h"
#include "bench/benchsupport.h"
#include "record/recordenvironment.h"
#include "record/recordqueries.h"
#include "record/recordstore.h"
#include "record/roundrecorder.h"

#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdio>

namespace {

using namespace nimbara;
using namespace nimbara::bench;

constexpr int kRounds = 2000;
constexpr int kAnswersPerRound = 50;
constexpr int kRecordingSamples = 2000;

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(std::ceil(share * static_cast<double>(values.size())));
    return values[std::min(values.size() - 1, at > 0 ? at - 1 : 0)];
}

// A connection on path set up as the record's own: write-ahead log, NORMAL sync, foreign keys.
QSqlDatabase rawConnection(const QString& name, const QString& path) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(path);
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=1000");
    db.open();
    QSqlQuery pragma(db);
    for (const char* statement :
         {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = NORMAL", "PRAGMA foreign_keys = ON"}) {
        pragma.exec(statement);
    }
    return db;
}

void recordingOneAnswer(const QString& folder) {
    RecordStore store(folder + "/measured.sqlite");
    RoundRecorder recorder(store, [](const RecordProblem& problem) {
        std::printf("problem: %s\n", qPrintable(problem.text()));
    });
    recorder.roundStarted("clouds-normal", false);
    {
        RecordStore floorStore(folder + "/floor.sqlite");  // the same schema
        floorStore.startRound(
            {"floor-round", "ann", "clouds-normal", false, "2026-12-07T12:00:00.000Z"});
    }
    QSqlDatabase floorDb = rawConnection("floor", folder + "/floor.sqlite");
    Samples samples;
    {
        QSqlQuery insert(floorDb);
        insert.prepare(
            "INSERT INTO answers (id, round_id, answered_at, photo, right_answer, given_answer,"
            " correct, seconds) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        const JudgedAnswer answer{"cloud17.bmp", "Cl 4 - Cm 0 - Ch 4", "Cl 8 - Cm 0 - Ch 4", false,
                                  7.5};
        const auto recordOne = [&] { recorder.answerJudged(answer); };
        const auto insertOne = [&] {
            insert.bindValue(0, recordId());
            insert.bindValue(1, "floor-round");
            insert.bindValue(2, recordTimestamp(QDateTime::currentDateTimeUtc()));
            insert.bindValue(3, "cloud17.bmp");
            insert.bindValue(4, "Cl 4 - Cm 0 - Ch 4");
            insert.bindValue(5, "Cl 8 - Cm 0 - Ch 4");
            insert.bindValue(6, 0);
            insert.bindValue(7, 7.5);
            if (!insert.exec()) {
                std::printf("floor insert failed: %s\n", qPrintable(insert.lastError().text()));
            }
        };
        samples = compareSamples(kRecordingSamples, recordOne, insertOne);
    }
    floorDb = QSqlDatabase();
    QSqlDatabase::removeDatabase("floor");
    const std::vector<double>& measured = samples.measured;
    const std::vector<double>& floor = samples.floor;
    const double medianMeasured = median(measured);
    const double medianFloor = median(floor);
    std::printf(
        "recording one answer: median %.3f ms (floor %.3f ms, ratio %.2f), 99th percentile "
        "%.3f ms (floor %.3f ms, ratio %.2f); goal: median ratio <= 1.5 and under 2 ms\n",
        medianMeasured, medianFloor, medianMeasured / medianFloor, percentile(measured, 0.99),
        percentile(floor, 0.99), percentile(measured, 0.99) / percentile(floor, 0.99));
}

// 2,000 rounds of 50 answers to the normal cloud game over the year before now, answered
// well on most codes and badly on a few, written in one transaction.
void generateRecord(const QString& path) {
    {
        RecordStore store(path);
        store.open();
    }
    QSqlDatabase db = rawConnection("generate", path);
    {
        QSqlQuery query(db);
        query.exec("BEGIN");
        QSqlQuery round(db);
        round.prepare(
            "INSERT INTO rounds (id, trainee, game, practice, started_at)"
            " VALUES (?, 'ann', 'clouds-normal', ?, ?)");
        QSqlQuery end(db);
        end.prepare(
            "UPDATE rounds SET ended_at = ?, outcome = ?, good = ?, asked = ?, percent = ?,"
            " rating = ? WHERE id = ?");
        QSqlQuery answer(db);
        answer.prepare(
            "INSERT INTO answers (id, round_id, answered_at, photo, right_answer, given_answer,"
            " correct, seconds) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        QRandomGenerator random(19);
        const QStringList keys = [&] {
            QStringList all;
            for (int photo = 0; photo < 95; ++photo) {
                all << QString("cloud%1.bmp").arg(photo);
            }
            return all;
        }();
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int r = 0; r < kRounds; ++r) {
            const QString id = recordId();
            const QDateTime start = now.addSecs(-365LL * 24 * 3600 + r * (365LL * 24 * 36 / 20));
            round.bindValue(0, id);
            round.bindValue(1, r % 7 == 0 ? 1 : 0);
            round.bindValue(2, recordTimestamp(start));
            if (!round.exec()) {
                std::printf("round not written: %s\n", qPrintable(round.lastError().text()));
            }
            int good = 0;
            for (int a = 0; a < kAnswersPerRound; ++a) {
                const int photo = random.bounded(95);
                const QString right = QString("Cl %1 - Cm %2 - Ch %3")
                                          .arg(photo % 10)
                                          .arg((photo / 10) % 10)
                                          .arg(photo % 7);
                QString given = right;
                // The higher the low cloud's code, the more often it is mistaken.
                if (random.bounded(100) < 10 + (photo % 10) * 5) {
                    given[3] = QChar('0' + random.bounded(10));
                }
                if (random.bounded(100) < 8) {
                    given[17] = QChar('0' + random.bounded(7));
                }
                const bool correct = given == right;
                good += correct ? 1 : 0;
                answer.bindValue(0, recordId());
                answer.bindValue(1, id);
                answer.bindValue(2, recordTimestamp(start.addSecs(a * 12)));
                answer.bindValue(3, keys[photo]);
                answer.bindValue(4, right);
                answer.bindValue(5, given);
                answer.bindValue(6, correct ? 1 : 0);
                answer.bindValue(7, 2.0 + random.bounded(200) / 10.0);
                answer.exec();
            }
            const bool finished = r % 10 != 3;
            end.bindValue(0, recordTimestamp(start.addSecs(kAnswersPerRound * 12)));
            end.bindValue(1, finished ? "finished" : "abandoned");
            end.bindValue(2, good);
            end.bindValue(3, kAnswersPerRound);
            end.bindValue(4, finished ? QVariant(good * 100 / kAnswersPerRound) : QVariant());
            end.bindValue(5, finished ? QVariant("(novice)") : QVariant());
            end.bindValue(6, id);
            end.exec();
        }
        query.exec("COMMIT");
        query.exec("PRAGMA wal_checkpoint(TRUNCATE)");
        query.exec("ANALYZE");
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("generate");
}

void printPlans(RecordStore& store) {
    std::printf("query plans of the progress window (game and period bound):\n");
    for (const auto& [text, values] : RecordQueries::progressStatements()) {
        QSqlQuery plan(store.database());
        plan.prepare("EXPLAIN QUERY PLAN " + text);
        const QVariantList bound = {QString(""), QString("clouds-normal"), QString("")};
        for (int i = 0; i < values; ++i) {
            plan.bindValue(i, values == 3 ? bound[i] : bound[i + 1]);
        }
        plan.exec();
        std::printf("  %s\n", qPrintable(text));
        while (plan.next()) {
            std::printf("    %s\n", qPrintable(plan.value(3).toString()));
        }
    }
}

void grabTabs(ProgressWindow& window, const QString& folder) {
    QDir().mkpath(folder);
    auto* tabs = window.findChild<QTabWidget*>();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        const QString file = QString("%1/progress-%2.png").arg(folder).arg(tab);
        window.grab().save(file);
        std::printf("saved %s\n", qPrintable(file));
    }
}

void openingTheWindow(const QString& folder, const QString& grabFolder) {
    const GameRecordCatalogue games;
    const QString path = folder + "/large.sqlite";
    generateRecord(path);
    RecordStore store(path);
    store.open();
    printPlans(store);
    RecordProblemNotice notice;
    // The thumbnails show the photos the build staged.
    const QString photos = QStringLiteral(NIMBARA_STAGED_APPDIR);
    // Each run ends at the first paint; closing the window (which waits for the answer figures
    // still being counted) is not timed.
    const auto toFirstPaint = [](QWidget& window) {
        const Clock::time_point start = Clock::now();
        window.show();
        waitForFirstPaint(&window);
        return millisecondsSince(start);
    };
    const auto openWindow = [&] {
        const Clock::time_point start = Clock::now();
        ProgressWindow window(store, games, notice, photos);
        return millisecondsSince(start) + toFirstPaint(window);
    };
    const auto openFloor = [&] {
        const Clock::time_point start = Clock::now();
        QWidget window;
        auto* tabs = new QTabWidget(&window);
        auto* page = new QWidget;
        auto* chart = new QChartView(page);
        auto* table = new QTableView(page);
        chart->setGeometry(0, 0, 600, 500);
        table->setGeometry(600, 0, 400, 500);
        tabs->addTab(page, "Rounds");
        tabs->resize(1040, 660);
        window.resize(1040, 660);
        return millisecondsSince(start) + toFirstPaint(window);
    };
    std::vector<double> windowTimes;
    std::vector<double> floorTimes;
    for (int run = 0; run < 12; ++run) {
        // Which goes first alternates; the first two pairs warm the caches.
        const bool windowFirst = run % 2 == 0;
        const double first = windowFirst ? openWindow() : openFloor();
        const double second = windowFirst ? openFloor() : openWindow();
        if (run >= 2) {
            windowTimes.push_back(windowFirst ? first : second);
            floorTimes.push_back(windowFirst ? second : first);
        }
    }
    const Comparison times{median(windowTimes), median(floorTimes)};
    {
        RecordQueries queries(store.database(), games);
        const RecordFilter all{"clouds-normal", {}, {}};
        const double roundQueries = timeIt(5, [&] { queries.roundFigures(all); });
        const double answerQueries = timeIt(5, [&] {
            GameProgress figures;
            queries.addAnswerFigures(all, figures);
        });
        std::printf(
            "the window's queries: %.1f ms for the totals and rounds (before the first "
            "paint), %.1f ms for the answer figures (counted on a thread after it)\n",
            roundQueries, answerQueries);
    }
    std::printf(
        "opening the progress window on %d answers over %d rounds: %.1f ms to the first "
        "paint (floor %.1f ms, ratio %.2f); goal: under 200 ms\n",
        kRounds * kAnswersPerRound, kRounds, times.measured, times.floor,
        times.measured / times.floor);
    store.close();
    const double bytes =
        static_cast<double>(QFileInfo(path).size() + QFileInfo(path + "-wal").size());
    std::printf("record size: %.2f MB per 100,000 answers\n",
                bytes / 1e6 * 100000.0 / (kRounds * kAnswersPerRound));
    if (!grabFolder.isEmpty()) {
        store.open();
        ProgressWindow window(store, games, notice, photos);
        window.show();
        if (!QTest::qWaitFor([&] { return window.answerFiguresShown(); }, 60000)) {
            std::printf("the answer figures were not counted within a minute\n");
        }
        grabTabs(window, grabFolder);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(grabFolder + "/report.pdf");
        window.printReport(printer);
        std::printf("saved %s/report.pdf\n", qPrintable(grabFolder));
    }
}

}  // namespace

int main(int argc, char** argv) {
    BenchApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype grab = arguments.indexOf("--grab");
    QTemporaryDir folder;
    recordingOneAnswer(folder.path());
    openingTheWindow(folder.path(), grab > 0 ? arguments.value(grab + 1) : QString());
    return 0;
}
