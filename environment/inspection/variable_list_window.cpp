#include "environment/inspection/variable_list_window.h"
#include "environment/look/translation.h"

#include "environment/inspection/inspection_style.h"
#include "environment/printing/list_printing.h"
#include "environment/printing/print_target.h"
#include "fileio/file_io.h"
#include "inspection/list_table.h"
#include "program/program_file.h"
#include "runtime/latin1.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenuBar>
#include <QStyle>
#include <QTreeWidget>

namespace qel {

namespace {

constexpr int kColumnWidth = 100;

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

} // namespace

CORXListCtrlVars::CORXListCtrlVars(VariableListTable table, MessageHost& messages, QWidget* parent)
    : QMainWindow(parent, Qt::Window), table_(std::move(table)), messages_(messages), list_(new QTreeWidget)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(toQString(table_.title));
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("Save &As..."), this, &CORXListCtrlVars::saveAs);
    file->addAction(tr("&Print..."), this, &CORXListCtrlVars::print);
    file->addAction(translated(kPrintSetupText), this, [this] { printSetup(this, messages_, programFolder); });
    file->addSeparator();
    file->addAction(tr("E&xit"), this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(tr("&Copy"), QKeySequence::Copy, this, &CORXListCtrlVars::copy);

    makeReportList(*list_, {{kRowNumberTitle.data(), 50}});
    QStringList titles{toQString(kRowNumberTitle)};
    for (const std::string& title : table_.columns)
        titles << toQString(title);
    list_->setColumnCount(static_cast<int>(titles.size()));
    list_->setHeaderLabels(titles);
    for (int k = 1; k < list_->columnCount(); ++k)
        list_->setColumnWidth(k, kColumnWidth);
    list_->header()->setSectionsClickable(true);
    connect(list_->header(), &QHeaderView::sectionClicked, this, &CORXListCtrlVars::sortByColumn);
    setCentralWidget(list_);
    // Wide enough for every column beside the vertical scroll bar, up to a limit.
    int width = 2 * list_->frameWidth() + list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list_);
    for (int k = 0; k < list_->columnCount(); ++k)
        width += list_->columnWidth(k);
    resize(std::min(800, width), 400);
    chooseFile = [this](const QString& suggestion) {
        return QFileDialog::getSaveFileName(this, translated(kSaveVariablesTitle), suggestion,
                                            tr("Text Files (*.txt *.spl *.csv *.asc);;All files (*)"));
    };
    fill();
}

void CORXListCtrlVars::fill()
{
    list_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(table_.rows.size()));
    for (const std::vector<std::string>& row : table_.rows) {
        QStringList cells;
        for (const std::string& cell : row)
            cells << toQString(cell);
        items.append(new QTreeWidgetItem(cells));
    }
    list_->addTopLevelItems(items);
}

void CORXListCtrlVars::sortByColumn(int column)
{
    if (column < 0)
        return;
    sortRows(table_.rows, static_cast<size_t>(column));
    fill();
}

void CORXListCtrlVars::copy()
{
    std::string text;
    for (const std::vector<std::string>& row : table_.rows) {
        text += csvLine(row);
        text += '\n';
    }
    QApplication::clipboard()->setText(toQString(text));
}

void CORXListCtrlVars::saveAs()
{
    const QDir folder(programFolder.isEmpty() ? QDir::currentPath() : programFolder);
    QString path = chooseFile(folder.filePath(QStringLiteral("QELVars.CSV")));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".CSV");
    saveTo(path);
}

bool CORXListCtrlVars::saveTo(const QString& path)
{
    const QFileInfo target(path);
    if (!target.dir().exists() || target.isDir()) {
        messages_.showNotice(kCantOpenFile, Icon::Error);
        return false;
    }
    if (!writeFileAtomically(QFile::encodeName(path).toStdString(), bytesOf(csvText(table_, "\r\n")))) {
        messages_.showNotice(kFileWriteError, Icon::Error);
        return false;
    }
    messages_.showNotice(kSaved, Icon::Information);
    return true;
}

void CORXListCtrlVars::print()
{
    const Result<QString> pdf = printTable(this, table_, programFolder);
    if (!pdf)
        tellCannotPrint(messages_, pdf.failureText());
    else if (!pdf->isEmpty())
        tellPrintedTo(messages_, *pdf);
}

} // namespace qel
