#pragma once

#include "platform/menutemplate.h"

#include <QString>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace nimbara {

// What menus built from templates call on: the string table for hints, and the window that
// runs and enables commands.
struct MenuServices {
    std::function<QString(int id)> hintText;  // empty when id has no string
    std::function<void(int id)> runCommand;
    std::function<bool(int id)> commandEnabled;
};

// Builds menus from templates. Each command action carries its id and, as status tip, its hint:
// the string of its id; a popup's hint is the string of its first item's id minus one (none
// when that item is a separator or a popup). Commands are enabled each time their menu opens.
// Menus keep copies of the services; the builder itself may go.
class MenuBuilder {
public:
    explicit MenuBuilder(MenuServices services) : m_services(std::move(services)) {}

    void fillMenuBar(QMenuBar* bar, const MenuTemplate& menu) const;
    void fillMenu(QMenu* menu, const MenuTemplate& items) const;
    // Inserts a popup built from items before position (counted from 0) of menu; returns it.
    QMenu* insertPopup(QMenu* menu, int position, const QString& text,
                       const MenuTemplate& items) const;

    // The command id of action; 0 for separators and popups.
    static int commandId(const QAction* action);
    // The status-bar hint of action by the rules above.
    QString hintFor(const QAction* action) const;

private:
    QAction* createAction(QMenu* menu, const MenuItemTemplate& item) const;
    QMenu* createPopup(QWidget* parent, const MenuItemTemplate& item) const;

    MenuServices m_services;
};

}  // namespace nimbara
