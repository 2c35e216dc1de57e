#include "games/core/dissolveorder.h"

#include <numeric>

namespace nimbara {

std::vector<int> dissolveOrder(RandomSource& random) {
    std::vector<int> remaining(kPhotoPixels);
    std::iota(remaining.begin(), remaining.end(), 0);
    std::vector<int> order;
    order.reserve(kPhotoPixels);
    random.seedFromClock();
    for (int i = 0; i < kPhotoPixels; ++i) {
        const std::int64_t left = kPhotoPixels - i;
        const std::int64_t r = ((random.next() % left) + left) % left;
        const auto pick = static_cast<std::size_t>(r);
        order.push_back(remaining[pick]);
        remaining[pick] = remaining[static_cast<std::size_t>(kPhotoPixels - 1 - i)];
    }
    return order;
}

}  // namespace nimbara
