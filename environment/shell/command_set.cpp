#include "environment/shell/command_set.h"

#include "runtime/latin1.h"

#include <QAction>
#include <QRegularExpression>
#include <QWidget>

namespace qel {

namespace {

// The text of an action without its mnemonic and key, for tool tips.
QString plainText(const QString& text)
{
    QString plain = text.section(QLatin1Char('\t'), 0, 0);
    plain.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    plain.remove(QStringLiteral("..."));
    return plain;
}

} // namespace

QAction* CommandSet::add(QObject& owner, CommandId id, const QString& text, const QString& statusTip,
                         std::function<void()> onTriggered)
{
    auto* action = new QAction(text, &owner);
    action->setData(int(id));
    action->setToolTip(plainText(text));
    if (!statusTip.isEmpty())
        action->setStatusTip(statusTip);
    if (onTriggered)
        QObject::connect(action, &QAction::triggered, &owner, std::move(onTriggered));
    actions_[id] = action;
    window_.addAction(action);
    return action;
}

void CommandSet::insert(CommandId id, QAction* action) { actions_[id] = action; }

void CommandSet::remove(CommandId id) { actions_.erase(id); }

QAction* CommandSet::action(CommandId id) const
{
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

} // namespace qel
