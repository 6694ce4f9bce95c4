#pragma once
// What an operand field's typed text is, and how it is written into an operand slot.

#include "program/block_writer.h"
#include "values/operand.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qel {

enum class OperandClass {
    Integer = 1,  // an integer literal
    Floating = 2, // a floating literal
    String = 3,   // a string literal
    Variable = 4, // a variable reference, possibly with subscripts
    Empty = 5,
    Invalid = 6,
};

struct ClassifiedField {
    OperandClass kind = OperandClass::Empty;
    float number = 0.0f;    // Integer, Floating
    std::string text;       // String: the characters between the quotes
    std::string name;       // Variable
    uint32_t arrayKind = 0; // Variable: 1 plain name, 2 one subscript, 3 two subscripts
    std::string sub1Name;   // empty: the subscript is sub1Value
    int32_t sub1Value = 0;
    std::string sub2Name;
    int32_t sub2Value = 0;

    // Bytes the field adds to a block's string area (each text with its NUL).
    uint32_t stringAreaBytes() const;
};

// Classifies a field's text after removing blanks from both ends: empty, a string literal, an
// integer literal, a floating literal, a variable reference, or invalid, tested in that order.
//
// A variable reference is read with runs of blanks collapsed: `name`, `name(sub)` or
// `name(sub1,sub2)`, where each subscript is a name or an integer literal, blanks allowed around
// the brackets and the comma.
ClassifiedField classifyField(std::string_view fieldText);

// Writes the slot at slotOffset: its words, and its texts (name, then subscript names, or the
// string literal's text) at the end of the string area. The cache words stay 0.
void writeOperand(BlockWriter& writer, uint32_t slotOffset, const ClassifiedField& field);

// The field as an operand (views into the field), e.g. for formatReference.
Operand asOperand(const ClassifiedField& field);

} // namespace qel
