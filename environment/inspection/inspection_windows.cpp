#include "environment/inspection/inspection_windows.h"

#include "environment/ide_state.h"
#include "environment/inspection/object_viewer.h"
#include "environment/inspection/variable_list_window.h"
#include "environment/shell/command_set.h"
#include "environment/shell/main_frame_icons.h"

#include <QAction>

namespace qel {

InspectionWindows::InspectionWindows(IdeState& ide, CommandSet& commands, QWidget& mainWindow,
                                     std::function<QString()> programFolder)
    : QObject(&mainWindow), ide_(ide), mainWindow_(mainWindow), programFolder_(std::move(programFolder))
{
    QAction* viewer = commands.add(*this, kCmdObjectViewer, tr("&Object Viewer"),
                                   tr("Show the values of the program's variables"), [this] { showObjectViewer(); });
    viewer->setIcon(toolIcon(ToolIcon::ObjectViewer));
    // The viewer follows the run: it shows the values again whenever the run pauses or ends.
    connect(&ide_.host, &IdeHost::runStateChanged, this, [this](IdeHost::RunState state) {
        if (viewer_ && state != IdeHost::RunState::Running)
            viewer_->refresh();
    });
    connect(&ide_.host, &IdeHost::variableListRequested, this, &InspectionWindows::showVariableList);
}

void InspectionWindows::showObjectViewer()
{
    if (!viewer_)
        viewer_ = new CORXObjectViewer(ide_, &mainWindow_);
    else
        viewer_->refresh();
    viewer_->show();
    viewer_->raise();
    viewer_->activateWindow();
}

void InspectionWindows::showVariableList(const VariableListTable& table)
{
    auto* window = new CORXListCtrlVars(table, ide_.host, &mainWindow_);
    window->programFolder = programFolder_();
    window->show();
}

} // namespace qel
