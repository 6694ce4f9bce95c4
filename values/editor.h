#pragma once
// The editor logic of one instruction, as plain functions over plain data. A dialog (or a test's
// ProgramBuilder, or the file reader's conversion) fills the field texts in dialog order and calls
// accept(); the editor validates every field in order and either names the first failing field and
// its exact message, or returns the display text and the block of the line to store.
//
// Field values are texts: an edit field holds what was typed, a list holds the text of the chosen
// item, a check box or a radio button holds "1" when set and "" (or "0") when clear.

#include "program/host.h"
#include "program/param_block.h"
#include "program/program.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

class VariableTable;

enum class FieldKind {
    Text,     // an edit field
    List,     // a drop-down list of fixed items
    Variable, // an edit field with a drop-down of the program's variables
    Function, // an edit field with a drop-down of the program's functions
    Check,    // a check box
    Radio,    // one radio button of a group (the group's buttons follow each other)
    FileName, // a Variable field with a "..." button beside it that picks a file (FieldSpec::fileFilter)
              // and puts its name into the field as a string constant
    Combo,    // an edit field with a drop-down of the items given (the editor may change them)
    File,     // an edit field with a "..." button that puts a file's full path into it (no quotes)
};

// Which variables a Variable field's drop-down offers, as bits; 0 offers every variable.
enum VariablePick : uint32_t { kPickNumeric = 1, kPickString = 2, kPickFile = 4, kPickBitmap = 8 };

struct FieldSpec {
    std::string label; // with its & accelerator, as the dialog shows it
    FieldKind kind = FieldKind::Text;
    std::vector<std::string> items; // List: the items in order
    int maxLength = 0;              // Text: 0 = no limit beyond the line's
    uint32_t variableTypes = 0;     // Variable: VariablePick bits, 0 = all variables
    bool newRadioGroup = false;     // Radio: starts a group of its own right after another group
    // FileName and File: the "..." dialog's filter, "Description (*.ext)|*.ext|...||" or as Qt writes
    // it, "Description (*.ext)"; empty: all files.
    std::string_view fileFilter = {};
    std::string_view fileTitle = {}; // FileName and File: the "..." dialog's title (empty: the usual one)
    // FileName and File: the check box or radio button that, while set, makes the "..." ask for a
    // file to write (a save dialog, which takes a new name); -1: always a file to read.
    int writesWhenSet = -1;
    // List: a value that is none of the items (a stored one) is shown and kept as it is, rather
    // than replaced by the first item.
    bool keepsUnlistedValue = false;
};

// What an editor may do with a dialog's fields while the user works in it.
class DialogFields {
public:
    virtual ~DialogFields() = default;
    virtual std::string value(int field) const = 0;
    virtual void setValue(int field, std::string_view value) = 0;
    // A List's or Combo's items, each with a code that chosenCode gives back.
    virtual void setItems(int field, const std::vector<std::string>& items, const std::vector<int>& codes) = 0;
    // The code of the item chosen in a List or Combo; nothing when its text was typed.
    virtual std::optional<int> chosenCode(int field) const = 0;
};

struct FieldError {
    int field = -1; // the field that gets the focus back
    Notice message; // shown translated by the environment
    Icon icon = Icon::Exclamation;
};

struct EditedLine {
    uint32_t type = 0;
    std::string text;
    ParamBlock block;
};

// What an editor may look at while it validates: the program and its variables, and the line being
// edited (none for a new line).
struct EditContext {
    Program& program;
    VariableTable& variables;
    const ProgramLine* editing = nullptr;
};

struct EditOutcome {
    std::optional<FieldError> error;
    EditedLine line;
    bool ok() const { return !error; }
};

class InstructionEditor {
public:
    virtual ~InstructionEditor() = default;

    virtual uint32_t type() const = 0;
    virtual std::string_view title() const = 0;
    virtual std::vector<FieldSpec> fields() const = 0;
    // The field values that show a stored line for editing.
    virtual std::vector<std::string> decode(const ProgramLine& line) const = 0;
    // Validates and builds. Side effects that belong to storing the line (variables created and
    // removed) happen in store(), after the line is accepted.
    virtual EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const = 0;
    // Stores an accepted line through the EditBuffer; editors with side effects override it.
    virtual bool store(const EditedLine& line, EditContext& context, MessageHost& host) const;

    // Fields that follow others: the dialog has shown its values (a new line's or the edited line's),
    // or the user chose an item of a List or Combo or picked a file in a File field.
    virtual void fieldsShown(DialogFields& /*fields*/) const {}
    virtual void fieldChanged(int /*field*/, DialogFields& /*fields*/, MessageHost& /*host*/) const {}
};

// Puts the line into the EditBuffer and saves it at the EditBuffer's target.
bool storeThroughEditBuffer(Program& program, const EditedLine& line, MessageHost& host);

// Runs an editor on field values: accept, then store, or show the field's message. Returns the
// failing field's error when there is one (after showing it).
std::optional<FieldError> runEditor(const InstructionEditor& editor, const std::vector<std::string>& values,
                                    EditContext& context, MessageHost& host);

// A field value of a check box or radio button.
inline bool isSet(std::string_view value) { return !value.empty() && value != "0"; }

} // namespace qel
