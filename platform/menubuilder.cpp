#include "platform/menubuilder.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>

namespace nimbara {

namespace {

// A greyed menu item can still be highlighted, by the mouse and by the keyboard, so that the
// user can read its hint: only choosing it does nothing.
class MenuStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Menu_AllowActiveAndDisabled) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* menuStyle() {
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = new MenuStyle;
        style->setParent(qApp);  // ends with the application, after every menu
    }
    return style;
}

}  // namespace

int MenuBuilder::commandId(const QAction* action) {
    return action->isSeparator() || action->menu() ? 0 : action->data().toInt();
}

QString MenuBuilder::hintFor(const QAction* action) const {
    if (action->isSeparator()) {
        return {};
    }
    if (const QMenu* popup = action->menu()) {
        const QList<QAction*> items = popup->actions();
        const int firstId = items.isEmpty() ? 0 : commandId(items.first());
        return firstId == 0 ? QString() : m_services.hintText(firstId - 1);
    }
    return m_services.hintText(commandId(action));
}

void MenuBuilder::fillMenuBar(QMenuBar* bar, const MenuTemplate& menu) const {
    for (const MenuItemTemplate& item : menu) {
        bar->addMenu(createPopup(bar, item));
    }
    QObject::connect(bar, &QMenuBar::hovered, bar,
                     [bar](QAction* action) { action->showStatusText(bar); });
}

void MenuBuilder::fillMenu(QMenu* menu, const MenuTemplate& items) const {
    for (const MenuItemTemplate& item : items) {
        menu->addAction(createAction(menu, item));
    }
}

QMenu* MenuBuilder::insertPopup(QMenu* menu, int position, const QString& text,
                                const MenuTemplate& items) const {
    QMenu* popup = createPopup(menu, {nullptr, 0, items});
    popup->setTitle(text);
    const QList<QAction*> existing = menu->actions();
    QAction* before = position < existing.size() ? existing.at(position) : nullptr;
    menu->insertMenu(before, popup);
    // The popup's own hint may change: its first item is now a popup.
    menu->menuAction()->setStatusTip(hintFor(menu->menuAction()));
    return popup;
}

QAction* MenuBuilder::createAction(QMenu* menu, const MenuItemTemplate& item) const {
    if (item.isSeparator()) {
        auto* separator = new QAction(menu);
        separator->setSeparator(true);
        return separator;
    }
    if (item.isPopup()) {
        return createPopup(menu, item)->menuAction();
    }
    auto* action = new QAction(QString::fromLatin1(item.text), menu);
    action->setData(item.id);
    action->setStatusTip(m_services.hintText(item.id));
    const int id = item.id;
    const auto run = m_services.runCommand;
    QObject::connect(action, &QAction::triggered, menu, [run, id] { run(id); });
    return action;
}

QMenu* MenuBuilder::createPopup(QWidget* parent, const MenuItemTemplate& item) const {
    auto* popup = new QMenu(item.text ? QString::fromLatin1(item.text) : QString(), parent);
    popup->setStyle(menuStyle());
    fillMenu(popup, item.items);
    popup->menuAction()->setStatusTip(hintFor(popup->menuAction()));
    const auto enabled = m_services.commandEnabled;
    QObject::connect(popup, &QMenu::aboutToShow, popup, [popup, enabled] {
        for (QAction* action : popup->actions()) {
            if (const int id = commandId(action)) {
                action->setEnabled(enabled(id));
            }
        }
    });
    return popup;
}

}  // namespace nimbara
