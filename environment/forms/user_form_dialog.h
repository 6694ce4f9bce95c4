#pragma once
// OpenForm's modal "User Form": OK and Cancel at the top, then one row a prompt and its control (a
// drop-down list, an edit box, a read-only one, or one for a number), laid out as the instruction
// has always laid it out. OK and Cancel go to the form's own handlers, which store the answers and
// decide whether the form closes.

#include "interpreter/run_host.h"

#include <QDialog>
#include <QtGlobal>

#include <functional>

#include <vector>

class QPushButton;

namespace qel {

inline constexpr const char* kUserFormTitle = QT_TRANSLATE_NOOP("qel", "User Form");

class CInsUserForm : public QDialog {
    Q_OBJECT
public:
    explicit CInsUserForm(UserForm& form, QWidget* parent = nullptr);

    // Each row's text: the list's chosen item or the edit box's text.
    std::vector<std::string> texts() const;
    // The control of a row (a QComboBox or a QLineEdit).
    QWidget* rowControl(size_t row) const { return controls_.at(row); }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    void accept() override;
    void reject() override;

    // Told of OK (true) or Cancel pressed, with the rows' texts, before the form decides.
    std::function<void(bool ok, const std::vector<std::string>& texts)> deciding;

private:
    UserForm& form_;
    std::vector<QWidget*> controls_;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace qel
