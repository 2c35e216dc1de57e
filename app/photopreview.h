#pragma once

#include <QDialog>

namespace nimbara {

// A photo shown large, non-modal, with what the trainee should know of it; Esc or Close closes
// it. An unreadable photo shows a line that says so instead.
class PhotoPreview : public QDialog {
    Q_OBJECT

public:
    static constexpr int kScale = 2;

    PhotoPreview(const QString& path, const QString& caption, QWidget* parent);
};

}  // namespace nimbara
