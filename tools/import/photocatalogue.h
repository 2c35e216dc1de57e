#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace nimbara {

// One photo a game draws.
struct CataloguePhoto {
    QString fileName;   // e.g. "cm4_2.bmp"
    QString className;  // the name of its right answer, as the game names it: "Cm 4"
};

// One game with its photo set.
struct CatalogueEntry {
    QString id;                          // e.g. "clouds-easy"
    QString folder;                      // below the application directory, e.g. "games/clouds"
    std::vector<CataloguePhoto> photos;  // in the order the game numbers them
    // Every spelling that names a class, normalised, with the class it names.
    std::vector<std::pair<QString, QString>> spellings;
};

// The games and their photo names, taken from the games' own rules. A class is named by the
// name the game gives its answer ("brash ice", "Cl 2 - Cm 6 - Ch 0", "Bf 7") or by the text of
// the answer button that stands for it ("brash"); both are compared without regard to case and
// with runs of blanks taken as one blank. A single photo is named by its file name
// ("cm4_2.bmp").
class PhotoCatalogue {
public:
    PhotoCatalogue();

    const std::vector<CatalogueEntry>& games() const { return m_games; }
    // The game with id (compared without regard to case); null when there is none.
    const CatalogueEntry* findGame(const QString& id) const;
    // The indices of game's photos that name designates (a class or one photo's file name), in
    // order; empty when name designates none.
    std::vector<std::size_t> photosNamed(const CatalogueEntry& game, const QString& name) const;
    // The classes of game, each once, in the order of its photos.
    static QStringList classes(const CatalogueEntry& game);
    // name as it is compared.
    static QString normalised(const QString& name);

private:
    std::vector<CatalogueEntry> m_games;
};

}  // namespace nimbara
