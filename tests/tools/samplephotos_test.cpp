// Runs the sample photo generator as a separate program, the way the build uses it, and checks
// what it writes: the right names, true 24-bit bitmaps of the right size, pictures that differ
// from one another and are not blank, the same bytes on every run (also against the pictures the
// build staged), a seamless desktop tile, and clear failures for bad arguments.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <cmath>

namespace {

const QString kProgram = QStringLiteral(SAMPLEPHOTOS_PROGRAM);
// The games' photo folders in the application directory the build staged.
const QString kStagedGames = QStringLiteral(SAMPLEPHOTOS_STAGED_GAMES);

struct GeneratorRun {
    int exitCode;
    QByteArray errors;
};

QProcess* startGenerator(const QStringList& arguments) {
    auto* process = new QProcess;
    process->start(kProgram, arguments);
    return process;
}

GeneratorRun finish(QProcess* process) {
    process->waitForFinished(300000);
    const bool normal = process->exitStatus() == QProcess::NormalExit;
    GeneratorRun run{normal ? process->exitCode() : -1, process->readAllStandardError()};
    delete process;
    return run;
}

GeneratorRun runGenerator(const QStringList& arguments) {
    return finish(startGenerator(arguments));
}

QStringList icePictureNames() {
    QStringList names;
    for (int k = 0; k < 18; ++k) {
        names << QString("ice%1.bmp").arg(k);
    }
    for (int k = 0; k < 18; ++k) {
        names << QString("ice2_%1.bmp").arg(k);
    }
    return names;
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

// The whole ice set is drawn once, for all the checks below, into a folder that does not exist
// yet; the format of the pictures is checked on the staged copies (StagedPhotoFolder), which a
// new run must reproduce byte for byte.
class IceSet : public testing::Test {
protected:
    struct Outcome {
        QTemporaryDir folders;
        QString drawn = folders.filePath("new/ice");
        GeneratorRun run{};
    };

    static void SetUpTestSuite() {
        s_outcome = new Outcome;
        s_outcome->run = runGenerator({"ice", s_outcome->drawn});
    }
    static void TearDownTestSuite() {
        delete s_outcome;
        s_outcome = nullptr;
    }

    static QString drawn() { return s_outcome->drawn; }
    static const GeneratorRun& run() { return s_outcome->run; }

    static Outcome* s_outcome;
};

IceSet::Outcome* IceSet::s_outcome = nullptr;

TEST_F(IceSet, SucceedsQuietlyAndCreatesTheFolder) {
    EXPECT_EQ(run().exitCode, 0) << run().errors.constData();
    EXPECT_TRUE(run().errors.isEmpty()) << run().errors.constData();
    EXPECT_TRUE(QDir(drawn()).exists());
}

TEST_F(IceSet, WritesExactlyTheThirtySixPictureNames) {
    QStringList written = QDir(drawn()).entryList(QDir::Files, QDir::Name);
    QStringList expected = icePictureNames();
    written.sort();
    expected.sort();
    EXPECT_EQ(written, expected);
}

TEST_F(IceSet, DrawsTheSameBytesAsTheBuildDid) {
    for (const QString& name : icePictureNames()) {
        const QByteArray again = readAll(QDir(drawn()).filePath(name));
        ASSERT_FALSE(again.isEmpty()) << qPrintable(name);
        EXPECT_TRUE(again == readAll(kStagedGames + "/ice/" + name))
            << qPrintable(name) << " differs from the picture the build drew";
    }
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

INSTANTIATE_TEST_SUITE_P(Games, StagedPhotoFolder, testing::Values("ice", "clouds"),
                         [](const testing::TestParamInfo<const char*>& parameter) {
                             return std::string(parameter.param);
                         });

// Pictures of every kind of scene: heaps, a storm overhead with lightning, layers at several
// levels, a view from an aircraft, a veil with a halo.
const QStringList kCloudSamples = {"cloud0.bmp", "cloud31.bmp", "cm4_2.bmp", "ch3_1.bmp",
                                   "ch7_1.bmp"};

TEST(CloudSet, NamedPicturesAloneAreDrawnAgainWithTheStagedBytes) {
    QTemporaryDir folder;
    const QString target = folder.filePath("new/clouds");
    QStringList arguments{"clouds", target};
    arguments << kCloudSamples;
    const GeneratorRun run = runGenerator(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.errors.constData();
    EXPECT_TRUE(run.errors.isEmpty()) << run.errors.constData();
    QStringList expected = kCloudSamples;
    expected.sort();
    EXPECT_EQ(bitmapsIn(target), expected);
    for (const QString& name : kCloudSamples) {
        const QByteArray drawn = readAll(QDir(target).filePath(name));
        ASSERT_FALSE(drawn.isEmpty()) << qPrintable(name);
        EXPECT_TRUE(drawn == readAll(kStagedGames + "/clouds/" + name))
            << qPrintable(name) << " differs from the picture the build drew";
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
