#pragma once

#include "app/desktopsetting.h"
#include "platform/pictureview.h"
#include "platform/tfileopendialog.h"

#include <QObject>
#include <QPointer>

namespace nimbara {

// The desktop picture of the main window: which picture is chosen, the view that shows it over
// the window's whole client area, and the two Options commands that change it (Desktop new...)
// or read it again from the setting file (Desktop refresh).
//
// The view follows the window's size. Right clicks on it reach the window itself. It belongs to
// the window; a new one replaces it whenever the picture is shown again.
class DesktopBackground : public QObject {
    Q_OBJECT

public:
    // window is the main window; it must outlive this object.
    DesktopBackground(QWidget* window, const QString& applicationDirectory);
    ~DesktopBackground() override;

    // The initial choice, made once when the window is set up, before its first paint: the
    // picture of the setting file, else the default picture when the setting asks for it, else
    // none. A chosen picture is shown at once, so the first paint shows it.
    void chooseInitialDesktop();
    // Options > Desktop new...: a file dialog, then the new picture on show, then the question
    // whether to save it as desktop; Yes writes the path into the setting file. A picture whose
    // path holds a line end is refused with a box before anything changes.
    void CmDesktopNew();
    // Options > Desktop refresh: shows the picture that the setting file names again; on failure
    // the picture on show stays.
    void CmDesktopRefresh();
    // Chooses path and shows it at once.
    void ApplyDesktop(const QByteArray& path);
    // Replaces the desktop view by a new one that shows the chosen picture.
    void ShowDesktop();

    // The chosen picture (the file system's own bytes); empty means none.
    const QByteArray& desktopFileName() const { return m_desktopFileName; }
    // The view on show; null while no picture was chosen.
    PictureView* desktopView() const { return m_view; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    DesktopSetting m_setting;
    TFileOpenDialog::TData m_fileDialogData;
    QByteArray m_desktopFileName;
    QPointer<PictureView> m_view;
};

// The question asked before a new picture is saved: the path's root, "...", its last separator
// and name, then " will be saved as desktop" ("/.../storm.jpg will be saved as desktop").
QString desktopQuestion(const QString& path);

}  // namespace nimbara
