#include "environment/editors/instruction_dialog.h"
#include "environment/look/translation.h"

#include "environment/editors/field_layout.h"
#include "environment/editors/one_line_field.h"
#include "environment/editors/pickers.h"
#include "environment/help/help.h"
#include "environment/ide_state.h"
#include "program/instruction_table.h"
#include "runtime/latin1.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qel {

namespace {

constexpr int kOperandWidthChars = 18; // what a variable drop-down is wide enough to show
constexpr int kShortFieldChars = 8;    // fields this short get a box their own size
constexpr int kTextWidthChars = 30;    // a field that takes any length
constexpr int kWideTextChars = 48;     // the widest a field is made

QComboBox* editableBox(const FieldSpec& spec)
{
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr); // completing "A" to a longer name would change what was typed
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(kOperandWidthChars);
    if (spec.maxLength > 0)
        box->lineEdit()->setMaxLength(spec.maxLength);
    keepOnOneLine(*box->lineEdit());
    return box;
}

QLineEdit* textField(const FieldSpec& spec)
{
    auto* edit = new QLineEdit;
    keepOnOneLine(*edit);
    int chars = kTextWidthChars;
    if (spec.maxLength > 0) {
        edit->setMaxLength(spec.maxLength);
        chars = std::min(spec.maxLength + 2, kWideTextChars);
    }
    const int width = edit->fontMetrics().averageCharWidth() * chars + 12;
    if (spec.maxLength > 0 && spec.maxLength <= kShortFieldChars)
        edit->setFixedWidth(width);
    else
        edit->setMinimumWidth(width);
    return edit;
}

bool isButton(const FieldSpec& spec) { return spec.kind == FieldKind::Check || spec.kind == FieldKind::Radio; }

bool isTyped(const FieldSpec& spec)
{
    return spec.kind == FieldKind::Text || spec.kind == FieldKind::Variable || spec.kind == FieldKind::Function ||
           spec.kind == FieldKind::FileName || spec.kind == FieldKind::Combo || spec.kind == FieldKind::File;
}

// What a FileName field shows beside its box.
constexpr const char* kBrowseText = "...";

} // namespace

InstructionDialog::InstructionDialog(const InstructionEditor& editor, IdeState& ide, bool editing, QWidget* parent)
    : QDialog(parent), editor_(editor), ide_(ide), editing_(editing), specs_(editor.fields())
{
    pickFile_ = [](QWidget* owner, const QString& title, const QString& filter, const QString& folder,
                   bool forWriting) {
        // The name is only put into the field: nothing is written yet, so nothing to confirm.
        return forWriting ? QFileDialog::getSaveFileName(owner, title, folder, filter, nullptr,
                                                         QFileDialog::DontConfirmOverwrite)
                          : QFileDialog::getOpenFileName(owner, title, folder, filter);
    };
    setWindowTitle(translated(editor.title()));
    buildFields();

    const EditBuffer& buffer = ide.program.edit;
    if (buffer.type == editor.type() && (editing || !buffer.block.isEmpty()))
        setValues(editor.decode(ProgramLine{buffer.type, buffer.text, buffer.block}));
    else
        setValues(newLineValues());
    editor_.fieldsShown(*this);
    focusField(0);
}

std::vector<std::string> InstructionDialog::newLineValues() const
{
    // The choices (lists, check boxes, radio buttons) start as the editor reads a line with nothing in
    // it, which is how it defines a new line's colour, size or buttons; the typed fields start empty.
    std::vector<std::string> values = editor_.decode(ProgramLine{editor_.type(), {}, ParamBlock()});
    values.resize(specs_.size());
    for (size_t k = 0; k < specs_.size(); ++k)
        if (isTyped(specs_[k]))
            values[k].clear();
    return values;
}

QWidget* InstructionDialog::makeWidget(const FieldSpec& spec)
{
    switch (spec.kind) {
    case FieldKind::Text: return textField(spec);
    case FieldKind::List: {
        auto* box = new QComboBox;
        for (const std::string& item : spec.items)
            box->addItem(toQString(item));
        return box;
    }
    case FieldKind::Variable:
    case FieldKind::FileName: {
        QComboBox* box = editableBox(spec);
        fillVariablePicker(*box, ide_.variables, true, spec.variableTypes);
        return box;
    }
    case FieldKind::Function: {
        QComboBox* box = editableBox(spec);
        fillFunctionPicker(*box, ide_.program);
        return box;
    }
    case FieldKind::Check: return new QCheckBox(translated(spec.label));
    case FieldKind::Radio: return new QRadioButton(translated(spec.label));
    case FieldKind::Combo: {
        QComboBox* box = editableBox(spec);
        for (const std::string& item : spec.items)
            box->addItem(toQString(item));
        return box;
    }
    case FieldKind::File: return textField(spec);
    }
    return new QLineEdit;
}

// A FileName or File field with its "..." button beside it.
QWidget* InstructionDialog::fileRow(int field)
{
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(widgets_[static_cast<size_t>(field)]);
    auto* button = new QPushButton(QString::fromLatin1(kBrowseText));
    button->setAutoDefault(false);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    line->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, field] { browse(field); });
    browseButtons_[static_cast<size_t>(field)] = button;
    return row;
}

void InstructionDialog::buildFields()
{
    browseButtons_.assign(specs_.size(), nullptr);
    for (const FieldSpec& spec : specs_)
        widgets_.push_back(makeWidget(spec));
    for (size_t k = 0; k < specs_.size(); ++k) {
        const FieldKind kind = specs_[k].kind;
        rows_.push_back(kind == FieldKind::File || kind == FieldKind::FileName ? fileRow(static_cast<int>(k))
                                                                               : widgets_[k]);
        // Choosing an item may change what other fields offer.
        if (kind == FieldKind::List || kind == FieldKind::Combo)
            connect(static_cast<QComboBox*>(widgets_[k]), &QComboBox::activated, this,
                    [this, k] { editor_.fieldChanged(static_cast<int>(k), *this, ide_.host); });
    }

    auto* main = new QVBoxLayout(this);
    QFormLayout* form = nullptr;
    auto currentForm = [&] {
        if (!form) {
            form = new QFormLayout;
            form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
            form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            main->addLayout(form);
        }
        return form;
    };
    auto labelFor = [&](int field) {
        auto* label = new QLabel(translated(specs_[field].label));
        label->setBuddy(widgets_[field]);
        // The underlined mnemonic is drawn apart from its neighbours, so a kerned pair such as the
        // "Ty" of "Variable &Type" comes out wider than the size hint measured: half a letter more.
        label->setMinimumWidth(label->sizeHint().width() + label->fontMetrics().averageCharWidth() / 2);
        return label;
    };

    for (const FieldBlock& block : planFieldLayout(specs_)) {
        switch (block.kind) {
        case FieldBlock::Kind::Single:
            if (isButton(specs_[block.first]))
                currentForm()->addRow(QString(), rows_[block.first]);
            else
                currentForm()->addRow(labelFor(block.first), rows_[block.first]);
            break;
        case FieldBlock::Kind::RadioGroup: {
            auto* frame = new QGroupBox;
            auto* row = new QHBoxLayout(frame);
            auto* group = new QButtonGroup(frame);
            for (int k = block.first; k < block.first + block.count; ++k) {
                row->addWidget(widgets_[k]);
                group->addButton(static_cast<QRadioButton*>(widgets_[k]));
            }
            row->addStretch();
            currentForm()->addRow(QString(), frame);
            break;
        }
        case FieldBlock::Kind::Table: {
            auto* grid = new QGridLayout;
            for (int column = 0; column < block.columns; ++column)
                if (!isButton(specs_[block.first + column]))
                    grid->addWidget(labelFor(block.first + column), 0, column);
            for (int k = 0; k < block.count; ++k)
                grid->addWidget(rows_[block.first + k], 1 + k / block.columns, k % block.columns);
            grid->setColumnStretch(block.columns, 1);
            main->addLayout(grid);
            form = nullptr; // fields after the table start a form of their own
            break;
        }
        }
    }

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    buttons_->button(QDialogButtonBox::Ok)->setDefault(true);
    main->addSpacing(6);
    main->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &InstructionDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &InstructionDialog::reject);
    const QString topic = toQString(instructionInfo(editor_.type())->keyword);
    connect(buttons_, &QDialogButtonBox::helpRequested, this, [this, topic] { showHelp(this, topic); });

    // Tab runs through the fields in their order (a "..." button after its field), then the buttons.
    std::vector<QWidget*> chain;
    for (size_t k = 0; k < widgets_.size(); ++k) {
        chain.push_back(widgets_[k]);
        if (browseButtons_[k])
            chain.push_back(browseButtons_[k]);
    }
    for (auto which : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel, QDialogButtonBox::Help})
        chain.push_back(buttons_->button(which));
    for (size_t k = 1; k < chain.size(); ++k)
        setTabOrder(chain[k - 1], chain[k]);
    main->setSizeConstraint(QLayout::SetFixedSize);
}

std::vector<std::string> InstructionDialog::values() const
{
    std::vector<std::string> values;
    for (size_t k = 0; k < specs_.size(); ++k) {
        QWidget* w = widgets_[k];
        switch (specs_[k].kind) {
        case FieldKind::Text:
        case FieldKind::File: values.push_back(fromQString(static_cast<QLineEdit*>(w)->text())); break;
        case FieldKind::List:
        case FieldKind::Variable:
        case FieldKind::FileName:
        case FieldKind::Function:
        case FieldKind::Combo: values.push_back(fromQString(static_cast<QComboBox*>(w)->currentText())); break;
        case FieldKind::Check:
        case FieldKind::Radio: values.emplace_back(static_cast<QAbstractButton*>(w)->isChecked() ? "1" : ""); break;
        }
    }
    return values;
}

void InstructionDialog::setValues(const std::vector<std::string>& values)
{
    for (size_t k = 0; k < specs_.size(); ++k)
        setFieldValue(k, k < values.size() ? toQString(values[k]) : QString());
}

void InstructionDialog::setFieldValue(size_t field, const QString& value)
{
    QWidget* w = widgets_[field];
    switch (specs_[field].kind) {
    case FieldKind::Text:
    case FieldKind::File: static_cast<QLineEdit*>(w)->setText(value); break;
    case FieldKind::List: {
        // A value that is none of the items (an empty one for a new line) shows the first item,
        // unless the list keeps such a value: it then becomes an item of its own, at the top.
        auto* box = static_cast<QComboBox*>(w);
        if (specs_[field].keepsUnlistedValue && !value.isEmpty()) {
            int at = box->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (at < 0) {
                box->insertItem(0, value);
                at = 0;
            }
            box->setCurrentIndex(at);
            break;
        }
        box->setCurrentIndex(std::max(0, box->findText(value, Qt::MatchExactly)));
        break;
    }
    case FieldKind::Variable:
    case FieldKind::FileName:
    case FieldKind::Function:
    case FieldKind::Combo: static_cast<QComboBox*>(w)->setEditText(value); break;
    case FieldKind::Check:
    case FieldKind::Radio: {
        auto* button = static_cast<QAbstractButton*>(w);
        QButtonGroup* group = button->group();
        if (group)
            group->setExclusive(false); // lets a group start with no button set
        button->setChecked(isSet(fromQString(value)));
        if (group)
            group->setExclusive(true);
        break;
    }
    }
}

std::string InstructionDialog::value(int field) const { return values().at(static_cast<size_t>(field)); }

void InstructionDialog::setValue(int field, std::string_view value)
{
    setFieldValue(static_cast<size_t>(field), toQString(value));
}

void InstructionDialog::setItems(int field, const std::vector<std::string>& items, const std::vector<int>& codes)
{
    auto* box = qobject_cast<QComboBox*>(widgets_.at(static_cast<size_t>(field)));
    if (!box)
        return;
    const QString typed = box->currentText();
    box->clear();
    for (size_t k = 0; k < items.size(); ++k)
        box->addItem(toQString(items[k]), k < codes.size() ? QVariant(codes[k]) : QVariant());
    if (box->isEditable())
        box->setEditText(typed); // what was typed stays until an item is chosen
}

std::optional<int> InstructionDialog::chosenCode(int field) const
{
    auto* box = qobject_cast<QComboBox*>(widgets_.at(static_cast<size_t>(field)));
    if (!box || box->currentIndex() < 0 || box->itemText(box->currentIndex()) != box->currentText())
        return std::nullopt;
    const QVariant code = box->itemData(box->currentIndex());
    if (!code.isValid())
        return std::nullopt;
    return code.toInt();
}

QPushButton* InstructionDialog::browseButton(int field) const
{
    return field >= 0 && field < static_cast<int>(browseButtons_.size()) ? browseButtons_[static_cast<size_t>(field)]
                                                                         : nullptr;
}

QString InstructionDialog::programFolder() const
{
    const std::string& path = ide_.interpreter.programPath();
    return path.empty() ? QString() : QFileInfo(QFile::decodeName(path.c_str())).absolutePath();
}

// A "..." button: the file chosen goes into a FileName field as a string constant (relative when it
// lies in the program's folder), into a File field as its full path. A name the program's texts
// cannot hold is refused rather than put in with characters lost.
void InstructionDialog::browse(int field)
{
    const FieldSpec& spec = specs_[static_cast<size_t>(field)];
    const QString folder = programFolder();
    const bool forWriting = spec.writesWhenSet >= 0 && isSet(value(spec.writesWhenSet));
    const QString path = pickFile_(this, translated(spec.fileTitle), qtFileFilter(spec.fileFilter), folder, forWriting);
    if (path.isEmpty())
        return;
    const QString text = spec.kind == FieldKind::FileName ? pickedFileText(path, folder) : path;
    if (!fitsProgramText(text)) {
        ide_.host.showNotice(kNameNotInProgramText, Icon::Exclamation, Buttons::Ok);
        return;
    }
    setFieldValue(static_cast<size_t>(field), text);
    editor_.fieldChanged(field, *this, ide_.host);
    focusField(field);
}

void InstructionDialog::focusField(int field)
{
    if (widgets_.empty())
        return;
    if (field < 0 || field >= static_cast<int>(widgets_.size()))
        field = 0;
    QWidget* w = widgets_[static_cast<size_t>(field)];
    w->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->selectAll();
    else if (auto* box = qobject_cast<QComboBox*>(w); box && box->lineEdit())
        box->lineEdit()->selectAll();
}

void InstructionDialog::accept()
{
    const EditBuffer& buffer = ide_.program.edit;
    const ProgramLine* editing =
        editing_ && buffer.target >= 0 ? ide_.program.lineAt(buffer.section, buffer.target) : nullptr;
    EditContext context{ide_.program, ide_.variables, editing};
    EditOutcome outcome = editor_.accept(values(), context);
    if (outcome.error) {
        ide_.host.showNotice(outcome.error->message, outcome.error->icon, Buttons::Ok);
        focusField(outcome.error->field);
        return;
    }
    stored_ = editor_.store(outcome.line, context, ide_.host);
    QDialog::accept();
}

} // namespace qel
