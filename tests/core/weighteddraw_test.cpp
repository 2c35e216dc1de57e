// The practice draw: photos weighted by their classes, without repetition in a round, every class
// still possible; and the draw of the rounds from the Games menu left as it was.
#include "games/core/weighteddraw.h"
#include "games/core/answerclock.h"
#include "games/core/gamecatalogue.h"
#include "games/core/gameround.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace nimbara {
namespace {

// A generator seeded once: reseeding from the clock is ignored, so that rounds go on through one
// reproducible sequence.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(unsigned seed) : m_engine(seed) {}
    void seedFromClock() override {}
    std::int64_t next() override { return static_cast<std::int64_t>(m_engine() >> 1); }

private:
    std::mt19937 m_engine;
};

const GameRules& rulesOf(std::string_view game) {
    return *findGame(game)->rules;
}

// The file names of a round of ten drawn with draw.
std::vector<std::string> playRound(const GameRules& rules, RandomSource& random,
                                   const PhotoDraw& draw) {
    GameRound round(rules, random, draw);
    std::vector<std::string> photos;
    while (!round.roundOver()) {
        EXPECT_TRUE(round.drawNextPhoto().empty());
        photos.push_back(round.fileName());
    }
    return photos;
}

// The class names of photo's right answer, one per answer group.
std::vector<std::string> classNames(const GameRules& rules, const PhotoId& photo) {
    std::vector<std::string> names;
    const Choice right = rules.rightChoice(photo);
    for (std::size_t group = 0; group < right.size(); ++group) {
        names.push_back(
            rules.answerGroups()[group].items.at(static_cast<std::size_t>(right[group])).name);
    }
    return names;
}

struct PracticeCase {
    const char* game;
    std::vector<std::string> weakClasses;  // weigh 10, every other class 1
    friend void PrintTo(const PracticeCase& row, std::ostream* out) { *out << row.game; }
};

class PracticeDrawTest : public testing::TestWithParam<PracticeCase> {
protected:
    static constexpr int kRounds = 1000;

    const GameRules& rules() const { return rulesOf(GetParam().game); }
    WeightedDraw::ClassWeights weights() const {
        WeightedDraw::ClassWeights weights;
        for (const AnswerGroup& group : rules().answerGroups()) {
            for (const AnswerItem& item : group.items) {
                weights[item.name] = 1;
            }
        }
        for (const std::string& weak : GetParam().weakClasses) {
            weights[weak] = 10;
        }
        return weights;
    }
    // The file names of the photos that show a weak class.
    std::set<std::string> weakPhotos() const {
        std::set<std::string> weak;
        for (const PhotoId& photo : rules().allPhotos()) {
            for (const std::string& name : classNames(rules(), photo)) {
                if (std::ranges::find(GetParam().weakClasses, name) !=
                    GetParam().weakClasses.end()) {
                    weak.insert(rules().fileName(photo));
                }
            }
        }
        return weak;
    }
    // The share of kRounds rounds drawn with draw whose first photo shows a weak class. Checks
    // that no round repeats a photo, and counts in seen how often each photo came up.
    double weakFirst(const PhotoDraw& draw, std::map<std::string, int>* seen = nullptr) {
        const std::set<std::string> weak = weakPhotos();
        SeededRandom random(2026);
        int weakCount = 0;
        for (int round = 0; round < kRounds; ++round) {
            const std::vector<std::string> photos = playRound(rules(), random, draw);
            EXPECT_EQ(std::set<std::string>(photos.begin(), photos.end()).size(), photos.size())
                << "a photo came up twice in round " << round;
            weakCount += weak.contains(photos.front()) ? 1 : 0;
            if (seen != nullptr) {
                for (const std::string& photo : photos) {
                    ++(*seen)[photo];
                }
            }
        }
        return static_cast<double>(weakCount) / kRounds;
    }
};

TEST_P(PracticeDrawTest, PrefersTheWeakClassesWithoutRepetitionAndLeavesEveryClassPossible) {
    const WeightedDraw practice(rules(), weights());
    std::map<std::string, int> seen;
    const double practiced = weakFirst(practice, &seen);
    const double uniform = weakFirst(PhotoDraw::gamesOwn());
    // A photo comes first with the share of its weight in the total weight.
    double weakWeight = 0;
    double total = 0;
    const std::set<std::string> weak = weakPhotos();
    const std::vector<PhotoId> photos = rules().allPhotos();
    for (std::size_t photo = 0; photo < photos.size(); ++photo) {
        total += practice.photoWeights()[photo];
        weakWeight +=
            weak.contains(rules().fileName(photos[photo])) ? practice.photoWeights()[photo] : 0;
    }
    EXPECT_NEAR(practiced, weakWeight / total, 0.05);
    EXPECT_NEAR(uniform, static_cast<double>(weak.size()) / static_cast<double>(photos.size()),
                0.05);
    EXPECT_GT(practiced, 2 * uniform)
        << "rounds opening on a weak class: practice " << practiced << ", uniform " << uniform;
    std::set<std::string> classesSeen;
    for (const PhotoId& photo : rules().allPhotos()) {
        if (seen.contains(rules().fileName(photo))) {
            for (const std::string& name : classNames(rules(), photo)) {
                classesSeen.insert(name);
            }
        }
    }
    std::set<std::string> allClasses;
    for (const PhotoId& photo : rules().allPhotos()) {
        for (const std::string& name : classNames(rules(), photo)) {
            allClasses.insert(name);
        }
    }
    EXPECT_EQ(classesSeen, allClasses) << "every class still comes up";
}

INSTANTIATE_TEST_SUITE_P(Games, PracticeDrawTest,
                         testing::Values(PracticeCase{"ice1", {"nilas", "shuga"}},
                                         PracticeCase{"seastate-UK", {"Bf 3", "Bf 4"}},
                                         PracticeCase{"clouds-normal", {"Cl 8"}}),
                         [](const testing::TestParamInfo<PracticeCase>& row) {
                             std::string name = row.param.game;
                             std::erase(name, '-');
                             return name;
                         });

struct WeightCase {
    const char* name;
    const char* game;
    WeightedDraw::ClassWeights weights;
    PhotoId photo;
    double expected;
};

class PhotoWeightTest : public testing::TestWithParam<WeightCase> {};

TEST_P(PhotoWeightTest, APhotoWeighsAsItsHeaviestClass) {
    const GameRules& rules = rulesOf(GetParam().game);
    const WeightedDraw draw(rules, GetParam().weights);
    const std::vector<PhotoId> photos = rules.allPhotos();
    const auto found = std::find(photos.begin(), photos.end(), GetParam().photo);
    ASSERT_NE(found, photos.end());
    EXPECT_DOUBLE_EQ(draw.photoWeights().at(static_cast<std::size_t>(found - photos.begin())),
                     GetParam().expected);
}

// ice1's photo 0 is a bergy bit; clouds-normal's sky 2 is Cl 4 - Cm 0 - Ch 4.
INSTANTIATE_TEST_SUITE_P(
    Weights, PhotoWeightTest,
    testing::Values(
        WeightCase{"OneGroup", "ice1", {{"bery bit", 7}, {"nilas", 2}}, {"0"}, 7},
        WeightCase{
            "UnnamedClassWeighsAsTheHeaviest", "ice1", {{"nilas", 2}, {"shuga", 9}}, {"0"}, 9},
        WeightCase{"ZeroCountsAsTheLightest",
                   "ice1",
                   {{"bery bit", 0}, {"nilas", 2}, {"shuga", 9}},
                   {"0"},
                   2},
        WeightCase{
            "NegativeCountsAsTheLightest", "ice1", {{"bery bit", -3}, {"nilas", 4}}, {"0"}, 4},
        WeightCase{"NoWeightsAtAllMakeItUniform", "ice1", {}, {"0"}, 1},
        WeightCase{"OnlyInvalidWeightsMakeItUniform", "ice1", {{"bery bit", 0}}, {"0"}, 1},
        WeightCase{"SkyTakesItsWeakestCode",
                   "clouds-normal",
                   {{"Cl 4", 3}, {"Cm 0", 1}, {"Ch 4", 8}, {"Cl 8", 10}},
                   {"2"},
                   8}),
    [](const testing::TestParamInfo<WeightCase>& row) { return row.param.name; });

// The photos of the first round of each game, drawn with the game's own draw from a generator
// seeded with 2026, as the rounds from the Games menu have always drawn them.
TEST(UniformDrawTest, TheGamesOwnDrawIsUnchanged) {
    const std::map<std::string, std::vector<std::string>> expected = {
        {"ice1",
         {"ice16.bmp", "ice9.bmp", "ice7.bmp", "ice6.bmp", "ice10.bmp", "ice8.bmp", "ice3.bmp",
          "ice2.bmp", "ice14.bmp", "ice15.bmp"}},
        {"clouds-normal",
         {"cloud87.bmp", "cloud22.bmp", "cloud84.bmp", "cloud38.bmp", "cloud75.bmp", "cloud88.bmp",
          "cloud48.bmp", "cloud50.bmp", "cloud5.bmp", "cloud34.bmp"}},
        {"seastate-UK",
         {"Bf10.bmp", "Bf11.bmp", "Bf3.bmp", "Bf9.bmp", "Bf5.bmp", "Bf12.bmp", "Bf0.bmp", "Bf2.bmp",
          "Bf1.bmp", "Bf4.bmp"}},
    };
    for (const auto& [game, photos] : expected) {
        SeededRandom random(2026);
        const std::vector<std::string> drawn =
            playRound(rulesOf(game), random, PhotoDraw::gamesOwn());
        EXPECT_EQ(drawn, photos) << game;
        SeededRandom same(2026);
        GameRound round(rulesOf(game), same);
        std::vector<std::string> byDefault;
        while (!round.roundOver()) {
            round.drawNextPhoto();
            byDefault.push_back(round.fileName());
        }
        EXPECT_EQ(byDefault, drawn) << "a round without a draw given draws the game's own way";
    }
}

TEST(AnswerClockTest, CountsOnlyWhileThePhotoIsFullyShown) {
    using namespace std::chrono_literals;
    AnswerClock::TimePoint now{};
    AnswerClock clock([&now] { return now; });
    now += 5s;  // the first dissolve
    EXPECT_EQ(clock.seconds(), 0);
    clock.run();
    now += 2s;
    clock.run();  // running already: goes on from where it started
    now += 1s;
    EXPECT_EQ(clock.seconds(), 3);
    clock.stop();  // the window was covered: the photo dissolves in again
    now += 4s;
    clock.stop();
    EXPECT_EQ(clock.seconds(), 3);
    clock.run();
    now += 1500ms;
    EXPECT_DOUBLE_EQ(clock.seconds(), 4.5);
    clock.reset();  // the next photo
    now += 1s;
    EXPECT_EQ(clock.seconds(), 0);
}

}  // namespace
}  // namespace nimbara
