#include "app/progresswindow.h"

#include "app/gamerecordcatalogue.h"
#include "app/photopreview.h"
#include "app/progresscharts.h"
#include "app/progressreport.h"
#include "app/recordproblemnotice.h"
#include "app/recordtablemodel.h"
#include "platform/messagebox.h"
#include "platform/windowsbitmap.h"
#include "record/recordcsv.h"
#include "record/recordenvironment.h"
#include "record/recordstore.h"
#include "record/server/pgconnection.h"
#include "record/server/serverreader.h"
#include "record/wholeanswers.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QThread>
#include <QToolButton>

#include <thread>

namespace nimbara {

namespace {

constexpr int kMostThumbnails = 6;
constexpr int kMeasuredRows = 50;
const QSize kThumbnail(160, 100);
const QString kExportCaption = "Export to CSV";

struct PeriodChoice {
    RecordPeriod period;
    const char* text;
};
const PeriodChoice kPeriods[] = {
    {RecordPeriod::Week, "Last 7 days"},
    {RecordPeriod::Month, "Last 30 days"},
    {RecordPeriod::All, "All"},
};

QString counted(int count, const QString& one, const QString& many) {
    return QString::number(count) + " " + (count == 1 ? one : many);
}

QString percentText(double percent) {
    return QString::number(qRound(percent)) + " %";
}

QString secondsText(double seconds) {
    return QString::number(seconds, 'f', 1);
}

// A label that names buddy, for the eye and for a screen reader.
QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    buddy->setAccessibleName(QString(text).remove('&').chopped(1));
    return label;
}

}  // namespace

ProgressWindow::ProgressWindow(RecordStore& store, const GameRecordCatalogue& games,
                               RecordProblemNotice& notice, QString applicationDirectory,
                               std::function<QString()> roundInPlay, Clock clock, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_store(store),
      m_games(games),
      m_notice(notice),
      m_applicationDirectory(std::move(applicationDirectory)),
      m_roundInPlay(std::move(roundInPlay)),
      m_clock(std::move(clock)),
      m_roundsModel(new RecordTableModel({"Started", "Right", "Average", "Practice"}, this)),
      m_classesModel(new RecordTableModel({"Class", "Answers", "Right", "Percent right"}, this)),
      m_timesModel(new RecordTableModel({"Class", "Answers", "Mean seconds"}, this)),
      m_confusionsModel(new RecordTableModel({"Confusion"}, this)) {
    setWindowTitle("My progress");
    buildControls();
    if (const std::optional<RecordProblem> problem = m_store.open()) {
        m_notice.report(*problem);
    }
    m_nameEdit->setText(m_store.displayName());
    QStringList played;
    if (m_store.isOpen()) {
        played = RecordQueries(m_store.database(), m_games).playedGames();
    }
    showGame(played.isEmpty() ? QString() : played.front());
}

ProgressWindow::~ProgressWindow() {
    waitForCounting();
}

void ProgressWindow::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* choices = new QGridLayout;
    m_gameBox = new QComboBox(this);
    for (const GameRecordCatalogue::Game& game : m_games.games()) {
        m_gameBox->addItem(game.title, game.id);
    }
    m_periodBox = new QComboBox(this);
    for (const PeriodChoice& choice : kPeriods) {
        m_periodBox->addItem(choice.text);
    }
    m_periodBox->setCurrentIndex(static_cast<int>(std::size(kPeriods)) - 1);
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setPlaceholderText(loginName());
    m_nameEdit->setMaxLength(80);
    choices->addWidget(labelFor("&Game:", m_gameBox, this), 0, 0);
    choices->addWidget(m_gameBox, 0, 1);
    choices->addWidget(labelFor("Peri&od:", m_periodBox, this), 0, 2);
    choices->addWidget(m_periodBox, 0, 3);
    choices->addWidget(labelFor("Your &name in the record:", m_nameEdit, this), 1, 0);
    choices->addWidget(m_nameEdit, 1, 1);
    m_traineeBox = new QComboBox(this);
    m_traineeLabel = labelFor("Tr&ainee:", m_traineeBox, this);
    choices->addWidget(m_traineeLabel, 1, 2);
    choices->addWidget(m_traineeBox, 1, 3);
    m_traineeLabel->hide();
    m_traineeBox->hide();
    choices->setColumnStretch(1, 1);
    layout->addLayout(choices);

    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    m_tabs = new QTabWidget(this);
    m_tabs->addTab(buildPlotPage(m_roundsChart, m_roundsTable, m_roundsModel, "Rounds"), "&Rounds");
    m_tabs->addTab(
        buildPlotPage(m_classesChart, m_classesTable, m_classesModel, "Classes by percent right"),
        "Cla&sses");
    m_tabs->addTab(buildConfusionPage(), "Con&fusions");
    m_tabs->addTab(
        buildPlotPage(m_timesChart, m_timesTable, m_timesModel, "Answer times per class"),
        "Answer &times");
    layout->addWidget(m_tabs, 1);

    m_syncStatus = new QLabel(this);
    // Reached by Tab, so that a screen reader reads it like the rest of the window.
    m_syncStatus->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_syncStatus->setFocusPolicy(Qt::TabFocus);
    m_syncStatus->hide();
    layout->addWidget(m_syncStatus);

    auto* buttons = new QHBoxLayout;
    m_practise = new QPushButton("&Practise my weak classes", this);
    auto* exportButton = new QPushButton("&Export to CSV...", this);
    m_export = exportButton;
    auto* printButton = new QPushButton("Pr&int...", this);
    auto* closeButton = new QPushButton("&Close", this);
    buttons->addWidget(m_practise);
    buttons->addWidget(exportButton);
    buttons->addWidget(printButton);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);

    connect(m_gameBox, &QComboBox::currentIndexChanged, this, &ProgressWindow::refresh);
    connect(m_periodBox, &QComboBox::currentIndexChanged, this, &ProgressWindow::refresh);
    connect(m_traineeBox, &QComboBox::currentIndexChanged, this, &ProgressWindow::refresh);
    connect(m_nameEdit, &QLineEdit::editingFinished, this, &ProgressWindow::applyDisplayName);
    connect(m_practise, &QPushButton::clicked, this, [this] { emit practiceRequested(game()); });
    connect(exportButton, &QPushButton::clicked, this, &ProgressWindow::exportCsv);
    connect(printButton, &QPushButton::clicked, this, &ProgressWindow::print);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    resize(1040, 660);
}

QWidget* ProgressWindow::buildPlotPage(QChartView*& chart, QTableView*& table,
                                       RecordTableModel* model, const QString& tableName) {
    auto* page = new QWidget(this);
    auto* row = new QHBoxLayout(page);
    chart = new QChartView(page);
    chart->setRenderHint(QPainter::Antialiasing);
    chart->setFocusPolicy(Qt::NoFocus);  // the table beside it holds the same figures
    chart->setMinimumSize(420, 300);
    row->addWidget(chart, 5);
    table = new QTableView(page);
    table->setModel(model);
    table->setAccessibleName(tableName);
    table->setTabKeyNavigation(false);  // Tab leaves the table; the arrows move in it
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Widths from the first rows: measuring thousands of rounds would slow the opening.
    table->horizontalHeader()->setResizeContentsPrecision(kMeasuredRows);
    table->horizontalHeader()->setStretchLastSection(true);
    row->addWidget(table, 4);
    return page;
}

QWidget* ProgressWindow::buildConfusionPage() {
    auto* page = new QWidget(this);
    auto* row = new QHBoxLayout(page);
    m_confusionsTable = new QTableView(page);
    m_confusionsTable->setModel(m_confusionsModel);
    m_confusionsTable->setAccessibleName("Confusions, most frequent first");
    m_confusionsTable->setTabKeyNavigation(false);
    m_confusionsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_confusionsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_confusionsTable->verticalHeader()->hide();
    m_confusionsTable->horizontalHeader()->setStretchLastSection(true);
    row->addWidget(m_confusionsTable, 2);
    auto* photos = new QVBoxLayout;
    photos->addWidget(new QLabel("Photos most often missed:", page));
    m_thumbnails = new QWidget(page);
    auto* grid = new QGridLayout(m_thumbnails);
    grid->setContentsMargins(0, 0, 0, 0);
    photos->addWidget(m_thumbnails);
    photos->addStretch(1);
    row->addLayout(photos, 3);
    return page;
}

QString ProgressWindow::game() const {
    return m_gameBox->currentData().toString();
}

RecordPeriod ProgressWindow::period() const {
    return kPeriods[std::max(0, m_periodBox->currentIndex())].period;
}

void ProgressWindow::showGame(const QString& game) {
    const int index = m_gameBox->findData(game);
    if (index >= 0 && index != m_gameBox->currentIndex()) {
        m_gameBox->setCurrentIndex(index);  // refreshes
    } else {
        refresh();
    }
}

void ProgressWindow::setPeriod(RecordPeriod period) {
    for (int i = 0; i < static_cast<int>(std::size(kPeriods)); ++i) {
        if (kPeriods[i].period == period && i != m_periodBox->currentIndex()) {
            m_periodBox->setCurrentIndex(i);  // refreshes
        }
    }
}

void ProgressWindow::setSyncStatus(const QString& text) {
    m_syncStatus->setText(text);
    m_syncStatus->setVisible(!text.isEmpty());
}

QString ProgressWindow::syncStatus() const {
    return m_syncStatus->isVisible() || !m_syncStatus->text().isEmpty() ? m_syncStatus->text()
                                                                        : QString();
}

namespace {

// The selector's entries: the record on this computer (no data), all trainees (an empty name)
// and each trainee by name.
const QString kLocalRecord = "My record on this computer";
const QString kAllTrainees = "All trainees";

}  // namespace

void ProgressWindow::setInstructorServer(const QString& uri) {
    if (uri.isEmpty() || uri == m_serverUri) {
        return;
    }
    m_serverUri = uri;
    {
        const QSignalBlocker blocker(m_traineeBox);
        m_traineeBox->clear();
        m_traineeBox->addItem(kLocalRecord);
        m_traineeBox->addItem(kAllTrainees, QString(""));
    }
    m_traineeLabel->show();
    m_traineeBox->show();
    QPointer<ProgressWindow> window(this);
    std::thread([uri, window] {
        QStringList names;
        QString error;
        PgConnection connection;
        if (const PgError opened = connection.open(uri); opened.failed()) {
            error = opened.text;
        } else {
            const WholeAnswers games;
            ServerReader reader(connection, games);
            names = reader.trainees();
            error = reader.lastError().text;
        }
        // Back on the program's thread, where the window may be gone by then.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [window, names, error] {
                if (window) {
                    window->showTrainees(names, error);
                }
            },
            Qt::QueuedConnection);
    }).detach();
}

void ProgressWindow::showTrainees(const QStringList& names, const QString& error) {
    if (!error.isEmpty()) {
        messageBox(this, "The trainees on the record server cannot be read: " + error + ".",
                   windowTitle(), MbIcon::Exclamation);
    }
    const QSignalBlocker blocker(m_traineeBox);
    for (const QString& name : names) {
        if (m_traineeBox->findData(name) < 0) {
            m_traineeBox->addItem(name, name);
        }
    }
    emit traineesRead();
}

bool ProgressWindow::readsServer() const {
    return !m_serverUri.isEmpty() && m_traineeBox->currentData().isValid();
}

QStringList ProgressWindow::trainees() const {
    QStringList names;
    for (int i = 2; i < m_traineeBox->count(); ++i) {
        names << m_traineeBox->itemData(i).toString();
    }
    return names;
}

bool ProgressWindow::showTrainee(const QString& trainee) {
    const int index = m_traineeBox->findData(trainee);
    if (m_serverUri.isEmpty() || index < 0) {
        return false;
    }
    if (index == m_traineeBox->currentIndex()) {
        refresh();
    } else {
        m_traineeBox->setCurrentIndex(index);  // refreshes
    }
    return true;
}

void ProgressWindow::showLocalRecord() {
    if (m_traineeBox->count() > 0) {
        m_traineeBox->setCurrentIndex(0);
    }
}

void ProgressWindow::readServer() {
    const RecordFilter local = filter();
    const ServerFilter filter{m_traineeBox->currentData().toString(), local.game, local.since};
    const int generation = m_generation;
    // The thread's own copy: the session's may go before the thread ends.
    auto games = std::make_shared<const GameRecordCatalogue>(m_games);
    QPointer<ProgressWindow> window(this);
    std::thread([uri = m_serverUri, filter, games, window, generation] {
        GameProgress figures;
        QString error;
        PgConnection connection;
        if (const PgError opened = connection.open(uri); opened.failed()) {
            error = opened.text;
        } else {
            ServerReader reader(connection, *games);
            figures = reader.progress(filter);
            error = reader.lastError().text;
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [window, generation, figures = std::move(figures), error]() mutable {
                if (window) {
                    window->showServerFigures(generation, std::move(figures), error);
                }
            },
            Qt::QueuedConnection);
    }).detach();
}

void ProgressWindow::showServerFigures(int generation, GameProgress figures, const QString& error) {
    if (generation != m_generation) {
        return;
    }
    if (!error.isEmpty()) {
        m_summary->setText("The record server cannot be read: " + error);
        messageBox(this, "The record server cannot be read: " + error + ".", windowTitle(),
                   MbIcon::Exclamation);
        emit serverFiguresRead();
        return;
    }
    m_progress = std::move(figures);
    m_answerFiguresShown = true;
    m_summary->setText(summaryText());
    fillRoundViews();
    fillAnswerViews();
    emit serverFiguresRead();
}

RecordFilter ProgressWindow::filter() const {
    const QDateTime now = m_clock ? m_clock() : QDateTime::currentDateTimeUtc();
    return {game(), RecordQueries::since(period(), now),
            m_roundInPlay ? m_roundInPlay() : QString()};
}

void ProgressWindow::refresh() {
    ++m_generation;
    m_progress = {};
    m_answerFiguresShown = false;
    const bool server = readsServer();
    m_export->setEnabled(!server);
    if (server) {
        m_countingPending = false;
        m_practise->setEnabled(false);
        m_summary->setText("Reading the record server...");
        fillRoundViews();
        fillAnswerViews();
        readServer();
        return;
    }
    const std::optional<RecordProblem> problem = m_store.open();
    if (problem) {
        m_notice.report(*problem);
    } else {
        m_progress = RecordQueries(m_store.database(), m_games).roundFigures(filter());
    }
    m_summary->setText(summaryText());
    m_practise->setEnabled(!game().isEmpty());
    fillRoundViews();
    fillAnswerViews();
    if (!problem) {
        // Counted once the window is painted, so that the thread does not delay the paint.
        m_countingPending = true;
        if (m_painted) {
            startPendingCounting();
        }
    }
}

void ProgressWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        QMetaObject::invokeMethod(this, &ProgressWindow::startPendingCounting,
                                  Qt::QueuedConnection);
    }
}

void ProgressWindow::startPendingCounting() {
    if (m_countingPending) {
        m_countingPending = false;
        startCounting(filter());
    }
}

void ProgressWindow::waitForCounting() {
    if (m_counting) {
        m_counting->wait();
        m_counting.reset();
    }
}

void ProgressWindow::startCounting(const RecordFilter& filter) {
    waitForCounting();
    const QString path = m_store.path();
    const GameRecordCatalogue& games = m_games;
    const int generation = m_generation;
    m_counting.reset(QThread::create([this, path, &games, filter, generation] {
        GameProgress figures;
        {
            // A connection of the thread's own: the record's log lets it read beside a game.
            RecordStore reader(path, {.readOnly = true});
            if (!reader.open()) {
                RecordQueries(reader.database(), games).addAnswerFigures(filter, figures);
            }
        }
        // Queued to the window's thread; dropped if the window is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, generation, figures = std::move(figures)]() mutable {
                showAnswerFigures(generation, std::move(figures));
            },
            Qt::QueuedConnection);
    }));
    m_counting->start();
}

void ProgressWindow::showAnswerFigures(int generation, GameProgress figures) {
    if (generation != m_generation) {
        return;
    }
    m_progress.classes = std::move(figures.classes);
    m_progress.confusions = std::move(figures.confusions);
    m_progress.missedPhotos = std::move(figures.missedPhotos);
    m_answerFiguresShown = true;
    fillAnswerViews();
    emit answerFiguresCounted();
}

void ProgressWindow::countAnswerFiguresNow() {
    if (m_answerFiguresShown || readsServer() || m_store.open()) {
        return;
    }
    m_countingPending = false;
    GameProgress figures;
    RecordQueries(m_store.database(), m_games).addAnswerFigures(filter(), figures);
    showAnswerFigures(m_generation, std::move(figures));
}

QString ProgressWindow::summaryText() const {
    const RoundTotals& totals = m_progress.totals;
    if (totals.rounds == 0 && totals.answers == 0) {
        return "No rounds of this game in this period.";
    }
    return counted(totals.rounds, "round", "rounds") + " (" + QString::number(totals.abandoned) +
           " abandoned, " + QString::number(totals.practice) + " practice), " +
           counted(totals.answers, "answer", "answers") + ", " +
           percentText(totals.percentRight()) + " right";
}

namespace {

void replaceChart(QChartView* view, QChart* chart) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
    view->setAccessibleName(chart->title());
}

}  // namespace

void ProgressWindow::fillRoundViews() {
    std::vector<QStringList> rounds;
    for (const RoundPoint& point : m_progress.rounds) {
        rounds.push_back({ProgressCharts::localTime(point.startedAt), percentText(point.percent),
                          percentText(point.movingAverage), point.practice ? "yes" : ""});
    }
    m_roundsModel->setRows(std::move(rounds));
    replaceChart(m_roundsChart, ProgressCharts::rounds(m_progress.rounds));
}

void ProgressWindow::fillAnswerViews() {
    std::vector<QStringList> classes;
    for (const ClassFigures& figures : m_progress.classes) {
        classes.push_back({figures.name, QString::number(figures.answers),
                           QString::number(figures.correct), percentText(figures.percentRight())});
    }
    m_classesModel->setRows(std::move(classes));
    std::vector<QStringList> times;
    for (const ClassFigures& figures : ProgressCharts::slowestFirst(m_progress.classes)) {
        times.push_back(
            {figures.name, QString::number(figures.answers), secondsText(figures.meanSeconds())});
    }
    m_timesModel->setRows(std::move(times));
    std::vector<QStringList> confusions;
    for (const Confusion& confusion : m_progress.confusions) {
        confusions.push_back({confusionText(confusion)});
    }
    m_confusionsModel->setRows(std::move(confusions));
    replaceChart(m_classesChart, ProgressCharts::classes(m_progress.classes));
    replaceChart(m_timesChart, ProgressCharts::times(m_progress.classes));
    fillThumbnails();
}

void ProgressWindow::fillThumbnails() {
    for (QToolButton* button : m_thumbnails->findChildren<QToolButton*>()) {
        delete button;
    }
    auto* grid = static_cast<QGridLayout*>(m_thumbnails->layout());
    const auto shown =
        std::min<std::size_t>(m_progress.missedPhotos.size(), std::size_t{kMostThumbnails});
    for (std::size_t i = 0; i < shown; ++i) {
        const MissedPhoto photo = m_progress.missedPhotos[i];
        auto* button = new QToolButton(m_thumbnails);
        const QImage image =
            loadWindowsBitmap(m_games.photoPath(m_applicationDirectory, game(), photo.photo));
        if (!image.isNull()) {
            button->setIcon(QPixmap::fromImage(
                image.scaled(kThumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
            button->setIconSize(kThumbnail);
        }
        const QString missed = QString("missed %1 of %2").arg(photo.missed).arg(photo.shown);
        button->setText(photo.photo + "\n" + missed);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAccessibleName(photo.photo + ", " + missed + " times");
        button->setAccessibleDescription("Opens the photo large");
        button->setFocusPolicy(Qt::StrongFocus);
        connect(button, &QToolButton::clicked, this, [this, photo] { openPhoto(photo); });
        const int index = static_cast<int>(i);
        grid->addWidget(button, index / 3, index % 3);
    }
}

void ProgressWindow::openPhoto(const MissedPhoto& photo) {
    auto* preview = new PhotoPreview(
        m_games.photoPath(m_applicationDirectory, game(), photo.photo),
        QString("Missed %1 of %2 times.").arg(photo.missed).arg(photo.shown), this);
    preview->show();
}

void ProgressWindow::applyDisplayName() {
    if (m_nameEdit->text().trimmed() == m_store.displayName()) {
        return;
    }
    if (const std::optional<RecordProblem> problem = m_store.setDisplayName(m_nameEdit->text())) {
        m_notice.report(*problem);
    }
}

QString ProgressWindow::heading() const {
    const QString whose = !readsServer() ? m_store.trainee()
                          : m_traineeBox->currentData().toString().isEmpty()
                              ? kAllTrainees.toLower()
                              : m_traineeBox->currentText();
    return "Learning record of " + whose + ": " + m_games.title(game()) + ", " +
           m_periodBox->currentText().toLower();
}

void ProgressWindow::exportCsv() {
    const QString name = "nimbara-" + (game().isEmpty() ? QString("record") : game()) + ".csv";
    auto* dialog =
        new QFileDialog(this, kExportCaption, QDir::home().filePath(name), "CSV files (*.csv)");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix("csv");
    // Replacing a file is asked through the program's own boxes.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    connect(dialog, &QFileDialog::fileSelected, this, &ProgressWindow::exportTo);
    dialog->open();
}

bool ProgressWindow::exportTo(const QString& path) {
    const QFileInfo target(path);
    const auto refuse = [&](const QString& why) {
        messageBox(this, "The record cannot be exported to " + path + ": " + why + ".",
                   kExportCaption, MbIcon::Exclamation);
        return false;
    };
    if (target.isSymLink()) {
        return refuse("it is a symbolic link");
    }
    if (target.exists() &&
        messageBox(this, path + " already exists.\nDo you want to replace it?", kExportCaption,
                   MbIcon::Question, MbButtons::YesNo) != MbAnswer::Yes) {
        return false;
    }
    if (const std::optional<RecordProblem> problem = m_store.open()) {
        return refuse(problem->text().section('\n', 0, 0));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return refuse(file.errorString());
    }
    RecordQueries queries(m_store.database(), m_games);
    const QDateTime now = m_clock ? m_clock() : QDateTime::currentDateTimeUtc();
    QString error;
    if (!RecordCsv::write(queries, RecordQueries::since(period(), now), game(), file, error)) {
        file.cancelWriting();
        return refuse(error);
    }
    if (!file.commit()) {
        return refuse(file.errorString());
    }
    return true;
}

QPrinter* ProgressWindow::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return m_printer.get();
}

void ProgressWindow::print() {
    auto* dialog = new QPrintDialog(printer(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this] { printReport(*printer()); });
    dialog->open();  // modal to this window only
}

bool ProgressWindow::printReport(QPrinter& target) {
    countAnswerFiguresNow();
    if (ProgressReport(heading(), summaryText(), m_progress).print(target)) {
        return true;
    }
    messageBox(this, "The report cannot be printed.", "Print", MbIcon::Exclamation);
    return false;
}

}  // namespace nimbara
