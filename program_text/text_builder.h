#pragma once
// Builds a program line by line from the text form, as a user would in the dialogs: each line's
// field values go through its instruction's editor, which validates them with the dialog's messages
// and makes the display text and the block; fixed-text lines and blank lines are stored as the
// program view makes them. The reader (program_import) feeds it the text's lines; the writer
// (program_export) feeds it the lines it writes, so that it reads each compact line back in the
// very program the reader will have built up to it.

#include "base/result.h"
#include "program/host.h"
#include "program/program.h"
#include "program_text/text_form.h"
#include "values/editor.h"

#include <optional>
#include <string_view>

namespace qel {

class VariableTable;

class TextBuilder {
public:
    TextBuilder(Program& program, VariableTable& variables, MessageHost& host)
        : program_(program), variables_(variables), host_(host)
    {}

    // One line of the text form (without its line break).
    [[nodiscard]] Status line(std::string_view text);

    // Lines from now on go to section `s`, which comes after the sections before.
    [[nodiscard]] Status section(uint32_t s);
    // Appends a line through its editor, or a blank or fixed-text line as it is.
    [[nodiscard]] Status instruction(const InstructionEditor& editor, const std::vector<std::string>& values);
    [[nodiscard]] Status store(const EditedLine& line);

    // The field values a compact line stands for, read in the program built so far.
    [[nodiscard]] Result<std::vector<std::string>> compactValues(const InstructionEditor& editor,
                                                                 const text_form::TextLine& parts);

    EditContext context() { return {program_, variables_, nullptr}; }

    size_t autoRunLines = 0;

private:
    Status instructionLine(const text_form::TextLine& parts);
    Status place();
    Status stored(bool ok, uint32_t type);

    Program& program_;
    VariableTable& variables_;
    MessageHost& host_;
    std::optional<uint32_t> section_;
    bool first_ = false;
};

} // namespace qel
