#include "tests/support/filedialogdriver.h"

#include "tests/support/waits.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace nimbara::test {

bool openInFileDialog(QWidget* dialog, const QString& path) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
    auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
    if (files == nullptr || field == nullptr || buttons == nullptr) {
        ADD_FAILURE() << "not a file dialog: " << dialog->metaObject()->className();
        dialog->close();
        return true;
    }
    const QFileInfo target(path);
    if (target.isAbsolute()) {
        files->setDirectory(target.path());
    }
    // Without the focus the field would add to the selection instead of replacing it.
    if (!activateAndWait(*dialog)) {
        ADD_FAILURE() << "the file dialog did not become active";
    }
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    // One key event per character that carries it as text, as a keyboard layout sends it.
    for (const QChar character : target.fileName()) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
    }
    buttons->button(QDialogButtonBox::Open)->click();
    const bool stayed = dialog->isVisible();
    if (stayed) {
        files->reject();
    }
    return stayed;
}

}  // namespace nimbara::test
