#pragma once
// The registries of the instructions, built once from the families' descriptors: the run loop's
// dispatch table, the editor of each type code, the Add An Instruction lists with their short
// codes, and the help pages.

#include "instructions/descriptor.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qel {

// Every descriptor, in type code order.
std::span<const InstructionDescriptor* const> allDescriptors();
// The descriptor of a type code; nullptr for codes that name no instruction.
const InstructionDescriptor* descriptorFor(uint32_t type);

// The run loop's table: each descriptor's handler at its type code.
const DispatchTable& dispatchTable();

// The editor logic of a type code; nullptr for fixed-text lines, codes that name no instruction,
// and instructions whose editor is not built yet.
const InstructionEditor* editorFor(uint32_t type);

// One list of the Add An Instruction dialog: its items in order, nullptr for a separator.
struct InstructionListEntries {
    InstructionList list;
    std::string_view name;
    std::vector<const InstructionDescriptor*> items;
};
const std::vector<InstructionListEntries>& instructionLists();

// Whether a line of this type may write or measure text (the text and printing families), which
// needs the application's fonts at the resolution the canvas was made with: qeltool-full makes
// the application before a run of a program that holds one, and not otherwise.
bool needsApplication(uint32_t type);

// The instruction a two- or three-letter short code stands for, letter case ignored.
std::optional<uint32_t> lookupShortCode(std::string_view typed);

} // namespace qel
