#pragma once
// The forms designer window: a form being designed (FormDesign) under its drawing surface, with the
// designer's menus and toolbar (adding objects, snap, the format painter, the default colours, tab
// order, Show form, undo, copy and paste, layout), the form file commands and the question about
// unsaved changes. The properties window and the Tab Order dialog attach through propertyTarget()
// and the signals.

#include "environment/shell/command_ids.h"
#include "forms/design/form_design.h"

#include <QColor>
#include <QHash>
#include <QString>
#include <QWidget>
#include <QtGlobal>

#include <functional>

class QAction;
class QMenu;
class QSplitter;
class QToolBar;

namespace qel {

class CFormDesignView;
class MessageHost;
class RecentFileList;

// The window's titles, questions and the file commands' texts.
inline constexpr const char* kDesignerTitle = QT_TRANSLATE_NOOP("qel", "ORX Form");
inline constexpr const char* kNewDesignTitle = QT_TRANSLATE_NOOP("qel", "Forms Editor");
inline constexpr const char* kSaveChangesToForm = QT_TRANSLATE_NOOP("qel", "Save changes to the form");
inline constexpr const char* kSaveFormQuestion = QT_TRANSLATE_NOOP("qel", "Save Form");
inline constexpr const char* kSaveFormTitle = QT_TRANSLATE_NOOP("qel", "Save ORX Form file");
inline constexpr const char* kBitmapFilter = QT_TRANSLATE_NOOP("qel", "Bitmap Files (*.bmp)");

class CFormsEditForm : public QWidget {
    Q_OBJECT
public:
    // recentFiles may be null: nothing is remembered.
    CFormsEditForm(MessageHost& host, RecentFileList* recentFiles, QWidget* parent = nullptr);
    ~CFormsEditForm() override;

    FormDesign& design() { return design_; }
    PropertyTarget& propertyTarget() { return design_; }
    CFormDesignView* view() const { return view_; }
    QAction* action(CommandId id) const { return actions_.value(id); }
    const QString& path() const { return path_; }

    // The properties window takes its place beside the drawing surface, so that it is shown,
    // hidden, minimised and raised with the designer and never covers the form.
    void setPropertiesWindow(QWidget* properties);
    QWidget* propertiesWindow() const { return properties_; }
    // The designer's keys (undo, redo, copy, paste, select all) work wherever the focus is in the
    // designer; this makes them work in window too, such as the designer's frame.
    void takeKeysOf(QWidget* window);

    // Numbers over the controls while the Tab Order dialog is open.
    void setShowTabOrder(bool on);
    // Whether the program has a function of a name; an event naming none is warned about.
    void setFunctionCheck(std::function<bool(std::string_view)> check);

    // The file commands; each returns whether it did what it was asked. A changed form is offered
    // for saving first, and Cancel there abandons the command.
    bool fileNew();
    bool fileOpen();
    bool openPath(const QString& path);
    bool openRecent(int index);
    bool fileSave();
    bool fileSaveAs();
    // Saves the form, then asks for its preview.
    bool showForm();
    // Asks about unsaved changes: true when the window may close.
    bool queryClose();

    // How file names and colours are asked for; replaced by tests. Empty or invalid when cancelled.
    enum class FileDialogKind { Open, Save, Bitmap };
    std::function<QString(FileDialogKind)> chooseFile;
    std::function<QColor(QColor current)> chooseColour;

Q_SIGNALS:
    void currentObjectChanged();
    void propertyValuesChanged();
    void propertiesWindowRequested();
    void tabOrderRequested();
    // The form has been saved to path and asks to be shown as it will run.
    void previewRequested(const QString& path);
    void recentFilesChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Takes a key that is one of the designer's commands (asked first, then pressed): whether it was.
    bool takeKey(QEvent* event);
    void createCommands();
    void createMenus();
    QAction* addCommand(CommandId id, const QString& text, const std::function<void()>& run);
    void designChanged(DesignChange what);
    void afterCommand();
    void addObject(int16_t type);
    void setDefaultColour(CommandId id);
    void enableCommands();
    void rebuildRecentMenu();
    bool askToSave(const char* question);
    bool saveTo(const QString& path);
    void updateColourIcons();

    MessageHost& host_;
    RecentFileList* recent_;
    FormDesign design_;
    CFormDesignView* view_;
    QSplitter* panes_;
    QWidget* properties_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QHash<int, QAction*> actions_;
    QString path_;
    bool afterPending_ = false;
};

} // namespace qel
