#pragma once
// EditLine: how a line is created or changed through its instruction's dialog.

#include <QWidget>

namespace qel {

class IdeState;

// Mode 1 edits the line the EditBuffer holds (its target is that line); any other mode creates a new
// line of the EditBuffer's type, type 0 opening the Add An Instruction dialog first with
// typedLetter (0: none) as the whole text of its Instruction field. Fixed-text lines are stored at
// once (new) or refused with their message (mode 1); after a new If, For, While or DeclareFunction
// its closing line follows. Returns true when a line was stored.
bool EditLine(IdeState& ide, QWidget* parent, int mode, char typedLetter = 0);

} // namespace qel
