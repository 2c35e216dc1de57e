#include "platform/messagebox.h"
#include "tests/support/waits.h"
#include "tests/support/windowsysteminput.h"
#include "tests/support/windowwatch.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

// The desktop's boxes themselves (no recorder): whom a box blocks while it is open.
class DesktopBoxTest : public testing::Test {
protected:
    DesktopBoxTest() {
        EXPECT_TRUE(test::showAndWait(mainWindow));
        EXPECT_TRUE(test::showAndWait(helpWindow));
        setApplicationWindow(&mainWindow);
        QObject::connect(&helpWindow, &QPushButton::clicked, [this] { ++helpClicks; });
    }
    ~DesktopBoxTest() override { setApplicationWindow(nullptr); }

    // Shows an ownerless box; while it is open, notes whom it is modal to and whether the help
    // window still takes a click, then presses its OK button.
    void showOwnerlessBox() {
        test::WindowWatch modalWatch(test::WindowWatch::Kind::Modal, [this](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            boxParent = box->parentWidget();
            boxModality = box->windowModality();
            test::clickThroughWindowSystem(&helpWindow);
            box->button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(messageBox(nullptr, "text", "caption", MbIcon::Stop), MbAnswer::Ok);
    }

    QWidget mainWindow;
    QPushButton helpWindow{"Help window"};
    int helpClicks = 0;
    QWidget* boxParent = nullptr;
    Qt::WindowModality boxModality = Qt::NonModal;
};

TEST_F(DesktopBoxTest, AnOwnerlessBoxBlocksTheMainWindowButNotAHelpWindow) {
    showOwnerlessBox();
    EXPECT_EQ(boxParent, &mainWindow);
    EXPECT_EQ(boxModality, Qt::WindowModal);
    EXPECT_EQ(helpClicks, 1);
}

TEST_F(DesktopBoxTest, DuringAModalDialogAnOwnerlessBoxBlocksTheDialog) {
    QDialog game(&mainWindow);
    game.setWindowModality(Qt::WindowModal);
    test::WindowWatch modalWatch(test::WindowWatch::Kind::Modal, [&](QWidget*) {
        showOwnerlessBox();
        game.reject();
    });
    game.exec();
    EXPECT_EQ(boxParent, &game);
    EXPECT_EQ(boxModality, Qt::WindowModal);
    EXPECT_EQ(helpClicks, 1);
}

}  // namespace
}  // namespace nimbara
