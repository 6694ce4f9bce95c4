#include "environment/run_window/run_input_box.h"

#include "program/host.h"
#include "runtime/latin1.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qel {

RunInputBox::RunInputBox(std::string_view prompt, std::string_view title, MessageHost& host, QWidget* parent)
    : QDialog(parent), reply_(new QLineEdit(this)), host_(host)
{
    setWindowTitle(toQString(title));
    auto* text = new QLabel(toQString(prompt), this);
    text->setWordWrap(true);
    text->setMinimumWidth(320);
    auto* label = new QLabel(tr("&Reply"), this);
    label->setBuddy(reply_);
    reply_->setMaxLength(kMaxReply);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("Ok", QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &RunInputBox::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RunInputBox::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(label);
    layout->addWidget(reply_);
    layout->addWidget(buttons);
    reply_->setFocus();
}

std::string RunInputBox::reply() const { return fromQString(reply_->text().left(kMaxReply)); }

void RunInputBox::accept()
{
    if (reply_->text().isEmpty()) {
        host_.showNotice(kInputRequired, Icon::Exclamation);
        reply_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace qel
