#pragma once
// The operand slot: 44 bytes inside a parameter block, one per operand of an instruction.
//
//   offset  width  field      meaning
//   0       u32    name       reference to the variable's name; 0 for a literal
//   4       u32    text       reference to a string literal's text; 0 otherwise
//   8       f32    number     a numeric literal's value (integer literals too)
//   12      u32    arrayKind  1 plain name, 2 one subscript, 3 two subscripts
//   16      u32    sub1Name   reference to the first subscript's variable name; 0: sub1Value
//   20      i32    sub1Value  the first subscript as an integer literal
//   24      u32    sub2Name   as sub1Name, for the second subscript
//   28      i32    sub2Value  as sub1Value
//   32..43  3 x u32           cache words: meaningless in a stored block and never used; the
//                             run's caches live beside the blocks (operand_cache.h)
//
// Name and text both 0 make a numeric literal; an empty field is encoded the same way.

#include "program/param_block.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

namespace operand_slot {
inline constexpr uint32_t kName = 0;
inline constexpr uint32_t kText = 4;
inline constexpr uint32_t kNumber = 8;
inline constexpr uint32_t kArrayKind = 12;
inline constexpr uint32_t kSub1Name = 16;
inline constexpr uint32_t kSub1Value = 20;
inline constexpr uint32_t kSub2Name = 24;
inline constexpr uint32_t kSub2Value = 28;
inline constexpr uint32_t kCacheWords = 32;
inline constexpr uint32_t kSize = 44;
} // namespace operand_slot

// An operand slot decoded for evaluation. Its texts are views into the block it was read from (or
// into the ClassifiedField it was made from), so it lives no longer than that.
struct Operand {
    bool hasName = false; // the name word is not 0: a variable reference
    bool hasText = false; // the text word is not 0: a string literal
    std::string_view name;
    std::string_view text;
    float number = 0.0f;
    uint32_t arrayKind = 0;
    bool hasSub1Name = false;
    std::string_view sub1Name;
    int32_t sub1Value = 0;
    bool hasSub2Name = false;
    std::string_view sub2Name;
    int32_t sub2Value = 0;

    bool isVariable() const { return hasName; }
    bool isStringLiteral() const { return !hasName && hasText; }
    bool isNumberLiteral() const { return !hasName && !hasText; }
};

// Reads the slot at slotOffset (measured from the block's length word). Fields beyond the end of
// the block read as 0.
Operand readOperand(const ParamBlock& block, uint32_t slotOffset);

// The block offsets of the operand slots of a line type, appended to out. False for a type code
// without an instruction (out unchanged).
bool operandSlotOffsets(uint32_t type, std::vector<uint32_t>& out);

// The operand as text for a display line: a numeric literal in the number formatting of the given
// precision (general form when no program runs), a string literal between double quotes, a
// variable reference as its name with its subscripts in brackets.
std::string formatReference(const Operand& operand, uint32_t precision);
// The same for fields that may be left empty: empty unless the operand holds a name or a string
// literal.
std::string formatOptionalReference(const Operand& operand);

} // namespace qel
