#pragma once

#include <QAccessibleWidget>

namespace nimbara {

class THLinkCtrl;

// What screen readers see of a THLinkCtrl: a link named by its text, described by its URL,
// traversed once visited, with the actions press (opens it) and show menu (its popup menu).
class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(THLinkCtrl* link);

    // The accessibility factory: the interface for a THLinkCtrl, null for anything else.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    THLinkCtrl* link() const;
};

}  // namespace nimbara
