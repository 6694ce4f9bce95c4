#include "environment/check/check_window.h"

#include "environment/look/translation.h"
#include "environment/run_window/ide_host.h"
#include "runtime/latin1.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qel {

namespace {
constexpr int kFindingRole = Qt::UserRole;
} // namespace

CCheckWindow::CCheckWindow(IdeHost& host, QWidget* parent) : QDialog(parent), host_(host), list_(new QTreeWidget)
{
    setWindowTitle(translated(kCheckWindowTitle));
    setObjectName(QStringLiteral("CCheckWindow"));
    list_->setHeaderLabels({tr("Section"), tr("Line"), tr("Problem")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    resize(640, 260);
    // Double click and Enter both activate a row.
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QVariant index = item->data(0, kFindingRole);
        if (!index.isValid())
            return;
        const Finding& f = findings_.at(index.toULongLong());
        host_.showLine(f.section, static_cast<long>(f.line));
    });
}

void CCheckWindow::showFindings(const std::vector<Finding>& findings)
{
    findings_ = findings;
    list_->clear();
    for (size_t k = 0; k < findings_.size(); ++k) {
        const Finding& f = findings_[k];
        const QString message = f.own.text.empty() ? toQString(f.message) : translated(f.own);
        auto* item = new QTreeWidgetItem({toQString(sectionName(f.section)), QString::number(f.line), message});
        item->setData(0, kFindingRole, QVariant::fromValue<qulonglong>(k));
        item->setToolTip(2, message);
        list_->addTopLevelItem(item);
    }
    if (findings_.empty()) {
        auto* item = new QTreeWidgetItem({QString(), QString(), toQString(kNoProblemsFound)});
        item->setFlags(Qt::ItemIsEnabled);
        list_->addTopLevelItem(item);
    } else {
        list_->setCurrentItem(list_->topLevelItem(0));
    }
    list_->resizeColumnToContents(0);
    list_->resizeColumnToContents(1);
}

} // namespace qel
