#pragma once
// How EditLine runs its dialogs. The environment runs them modally; tests pass a runner that works
// the dialog's widgets and returns its result instead of waiting for a user.

#include <QDialog>

#include <functional>

namespace qel {

class IdeState;

using DialogRunner = std::function<int(QDialog&)>;

// The ordinary modal run.
int execDialog(QDialog& dialog);

// EditLine (environment/line_editing.h) with its dialogs run by `run`.
bool EditLine(IdeState& ide, QWidget* parent, int mode, char typedLetter, const DialogRunner& run);

} // namespace qel
