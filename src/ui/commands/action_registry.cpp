#include "ui/commands/action_registry.h"

#include <stdexcept>

namespace tavlor::ui {

void ActionRegistry::add(std::string_view id, QAction* action) {
    if (!m_actions.emplace(std::string(id), action).second)
        throw std::logic_error("two commands with the id " + std::string(id));
}

QAction* ActionRegistry::action(std::string_view id) const {
    const auto found = m_actions.find(id);
    if (found == m_actions.end())
        throw std::out_of_range("no command with the id " + std::string(id));
    return found->second;
}

} // namespace tavlor::ui
