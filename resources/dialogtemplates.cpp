#include "resources/dialogtemplates.h"

#include "games/core/gamecatalogue.h"
#include "resources/gamedialogtemplate.h"
#include "resources/infotemplates.h"
#include "resources/resourceids.h"

#include <map>
#include <stdexcept>
#include <string>

namespace nimbara {

namespace {

std::map<int, DialogTemplate> buildTemplates() {
    std::map<int, DialogTemplate> templates;
    for (const GameDefinition& game : gameCatalogue()) {
        templates.try_emplace(game.templateId, gameDialogTemplate(game));
    }
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
