#pragma once
// The inspection feature of the main window: the Object Viewer command and its window, and the
// variable list windows a running program opens.

#include "environment/inspection/object_viewer.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace qel {

class CommandSet;
class IdeState;
struct VariableListTable;

class InspectionWindows : public QObject {
    Q_OBJECT
public:
    // programFolder gives the open program's folder, where printed pages go as PDF.
    InspectionWindows(IdeState& ide, CommandSet& commands, QWidget& mainWindow, std::function<QString()> programFolder);

    // The Object Viewer command: the viewer is made on first use and shown again afterwards.
    void showObjectViewer();
    CORXObjectViewer* objectViewer() const { return viewer_; }
    // Opens a variable list window for a running program's table.
    void showVariableList(const VariableListTable& table);

private:
    IdeState& ide_;
    QWidget& mainWindow_;
    std::function<QString()> programFolder_;
    QPointer<CORXObjectViewer> viewer_;
};

} // namespace qel
