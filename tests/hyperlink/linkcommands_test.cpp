#include "hyperlink/thlinkctrl.h"
#include "hyperlink/thlinkpage.h"
#include "hyperlink/thlinksheet.h"
#include "hyperlink/tinfoaboutdialog.h"
#include "resources/resourceids.h"
#include "tests/hyperlink/homepage.h"
#include "tests/hyperlink/rowname.h"
#include "tests/hyperlink/xdgfolders.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/urlrecorder.h"
#include "tests/support/waits.h"
#include "tests/support/windowwatch.h"

#include <QApplication>
#include <QClipboard>
#include <QDirIterator>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace nimbara {
namespace {

const QString kLinkText = "Visit the Nimbara (Tolvane) Web Site";
using test::kHomePage;

// Every file under folder, relative to it, sorted.
QStringList filesUnder(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << QDir(folder).relativeFilePath(it.next());
    }
    files.sort();
    return files;
}

QString fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QAction* findAction(QWidget* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

// The commands act on the About box's link, as the program has it.
class LinkCommandsTest : public testing::Test {
protected:
    LinkCommandsTest() { EXPECT_TRUE(test::showAndWait(about)); }

    // Opens the link's menu from the keyboard and chooses item; the command runs once the menu
    // has closed, when the events are next processed.
    void choose(const QString& item) {
        test::WindowWatch watch(test::WindowWatch::Kind::Popup, [&](QWidget* menu) {
            QAction* action = findAction(menu, item);
            ASSERT_NE(action, nullptr) << item.toStdString();
            action->trigger();
            menu->close();
        });
        link()->ShowContextMenu(-1, -1);
        EXPECT_FALSE(watch.expired());
    }
    THLinkCtrl* link() const { return about.hyperlink(); }

    test::XdgFolders folders;
    test::UrlRecorder browser;
    test::MessageBoxRecorder boxes;
    TInfoAboutDialog about{nullptr, IDD_ABOUT, false};
};

TEST_F(LinkCommandsTest, TheMenuHasFiveCommandsWithAccessKeysAndHints) {
    QStringList items;
    QStringList hints;
    Qt::CursorShape cursorWhileOpen = Qt::BitmapCursor;
    bool openFlag = false;
    {
        test::WindowWatch watch(test::WindowWatch::Kind::Popup, [&](QWidget* menu) {
            for (const QAction* action : menu->actions()) {
                items << (action->isSeparator() ? QString("-") : action->text());
                hints << action->statusTip();
                EXPECT_TRUE(action->isSeparator() || action->isEnabled());
            }
            cursorWhileOpen = link()->cursor().shape();
            openFlag = link()->popupOpen();
            menu->close();
        });
        link()->ShowContextMenu(-1, -1);
    }
    EXPECT_EQ(items, (QStringList{"&Open", "-", "Copy Shor&tcut", "-", "Add to &Favorites",
                                  "Add to &Desktop", "-", "P&roperties"}));
    EXPECT_EQ(hints, (QStringList{"Opens this shortcut", "", "Copy this shortcut to the clipboard",
                                  "", "Add this shortcut to your Favorites",
                                  "Add this shortcut to the Desktop", "",
                                  "Show the properties of this item"}));
    EXPECT_EQ(cursorWhileOpen, Qt::ArrowCursor) << "the arrow shows while the menu is open";
    EXPECT_TRUE(openFlag);
    EXPECT_EQ(link()->cursor().shape(), Qt::BitmapCursor) << "and the hand again after";
    EXPECT_FALSE(link()->popupOpen());
}

class LinkMenuItemTest;

// One menu item and what it leaves behind once its command has run.
struct ItemRow {
    const char* name;
    const char* item;
    std::function<bool(const LinkMenuItemTest&)> done;
};

class LinkMenuItemTest : public LinkCommandsTest, public testing::WithParamInterface<ItemRow> {
public:
    bool opened() const { return browser.opened() == QList<QUrl>{QUrl(kHomePage)}; }
    bool copied() const { return QGuiApplication::clipboard()->text() == kHomePage; }
    bool onDesktop() const {
        return QFile::exists(folders.desktop() + "/" + kLinkText + ".desktop");
    }
    bool inFavorites() const {
        return QFile::exists(folders.favorites() + "/" + kLinkText + ".desktop");
    }
};

TEST_P(LinkMenuItemTest, RunsItsCommandAfterTheMenuHasClosed) {
    QGuiApplication::clipboard()->setText("before");
    choose(GetParam().item);
    EXPECT_FALSE(GetParam().done(*this)) << "not while the menu is open";
    ASSERT_TRUE(test::waitForPostedEvents());
    EXPECT_TRUE(GetParam().done(*this));
    EXPECT_TRUE(boxes.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Items, LinkMenuItemTest,
    testing::Values(ItemRow{"open", "&Open",
                            [](const LinkMenuItemTest& fixture) { return fixture.opened(); }},
                    ItemRow{"copy_shortcut", "Copy Shor&tcut",
                            [](const LinkMenuItemTest& fixture) { return fixture.copied(); }},
                    ItemRow{"add_to_favorites", "Add to &Favorites",
                            [](const LinkMenuItemTest& fixture) { return fixture.inFavorites(); }},
                    ItemRow{"add_to_desktop", "Add to &Desktop",
                            [](const LinkMenuItemTest& fixture) { return fixture.onDesktop(); }}),
    test::rowName<ItemRow>);

TEST_F(LinkCommandsTest, CopyShortcutLeavesTheUrlNotTheText) {
    QGuiApplication::clipboard()->setText("something else");
    EXPECT_TRUE(link()->EvCommand(CM_LINK_COPY_SHORTCUT));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), kHomePage);
    EXPECT_EQ(link()->text(), kLinkText);
}

struct FolderRow {
    const char* name;
    int command;
    QString (test::XdgFolders::*folder)() const;
};

class LinkShortcutTest : public LinkCommandsTest, public testing::WithParamInterface<FolderRow> {};

TEST_P(LinkShortcutTest, WritesALinkFileNamedAfterTheTextTwiceToTheSamePath) {
    const QString folder = (folders.*GetParam().folder)();
    link()->EvCommand(GetParam().command);
    link()->EvCommand(GetParam().command);
    const QString expectedFile = kLinkText + ".desktop";
    EXPECT_EQ(filesUnder(folder), QStringList{expectedFile});
    EXPECT_EQ(fileText(folder + "/" + expectedFile),
              "[Desktop Entry]\n"
              "Version=1.0\n"
              "Type=Link\n"
              "Name=" +
                  kLinkText +
                  "\n"
                  "URL=" +
                  kHomePage +
                  "\n"
                  "Icon=text-html\n");
    EXPECT_TRUE(QFile::permissions(folder + "/" + expectedFile) & QFileDevice::ExeOwner)
        << "desktops open only entries marked executable";
    EXPECT_TRUE(boxes.boxes().empty()) << "no message, not even for the second save";
}

INSTANTIATE_TEST_SUITE_P(
    Folders, LinkShortcutTest,
    testing::Values(FolderRow{"favorites", CM_LINK_ADD_TO_FAVORITES, &test::XdgFolders::favorites},
                    FolderRow{"desktop", CM_LINK_ADD_TO_DESKTOP, &test::XdgFolders::desktop}),
    test::rowName<FolderRow>);

struct BadNameRow {
    const char* name;
    QString text;
};

class LinkBadNameTest : public LinkCommandsTest, public testing::WithParamInterface<BadNameRow> {};

TEST_P(LinkBadNameTest, ATextNoFileNameMayHoldWritesNothingAnywhere) {
    link()->setText(GetParam().text);
    const QStringList before = filesUnder(folders.root());
    EXPECT_FALSE(link()->AddShortcut(ShortcutFolder::Favorites));
    EXPECT_FALSE(link()->AddShortcut(ShortcutFolder::Desktop));
    link()->EvCommand(CM_LINK_ADD_TO_FAVORITES);
    link()->EvCommand(CM_LINK_ADD_TO_DESKTOP);
    EXPECT_EQ(filesUnder(folders.root()), before);
    EXPECT_FALSE(QDir(folders.favorites()).exists());
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Names, LinkBadNameTest,
                         testing::Values(BadNameRow{"a_slash", "Weather/Sea"},
                                         BadNameRow{"only_a_slash", "/"},
                                         BadNameRow{"a_folder_above", "../escape"},
                                         BadNameRow{"a_nul", QString("Sea") + QChar(0) + "state"}),
                         test::rowName<BadNameRow>);

TEST_F(LinkCommandsTest, ThePropertiesSheetShowsTheTextAndTheUrlReadOnly) {
    struct Seen {
        QString caption;
        QWidget* parent = nullptr;
        Qt::WindowModality modality = Qt::NonModal;
        QStringList tabs;
        QString name;
        QString url;
        bool nameReadOnly = false;
        bool urlReadOnly = false;
        QString label;
        QWidget* labelBuddy = nullptr;
        QWidget* urlField = nullptr;
        QStringList buttons;
        bool icon = false;
    } seen;
    test::WindowWatch sheetWatch(test::WindowWatch::Kind::Modal, [&](QWidget* window) {
        auto* sheet = qobject_cast<THLinkSheet*>(window);
        ASSERT_NE(sheet, nullptr);
        seen.caption = sheet->windowTitle();
        seen.parent = sheet->parentWidget();
        seen.modality = sheet->windowModality();
        for (int tab = 0; tab < sheet->tabs()->count(); ++tab) {
            seen.tabs << sheet->tabs()->tabText(tab);
        }
        THLinkPage* page = sheet->page();
        seen.name = page->control<QPlainTextEdit>(IDC_LINK_NAME)->toPlainText();
        seen.nameReadOnly = page->control<QPlainTextEdit>(IDC_LINK_NAME)->isReadOnly();
        seen.urlField = page->control<QLineEdit>(IDC_LINK_URL);
        seen.url = page->control<QLineEdit>(IDC_LINK_URL)->text();
        seen.urlReadOnly = page->control<QLineEdit>(IDC_LINK_URL)->isReadOnly();
        seen.label = page->control<QLabel>(IDC_LINK_ADDRESS_LABEL)->text();
        seen.labelBuddy = page->control<QLabel>(IDC_LINK_ADDRESS_LABEL)->buddy();
        for (const QPushButton* button : sheet->findChildren<QPushButton*>()) {
            if (button->isVisible()) {
                seen.buttons << button->text();
            }
        }
        for (const QLabel* label : page->findChildren<QLabel*>()) {
            seen.icon = seen.icon || !label->pixmap().isNull();
        }
        sheet->cancelButton()->click();
    });
    choose("P&roperties");
    ASSERT_TRUE(test::waitForPostedEvents());
    EXPECT_TRUE(sheetWatch.acted());
    EXPECT_FALSE(sheetWatch.expired());
    EXPECT_EQ(seen.caption, "Properties");
    EXPECT_EQ(seen.parent, &about) << "the sheet belongs to the link's parent window";
    EXPECT_EQ(seen.modality, Qt::WindowModal);
    EXPECT_EQ(seen.tabs, QStringList{"General"});
    EXPECT_EQ(seen.name, kLinkText);
    EXPECT_EQ(seen.url, kHomePage);
    EXPECT_TRUE(seen.nameReadOnly);
    EXPECT_TRUE(seen.urlReadOnly);
    EXPECT_EQ(seen.label, "Address (URL):");
    EXPECT_EQ(seen.labelBuddy, seen.urlField);
    EXPECT_EQ(seen.buttons, (QStringList{"OK", "Cancel"})) << "no Apply";
    EXPECT_TRUE(seen.icon);
    EXPECT_EQ(link()->text(), kLinkText);
    EXPECT_EQ(link()->linkUrl(), kHomePage);
}

struct SheetEndRow {
    const char* name;
    std::function<void(THLinkSheet*)> end;
    int result;
};

class LinkSheetEndTest : public LinkCommandsTest,
                         public testing::WithParamInterface<SheetEndRow> {};

TEST_P(LinkSheetEndTest, TheSheetEnds) {
    THLinkSheet sheet(&about);
    sheet.page()->SetLink(link());
    test::WindowWatch watch(test::WindowWatch::Kind::Modal,
                            [&](QWidget*) { GetParam().end(&sheet); });
    EXPECT_EQ(sheet.Execute(), GetParam().result);
    EXPECT_FALSE(watch.expired());
    EXPECT_FALSE(sheet.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, LinkSheetEndTest,
    testing::Values(
        SheetEndRow{"ok", [](THLinkSheet* sheet) { sheet->okButton()->click(); },
                    QDialog::Accepted},
        SheetEndRow{"enter_in_the_url_field",
                    [](THLinkSheet* sheet) {
                        QTest::keyClick(sheet->page()->control(IDC_LINK_URL), Qt::Key_Return);
                    },
                    QDialog::Accepted},
        SheetEndRow{"escape_in_the_name_field",
                    [](THLinkSheet* sheet) {
                        QTest::keyClick(sheet->page()->control(IDC_LINK_NAME), Qt::Key_Escape);
                    },
                    QDialog::Rejected},
        SheetEndRow{"cancel", [](THLinkSheet* sheet) { sheet->cancelButton()->click(); },
                    QDialog::Rejected}),
    test::rowName<SheetEndRow>);

}  // namespace
}  // namespace nimbara
