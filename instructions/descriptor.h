#pragma once
// One descriptor per instruction: everything the registries need, kept beside the instruction in
// its family. The catalogue builds the dispatch table, the editor registry, the Add An Instruction
// lists, the short codes and the help index from these, so adding an instruction touches its own
// family's files only.

#include "interpreter/dispatch.h"
#include "values/editor.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

// The twelve lists of the Add An Instruction dialog, in the order the dialog shows them.
enum class InstructionList : uint8_t {
    FunctionsAndFlow,
    Variables,
    Strings,
    TextFiles,
    Timer,
    Bitmaps,
    ProgramControl,
    Drawing,
    Options,
    Window,
    Miscellaneous,
    Printing,
    None, // offered by no list (the blank line, lines kept only for old programs)
};

// Where an instruction stands in its list.
struct ListPlace {
    InstructionList list = InstructionList::None;
    uint8_t position = 0;         // order within the list
    bool separatorBefore = false; // a separator line comes before it
};

// The help page of an instruction.
struct InstructionHelp {
    std::string_view summary;             // what the instruction does
    std::string fields;                   // "Label: meaning" lines, one a field; empty for fixed-text lines
    std::vector<std::string_view> sample; // field values in dialog order for the example line
    std::string_view writtenExample = {}; // the example when no editor builds one
};

struct InstructionDescriptor {
    uint32_t type;
    ListPlace place;
    std::string_view shortCode;      // typed in the Add An Instruction field ("dl"), or empty
    const InstructionEditor* editor; // nullptr: a fixed-text line, or its editor is not built yet
    Handler handler;                 // nullptr: "not available yet" when it runs
    InstructionHelp help;
    Decoder decoder = nullptr; // the hot instructions: decoded for the run loop at run start
};

using Family = std::span<const InstructionDescriptor>;

// The editor of a type code among a family's table-driven editors; nullptr when none has it.
inline const InstructionEditor* editorOfType(const std::vector<const InstructionEditor*>& editors, uint32_t type)
{
    for (const InstructionEditor* e : editors)
        if (e->type() == type)
            return e;
    return nullptr;
}

} // namespace qel
