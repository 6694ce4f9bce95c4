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

    // Chooses the file of a File field, starting in folder: its path, or empty when cancelled. A file
    // dialog unless replaced (tests).
    std::function<QString(const FieldSpec& spec, const QString& folder)> chooseFile;
    // The "..." button of a File field.
    QWidget* fileButton(int field) const { return fileButtons_.at(static_cast<size_t>(field)); }

    void accept() override;

private:
    void buildFields();
    std::vector<std::string> newLineValues() const;
    QWidget* makeWidget(const FieldSpec& spec);
    QWidget* fileRow(int field);
    void pickFile(int field);
    void focusField(int field);
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
    std::vector<QWidget*> rows_;        // what the layout places for each field
    std::vector<QWidget*> fileButtons_; // the "..." button of each File field, else nullptr
    QDialogButtonBox* buttons_ = nullptr;
    bool stored_ = false;
};

} // namespace qel
