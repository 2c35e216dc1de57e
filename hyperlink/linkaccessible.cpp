#include "hyperlink/linkaccessible.h"

#include "hyperlink/thlinkctrl.h"
#include "resources/resourceids.h"

namespace nimbara {

LinkAccessible::LinkAccessible(THLinkCtrl* link) : QAccessibleWidget(link, QAccessible::Link) {}

QAccessibleInterface* LinkAccessible::create(const QString& className, QObject* object) {
    if (className != QLatin1String(THLinkCtrl::staticMetaObject.className())) {
        return nullptr;
    }
    auto* link = qobject_cast<THLinkCtrl*>(object);
    return link ? new LinkAccessible(link) : nullptr;
}

THLinkCtrl* LinkAccessible::link() const {
    return static_cast<THLinkCtrl*>(widget());
}

QString LinkAccessible::text(QAccessible::Text kind) const {
    switch (kind) {
        case QAccessible::Name:
            return link()->text();
        case QAccessible::Description:
            return link()->linkUrl();
        default:
            return QAccessibleWidget::text(kind);
    }
}

QAccessible::State LinkAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.linked = true;
    state.traversed = link()->visited();
    return state;
}

QStringList LinkAccessible::actionNames() const {
    return {pressAction(), showMenuAction()};
}

void LinkAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        link()->PostCommand(CM_LINK_OPEN);
    } else if (actionName == showMenuAction()) {
        THLinkCtrl* target = link();
        QMetaObject::invokeMethod(
            target, [target] { target->ShowContextMenu(-1, -1); }, Qt::QueuedConnection);
    }
}

}  // namespace nimbara
