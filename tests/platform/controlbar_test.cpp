// The control bar as a screen reader sees it: every button it holds has a name.
#include "platform/tdecoratedframe.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMainWindow>
#include <QToolBar>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

TEST(ControlBar, EveryButtonItHoldsHasAName) {
    QMainWindow frame;
    QToolBar* bar = createControlBar(&frame);
    const QList<QAbstractButton*> buttons = bar->findChildren<QAbstractButton*>();
    ASSERT_FALSE(buttons.isEmpty()) << "the bar's extension button";
    for (QAbstractButton* button : buttons) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), "More controls")
            << button->objectName().toStdString();
    }
}

}  // namespace
}  // namespace nimbara
