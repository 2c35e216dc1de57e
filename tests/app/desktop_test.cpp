#include "app/desktopbackground.h"
#include "app/tmyapp.h"
#include "app/tmywindow.h"
#include "platform/pictureview.h"
#include "platform/tdecoratedframe.h"
#include "resources/resourceids.h"
#include "tests/support/filedialogdriver.h"
#include "tests/support/hostilefiles.h"
#include "tests/support/testpictures.h"
#include "tests/support/widgettest.h"
#include "tests/support/windowwatch.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>
#include <csignal>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using test::encoded;
using test::patterned;

constexpr QRgb kGrey = 0xff646464;

class DesktopTest : public test::WidgetTest {
protected:
    ~DesktopTest() override {
        if (frame) {
            frame->hide();
        }
    }

    // Starts the program: builds the main frame and shows it, which sets it up and puts the
    // chosen picture on show before the first paint.
    void start() {
        if (frame) {
            frame->hide();
        }
        frame = createMainFrame();
        frame->showMaximisedAlways();
        ASSERT_TRUE(test::waitUntilExposed(*frame));
    }

    TMyWindow* window() const { return qobject_cast<TMyWindow*>(frame->client()); }
    DesktopBackground& desktop() const { return window()->desktop(); }
    PictureView* view() const { return desktop().desktopView(); }

    QString settingPath() const { return dir.absolute("TEXT/DESKTOPM.TXT"); }
    void writeSetting(const QByteArray& content) { dir.writeFile("TEXT/DESKTOPM.TXT", content); }
    QByteArray setting() const {
        QFile file(settingPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    // Writes a BMP of size at relative path; returns its path as the file system has it.
    QByteArray picture(const QString& relativePath, QSize size = QSize(40, 30)) {
        dir.writeFile(relativePath, {});
        patterned(size.width(), size.height()).save(dir.absolute(relativePath), "BMP");
        return QFile::encodeName(dir.absolute(relativePath));
    }

    // Options > Desktop new..., with its file dialog answered: path typed and opened, or the
    // dialog cancelled when path is empty.
    void desktopNew(const QString& path) {
        test::WindowWatch watch(test::WindowWatch::Kind::Modal, [path](QWidget* modal) {
            if (path.isEmpty()) {
                modal->close();
            } else {
                EXPECT_FALSE(test::openInFileDialog(modal, path))
                    << "refused " << path.toStdString();
            }
        });
        trigger("&Desktop new...");
    }
    void desktopRefresh() { trigger("D&esktop refresh"); }
    void trigger(const QString& text) {
        for (QAction* action : frame->popupAt(1)->actions()) {
            if (action->text() == text) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no Options entry " << text.toStdString();
    }

    void expectBox(std::size_t index, const QString& text, const QString& caption, MbIcon icon,
                   MbButtons buttons = MbButtons::Ok) {
        ASSERT_LT(index, boxes.boxes().size());
        const test::RecordedBox& box = boxes.boxes()[index];
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.icon, icon);
        EXPECT_EQ(box.buttons, buttons);
        EXPECT_EQ(box.owner, window());
    }
    void expectUnableToOpen(std::size_t index, const QString& path) {
        expectBox(index, "Unable to open file: " + path + "\n", "Nimbara error", MbIcon::Stop);
    }

    std::unique_ptr<TDecoratedFrame> frame;
};

TEST_F(DesktopTest, TheOptionsMenuOffersBothCommands) {
    writeSetting("\n");
    start();
    QMenu* options = frame->popupAt(1);
    emit options->aboutToShow();
    for (QAction* action : options->actions()) {
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    }
    EXPECT_EQ(options->actions().size(), 2);
}

// An empty first line names the default picture: shown if it is there, else nothing is; either
// way nothing is said and the setting is left alone, at start and on refresh.
struct EmptyFirstLineCase {
    const char* name;
    QByteArray setting;
    bool withDefault;  // whether desktop/CLOUDS.BMP, 40 x 30, is there
    friend void PrintTo(const EmptyFirstLineCase& row, std::ostream* out) { *out << row.name; }
};

class EmptyFirstLine : public DesktopTest,
                       public testing::WithParamInterface<EmptyFirstLineCase> {};

TEST_P(EmptyFirstLine, ShowsTheDefaultPictureIfThereIsOneAndSaysNothing) {
    writeSetting(GetParam().setting);
    const QByteArray clouds = GetParam().withDefault ? picture("desktop/CLOUDS.BMP") : QByteArray();
    start();
    for (const char* when : {"at start", "after a refresh"}) {
        SCOPED_TRACE(when);
        if (std::string_view(when) != "at start") {
            desktopRefresh();
        }
        EXPECT_EQ(desktop().desktopFileName(), clouds);
        if (GetParam().withDefault) {
            ASSERT_NE(view(), nullptr);
            EXPECT_EQ(view()->pictureSize(), QSize(40, 30));
        } else {
            EXPECT_EQ(view(), nullptr);
        }
        EXPECT_TRUE(boxes.boxes().empty());
        EXPECT_EQ(setting(), GetParam().setting);
        EXPECT_EQ(QDir(dir.absolute("TEXT")).entryList(QDir::Files), QStringList{"DESKTOPM.TXT"});
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EmptyFirstLine,
                         testing::Values(EmptyFirstLineCase{"WithTheDefaultPicture", "\n", true},
                                         EmptyFirstLineCase{"WithoutTheDefaultPicture",
                                                            "\nanything\n", false}),
                         [](const testing::TestParamInfo<EmptyFirstLineCase>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(DesktopTest, APathThatNoLongerOpensIsReportedAtStartAndAgainOnRefresh) {
    const QString gone = dir.absolute("Photos/gone.png");
    writeSetting(QFile::encodeName(gone));
    start();
    EXPECT_EQ(view(), nullptr);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    expectUnableToOpen(0, gone);
    desktopRefresh();
    EXPECT_EQ(view(), nullptr);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    expectUnableToOpen(1, gone);
}

TEST_F(DesktopTest, WithoutTheSettingFileANewPictureIsShownButNeverSaved) {
    const QByteArray chosen = picture("Photos/sky.bmp");
    start();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    expectUnableToOpen(0, dir.path() + "/TEXT/DESKTOPM.TXT");
    EXPECT_EQ(view(), nullptr);

    boxes.answerNext(MbAnswer::Yes);
    desktopNew(QFile::decodeName(chosen));
    ASSERT_NE(view(), nullptr);
    EXPECT_EQ(desktop().desktopFileName(), chosen);
    EXPECT_EQ(view()->pictureSize(), QSize(40, 30));
    ASSERT_EQ(boxes.boxes().size(), 3u);
    expectBox(1, "/.../sky.bmp will be saved as desktop", "Nimbara message", MbIcon::Question,
              MbButtons::YesNo);
    expectUnableToOpen(2, dir.path() + "/TEXT/DESKTOPM.TXT");
    EXPECT_FALSE(QFile::exists(settingPath())) << "the program never creates the setting file";
    EXPECT_FALSE(QDir(dir.absolute("TEXT")).exists());
}

TEST_F(DesktopTest, RefreshWithoutTheSettingFileKeepsThePictureOnShow) {
    const QByteArray shown = picture("Photos/sky.bmp");
    writeSetting(shown);
    start();
    ASSERT_NE(view(), nullptr);
    PictureView* before = view();
    QFile::remove(settingPath());
    desktopRefresh();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    expectUnableToOpen(0, settingPath());
    EXPECT_EQ(view(), before);
    EXPECT_EQ(desktop().desktopFileName(), shown);
}

TEST_F(DesktopTest, RefreshShowsWhatTheSettingNamesNow) {
    writeSetting(picture("Photos/first.bmp"));
    start();
    const QByteArray second = picture("Photos/second.bmp", QSize(17, 9));
    writeSetting(second + "\n");
    desktopRefresh();
    ASSERT_NE(view(), nullptr);
    EXPECT_EQ(desktop().desktopFileName(), second);
    EXPECT_EQ(view()->pictureSize(), QSize(17, 9));
    EXPECT_EQ(frame->findChildren<PictureView*>().size(), 1) << "the old view is gone";
}

TEST_F(DesktopTest, YesSavesExactlyThePathAndTheNextStartShowsIt) {
    writeSetting("/an/older/choice.png\nand a second line\n");
    const QByteArray chosen =
        picture(QString::fromUtf8("Fotos M\u00e9t\u00e9o/ciel d'\u00e9t\u00e9.bmp"));
    start();
    boxes.clear();
    boxes.answerNext(MbAnswer::Yes);
    desktopNew(QFile::decodeName(chosen));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    expectBox(0, QString::fromUtf8("/.../ciel d'\u00e9t\u00e9.bmp will be saved as desktop"),
              "Nimbara message", MbIcon::Question, MbButtons::YesNo);
    EXPECT_EQ(setting(), chosen) << "the path alone, no line end, the rest replaced";

    start();
    ASSERT_NE(view(), nullptr);
    EXPECT_EQ(desktop().desktopFileName(), chosen);
    EXPECT_EQ(boxes.boxes().size(), 1u);
}

TEST_F(DesktopTest, NoKeepsTheNewPictureOnShowAndTheSettingAsItWas) {
    writeSetting("\n");
    const QByteArray chosen = picture("Photos/sky.bmp");
    start();
    desktopNew(QFile::decodeName(chosen));  // the question is answered No
    ASSERT_EQ(boxes.boxes().size(), 1u);
    ASSERT_NE(view(), nullptr);
    EXPECT_EQ(desktop().desktopFileName(), chosen);
    EXPECT_EQ(setting(), "\n");
}

TEST_F(DesktopTest, ANewPictureThatIsRefusedIsReportedBeforeTheQuestion) {
    writeSetting("\n");
    dir.writeFile("Photos/notes.png", "notes, not a picture\n");
    start();
    boxes.answerNext(MbAnswer::Ok);
    boxes.answerNext(MbAnswer::Yes);
    desktopNew(dir.absolute("Photos/notes.png"));
    EXPECT_EQ(boxes.texts(),
              (QStringList{"Unknown image read error", "/.../notes.png will be saved as desktop"}));
    ASSERT_NE(view(), nullptr) << "a grey view";
    EXPECT_EQ(view()->pictureSize(), QSize());
    EXPECT_EQ(setting(), QFile::encodeName(dir.absolute("Photos/notes.png")))
        << "saved all the same, as the user asked";
}

TEST_F(DesktopTest, CancellingTheFileDialogChangesNothing) {
    const QByteArray shown = picture("Photos/sky.bmp");
    writeSetting(shown);
    start();
    PictureView* before = view();
    desktopNew(QString());
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(view(), before);
    EXPECT_EQ(desktop().desktopFileName(), shown);
    EXPECT_EQ(setting(), shown);
}

TEST_F(DesktopTest, TheFileDialogIsTheWindowsOwnAndStartsAtThePreviousChoice) {
    writeSetting("\n");
    const QByteArray first = picture("Photos/first.bmp");
    picture("Photos/second.bmp");
    start();
    desktopNew(QFile::decodeName(first));

    QString filterTexts;
    QString startedIn;
    QString offered;
    QWidget* owner = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    test::WindowWatch watch(test::WindowWatch::Kind::Modal, [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filterTexts = dialog->nameFilters().join(" | ");
        startedIn = dialog->directory().absolutePath();
        offered = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        owner = dialog->parentWidget();
        modality = dialog->windowModality();
        dialog->reject();
    });
    trigger("&Desktop new...");
    EXPECT_EQ(filterTexts, "Image files (*.bmp;*.gif;*.jpg;*.png)");
    EXPECT_EQ(startedIn, dir.absolute("Photos"));
    EXPECT_EQ(offered, "first.bmp");
    EXPECT_EQ(owner, window());
    EXPECT_EQ(modality, Qt::WindowModal) << "blocks the main window, not the help windows";
}

TEST_F(DesktopTest, AWriteThatFailsShowsTheBoxAndLeavesTheOldSettingWhole) {
    const QByteArray old = "/an/older/choice.png\nsecond line\n";
    writeSetting(old);
    const QByteArray chosen = picture("Photos/a rather long name for a picture.bmp");
    start();
    boxes.clear();
    // The disk fills up while the new setting is written: no file may grow beyond 8 bytes.
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    boxes.onNextBox([&previous](const test::RecordedBox&) {
        rlimit full = previous;
        full.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &full);
    });
    boxes.answerNext(MbAnswer::Yes);
    desktopNew(QFile::decodeName(chosen));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    expectUnableToOpen(1, settingPath());
    EXPECT_EQ(setting(), old);
    EXPECT_EQ(QDir(dir.absolute("TEXT")).entryList(QDir::Files), QStringList{"DESKTOPM.TXT"})
        << "no half-written file left beside it";
    EXPECT_EQ(desktop().desktopFileName(), chosen) << "the picture stays on show";
}

class ReadOnly : public DesktopTest, public testing::WithParamInterface<const char*> {};

TEST_P(ReadOnly, TheSettingIsNotReplaced) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "the administrator may write anything";
    }
    writeSetting("\n");
    const QString locked = QString(GetParam()) == "file" ? settingPath() : dir.absolute("TEXT");
    const QFile::Permissions before = QFile::permissions(locked);
    QFile::setPermissions(locked, before & ~(QFile::WriteOwner | QFile::WriteGroup |
                                             QFile::WriteOther | QFile::WriteUser));
    const QByteArray chosen = picture("Photos/sky.bmp");
    start();
    boxes.answerNext(MbAnswer::Yes);
    desktopNew(QFile::decodeName(chosen));
    QFile::setPermissions(locked, before);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    expectUnableToOpen(1, settingPath());
    EXPECT_EQ(setting(), "\n");
}

INSTANTIATE_TEST_SUITE_P(SettingFileOrItsFolder, ReadOnly, testing::Values("file", "folder"));

TEST_F(DesktopTest, APathLongerThanTheOldBufferIsReadAndWrittenWhole) {
    QString folder = "Photos";
    while (folder.size() < 300) {
        folder += "/a folder with a name of some length";
    }
    const QByteArray deep = picture(folder + "/deep.bmp");
    ASSERT_GT(deep.size(), 300);
    writeSetting(deep + "\n");
    start();
    EXPECT_EQ(desktop().desktopFileName(), deep);
    ASSERT_NE(view(), nullptr);
    EXPECT_TRUE(boxes.boxes().empty());

    const QByteArray other = picture(folder + "/other.bmp");
    boxes.answerNext(MbAnswer::Yes);
    desktopNew(QFile::decodeName(other));
    EXPECT_EQ(setting(), other);
}

TEST_F(DesktopTest, APathThatIsNotUtf8OpensAndIsReportedReadably) {
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray odd = folder + "/nuage-\xe9t\xe9.bmp";
    {
        const QByteArray content = encoded(patterned(5, 5), "BMP");
        FILE* file = std::fopen(odd.constData(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(content.constData(), 1, static_cast<std::size_t>(content.size()), file);
        std::fclose(file);
    }
    writeSetting(odd);
    start();
    EXPECT_TRUE(boxes.boxes().empty());
    ASSERT_NE(view(), nullptr);
    EXPECT_EQ(view()->pictureSize(), QSize(5, 5));
    ::unlink(odd.constData());  // the temporary folder cannot list it to remove it

    desktopRefresh();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    expectUnableToOpen(0, dir.path() + QString::fromUtf8("/nuage-\ufffdt\ufffd.bmp"));
}

struct FirstLineCase {
    const char* name;
    std::function<QByteArray(const QByteArray& picture, const QByteArray& folder)> content;
    QByteArray shown;  // "picture" when the picture is chosen, else the text of the box
    friend void PrintTo(const FirstLineCase& row, std::ostream* out) { *out << row.name; }
};

class FirstLine : public DesktopTest, public testing::WithParamInterface<FirstLineCase> {};

TEST_P(FirstLine, ChoosesThePictureOrSaysWhyNot) {
    const QByteArray path = picture("Photos/sky.bmp");
    writeSetting(GetParam().content(path, QFile::encodeName(dir.absolute("Photos"))));
    start();
    if (GetParam().shown == "picture") {
        EXPECT_EQ(desktop().desktopFileName(), path);
        EXPECT_TRUE(boxes.boxes().empty());
    } else {
        EXPECT_TRUE(desktop().desktopFileName().isEmpty());
        ASSERT_EQ(boxes.boxes().size(), 1u);
        expectUnableToOpen(0, QString(GetParam().shown).replace("<dir>", dir.path()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstLine,
    testing::Values(
        FirstLineCase{"NoLineEnd", [](auto& path, auto&) { return path; }, "picture"},
        FirstLineCase{"DosLineEnd", [](auto& path, auto&) { return path + "\r\n"; }, "picture"},
        FirstLineCase{"LaterLinesIgnored",
                      [](auto& path, auto&) { return path + "\n/gone.png\n\n"; }, "picture"},
        FirstLineCase{"AFolder", [](auto&, auto& folder) { return folder + "\n"; }, "<dir>/Photos"},
        FirstLineCase{"ALeadingBlankIsPartOfThePath", [](auto& path, auto&) { return " " + path; },
                      " <dir>/Photos/sky.bmp"}),
    [](const testing::TestParamInfo<FirstLineCase>& row) { return std::string(row.param.name); });

TEST_F(DesktopTest, ARefusedPictureGivesOneBoxAndAGreyView) {
    dir.writeFile("Photos/notes.png", "these are notes, not a picture\n");
    writeSetting(QFile::encodeName(dir.absolute("Photos/notes.png")));
    start();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    expectBox(0, "Unknown image read error", "Nimbara error", MbIcon::Stop);
    ASSERT_NE(view(), nullptr);
    EXPECT_TRUE(view()->isVisible());
    const QImage seen = window()->grab().toImage();
    EXPECT_EQ(seen.pixel(0, 0), kGrey);
    EXPECT_EQ(seen.pixel(seen.width() - 1, seen.height() - 1), kGrey);
}

TEST_F(DesktopTest, ThePictureIsTiledOverTheWholeWindowFromTheTopLeft) {
    const QImage tile = patterned(37, 23);
    writeSetting(picture("Photos/tile.bmp", tile.size()));
    start();
    ASSERT_NE(view(), nullptr);
    EXPECT_EQ(view()->geometry(), window()->rect());
    const QImage seen = window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (const QString folder = qEnvironmentVariable("NIMBARA_TEST_GRABS"); !folder.isEmpty()) {
        frame->grab().save(folder + "/desktop-tiled.png");
    }
    ASSERT_EQ(seen.size(), window()->size());
    for (int y = 0; y < seen.height(); y += 3) {
        for (int x = 0; x < seen.width(); x += 5) {
            ASSERT_EQ(seen.pixel(x, y), tile.pixel(x % 37, y % 23)) << x << "," << y;
        }
    }
}

TEST_F(DesktopTest, TheViewFollowsTheWindowsSize) {
    writeSetting(picture("Photos/sky.bmp"));
    start();
    ASSERT_NE(view(), nullptr);
    const QSize before = window()->size();
    frame->setWindowState(Qt::WindowNoState);
    frame->resize(500, 400);
    ASSERT_TRUE(waitUntil([&] { return window()->size() != before; }))
        << "the window kept its size";
    EXPECT_EQ(view()->geometry(), window()->rect());
}

TEST_F(DesktopTest, ARightClickOnThePictureOpensTheGamesMenuAtThePointer) {
    writeSetting(picture("Photos/sky.bmp"));
    start();
    ASSERT_NE(view(), nullptr);
    const QPoint click(123, 87);
    QWidget* shown = nullptr;
    QPoint opened;
    test::WindowWatch watch(test::WindowWatch::Kind::Popup, [&](QWidget* menu) {
        shown = menu;
        opened = menu->pos();
        menu->close();
    });
    QTest::mouseClick(view(), Qt::RightButton, {}, click);
    EXPECT_EQ(shown, frame->popupAt(kGamesPopupPosition));
    EXPECT_EQ(opened, view()->mapToGlobal(click));
}

// The first line is emptied while the program runs: a refresh switches to the default picture if
// it is there, else the picture on show stays, in the same view; nothing is said either way.
class RefreshToAnEmptyFirstLine : public DesktopTest, public testing::WithParamInterface<bool> {};

TEST_P(RefreshToAnEmptyFirstLine, SwitchesToTheDefaultPictureOrKeepsThePictureOnShow) {
    const bool withDefault = GetParam();
    const QByteArray own = picture("Photos/own.bmp", QSize(17, 9));
    writeSetting(own);
    start();
    PictureView* before = view();
    ASSERT_NE(before, nullptr);
    ASSERT_EQ(desktop().desktopFileName(), own);
    const QByteArray clouds = withDefault ? picture("desktop/CLOUDS.BMP") : QByteArray();
    writeSetting("\n");
    desktopRefresh();
    EXPECT_TRUE(boxes.boxes().empty());
    ASSERT_NE(view(), nullptr);
    EXPECT_EQ(desktop().desktopFileName(), withDefault ? clouds : own);
    EXPECT_EQ(view()->pictureSize(), withDefault ? QSize(40, 30) : QSize(17, 9));
    if (!withDefault) {
        EXPECT_EQ(view(), before) << "the view on show stays";
    }
    EXPECT_EQ(setting(), "\n") << "the setting is not rewritten";
}

INSTANTIATE_TEST_SUITE_P(DefaultPicture, RefreshToAnEmptyFirstLine, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& row) {
                             return std::string(row.param ? "There" : "Missing");
                         });

// What the setting file or the picture it names may be instead of a file: each is reported as a
// file that does not open, at once, and the program starts without a picture.
struct NotAFileCase {
    const char* name;
    const char* setting;  // "pipe", the target of a link, or "file" naming the picture
    const char* picture;  // when the setting is a file: "pipe" or the target of a link
    friend void PrintTo(const NotAFileCase& row, std::ostream* out) { *out << row.name; }
};

class NotAFile : public DesktopTest, public testing::WithParamInterface<NotAFileCase> {};

TEST_P(NotAFile, IsReportedAsAFileThatDoesNotOpen) {
    const QString setting = GetParam().setting;
    const QString named = setting == "file" ? dir.absolute("Photos/sky.bmp") : settingPath();
    if (setting == "file") {
        writeSetting(QFile::encodeName(named) + "\n");
    }
    QDir().mkpath(QFileInfo(named).path());
    const QString what = setting == "file" ? GetParam().picture : setting;
    test::UnwrittenPipe pipe(what == "pipe" ? named : dir.absolute("unused-pipe"));
    ASSERT_TRUE(pipe.isValid());
    if (what != "pipe") {
        QFile::remove(named);
        ASSERT_TRUE(QFile::link(what, named));
    }
    const test::MemoryCeiling ceiling(512);
    start();
    EXPECT_FALSE(pipe.releasedAReader()) << "the program waited on the pipe";
    ASSERT_EQ(boxes.boxes().size(), 1u);
    expectUnableToOpen(0, named);
    EXPECT_EQ(view(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NotAFile,
    testing::Values(NotAFileCase{"SettingIsANamedPipe", "pipe", ""},
                    NotAFileCase{"SettingIsALinkToADevice", "/dev/zero", ""},
                    NotAFileCase{"PictureIsANamedPipe", "file", "pipe"},
                    NotAFileCase{"PictureIsALinkToADevice", "file", "/dev/zero"}),
    [](const testing::TestParamInfo<NotAFileCase>& row) { return std::string(row.param.name); });

TEST_F(DesktopTest, AFirstLineLongerThanAnyPathIsReadOnlyAsFarAsAPathCanGo) {
    const QByteArray endless = "/" + QByteArray(1024 * 1024, 'a');
    writeSetting(endless);
    start();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Unable to open file: " + endless.left(4095) + "\n");
    EXPECT_EQ(view(), nullptr);
}

TEST_F(DesktopTest, ASettingFileThatIsALinkIsReplacedNotWrittenThrough) {
    dir.writeFile("Elsewhere/notes.txt", "the user's notes\n");
    const QString notes = dir.absolute("Elsewhere/notes.txt");
    QFile::setPermissions(notes, QFile::ReadOwner | QFile::WriteOwner);
    dir.writeFile("TEXT/unused", "");
    ASSERT_TRUE(QFile::link(notes, settingPath()));
    const QByteArray chosen = picture("Photos/sky.bmp");
    start();
    boxes.answerNext(MbAnswer::Yes);
    desktopNew(QFile::decodeName(chosen));
    EXPECT_EQ(boxes.boxes().size(), 2u);
    EXPECT_FALSE(QFileInfo(settingPath()).isSymLink());
    EXPECT_EQ(setting(), chosen);
    QFile kept(notes);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "the user's notes\n");
    const QFile::Permissions forUser = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    EXPECT_EQ(QFile::permissions(notes) & ~forUser, QFile::ReadOwner | QFile::WriteOwner)
        << "the mode of what the link leads to is kept";
}

// Chooses the file name in the open file dialog as it stands, whatever characters it holds.
void chooseInFileDialog(QWidget* modal, const QString& folder, const QString& name) {
    auto* files = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(files, nullptr);
    files->setDirectory(folder);
    files->findChild<QLineEdit*>("fileNameEdit")->setText(name);
    files->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Open)->click();
    if (files->isVisible()) {
        ADD_FAILURE() << "the dialog refused the name";
        files->reject();
    }
}

TEST_F(DesktopTest, APictureWithALineEndInItsNameIsRefusedAndNothingIsSaved) {
    const QByteArray shown = picture("Photos/sky.bmp");
    writeSetting(shown);
    for (const QString& name : {QString("two\nlines.bmp"), QString("carriage\rreturn.bmp")}) {
        picture("Photos/" + name);
        start();
        boxes.clear();
        boxes.answerNext(MbAnswer::Yes);
        test::WindowWatch watch(test::WindowWatch::Kind::Modal, [&](QWidget* modal) {
            chooseInFileDialog(modal, dir.absolute("Photos"), name);
        });
        trigger("&Desktop new...");
        ASSERT_EQ(boxes.boxes().size(), 1u) << name.toStdString();
        expectBox(0, "Image names with line breaks not supported by Nimbara", "Nimbara error",
                  MbIcon::Stop);
        EXPECT_EQ(desktop().desktopFileName(), shown) << "the picture on show stays";
        EXPECT_EQ(setting(), shown);
    }
}

TEST(DesktopQuestion, NamesTheRootAndTheFileOnly) {
    EXPECT_EQ(desktopQuestion("/home/ann/Photos/storm.jpg"),
              "/.../storm.jpg will be saved as desktop");
    EXPECT_EQ(desktopQuestion("/storm.jpg"), "/.../storm.jpg will be saved as desktop");
}

}  // namespace
}  // namespace nimbara
