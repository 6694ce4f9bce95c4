#include "environment/inspection/object_viewer.h"

#include "environment/ide_state.h"
#include "environment/inspection/inspection_style.h"
#include "environment/look/translation.h"
#include "inspection/variable_listing.h"
#include "runtime/latin1.h"

#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>

namespace qel {

namespace {

constexpr int kVariablesPaneWidth = 270;

} // namespace

CORXObjectViewer::CORXObjectViewer(IdeState& ide, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      ide_(ide),
      variables_(new QTreeWidget),
      values_(new QTreeWidget),
      note_(new QLabel)
{
    setWindowTitle(tr("QEL Object Viewer"));
    setObjectName(QStringLiteral("objectViewer"));
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Refresh"), this, &CORXObjectViewer::refresh);
    file->addAction(tr("E&xit"), this, &QWidget::close);

    makeReportList(*variables_, {{"Name", 110}, {"Type", 75}, {"Dimensions", 80}});
    makeReportList(*values_, {{"Value", 175}, {"Dimensions", 100}});
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(variables_);
    splitter->addWidget(values_);
    splitter->setSizes({kVariablesPaneWidth, 300});
    setCentralWidget(splitter);
    statusBar()->addWidget(note_, 1);
    resize(600, 400);
    connect(variables_, &QTreeWidget::currentItemChanged, this, &CORXObjectViewer::showElements);
    refresh();
}

QString CORXObjectViewer::note() const { return note_->text(); }

void CORXObjectViewer::refresh()
{
    const QTreeWidgetItem* chosen = variables_->currentItem();
    const QString chosenName = chosen ? chosen->text(0) : QString();
    const QSignalBlocker quiet(variables_);
    variables_->clear();
    QTreeWidgetItem* again = nullptr;
    for (const VariableRow& row : variableRows(ide_.variables)) {
        auto* item =
            new QTreeWidgetItem(variables_, {toQString(row.name), toQString(row.type), toQString(row.dimensions)});
        if (toQString(row.name) == chosenName)
            again = item;
    }
    if (again)
        variables_->setCurrentItem(again);
    showElements();
}

void CORXObjectViewer::showElements()
{
    values_->clear();
    note_->clear();
    const QTreeWidgetItem* chosen = variables_->currentItem();
    const VariableRecord* variable = chosen ? ide_.variables.findVariable(fromQString(chosen->text(0))) : nullptr;
    if (!variable)
        return;
    const ElementListing listing = listElements(*variable, ide_.interpreter.eval().displayPrecision, ide_.running());
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(listing.rows.size()));
    for (const ElementRow& row : listing.rows)
        items.append(new QTreeWidgetItem({toQString(row.value), toQString(row.subscripts)}));
    values_->addTopLevelItems(items);
    // More elements than a list shows: the first ones are listed and the window says so.
    if (listing.truncated())
        note_->setText(tr("%1: the first %2 of %3 are shown.")
                           .arg(translated(kTooManyElements), QString::number(listing.rows.size()),
                                QString::number(listing.total)));
}

} // namespace qel
