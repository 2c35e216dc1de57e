#include "platform/tfileopendialog.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/filedialogdriver.h"
#include "tests/support/waits.h"
#include "tests/support/windowwatch.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

// The names the dialog lists in folder, sorted.
QStringList listed(QFileDialog* dialog, const QString& folder) {
    auto* model = dialog->findChild<QFileSystemModel*>();
    const QModelIndex root = model->index(folder);
    QStringList names;
    for (int row = 0; row < model->rowCount(root); ++row) {
        names << model->index(row, 0, root).data().toString();
    }
    names.sort();
    return names;
}

// The folder is read on a thread of the dialog's own: waits until the list is as expected.
void expectListed(QFileDialog* dialog, const QString& folder, const QStringList& expected) {
    static_cast<void>(test::waitUntil([&] { return listed(dialog, folder) == expected; }));
    EXPECT_EQ(listed(dialog, folder), expected);
}

class FileOpenDialogTest : public testing::Test {
protected:
    FileOpenDialogTest() {
        for (const char* name : {"a.bmp", "B.BMP", "c.gif", "d.jpg", "E.JPG", "f.png", "g.txt",
                                 "h.bmp.txt", "pictures.jpeg"}) {
            dir.writeFile(QString("shelf/") + name, "x");
        }
        dir.writeFile("shelf/inner/i.png", "x");
    }

    test::AppDirFixture dir;
    TFileOpenDialog::TData data{"Pictures (*.bmp;*.jpg)|*.bmp; *.jpg|Drawings|*.png;*.gif", {}};
};

TEST_F(FileOpenDialogTest, ShowsTheFilterTextsAsGivenAndListsTheirPatternsInAnyCase) {
    data.fileName = dir.absolute("shelf/a.bmp");
    TFileOpenDialog dialog(nullptr, data);
    dialog.show();
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(0), "Pictures (*.bmp;*.jpg)");
    EXPECT_EQ(types->itemText(1), "Drawings");
    const QString shelf = dir.absolute("shelf");
    expectListed(&dialog, shelf, {"B.BMP", "E.JPG", "a.bmp", "d.jpg", "inner"});
    types->setCurrentIndex(1);
    emit types->textActivated(types->itemText(1));
    expectListed(&dialog, shelf, {"c.gif", "f.png", "inner"});
    dialog.close();
}

TEST_F(FileOpenDialogTest, StartsAtTheLastChoiceAndKeepsOnlyAnAcceptedOne) {
    data.fileName = dir.absolute("shelf/a.bmp");
    QString startedIn;
    QString offered;
    {
        test::WindowWatch watch(test::WindowWatch::Kind::Modal, [&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            startedIn = dialog->directory().absolutePath();
            offered = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
            dialog->reject();
        });
        TFileOpenDialog first(nullptr, data);
        EXPECT_EQ(first.Execute(), QDialog::Rejected);
    }
    EXPECT_EQ(startedIn, dir.absolute("shelf"));
    EXPECT_EQ(offered, "a.bmp");
    EXPECT_EQ(data.fileName, dir.absolute("shelf/a.bmp")) << "a cancelled run keeps the choice";

    test::WindowWatch watch(test::WindowWatch::Kind::Modal, [&](QWidget* modal) {
        EXPECT_FALSE(test::openInFileDialog(modal, "E.JPG"));
    });
    TFileOpenDialog second(nullptr, data);
    EXPECT_EQ(second.Execute(), QDialog::Accepted);
    EXPECT_EQ(data.fileName, dir.absolute("shelf/E.JPG"));
}

TEST_F(FileOpenDialogTest, RefusesAFileThatDoesNotExist) {
    data.fileName = dir.absolute("shelf/a.bmp");
    bool openEnabled = true;
    test::WindowWatch watch(test::WindowWatch::Kind::Modal, [&](QWidget* modal) {
        EXPECT_TRUE(test::openInFileDialog(modal, "missing.bmp"));
        openEnabled = modal->findChild<QDialogButtonBox*>("buttonBox")
                          ->button(QDialogButtonBox::Open)
                          ->isEnabled();
    });
    TFileOpenDialog dialog(nullptr, data);
    EXPECT_EQ(dialog.Execute(), QDialog::Rejected);
    EXPECT_FALSE(openEnabled);
    EXPECT_EQ(data.fileName, dir.absolute("shelf/a.bmp"));
}

}  // namespace
}  // namespace nimbara
