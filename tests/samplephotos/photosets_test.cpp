// The photo sets as the games define them, and what the generator draws for them: every photo a
// game names is in the set of its folder and nothing else is, the parts of the staging share the
// photos out exactly, and a picture comes out the same on every run, at its size, with its mark.
#include "games/core/gamecatalogue.h"
#include "tools/samplephotos/sets/gamesets.h"
#include "tools/samplephotos/sets/photoset.h"
#include "tools/samplephotos/sets/stage.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <map>
#include <set>
#include <string>
#include <tuple>

namespace nimbara {
namespace {

const PhotoSet& setWithFolder(const std::vector<PhotoSet>& sets, const QString& folder) {
    for (const PhotoSet& set : sets) {
        if (set.folder == folder) {
            return set;
        }
    }
    throw std::runtime_error("no set for " + folder.toStdString());
}

const Photo& photoNamed(const std::vector<PhotoSet>& sets, const QString& folder,
                        const QString& name) {
    for (const Photo& photo : setWithFolder(sets, folder).photos) {
        if (photo.fileName == name) {
            return photo;
        }
    }
    throw std::runtime_error("no photo " + name.toStdString());
}

TEST(GamePhotoSets, HoldEveryPhotoEachGameNamesInItsFolderAndNoOther) {
    const std::vector<PhotoSet> sets = gamePhotoSets();
    std::map<std::string, std::multiset<std::string>> named;  // folder: the names games give
    for (const GameDefinition& game : gameCatalogue()) {
        for (const std::string& name : game.photoFileNames()) {
            named[game.photoFolderPath()].insert(name);
        }
    }
    std::map<std::string, std::multiset<std::string>> drawn;
    for (const PhotoSet& set : sets) {
        EXPECT_EQ(set.name.toStdString(), set.folder.section('/', -1).toStdString());
        for (const Photo& photo : set.photos) {
            drawn[set.folder.toStdString()].insert(photo.fileName.toStdString());
            EXPECT_TRUE(static_cast<bool>(photo.draw)) << photo.fileName.toStdString();
            EXPECT_EQ(photo.size, QSize(400, 250)) << photo.fileName.toStdString();
        }
    }
    EXPECT_EQ(drawn, named);
}

TEST(PhotoSets, EndWithTheDesktopPictureAndHaveNamesOfTheirOwn) {
    const std::vector<PhotoSet> sets = allPhotoSets();
    ASSERT_FALSE(sets.empty());
    EXPECT_EQ(sets.back().folder.toStdString(), "desktop");
    ASSERT_EQ(sets.back().photos.size(), 1u);
    EXPECT_EQ(sets.back().photos[0].size, QSize(320, 200));
    EXPECT_FALSE(sets.back().photos[0].markedAsSample);
    const QStringList names = photoSetNames();
    EXPECT_EQ(static_cast<std::size_t>(QSet<QString>(names.begin(), names.end()).size()),
              sets.size());
    EXPECT_FALSE(findPhotoSet("volcanoes").has_value());
}

struct NumberCase {
    PhotoId photo;
    std::size_t part;
    int first;
    std::optional<std::size_t> expected;
};

TEST(PhotoNumber, ReadsOnlyWholeNumbersFromTheFirst) {
    const NumberCase cases[] = {
        {{"7"}, 0, 0, 7},
        {{"0"}, 0, 0, 0},
        {{"0"}, 0, 1, std::nullopt},
        {{"3", "9"}, 1, 1, 8},
        {{"3"}, 1, 0, std::nullopt},
        {{"x"}, 0, 0, std::nullopt},
        {{"4x"}, 0, 0, std::nullopt},
        {{""}, 0, 0, std::nullopt},
        {{"-1"}, 0, 0, std::nullopt},
        {{kUnknown}, 0, 0, std::nullopt},
    };
    for (const NumberCase& row : cases) {
        EXPECT_EQ(photoNumber(row.photo, row.part, row.first), row.expected)
            << row.photo.at(std::min(row.part, row.photo.size() - 1)) << " part " << row.part;
    }
}

TEST(StagePart, DealsEveryPhotoToExactlyOnePart) {
    const std::vector<PhotoSet> sets = allPhotoSets();
    std::multiset<std::string> all;
    for (const PhotoSet& set : sets) {
        for (const Photo& photo : set.photos) {
            all.insert((set.folder + "/" + photo.fileName).toStdString());
        }
    }
    for (const int parts : {1, 3, 8, static_cast<int>(all.size()) + 5}) {
        std::multiset<std::string> dealt;
        for (int part = 0; part < parts; ++part) {
            const std::vector<StagedPhoto> staged = stagePart(sets, part, parts);
            EXPECT_LE(staged.size(), all.size() / static_cast<std::size_t>(parts) + 1) << parts;
            for (const StagedPhoto& photo : staged) {
                dealt.insert(photo.path.toStdString());
                EXPECT_TRUE(photo.path.endsWith("/" + photo.photo.fileName))
                    << photo.path.toStdString();
            }
        }
        EXPECT_EQ(dealt, all) << parts << " parts";
    }
}

TEST(StagePhotos, WritesItsPartAndThenTheManifest) {
    QTemporaryDir folder;
    const std::vector<PhotoSet> sets = allPhotoSets();
    int count = 0;
    for (const PhotoSet& set : sets) {
        count += static_cast<int>(set.photos.size());
    }
    // With as many parts as photos, a part holds one photo: the last part the desktop picture.
    const QString manifest = folder.filePath("lists/part.txt");
    const QString appDir = folder.filePath("app");
    ASSERT_EQ(stagePhotos(appDir, count - 1, count, manifest).toStdString(), "");
    QFile list(manifest);
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), QByteArray("desktop/CLOUDS.BMP\n"));
    const QImage drawn(QDir(appDir).filePath("desktop/CLOUDS.BMP"));
    EXPECT_EQ(drawn.size(), QSize(320, 200));

    for (const auto& [part, parts] : {std::pair{count, count}, {-1, 4}, {0, 0}}) {
        const QString other = folder.filePath("other.txt");
        EXPECT_FALSE(stagePhotos(appDir, part, parts, other).isEmpty()) << part << "/" << parts;
        EXPECT_FALSE(QFile::exists(other));
    }
}

// One photo of each subject, drawn twice.
struct Sample {
    const char* folder;
    const char* name;
};

class DrawnPhoto : public testing::TestWithParam<Sample> {};

TEST_P(DrawnPhoto, IsTheSameOnEveryRunAndCarriesItsMark) {
    const std::vector<PhotoSet> sets = allPhotoSets();
    const Photo& photo = photoNamed(sets, GetParam().folder, GetParam().name);
    const QImage first = renderPhoto(photo);
    EXPECT_EQ(first.size(), photo.size);
    EXPECT_EQ(first.format(), QImage::Format_RGB32);
    EXPECT_TRUE(renderPhoto(photo) == first) << "a second run draws other pixels";
    Photo unmarked = photo;
    unmarked.markedAsSample = !photo.markedAsSample;
    EXPECT_FALSE(renderPhoto(unmarked) == first) << "the sample mark changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Subjects, DrawnPhoto,
    testing::Values(Sample{"games/ice", "ice2_10.bmp"}, Sample{"games/clouds", "cl9_4.bmp"},
                    Sample{"games/seastate", "Bfcan7.bmp"}, Sample{"desktop", "CLOUDS.BMP"}),
    [](const testing::TestParamInfo<Sample>& row) {
        return std::string(QString(row.param.folder).section('/', -1).toStdString());
    });

TEST(GamePictures, DifferBetweenNeighbouringPhotosOfAGame) {
    const std::vector<PhotoSet> sets = allPhotoSets();
    for (const auto& [folder, a, b] : {std::tuple{"games/clouds", "cloud3.bmp", "cloud4.bmp"},
                                       std::tuple{"games/clouds", "cm2_1.bmp", "cm2_2.bmp"},
                                       std::tuple{"games/seastate", "Bf5.bmp", "Bfge5.bmp"}}) {
        EXPECT_FALSE(renderPhoto(photoNamed(sets, folder, a)) ==
                     renderPhoto(photoNamed(sets, folder, b)))
            << a << " and " << b;
    }
}

}  // namespace
}  // namespace nimbara
