#pragma once
// The Find dialog and the Functions List dialog of the program view.

#include "environment/program_view/find_in_code.h"

#include <QDialog>
#include <QtGlobal>

#include <optional>
#include <string_view>
#include <vector>

class QLineEdit;
class QListWidget;

namespace qel {

inline constexpr std::string_view kFunctionsListTitle = QT_TRANSLATE_NOOP("qel", "Functions List");

// "Find": one field, OK and Cancel.
class CFindInCode : public QDialog {
    Q_OBJECT
public:
    explicit CFindInCode(QWidget* parent = nullptr);
    QLineEdit* field() const { return field_; }
    QString text() const;

private:
    QLineEdit* field_;
};

// "Functions List": the program's functions, green on black; OK or a double click chooses one.
class CFunctionsList : public QDialog {
    Q_OBJECT
public:
    CFunctionsList(std::vector<FunctionEntry> entries, QWidget* parent = nullptr);
    QListWidget* list() const { return list_; }
    // The declaration of the chosen entry, when one was chosen.
    std::optional<LineCursor> chosen() const;

private:
    std::vector<FunctionEntry> entries_;
    QListWidget* list_;
};

} // namespace qel
