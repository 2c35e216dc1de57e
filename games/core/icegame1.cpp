#include "games/core/icegame1.h"

namespace nimbara {

const GameTexts& iceGameTexts() {
    static const GameTexts texts{
        "Ice classification game",
        "Please select radio button",
        "internal error (ice classification game; indices(1))",
        "Nimbara error",
        "internal error (ice classification game; indices(2))",
        "Nimbara",
        "photo not existing (file: ",
        "\\games\\ice\\",
        std::string("error; ") + " ",
    };
    return texts;
}

SingleGroupRules iceGame1Rules() {
    NumberedPhotoSet photos{
        18,
        17,
        "ice",
        2,
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
    return SingleGroupRules(
        iceGameTexts(), std::move(photos),
        {"bery bit", "brash ice", "floeberg", "grease ice", "grey ice ", "grey-white ice",
         "growler", "hummocked ice", "iceberg", "medium first-year ice", "multi-year ice", "nilas",
         "second-year ice", "shuga", "slush", "small floes", "thick first-year ice",
         "thin first-year ice"});
}

}  // namespace nimbara
