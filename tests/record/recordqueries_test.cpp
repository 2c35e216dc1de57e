// What the progress window and the practice draw read from the record: totals per period, the
// rounds' scores with their moving average, classes counted per answer group, confusions, the
// photos most often missed and the practice weights.
#include "record/recordqueries.h"
#include "record/recordenvironment.h"
#include "tests/record/recordtestsupport.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::PlayedAnswer;

const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 0), QTimeZone::utc());

class RecordQueriesTest : public testing::Test {
protected:
    RecordQueriesTest() : store(folder.path()) { EXPECT_FALSE(store.open()); }

    RecordQueries queries() { return RecordQueries(store.database(), games); }
    GameProgress progress(const QString& game, RecordPeriod period = RecordPeriod::All,
                          const QString& inPlay = {}) {
        return queries().progress({game, RecordQueries::since(period, kNow), inPlay});
    }
    void play(const QString& game, int daysAgo, const std::vector<PlayedAnswer>& answers,
              bool finish = true) {
        test::writeRound(store, game, kNow.addDays(-daysAgo), answers, finish);
    }
    QString lastRoundId() {
        return test::firstRow(store, "SELECT id FROM rounds ORDER BY started_at DESC").value(0);
    }

    test::RecordFolder folder;
    RecordStore store;
    test::DashSeparatedGames games;
};

// ----------------------------------------------------------------------------------------------
// Totals per period

struct PeriodCase {
    const char* name;
    RecordPeriod period;
    int rounds;
    int abandoned;
    int answers;
    int correct;
};

class PeriodTotals : public RecordQueriesTest, public testing::WithParamInterface<PeriodCase> {};

TEST_P(PeriodTotals, CountRoundsStartedInThePeriod) {
    play("ice1", 2, {{"nilas", "nilas", "ice2.bmp"}, {"shuga", "nilas", "ice3.bmp"}});
    play("ice1", 10, {{"nilas", "nilas", "ice2.bmp"}});
    play("ice1", 40, {{"shuga", "shuga", "ice3.bmp"}}, false);  // cut off by a crash
    play("ice2", 1, {{"shuga", "shuga", "ice2_3.bmp"}});
    const RoundTotals totals = progress("ice1", GetParam().period).totals;
    EXPECT_EQ(totals.rounds, GetParam().rounds);
    EXPECT_EQ(totals.abandoned, GetParam().abandoned);
    EXPECT_EQ(totals.finished, GetParam().rounds - GetParam().abandoned);
    EXPECT_EQ(totals.answers, GetParam().answers);
    EXPECT_EQ(totals.correct, GetParam().correct);
}

INSTANTIATE_TEST_SUITE_P(Periods, PeriodTotals,
                         testing::Values(PeriodCase{"last_7_days", RecordPeriod::Week, 1, 0, 2, 1},
                                         PeriodCase{"last_30_days", RecordPeriod::Month, 2, 0, 3,
                                                    2},
                                         PeriodCase{"all", RecordPeriod::All, 3, 1, 4, 3}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(RecordQueriesTest, OpenRoundInPlayIsNotAbandoned) {
    play("ice1", 0, {{"nilas", "nilas", "ice2.bmp"}}, false);
    EXPECT_EQ(progress("ice1").totals.abandoned, 1);
    EXPECT_EQ(progress("ice1", RecordPeriod::All, lastRoundId()).totals.abandoned, 0);
}

TEST_F(RecordQueriesTest, RoundsCarryAMovingAverageOfTheLastFive) {
    const std::vector<int> rights = {0, 1, 2, 1, 0, 2, 2};  // of two answers each
    for (std::size_t i = 0; i < rights.size(); ++i) {
        std::vector<PlayedAnswer> answers;
        for (int a = 0; a < 2; ++a) {
            answers.push_back({"nilas", a < rights[i] ? "nilas" : "shuga", "ice2.bmp"});
        }
        play("ice1", static_cast<int>(rights.size() - i), answers);
    }
    std::vector<int> percents;
    std::vector<double> averages;
    for (const RoundPoint& point : progress("ice1").rounds) {
        percents.push_back(point.percent);
        averages.push_back(point.movingAverage);
    }
    EXPECT_EQ(percents, (std::vector<int>{0, 50, 100, 50, 0, 100, 100}));
    EXPECT_EQ(averages, (std::vector<double>{0, 25, 50, 50, 40, 60, 70}));
}

// ----------------------------------------------------------------------------------------------
// Classes and confusions

TEST_F(RecordQueriesTest, SeveralGroupsAreCountedPartByPart) {
    play("clouds-normal", 1,
         {{"Cl 4 - Cm 0 - Ch 4", "Cl 8 - Cm 0 - Ch 4", "cloud2.bmp", 10},
          {"Cl 4 - Cm 0 - Ch 4", "Cl 8 - Cm 0 - Ch 2", "cloud17.bmp", 20},
          {"Cl 4 - Cm 4 - Ch 0", "Cl 4 - Cm 4 - Ch 0", "cloud26.bmp", 6}});
    const GameProgress seen = progress("clouds-normal");
    std::vector<std::tuple<QString, int, int, double>> classes;
    for (const ClassFigures& c : seen.classes) {
        classes.emplace_back(c.name, c.answers, c.correct, c.meanSeconds());
    }
    EXPECT_EQ(classes, (std::vector<std::tuple<QString, int, int, double>>{{"Cl 4", 3, 1, 12},
                                                                           {"Ch 4", 2, 1, 15},
                                                                           {"Ch 0", 1, 1, 6},
                                                                           {"Cm 0", 2, 2, 15},
                                                                           {"Cm 4", 1, 1, 6}}));
    std::vector<std::tuple<QString, QString, int>> confusions;
    for (const Confusion& c : seen.confusions) {
        confusions.emplace_back(c.right, c.given, c.times);
    }
    EXPECT_EQ(confusions, (std::vector<std::tuple<QString, QString, int>>{{"Cl 4", "Cl 8", 2},
                                                                          {"Ch 4", "Ch 2", 1}}));
    EXPECT_EQ(seen.totals.correct, 1);
}

TEST_F(RecordQueriesTest, ManyDistinctAnswersAreAllSplit) {
    std::vector<PlayedAnswer> answers;
    for (int sky = 0; sky < 400; ++sky) {
        const QString right =
            QString("Cl %1 - Cm %2 - Ch %3").arg(sky % 10).arg(sky / 10 % 10).arg(sky / 100);
        answers.push_back({right, QString(right).replace(3, 1, QString::number(sky % 7)),
                           QString("cloud%1.bmp").arg(sky % 95)});
    }
    play("clouds-normal", 1, answers);
    int classAnswers = 0;
    for (const ClassFigures& figures : progress("clouds-normal").classes) {
        EXPECT_TRUE(QRegularExpression("^C[lmh] \\d$").match(figures.name).hasMatch())
            << figures.name.toStdString();
        classAnswers += figures.answers;
    }
    EXPECT_EQ(classAnswers, 3 * 400);
}

TEST_F(RecordQueriesTest, ConfusionsMostFrequentFirstAndPhotosMostOftenMissed) {
    play("ice1", 1,
         {{"nilas", "shuga", "ice2.bmp"},
          {"nilas", "shuga", "ice2.bmp"},
          {"nilas", "shuga", "ice9.bmp"},
          {"brash ice", "nilas", "ice4.bmp"},
          {"brash ice", "brash ice", "ice4.bmp"},
          {"shuga", "shuga", "ice3.bmp"}});
    const GameProgress seen = progress("ice1");
    std::vector<std::tuple<QString, QString, int>> confusions;
    for (const Confusion& c : seen.confusions) {
        confusions.emplace_back(c.right, c.given, c.times);
    }
    EXPECT_EQ(confusions, (std::vector<std::tuple<QString, QString, int>>{
                              {"nilas", "shuga", 3}, {"brash ice", "nilas", 1}}));
    std::vector<std::tuple<QString, int, int>> missed;
    for (const MissedPhoto& p : seen.missedPhotos) {
        missed.emplace_back(p.photo, p.missed, p.shown);
    }
    EXPECT_EQ(missed, (std::vector<std::tuple<QString, int, int>>{
                          {"ice2.bmp", 2, 2}, {"ice9.bmp", 1, 1}, {"ice4.bmp", 1, 2}}));
    QStringList byPercent;
    for (const ClassFigures& c : seen.classes) {
        byPercent << c.name;
    }
    EXPECT_EQ(byPercent, (QStringList{"nilas", "brash ice", "shuga"}));
}

// ----------------------------------------------------------------------------------------------
// Practice weights

TEST_F(RecordQueriesTest, WeakestClassWeighsMostAndNoneWeighsNothing) {
    games.classesOf["ice1"] = {"nilas", "shuga", "brash ice", "pancake ice"};
    play("ice1", 1,
         {{"nilas", "shuga", "ice2.bmp"},
          {"nilas", "nilas", "ice2.bmp"},
          {"shuga", "shuga", "ice3.bmp"},
          {"brash ice", "nilas", "ice4.bmp"}});
    std::vector<std::pair<QString, double>> weights;
    for (const ClassWeight& w : queries().practiceWeights("ice1")) {
        weights.emplace_back(w.name, w.weight);
    }
    EXPECT_EQ(weights, (std::vector<std::pair<QString, double>>{
                           {"nilas", 5.5}, {"shuga", 1}, {"brash ice", 10}, {"pancake ice", 10}}));
}

TEST_F(RecordQueriesTest, PlayedGamesMostRecentFirst) {
    play("ice2", 5, {});
    play("clouds-easy", 1, {});
    play("ice1", 3, {});
    play("ice2", 9, {});
    EXPECT_EQ(queries().playedGames(), (QStringList{"clouds-easy", "ice1", "ice2"}));
}

}  // namespace
}  // namespace nimbara
