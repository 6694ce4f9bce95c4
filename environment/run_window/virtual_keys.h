#pragma once
// The key codes programs see in qelScanCode: the virtual-key numbers learners find in their books
// (A = 65, Enter = 13, Left = 37, F1 = 112 ...), from Qt's key events.

class QKeyEvent;

namespace qel {

// The virtual-key code of a key press; 0 for keys that have none.
int virtualKeyCode(const QKeyEvent& event);
// The character a key press types (Enter 13, Backspace 8, Escape 27, Tab 9, letters and signs), or
// 0 when it types none (cursor keys, function keys, modifiers) or one outside 8 bits.
char typedCharacter(const QKeyEvent& event);

} // namespace qel
