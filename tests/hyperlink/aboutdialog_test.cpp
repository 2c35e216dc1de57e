#include "hyperlink/thlinkctrl.h"
#include "hyperlink/thlinkpage.h"
#include "hyperlink/thlinksheet.h"
#include "hyperlink/tinfoaboutdialog.h"
#include "resources/resourceids.h"
#include "tests/hyperlink/homepage.h"
#include "tests/hyperlink/rowname.h"
#include "tests/support/messageboxrecorder.h"
#include "tests/support/urlrecorder.h"
#include "tests/support/waits.h"
#include "tests/support/windowwatch.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace nimbara {
namespace {

using test::kHomePage;

// The texts of root's labels that do not fit their label: a word wider than the label, or more
// lines than its height holds.
QStringList cutTexts(const QWidget* root) {
    QStringList cut;
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        const QString text = label->text();
        if (text.isEmpty()) {
            continue;
        }
        const QFontMetrics metrics(label->font());
        const QStringList words = text.split(' ', Qt::SkipEmptyParts);
        const bool wordTooWide = std::any_of(words.begin(), words.end(), [&](const QString& word) {
            return metrics.horizontalAdvance(word) > label->width();
        });
        const int needed =
            label->wordWrap() ? label->heightForWidth(label->width()) : metrics.height();
        const bool lineTooWide =
            !label->wordWrap() && metrics.horizontalAdvance(text) > label->width();
        if (wordTooWide || lineTooWide || needed > label->height()) {
            cut << text;
        }
    }
    return cut;
}

// The texts of the labels of root from top to bottom.
QStringList labelTexts(const QWidget* root) {
    QList<QLabel*> labels = root->findChildren<QLabel*>();
    std::sort(labels.begin(), labels.end(),
              [](const QLabel* a, const QLabel* b) { return a->y() < b->y(); });
    QStringList texts;
    for (const QLabel* label : labels) {
        if (label->pixmap().isNull()) {
            texts << label->text();
        }
    }
    return texts;
}

class AboutDialogTest : public testing::Test {
protected:
    // Shows the box with the pointer outside it, wherever an earlier test left it.
    void show() {
        QCursor::setPos(0, 0);
        ASSERT_TRUE(test::showAndWait(about));
    }

    test::UrlRecorder browser;
    test::MessageBoxRecorder boxes;
    TInfoAboutDialog about{nullptr, IDD_ABOUT, false};
};

TEST_F(AboutDialogTest, ShowsTheVersionTheDistributionLineAndTheCredits) {
    show();
    EXPECT_EQ(about.windowTitle(), "About Nimbara");
    EXPECT_EQ(labelTexts(&about), (QStringList{"version 2.2 (build 16072008)",
                                               "Free for the training of weather observers",
                                               " Developed and built by the Nimbara team",
                                               " Cloud photos: national weather services",
                                               " Ice and sea photos: ice and marine services",
                                               " Thanks to every observer who took a photo"}));
    auto* ok = about.control<QPushButton>(IdOk);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(AboutDialogTest, TheIconIsDrawnAtItsOwnSizeAtItsPlace) {
    QList<QLabel*> icons;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) {
            icons << label;
        }
    }
    ASSERT_EQ(icons.size(), 1);
    EXPECT_EQ(icons[0]->geometry(),
              QRect(about.units().toPixels(110, 48, 0, 0).topLeft(), QSize(32, 32)));
    EXPECT_EQ(icons[0]->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
}

TEST_F(AboutDialogTest, NoTextIsCut) {
    show();
    EXPECT_EQ(cutTexts(&about), QStringList());
    THLinkCtrl* link = about.hyperlink();
    EXPECT_LE(link->fontMetrics().horizontalAdvance(link->text()), link->width());
    THLinkSheet sheet(&about);
    sheet.page()->SetLink(link);
    ASSERT_TRUE(test::showAndWait(sheet));
    EXPECT_EQ(cutTexts(&sheet), QStringList());
    sheet.hide();
}

TEST_F(AboutDialogTest, TheLinkIsBlueCentredInItsPlaceAndOpensTheHomePage) {
    show();
    THLinkCtrl* link = about.hyperlink();
    EXPECT_EQ(link->text(), "Visit the Nimbara (Tolvane) Web Site");
    EXPECT_EQ(link->linkUrl(), kHomePage);
    EXPECT_EQ(link->textColour(), QColor(0, 0, 255));
    const QRect place = about.units().toPixels(20, 80, 200, 12);
    EXPECT_LT(link->width(), place.width());
    EXPECT_LE(std::abs((link->x() + link->width() / 2.0) - (place.x() + place.width() / 2.0)), 1.0);
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    ASSERT_TRUE(test::waitForPostedEvents());
    EXPECT_EQ(browser.opened(), QList<QUrl>{QUrl(kHomePage)});
    QTest::mouseMove(&about, QPoint(2, 2));
    EXPECT_EQ(link->textColour(), QColor(128, 0, 128));
}

struct OpacityRow {
    const char* name;
    bool translucent;
    int alpha;  // out of 255
};

class AboutOpacityTest : public AboutDialogTest, public testing::WithParamInterface<OpacityRow> {};

TEST_P(AboutOpacityTest, IsSetWhenTheBoxIsSetUp) {
    TInfoAboutDialog box(nullptr, IDD_ABOUT, GetParam().translucent);
    EXPECT_EQ(box.windowOpacity(), 1.0) << "not before the box is set up";
    ASSERT_TRUE(test::showAndWait(box));
    EXPECT_EQ(std::lround(box.windowOpacity() * 255), GetParam().alpha);
    box.hide();
}

INSTANTIATE_TEST_SUITE_P(Flags, AboutOpacityTest,
                         testing::Values(OpacityRow{"translucent", true, 180},
                                         OpacityRow{"opaque", false, 255}),
                         test::rowName<OpacityRow>);

struct EndRow {
    const char* name;
    std::function<void(TInfoAboutDialog*)> end;
    int result;
};

class AboutEndTest : public AboutDialogTest, public testing::WithParamInterface<EndRow> {};

TEST_P(AboutEndTest, RunsModallyUntilItEnds) {
    test::WindowWatch watch(test::WindowWatch::Kind::Modal, [&](QWidget* window) {
        EXPECT_EQ(window, &about);
        GetParam().end(&about);
    });
    EXPECT_EQ(about.Execute(), GetParam().result);
    EXPECT_FALSE(watch.expired());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, AboutEndTest,
    testing::Values(
        EndRow{"ok", [](TInfoAboutDialog* box) { box->control<QPushButton>(IdOk)->click(); },
               QDialog::Accepted},
        EndRow{"enter", [](TInfoAboutDialog* box) { QTest::keyClick(box, Qt::Key_Return); },
               QDialog::Accepted},
        EndRow{"close_box", [](TInfoAboutDialog* box) { box->close(); }, QDialog::Rejected}),
    test::rowName<EndRow>);

}  // namespace
}  // namespace nimbara
