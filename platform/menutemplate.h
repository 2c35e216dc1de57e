#pragma once

#include <vector>

namespace nimbara {

// One entry of a menu resource: a command (text and id), a popup (text and items), or a
// separator (no text).
struct MenuItemTemplate {
    const char* text = nullptr;
    int id = 0;
    std::vector<MenuItemTemplate> items;

    bool isSeparator() const { return text == nullptr; }
    bool isPopup() const { return !items.empty(); }
};

using MenuTemplate = std::vector<MenuItemTemplate>;

inline MenuItemTemplate menuSeparator() {
    return {};
}

}  // namespace nimbara
