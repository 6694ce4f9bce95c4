// The operands of every line: the variables they name, with their subscripts; the functions Call
// lines name and the arguments they pass; the file name constants of the instructions that open a
// file. What each operand slot of an instruction is comes from the families' block layouts (their
// offsets only: nothing of the families runs here).

#include "check/program_check.h"
#include "fileio/file_io.h"
#include "instructions/bitmaps/bitmap_instructions.h"
#include "instructions/files/text_file_instructions.h"
#include "instructions/files/text_file_open.h"
#include "instructions/forms/form_instructions.h"
#include "instructions/inspection/display_vars.h"
#include "instructions/sound/play_wave.h"
#include "interpreter/function_blocks.h"
#include "interpreter/functions.h"
#include "messages/run_errors.h"
#include "program/file_names.h"
#include "values/names.h"
#include "values/operand.h"

namespace qel {

namespace {

enum class Role {
    Value,          // a variable (or constant) read or stored with its subscripts
    Word,           // a name used as a plain word, never looked up
    Function,       // the name of a function a Call calls
    Parameter,      // a DeclareFunction's parameter variable
    Control,        // CallUsing's control variable
    WholeArray,     // an array named without subscripts
    FileToRead,     // a file name the line opens; a constant must name a file
    BitmapFile,     // the same, read as a bitmap
    SoundFile,      // the same, played
    FormDefinition, // the same, a form file
};

struct SlotRole {
    uint32_t type;
    uint32_t offset;
    Role role;
};

// Every slot not listed is a Value.
constexpr SlotRole kRoles[] = {
    {kCall, call_block::kName, Role::Function},
    {kCallUsing, call_block::kName, Role::Word},
    {kCallUsing, call_block::kControlVariable, Role::Control},
    {kDeclareFunction, declare_function::kName, Role::Word},
    {kDeclareFunction, declare_function::kParameter[0], Role::Parameter},
    {kDeclareFunction, declare_function::kParameter[1], Role::Parameter},
    {kDeclareFunction, declare_function::kParameter[2], Role::Parameter},
    {kForm2Exchange, form_block::kAction, Role::Word},
    {kForm2Exchange, form_block::kObject, Role::Word},
    {kForm2Exchange, form_block::kProperty, Role::Word},
    {kForm2Exchange, form_block::kRepaint, Role::Word},
    {kOpenForm, form_block::kTypes, Role::WholeArray},
    {kOpenForm, form_block::kDefaults, Role::WholeArray},
    {kOpenForm, form_block::kResults, Role::WholeArray},
    {kOpenForm, form_block::kPrompts, Role::WholeArray},
    {kOpenForm2, form_block::kFormName, Role::FormDefinition},
    {kBitmapLoad, bitmap_block::kFileName, Role::BitmapFile},
    {kPlayWave, play_wave_block::kFileName, Role::SoundFile},
};

Role roleOf(const ProgramLine& line, uint32_t offset)
{
    if (line.type == kDisplayVarsInListCtrl && offset < display_vars::kListTitle)
        return Role::WholeArray;
    if (line.type == kTextFileRead && offset == text_file_block::kString && line.block.u8(text_file_block::kSplit) == 1)
        return Role::WholeArray;
    if (line.type == kTextFileOpen && offset == text_file_open::kFileName &&
        line.block.u32(text_file_open::kForReading) == 1)
        return Role::FileToRead;
    for (const SlotRole& r : kRoles)
        if (r.type == line.type && r.offset == offset)
            return r.role;
    return Role::Value;
}

std::string_view missingFileText(Role role)
{
    switch (role) {
    case Role::BitmapFile: return msg::kUnableToOpenBitmap;
    case Role::SoundFile: return msg::kUnableToPlaySound;
    case Role::FormDefinition: return msg::kFormDefinitionFailed;
    default: return msg::kUnableToOpenFile;
    }
}

class OperandCheck {
public:
    OperandCheck(const Program& program, const VariableTable& variables, std::string_view programPath,
                 std::vector<Finding>& out)
        : program_(program), variables_(variables), programPath_(programPath), out_(out)
    {}

    void check()
    {
        std::vector<uint32_t> offsets;
        for (section_ = 0; section_ < kSectionCount; ++section_) {
            const auto& lines = program_.sections[section_].lines;
            for (index_ = 0; index_ < lines.size(); ++index_) {
                offsets.clear();
                if (!operandSlotOffsets(lines[index_].type, offsets))
                    continue;
                for (uint32_t offset : offsets)
                    slot(lines[index_], offset, roleOf(lines[index_], offset));
            }
        }
    }

private:
    void add(std::string_view message, std::string_view detail = {})
    {
        out_.emplace_back(section_, index_, std::string(message) + std::string(detail));
    }

    void slot(const ProgramLine& line, uint32_t offset, Role role)
    {
        const Operand op = readOperand(line.block, offset);
        switch (role) {
        case Role::Word: return;
        case Role::Function: return call(line, op.name);
        case Role::Parameter:
            if (op.hasName && !variables_.findVariable(op.name))
                add(msg::kUndeclaredParameter, op.name);
            return;
        case Role::Control:
            if (op.hasName && !variables_.findVariable(op.name))
                add(msg::kUndeclaredControlVariable, op.name);
            return;
        case Role::WholeArray:
            if (op.hasName && op.name != kFlagStringName && !variables_.findVariable(op.name))
                add(msg::kUndeclaredReference, op.name);
            return;
        case Role::FileToRead:
        case Role::BitmapFile:
        case Role::SoundFile:
        case Role::FormDefinition:
            if (op.isStringLiteral() && !op.text.empty() && !isRegularFile(resolveProgramFile(programPath_, op.text)))
                add(missingFileText(role));
            break;
        case Role::Value: break;
        }
        if (op.hasName)
            variable(op);
    }

    // A variable reference with as many subscripts as its declaration, each a numeric scalar or a
    // constant within the dimension.
    void variable(const Operand& op)
    {
        const VariableRecord* v = variables_.findVariable(op.name);
        if (!v)
            return add(msg::kUndeclaredReference, op.name);
        if (op.arrayKind != v->arrayKind)
            return add(msg::kDifferingDimensions, op.name);
        if (op.arrayKind >= kArray1D)
            subscript(op, op.hasSub1Name, op.sub1Name, op.sub1Value, v->dim1, msg::kSubscript1OutOfRange);
        if (op.arrayKind == kArray2D)
            subscript(op, op.hasSub2Name, op.sub2Name, op.sub2Value, v->dim2, msg::kSubscript2OutOfRange);
    }

    void subscript(const Operand& op, bool named, std::string_view name, int32_t value, int32_t dimension,
                   std::string_view outOfRange)
    {
        if (!named) {
            if (value < 1 || value > dimension || value > kLargestSubscript)
                add(outOfRange, op.name);
            return;
        }
        const VariableRecord* s = variables_.findVariable(name);
        if (!s)
            add(msg::kSubscriptUndeclared, name);
        else if (!s->isNumeric())
            add(msg::kSubscriptNonNumeric, name);
        else if (s->arrayKind != kNotArray)
            add(msg::kSubscriptArray, name);
    }

    // A Call: its function exists, and takes the arguments given.
    void call(const ProgramLine& line, std::string_view name)
    {
        const std::optional<LineCursor> found = findFunction(program_, name);
        if (!found)
            return add(msg::kUnableToFindFunction, name);
        const ParamBlock& declaration = program_.sections[found->section].lines[found->index].block;
        if ((line.block.u32(call_block::kMask) & 7u) != declaration.u32(declare_function::kParameterMask))
            add(msg::kParameterCountMismatch);
    }

    static constexpr int32_t kLargestSubscript = 32000;

    const Program& program_;
    const VariableTable& variables_;
    std::string_view programPath_;
    std::vector<Finding>& out_;
    uint32_t section_ = 0;
    uint32_t index_ = 0;
};

} // namespace

void checkOperands(const Program& program, const VariableTable& variables, std::string_view programPath,
                   std::vector<Finding>& out)
{
    OperandCheck(program, variables, programPath, out).check();
}

} // namespace qel
