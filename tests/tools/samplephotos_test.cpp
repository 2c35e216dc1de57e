// Checks the pictures the build staged with the sample photo generator (exactly the photos the game
// definitions name, each listed once in the manifests of the staging, true 24-bit bitmaps of the
// right size that differ from one another and are not blank, sea states that whiten as the wind
// rises) and runs the generator as a separate program, the way the build uses it: the same bytes
// on every run, exactly the pictures asked for, a seamless desktop tile, clear failures for bad
// arguments.
#include "games/core/gamecatalogue.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QString kProgram = QStringLiteral(SAMPLEPHOTOS_PROGRAM);
// The games' photo folders in the application directory the build staged.
const QString kStagedGames = QStringLiteral(SAMPLEPHOTOS_STAGED_GAMES);
const QString kStagedAppDir = QStringLiteral(SAMPLEPHOTOS_STAGED_APPDIR);
// Where the parts of the staging list the files they wrote.
const QString kManifests = QStringLiteral(SAMPLEPHOTOS_MANIFESTS);

struct GeneratorRun {
    int exitCode;
    QByteArray errors;
};

GeneratorRun runGenerator(const QStringList& arguments) {
    QProcess process;
    process.start(kProgram, arguments);
    process.waitForFinished(300000);
    const bool normal = process.exitStatus() == QProcess::NormalExit;
    return {normal ? process.exitCode() : -1, process.readAllStandardError()};
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int bitsPerPixel(const QByteArray& bitmap) {
    if (bitmap.size() < 30 || !bitmap.startsWith("BM")) {
        return 0;
    }
    return static_cast<uchar>(bitmap[28]) | (static_cast<uchar>(bitmap[29]) << 8);
}

double brightnessSpread(const QImage& image) {
    double sum = 0.0, squares = 0.0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double grey = qGray(image.pixel(x, y));
            sum += grey;
            squares += grey * grey;
        }
    }
    const double count = static_cast<double>(image.width()) * image.height();
    const double mean = sum / count;
    return std::sqrt(std::max(squares / count - mean * mean, 0.0));
}

// Mean colour difference between two lines of pixels that meet when the picture is tiled.
double seam(const QImage& image, bool leftRight) {
    const int length = leftRight ? image.height() : image.width();
    double total = 0.0;
    for (int i = 0; i < length; ++i) {
        const QRgb a = leftRight ? image.pixel(0, i) : image.pixel(i, 0);
        const QRgb b =
            leftRight ? image.pixel(image.width() - 1, i) : image.pixel(i, image.height() - 1);
        total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                 std::abs(qBlue(a) - qBlue(b));
    }
    return total / (3.0 * length);
}

// Mean colour difference between neighbouring lines inside the picture, for comparison.
double innerStep(const QImage& image) {
    double total = 0.0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb a = image.pixel(image.width() / 2, y);
        const QRgb b = image.pixel(image.width() / 2 + 1, y);
        total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                 std::abs(qBlue(a) - qBlue(b));
    }
    return total / (3.0 * image.height());
}

QStringList bitmapsIn(const QString& folder) {
    return QDir(folder).entryList({"*.bmp"}, QDir::Files, QDir::Name);
}

// Every picture the build staged for a game is a true-colour bitmap of the game's size, shows
// something, and no two are the same.
class StagedPhotoFolder : public testing::TestWithParam<const char*> {};

TEST_P(StagedPhotoFolder, HoldsDistinct24BitPicturesOf400By250) {
    const QString folder = kStagedGames + "/" + GetParam();
    const QStringList names = bitmapsIn(folder);
    ASSERT_FALSE(names.isEmpty()) << qPrintable(folder) << " holds no pictures";
    QHash<QByteArray, QString> seen;
    for (const QString& name : names) {
        const QByteArray bytes = readAll(QDir(folder).filePath(name));
        EXPECT_EQ(bitsPerPixel(bytes), 24) << qPrintable(name);
        const QImage image = QImage::fromData(bytes, "BMP");
        ASSERT_FALSE(image.isNull()) << qPrintable(name) << " does not decode as a bitmap";
        EXPECT_EQ(image.size(), QSize(400, 250)) << qPrintable(name);
        EXPECT_GT(brightnessSpread(image), 8.0) << qPrintable(name) << " is nearly one colour";
        const QByteArray digest = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
        EXPECT_FALSE(seen.contains(digest))
            << qPrintable(name) << " is the same picture as " << qPrintable(seen.value(digest));
        seen.insert(digest, name);
    }
}

INSTANTIATE_TEST_SUITE_P(Games, StagedPhotoFolder, testing::Values("ice", "clouds", "seastate"),
                         [](const testing::TestParamInfo<const char*>& parameter) {
                             return std::string(parameter.param);
                         });

// The staged game folders hold exactly the photos the game definitions name there, and the
// manifests of the staging list each staged file once.
TEST(StagedPhotos, AreThePhotosTheGamesNameEachListedOnce) {
    QMap<QString, QStringList> named;  // folder: file names
    for (const nimbara::GameDefinition& game : nimbara::gameCatalogue()) {
        for (const std::string& name : game.photoFileNames()) {
            named[QString::fromStdString(game.photoFolderPath())] << QString::fromStdString(name);
        }
    }
    QStringList listed;
    for (const QString& manifest : QDir(kManifests).entryList({"*.txt"}, QDir::Files)) {
        QFile file(QDir(kManifests).filePath(manifest));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << qPrintable(manifest);
        listed << QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    QStringList expected{"desktop/CLOUDS.BMP"};
    for (auto it = named.cbegin(); it != named.cend(); ++it) {
        QStringList inFolder = bitmapsIn(kStagedAppDir + "/" + it.key());
        QStringList names = it.value();
        names.sort();
        EXPECT_EQ(inFolder, names) << qPrintable(it.key());
        for (const QString& name : it.value()) {
            expected << it.key() + "/" + name;
        }
    }
    expected.sort();
    listed.sort();
    EXPECT_EQ(listed, expected);
}

// A few pictures of each set, drawn again by name into a folder that does not exist yet: exactly
// those are written, byte for byte as the build drew them.
struct Redraw {
    const char* set;
    const char* folder;
    QStringList names;
    friend void PrintTo(const Redraw& row, std::ostream* out) { *out << row.set; }
};

class RedrawnPictures : public testing::TestWithParam<Redraw> {};

TEST_P(RedrawnPictures, AreTheBytesTheBuildStaged) {
    QTemporaryDir folder;
    const QString target = folder.filePath("new/") + GetParam().folder;
    const GeneratorRun run = runGenerator(QStringList{GetParam().set, target} + GetParam().names);
    ASSERT_EQ(run.exitCode, 0) << run.errors.constData();
    EXPECT_TRUE(run.errors.isEmpty()) << run.errors.constData();
    QStringList expected = GetParam().names;
    expected.sort();
    EXPECT_EQ(bitmapsIn(target), expected);
    for (const QString& name : GetParam().names) {
        const QByteArray drawn = readAll(QDir(target).filePath(name));
        ASSERT_FALSE(drawn.isEmpty()) << qPrintable(name);
        EXPECT_TRUE(drawn == readAll(kStagedGames + "/" + GetParam().folder + "/" + name))
            << qPrintable(name) << " differs from the picture the build drew";
    }
}

// Pictures of every kind of scene: bergs and young ice; heaps, a storm overhead with lightning,
// layers at several levels, a view from an aircraft, a veil with a halo; calm and stormy seas.
INSTANTIATE_TEST_SUITE_P(
    Sets, RedrawnPictures,
    testing::Values(Redraw{"ice", "ice", {"ice0.bmp", "ice2_17.bmp"}},
                    Redraw{"clouds",
                           "clouds",
                           {"cloud0.bmp", "cloud31.bmp", "cm4_2.bmp", "ch3_1.bmp", "ch7_1.bmp"}},
                    Redraw{"seastate", "seastate", {"Bf0.bmp", "Bfca11.bmp", "Bforva12.bmp"}}),
    [](const testing::TestParamInfo<Redraw>& row) { return std::string(row.param.set); });

// The sea-state pictures the build staged.
class SeaStateSet : public testing::Test {
protected:
    static QString folder() { return kStagedGames + "/seastate"; }
    static QStringList written() { return bitmapsIn(folder()); }

    // File names are a series prefix followed by the force: for each prefix, the file names in
    // order of force; a name that does not have that form is listed under an empty prefix.
    static QMap<QString, QStringList> seriesOf(const QStringList& names) {
        static const QRegularExpression form("^([A-Za-z]+)(\\d+)\\.bmp$");
        QMap<QString, QMap<int, QString>> byForce;
        for (const QString& name : names) {
            const QRegularExpressionMatch match = form.match(name);
            const QString prefix = match.hasMatch() ? match.captured(1) : QString();
            const int force = match.hasMatch() ? match.captured(2).toInt() : -1;
            byForce[prefix].insert(force, name);
        }
        QMap<QString, QStringList> series;
        for (auto it = byForce.cbegin(); it != byForce.cend(); ++it) {
            series.insert(it.key(), it.value().values());
        }
        return series;
    }
};

// Share of the sea in the lower half of a picture that is foam: light and nearly colourless.
// What stands in the foreground (a rail, the bow) is left out: it is what the two calmest
// pictures of the series have in common there.
double foamShare(const QImage& image, const QImage& calm, const QImage& calmer) {
    int foam = 0;
    int sea = 0;
    for (int y = image.height() / 2; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (calm.pixel(x, y) == calmer.pixel(x, y)) {
                continue;
            }
            const QRgb pixel = image.pixel(x, y);
            const int lowest = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            const int highest = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            foam += lowest >= 170 && highest - lowest <= 45 ? 1 : 0;
            ++sea;
        }
    }
    return sea > 0 ? static_cast<double>(foam) / sea : 0.0;
}

TEST_F(SeaStateSet, EverySeriesRunsFromCalmWithoutAGap) {
    const QMap<QString, QStringList> series = seriesOf(written());
    EXPECT_FALSE(series.contains(QString())) << qPrintable(series.value(QString()).join(", "));
    for (auto it = series.cbegin(); it != series.cend(); ++it) {
        QStringList expected;
        for (int force = 0; force < it.value().size(); ++force) {
            expected << QString("%1%2.bmp").arg(it.key()).arg(force);
        }
        EXPECT_EQ(it.value(), expected);
    }
}

// Calm seas carry no foam; from the first white horses on, each force is whiter than the one
// below it, and the highest force drawn is several times whiter than force 4.
TEST_F(SeaStateSet, FoamGrowsWithForceWithinEachSeries) {
    const QMap<QString, QStringList> series = seriesOf(written());
    for (auto it = series.cbegin(); it != series.cend(); ++it) {
        std::vector<QImage> pictures;
        for (const QString& name : it.value()) {
            pictures.emplace_back(QDir(folder()).filePath(name));
        }
        ASSERT_GT(pictures.size(), 5u) << qPrintable(it.key());
        std::vector<double> shares;
        for (const QImage& picture : pictures) {
            shares.push_back(foamShare(picture, pictures[0], pictures[1]));
        }
        for (std::size_t force = 0; force <= 2; ++force) {
            EXPECT_LT(shares[force], 0.01) << qPrintable(it.key()) << " force " << force;
        }
        for (std::size_t force = 4; force < shares.size(); ++force) {
            EXPECT_GT(shares[force], shares[force - 1])
                << qPrintable(it.key()) << " force " << force << " is no whiter than the one below";
        }
        EXPECT_GT(shares.back(), 4.0 * shares[4]) << qPrintable(it.key());
    }
}

TEST(DesktopSet, WritesASeamless320By200Tile) {
    QTemporaryDir folder;
    const GeneratorRun run = runGenerator({"desktop", folder.path()});
    ASSERT_EQ(run.exitCode, 0) << run.errors.constData();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"CLOUDS.BMP"});
    const QByteArray bytes = readAll(folder.filePath("CLOUDS.BMP"));
    EXPECT_EQ(bitsPerPixel(bytes), 24);
    const QImage image = QImage::fromData(bytes, "BMP");
    ASSERT_EQ(image.size(), QSize(320, 200));
    // Where tiles meet, the step between columns (rows) must be no worse than inside the picture.
    const double inside = innerStep(image);
    EXPECT_LE(seam(image, true), inside * 2.0 + 3.0);
    EXPECT_LE(seam(image, false), inside * 2.0 + 3.0);
}

TEST(BadArguments, FailWithAMessageAndWriteNothing) {
    QTemporaryDir folder;
    const QString target = folder.filePath("out");

    const GeneratorRun unknownSet = runGenerator({"volcanoes", target});
    EXPECT_NE(unknownSet.exitCode, 0);
    EXPECT_TRUE(unknownSet.errors.contains("volcanoes")) << unknownSet.errors.constData();
    EXPECT_FALSE(QDir(target).exists());

    const GeneratorRun missingFolder = runGenerator({"ice"});
    EXPECT_NE(missingFolder.exitCode, 0);
    EXPECT_FALSE(missingFolder.errors.isEmpty());

    // A folder below an ordinary file can be neither created nor written, even by root.
    QFile blocker(folder.filePath("plain-file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const GeneratorRun unwritable = runGenerator({"ice", folder.filePath("plain-file/photos")});
    EXPECT_NE(unwritable.exitCode, 0);
    EXPECT_FALSE(unwritable.errors.isEmpty());

    // One unknown name among good ones: nothing is drawn, and the error names it.
    const GeneratorRun unknownPicture =
        runGenerator({"clouds", target, "cloud3.bmp", "cloud95.bmp", "cl1_1.bmp"});
    EXPECT_NE(unknownPicture.exitCode, 0);
    EXPECT_TRUE(unknownPicture.errors.contains("cloud95.bmp")) << unknownPicture.errors.constData();
    EXPECT_FALSE(unknownPicture.errors.contains("cloud3.bmp")) << unknownPicture.errors.constData();
    EXPECT_FALSE(QDir(target).exists());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
