#include "games/core/seastateseries.h"

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

GameTexts seaStateTexts() {
    return {
        "Sea state classification game",
        "Please select radio button",
        "internal error (seastate classification game; indices(1))",
        "Nimbara error",
        "internal error (seastate classification game; indices(2))",
        "Nimbara error",
        "photo not present (file: ",
        "\\games\\seastate\\",
        "error; ",
    };
}

}  // namespace

const std::vector<SeaStateSeries>& seaStateSeriesTable() {
    static const std::vector<SeaStateSeries> table = {
        {"UK", 13, "Bf", "Sea state classification game (Met Office series)"},
        {"GE", 13, "Bfge", "Sea state classification game (Deutscher Wetterdienst series)"},
        {"CA", 12, "Bfca", "Sea state classification game (Environment Canada series I)"},
        {"CAN", 11, "Bfcan", "Sea state classification game (Environment Canada series II)"},
        {"CANA", 11, "Bfcana", "Sea state classification game (Environment Canada series III)"},
        {"ORVA", 13, "Bforva", "Sea state classification game (ORVA series)"},
    };
    return table;
}

const SeaStateSeries* findSeaStateSeries(const std::string& code) {
    const std::vector<SeaStateSeries>& table = seaStateSeriesTable();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const SeaStateSeries& row) { return row.code == code; });
    return found == table.end() ? nullptr : &*found;
}

SingleGroupRules seaStateRules(const std::string& code) {
    const SeaStateSeries* series = findSeaStateSeries(code);
    NumberedPhotoSet photos{series ? series->photoCount : kOtherSeriesPhotoCount,
                            kForces - 1,
                            series ? series->filePrefix : std::string(),
                            1,
                            {}};
    std::vector<std::string> forces;
    for (int force = 0; force < kForces; ++force) {
        photos.remarks.push_back(
            {std::to_string(force), {kBeaufortDescriptions.at(static_cast<std::size_t>(force))}});
        forces.push_back("Bf " + std::to_string(force));
    }
    return SingleGroupRules(seaStateTexts(), std::move(photos), std::move(forces));
}

}  // namespace nimbara
