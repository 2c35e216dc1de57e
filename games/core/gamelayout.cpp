#include "games/core/gamelayout.h"

namespace nimbara {

std::vector<int> GameLayout::answerButtonIds() const {
    std::vector<int> ids;
    for (const AnswerBox& box : answerBoxes) {
        for (const ButtonColumn& column : box.columns) {
            for (int row = 0; row < column.count; ++row) {
                ids.push_back(column.firstId + row);
            }
        }
    }
    return ids;
}

}  // namespace nimbara
