#pragma once
// The main window's commands by id. Each feature adds the actions of its own commands and enables
// them itself; the menus, the toolbar and the tests find them here by id.

#include "environment/shell/command_ids.h"

#include <QString>

#include <functional>
#include <map>

class QAction;
class QObject;
class QWidget;

namespace qel {

class CommandSet {
public:
    explicit CommandSet(QWidget& window) : window_(window) {}
    CommandSet(const CommandSet&) = delete;
    CommandSet& operator=(const CommandSet&) = delete;

    // A new action owned by owner; its keys work anywhere in the main window, its tool tip is the
    // text without mnemonic, key and dots, and triggering it calls onTriggered (none: nothing yet).
    QAction* add(QObject& owner, CommandId id, const QString& text, const QString& statusTip,
                 std::function<void()> onTriggered = {});
    // An action made elsewhere, such as a toolbar's own show/hide toggle.
    void insert(CommandId id, QAction* action);
    void remove(CommandId id);
    QAction* action(CommandId id) const;

private:
    QWidget& window_;
    std::map<CommandId, QAction*> actions_;
};

} // namespace qel
