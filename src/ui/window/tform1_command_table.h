#pragma once

#include "ui/window/tform1.h"

/** One command of the window: its action, its handler and where it shows. The action is made from
 *  the row and kept in the window's ActionRegistry under the row's id; a menu lists its commands in
 *  the order of the table, and so does the toolbar. */
struct TForm1::Command {
    enum class Menu { NotInMenu, File, Edit, Help, Encoding };
    struct MenuPlace {
        Menu menu = Menu::NotInMenu;
        const char* separatorBefore = nullptr; // the object name of a separator above the item
    };
    struct ToolPlace {
        const char* button = nullptr;          // the button's object name; none: not on the toolbar
        const char* separatorBefore = nullptr; // the object name of a separator left of it
    };

    const char* id;                  // the action's id in the registry and its object name
    void (*handler)(TForm1& window); // runs through runGuarded when the action is triggered
    const char* caption;
    const char* hint;     // short hint "|" long hint, or one text for both
    const char* shortcut; // "" for none
    int glyph;            // index into the shared image list; -1 for none
    bool enabled;         // at start
    MenuPlace menu;
    ToolPlace tool;
};
