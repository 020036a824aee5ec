#pragma once
// One entry of a window's menu as data, so that the menus and their states live
// in the logic and a front end only draws them from these tables. Level 0 is
// the menu bar, level 1 a submenu entry.
#include <string_view>

namespace novarel {

template <typename Command>
struct MenuItem {
    std::string_view name;      // control name, e.g. "mnuFileSave"
    std::string_view caption;   // "&" marks the access letter; "-" is a separator
    std::string_view shortcut;  // key sequence text such as "F5" or "Ctrl+F1"; empty for none
    int level;
    Command command;
    bool visibleAtStart = true;
};

// The access letter of a caption (the character after "&"), 0 when it has none.
constexpr char AccessLetter(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i)
        if (caption[i] == '&') return caption[i + 1];
    return 0;
}

// What a menu item shows while the program runs.
struct MenuItemState {
    bool enabled = true;
    bool checked = false;
    bool visible = true;
};

constexpr bool IsSeparator(std::string_view caption) { return caption == "-"; }

}  // namespace novarel
