#pragma once
// The Check window: the findings of the check of the program (check/program_check.h), one row each
// with its section, line and message; activating a row (double click or Enter) shows that line in
// the program view, as the debugger shows a paused line. With no finding it says so.

#include "base/translatable.h"
#include "check/program_check.h"

#include <QDialog>

#include <vector>

class QTreeWidget;

namespace qel {

class IdeHost;

inline constexpr std::string_view kCheckWindowTitle = QT_TRANSLATE_NOOP("qel", "Check Program");
inline constexpr std::string_view kNoProblemsFound = "No problems found.";

class CCheckWindow : public QDialog {
    Q_OBJECT
public:
    CCheckWindow(IdeHost& host, QWidget* parent);

    // Shows these findings in place of the last ones.
    void showFindings(const std::vector<Finding>& findings);
    QTreeWidget* list() const { return list_; }

private:
    IdeHost& host_;
    QTreeWidget* list_;
    std::vector<Finding> findings_;
};

} // namespace qel
