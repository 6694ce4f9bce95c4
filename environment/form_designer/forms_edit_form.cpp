#include "environment/form_designer/forms_edit_form.h"
#include "environment/editors/pickers.h"
#include "environment/look/translation.h"

#include "environment/form_designer/designer_icons.h"
#include "environment/form_designer/form_design_view.h"
#include "environment/forms/form_painter.h"
#include "environment/shell/recent_file_list.h"
#include "forms/form_file.h"
#include "program/host.h"
#include "runtime/bitmap_file.h"
#include "runtime/latin1.h"

#include <QAction>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace qel {

namespace {

QColor toQColor(uint32_t colour) { return formColour(colour); }
uint32_t fromQColor(const QColor& c) { return rgb(c.red(), c.green(), c.blue()); }

} // namespace

CFormsEditForm::CFormsEditForm(MessageHost& host, RecentFileList* recentFiles, QWidget* parent)
    : QWidget(parent),
      host_(host),
      recent_(recentFiles),
      view_(new CFormDesignView(design_, this)),
      panes_(new QSplitter(Qt::Horizontal, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(translated(kDesignerTitle));
    chooseFile = [this](FileDialogKind kind) {
        switch (kind) {
        case FileDialogKind::Open:
            return QFileDialog::getOpenFileName(this, translated(kFormOpenTitle), QStringLiteral("."),
                                                qtFileFilter(kFormFileFilter));
        case FileDialogKind::Save: {
            QFileDialog dialog(this, translated(kSaveFormTitle), QStringLiteral("."), qtFileFilter(kFormFileFilter));
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setDefaultSuffix(QStringLiteral("Frm"));
            return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
        }
        case FileDialogKind::Bitmap:
            return QFileDialog::getOpenFileName(this, QString(), QStringLiteral("."), translated(kBitmapFilter));
        }
        return QString();
    };
    chooseColour = [this](QColor current) {
        return QColorDialog::getColor(current, this, QString(), QColorDialog::DontUseNativeDialog);
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    createCommands();
    createMenus();
    layout->addWidget(toolBar_);
    panes_->setChildrenCollapsible(false);
    panes_->addWidget(view_);
    panes_->setStretchFactor(0, 1);
    layout->addWidget(panes_, 1);
    setFocusProxy(view_);

    design_.setListener([this](DesignChange what) { designChanged(what); });
    connect(view_, &CFormDesignView::commandDone, this, &CFormsEditForm::afterCommand);
    connect(view_, &CFormDesignView::objectDoubleClicked, this, &CFormsEditForm::propertiesWindowRequested);
    enableCommands();
}

CFormsEditForm::~CFormsEditForm() { design_.setListener({}); }

QAction* CFormsEditForm::addCommand(CommandId id, const QString& text, const std::function<void()>& run)
{
    auto* a = new QAction(text, this);
    a->setData(int(id));
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    a->setIcon(designerIcon(id));
    connect(a, &QAction::triggered, this, [this, run] {
        run();
        afterCommand();
    });
    addAction(a);
    actions_.insert(id, a);
    return a;
}

void CFormsEditForm::createCommands()
{
    using namespace object_type;
    addCommand(kCmdFormAddStatic, tr("Add Static text"), [this] { addObject(kStaticText); });
    addCommand(kCmdFormAddEdit, tr("Add an Edit text control"), [this] { addObject(kEdit); });
    addCommand(kCmdFormAddCheckBox, tr("Add a checkbox"), [this] { addObject(kCheckBox); });
    addCommand(kCmdFormAddLine, tr("Add a line"), [this] { addObject(kLine); });
    addCommand(kCmdFormAddPicture, tr("Add a picture"), [this] { addObject(kImage); });
    addCommand(kCmdFormAddComboBox, tr("Add a combo box"), [this] { addObject(kComboBox); });
    addCommand(kCmdFormAddButton, tr("Add a button"), [this] { addObject(kButton); });
    addCommand(kCmdFormAddRectangle, tr("Add a rectangle"), [this] { addObject(kRectangle); });
    addCommand(kCmdFormSnap, tr("Snap objects to the grid"), [this] {
        design_.setSnap(action(kCmdFormSnap)->isChecked());
    })->setCheckable(true);
    addCommand(kCmdFormPainter, tr("Format Painter"), [this] { design_.togglePainter(); })->setCheckable(true);
    addCommand(kCmdFormForeground, tr("Set default foreground colour"),
               [this] { setDefaultColour(kCmdFormForeground); });
    addCommand(kCmdFormBackground, tr("Set default background colour"),
               [this] { setDefaultColour(kCmdFormBackground); });
    addCommand(kCmdFormBorder, tr("Set default border colour"), [this] { setDefaultColour(kCmdFormBorder); });
    addCommand(kCmdFormTabOrder, tr("Set the tab order"), [this] { Q_EMIT tabOrderRequested(); });
    addCommand(kCmdFormShow, tr("Show form"), [this] { showForm(); });

    // Their keys reach the drawing surface, ahead of the main window's shortcuts.
    addCommand(kCmdEditUndo, tr("&Undo\tCtrl+Z"), [this] { design_.undo(); });
    addCommand(kCmdEditRedo, tr("&Redo\tCtrl+Y"), [this] { design_.redo(); });
    addCommand(kCmdEditCopy, tr("&Copy\tCtrl+C"), [this] { design_.copy(); });
    addCommand(kCmdEditPaste, tr("&Paste\tCtrl+V"), [this] { design_.paste(); });
    addCommand(kCmdEditSelectAll, tr("Select &All\tCtrl+A"), [this] { design_.selectAll(); });
    addCommand(kCmdFormAlignLeft, tr("Align &Left Edges"), [this] { design_.alignLeft(); });
    addCommand(kCmdFormAlignTop, tr("Align &Top Edges"), [this] { design_.alignTop(); });
    addCommand(kCmdFormSameSize, tr("Make Same &Size"), [this] { design_.sameSize(); });
    addCommand(kCmdFormProperties, tr("&Properties..."), [this] { Q_EMIT propertiesWindowRequested(); });

    addCommand(kCmdFileNew, tr("&New Form file"), [this] { fileNew(); });
    addCommand(kCmdFileOpen, tr("&Open Form file"), [this] { fileOpen(); });
    addCommand(kCmdFileClose, tr("&Close Form file"), [this] { close(); });
    addCommand(kCmdFileSave, tr("&Save Form file"), [this] { fileSave(); });
    addCommand(kCmdFileSaveAs, tr("Save Form file &As.."), [this] { fileSaveAs(); });
    updateColourIcons();

    toolBar_ = new QToolBar(this);
    toolBar_->setIconSize(QSize(kDesignerIconSize, kDesignerIconSize));
    for (CommandId id :
         {kCmdFormAddStatic, kCmdFormAddEdit, kCmdFormAddCheckBox, kCmdFormAddComboBox, kCmdFormAddButton,
          kCmdFormAddRectangle, kCmdFormAddLine, kCmdFormAddPicture, CommandId(0), kCmdFormSnap, kCmdFormPainter,
          kCmdFormForeground, kCmdFormBackground, kCmdFormBorder, CommandId(0), kCmdFormTabOrder, kCmdFormShow}) {
        if (id == CommandId(0))
            toolBar_->addSeparator();
        else
            toolBar_->addAction(action(id));
    }
}

void CFormsEditForm::createMenus()
{
    auto* bar = new QMenuBar(this);
    auto add = [this](QMenu* menu, std::initializer_list<CommandId> ids) {
        for (CommandId id : ids) {
            if (id == CommandId(0))
                menu->addSeparator();
            else
                menu->addAction(action(id));
        }
    };
    QMenu* file = bar->addMenu(tr("&File"));
    add(file, {kCmdFileNew, kCmdFileOpen, kCmdFileClose, CommandId(0), kCmdFileSave, kCmdFileSaveAs, CommandId(0)});
    recentMenu_ = file->addMenu(tr("&Recent Form files"));
    add(bar->addMenu(tr("&Edit")),
        {kCmdEditUndo, kCmdEditRedo, CommandId(0), kCmdEditCopy, kCmdEditPaste, kCmdEditSelectAll});
    add(bar->addMenu(tr("&Layout")),
        {kCmdFormAlignLeft, kCmdFormAlignTop, kCmdFormSameSize, CommandId(0), kCmdFormSnap, kCmdFormPainter,
         kCmdFormTabOrder, kCmdFormProperties, CommandId(0), kCmdFormShow});
    rebuildRecentMenu();
    static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
}

void CFormsEditForm::rebuildRecentMenu()
{
    recentMenu_->clear();
    if (!recent_)
        return;
    for (int i = 0; i < recent_->files().size(); ++i)
        recentMenu_->addAction(recent_->menuText(i), this, [this, i] { openRecent(i); });
    recentMenu_->setEnabled(!recent_->files().isEmpty());
}

void CFormsEditForm::designChanged(DesignChange what)
{
    view_->viewport()->update();
    if (what == DesignChange::Picture)
        return;
    view_->updateScrollBars();
    if (what == DesignChange::Objects)
        Q_EMIT currentObjectChanged();
    else
        Q_EMIT propertyValuesChanged();
    // A change made by the properties window reaches no command of ours: the messages and the
    // commands' state follow once it returns.
    if (!afterPending_) {
        afterPending_ = true;
        QTimer::singleShot(0, this, [this] { afterCommand(); });
    }
}

void CFormsEditForm::afterCommand()
{
    afterPending_ = false;
    if (const std::optional<DesignMessage> m = design_.takeMessage())
        host_.showNotice(m->text, m->stop ? Icon::Error : Icon::Exclamation, Buttons::Ok);
    // An event may name a function not written yet: the properties window marks its row, the status
    // bar says it, and the run reports it if the event happens before the function exists.
    if (const std::optional<Notice> w = design_.takeWarning())
        if (auto* main = qobject_cast<QMainWindow*>(window()))
            main->statusBar()->showMessage(translated(*w));
    enableCommands();
}

void CFormsEditForm::enableCommands()
{
    action(kCmdEditCopy)->setEnabled(design_.selectionCount() > 0);
    action(kCmdEditPaste)->setEnabled(design_.hasMarked());
    action(kCmdEditUndo)->setEnabled(design_.canUndo());
    action(kCmdEditRedo)->setEnabled(design_.canRedo());
    const bool several = design_.currentObject() > 0 && design_.selectionCount() > 1;
    for (CommandId id : {kCmdFormAlignLeft, kCmdFormAlignTop, kCmdFormSameSize})
        action(id)->setEnabled(several);
    action(kCmdFormPainter)->setChecked(design_.painterArmed());
    action(kCmdFormSnap)->setChecked(design_.snap());
}

void CFormsEditForm::updateColourIcons()
{
    action(kCmdFormForeground)->setIcon(designerIcon(kCmdFormForeground, toQColor(design_.colours().foreground)));
    action(kCmdFormBackground)->setIcon(designerIcon(kCmdFormBackground, toQColor(design_.colours().background)));
    action(kCmdFormBorder)->setIcon(designerIcon(kCmdFormBorder, toQColor(design_.colours().border)));
}

void CFormsEditForm::setDefaultColour(CommandId id)
{
    DefaultColours& c = design_.colours();
    uint32_t& colour = id == kCmdFormForeground ? c.foreground : id == kCmdFormBackground ? c.background : c.border;
    const QColor chosen = chooseColour(toQColor(colour));
    if (!chosen.isValid())
        return;
    colour = fromQColor(chosen);
    updateColourIcons();
}

void CFormsEditForm::addObject(int16_t type)
{
    if (type != object_type::kImage) {
        design_.addObject(type);
        return;
    }
    if (design_.objects().size() >= kMaxFormObjects) {
        design_.addObject(type); // says why not
        return;
    }
    const QString file = chooseFile(FileDialogKind::Bitmap);
    if (file.isEmpty())
        return;
    std::optional<DesignPoint> size;
    const BitmapReadResult read = readBitmapFile(file.toStdString());
    if (read.status == BitmapReadStatus::Ok)
        size = DesignPoint{read.bitmap.width, read.bitmap.height};
    design_.addImage(fromQString(file), size);
}

bool CFormsEditForm::takeKey(QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::ControlModifier)
        return false;
    // Ahead of any shortcut of the main window, whichever widget of the designer has the focus.
    static constexpr std::pair<int, CommandId> kKeys[] = {
        {Qt::Key_Z, kCmdEditUndo},  {Qt::Key_Y, kCmdEditRedo},      {Qt::Key_C, kCmdEditCopy},
        {Qt::Key_V, kCmdEditPaste}, {Qt::Key_A, kCmdEditSelectAll},
    };
    const auto* found =
        std::find_if(std::begin(kKeys), std::end(kKeys), [key](const auto& k) { return k.first == key->key(); });
    if (found == std::end(kKeys))
        return false;
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        // A change the properties window made may not have reached the commands' state yet; a
        // disabled command does nothing.
        enableCommands();
        action(found->second)->trigger();
    }
    return true;
}

bool CFormsEditForm::event(QEvent* event)
{
    // The toolbar's marks take the ink of the palette they were drawn for: a new desktop theme
    // draws them again.
    if (event->type() == QEvent::ApplicationPaletteChange) {
        for (auto it = actions_.cbegin(); it != actions_.cend(); ++it)
            it.value()->setIcon(designerIcon(CommandId(it.key())));
        updateColourIcons();
    }
    return takeKey(event) || QWidget::event(event);
}

bool CFormsEditForm::eventFilter(QObject* watched, QEvent* event)
{
    return takeKey(event) || QWidget::eventFilter(watched, event);
}

void CFormsEditForm::setPropertiesWindow(QWidget* properties)
{
    properties_ = properties;
    panes_->addWidget(properties);
    panes_->setStretchFactor(1, 0);
}

void CFormsEditForm::takeKeysOf(QWidget* window) { window->installEventFilter(this); }

void CFormsEditForm::setShowTabOrder(bool on) { view_->setShowTabOrder(on); }

void CFormsEditForm::setFunctionCheck(std::function<bool(std::string_view)> check)
{
    design_.setFunctionCheck(std::move(check));
}

bool CFormsEditForm::askToSave(const char* question)
{
    if (!design_.isChanged())
        return true;
    switch (host_.showNotice(question, Icon::Question, Buttons::YesNoCancel)) {
    case Button::Yes: return fileSave();
    case Button::No: return true;
    default: return false;
    }
}

bool CFormsEditForm::fileNew()
{
    if (!askToSave(kSaveChangesToForm))
        return false;
    design_.reset();
    path_.clear();
    view_->setFolder(QString());
    setWindowTitle(translated(kNewDesignTitle));
    return true;
}

bool CFormsEditForm::fileOpen()
{
    if (!askToSave(kSaveFormQuestion))
        return false;
    const QString path = chooseFile(FileDialogKind::Open);
    return !path.isEmpty() && openPath(path);
}

bool CFormsEditForm::openPath(const QString& path)
{
    design_.reset();
    // A damaged file has said what is wrong; the objects read before the damage are kept.
    std::optional<FormReadResult> read = readFormForWindow(path.toStdString(), host_);
    if (!read) {
        design_.reset();
        path_.clear();
        setWindowTitle(translated(kDesignerTitle));
        return false;
    }
    design_.load(std::move(read->objects));
    path_ = path;
    view_->setFolder(QFileInfo(path).absolutePath());
    setWindowTitle(toQString(design_.objects()[0].caption));
    if (recent_) {
        recent_->add(path);
        Q_EMIT recentFilesChanged();
        rebuildRecentMenu();
    }
    return true;
}

bool CFormsEditForm::openRecent(int index)
{
    if (!recent_ || index < 0 || index >= recent_->files().size() || recent_->files()[index].isEmpty())
        return fileOpen();
    if (!askToSave(kSaveFormQuestion))
        return false;
    return openPath(recent_->files()[index]);
}

bool CFormsEditForm::saveTo(const QString& path)
{
    // A failed save leaves the form changed and the recent list as it was.
    if (!writeFormFile(path.toStdString(), design_.objects(), host_))
        return false;
    design_.markSaved();
    if (recent_) {
        recent_->add(path);
        Q_EMIT recentFilesChanged();
        rebuildRecentMenu();
    }
    return true;
}

bool CFormsEditForm::fileSave()
{
    if (path_.isEmpty()) {
        const QString chosen = chooseFile(FileDialogKind::Save);
        if (chosen.isEmpty())
            return false;
        path_ = chosen;
        view_->setFolder(QFileInfo(chosen).absolutePath());
        setWindowTitle(toQString(design_.objects()[0].caption));
    }
    return saveTo(path_);
}

bool CFormsEditForm::fileSaveAs()
{
    const QString old = path_;
    path_.clear();
    if (fileSave())
        return true;
    path_ = old; // cancelled or failed: the form keeps its file
    return false;
}

bool CFormsEditForm::showForm()
{
    if (!fileSave() || path_.isEmpty())
        return false;
    Q_EMIT previewRequested(path_);
    return true;
}

bool CFormsEditForm::queryClose() { return askToSave(kSaveChangesToForm); }

void CFormsEditForm::closeEvent(QCloseEvent* event)
{
    if (queryClose())
        event->accept();
    else
        event->ignore();
}

} // namespace qel
