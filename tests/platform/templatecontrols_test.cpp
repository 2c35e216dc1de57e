#include "platform/tdialog.h"
#include "platform/windowcompositing.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

// Edits of every style, an icon and two buttons around an edit that a dialog replaces.
const DialogTemplate& editTemplate() {
    static const DialogTemplate templ{
        4713,
        "Edits",
        0,
        0,
        220,
        150,
        "DejaVu Sans",
        8,
        {
            {ControlKind::Edit, 601, "centred", 10, 10, 100, 12, EsReadOnly | EsCenter},
            {ControlKind::Edit, 602, "right", 10, 25, 100, 12, EsReadOnly | EsRight | WsTabStop},
            {ControlKind::Edit, 603, "typed", 10, 40, 100, 12, EsAutoScroll | WsTabStop},
            {ControlKind::Edit, 604, "see through", 10, 55, 100, 12, EsReadOnly | WsExTransparent},
            {ControlKind::Edit, 605, "first line second line third line", 10, 70, 60, 25,
             EsReadOnly | EsMultiLine | EsAutoScroll | WsTabStop},
            {ControlKind::Icon, -1, "no-such-icon", 150, 10, 16, 16, 0},
            {ControlKind::PushButton, 3, "Before", 120, 100, 40, 14, WsTabStop},
            {ControlKind::Edit, 606, "replaced", 10, 100, 100, 12, EsReadOnly | EsCenter},
            {ControlKind::DefPushButton, 1, "OK", 120, 120, 40, 14, WsTabStop},
        },
    };
    return templ;
}

class TemplateControlsTest : public testing::Test {
protected:
    TDialog dialog{nullptr, editTemplate()};
    QLineEdit* edit(int id) const { return dialog.control<QLineEdit>(id); }
};

TEST_F(TemplateControlsTest, EditsTakeTheirTextAlignmentAndReadOnlyStyle) {
    struct Row {
        int id;
        QString text;
        bool readOnly;
        Qt::Alignment alignment;
        Qt::FocusPolicy focus;
    };
    const std::vector<Row> rows = {
        {601, "centred", true, Qt::AlignHCenter, Qt::ClickFocus},
        {602, "right", true, Qt::AlignRight, Qt::StrongFocus},
        {603, "typed", false, Qt::AlignLeft, Qt::StrongFocus},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        QLineEdit* field = edit(row.id);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->text(), row.text);
        EXPECT_EQ(field->isReadOnly(), row.readOnly);
        EXPECT_EQ(field->alignment() & Qt::AlignHorizontal_Mask, row.alignment);
        EXPECT_EQ(field->focusPolicy(), row.focus);
        EXPECT_EQ(field->geometry(),
                  dialog.units().toPixels(10, 10 + 15 * (row.id - 601), 100, 12));
    }
}

TEST_F(TemplateControlsTest, ReadOnlyEditsSitOnTheDialogColourAndTransparentOnesOnNothing) {
    const QColor window = dialog.palette().color(QPalette::Window);
    EXPECT_EQ(edit(601)->palette().color(QPalette::Base), window);
    EXPECT_NE(edit(603)->palette().color(QPalette::Base), window) << "an editable field is white";
    EXPECT_EQ(edit(604)->palette().color(QPalette::Base).alpha(), 0);
}

TEST_F(TemplateControlsTest, AMultiLineEditWrapsItsWordsAndCanBeReadFromTheKeyboard) {
    auto* field = dialog.control<QPlainTextEdit>(605);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->toPlainText(), "first line second line third line");
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_EQ(field->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_TRUE(field->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_TRUE(field->tabChangesFocus());
    EXPECT_EQ(dialog.control<QLineEdit>(605), nullptr);
}

TEST_F(TemplateControlsTest, AnIconHasItsOwnSizeAtItsPlace) {
    QList<QLabel*> labels = dialog.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0]->geometry(),
              QRect(dialog.units().toPixels(150, 10, 0, 0).topLeft(), QSize(32, 32)));
    EXPECT_TRUE(labels[0]->pixmap().isNull()) << "an icon the program lacks shows nothing";
}

class OwnEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
};

TEST_F(TemplateControlsTest, ADialogPutsItsOwnClassInPlaceOfATemplateControl) {
    QPointer<QWidget> built = dialog.control(606);
    auto* own = new OwnEdit(&dialog);
    ASSERT_TRUE(dialog.substituteControl(606, own));
    EXPECT_TRUE(built.isNull()) << "the built control is gone";
    EXPECT_EQ(dialog.control(606), own);
    EXPECT_EQ(own->geometry(), dialog.units().toPixels(10, 100, 100, 12));
    EXPECT_EQ(own->text(), "replaced");
    EXPECT_TRUE(own->isReadOnly());
    EXPECT_EQ(own->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(own->focusPolicy(), Qt::ClickFocus);
    own->setFocusPolicy(Qt::StrongFocus);
    EXPECT_EQ(dialog.control(3)->nextInFocusChain(), own) << "in the built control's tab place";
    EXPECT_EQ(own->nextInFocusChain(), dialog.control(1));
}

TEST_F(TemplateControlsTest, SubstitutionIsRefusedWithoutSuchControlOrForAStranger) {
    auto* own = new OwnEdit(&dialog);
    EXPECT_FALSE(dialog.substituteControl(999, own));
    QLineEdit stranger;
    EXPECT_FALSE(dialog.substituteControl(606, &stranger));
    EXPECT_FALSE(dialog.substituteControl(606, nullptr));
    EXPECT_EQ(dialog.control<QLineEdit>(606)->text(), "replaced");
    EXPECT_NE(dialog.control(606), own);
}

TEST(WindowCompositing, TheOffscreenPlatformDrawsEveryWindowOpaque) {
    EXPECT_FALSE(windowSystemComposites());
}

}  // namespace
}  // namespace nimbara
