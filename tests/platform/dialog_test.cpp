#include "platform/dialogunits.h"
#include "platform/tdialog.h"
#include "tests/support/waits.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

// Two radio groups, a static, a group box and the OK and Cancel buttons.
const DialogTemplate& smallTemplate() {
    static const DialogTemplate templ{
        4711,
        "Small",
        0,
        0,
        200,
        100,
        "DejaVu Sans",
        8,
        {
            {ControlKind::GroupBox, -1, "First", 5, 5, 90, 60, 0},
            {ControlKind::AutoRadioButton, 101, "one", 10, 15, 60, 12, WsTabStop | WsGroup},
            {ControlKind::AutoRadioButton, 102, "two", 10, 30, 60, 12, WsTabStop},
            {ControlKind::AutoRadioButton, 201, "three", 110, 15, 60, 12, WsTabStop | WsGroup},
            {ControlKind::AutoRadioButton, 202, "four", 110, 30, 60, 12, WsTabStop},
            {ControlKind::Static, 300, "centred <b>text</b>", 10, 70, 80, 10, SsCenter | WsGroup},
            {ControlKind::Static, 301, "greyed", 100, 70, 80, 10, WsDisabled},
            {ControlKind::DefPushButton, 1, "OK", 40, 82, 50, 14, WsTabStop},
            {ControlKind::PushButton, 2, "Cancel", 110, 82, 50, 14, WsTabStop},
        },
    };
    return templ;
}

TEST(DialogUnits, RoundLikeTheWindowsDialogManager) {
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.toPixelsX(4), 6);
    EXPECT_EQ(units.toPixelsX(323), 485);  // 484.5 rounds up
    EXPECT_EQ(units.toPixelsY(8), 13);
    EXPECT_EQ(units.toPixelsY(180), 293);  // 292.5 rounds up
    EXPECT_EQ(units.toPixels(16, 261, 47, 8), QRect(24, 424, 71, 13));
}

// DejaVu Sans, which "MS Sans Serif" resolves to here, is about 7 pixels a letter wide at 8 points
// and 13 pixels high: base units 7 x 13, so a game dialog of 500 x 291 units is 875 x 473 pixels.
TEST(DialogUnits, ComeFromTheAverageLetterWidthAndTheFontHeight) {
    QFont font("DejaVu Sans");
    font.setPointSize(8);
    const DialogUnits units(font);
    EXPECT_EQ(units.baseX(), 7);
    EXPECT_EQ(units.baseY(), 13);
    EXPECT_EQ(QSize(units.toPixelsX(500), units.toPixelsY(291)), QSize(875, 473));
}

class DialogTest : public testing::Test {
protected:
    TDialog dialog{nullptr, smallTemplate()};
    QRadioButton* radio(int id) { return dialog.control<QRadioButton>(id); }
};

TEST_F(DialogTest, ControlsSitAtTheirTemplatePlaceInPixels) {
    const DialogUnits& units = dialog.units();
    EXPECT_EQ(dialog.size(), QSize(units.toPixelsX(200), units.toPixelsY(100)));
    EXPECT_EQ(radio(201)->geometry(), units.toPixels(110, 15, 60, 12));
    EXPECT_EQ(dialog.control<QPushButton>(2)->geometry(), units.toPixels(110, 82, 50, 14));
    EXPECT_EQ(dialog.windowTitle(), "Small");
}

TEST_F(DialogTest, ControlsAreFoundByIdAndType) {
    EXPECT_NE(dialog.control<QLabel>(300), nullptr);
    EXPECT_EQ(dialog.control<QRadioButton>(300), nullptr);
    EXPECT_EQ(dialog.control(999), nullptr);
    EXPECT_EQ(dialog.control<QLabel>(300)->text(), "centred <b>text</b>") << "texts are plain";
    EXPECT_EQ(dialog.control<QLabel>(300)->textFormat(), Qt::PlainText);
    EXPECT_TRUE(dialog.control<QLabel>(300)->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(dialog.control(301)->isEnabled());
    EXPECT_TRUE(dialog.control<QPushButton>(1)->isDefault());
}

TEST_F(DialogTest, AGroupRunsFromOneGroupStyleToTheNext) {
    EXPECT_EQ(radio(101)->group(), radio(102)->group());
    EXPECT_NE(radio(101)->group(), radio(201)->group());
    radio(101)->click();
    radio(201)->click();
    EXPECT_TRUE(radio(101)->isChecked()) << "a check in the second group leaves the first";
    radio(102)->click();
    EXPECT_FALSE(radio(101)->isChecked());
    EXPECT_TRUE(radio(102)->isChecked());
}

TEST_F(DialogTest, ArrowsMoveThroughTheGroupInTemplateOrderAndCheck) {
    ASSERT_TRUE(test::showAndWait(dialog));
    radio(201)->setFocus();
    QTest::keyClick(radio(201), Qt::Key_Down);
    EXPECT_EQ(dialog.focusWidget(), radio(202));
    EXPECT_TRUE(radio(202)->isChecked());
    QTest::keyClick(radio(202), Qt::Key_Right);
    EXPECT_EQ(dialog.focusWidget(), radio(201)) << "round to the first of the group";
    EXPECT_TRUE(radio(201)->isChecked());
    radio(202)->setEnabled(false);
    QTest::keyClick(radio(201), Qt::Key_Up);
    EXPECT_EQ(dialog.focusWidget(), radio(201)) << "a greyed button is passed over";
    EXPECT_FALSE(radio(101)->isChecked()) << "the other group is left alone";
    dialog.hide();
}

TEST_F(DialogTest, SetCheckUnchecksInsideAnExclusiveGroup) {
    radio(102)->click();
    setCheck(radio(102), false);
    EXPECT_FALSE(radio(102)->isChecked());
    EXPECT_TRUE(radio(102)->group()->exclusive());
}

TEST_F(DialogTest, TransferCopiesButtonStatesBothWays) {
    for (int id : {101, 102, 201, 202}) {
        dialog.enableTransfer(radio(id));
    }
    std::array<std::uint16_t, 4> in{0, 1, 1, 0};
    dialog.Transfer(in, TransferDirection::SetData);
    EXPECT_TRUE(radio(102)->isChecked());
    EXPECT_TRUE(radio(201)->isChecked());
    radio(202)->click();
    std::array<std::uint16_t, 4> out{9, 9, 9, 9};
    dialog.Transfer(out, TransferDirection::GetData);
    EXPECT_EQ(out, (std::array<std::uint16_t, 4>{0, 1, 0, 1}));
}

TEST_F(DialogTest, TheTransferBufferReachesTheButtonsAtSetup) {
    std::array<std::uint16_t, 2> buffer{0, 1};
    dialog.enableTransfer(radio(101));
    dialog.enableTransfer(radio(102));
    dialog.setTransferBuffer(buffer);
    EXPECT_FALSE(radio(102)->isChecked());
    dialog.show();
    EXPECT_TRUE(radio(102)->isChecked());
    dialog.close();
}

TEST_F(DialogTest, OkAcceptsAndCancelRejects) {
    dialog.show();
    dialog.control<QPushButton>(1)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    dialog.control<QPushButton>(2)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace nimbara
