#include "resources/dialogtemplates.h"

#include "resources/gamecontrols.h"
#include "resources/infotemplates.h"
#include "resources/resourceids.h"

#include <map>
#include <span>
#include <stdexcept>
#include <string>

namespace nimbara {

namespace {

using Controls = std::vector<ControlTemplate>;

constexpr int kRadioHeight = 12;
constexpr int kRowStep = 15;
constexpr int kFirstRowY = 35;
constexpr int kRemarkX = 25;

void append(Controls& controls, const Controls& more) {
    controls.insert(controls.end(), more.begin(), more.end());
}

// A column of auto radio buttons at x, one row per id, from the first row down. With startsGroup
// the first button starts a group of radio buttons.
Controls radioColumn(std::span<const int> ids, const std::vector<std::string>& texts, int x,
                     int width, bool startsGroup) {
    Controls column;
    for (std::size_t row = 0; row < ids.size(); ++row) {
        const unsigned group = (startsGroup && row == 0) ? WsGroup : 0u;
        column.push_back({ControlKind::AutoRadioButton, ids[row], texts.at(row), x,
                          kFirstRowY + kRowStep * static_cast<int>(row), width, kRadioHeight,
                          WsTabStop | group});
    }
    return column;
}

// "Cl 0" .. "Cl 9", then "Cl x" when withX: the texts of a column of codes.
std::vector<std::string> codeRange(const std::string& level, int first, int last,
                                   bool withX = false) {
    std::vector<std::string> texts;
    for (int code = first; code <= last; ++code) {
        texts.push_back(level + " " + std::to_string(code));
    }
    if (withX) {
        texts.push_back(level + " x");
    }
    return texts;
}

// The "Score" group box at (x, y) with the centred score line inset in it.
Controls scoreBox(const GameControls& ids, int x, int y, int width, int lineWidth) {
    return {
        {ControlKind::GroupBox, -1, "Score", x, y, width, 36, 0},
        {ControlKind::Static, ids.scoreLineId, "good: 0 of 0 (total 10)", x + 5, y + 16, lineWidth,
         10, SsCenter | WsGroup},
    };
}

// The remark lines under the photo, left-aligned, from the top line down.
Controls remarkLines(const GameControls& ids, const std::vector<int>& tops, int width, int height) {
    Controls lines;
    for (std::size_t line = 0; line < ids.remarkLineIds.size(); ++line) {
        lines.push_back({ControlKind::Static, ids.remarkLineIds[line], "", kRemarkX, tops.at(line),
                         width, height, WsGroup});
    }
    return lines;
}

// A game dialog: the game's own controls, then the name label, the etched line and the OK,
// Cancel and Help buttons that every game has.
DialogTemplate gameDialog(int id, const char* caption, Controls controls) {
    append(controls, {
                         {ControlKind::Static, IDC_NAME_LABEL, "Nimbara", 16, 261, 47, 8, WsGroup},
                         {ControlKind::EtchedHorizontal, -1, "", 63, 265, 421, 1, 0},
                         {ControlKind::DefPushButton, 1, "OK", 165, 272, 50, 14, WsTabStop},
                         {ControlKind::PushButton, 2, "Cancel", 225, 272, 50, 14, WsTabStop},
                         {ControlKind::PushButton, 9, "Help", 285, 272, 50, 14, WsTabStop},
                     });
    return {id, caption, 11, 9, 500, 291, "MS Sans Serif", 8, std::move(controls)};
}

// The two ice games share one layout: two columns of nine classes, the score and two remark
// lines; only ids, texts and caption differ.
DialogTemplate iceGameDialog(int id, const char* caption, const std::vector<std::string>& classes) {
    const GameControls& ids = gameControls(id);
    const std::span<const int> buttons(ids.answerButtonIds);
    Controls controls = {{ControlKind::GroupBox, -1, "Ice", 323, 20, 150, 159, 0}};
    append(controls,
           radioColumn(buttons.first(9), {classes.begin(), classes.begin() + 9}, 333, 60, true));
    append(controls,
           radioColumn(buttons.subspan(9), {classes.begin() + 9, classes.end()}, 400, 70, false));
    append(controls, scoreBox(ids, 323, 200, 150, 141));
    append(controls, remarkLines(ids, {180, 188}, 268, 56));
    return gameDialog(id, caption, std::move(controls));
}

// The cloud games: a column of buttons per level, Cl, Cm and Ch, 54 units apart.
constexpr int kCloudColumnX[] = {320, 374, 428};
const char* const kLevelNames[] = {"Cl", "Cm", "Ch"};

DialogTemplate cloudGameNormalDialog() {
    const GameControls& ids = gameControls(IDD_CLOUD_GAME_NORMAL);
    const std::span<const int> buttons(ids.answerButtonIds);
    Controls controls;
    for (int level = 0; level < 3; ++level) {
        controls.push_back(
            {ControlKind::GroupBox, -1, kLevelNames[level], kCloudColumnX[level], 20, 47, 185, 0});
    }
    append(controls, scoreBox(ids, 320, 215, 156, 145));
    for (std::size_t level = 0; level < 3; ++level) {
        // Three independent groups: one code can be checked in each column.
        append(controls, radioColumn(buttons.subspan(level * 11, 11),
                                     codeRange(kLevelNames[level], 0, 9, true),
                                     kCloudColumnX[level] + 10, 28, true));
    }
    append(controls, remarkLines(ids, {180, 189, 198}, 250, 10));
    return gameDialog(IDD_CLOUD_GAME_NORMAL, "Cloud classification game (normal)",
                      std::move(controls));
}

DialogTemplate cloudGameEasyDialog() {
    const GameControls& ids = gameControls(IDD_CLOUD_GAME_EASY);
    const std::span<const int> buttons(ids.answerButtonIds);
    Controls controls;
    for (std::size_t level = 0; level < 3; ++level) {
        controls.push_back({ControlKind::GroupBox, ids.levelColumnBoxIds.at(level),
                            kLevelNames[level], kCloudColumnX[level], 20, 47, 159, 0});
    }
    append(controls, scoreBox(ids, 320, 200, 156, 145));
    for (std::size_t level = 0; level < 3; ++level) {
        // One group of 27: checking any button unchecks every other.
        append(controls,
               radioColumn(buttons.subspan(level * 9, 9), codeRange(kLevelNames[level], 1, 9),
                           kCloudColumnX[level] + 10, 28, level == 0));
    }
    append(controls, remarkLines(ids, {180, 189}, 250, 10));
    return gameDialog(IDD_CLOUD_GAME_EASY, "Cloud classification game (easy)", std::move(controls));
}

DialogTemplate seaStateGameDialog() {
    const GameControls& ids = gameControls(IDD_SEASTATE_GAME);
    const std::span<const int> buttons(ids.answerButtonIds);
    Controls controls = {{ControlKind::GroupBox, -1, "Beaufort scale", 350, 20, 123, 159, 0}};
    append(controls, radioColumn(buttons.first(9), codeRange("Bf", 0, 8), 365, 40, true));
    append(controls, radioColumn(buttons.subspan(9), codeRange("Bf", 9, 12), 425, 40, false));
    append(controls, scoreBox(ids, 350, 200, 123, 114));
    append(controls, remarkLines(ids, {180}, 268, 56));
    // The caption comes from the series when the dialog is set up.
    return gameDialog(IDD_SEASTATE_GAME, "", std::move(controls));
}

std::map<int, DialogTemplate> buildTemplates() {
    std::map<int, DialogTemplate> templates;
    templates.emplace(
        IDD_ICE_GAME_I,
        iceGameDialog(
            IDD_ICE_GAME_I, "Ice classification game I",
            {"bergy bit", "brash", "floeberg", "grease", "grey", "grey-white", "growler",
             "hummocked", "iceberg", "medium first-year", "multi-year", "nilas", "second-year",
             "shuga", "slush", "small floes", "thick first-year", "thin first-year"}));
    templates.emplace(
        IDD_ICE_GAME_II,
        iceGameDialog(
            IDD_ICE_GAME_II, "Ice classification game II",
            {"crack", "fast ice", "finger rafting", "giant floes", "glacier", "hummock", "ice cake",
             "ice shelf", "lead", "new ice", "pancake ice", "polynya", "sastrugi", "stranded ice",
             "strip", "tabular berg", "vast floes", "very open pack"}));
    templates.emplace(IDD_CLOUD_GAME_NORMAL, cloudGameNormalDialog());
    templates.emplace(IDD_CLOUD_GAME_EASY, cloudGameEasyDialog());
    templates.emplace(IDD_SEASTATE_GAME, seaStateGameDialog());
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
