#include "values/operand.h"

#include "program/instruction_table.h"
#include "values/number_text.h"
#include "values/variable_table.h"

namespace qel {

using namespace operand_slot;

Operand readOperand(const ParamBlock& block, uint32_t at)
{
    Operand op;
    op.hasName = block.u32(at + kName) != 0;
    op.name = block.textField(at + kName);
    op.hasText = block.u32(at + kText) != 0;
    op.text = block.textField(at + kText);
    op.number = block.f32(at + kNumber);
    op.arrayKind = block.u32(at + kArrayKind);
    op.hasSub1Name = block.u32(at + kSub1Name) != 0;
    op.sub1Name = block.textField(at + kSub1Name);
    op.sub1Value = block.i32(at + kSub1Value);
    op.hasSub2Name = block.u32(at + kSub2Name) != 0;
    op.sub2Name = block.textField(at + kSub2Name);
    op.sub2Value = block.i32(at + kSub2Value);
    return op;
}

bool operandSlotOffsets(uint32_t type, std::vector<uint32_t>& out)
{
    const InstructionInfo* info = instructionInfo(type);
    if (!info)
        return false;
    auto addSlots = [&](uint32_t base, uint32_t count) {
        for (uint32_t j = 0; j < count; ++j)
            out.push_back(base + kSize * j);
    };
    switch (info->layout) {
    case RefLayout::Invalid: return false;
    case RefLayout::None:
    case RefLayout::TextFont:
    case RefLayout::DeclareVariable: return true;
    case RefLayout::Slots: addSlots(4, info->operandSlots); return true;
    case RefLayout::SlotsAt8: addSlots(8, info->operandSlots); return true;
    case RefLayout::CallUsing:
        addSlots(4, 5);
        out.push_back(236); // the control variable
        return true;
    }
    return false;
}

std::string formatReference(const Operand& op, uint32_t precision)
{
    if (op.isNumberLiteral())
        return formatNumber(op.number, precision);
    if (op.isStringLiteral())
        return "\"" + std::string(op.text) + "\"";
    std::string text(op.name);
    if (op.arrayKind != kArray1D && op.arrayKind != kArray2D)
        return text;
    auto subscript = [](bool named, std::string_view name, int32_t value) {
        return named ? std::string(name) : std::to_string(value);
    };
    text += "(" + subscript(op.hasSub1Name, op.sub1Name, op.sub1Value);
    if (op.arrayKind == kArray2D)
        text += "," + subscript(op.hasSub2Name, op.sub2Name, op.sub2Value);
    return text + ")";
}

std::string formatOptionalReference(const Operand& op)
{
    if (op.isNumberLiteral())
        return {};
    return formatReference(op, kGeneralPrecision);
}

} // namespace qel
