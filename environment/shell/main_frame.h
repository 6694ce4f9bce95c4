#pragma once
// The main window: menus, toolbar and status bar around an MDI area that holds the program's
// document window and the run-time window. It holds the file, window and help commands itself and
// the program view's and the run's commands in their features, which each keep their own commands
// enabled exactly when they can be used.

#include "base/translatable.h"
#include "environment/shell/command_ids.h"
#include "environment/shell/command_set.h"

#include <QMainWindow>
#include <QtGlobal>

#include <functional>
#include <vector>

class QMdiArea;
class QMenu;
class QToolBar;

namespace qel {

class InspectionWindows;
class CheckCommands;
class FormDesigners;

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

    QAction* commandAction(CommandId id) const { return commands_.action(id); }
    QMdiArea* mdiArea() const { return mdi_; }
    QToolBar* toolBar() const { return toolBar_; }
    CQelDoc& document() const { return *doc_; }
    bool hasDocument() const { return child_ != nullptr; }
    CChildFrame* childFrame() const { return child_; }
    CQelView* view() const;
    StatusPanes& statusPanes() const { return *panes_; }
    InspectionWindows& inspection() const { return *inspection_; }
    FormDesigners& formDesigners() const { return *formDesigners_; }
    CheckCommands& checkCommands() const { return *checkCommands_; }

    // How a file name is asked for; replaced by tests. Returns an empty name when cancelled.
    enum class FileDialogKind { Open, SaveAs, RecordRun };
    std::function<QString(FileDialogKind kind, const QString& suggestion)> chooseFile;

Q_SIGNALS:
    void recentFilesChanged();
    // The document window opened (its view) or closed (none): the commands on the view follow it.
    void documentViewChanged(qel::CQelView* view);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // main_frame_actions.cpp: the frame's own commands, the features' commands, the menus and the
    // toolbar, and when the frame's own commands are enabled.
    void createFileCommands();
    void createWindowAndHelpCommands();
    void createMenus();
    void createToolBar();
    void rebuildRecentFileMenu();
    void enableFileCommands();
    void enableWindowCommands();

    bool loadFile(const QString& path);
    bool saveTo(const QString& path);
    void showDocument();
    void closeDocument();
    void updateTitle();
    void setSectionPane(const QString& text);
    QString defaultFileDialog(FileDialogKind kind, const QString& suggestion);

    IdeState& ide_;
    RecentFileList& recent_;
    CommandSet commands_;
    CQelDoc* doc_;
    QMdiArea* mdi_;
    CChildFrame* child_ = nullptr;
    InspectionWindows* inspection_ = nullptr;
    FormDesigners* formDesigners_ = nullptr;
    CheckCommands* checkCommands_ = nullptr;
    StatusPanes* panes_;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QAction* exitAction_ = nullptr;
    std::vector<QAction*> recentActions_;
    int newDocumentCount_ = 0;
};

inline constexpr const char* kApplicationTitle = QT_TRANSLATE_NOOP("qel", "Qelvin Programming Language");
// Asked before a changed program closes, with the program's title for %1.
inline constexpr const char* kSaveChangesTo = QT_TRANSLATE_NOOP("qel", "Save changes to %1?");
inline constexpr const char* kClosingWhileRunning =
    QT_TRANSLATE_NOOP("qel", "Closing QEL is disallowed whilst a program is running.");

} // namespace qel
