#include "tools/import/photocatalogue.h"

#include "games/core/gamecatalogue.h"
#include "resources/dialogtemplates.h"
#include "resources/gamecontrols.h"
#include "resources/resourceids.h"

#include <algorithm>
#include <cstdint>

namespace nimbara {

namespace {

// The dialog template that shows the answer buttons of game id.
int templateOf(const std::string& id) {
    if (id == "ice1") {
        return IDD_ICE_GAME_I;
    }
    if (id == "ice2") {
        return IDD_ICE_GAME_II;
    }
    if (id == "clouds-easy") {
        return IDD_CLOUD_GAME_EASY;
    }
    if (id == "clouds-normal") {
        return IDD_CLOUD_GAME_NORMAL;
    }
    return IDD_SEASTATE_GAME;
}

QString buttonText(const DialogTemplate& dialog, int controlId) {
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id == controlId) {
            return QString::fromStdString(control.text).remove('&');
        }
    }
    return {};
}

// "\games\clouds\" as "games/clouds".
QString folderOf(const std::string& photoFolder) {
    return QString::fromStdString(photoFolder).replace('\\', '/').section('/', 1, -2);
}

CatalogueEntry entryFor(const CatalogueGame& game) {
    const std::unique_ptr<GameRules> rules = game.makeRules();
    CatalogueEntry entry;
    entry.id = QString::fromStdString(game.id);
    entry.folder = folderOf(rules->texts().photoFolder);
    const std::vector<PhotoId> photos = rules->allPhotos();
    std::vector<std::vector<bool>> answers;
    for (const PhotoId& photo : photos) {
        entry.photos.push_back({QString::fromStdString(rules->fileName(photo)),
                                QString::fromStdString(rules->answerNameOf(photo))});
        std::vector<bool> flags(static_cast<std::size_t>(rules->answerFlagCount()), false);
        rules->markAnswer(photo, flags);
        answers.push_back(std::move(flags));
        entry.spellings.emplace_back(PhotoCatalogue::normalised(entry.photos.back().className),
                                     entry.photos.back().className);
    }
    // A button that alone makes a right answer for a photo names that photo's class. The
    // game's own judgement decides, so the button texts need no table of their own.
    const int templateId = templateOf(game.id);
    const DialogTemplate& dialog = dialogTemplate(templateId);
    const std::vector<int>& buttons = gameControls(templateId).answerButtonIds;
    for (int button = 0; button < rules->answerButtonCount(); ++button) {
        std::vector<std::uint16_t> block(static_cast<std::size_t>(rules->answerButtonCount()), 0);
        block[static_cast<std::size_t>(button)] = 1;
        const std::optional<Choice> choice = rules->chooseAnswer(block);
        if (!choice || static_cast<std::size_t>(button) >= buttons.size()) {
            continue;
        }
        for (std::size_t photo = 0; photo < photos.size(); ++photo) {
            if (rules->isRight(*choice, answers[photo])) {
                const QString text = buttonText(dialog, buttons[static_cast<std::size_t>(button)]);
                if (!text.isEmpty()) {
                    entry.spellings.emplace_back(PhotoCatalogue::normalised(text),
                                                 entry.photos[photo].className);
                }
                break;
            }
        }
    }
    return entry;
}

}  // namespace

PhotoCatalogue::PhotoCatalogue() {
    for (const CatalogueGame& game : gameCatalogue()) {
        m_games.push_back(entryFor(game));
    }
}

QString PhotoCatalogue::normalised(const QString& name) {
    return name.simplified().toCaseFolded();
}

const CatalogueEntry* PhotoCatalogue::findGame(const QString& id) const {
    const QString wanted = normalised(id);
    const auto found = std::find_if(m_games.begin(), m_games.end(), [&](const CatalogueEntry& g) {
        return normalised(g.id) == wanted;
    });
    return found == m_games.end() ? nullptr : &*found;
}

std::vector<std::size_t> PhotoCatalogue::photosNamed(const CatalogueEntry& game,
                                                     const QString& name) const {
    const QString wanted = normalised(name);
    std::vector<std::size_t> named;
    for (std::size_t k = 0; k < game.photos.size(); ++k) {
        if (normalised(game.photos[k].fileName) == wanted) {
            return {k};
        }
    }
    const auto spelling =
        std::find_if(game.spellings.begin(), game.spellings.end(),
                     [&](const std::pair<QString, QString>& s) { return s.first == wanted; });
    if (spelling == game.spellings.end()) {
        return {};
    }
    for (std::size_t k = 0; k < game.photos.size(); ++k) {
        if (game.photos[k].className == spelling->second) {
            named.push_back(k);
        }
    }
    return named;
}

QStringList PhotoCatalogue::classes(const CatalogueEntry& game) {
    QStringList classes;
    for (const CataloguePhoto& photo : game.photos) {
        if (!classes.contains(photo.className)) {
            classes << photo.className;
        }
    }
    return classes;
}

}  // namespace nimbara
