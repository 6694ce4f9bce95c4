#include "environment/program_view/find_dialogs.h"
#include "environment/look/translation.h"

#include "runtime/latin1.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace qel {

namespace {

QDialogButtonBox* okCancel(QDialog& dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace

CFindInCode::CFindInCode(QWidget* parent) : QDialog(parent), field_(new QLineEdit)
{
    setWindowTitle(tr("Find"));
    field_->setMaxLength(kMaxFindText);
    auto* label = new QLabel(tr("&Find"));
    label->setBuddy(field_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(field_);
    layout->addWidget(okCancel(*this));
}

QString CFindInCode::text() const { return field_->text(); }

CFunctionsList::CFunctionsList(std::vector<FunctionEntry> entries, QWidget* parent)
    : QDialog(parent), entries_(std::move(entries)), list_(new QListWidget)
{
    setWindowTitle(translated(kFunctionsListTitle));
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, QColor(0, 255, 0));
    list_->setPalette(palette);
    for (const FunctionEntry& e : entries_)
        list_->addItem(toQString(e.text));
    if (!entries_.empty())
        list_->setCurrentRow(0);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(okCancel(*this));
    resize(420, 300);
}

std::optional<LineCursor> CFunctionsList::chosen() const
{
    const int row = list_->currentRow();
    if (result() != QDialog::Accepted || row < 0 || row >= static_cast<int>(entries_.size()))
        return std::nullopt;
    return entries_[static_cast<size_t>(row)].declaration;
}

} // namespace qel
