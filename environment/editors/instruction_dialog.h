#pragma once
// The one dialog that shows any instruction's editor: a form of the editor's fields, OK, Cancel and
// Help. OK validates through the editor; the first failing field's message is shown and that field
// gets the focus back, while a valid line is stored through the editor and the dialog closes.

#include "values/editor.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QDialogButtonBox;
class QPushButton;

namespace qel {

class IdeState;

class InstructionDialog : public QDialog, private DialogFields {
    Q_OBJECT
public:
    // With `editing` the dialog changes the line the EditBuffer targets; otherwise it makes a new
    // line. Either way a line of the editor's type in the EditBuffer is shown in the fields.
    InstructionDialog(const InstructionEditor& editor, IdeState& ide, bool editing, QWidget* parent = nullptr);

    // The field values in the editor's order, as accept() takes them.
    std::vector<std::string> values() const;
    void setValues(const std::vector<std::string>& values);

    // The widget that takes a field's value (for a radio button, the button).
    QWidget* fieldWidget(int field) const { return widgets_.at(static_cast<size_t>(field)); }
    QDialogButtonBox* buttons() const { return buttons_; }

    // Whether OK stored the line.
    bool stored() const { return stored_; }

    // Asks for a file for a "..." button: the dialog's title, the filter (as Qt takes it), the folder
    // to start in and whether the file is one to write (which may be new); an empty path when
    // cancelled. The desktop's file-open or file-save dialog unless replaced (tests).
    using FilePicker = std::function<QString(QWidget* parent, const QString& title, const QString& filter,
                                             const QString& folder, bool forWriting)>;
    void setFilePicker(FilePicker picker) { pickFile_ = std::move(picker); }
    // The "..." button of a FileName or File field; nullptr for other fields.
    QPushButton* browseButton(int field) const;

    void accept() override;

private:
    void buildFields();
    std::vector<std::string> newLineValues() const;
    QWidget* makeWidget(const FieldSpec& spec);
    QWidget* fileRow(int field);
    void focusField(int field);
    void browse(int field);
    QString programFolder() const;
    void setFieldValue(size_t field, const QString& value);

    // What the editor sees of the fields while the dialog is open.
    std::string value(int field) const override;
    void setValue(int field, std::string_view value) override;
    void setItems(int field, const std::vector<std::string>& items, const std::vector<int>& codes) override;
    std::optional<int> chosenCode(int field) const override;

    const InstructionEditor& editor_;
    IdeState& ide_;
    bool editing_;
    std::vector<FieldSpec> specs_;
    std::vector<QWidget*> widgets_;
    std::vector<QWidget*> rows_;              // what the layout places for each field
    std::vector<QPushButton*> browseButtons_; // by field; nullptr for fields without one
    FilePicker pickFile_;
    QDialogButtonBox* buttons_ = nullptr;
    bool stored_ = false;
};

} // namespace qel
