#include "program/references.h"

#include "messages/run_errors.h"
#include "program/instruction_table.h"

#include <string>

namespace qel {

namespace {

void addSlots(const ParamBlock& block, uint32_t base, uint32_t slots, std::vector<uint32_t>& out)
{
    for (uint32_t j = 0; j < slots; ++j)
        for (uint32_t field : kOperandReferenceFields) {
            uint32_t offset = base + kOperandSize * j + field;
            if (offset + 4 <= block.bytes().size())
                out.push_back(offset);
        }
}

void addField(const ParamBlock& block, uint32_t offset, std::vector<uint32_t>& out)
{
    if (offset + 4 <= block.bytes().size())
        out.push_back(offset);
}

constexpr uint32_t kStringVariable = 4;

} // namespace

bool referenceFieldOffsets(const ParamBlock& block, uint32_t type, std::vector<uint32_t>& out)
{
    const InstructionInfo* info = instructionInfo(type);
    if (!info)
        return false;
    switch (info->layout) {
    case RefLayout::Invalid: return false;
    case RefLayout::None: return true;
    case RefLayout::Slots: addSlots(block, 4, info->operandSlots, out); return true;
    case RefLayout::SlotsAt8: addSlots(block, 8, info->operandSlots, out); return true;
    case RefLayout::TextFont: addField(block, 4, out); return true;
    case RefLayout::CallUsing:
        addSlots(block, 4, 5, out);
        for (uint32_t offset : {236u, 240u, 252u, 260u})
            addField(block, offset, out);
        return true;
    case RefLayout::DeclareVariable:
        for (uint32_t offset : {20u, 28u, 36u, 44u})
            addField(block, offset, out);
        if (block.u32(4) == kStringVariable)
            for (uint32_t offset : {24u, 32u, 40u, 48u})
                addField(block, offset, out);
        return true;
    }
    return false;
}

BlockCheck checkReferences(const ParamBlock& block, uint32_t type)
{
    std::vector<uint32_t> fields;
    if (!referenceFieldOffsets(block, type, fields))
        return BlockCheck::InvalidType;
    const auto bytes = block.bytes();
    for (uint32_t field : fields) {
        uint32_t ref = block.u32(field);
        if (ref == 0)
            continue;
        if (ref < 4 || ref >= bytes.size())
            return BlockCheck::BadReference;
        bool terminated = false;
        for (size_t i = ref; i < bytes.size() && !terminated; ++i)
            terminated = bytes[i] == 0;
        if (!terminated)
            return BlockCheck::BadReference;
    }
    return BlockCheck::Ok;
}

void reportWindowsCallFailed(MessageHost& host, std::string_view detail)
{
    host.showMessage(msg::kWindowsErrorNotice, Icon::Error);
    host.showMessage(std::string(msg::kWindowsCallFailed) + std::string(detail), Icon::None);
}

bool GetLineOffsets(const ParamBlock&, uint32_t type, MessageHost& host)
{
    if (isValidLineType(type))
        return true;
    reportWindowsCallFailed(host, "::GetLineOffsets - Unhandled Restore");
    return false;
}

bool RemoveLineOffsets(const ParamBlock&, uint32_t type, MessageHost& host)
{
    if (isValidLineType(type))
        return true;
    reportWindowsCallFailed(host, "::RemoveLineOffsets - Unhandled Normalise");
    return false;
}

} // namespace qel
