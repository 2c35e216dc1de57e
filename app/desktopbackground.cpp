#include "app/desktopbackground.h"

#include "app/desktopview.h"
#include "platform/messagebox.h"
#include "platform/pictureview.h"

#include <QDir>
#include <QEvent>
#include <QFile>

namespace nimbara {

DesktopBackground::DesktopBackground(QWidget* window, const QString& applicationDirectory)
    : m_window(window),
      m_setting(window, applicationDirectory),
      m_fileDialogData{"Image files (*.bmp;*.gif;*.jpg;*.png)|*.bmp; *.gif; *.jpg; *.png", {}} {
    m_window->installEventFilter(this);
}

DesktopBackground::~DesktopBackground() {
    delete m_view;
}

void DesktopBackground::chooseInitialDesktop() {
    const DesktopChoice setting = m_setting.ReadDesktopSetting();
    if (setting.status == kDesktopValid) {
        m_desktopFileName = setting.path;
    } else if (setting.status == kDesktopCallDefault) {
        const DesktopChoice fallback = m_setting.FindDefaultDesktop();
        if (fallback.status == kDesktopValid) {
            m_desktopFileName = fallback.path;
        }
    }
    // Shown now, during setup, so that the window's first paint already holds the picture.
    if (!m_desktopFileName.isEmpty()) {
        ShowDesktop();
    }
}

void DesktopBackground::CmDesktopRefresh() {
    const DesktopChoice setting = m_setting.ReadDesktopSetting();
    if (setting.status == kDesktopValid) {
        ApplyDesktop(setting.path);
    } else if (setting.status == kDesktopCallDefault) {
        const DesktopChoice fallback = m_setting.FindDefaultDesktop();
        if (fallback.status == kDesktopValid) {
            ApplyDesktop(fallback.path);
        }
    }
}

void DesktopBackground::CmDesktopNew() {
    TFileOpenDialog dialog(m_window, m_fileDialogData);
    if (dialog.Execute() != QDialog::Accepted) {
        return;
    }
    const QString chosen = m_fileDialogData.fileName;
    if (!m_setting.CheckStorable(QFile::encodeName(chosen))) {
        return;  // refused before anything changes
    }
    ApplyDesktop(QFile::encodeName(chosen));
    // The new picture stays on show whatever the answer.
    if (messageBox(m_window, desktopQuestion(chosen), "Nimbara message", MbIcon::Question,
                   MbButtons::YesNo) == MbAnswer::Yes) {
        m_setting.save(m_desktopFileName);
    }
}

void DesktopBackground::ApplyDesktop(const QByteArray& path) {
    m_desktopFileName = path;
    ShowDesktop();
}

void DesktopBackground::ShowDesktop() {
    delete m_view;
    m_view = CreateDesktopView(m_window, m_desktopFileName);
    m_view->setGeometry(m_window->rect());
    m_view->show();
}

bool DesktopBackground::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::Resize && m_view) {
        m_view->setGeometry(m_window->rect());
    }
    return QObject::eventFilter(watched, event);
}

QString desktopQuestion(const QString& path) {
    const QString native = QDir::toNativeSeparators(path);
    const QChar separator = QDir::separator();
    const QString root = native.left(native.indexOf(separator) + 1);
    return root + "..." + native.mid(native.lastIndexOf(separator)) + " will be saved as desktop";
}

}  // namespace nimbara
