#pragma once

#include "ui/window/tform1.h"

/** One command of the window: its action, its handler and where it shows. A menu lists its
 *  commands in the order of the table, and so does the toolbar. */
struct TForm1::Command {
    enum class Menu { NotInMenu, File, Edit, Help };
    struct MenuPlace {
        Menu menu = Menu::NotInMenu;
        const char* separatorBefore = nullptr; // the object name of a separator above the item
    };
    struct ToolPlace {
        const char* button = nullptr;          // the button's object name; none: not on the toolbar
        const char* separatorBefore = nullptr; // the object name of a separator left of it
    };

    QAction* TForm1Actions::*action;
    void (TForm1::*handler)(); // runs through runGuarded when the action is triggered
    const char* name;
    const char* caption;
    const char* hint;     // short hint "|" long hint, or one text for both
    const char* shortcut; // "" for none
    int glyph;            // index into the shared image list; -1 for none
    bool enabled;         // at start
    MenuPlace menu;
    ToolPlace tool;
};
