#include "platform/tdecoratedframe.h"

#include "platform/tstatusbar.h"
#include "platform/twindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

namespace nimbara {

TDecoratedFrame::TDecoratedFrame(const QString& title, TWindow* client, bool trackMenuSelection,
                                 std::function<QString(int)> hintText)
    : m_client(client) {
    setWindowTitle(title);
    setCentralWidget(client);
    auto noHint = [](int) { return QString(); };
    MenuServices services{trackMenuSelection ? std::move(hintText) : noHint,
                          [client](int id) { client->EvCommand(id); },
                          [client](int id) { return client->HasCommand(id); }};
    m_menuBuilder = std::make_unique<MenuBuilder>(std::move(services));
    qApp->installEventFilter(this);
}

TDecoratedFrame::~TDecoratedFrame() {
    qApp->removeEventFilter(this);
}

bool TDecoratedFrame::eventFilter(QObject* watched, QEvent* event) {
    // A popup of the menu bar opened on its own (as context menu) is a window of its own, so its
    // hints would stop there: hand them to the frame's status bar.
    if (event->type() == QEvent::StatusTip && qobject_cast<QMenu*>(watched)) {
        for (QObject* owner = watched->parent(); owner != nullptr; owner = owner->parent()) {
            if (owner == this) {
                QCoreApplication::sendEvent(this, event);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TDecoratedFrame::Insert(TStatusBar* statusBar, DecorationLocation location) {
    Q_UNUSED(location);  // a status bar always sits at the bottom
    setStatusBar(statusBar);
}

void TDecoratedFrame::Insert(QToolBar* controlBar, DecorationLocation location) {
    addToolBar(location == DecorationLocation::Top ? Qt::TopToolBarArea : Qt::BottomToolBarArea,
               controlBar);
}

void TDecoratedFrame::AssignMenu(const MenuTemplate& menu) {
    menuBar()->clear();
    m_menuBuilder->fillMenuBar(menuBar(), menu);
    // Hints stay while a menu is open and clear when the last one closes.
    for (QMenu* popup : menuBar()->findChildren<QMenu*>()) {
        connect(popup, &QMenu::aboutToHide, this, [this] {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (QApplication::activePopupWidget() == nullptr) {
                        statusBar()->clearMessage();
                    }
                },
                Qt::QueuedConnection);
        });
    }
}

QMenu* TDecoratedFrame::popupAt(int position) const {
    const QList<QAction*> actions = menuBar()->actions();
    return position >= 0 && position < actions.size() ? actions.at(position)->menu() : nullptr;
}

void TDecoratedFrame::showMaximisedAlways() {
    // Without a window manager the maximised state alone changes nothing: fill the screen too.
    if (const QScreen* target = screen()) {
        setGeometry(target->availableGeometry());
    }
    setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowFullScreen)) |
                   Qt::WindowMaximized);
    show();
}

void TDecoratedFrame::showEvent(QShowEvent* event) {
    if (!m_setupDone) {
        m_setupDone = true;
        m_client->SetupWindow();
    }
    QMainWindow::showEvent(event);
}

void TDecoratedFrame::closeEvent(QCloseEvent* event) {
    if (m_client->CanClose()) {
        event->accept();
        emit closed();
    } else {
        event->ignore();
    }
}

QToolBar* createControlBar(QWidget* parent) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName("controlBar");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setOrientation(Qt::Horizontal);
    bar->toggleViewAction()->setVisible(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->setMinimumHeight(bar->fontMetrics().height() + 10);
    // The button that shows what does not fit has no text of its own: a screen reader would
    // announce an unnamed check box.
    for (QAbstractButton* button : bar->findChildren<QAbstractButton*>()) {
        button->setAccessibleName("More controls");
    }
    return bar;
}

}  // namespace nimbara
