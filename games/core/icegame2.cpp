#include "games/core/icegame2.h"

#include "games/core/icegame1.h"

namespace nimbara {

SingleGroupRules iceGame2Rules() {
    NumberedPhotoSet photos{
        18,
        17,
        "ice2_",
        2,
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
             {"- classify the (general term for) recently formed ice which includes frazil ice,",
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
    return SingleGroupRules(
        iceGameTexts(), std::move(photos),
        {"crack", "fast ice", "finger rafting", "giant floes", "glacier", "hummock", "ice cake",
         "ice shelf", "lead", "new ice", "pancake ice", "polynya", "sastrugi", "stranded ice",
         "strip", "tabular berg", "vast floes", "very open pack ice"});
}

}  // namespace nimbara
