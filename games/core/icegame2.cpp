#include "games/core/icegame2.h"

#include "games/core/icegame1.h"
#include "games/core/singlegrouprules.h"

namespace nimbara {

GameDefinition iceGame2() {
    NumberedPhotoSet photos{
        .photoCount = 18,
        .highestPhotoIndex = 17,
        .filePrefix = "ice2_",
        .remarkLineCount = 2,
        .remarks =
            {
                {"0", {"- fracture wide less than 1 m", ""}},
                {"3", {"- pieces over 10 km across", ""}},
                {"4",
                 {"- general term of a mass of snow and ice continuously moving from higher",
                  "to lower ground"}},
                {"6", {"- relatively flat piece of sea ice less than 20 m across", ""}},
                {"7", {"- classify the floating ice sheet", ""}},
                {"8", {"- passegeway through sea ice which is navigable by vessels", ""}},
                {"9",
                 {"- classify the (general term for) recently formed ice which includes frazil "
                  "ice,",
                  "grease ice, slush and shuga"}},
                {"10",
                 {"- predominantly circular pieces of ice from 30 cm - 3 m in diameter",
                  "- up to about 10 cm in thickness"}},
                {"11", {"- classify the non-linear shaped opening enclosed in ice", ""}},
                {"14",
                 {"- classify the long narrow area of floating ice, about 1 km or less in width",
                  "- usually composed of small fragments detached from the main mass of ice"}},
                {"16", {"- pieces 2-10 km across", ""}},
                {"17", {"- concentration of pack ice is 1/10 to 3/10", ""}},
            },
    };
    // Each class as the wrong-answer message names it, beside what its button reads.
    std::vector<AnswerItem> classes = {
        {"crack", "crack"},
        {"fast ice", "fast ice"},
        {"finger rafting", "finger rafting"},
        {"giant floes", "giant floes"},
        {"glacier", "glacier"},
        {"hummock", "hummock"},
        {"ice cake", "ice cake"},
        {"ice shelf", "ice shelf"},
        {"lead", "lead"},
        {"new ice", "new ice"},
        {"pancake ice", "pancake ice"},
        {"polynya", "polynya"},
        {"sastrugi", "sastrugi"},
        {"stranded ice", "stranded ice"},
        {"strip", "strip"},
        {"tabular berg", "tabular berg"},
        {"vast floes", "vast floes"},
        {"very open pack ice", "very open pack"},
    };
    return {
        .importId = "ice2",
        .dialogClass = "TIceGameDlg2",
        .caption = "Ice classification game II",
        .commandId = 3098,
        .menuText = "Ice cl&assification II",
        .menuPlace = {.section = 1, .position = 1},
        .hint = "Test your ice classification knowledge (second series)",
        .templateId = 8984,
        .layout = iceGameLayout(1480, 1498, {1499, 1500}),
        .photoFolder = "\\games\\ice\\",
        .rules = std::make_shared<SingleGroupRules>(iceGameTexts(), std::move(photos),
                                                    std::move(classes)),
    };
}

}  // namespace nimbara
