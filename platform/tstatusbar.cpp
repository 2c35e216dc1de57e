#include "platform/tstatusbar.h"

#include "platform/lockkeys.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>

namespace nimbara {

namespace {

void showState(QLabel* pane, const QString& key, bool on) {
    pane->setEnabled(on);
    pane->setAccessibleName(key + (on ? " on" : " off"));
}

}  // namespace

TStatusBar::TStatusBar(QWidget* parent)
    : QStatusBar(parent),
      m_caps(addPane("CAPS")),
      m_num(addPane("NUM")),
      m_scroll(addPane("SCRL")) {
    setSizeGripEnabled(false);
    updateIndicators();
    qApp->installEventFilter(this);
}

TStatusBar::~TStatusBar() {
    qApp->removeEventFilter(this);
}

QLabel* TStatusBar::addPane(const QString& text) {
    auto* pane = new QLabel(text, this);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance("SCRL") + 12);
    addPermanentWidget(pane);
    return pane;
}

void TStatusBar::updateIndicators() {
    const LockKeyStates states = readLockKeyStates().value_or(LockKeyStates{});
    showState(m_caps, "Caps Lock", states.capsLock);
    showState(m_num, "Num Lock", states.numLock);
    showState(m_scroll, "Scroll Lock", states.scrollLock);
}

bool TStatusBar::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyRelease && watched->isWidgetType()) ||
        (type == QEvent::ApplicationStateChange && watched == qApp)) {
        updateIndicators();
    }
    return QStatusBar::eventFilter(watched, event);
}

}  // namespace nimbara
