#include "games/core/cloudlevels.h"

namespace nimbara {

std::vector<AnswerItem> cloudCodes(int level, int first, int last, bool withX) {
    const std::string& name = kCloudLevelNames.at(static_cast<std::size_t>(level));
    std::vector<AnswerItem> items;
    for (int code = first; code <= last; ++code) {
        const std::string text = name + " " + std::to_string(code);
        items.push_back({text, text});
    }
    if (withX) {
        items.push_back({name + " x", name + " x"});
    }
    return items;
}

std::vector<AnswerBox> cloudLevelBoxes(const std::array<int, kCloudLevels>& boxIds, int boxHeight,
                                       const std::array<int, kCloudLevels>& firstButtonIds,
                                       int buttonsPerLevel) {
    std::vector<AnswerBox> boxes;
    for (std::size_t level = 0; level < kCloudLevels; ++level) {
        const int x = 320 + 54 * static_cast<int>(level);
        boxes.push_back({.title = kCloudLevelNames[level],
                         .id = boxIds[level],
                         .rect = {x, 20, 47, boxHeight},
                         .columns = {{firstButtonIds[level], buttonsPerLevel, x + 10, 28}}});
    }
    return boxes;
}

}  // namespace nimbara
