#include "games/core/dissolveorder.h"
#include "tests/support/scriptedrandom.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace nimbara {
namespace {

bool isPermutation(std::vector<int> order) {
    std::sort(order.begin(), order.end());
    for (int i = 0; i < kPhotoPixels; ++i) {
        if (order[static_cast<std::size_t>(i)] != i) {
            return false;
        }
    }
    return true;
}

TEST(DissolveOrder, CoversEveryPixelOnceAndReseeds) {
    test::ScriptedRandom random({}, 12345);
    const std::vector<int> order = dissolveOrder(random);
    ASSERT_EQ(order.size(), static_cast<std::size_t>(kPhotoPixels));
    EXPECT_TRUE(isPermutation(order));
    EXPECT_EQ(random.seeds(), 1);
}

TEST(DissolveOrder, TakesEachPickFromTheRemainingPositions) {
    // Always drawing 0 takes position 0, then the last position moved into slot 0, and so on.
    test::ScriptedRandom zeros(std::deque<std::int64_t>(kPhotoPixels, 0));
    const std::vector<int> order = dissolveOrder(zeros);
    EXPECT_EQ(order[0], 0);
    EXPECT_EQ(order[1], kPhotoPixels - 1);
    EXPECT_EQ(order[2], kPhotoPixels - 2);
    EXPECT_EQ(order.back(), 1);
}

TEST(DissolveOrder, FaultyValuesStillGiveEveryPixelOnce) {
    std::deque<std::int64_t> script;
    for (int i = 0; i < kPhotoPixels; ++i) {
        script.push_back(i % 2 == 0 ? -7 * i - 1 : 3'000'000'000LL);
    }
    test::ScriptedRandom faulty(std::move(script));
    EXPECT_TRUE(isPermutation(dissolveOrder(faulty)));
}

TEST(DissolveOrder, TheProductionGeneratorShufflesDifferentlyFromTheIdentity) {
    ClockSeededRandom clock;
    const std::vector<int> order = dissolveOrder(clock);
    EXPECT_TRUE(isPermutation(order));
    int inPlace = 0;
    for (int i = 0; i < kPhotoPixels; ++i) {
        inPlace += order[static_cast<std::size_t>(i)] == i ? 1 : 0;
    }
    EXPECT_LT(inPlace, 20);
}

}  // namespace
}  // namespace nimbara
