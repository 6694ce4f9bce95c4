#include "environment/editors/ins_blank_dialog.h"
#include "environment/look/translation.h"

#include "environment/editors/one_line_field.h"
#include "environment/help/help.h"
#include "runtime/latin1.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace qel {

namespace {

const QColor kPaleYellow(255, 255, 200);

// Which lists stand in each column, top to bottom.
const std::vector<std::vector<size_t>> kColumns = {{0}, {1, 2, 3, 4, 5, 6}, {7, 8}, {9, 10, 11}};

void paintPaleYellow(QWidget& widget)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, kPaleYellow);
    palette.setColor(QPalette::Text, Qt::black); // a dark theme's light text would not read on it
    widget.setPalette(palette);
}

constexpr size_t kNone = static_cast<size_t>(-1);

// The Instruction field. A letter typed in the view before the dialog opened stays unselected when
// the window first gives the field the focus, so the next letter typed follows it.
class InstructionField final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        QLineEdit::focusInEvent(event);
        if (first_) {
            first_ = false;
            deselect();
            end(false);
        }
    }

private:
    bool first_ = true;
};

} // namespace

InsBlank::InsBlank(char typedLetter, QWidget* parent, const LessonProfile* profile) : QDialog(parent), model_(profile)
{
    setWindowTitle(translated(kInsBlankTitle));

    const auto& lists = model_.lists();
    for (const InsBlankList& list : lists)
        lists_.push_back(makeList(list));
    for (size_t k = 0; k < lists_.size(); ++k) {
        connect(lists_[k], &QListWidget::itemSelectionChanged, this, [this, k] { selectionChanged(k); });
        connect(lists_[k], &QListWidget::itemDoubleClicked, this,
                [this, k](QListWidgetItem* item) { doubleClicked(k, lists_[k]->row(item)); });
    }

    auto* columns = new QHBoxLayout;
    for (const std::vector<size_t>& column : kColumns) {
        auto* stack = new QVBoxLayout;
        int width = 0;
        for (size_t k : column)
            width = std::max(width, lists_[k]->width());
        for (size_t k : column) {
            lists_[k]->setFixedWidth(width);                // the lists of a column line up
            lists_[k]->setVisible(!lists[k].items.empty()); // a lesson profile may empty a list
            stack->addWidget(lists_[k]);
        }
        stack->addStretch();
        columns->addLayout(stack);
    }

    field_ = new InstructionField;
    paintPaleYellow(*field_);
    field_->setMaxLength(1024);
    keepOnOneLine(*field_);
    auto* label = new QLabel(tr("&Instruction"));
    label->setBuddy(field_);
    add_ = new QPushButton(tr("&Add"));
    add_->setDefault(true);
    auto* help = new QPushButton(tr("&Help"));
    auto* cancel = new QPushButton(tr("Cancel"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(label);
    bottom->addWidget(field_, 1);
    bottom->addSpacing(12);
    bottom->addWidget(add_);
    bottom->addWidget(help);
    bottom->addWidget(cancel);

    auto* main = new QVBoxLayout(this);
    main->addLayout(columns);
    main->addSpacing(6);
    main->addLayout(bottom);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(field_, &QLineEdit::textEdited, this, &InsBlank::fieldEdited);
    connect(add_, &QPushButton::clicked, this, &InsBlank::add);
    connect(help, &QPushButton::clicked, this, [this] { showHelp(this, toQString(kInsBlankTitle)); });
    connect(cancel, &QPushButton::clicked, this, &InsBlank::reject);

    field_->installEventFilter(this);
    QWidget* previous = nullptr;
    for (const std::vector<size_t>& column : kColumns)
        for (size_t k : column) {
            lists_[k]->installEventFilter(this);
            if (previous)
                setTabOrder(previous, lists_[k]);
            previous = lists_[k];
        }
    for (QWidget* next : {static_cast<QWidget*>(field_), static_cast<QWidget*>(add_), static_cast<QWidget*>(help),
                          static_cast<QWidget*>(cancel)}) {
        setTabOrder(previous, next);
        previous = next;
    }

    if (typedLetter != 0)
        field_->setText(toQString(std::string_view(&typedLetter, 1)));
    field_->setFocus(Qt::OtherFocusReason);
}

QListWidget* InsBlank::makeList(const InsBlankList& list)
{
    auto* widget = new QListWidget;
    widget->setAccessibleName(toQString(list.name));
    widget->setSelectionMode(QAbstractItemView::SingleSelection);
    widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    widget->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    paintPaleYellow(*widget);
    for (const InsBlankItem& entry : list.items) {
        auto* item = new QListWidgetItem(toQString(entry.label), widget);
        if (!entry.choosable())
            item->setFlags(Qt::NoItemFlags); // separators, and instructions still to come, are greyed
    }
    // Every list shows all its items without scrolling.
    const int frame = 2 * widget->frameWidth();
    widget->setFixedSize(widget->sizeHintForColumn(0) + frame + 8, widget->sizeHintForRow(0) * widget->count() + frame);
    return widget;
}

void InsBlank::clearSelections(size_t except)
{
    for (size_t k = 0; k < lists_.size(); ++k) {
        if (k == except)
            continue;
        const QSignalBlocker block(lists_[k]);
        lists_[k]->clearSelection();
    }
}

void InsBlank::selectionChanged(size_t list)
{
    const QList<QListWidgetItem*> selected = lists_[list]->selectedItems();
    if (selected.isEmpty())
        return;
    clearSelections(list);
    if (const auto label = model_.select(list, static_cast<size_t>(lists_[list]->row(selected.first()))))
        field_->setText(toQString(*label)); // not typing: the choice stays
}

void InsBlank::doubleClicked(size_t list, int row)
{
    if (row < 0 || !model_.select(list, static_cast<size_t>(row)))
        return;
    if (const auto type = model_.chosen())
        choose(*type);
}

void InsBlank::fieldEdited(const QString& text)
{
    clearSelections(kNone);
    if (const auto keyword = model_.typed(fromQString(text))) {
        field_->setText(toQString(*keyword));
        field_->end(false);
        add_->setFocus(Qt::OtherFocusReason);
    }
}

void InsBlank::add()
{
    if (const auto type = model_.add(fromQString(field_->text()))) {
        choose(*type);
        return;
    }
    field_->setText(translated(kInvalidKeyword));
    field_->selectAll();
    field_->setFocus(Qt::OtherFocusReason);
}

void InsBlank::choose(uint32_t type)
{
    chosenType_ = type;
    QDialog::accept();
}

bool InsBlank::eventFilter(QObject* watched, QEvent* event)
{
    // A space typed into the field or a list adds, as the Add button does.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        add();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qel
