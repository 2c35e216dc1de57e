#include "games/core/icegame1.h"

#include "games/core/singlegrouprules.h"

namespace nimbara {

GameTexts iceGameTexts() {
    return {
        .title = "Ice classification game",
        .finalScoreCaption = "Ice classification game Final Score",
        .reminder = "Please select radio button",
        .wrongAnswerLead = "error;  ",
        .unknownIndexError = "internal error (ice classification game; indices(1))",
        .unknownIndexCaption = "Nimbara error",
        .indexRangeError = "internal error (ice classification game; indices(2))",
        .indexRangeCaption = "Nimbara",
        .missingPhotoLead = "photo not existing (file: ",
        .unreadablePhotoLead = "photo not readable (file: ",
        .photoErrorCaption = "Nimbara error",
    };
}

GameLayout iceGameLayout(int firstButtonId, int scoreLineId, std::vector<int> remarkLineIds) {
    return {
        .answerBoxes = {{.title = "Ice",
                         .id = -1,
                         .rect = {323, 20, 150, 159},
                         .columns = {{firstButtonId, 9, 333, 60},
                                     {firstButtonId + 9, 9, 400, 70}}}},
        .score = {.rect = {323, 200, 150, 36}, .lineId = scoreLineId, .lineWidth = 141},
        .remarks = {.ids = std::move(remarkLineIds),
                    .tops = {180, 188},
                    .width = 268,
                    .height = 56},
    };
}

GameDefinition iceGame1() {
    NumberedPhotoSet photos{
        .photoCount = 18,
        .highestPhotoIndex = 17,
        .filePrefix = "ice",
        .remarkLineCount = 2,
        .remarks =
            {
                {"0",
                 {"- less than 5 m above sea-level but more than 1 m",
                  "- about 100-300 sq. m in area"}},
                {"2", {"- protrude up to 5 m above sea-level", ""}},
                {"4", {"- 10-15 cm thick", ""}},
                {"5", {"- 15-30 cm thick", ""}},
                {"6", {"- less than 1 m above sea-level", "- about 20 sq. m in area"}},
                {"7", {"- sea ice piled haphazardly one piece over another", ""}},
                {"9", {"- 70-120 cm thick", ""}},
                {"11", {"- up to 10 cm in thickness", ""}},
                {"13",
                 {"- accumulation of spongy white ice lumps, a few centimetres across",
                  "- note: not the pancakes"}},
                {"15", {"- pieces 20-100 m across", ""}},
                {"16", {"- over 120 cm thick", ""}},
                {"17", {"- 30-70 cm thick", ""}},
            },
    };
    // Each class as the wrong-answer message names it, beside what its button reads.
    std::vector<AnswerItem> classes = {
        {"bery bit", "bergy bit"},
        {"brash ice", "brash"},
        {"floeberg", "floeberg"},
        {"grease ice", "grease"},
        {"grey ice ", "grey"},
        {"grey-white ice", "grey-white"},
        {"growler", "growler"},
        {"hummocked ice", "hummocked"},
        {"iceberg", "iceberg"},
        {"medium first-year ice", "medium first-year"},
        {"multi-year ice", "multi-year"},
        {"nilas", "nilas"},
        {"second-year ice", "second-year"},
        {"shuga", "shuga"},
        {"slush", "slush"},
        {"small floes", "small floes"},
        {"thick first-year ice", "thick first-year"},
        {"thin first-year ice", "thin first-year"},
    };
    return {
        .importId = "ice1",
        .dialogClass = "TIceGameDlg",
        .caption = "Ice classification game I",
        .commandId = 3097,
        .menuText = "&Ice classification I",
        .menuPlace = {.section = 1, .position = 0},
        .hint = "Test your ice classification knowledge (first series)",
        .templateId = 8983,
        .layout = iceGameLayout(1459, 1477, {1478, 1479}),
        .photoFolder = "\\games\\ice\\",
        .rules = std::make_shared<SingleGroupRules>(iceGameTexts(), std::move(photos),
                                                    std::move(classes)),
    };
}

}  // namespace nimbara
