#include "games/core/cloudgamenormal.h"

#include "games/core/cloudgamenormalrules.h"

namespace nimbara {

GameDefinition cloudGameNormal() {
    GameTexts texts{
        .title = "Cloud classification game (normal)",
        .finalScoreCaption = "Cloud classification game (normal) Final Score",
        .reminder = "Please select radio buttons Cl and Cm and Ch",
        .wrongAnswerLead = "error;  ",
        .unknownIndexError = "internal error (cloud classification game [normal]; indices(1))",
        .unknownIndexCaption = "Nimbara error",
        .indexRangeError = "internal error (cloud classification game [normal]; indices(2))",
        .indexRangeCaption = "Nimbara error",
        .missingPhotoLead = "photo not existing (file: ",
        .unreadablePhotoLead = "photo not readable (file: ",
        .photoErrorCaption = "Nimbara error",
    };
    return {
        .importId = "clouds-normal",
        .dialogClass = "TCloudGameNormalDlg",
        .caption = "Cloud classification game (normal)",
        .commandId = 3096,
        .menuText = "C&loud classification (normal)",
        .menuPlace = {.section = 0, .position = 1},
        .hint = "Test your cloud type classification knowledge (normal)",
        .templateId = 8987,
        .layout =
            {
                // Cl 0 to Cl 9 and Cl x, then the same for Cm and Ch.
                .answerBoxes = cloudLevelBoxes({-1, -1, -1}, 185, {1400, 1411, 1422}, 11),
                .score = {.rect = {320, 215, 156, 36}, .lineId = 1433, .lineWidth = 145},
                .remarks = {.ids = {1434, 1435, 1436},
                            .tops = {180, 189, 198},
                            .width = 250,
                            .height = 10},
            },
        .photoFolder = "\\games\\clouds\\",
        .rules = std::make_shared<CloudGameNormalRules>(std::move(texts)),
    };
}

}  // namespace nimbara
