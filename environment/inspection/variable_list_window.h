#pragma once
// The variable list window a program opens with DisplayVarsInListCtrl: the arrays side by side, a
// row number in the first column. The user sorts it by a column (a click on the header), copies it
// (Edit > Copy), saves it as comma-separated text (File > Save As) and prints it.

#include "base/translatable.h"
#include "interpreter/run_host.h"
#include "messages/file_messages.h"

#include <QMainWindow>
#include <QtGlobal>

#include <functional>

class QTreeWidget;

namespace qel {

class MessageHost;

class CORXListCtrlVars : public QMainWindow {
    Q_OBJECT
public:
    CORXListCtrlVars(VariableListTable table, MessageHost& messages, QWidget* parent = nullptr);

    const VariableListTable& table() const { return table_; }
    QTreeWidget* list() const { return list_; }

    void sortByColumn(int column);
    // Edit > Copy: the rows as comma-separated lines, without the titles.
    void copy();
    // File > Save As: asks for a name (chooseFile, replaced by tests), then saves.
    void saveAs();
    // Saves the table to a file: the titles, then every row, CR LF after each line.
    bool saveTo(const QString& path);
    // File > Print...
    void print();

    // How the save name is asked for; returns an empty name when cancelled.
    std::function<QString(const QString& suggestion)> chooseFile;
    // The saved program's folder (empty for one never saved: the current folder): where Save As
    // starts, and where printed pages go as PDF on a machine without a printer.
    QString programFolder;

private:
    void fill();

    VariableListTable table_;
    MessageHost& messages_;
    QTreeWidget* list_;
};

inline constexpr std::string_view kSaveVariablesTitle = QT_TRANSLATE_NOOP("qel", "Save Variable Values");
inline constexpr std::string_view kCantOpenFile = QT_TRANSLATE_NOOP("qel", "can't open file.");
inline constexpr std::string_view kSaved = QT_TRANSLATE_NOOP("qel", "Saved");

} // namespace qel
