#pragma once

#include <string>
#include <vector>

namespace nimbara {

// A rectangle of a dialog template, in dialog units.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A column of answer buttons with consecutive template ids, one row each from the top row down.
struct ButtonColumn {
    int firstId = 0;
    int count = 0;
    int x = 0;
    int width = 0;
};

// A group box around columns of answer buttons. A box with an id is greyed together with its
// buttons when the photo on show offers none of them.
struct AnswerBox {
    std::string title;
    int id = -1;  // -1 for a box that the game never addresses
    DialogRect rect;
    std::vector<ButtonColumn> columns;
};

// The "Score" group box and the centred score line inset in it.
struct ScoreBox {
    DialogRect rect;
    int lineId = 0;
    int lineWidth = 0;
};

// The left-aligned remark lines under the photo, first line first.
struct RemarkLines {
    std::vector<int> ids;
    std::vector<int> tops;
    int width = 0;
    int height = 0;
};

// Where a game dialog's own controls stand, with their template ids. The frame, the name label,
// the etched line and the OK, Cancel and Help buttons are the same in every game.
struct GameLayout {
    // The answer buttons fill the columns of the boxes in turn, in button order.
    std::vector<AnswerBox> answerBoxes;
    ScoreBox score;
    RemarkLines remarks;

    // The template ids of the answer buttons, in button order.
    std::vector<int> answerButtonIds() const;
};

}  // namespace nimbara
