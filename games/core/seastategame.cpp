#include "games/core/seastategame.h"

#include "games/core/singlegrouprules.h"

#include <algorithm>

namespace nimbara {

namespace {

constexpr int kForces = 13;  // Beaufort 0 to 12: the buttons, whatever a series holds
constexpr int kOtherSeriesPhotoCount = 13;

// The remark line of a photo: the Beaufort description of the force it shows.
const std::vector<std::string> kBeaufortDescriptions = {
    "Sea like a mirror",
    "Ripples with the appearance of scales are formed, but without foam crests",
    "Small wavelets, still short but more pronounced: crests have a glassy appearance and do not "
    "break",
    "Large wavelets; crests begin to break; foam of glassy appearance; perhaps scattered white "
    "horses",
    "Small waves, becoming longer; fairly frequent white horses",
    "Moderate waves, taking a more pronounced long form; many white horses are formed (chance of "
    "some spray)",
    "Large waves begin to form; the white foam crests are more extensive everywhere (probably some "
    "spray)",
    "Sea heaps up and white foam from breaking waves begins to be blown in streaks along the "
    "direction of the wind",
    "Moderately high waves of greater length; edges of crests begin to break into the spindrift; "
    "the foam is blown in well-marked streaks along the direction of the wind",
    "High waves; dense streaks of foam along the direction of the wind; crests of waves begin to "
    "topple, tumble and roll over; spray may affect visibility",
    "Very high waves with long overhanging crests; the resulting foam, in greater patches, is "
    "blown in dense white streaks along the direction of the wind; on the whole, the surface of "
    "the sea takes a white appearance; the tumbling of the sea becomes heavy and shock-like; "
    "visibility affected",
    "Exceptionally high waves (small and medium-sized ships might be for a time lost to view "
    "behind the waves); the sea is completely covered with long white patches of foam lying along "
    "the direction of the wind; everywhere the edges of the wave crests are blown into froth; "
    "visibility affected",
    "The air is filled with foam and spray; sea completely white with driving spray; visibility "
    "very seriously affected",
};

GameTexts seastateTexts() {
    return {
        .title = "Sea state classification game",
        .finalScoreCaption = "Sea state classification game Final Score",
        .reminder = "Please select radio button",
        .wrongAnswerLead = "error; ",
        .unknownIndexError = "internal error (seastate classification game; indices(1))",
        .unknownIndexCaption = "Nimbara error",
        .indexRangeError = "internal error (seastate classification game; indices(2))",
        .indexRangeCaption = "Nimbara error",
        .missingPhotoLead = "photo not present (file: ",
        .unreadablePhotoLead = "photo not readable (file: ",
        .photoErrorCaption = "Nimbara error",
    };
}

// One template serves every series: the caption comes from the series at setup.
GameLayout seastateLayout() {
    return {
        .answerBoxes = {{.title = "Beaufort scale",
                         .id = -1,
                         .rect = {350, 20, 123, 159},
                         .columns = {{1440, 9, 365, 40}, {1449, 4, 425, 40}}}},
        .score = {.rect = {350, 200, 123, 36}, .lineId = 1453, .lineWidth = 114},
        .remarks = {.ids = {1454}, .tops = {180}, .width = 268, .height = 56},
    };
}

SingleGroupRules seastateRules(const SeastateSeries* series) {
    NumberedPhotoSet photos{
        .photoCount = series ? series->photoCount : kOtherSeriesPhotoCount,
        .highestPhotoIndex = kForces - 1,
        .filePrefix = series ? series->filePrefix : std::string(),
        .remarkLineCount = 1,
        .remarks = {},
    };
    std::vector<AnswerItem> forces;
    for (int force = 0; force < kForces; ++force) {
        photos.remarks.push_back(
            {std::to_string(force), {kBeaufortDescriptions.at(static_cast<std::size_t>(force))}});
        const std::string name = "Bf " + std::to_string(force);
        forces.push_back({name, name});
    }
    return SingleGroupRules(seastateTexts(), std::move(photos), std::move(forces));
}

}  // namespace

const std::vector<SeastateSeries>& seastateSeriesTable() {
    // In the Games menu the series follow the ice games in the order EC I, EC II, EC III, DW,
    // ORVA, MO.
    static const std::vector<SeastateSeries> table = {
        {"UK", 13, "Bf", "Sea state classification game (Met Office series)", 3099,
         "Sea state classification (&MO series)", 5,
         "Test your sea state classification knowledge (Met Office series) "},
        {"GE", 13, "Bfge", "Sea state classification game (Deutscher Wetterdienst series)", 3100,
         "Sea state classification (&DW series)", 3,
         "Test your sea state classification knowledge (Deutscher Wetterdienst series) "},
        {"CA", 12, "Bfca", "Sea state classification game (Environment Canada series I)", 3101,
         "Sea state classification (&EC series I)", 0,
         "Test your sea state classification knowledge (Environment Canada series I) "},
        {"CAN", 11, "Bfcan", "Sea state classification game (Environment Canada series II)", 3102,
         "Sea state classification (E&C series II)", 1,
         "Test your sea state classification knowledge (Environment Canada series II) "},
        {"CANA", 11, "Bfcana", "Sea state classification game (Environment Canada series III)",
         3103, "Sea state classification (EC &series III)", 2,
         "Test your sea state classification knowledge (Environment Canada series III) "},
        {"ORVA", 13, "Bforva", "Sea state classification game (ORVA series)", 3104,
         "Sea state classification (&ORVA series)", 4,
         "Test your sea state classification knowledge (ORVA series) "},
    };
    return table;
}

const SeastateSeries* findSeastateSeries(const std::string& code) {
    const std::vector<SeastateSeries>& table = seastateSeriesTable();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const SeastateSeries& row) { return row.code == code; });
    return found == table.end() ? nullptr : &*found;
}

GameDefinition seastateGame(const std::string& code) {
    const SeastateSeries* series = findSeastateSeries(code);
    const SeastateSeries none;
    const SeastateSeries& row = series ? *series : none;
    return {
        .importId = series ? "seastate-" + code : std::string(),
        .dialogClass = "TSeastateGameDlg",
        .caption = row.caption,
        .commandId = row.commandId,
        .menuText = row.menuText,
        .menuPlace = {.section = 2, .position = row.menuPosition},
        .hint = row.hint,
        .templateId = 8985,
        .layout = seastateLayout(),
        .photoFolder = "\\games\\seastate\\",
        .rules = std::make_shared<SingleGroupRules>(seastateRules(series)),
    };
}

}  // namespace nimbara
