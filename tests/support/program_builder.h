#pragma once
// Builds programs for tests through the same editor logic the dialogs use: keyword and field texts
// in, stored line out. Fixed-text instructions are stored with their fixed text.

#include "instructions/catalogue.h"
#include "instructions/text/text_editors.h"
#include "program/instruction_table.h"
#include "program/keyword_table.h"
#include "program/program.h"
#include "support/recording_host.h"
#include "values/variable_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qel::test {

class ProgramBuilder {
public:
    ProgramBuilder(Program& program, VariableTable& variables) : program_(program), variables_(variables) {}

    ProgramBuilder& section(uint32_t s)
    {
        program_.edit.section = s;
        return *this;
    }

    // Appends a line to the current section; a field the editor refuses fails the test.
    ProgramBuilder& add(std::string_view keyword, std::vector<std::string> fields = {})
    {
        const std::optional<uint32_t> type = keywordTable().lookupKeyword(keyword);
        const InstructionInfo* info = type ? instructionInfo(*type) : nullptr;
        const InstructionEditor* editor = info ? editorFor(info->code) : nullptr;
        program_.edit.target = -1;
        if (info && !info->fixedText.empty()) {
            storeThroughEditBuffer(program_, {info->code, std::string(info->fixedText), ParamBlock()}, host);
        } else if (editor) {
            EditContext context{program_, variables_, nullptr};
            auto error = runEditor(*editor, fields, context, host);
            EXPECT_FALSE(error) << keyword << ": " << (error ? error->message : "");
        } else {
            ADD_FAILURE() << "no keyword or editor for " << keyword;
        }
        return *this;
    }

    const ProgramLine& last() const { return program_.sections[program_.edit.section].lines.back(); }

    RecordingHost host;

private:
    Program& program_;
    VariableTable& variables_;
};

// A one- or two-dimensional array's declaration (dim2 0: one dimension).
inline std::vector<std::string> arrayFields(std::string type, std::string name, int dim1, int dim2 = 0)
{
    std::vector<std::string> fields{type, dim2 == 0 ? "1D Array" : "2D Array", std::to_string(dim1), "", name};
    if (dim2 != 0)
        fields[3] = std::to_string(dim2);
    fields.resize(12);
    return fields;
}

// DisplayVarsInListCtrl's fields: variables with their titles ("" for none), then the list title.
inline std::vector<std::string> listFields(std::vector<std::pair<std::string, std::string>> columns,
                                           std::string listTitle = "")
{
    std::vector<std::string> fields(13);
    for (size_t k = 0; k < columns.size() && k < 6; ++k) {
        fields[2 * k] = columns[k].first;
        fields[2 * k + 1] = columns[k].second;
    }
    fields[12] = listTitle;
    return fields;
}

// Field values of common lines, in their editors' field order.
inline std::vector<std::string> letFields(std::string dest, std::string a, std::string op1 = "", std::string b = "",
                                          std::string op2 = "", std::string c = "")
{
    return {dest, "", a, op1, b, op2, c, "", "", "", ""};
}

inline std::vector<std::string> letFunctionFields(std::string dest, std::string function, std::string argument,
                                                  std::string op = "", std::string second = "")
{
    return {dest, "1", "", "", "", "", "", function, argument, op, second};
}

// One comparison row of an If line.
inline std::vector<std::string> ifFields(std::string variable, std::string comparison, std::string value)
{
    std::vector<std::string> fields{"", variable, comparison, value};
    fields.resize(17);
    return fields;
}

inline std::vector<std::string> forFields(std::string counter, std::string start, std::string end,
                                          std::string step = "")
{
    return {counter, start, end, step};
}

inline std::vector<std::string> callFields(std::string name, std::string into = "", std::string p1 = "",
                                           std::string p2 = "", std::string p3 = "")
{
    return {name, into, p1, p2, p3};
}

inline std::vector<std::string> functionFields(std::string name, std::string p1 = "", std::string returns = "(Nothing)")
{
    return {name, p1, "", "", returns};
}

// DrawText's fields: the box, the text, the alignment (0 Left, 1 Centre, 2 Right, 3 GetSize) and the
// background.
inline std::vector<std::string> drawTextFields(std::string left, std::string top, std::string right, std::string bottom,
                                               std::string text, int alignment = 0, bool transparent = false)
{
    std::vector<std::string> fields = {left, top, right, bottom, text, "", "", "", "", "", ""};
    fields[static_cast<size_t>(draw_text_fields::kAlignFirst + alignment)] = "1";
    fields[transparent ? draw_text_fields::kTransparent : draw_text_fields::kOpaque] = "1";
    return fields;
}

inline std::vector<std::string> variableFields(std::string type, std::string name, std::string initial = "")
{
    return {type, "Not an Array", "", "", name, initial, "", "", "", "", "", ""};
}

} // namespace qel::test
