#pragma once
// Where the help pages are, and the pages built from the instruction table: one page an instruction
// and the index of all of them. The other pages are HTML files, read from the data folder's help/
// when it has them (installed, or the build folder's copy) and otherwise from the copy compiled
// into the program.

#include <QString>
#include <QUrl>

namespace qel {

// The folder the pages are read from: the help/ of a data folder that holds the contents page, else
// the compiled-in pages.
QUrl helpRootIn(const QString& dataFolder);
// The same for this program's data folder.
QUrl helpRoot();

// The contents page.
QUrl helpContentsUrl();
// The page of a topic: an instruction's keyword or list label, "Main Window", "Program View",
// "Add An Instruction", "Form Configuration" or "Tab Order"; the contents page for anything else.
QUrl helpUrlForTopic(const QString& topic);

// The page a built page's address names, or an empty string when the address names no built page.
QString builtHelpPage(const QUrl& url);

} // namespace qel
