// The editor window's menus, toolbars and context menu as data: every menu
// array keeps its indexes (hidden items and all), and each item names the
// command it runs. The window builds its actions from these tables and
// runs commands through one table, never a switch per menu.
#pragma once

#include <span>

namespace quenby::shell {

enum class Menu { File, Edit, View, ViewToolbar, Format, Insert, Tools, Help };

// What an item does.
enum class Command {
    None,
    New, Open, Save, SaveAs, SaveTemplate, Exit,
    Undo, Redo, Cut, Copy, Paste, Delete, Find, SelectAll,
    StandardToolbar, StatusBar, PreviewWindow, Preview,
    FontTag, AlignLeft, AlignCenter, AlignRight,
    LinkTag, ImageTag, Rule, LineBreak, Space, Pictograph, MarqueeTag,
    Options, About,
};

struct MenuItem {
    Menu menu;
    int index;            // the design's array index (1-based, with gaps)
    const char* caption;  // "" for hidden items
    const char* shortcut; // "" for none
    Command command;
    bool autoRefresh = false;  // refresh the preview afterwards (MouseAutoRefresh)
    bool separator = false;
    bool hidden = false;
    bool checkable = false;
    const char* icon = "";  // the picture in the resources ("" for none)
};

struct TopMenu {
    Menu menu;
    const char* caption;
};

struct ToolButton {
    int index;
    const char* key;          // "" for a button without a key
    const char* description;  // the caption text
    const char* tooltip;      // "" for none
    Menu menu;                // the menu command the button runs ...
    int menuIndex;            // ... 0: none (a separator or no command)
    bool separator = false;
    const char* icon = "";    // the picture in the resources
};

struct PopupItem {
    const char* caption;
    Menu menu;  // the menu command it runs; menuIndex 0: separator
    int menuIndex;
};

std::span<const TopMenu> TopMenus();
std::span<const MenuItem> MenuItems();
std::span<const ToolButton> StandardButtons();
std::span<const ToolButton> TagButtons();
std::span<const PopupItem> PopupItems();

// The item at a menu's index, or null.
const MenuItem* FindMenuItem(Menu menu, int index);

}  // namespace quenby::shell
