#pragma once
// The main window: menus, toolbar and status bar around an MDI area that holds the program's
// document window and the run-time window. It routes the commands to the document and the program
// view and keeps every command enabled exactly when it can be used.

#include "environment/shell/command_ids.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QMdiArea;
class QMenu;
class QToolBar;

namespace qel {

class CChildFrame;
class CQelDoc;
class CQelView;
class IdeState;
class RecentFileList;
class StatusPanes;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(IdeState& ide, RecentFileList& recentFiles, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // File commands. Each returns whether it did what it was asked; a document with unsaved changes
    // is offered for saving first, and Cancel there abandons the command.
    bool fileNew();
    bool fileOpen();
    bool openFile(const QString& path);
    bool openRecentFile(int index);
    bool fileSave();
    bool fileSaveAs();
    bool fileClose();

    // Asks whether to save unsaved changes: true when the caller may go on (saved, or not wanted).
    bool saveModified();

    void helpTopics();
    void contextHelp();
    void showAbout();

    // Re-derives the enabled state of every command (the framework's update handlers).
    void updateCommandStates();

    QAction* commandAction(CommandId id) const;
    QMdiArea* mdiArea() const { return mdi_; }
    QToolBar* toolBar() const { return toolBar_; }
    CQelDoc& document() const { return *doc_; }
    bool hasDocument() const { return child_ != nullptr; }
    CChildFrame* childFrame() const { return child_; }
    CQelView* view() const;
    StatusPanes& statusPanes() const { return *panes_; }

    // How a file name is asked for; replaced by tests. Returns an empty name when cancelled.
    enum class FileDialogKind { Open, SaveAs };
    std::function<QString(FileDialogKind kind, const QString& suggestion)> chooseFile;

Q_SIGNALS:
    void recentFilesChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // main_frame_actions.cpp: the commands' actions, menus and toolbar.
    QAction* addCommand(CommandId id, const QString& text, std::function<void()> handler);
    void createActions();
    void createMenus();
    void createToolBar();
    void rebuildRecentFileMenu();
    void runViewCommand(void (CQelView::*command)());

    bool loadFile(const QString& path);
    bool saveTo(const QString& path);
    void showDocument();
    void closeDocument();
    void updateTitle();
    void setSectionPane(const QString& text);
    QString defaultFileDialog(FileDialogKind kind, const QString& suggestion);

    IdeState& ide_;
    RecentFileList& recent_;
    CQelDoc* doc_;
    QMdiArea* mdi_;
    CChildFrame* child_ = nullptr;
    StatusPanes* panes_;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QAction* exitAction_ = nullptr;
    std::vector<QAction*> recentActions_;
    std::map<CommandId, QAction*> actions_;
    int newDocumentCount_ = 0;
};

inline constexpr const char* kApplicationTitle = "Qelvin Programming Language";
inline constexpr const char* kClosingWhileRunning = "Closing QEL is disallowed whilst a program is running.";

} // namespace qel
