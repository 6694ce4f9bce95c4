#pragma once
// Decoded lines: the hot instructions of a learner's loops (numeric Let, Next, While/EndWhile,
// If/Else/EndIf, Call and Return of numbers) translated once at run start into operations the run
// loop performs itself, with their numbers found (typed slots pointing at the elements), their
// operators and comparisons chosen and their jumps worked out. A family decodes its own blocks
// (its Decoder in the instruction's descriptor); a line that does not fit the vocabulary keeps only
// its handler.
//
// A decoded operation is an exact shortcut of its handler, never a second meaning: whatever it
// cannot finish without a message (a subscript out of range, an Integer overflow, a stack that is
// full, a frame that does not match) it leaves to the handler before it has changed anything, and
// the handler then does the whole line again and says what is wrong.
//
// The decoded lines point at variables' elements: records never move and their elements are made
// at run start, and the program is not edited while it runs, so they hold for the whole run;
// every run start decodes again.

#include "interpreter/dispatch.h"
#include "program/param_block.h"
#include "values/evaluate.h"

#include <bit>
#include <cstdint>
#include <optional>
#include <span>

namespace qel {

struct RunState;

// A number an operation reads or stores: an element, or an element of a 1D array chosen by a
// numeric scalar. A literal is an element of its own, so reading one is reading a word; a slot
// nothing was put in is the literal 0.
struct NumberSlot {
    uint32_t* word = nullptr;        // the element; Element: the array's first element
    const uint32_t* index = nullptr; // nullptr, or the subscript variable's element
    bool integer = false;            // an Integer (else Floating Point bits)
    bool indexInteger = false;       // the subscript variable is an Integer
    bool literal = true;             // `word` is `literalBits`, set when the slot has its place
    int32_t limit = 0;               // with an index: the largest subscript (the dimension, at most 32000)
    uint32_t literalBits = 0;        // a literal's value (0 unless set)

    bool isVariable() const { return !literal; }
};

// The element a slot names now; nullptr when its subscript is out of range.
[[gnu::always_inline]] inline uint32_t* slotElement(const NumberSlot& n)
{
    if (!n.index) [[likely]]
        return n.word;
    int32_t subscript = 0;
    if (n.indexInteger) {
        subscript = std::bit_cast<int32_t>(*n.index);
        if (subscript < 1 || subscript > n.limit)
            return nullptr;
    } else {
        const float s = std::bit_cast<float>(*n.index);
        if (!(s >= 1.0f && s <= static_cast<float>(n.limit)))
            return nullptr;
        subscript = static_cast<int32_t>(s); // truncated toward zero, as subscripts are
    }
    return n.word + (subscript - 1);
}

[[gnu::always_inline]] inline float elementValue(const NumberSlot& n, const uint32_t* element)
{
    return n.integer ? static_cast<float>(std::bit_cast<int32_t>(*element)) : std::bit_cast<float>(*element);
}

// The slot's value; `bad` set when its subscript is out of range.
[[gnu::always_inline]] inline float readSlot(const NumberSlot& n, bool& bad)
{
    if (!n.index) [[likely]]
        return elementValue(n, n.word);
    const uint32_t* element = slotElement(n);
    if (!element) [[unlikely]] {
        bad = true;
        return 0.0f;
    }
    return elementValue(n, element);
}

// Whether the slot's variable takes the value: an Integer only a value in its range.
[[gnu::always_inline]] inline bool slotTakes(const NumberSlot& n, float value)
{
    return !n.integer || fitsInteger(value);
}

// Stores into an element found by slotElement; the caller has checked slotTakes.
[[gnu::always_inline]] inline void storeElement(const NumberSlot& n, uint32_t* element, float value)
{
    *element = n.integer ? std::bit_cast<uint32_t>(integerOf(value)) : std::bit_cast<uint32_t>(value);
}

inline constexpr uint32_t kNoJump = UINT32_MAX;

// What the run loop performs for a decoded line, chosen once at run start from its kind and the
// shape of its slots: a case of its own for the commonest shapes, else the kind's general one (the
// first eleven, in the order of DecodedLine::Kind), every slot read as it says.
enum class DecodedOp : uint8_t {
    None,
    Let,
    ForLoop,
    Next,
    While,
    EndWhile,
    If,
    Else,
    EndIf,
    Call,
    Return,
    LetPlain,        // a Let none of whose numbers has a subscript variable
    LetPlainInRange, // a LetPlain whose numbers need no test of their range: an Integer destination
                     // and no Floating Point variable among them
    // dest = a + b, none with a subscript variable: a case for each choice of the Integers among
    // dest, a and b (bits 2, 1 and 0 of the number after LetAdd), so that each reads with no test
    LetAdd0,
    LetAdd1,
    LetAdd2,
    LetAdd3,
    LetAdd4,
    LetAdd5,
    LetAdd6,
    LetAdd7,
    LetElementAdd,  // A(K) = A(K) + b: an element of a 1D array by an Integer subscript variable, b
                    // with none
    NextLinked,     // a Next holding its For line's counter, end and step (none with a subscript
                    // variable) and the For line's index at `jump`
    EndWhileLinked, // an EndWhile holding its While line's test and the While line's index at `jump`
    // a NextLinked whose counter is an Integer, whose For has no Step and whose end is an Integer or
    // a whole literal within 2^24 (held as an Integer)
    NextByOne,
    CallOne, // a Call of one argument with no subscript variable
    // Integers within 2^24, where every float result of + - * % that stays within 2^24 is exact, so
    // integer arithmetic gives the same; a result or operand beyond takes the float path. Their
    // literals are whole numbers within 2^24, held as Integers.
    LetIntegers,           // a LetPlainInRange with no division
    LetElementAddIntegers, // a LetElementAdd of an Integer array and an Integer
    // Each number an Integer, a whole literal within 2^24 (held as an Integer) or an element of an
    // Integer 1D array by an Integer subscript variable: compared as integers while both are within
    // 2^24, where the floats of Integers order as they do.
    IfIntegers,
    WhileIntegers,
    EndWhileIntegers, // an EndWhileLinked whose test is a WhileIntegers'
    // dest = a of such numbers, both Integers: a copy of the element while it is within 2^24 (beyond,
    // its float may round).
    LetCopyIntegers,
    LetAddIntegers, // a LetAdd7 of such numbers: an integer sum while all three are within 2^24
};

// A line decoded for the run loop. The slots' meaning depends on the kind.
struct DecodedLine {
    enum class Kind : uint8_t {
        None,     // the handler runs the line
        Let,      // slots destination, operand 1, 2, 3: dest = 1 op1 2 op2 3, strictly left to right
        ForLoop,  // data for Next (the For line itself runs its handler): counter, start, end, step;
                  // `jump` is the Next line the block scan finds
        Next,     // the counter of the For line on top of the stack goes on by its step
        While,    // left <comparison> right; false jumps past the EndWhile at `jump`
        EndWhile, // back to the While line on top of the stack, which tests again
        If,       // left <comparison> right; false jumps to the Else or EndIf at `jump`
        Else,     // the If's true part ends: on past the EndIf at `jump`
        EndIf,
        Call,   // numbers 0-2 into parameters 3-5 of the function at `function`; 6 receives the result
        Return, // slot 0's value into the calling line's slot 6
    };
    Kind kind = Kind::None;
    DecodedOp op = DecodedOp::None;       // set from the kind at run start
    uint8_t operator1 = 0, operator2 = 0; // Let: 0 none, 1 + to 5 %
    uint8_t comparison = 0;               // While, If: 1 to 6
    bool stepGiven = false;               // ForLoop
    bool elseFound = false;               // If: `jump` is an Else line (else the EndIf)
    bool resultGiven = false;             // Call: slot 6 is a number a Return may store into
    uint8_t arguments = 0;                // Call: the argument mask (bits 0-2)
    uint8_t marker = 0;                   // Call: the function's return type
    uint32_t jump = kNoJump;              // the index of the line a jump lands on
    LineCursor function;                  // Call: its DeclareFunction line
    // The next line's decoded form, nullptr when that line has none or this is the section's last:
    // where a Let goes on without finding the line by its index.
    const DecodedLine* following = nullptr;
    // NextLinked, NextByOne, EndWhileLinked: the form of the line after the For or While line,
    // where the loop goes on when it goes round again; Call: of the line after the DeclareFunction
    // line (kUndecodedLine when that line has none, nullptr when there is none).
    const DecodedLine* body = nullptr;
    NumberSlot slots[7];
};
static_assert(static_cast<int>(DecodedLine::Kind::Return) == static_cast<int>(DecodedOp::Return));

// The form a line without one stands for where a jump lands: its operation leaves the line to its
// handler.
extern const DecodedLine kUndecodedLine;

// What a family's decoder sees of a line at run start, once the run's variables have their elements.
class DecodeContext {
public:
    DecodeContext(RunState& state, LineCursor at) : state_(state), at_(at) {}

    LineCursor at() const { return at_; }
    const ParamBlock& block() const { return blockAt(at_); }
    size_t operandCount() const;
    // The operand in that slot as a number, when it is a numeric literal or names a declared numeric
    // scalar, or an element of a 1D numeric array by a literal subscript in range or by a numeric
    // scalar: what a decoded operation reads and stores without a message.
    std::optional<NumberSlot> number(size_t slot) const { return numberAt(at_, slot); }
    std::optional<NumberSlot> numberAt(LineCursor line, size_t slot) const;
    // Neither a name nor a text: an empty field.
    bool operandIsEmpty(size_t slot) const;
    // The index of the line the block scan from this line stops at (LineContext::skipToCodeAfter),
    // when the scan finds one of the two types.
    std::optional<uint32_t> matchForward(uint32_t target1, uint32_t target2) const;
    // The type code of a line of this line's section.
    uint32_t typeAt(uint32_t index) const;
    // The DeclareFunction line of that name (see findFunction).
    std::optional<LineCursor> function(std::string_view name) const;
    std::string_view operandName(size_t slot) const;
    const ParamBlock& blockAt(LineCursor line) const;

private:
    RunState& state_;
    LineCursor at_;
};

} // namespace qel
