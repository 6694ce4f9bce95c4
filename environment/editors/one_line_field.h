#pragma once
// A dialog's edit field holds one line. A line break typed or pasted into it (CR LF, CR or LF)
// becomes a blank at once, so the field shows what will be stored: a program line's text is one
// line of the program file.

class QLineEdit;

namespace qel {

void keepOnOneLine(QLineEdit& field);

} // namespace qel
