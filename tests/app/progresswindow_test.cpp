// The progress window on a real record: what it shows per game and period, its tables, the
// missed photos, the keyboard, the practice request, the CSV export and the printed page, the
// trainee's name; and the one box per run for the record's problems.
#include "app/progresswindow.h"
#include "app/gamerecordcatalogue.h"
#include "app/photopreview.h"
#include "app/recordproblemnotice.h"
#include "app/recordsession.h"
#include "app/recordtablemodel.h"
#include "record/recordenvironment.h"
#include "record/recordstore.h"
#include "tests/record/recordtestsupport.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/testfiles.h"

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::PlayedAnswer;

const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 0), QTimeZone::utc());

QStringList column(const RecordTableModel* model, int column) {
    QStringList texts;
    for (const QStringList& row : model->rows()) {
        texts << row.value(column);
    }
    return texts;
}

class ProgressWindowTest : public testing::Test {
protected:
    ProgressWindowTest() : store(folder.path()) {
        EXPECT_FALSE(store.open());
        for (const char* photo : {"cloud2.bmp", "cloud17.bmp", "cloud26.bmp"}) {
            dir.writePhoto(QString("games/clouds/") + photo, QColor(90, 140, 200));
        }
        // Clouds, normal: two finished rounds this week, one last month.
        play(1, {{"Cl 4 - Cm 0 - Ch 4", "Cl 8 - Cm 0 - Ch 4", "cloud2.bmp", 10},
                 {"Cl 4 - Cm 0 - Ch 4", "Cl 8 - Cm 0 - Ch 2", "cloud17.bmp", 20},
                 {"Cl 4 - Cm 4 - Ch 0", "Cl 4 - Cm 4 - Ch 0", "cloud26.bmp", 6}});
        play(2, {{"Cl 4 - Cm 0 - Ch 4", "Cl 8 - Cm 0 - Ch 4", "cloud2.bmp", 8}});
        play(20, {{"Cl 4 - Cm 4 - Ch 0", "Cl 4 - Cm 4 - Ch 0", "cloud26.bmp", 4}});
        test::writeRound(store, "ice1", kNow.addDays(-30), {{"nilas", "nilas", "ice2.bmp"}});
    }
    ~ProgressWindowTest() override {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            widget->close();
        }
    }

    void waitForAnswerFigures() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return window->answerFiguresShown(); }, 20000));
    }
    void play(int daysAgo, const std::vector<PlayedAnswer>& answers) {
        test::writeRound(store, "clouds-normal", kNow.addDays(-daysAgo), answers);
    }
    ProgressWindow* open() {
        window = std::make_unique<ProgressWindow>(
            store, games, notice, dir.path(), [] { return QString(); }, [] { return kNow; });
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        waitForAnswerFigures();
        return window.get();
    }
    template <typename T>
    T* child(const QString& accessibleName) const {
        for (T* found : window->findChildren<T*>()) {
            if (found->accessibleName() == accessibleName) {
                return found;
            }
        }
        ADD_FAILURE() << "no " << accessibleName.toStdString();
        return nullptr;
    }
    const RecordTableModel* model(const QString& tableName) const {
        QTableView* table = child<QTableView>(tableName);
        return table ? qobject_cast<const RecordTableModel*>(table->model()) : nullptr;
    }
    QPushButton* button(const QString& text) const {
        for (QPushButton* found : window->findChildren<QPushButton*>()) {
            if (found->text() == text) {
                return found;
            }
        }
        ADD_FAILURE() << "no button " << text.toStdString();
        return nullptr;
    }

    test::AppDirFixture dir;
    test::RecordFolder folder;
    test::MessageBoxRecorder boxes;
    RecordStore store;
    GameRecordCatalogue games;
    RecordProblemNotice notice;
    std::unique_ptr<ProgressWindow> window;
};

TEST_F(ProgressWindowTest, OpensOnTheLastGamePlayedWithItsTables) {
    open();
    EXPECT_EQ(window->game(), "clouds-normal");
    EXPECT_EQ(window->summaryText(), "3 rounds (0 abandoned, 0 practice), 5 answers, 40 % right");
    const RecordTableModel* classes = model("Classes by percent right");
    ASSERT_NE(classes, nullptr);
    EXPECT_EQ(classes->rows(), (std::vector<QStringList>{{"Cl 4", "5", "2", "40 %"},
                                                         {"Ch 4", "3", "2", "67 %"},
                                                         {"Ch 0", "2", "2", "100 %"},
                                                         {"Cm 0", "3", "3", "100 %"},
                                                         {"Cm 4", "2", "2", "100 %"}}));
    EXPECT_EQ(column(model("Confusions, most frequent first"), 0),
              (QStringList{"Cl 4 taken for Cl 8: 3 times", "Ch 4 taken for Ch 2: 1 time"}));
    EXPECT_EQ(column(model("Answer times per class"), 0),
              (QStringList{"Ch 4", "Cm 0", "Cl 4", "Ch 0", "Cm 4"}));
    EXPECT_EQ(column(model("Answer times per class"), 2),
              (QStringList{"12.7", "12.7", "9.6", "5.0", "5.0"}));
    EXPECT_EQ(column(model("Rounds"), 1), (QStringList{"100 %", "0 %", "33 %"}));
    EXPECT_EQ(column(model("Rounds"), 2), (QStringList{"100 %", "50 %", "44 %"}));
    EXPECT_TRUE(boxes.boxes().empty());
}

struct PeriodRow {
    const char* name;
    RecordPeriod period;
    const char* summary;
    QStringList classAnswers;  // answers per class, weakest class first
};

class ProgressWindowPeriods : public ProgressWindowTest,
                              public testing::WithParamInterface<PeriodRow> {};

TEST_P(ProgressWindowPeriods, SummaryCountsThePeriod) {
    open();
    window->setPeriod(GetParam().period);
    EXPECT_EQ(window->summaryText(), GetParam().summary);
    waitForAnswerFigures();
    EXPECT_EQ(column(model("Classes by percent right"), 1), GetParam().classAnswers);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProgressWindowPeriods,
    testing::Values(PeriodRow{"last_7_days",
                              RecordPeriod::Week,
                              "2 rounds (0 abandoned, 0 practice), 4 answers, 25 % right",
                              {"4", "3", "1", "3", "1"}},
                    PeriodRow{"last_30_days",
                              RecordPeriod::Month,
                              "3 rounds (0 abandoned, 0 practice), 5 answers, 40 % right",
                              {"5", "3", "2", "3", "2"}},
                    PeriodRow{"all",
                              RecordPeriod::All,
                              "3 rounds (0 abandoned, 0 practice), 5 answers, 40 % right",
                              {"5", "3", "2", "3", "2"}}),
    [](const testing::TestParamInfo<PeriodRow>& row) { return std::string(row.param.name); });

TEST_F(ProgressWindowTest, GameWithoutRoundsSaysSo) {
    open();
    window->showGame("seastate-GE");
    EXPECT_EQ(window->summaryText(), "No rounds of this game in this period.");
    EXPECT_TRUE(model("Rounds")->rows().empty());
}

TEST_F(ProgressWindowTest, MissedPhotoThumbnailOpensThePhotoLargeFromTheKeyboard) {
    open();
    QStringList names;
    for (QToolButton* thumbnail : window->findChildren<QToolButton*>()) {
        if (thumbnail->accessibleDescription() == "Opens the photo large") {
            names << thumbnail->accessibleName();
        }
    }
    EXPECT_EQ(names,
              (QStringList{"cloud2.bmp, missed 2 of 2 times", "cloud17.bmp, missed 1 of 1 times"}));
    auto* thumbnail = child<QToolButton>("cloud2.bmp, missed 2 of 2 times");
    ASSERT_NE(thumbnail, nullptr);
    EXPECT_EQ(thumbnail->iconSize(), QSize(160, 100));
    window->findChild<QTabWidget*>()->setCurrentIndex(2);
    thumbnail->setFocus();
    QTest::keyClick(thumbnail, Qt::Key_Space);
    auto* preview = window->findChild<PhotoPreview*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(preview));
    EXPECT_EQ(preview->windowTitle(), "cloud2.bmp");
    QLabel* photo = nullptr;
    for (QLabel* label : preview->findChildren<QLabel*>()) {
        if (label->accessibleName() == "cloud2.bmp") {
            photo = label;
        }
    }
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->pixmap().size(), QSize(800, 500));
    QPointer<PhotoPreview> watched(preview);
    QTest::keyClick(preview, Qt::Key_Escape);
    EXPECT_TRUE(watched.isNull() || !watched->isVisible());
}

TEST_F(ProgressWindowTest, TabReachesEveryControlAndNoPlot) {
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->findChild<QComboBox*>()->setFocus();
    QStringList visited;
    for (int presses = 0; presses < 20; ++presses) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(qobject_cast<QChartView*>(focus), nullptr);
        const QString name = !focus->accessibleName().isEmpty() ? focus->accessibleName()
                             : qobject_cast<QPushButton*>(focus)
                                 ? qobject_cast<QPushButton*>(focus)->text()
                                 : focus->metaObject()->className();
        if (visited.contains(name)) {
            break;
        }
        visited << name;
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (QStringList{"Game", "Period", "Your name in the record", "QTabBar",
                                    "Rounds", "&Practise my weak classes", "&Export to CSV...",
                                    "Pr&int...", "&Close"}));
}

TEST_F(ProgressWindowTest, PractiseAsksForARoundOfTheGameShown) {
    open();
    QSignalSpy requests(window.get(), &ProgressWindow::practiceRequested);
    button("&Practise my weak classes")->click();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0][0].toString(), "clouds-normal");
}

TEST_F(ProgressWindowTest, ExportWritesTheViewThroughTheSaveDialog) {
    open();
    window->setPeriod(RecordPeriod::Week);
    button("&Export to CSV...")->click();
    auto* dialog = window->findChild<QFileDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    const QString path = folder.path("week.csv");
    dialog->selectFile(path);
    QMetaObject::invokeMethod(dialog, "accept");  // as its Save button does
    const QList<QByteArray> lines = test::readFileBytes(path).split('\n');
    ASSERT_EQ(lines.size(), 6);  // header, four answers, and the end of the last line
    EXPECT_EQ(lines[0],
              "answered_at,trainee,game,round,practice,photo,right_answer,given_answer,"
              "correct,seconds\r");
    EXPECT_TRUE(lines[1].startsWith("2026-12-05T12:01:00.000Z,ann,clouds-normal,"));
    EXPECT_TRUE(lines[1].endsWith(",0,cloud2.bmp,Cl 4 - Cm 0 - Ch 4,Cl 8 - Cm 0 - Ch 4,0,8.000\r"));
}

struct ReplaceRow {
    const char* name;
    MbAnswer answer;
    bool replaced;
};

class ProgressWindowReplace : public ProgressWindowTest,
                              public testing::WithParamInterface<ReplaceRow> {};

TEST_P(ProgressWindowReplace, ExportOverAFileAsksFirst) {
    open();
    const QString path = folder.path("answers.csv");
    test::writeFileBytes(path, "mine");
    boxes.answerNext(GetParam().answer);
    EXPECT_EQ(window->exportTo(path), GetParam().replaced);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, path + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(boxes.boxes()[0].caption, "Export to CSV");
    EXPECT_EQ(boxes.boxes()[0].buttons, MbButtons::YesNo);
    EXPECT_EQ(test::readFileBytes(path) == "mine", !GetParam().replaced);
}

INSTANTIATE_TEST_SUITE_P(Rows, ProgressWindowReplace,
                         testing::Values(ReplaceRow{"no_keeps_it", MbAnswer::No, false},
                                         ReplaceRow{"yes_replaces_it", MbAnswer::Yes, true}),
                         [](const testing::TestParamInfo<ReplaceRow>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(ProgressWindowTest, ExportRefusesASymbolicLink) {
    open();
    test::writeFileBytes(folder.path("target.csv"), "kept");
    QFile::link(folder.path("target.csv"), folder.path("link.csv"));
    EXPECT_FALSE(window->exportTo(folder.path("link.csv")));
    EXPECT_EQ(boxes.texts(), QStringList{"The record cannot be exported to " +
                                         folder.path("link.csv") + ": it is a symbolic link."});
    EXPECT_EQ(test::readFileBytes(folder.path("target.csv")), "kept");
}

int pdfPages(const QByteArray& pdf) {
    return static_cast<int>(pdf.count("/Type /Page") - pdf.count("/Type /Pages"));
}

TEST_F(ProgressWindowTest, PrintDialogPrintsTheViewOnOnePage) {
    open();
    const QString pdf = folder.path("report.pdf");
    window->printer()->setOutputFormat(QPrinter::PdfFormat);
    window->printer()->setOutputFileName(pdf);
    button("Pr&int...")->click();
    auto* dialog = window->findChild<QPrintDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    dialog->accept();
    const QByteArray printed = test::readFileBytes(pdf);
    EXPECT_TRUE(printed.startsWith("%PDF-"));
    EXPECT_EQ(pdfPages(printed), 1);
}

TEST_F(ProgressWindowTest, DisplayNameIsKeptForTheNextRounds) {
    open();
    auto* name = window->findChild<QLineEdit*>();
    EXPECT_EQ(name->placeholderText(), loginName());
    name->setFocus();
    QTest::keyClicks(name, "Ann Lee");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(store.displayName(), "Ann Lee");
    EXPECT_EQ(store.trainee(), "Ann Lee");
}

TEST_F(ProgressWindowTest, SyncStatusLineShowsOnlyWithText) {
    open();
    QLabel* status = nullptr;
    window->setSyncStatus("12 answers waiting; last copied 14:02");
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text() == "12 answers waiting; last copied 14:02") {
            status = label;
        }
    }
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->isVisible());
    window->setSyncStatus("");
    EXPECT_FALSE(status->isVisible());
}

// ----------------------------------------------------------------------------------------------
// The session: one box per run

TEST(RecordSessionTest, ProblemsOfARunGetOneBox) {
    test::AppDirFixture dir;
    test::RecordFolder folder;
    test::writeFileBytes(folder.path("nimbara"), "x");  // the record's folder cannot be made
    test::MessageBoxRecorder boxes;
    RecordSession session(dir.path(), folder.path());
    RoundListener& listener = session.listener();
    listener.roundStarted("ice1", false);
    listener.answerJudged({"ice2.bmp", "nilas", "nilas", true, 2});
    listener.roundFinished(100, "(expert)");
    listener.roundStarted("ice1", false);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "The learning record cannot be written (file: " +
                                         folder.path() + "): its folder " + folder.path("nimbara") +
                                         " cannot be created.\nThe game goes on; its answers are "
                                         "not recorded.");
    EXPECT_EQ(boxes.boxes()[0].caption, "Nimbara learning record");
    EXPECT_EQ(boxes.boxes()[0].icon, MbIcon::Exclamation);
}

TEST(RecordSessionTest, RoundsReachTheWindowAndItsPracticeRequest) {
    test::AppDirFixture dir;
    test::RecordFolder folder;
    test::MessageBoxRecorder boxes;
    RecordSession session(dir.path(), folder.path());
    session.listener().roundStarted("seastate-UK", false);
    session.listener().answerJudged({"Bf3.bmp", "Bf 3", "Bf 4", false, 6.5});
    session.listener().answerJudged({"Bf5.bmp", "Bf 5", "Bf 5", true, 3});
    ProgressWindow* window = session.openProgressWindow();
    EXPECT_EQ(window->game(), "seastate-UK");
    EXPECT_EQ(window->summaryText(), "1 round (0 abandoned, 0 practice), 2 answers, 50 % right");
    std::vector<std::pair<QString, double>> weights;
    for (const ClassWeight& weight : session.practiceWeights("seastate-UK")) {
        weights.emplace_back(weight.name, weight.weight);
    }
    EXPECT_EQ(weights.size(), 13u);
    EXPECT_EQ(weights[3], (std::pair<QString, double>{"Bf 3", 10}));  // always wrong
    EXPECT_EQ(weights[4], (std::pair<QString, double>{"Bf 4", 10}));  // never shown
    EXPECT_EQ(weights[5], (std::pair<QString, double>{"Bf 5", 1}));   // always right
    QSignalSpy requests(&session, &RecordSession::practiceRequested);
    emit window->practiceRequested("seastate-UK");
    EXPECT_EQ(requests.size(), 1);
    session.listener().roundFinished(50, "(novice)");  // the window follows
    EXPECT_EQ(window->summaryText(), "1 round (0 abandoned, 0 practice), 2 answers, 50 % right");
    session.listener().roundStarted("seastate-UK", false);
    session.listener().roundAbandoned();
    EXPECT_EQ(window->summaryText(), "2 rounds (1 abandoned, 0 practice), 2 answers, 50 % right");
    window->close();
    EXPECT_TRUE(boxes.boxes().empty());
}

// ----------------------------------------------------------------------------------------------
// The games as the record sees them

struct PartsRow {
    const char* name;
    const char* game;
    const char* answer;
    QStringList parts;
};

class CatalogueParts : public testing::TestWithParam<PartsRow> {};

TEST_P(CatalogueParts, SplitAnswersByTheirGroups) {
    const GameRecordCatalogue games;
    EXPECT_EQ(games.answerParts(GetParam().game, GetParam().answer), GetParam().parts);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CatalogueParts,
    testing::Values(
        PartsRow{"whole_sky", "clouds-normal", "Cl 2 - Cm 6 - Ch 0", {"Cl 2", "Cm 6", "Ch 0"}},
        PartsRow{"cloud_type", "clouds-easy", "Cm 4", {"Cm 4"}},
        PartsRow{"ice", "ice1", "brash ice", {"brash ice"}},
        PartsRow{"beaufort", "seastate-UK", "Bf 7", {"Bf 7"}},
        PartsRow{"unknown_game", "chess", "e4 - e5", {"e4 - e5"}}),
    [](const testing::TestParamInfo<PartsRow>& row) { return std::string(row.param.name); });

TEST(GameRecordCatalogueTest, ClassesOfTheWholeSkyGameAreItsCodesGroupByGroup) {
    const GameRecordCatalogue games;
    const QStringList classes = games.classes("clouds-normal");
    EXPECT_EQ(classes.filter(QRegularExpression("^Cl ")),
              (QStringList{"Cl 0", "Cl 1", "Cl 2", "Cl 3", "Cl 4", "Cl 5", "Cl 6", "Cl 7", "Cl 8",
                           "Cl 9"}));
    EXPECT_EQ(classes.first(), "Cl 0");
    EXPECT_EQ(classes.last(), "Ch x");
    EXPECT_EQ(games.classes("seastate-UK").size(), 13);
    EXPECT_EQ(games.photoPath("/app", "clouds-normal", "cloud7.bmp"),
              "/app/games/clouds/cloud7.bmp");
}

}  // namespace
}  // namespace nimbara
