#include "app/photopreview.h"

#include "platform/windowsbitmap.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

namespace nimbara {

PhotoPreview::PhotoPreview(const QString& path, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QFileInfo(path).fileName());
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* photo = new QLabel(this);
    const QImage image = loadWindowsBitmap(path);
    if (image.isNull()) {
        photo->setText("The photo cannot be read (file: " + path + ").");
    } else {
        photo->setPixmap(QPixmap::fromImage(
            image.scaled(image.size() * kScale, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        photo->setAccessibleName(QFileInfo(path).fileName());
    }
    layout->addWidget(photo);
    auto* text = new QLabel(caption, this);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace nimbara
