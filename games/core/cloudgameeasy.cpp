#include "games/core/cloudgameeasy.h"

#include "games/core/cloudgameeasyrules.h"
#include "games/core/cloudlevels.h"

namespace nimbara {

GameDefinition cloudGameEasy() {
    GameTexts texts{
        .title = "Cloud classification game (easy)",
        .finalScoreCaption = "Cloud classification game (easy) Final Score",
        .reminder = "Please select radio button",
        .wrongAnswerLead = "error; ",
        .unknownIndexError = "internal error (cloud classification game [easy]; indices(1))",
        .unknownIndexCaption = "Nimbara error",
        .indexRangeError = "internal error (cloud classification game [easy]; indices(2))",
        .indexRangeCaption = "Nimbara error",
        .missingPhotoLead = "photo not existing (file: ",
        .unreadablePhotoLead = "photo not readable (file: ",
        .photoErrorCaption = "Nimbara error",
    };
    return {
        .importId = "clouds-easy",
        .dialogClass = "TCloudGameEasyDlg",
        .caption = "Cloud classification game (easy)",
        .commandId = 3095,
        .menuText = "&Cloud classification (easy)",
        .menuPlace = {.section = 0, .position = 0},
        .hint = "Test your cloud type classification knowledge (easy)",
        .templateId = 8986,
        .layout =
            {
                // Cl 1 to Cl 9, Cm 1 to Cm 9, Ch 1 to Ch 9: the ids of the normal game's "0" and
                // "x" buttons are left out. The boxes have ids, to be greyed with their column.
                .answerBoxes = cloudLevelBoxes({1397, 1398, 1399}, 159, {1401, 1412, 1423}, 9),
                .score = {.rect = {320, 200, 156, 36}, .lineId = 1433, .lineWidth = 145},
                .remarks = {.ids = {1434, 1435}, .tops = {180, 189}, .width = 250, .height = 10},
            },
        .photoFolder = "\\games\\clouds\\",
        .rules = std::make_shared<CloudGameEasyRules>(std::move(texts)),
    };
}

}  // namespace nimbara
