#include "environment/form_designer/properties_window.h"
#include "environment/look/translation.h"

#include "environment/editors/pickers.h"
#include "environment/form_designer/property_grid.h"
#include "environment/help/help.h"
#include "forms/object_names.h"
#include "forms/property_editing.h"
#include "forms/property_target.h"
#include "instructions/bitmaps/bitmap_editors.h"
#include "program/host.h"
#include "runtime/latin1.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace qel {

namespace {

constexpr int kHelpHeight = 50;
constexpr int kListRows = 9;        // rows an in-place drop-down shows at once
constexpr int kObjectListRows = 12; // and the object list
constexpr int kMaxChoices = 199;    // font families offered
constexpr int kFontPoints = 8;
constexpr int kWidth = 260;
constexpr int kHeight = 420;

QStringList choicesOf(ChoiceListKind kind)
{
    QStringList items;
    if (kind == ChoiceListKind::FontNames)
        return QFontDatabase::families().mid(0, kMaxChoices);
    for (std::string_view choice : choiceList(kind))
        items << toQString(choice);
    return items;
}

// The colour dialog's colour of a "red,green,blue" text, and back.
QColor colourOf(const QString& text)
{
    const uint32_t c = parseColourText(fromQString(text));
    return {static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c >> 16 & 0xFF)};
}

QString colourTextOf(const QColor& c)
{
    return toQString(colourText(
        rgb(static_cast<uint32_t>(c.red()), static_cast<uint32_t>(c.green()), static_cast<uint32_t>(c.blue()))));
}

// The text an in-place editor holds: an edit box's or the chosen item of a drop-down list; nothing
// when no item is chosen (a font the list does not offer).
std::optional<QString> editorText(QWidget* editor)
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->text();
    auto* list = qobject_cast<QComboBox*>(editor);
    return list->currentIndex() >= 0 ? std::optional(list->currentText()) : std::nullopt;
}

bool isLatin1(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

// An in-place drop-down list. The arrow keys only move its choice, which Enter applies; a choice
// made in its popup applies when the popup closes.
class InPlaceList : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> popupClosed;

    void hidePopup() override
    {
        QComboBox::hidePopup();
        // Queued: the choice is set after the popup hides, and the list is not deleted meanwhile.
        if (popupClosed)
            QTimer::singleShot(0, this, popupClosed);
    }
};

// Focus the user moves elsewhere (a click, Tab, another window) applies the editor's text. A popup
// (the drop-down's own list, a context menu) does not, nor focus taken away while windows close.
bool leavesEditor(Qt::FocusReason reason)
{
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ActiveWindowFocusReason || reason == Qt::ShortcutFocusReason;
}

} // namespace

CPropertiesWindow::CPropertiesWindow(PropertyTarget& target, MessageHost& messages, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      target_(target),
      messages_(messages),
      objectList_(new QComboBox),
      grid_(new PropertyGrid),
      rowArea_(new QScrollArea),
      help_(new QPlainTextEdit)
{
    setWindowTitle(translated(kPropertiesWindowTitle));
    setFont(QFont(QStringLiteral("Arial"), kFontPoints));

    objectList_->setEditable(true);
    objectList_->setInsertPolicy(QComboBox::NoInsert);
    objectList_->setCompleter(nullptr); // a typed name is looked up as typed
    objectList_->setMaxVisibleItems(kObjectListRows);
    objectList_->lineEdit()->installEventFilter(this);
    // Queued: the designer refills the list while it shows the object chosen.
    connect(
        objectList_, &QComboBox::activated, this,
        [this](int index) {
            commitEditor();
            target_.selectObject(static_cast<size_t>(objectList_->itemData(index).toInt()));
        },
        Qt::QueuedConnection);

    auto* pages = new QHBoxLayout;
    pages->setSpacing(0);
    for (int k = 0; k < 2; ++k) {
        auto* button = new QPushButton(translated(k == 0 ? kPropertiesPage : kEventsPage));
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed); // the pages share the width
        connect(button, &QPushButton::clicked, this, [this, k] {
            commitEditor();
            setPage(k);
        });
        pages->addWidget(button);
        pageButtons_.push_back(button);
    }

    help_->setEnabled(false);
    help_->setFixedHeight(kHelpHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(objectList_);
    layout->addLayout(pages);
    // Rows beyond the window's height scroll, so that the window fits beside a designer of any size.
    rowArea_->setFrameShape(QFrame::NoFrame);
    rowArea_->setWidgetResizable(true);
    rowArea_->setWidget(grid_);
    layout->addWidget(rowArea_, 1);
    layout->addWidget(help_);

    connect(grid_, &PropertyGrid::rowClicked, this, [this](int row) {
        commitEditor();
        selectRow(row);
    });
    connect(grid_, &PropertyGrid::rowActivated, this, [this](int row) {
        commitEditor();
        selectRow(row);
        openEditor(row);
    });

    chooseColour = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        return chosen.isValid() ? std::optional(chosen) : std::nullopt;
    };
    chooseBitmapFile = [this](const QString& current) {
        return QFileDialog::getOpenFileName(this, QString(), QFileInfo(current).path(),
                                            qtFileFilter(kBitmapFileFilter));
    };
    showObject();
}

CPropertiesWindow::~CPropertiesWindow()
{
    if (editor_)
        editor_->removeEventFilter(this);
}

void CPropertiesWindow::showObject()
{
    closeEditor();
    const FormObject& object = target_.objects().at(target_.currentObject());
    shownType_ = object.objectType;
    rows_[0] = propertyRows(shownType_, PropertyPage::Properties);
    rows_[1] = propertyRows(shownType_, PropertyPage::Events);
    pageCount_ = rows_[1].empty() ? 1 : 2;
    pageButtons_[1]->setVisible(pageCount_ > 1);
    layout()->activate(); // the page buttons take their new widths at once
    fillObjectList();
    page_ = -1;
    setPage(0);
}

void CPropertiesWindow::refreshValues()
{
    const FormObjects& objects = target_.objects();
    if (target_.currentObject() >= objects.size() || objects[target_.currentObject()].objectType != shownType_) {
        showObject();
        return;
    }
    fillObjectList();
    for (int k = 0; k < grid_->rowCount(); ++k)
        grid_->setValue(k, shownValue(row(k)));
    markRows();
}

void CPropertiesWindow::markRows()
{
    for (int k = 0; k < grid_->rowCount(); ++k)
        grid_->setMarked(k, rowWarning(k).has_value());
    if (grid_->selectedRow() >= 0)
        selectRow(grid_->selectedRow());
}

std::optional<Notice> CPropertiesWindow::rowWarning(int r) const
{
    return target_.eventWarning(row(r).field, fromQString(grid_->value(r)));
}

void CPropertiesWindow::setPage(int page)
{
    if (page < 0 || page >= pageCount_ || page == page_)
        return;
    closeEditor();
    page_ = page;
    for (int k = 0; k < 2; ++k)
        pageButtons_[static_cast<size_t>(k)]->setEnabled(k != page_);
    QStringList labels;
    QStringList values;
    for (const PropertyRow& r : rows_[page_]) {
        labels << toQString(r.label);
        values << shownValue(r);
    }
    grid_->setRows(labels, values);
    markRows();
    help_->clear();
}

QString CPropertiesWindow::shownValue(const PropertyRow& r) const
{
    return toQString(rowText(target_.objects().at(target_.currentObject()), r));
}

void CPropertiesWindow::fillObjectList()
{
    const FormObjects& objects = target_.objects();
    const QSignalBlocker blocker(objectList_);
    objectList_->clear();
    for (size_t k = 0; k < objects.size(); ++k)
        objectList_->addItem(toQString(objects[k].name), static_cast<int>(k));
    objectList_->setCurrentIndex(static_cast<int>(target_.currentObject()));
}

void CPropertiesWindow::chooseTypedObject()
{
    const std::string name = fromQString(objectList_->currentText());
    const FormObjects& objects = target_.objects();
    for (size_t k = 0; k < objects.size(); ++k) {
        if (sameTextIgnoringCase(objects[k].name, name)) {
            target_.selectObject(k);
            return;
        }
    }
    messages_.showNotice(kObjectNotFound, Icon::Error);
}

void CPropertiesWindow::selectRow(int r)
{
    grid_->selectRow(r);
    if (r < 0 || r >= grid_->rowCount()) {
        help_->clear();
        return;
    }
    const QRect shown = grid_->valueRect(r);
    rowArea_->ensureVisible(shown.center().x(), shown.center().y(), 0, shown.height());
    QString help = toQString(row(r).help);
    if (const std::optional<Notice> warning = rowWarning(r))
        help += QStringLiteral("\n") + translated(*warning);
    help_->setPlainText(help);
}

void CPropertiesWindow::openEditor(int r)
{
    if (r < 0 || r >= grid_->rowCount())
        return;
    const PropertyRow& pr = row(r);
    const QString value = grid_->value(r);
    switch (pr.editor) {
    case EditorKind::Edit: {
        auto* edit = new QLineEdit(value, grid_);
        if (pr.isNumeric())
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        edit->selectAll();
        editor_ = edit;
        break;
    }
    case EditorKind::List: {
        auto* list = new InPlaceList(grid_);
        list->addItems(choicesOf(pr.choices));
        list->setMaxVisibleItems(kListRows);
        list->setCurrentIndex(list->findText(value));
        list->popupClosed = [this, list] {
            if (editor_ == list)
                commitEditor();
        };
        editor_ = list;
        break;
    }
    case EditorKind::Colour:
        if (const std::optional<QColor> chosen = chooseColour(colourOf(value)))
            applyValue(r, colourTextOf(*chosen));
        return;
    case EditorKind::BitmapFile:
        if (const QString file = chooseBitmapFile(value); !file.isEmpty())
            applyValue(r, file);
        return;
    }
    editorRow_ = r;
    editor_->setGeometry(grid_->valueRect(r));
    editor_->installEventFilter(this);
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
}

void CPropertiesWindow::commitEditor()
{
    if (!editor_)
        return;
    const std::optional<QString> text = editorText(editor_);
    const int r = editorRow_;
    closeEditor();
    // An unchanged value is not stored again: that would only add an undo step.
    if (text && *text != grid_->value(r))
        applyValue(r, *text);
}

void CPropertiesWindow::closeEditor()
{
    if (!editor_)
        return;
    QWidget* editor = editor_;
    editor_ = nullptr;
    editorRow_ = -1;
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
    grid_->setFocus(Qt::OtherFocusReason);
}

bool CPropertiesWindow::applyValue(int r, const QString& value)
{
    if (r < 0 || r >= grid_->rowCount())
        return false;
    const PropertyRow& pr = row(r);
    if (!isLatin1(value)) { // such a character would be stored as "?"
        messages_.showNotice(kOnlyLatin1, Icon::Exclamation);
        return false;
    }
    const std::string text = fromQString(value);
    if (const std::optional<Notice> refusal = rangeRefusal(pr, text)) {
        messages_.showNotice(*refusal, Icon::Error);
        return false;
    }
    if (pr.field == PropertyId::Name) {
        if (const auto refusal = renameRefusal(target_.objects(), target_.currentObject(), text)) {
            messages_.showNotice(*refusal, Icon::Exclamation);
            return false;
        }
    }
    if (!target_.applyProperty(pr.field, text, pr.appliesToSelection))
        return false;
    refreshValues();
    return true;
}

QSize CPropertiesWindow::sizeHint() const { return {kWidth, kHeight}; }

bool CPropertiesWindow::event(QEvent* event)
{
    // F1 shows this window's help page, ahead of the main window's.
    if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            showHelp(this, QString::fromLatin1(kPropertiesWindowTitle));
        return true;
    }
    return QWidget::event(event);
}

bool CPropertiesWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == objectList_->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseTypedObject();
            return true;
        }
        return false;
    }
    if (watched != editor_)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: commitEditor(); return true;
        case Qt::Key_Escape: closeEditor(); return true;
        default: break;
        }
    } else if (event->type() == QEvent::FocusOut && leavesEditor(static_cast<QFocusEvent*>(event)->reason())) {
        commitEditor();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace qel
