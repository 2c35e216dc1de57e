#pragma once

#include "record/recordfigures.h"
#include "record/recordqueries.h"

#include <QDateTime>
#include <QWidget>

#include <functional>
#include <memory>

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTabWidget;
class QTableView;
class QThread;

namespace nimbara {

class GameRecordCatalogue;
class RecordProblemNotice;
class RecordStore;
class RecordTableModel;

// The trainee's progress, non-modal: per game and period (last 7 days, last 30 days, all) the
// rounds, answers and percent right; each round's percent over time with its moving average;
// the classes by percent right; the confusions with the photos most often missed (thumbnails
// that open the photo large); the answer times per class. Every plot has a table beside it that
// a screen reader reads, and every control is reached by keyboard (the plots take no focus).
// From here the trainee practises the weak classes of the game shown, exports the view as CSV
// and prints it on one page, and sets the name the record keeps.
class ProgressWindow : public QWidget {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    // store, games and notice must outlive the window. roundInPlay gives the id of the round
    // being played now (it is not counted as abandoned); clock gives "now" for the periods.
    ProgressWindow(RecordStore& store, const GameRecordCatalogue& games,
                   RecordProblemNotice& notice, QString applicationDirectory,
                   std::function<QString()> roundInPlay = {}, Clock clock = {},
                   QWidget* parent = nullptr);
    ~ProgressWindow() override;

    QString game() const;
    RecordPeriod period() const;
    void showGame(const QString& game);
    void setPeriod(RecordPeriod period);
    const GameProgress& shown() const { return m_progress; }
    // Whether the classes, confusions and missed photos are counted for the view on show: they
    // are counted from every answer on a thread of their own, after the rest is shown.
    bool answerFiguresShown() const { return m_answerFiguresShown; }
    QString summaryText() const;

    // A line for the state of the copy to the organisation's server; hidden while empty.
    void setSyncStatus(const QString& text);
    QString syncStatus() const;

    // The login on the server at uri is an instructor's: a trainee selector offers the same
    // views of each trainee's record there, and of all trainees together, beside the record
    // on this computer. The server is read on threads of their own; the window never waits.
    void setInstructorServer(const QString& uri);
    // Whether the view on show is read from the server (a trainee or all trainees chosen).
    bool readsServer() const;
    // Shows the record of trainee on the server; empty for all trainees. False when the
    // selector does not offer trainee (yet).
    bool showTrainee(const QString& trainee);
    // Shows the record on this computer.
    void showLocalRecord();
    // The trainees the selector offers, as read from the server.
    QStringList trainees() const;

    // Opens the save dialog (modal to this window only); the view is exported when a file is
    // chosen.
    void exportCsv();
    // Writes the answers of the view (game and period) to path; a failure gets a box. Returns
    // whether the file was written.
    bool exportTo(const QString& path);
    // Opens the print dialog (modal to this window only); the page prints when it is accepted.
    void print();
    // The printer the print dialog sets up; made on first use.
    QPrinter* printer();
    // Prints the view as one page on printer.
    bool printReport(QPrinter& printer);

public slots:
    // Reads the record again for the game and period on show.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

signals:
    // "Practise my weak classes" for game.
    void practiceRequested(const QString& game);
    // The answer figures of the view on show arrived.
    void answerFiguresCounted();
    // The trainees on the server arrived in the selector.
    void traineesRead();
    // The view of the server on show was read (or its reading failed).
    void serverFiguresRead();

private:
    void buildControls();
    QWidget* buildPlotPage(QChartView*& chart, QTableView*& table, RecordTableModel* model,
                           const QString& tableName);
    QWidget* buildConfusionPage();
    RecordFilter filter() const;
    void fillRoundViews();
    void fillAnswerViews();
    void fillThumbnails();
    // Counts the answer figures of filter on a thread with a connection of its own.
    void startCounting(const RecordFilter& filter);
    void showAnswerFigures(int generation, GameProgress figures);
    // Counts them here and now, for the report (the thread may still be at it).
    void countAnswerFiguresNow();
    void waitForCounting();
    void startPendingCounting();
    void openPhoto(const MissedPhoto& photo);
    void applyDisplayName();
    void readServer();
    void showServerFigures(int generation, GameProgress figures, const QString& error);
    void showTrainees(const QStringList& names, const QString& error);
    QString heading() const;

    RecordStore& m_store;
    const GameRecordCatalogue& m_games;
    RecordProblemNotice& m_notice;
    QString m_applicationDirectory;
    std::function<QString()> m_roundInPlay;
    Clock m_clock;
    GameProgress m_progress;
    bool m_answerFiguresShown = false;
    int m_generation = 0;  // of the view on show: figures counted for an older one are dropped
    std::unique_ptr<QThread> m_counting;
    bool m_countingPending = false;
    bool m_painted = false;

    QComboBox* m_gameBox = nullptr;
    QComboBox* m_periodBox = nullptr;
    QLabel* m_traineeLabel = nullptr;
    QComboBox* m_traineeBox = nullptr;
    QString m_serverUri;
    QLineEdit* m_nameEdit = nullptr;
    QLabel* m_summary = nullptr;
    QTabWidget* m_tabs = nullptr;
    QChartView* m_roundsChart = nullptr;
    QChartView* m_classesChart = nullptr;
    QChartView* m_timesChart = nullptr;
    QTableView* m_roundsTable = nullptr;
    QTableView* m_classesTable = nullptr;
    QTableView* m_timesTable = nullptr;
    QTableView* m_confusionsTable = nullptr;
    RecordTableModel* m_roundsModel;
    RecordTableModel* m_classesModel;
    RecordTableModel* m_timesModel;
    RecordTableModel* m_confusionsModel;
    QWidget* m_thumbnails = nullptr;
    QPushButton* m_practise = nullptr;
    QPushButton* m_export = nullptr;
    QLabel* m_syncStatus = nullptr;
    std::unique_ptr<QPrinter> m_printer;
};

}  // namespace nimbara
