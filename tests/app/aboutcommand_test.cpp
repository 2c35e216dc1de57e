#include "app/tmyapp.h"
#include "app/tmywindow.h"
#include "hyperlink/thlinkctrl.h"
#include "hyperlink/tinfoaboutdialog.h"
#include "platform/tdecoratedframe.h"
#include "resources/resourceids.h"
#include "tests/support/urlrecorder.h"
#include "tests/support/widgettest.h"
#include "tests/support/windowsysteminput.h"
#include "tests/support/windowwatch.h"

#include <QMenu>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

using Kind = test::WindowWatch::Kind;

class AboutCommandTest : public test::WidgetTest {
protected:
    AboutCommandTest() {
        dir.writeFile("TEXT/DESKTOPM.TXT", "\n");  // the default picture, which is absent
        frame->showMaximisedAlways();
        EXPECT_TRUE(test::waitUntilExposed(*frame));
    }
    ~AboutCommandTest() override { frame->hide(); }

    TMyWindow* window() const { return qobject_cast<TMyWindow*>(frame->client()); }

    test::UrlRecorder browser;
    std::unique_ptr<TDecoratedFrame> frame = createMainFrame();
};

TEST_F(AboutCommandTest, EachRunIsANewBoxOnTheMainWindowWithABlueLink) {
    struct Seen {
        QWidget* parent = nullptr;
        double opacity = 0;
        THLinkCtrl::LinkState state = THLinkCtrl::Hover;
        QColor colour;
    };
    std::vector<Seen> runs;
    for (int run = 0; run < 2; ++run) {
        test::WindowWatch watch(Kind::Modal, [&](QWidget* modal) {
            auto* about = qobject_cast<TInfoAboutDialog*>(modal);
            ASSERT_NE(about, nullptr);
            THLinkCtrl* link = about->hyperlink();
            runs.push_back({about->parentWidget(), about->windowOpacity(), link->linkState(),
                            link->textColour()});
            link->CmOpen();  // visits the link of this box
            about->accept();
        });
        window()->EvCommand(CM_ABOUT);
        EXPECT_FALSE(watch.expired());
    }
    ASSERT_EQ(runs.size(), 2u);
    for (const Seen& seen : runs) {
        EXPECT_EQ(seen.parent, window());
        EXPECT_EQ(seen.opacity, 1.0) << "the offscreen platform does not composite";
        EXPECT_EQ(seen.state, THLinkCtrl::Normal) << "blue again, though the first was visited";
        EXPECT_EQ(seen.colour, QColor(0, 0, 255));
    }
    EXPECT_EQ(browser.opened().size(), 2);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(AboutCommandTest, TheLinkMenuHintsShowInTheFramesStatusBar) {
    QStringList hints;
    QString afterClose = "not read";
    test::WindowWatch aboutWatch(Kind::Modal, [&](QWidget* modal) {
        auto* about = qobject_cast<TInfoAboutDialog*>(modal);
        {
            test::WindowWatch menuWatch(Kind::Popup, [&](QWidget* popup) {
                auto* menu = qobject_cast<QMenu*>(popup);
                for (int item : {0, 2, 1, 7}) {
                    test::hoverMenuItem(menu, item);
                    hints << frame->statusBar()->currentMessage();
                }
                menu->close();
            });
            about->hyperlink()->ShowContextMenu(-1, -1);
        }
        afterClose = frame->statusBar()->currentMessage();
        about->reject();
    });
    window()->EvCommand(CM_ABOUT);
    EXPECT_FALSE(aboutWatch.expired());
    EXPECT_EQ(hints, (QStringList{"Opens this shortcut", "Copy this shortcut to the clipboard", "",
                                  "Show the properties of this item"}));
    EXPECT_EQ(afterClose, "") << "closing the menu clears the hint";
}

}  // namespace
}  // namespace nimbara
