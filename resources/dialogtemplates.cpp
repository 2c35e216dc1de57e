#include "dialogtemplates.h"

#include "infotemplates.h"
#include "resourceids.h"

#include <map>
#include <stdexcept>
#include <string>

namespace nimbara {

namespace {

constexpr int kRadioHeight = 12;
constexpr int kRowStep = 15;
constexpr int kFirstRowY = 35;

// A column of auto radio buttons, one per text, ids counting up from firstId.
std::vector<ControlTemplate> radioColumn(int firstId, std::initializer_list<const char*> texts,
                                         int x, int width, bool startsGroup) {
    std::vector<ControlTemplate> column;
    int row = 0;
    for (const char* text : texts) {
        const unsigned group = (startsGroup && row == 0) ? WsGroup : 0u;
        column.push_back({ControlKind::AutoRadioButton, firstId + row, text, x,
                          kFirstRowY + kRowStep * row, width, kRadioHeight, WsTabStop | group});
        ++row;
    }
    return column;
}

// A game dialog: the game's own controls, then the name label, the etched line and the OK,
// Cancel and Help buttons that every game has.
DialogTemplate gameDialog(int id, const char* caption, std::vector<ControlTemplate> controls) {
    const std::vector<ControlTemplate> common = {
        {ControlKind::Static, IDC_NAME_LABEL, "Nimbara", 16, 261, 47, 8, WsGroup},
        {ControlKind::EtchedHorizontal, -1, "", 63, 265, 421, 1, 0},
        {ControlKind::DefPushButton, 1, "OK", 165, 272, 50, 14, WsTabStop},
        {ControlKind::PushButton, 2, "Cancel", 225, 272, 50, 14, WsTabStop},
        {ControlKind::PushButton, 9, "Help", 285, 272, 50, 14, WsTabStop},
    };
    controls.insert(controls.end(), common.begin(), common.end());
    return {id, caption, 11, 9, 500, 291, "MS Sans Serif", 8, std::move(controls)};
}

// The two ice games share one layout: two columns of nine classes, the score and two remark
// lines; only ids, texts and caption differ.
DialogTemplate iceGameDialog(int id, const char* caption, int firstButtonId,
                             std::initializer_list<const char*> firstColumn,
                             std::initializer_list<const char*> secondColumn) {
    std::vector<ControlTemplate> controls = {
        {ControlKind::GroupBox, -1, "Ice", 323, 20, 150, 159, 0}};
    const auto left = radioColumn(firstButtonId, firstColumn, 333, 60, true);
    const auto right = radioColumn(firstButtonId + 9, secondColumn, 400, 70, false);
    controls.insert(controls.end(), left.begin(), left.end());
    controls.insert(controls.end(), right.begin(), right.end());
    const int scoreId = firstButtonId + 18;
    controls.push_back({ControlKind::GroupBox, -1, "Score", 323, 200, 150, 36, 0});
    controls.push_back({ControlKind::Static, scoreId, "good: 0 of 0 (total 10)", 328, 216, 141, 10,
                        SsCenter | WsGroup});
    controls.push_back({ControlKind::Static, scoreId + 1, "", 25, 180, 268, 56, WsGroup});
    controls.push_back({ControlKind::Static, scoreId + 2, "", 25, 188, 268, 56, WsGroup});
    return gameDialog(id, caption, std::move(controls));
}

std::map<int, DialogTemplate> buildTemplates() {
    std::map<int, DialogTemplate> templates;
    templates.emplace(
        IDD_ICE_GAME_I,
        iceGameDialog(IDD_ICE_GAME_I, "Ice classification game I", 1459,
                      {"bergy bit", "brash", "floeberg", "grease", "grey", "grey-white", "growler",
                       "hummocked", "iceberg"},
                      {"medium first-year", "multi-year", "nilas", "second-year", "shuga", "slush",
                       "small floes", "thick first-year", "thin first-year"}));
    templates.emplace(
        IDD_ICE_GAME_II,
        iceGameDialog(IDD_ICE_GAME_II, "Ice classification game II", 1480,
                      {"crack", "fast ice", "finger rafting", "giant floes", "glacier", "hummock",
                       "ice cake", "ice shelf", "lead"},
                      {"new ice", "pancake ice", "polynya", "sastrugi", "stranded ice", "strip",
                       "tabular berg", "vast floes", "very open pack"}));
    templates.emplace(IDD_ABOUT, aboutDialogTemplate());
    templates.emplace(IDD_LINK_PAGE, linkPageTemplate());
    return templates;
}

}  // namespace

const DialogTemplate& dialogTemplate(int id) {
    static const std::map<int, DialogTemplate> templates = buildTemplates();
    const auto found = templates.find(id);
    if (found == templates.end()) {
        throw std::out_of_range("dialog template " + std::to_string(id) + " not found");
    }
    return found->second;
}

}  // namespace nimbara
