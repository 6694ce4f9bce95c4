#include "environment/forms/user_form_dialog.h"
#include "environment/look/translation.h"

#include "runtime/latin1.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace qel {

namespace {

constexpr int kWidth = 400;
constexpr int kRowHeight = 30;
constexpr int kFirstRow = 40;
constexpr int kControlHeight = 20;
constexpr int kMargin = 10;
constexpr int kMaxPrompt = 20; // characters shown of a prompt

} // namespace

CInsUserForm::CInsUserForm(UserForm& form, QWidget* parent) : QDialog(parent), form_(form)
{
    setWindowTitle(translated(kUserFormTitle));
    const int rows = static_cast<int>(form.rows.size());
    setFixedSize(kWidth, rows * kRowHeight + 75);

    ok_ = new QPushButton(tr("OK"), this);
    cancel_ = new QPushButton(tr("Cancel"), this);
    ok_->setGeometry(kMargin, kMargin, 75, 23);
    cancel_->setGeometry(kMargin + 85, kMargin, 75, 23);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &CInsUserForm::accept);
    connect(cancel_, &QPushButton::clicked, this, &CInsUserForm::reject);

    // The prompt column is as wide as the widest prompt.
    std::vector<QString> prompts;
    int column = 0;
    for (const UserFormRow& row : form.rows) {
        prompts.push_back(toQString(row.prompt).left(kMaxPrompt));
        column = std::max(column, fontMetrics().horizontalAdvance(prompts.back()));
    }
    for (int k = 0; k < rows; ++k) {
        const UserFormRow& row = form.rows[static_cast<size_t>(k)];
        const int top = kFirstRow + k * kRowHeight;
        auto* label = new QLabel(prompts[static_cast<size_t>(k)], this);
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        label->setGeometry(kMargin, top + 3, column, kControlHeight);
        QWidget* control = nullptr;
        if (row.kind == UserFormRow::Kind::List) {
            auto* list = new QComboBox(this);
            for (const std::string& item : row.items)
                list->addItem(toQString(item));
            list->setCurrentIndex(row.items.empty() ? -1 : 0);
            control = list;
        } else {
            auto* edit = new QLineEdit(toQString(row.items.empty() ? std::string() : row.items.front()), this);
            edit->setReadOnly(row.kind == UserFormRow::Kind::ReadOnly);
            control = edit;
        }
        const int left = kMargin + column + 5;
        control->setGeometry(left, top, kWidth - kMargin - left, kControlHeight);
        controls_.push_back(control);
    }
    if (!controls_.empty())
        controls_.front()->setFocus();
}

std::vector<std::string> CInsUserForm::texts() const
{
    std::vector<std::string> out;
    for (QWidget* control : controls_) {
        if (auto* list = qobject_cast<QComboBox*>(control))
            out.push_back(fromQString(list->currentText()));
        else
            out.push_back(fromQString(static_cast<QLineEdit*>(control)->text()));
    }
    return out;
}

void CInsUserForm::accept()
{
    if (deciding)
        deciding(true, texts());
    if (form_.ok(texts()))
        QDialog::accept();
}

// Cancel, Escape and the close box all ask first.
void CInsUserForm::reject()
{
    if (deciding)
        deciding(false, texts());
    if (form_.cancel())
        QDialog::reject();
}

} // namespace qel
