#include "resources/gamedialogtemplate.h"

#include "games/core/gamecatalogue.h"
#include "resources/resourceids.h"

#include <algorithm>
#include <set>

namespace nimbara {

namespace {

using Controls = std::vector<ControlTemplate>;

constexpr int kRadioHeight = 12;
constexpr int kRowStep = 15;
constexpr int kFirstRowY = 35;
constexpr int kRemarkX = 25;

// The button indices (in button order) that start a group of radio buttons.
std::set<std::size_t> groupStarts(const GameRules& rules) {
    std::set<std::size_t> starts;
    std::size_t first = 0;
    for (const AnswerGroup& group : rules.answerGroups()) {
        starts.insert(first);
        first += group.items.size();
    }
    return starts;
}

// The answer boxes, then the buttons of their columns in button order.
Controls answerControls(const GameLayout& layout, const GameRules& rules) {
    Controls controls;
    std::vector<std::string> labels;
    for (const AnswerGroup& group : rules.answerGroups()) {
        for (const AnswerItem& item : group.items) {
            labels.push_back(item.label);
        }
    }
    const std::set<std::size_t> starts = groupStarts(rules);
    for (const AnswerBox& box : layout.answerBoxes) {
        controls.push_back({ControlKind::GroupBox, box.id, box.title, box.rect.x, box.rect.y,
                            box.rect.width, box.rect.height, 0});
    }
    std::size_t button = 0;
    for (const AnswerBox& box : layout.answerBoxes) {
        for (const ButtonColumn& column : box.columns) {
            for (int row = 0; row < column.count; ++row, ++button) {
                const unsigned group = starts.contains(button) ? WsGroup : 0u;
                controls.push_back({ControlKind::AutoRadioButton, column.firstId + row,
                                    button < labels.size() ? labels[button] : std::string(),
                                    column.x, kFirstRowY + kRowStep * row, column.width,
                                    kRadioHeight, WsTabStop | group});
            }
        }
    }
    return controls;
}

// The "Score" group box with the centred score line inset in it.
Controls scoreControls(const ScoreBox& score) {
    return {
        {ControlKind::GroupBox, -1, "Score", score.rect.x, score.rect.y, score.rect.width,
         score.rect.height, 0},
        {ControlKind::Static, score.lineId, "good: 0 of 0 (total 10)", score.rect.x + 5,
         score.rect.y + 16, score.lineWidth, 10, SsCenter | WsGroup},
    };
}

// The remark lines under the photo, left-aligned, from the top line down.
Controls remarkControls(const RemarkLines& remarks) {
    Controls lines;
    for (std::size_t line = 0; line < remarks.ids.size(); ++line) {
        lines.push_back({ControlKind::Static, remarks.ids[line], "", kRemarkX,
                         remarks.tops.at(line), remarks.width, remarks.height, WsGroup});
    }
    return lines;
}

// What every game dialog has below its own controls.
Controls commonControls() {
    return {
        {ControlKind::Static, IDC_NAME_LABEL, "Nimbara", 16, 261, 47, 8, WsGroup},
        {ControlKind::EtchedHorizontal, -1, "", 63, 265, 421, 1, 0},
        {ControlKind::DefPushButton, 1, "OK", 165, 272, 50, 14, WsTabStop},
        {ControlKind::PushButton, 2, "Cancel", 225, 272, 50, 14, WsTabStop},
        {ControlKind::PushButton, 9, "Help", 285, 272, 50, 14, WsTabStop},
    };
}

// The game's caption, unless other games of the catalogue share its template.
std::string templateCaption(const GameDefinition& game) {
    const std::vector<GameDefinition>& games = gameCatalogue();
    const bool shared = std::any_of(games.begin(), games.end(), [&](const GameDefinition& other) {
        return other.templateId == game.templateId && other.importId != game.importId;
    });
    return shared ? std::string() : game.caption;
}

void append(Controls& controls, const Controls& more) {
    controls.insert(controls.end(), more.begin(), more.end());
}

}  // namespace

DialogTemplate gameDialogTemplate(const GameDefinition& game) {
    Controls controls = answerControls(game.layout, *game.rules);
    append(controls, scoreControls(game.layout.score));
    append(controls, remarkControls(game.layout.remarks));
    append(controls, commonControls());
    return {game.templateId,    templateCaption(game), 11, 9, 500, 291, "MS Sans Serif", 8,
            std::move(controls)};
}

}  // namespace nimbara
