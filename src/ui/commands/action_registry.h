#pragma once

#include <map>
#include <string>
#include <string_view>

class QAction;

namespace tavlor::ui {

/** The window's commands by id: each QAction is made once, from its row of the command table, and
 *  everything else (menus, toolbar, shortcut keys, the edit commands, the encoding menu) finds it
 *  here by the id, which is also its object name. */
class ActionRegistry {
public:
    /** Keeps action under id; an id names one action only (std::logic_error otherwise). */
    void add(std::string_view id, QAction* action);
    /** The action of id; an id nobody added is a fault of the program (std::out_of_range). */
    QAction* action(std::string_view id) const;

private:
    std::map<std::string, QAction*, std::less<>> m_actions;
};

} // namespace tavlor::ui
