#include "tools/import/photocatalogue.h"

#include "games/core/gamecatalogue.h"

#include <algorithm>

namespace nimbara {

namespace {

CatalogueEntry entryFor(const GameDefinition& game) {
    const GameRules& rules = *game.rules;
    CatalogueEntry entry;
    entry.id = QString::fromStdString(game.importId);
    entry.folder = QString::fromStdString(game.photoFolderPath());
    for (const PhotoId& photo : rules.allPhotos()) {
        entry.photos.push_back({QString::fromStdString(rules.fileName(photo)),
                                QString::fromStdString(rules.rightAnswerName(photo))});
    }
    // A class is named as the game names its right answer, or as its buttons read; the names
    // come first, so that a name wins where a button of another class reads the same.
    const std::vector<Choice> classes = rules.classes();
    for (const auto spell : {&GameRules::choiceName, &GameRules::choiceLabel}) {
        for (const Choice& choice : classes) {
            entry.spellings.emplace_back(
                PhotoCatalogue::normalised(QString::fromStdString((rules.*spell)(choice))),
                QString::fromStdString(rules.choiceName(choice)));
        }
    }
    return entry;
}

}  // namespace

PhotoCatalogue::PhotoCatalogue() {
    for (const GameDefinition& game : gameCatalogue()) {
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
