#include "environment/form_designer/tab_order_dialog.h"
#include "environment/look/translation.h"

#include "forms/property_target.h"
#include "runtime/latin1.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace qel {

namespace {

struct Column {
    const char* title;
    int width;
};
constexpr Column kColumns[] = {{"Tab Order", 75}, {"Control Name", 275}, {"Control ID", 70}};

} // namespace

CFormTabOrder::CFormTabOrder(const FormObjects& objects, QWidget* parent)
    : QDialog(parent),
      rows_(tabOrderRows(objects)),
      list_(new QTreeWidget),
      up_(new QToolButton),
      down_(new QToolButton),
      ok_(new QPushButton(tr("OK"))),
      cancel_(new QPushButton(tr("Cancel")))
{
    setWindowTitle(translated(kTabOrderTitle));
    list_->setRootIsDecorated(false);
    list_->setColumnCount(std::size(kColumns));
    QStringList titles;
    int width = 0;
    for (const Column& c : kColumns)
        titles << QString::fromLatin1(c.title);
    list_->setHeaderLabels(titles);
    for (int k = 0; k < static_cast<int>(std::size(kColumns)); ++k) {
        // Never narrower than its title.
        const int columnWidth = std::max(kColumns[k].width, list_->header()->sectionSizeHint(k));
        list_->setColumnWidth(k, columnWidth);
        width += columnWidth;
    }
    list_->setMinimumWidth(width + 4);
    list_->header()->setStretchLastSection(false);

    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { moveSelected(true); });
    connect(down_, &QToolButton::clicked, this, [this] { moveSelected(false); });
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(up_);
    arrows->addWidget(down_);
    arrows->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(list_, 0, 0);
    layout->addLayout(arrows, 0, 1);
    layout->addLayout(buttons, 0, 2);

    fill();
    if (!rows_.empty())
        list_->setCurrentItem(list_->topLevelItem(0));
    list_->setFocus();
}

void CFormTabOrder::fill()
{
    list_->clear();
    for (const TabOrderRow& row : rows_) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, QString::number(row.tabOrder));
        item->setText(1, toQString(row.name));
        item->setText(2, QString::number(row.object));
    }
}

std::vector<size_t> CFormTabOrder::order() const
{
    std::vector<size_t> objects;
    for (const TabOrderRow& row : rows_)
        objects.push_back(row.object);
    return objects;
}

void CFormTabOrder::moveSelected(bool up)
{
    const int at = list_->indexOfTopLevelItem(list_->currentItem());
    if (at < 0 || !moveTabOrderRow(rows_, static_cast<size_t>(at), up))
        return;
    fill();
    list_->setCurrentItem(list_->topLevelItem(up ? at - 1 : at + 1));
}

bool runTabOrderDialog(PropertyTarget& target, QWidget* parent)
{
    CFormTabOrder dialog(target.objects(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    target.applyTabOrder(dialog.order());
    return true;
}

} // namespace qel
