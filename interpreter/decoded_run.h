#pragma once
// The run loop's own work on decoded lines (decoded_line.h): each operation either does its line
// completely, as the line's handler would, and returns true, or returns false before it has
// changed anything and the handler runs the line. Included by the run loop alone: its quiet path
// calls runStretch, into which every operation is inlined.

#include "interpreter/run_state.h"

#include <cmath>
#include <cstdint>
#include <iterator>

namespace qel::decoded {

using Kind = DecodedLine::Kind;

// Comparison codes 1 to 6 (the conditions' own table).
template <typename T>
[[gnu::always_inline]] inline bool holds(uint8_t comparison, T a, T b)
{
    switch (comparison) {
    case 1: return a < b;
    case 2: return a > b;
    case 3: return a <= b;
    case 4: return a >= b;
    case 5: return a == b;
    default: return a != b;
    }
}

// The remainder of the operands truncated toward zero, with the sign of the left one (a zero one
// too): the integer division's where both are exact integers, else the same through fmod. False
// for a divisor that truncates to 0.
[[gnu::always_inline]] inline bool remainder(float& r, float b)
{
    constexpr float kWord = 2147483648.0f;        // 2^31: both truncate into an int32_t
    constexpr float kExact = 9007199254740992.0f; // 2^53: integers a double holds exactly
    if (std::fabs(r) < kWord && std::fabs(b) < kWord) [[likely]] {
        const auto divisor = static_cast<int32_t>(b);
        if (divisor == 0)
            return false;
        const int32_t q = static_cast<int32_t>(r) % divisor; // no INT32_MIN here, so no overflow
        r = q != 0 ? static_cast<float>(q) : std::copysign(0.0f, r);
        return true;
    }
    if (std::fabs(r) < kExact && std::fabs(b) < kExact) {
        const auto divisor = static_cast<int64_t>(b);
        if (divisor == 0)
            return false;
        const int64_t q = static_cast<int64_t>(r) % divisor;
        r = q != 0 ? static_cast<float>(q) : std::copysign(0.0f, r);
        return true;
    }
    const double divisor = std::trunc(static_cast<double>(b));
    if (divisor == 0.0)
        return false;
    r = static_cast<float>(std::fmod(std::trunc(static_cast<double>(r)), divisor));
    return true;
}

// r <op> b for operators 1 to 5 (+ - * / %), each result a 32-bit float; an Integer destination
// must keep every result in its range.
[[gnu::always_inline]] inline bool apply(float& r, uint8_t op, float b, bool integer)
{
    switch (op) {
    case 1: r = r + b; break;
    case 2: r = r - b; break;
    case 3: r = r * b; break;
    case 4: r = r / b; break;
    default:
        if (!remainder(r, b))
            return false;
    }
    return !integer || fitsInteger(r);
}

[[gnu::always_inline]] inline bool runLet(const DecodedLine& d)
{
    const NumberSlot* n = d.slots;
    bool bad = false;
    const float x1 = readSlot(n[1], bad);
    float x2 = 0.0f;
    float x3 = 0.0f;
    if (d.operator1) {
        x2 = readSlot(n[2], bad);
        if (d.operator2)
            x3 = readSlot(n[3], bad);
    }
    const bool integer = n[0].integer;
    if (bad || (integer && !(fitsInteger(x1) && fitsInteger(x2) && fitsInteger(x3)))) [[unlikely]]
        return false;
    float r = x1;
    if (d.operator1 && !apply(r, d.operator1, x2, integer)) [[unlikely]]
        return false;
    if (d.operator2 && !apply(r, d.operator2, x3, integer)) [[unlikely]]
        return false;
    uint32_t* destination = slotElement(n[0]);
    if (!destination) [[unlikely]]
        return false;
    storeElement(n[0], destination, r); // an Integer's value was checked above
    return true;
}

[[gnu::always_inline]] inline bool test(const DecodedLine& d, bool& holdsNow)
{
    bool bad = false;
    const float a = readSlot(d.slots[0], bad);
    const float b = readSlot(d.slots[1], bad);
    holdsNow = holds(d.comparison, a, b);
    return !bad;
}

// A word read as the number it holds, its type known from the decode.
template <bool Integer>
[[gnu::always_inline]] inline float wordValue(const uint32_t* word)
{
    if constexpr (Integer)
        return static_cast<float>(std::bit_cast<int32_t>(*word));
    else
        return std::bit_cast<float>(*word);
}

// dest = a + b with no subscript variable among them, the three types known: an Integer
// destination takes operands and a sum in its range only.
template <int Integers>
[[gnu::always_inline]] inline bool runLetAdd(const DecodedLine& d)
{
    constexpr bool destination = Integers & 4, left = Integers & 2, right = Integers & 1;
    const float a = wordValue<left>(d.slots[1].word);
    const float b = wordValue<right>(d.slots[2].word);
    const float r = a + b;
    if constexpr (destination) {
        if (!((left || fitsInteger(a)) && (right || fitsInteger(b)) && fitsInteger(r))) [[unlikely]]
            return false;
        *d.slots[0].word = std::bit_cast<uint32_t>(integerOf(r));
    } else {
        *d.slots[0].word = std::bit_cast<uint32_t>(r);
    }
    return true;
}

// runLet for a line none of whose numbers has a subscript variable; with InRange, an Integer
// destination whose numbers are in its range whatever they hold (DecodedOp::LetPlainInRange).
template <bool InRange>
[[gnu::always_inline]] inline bool runLetPlain(const DecodedLine& d)
{
    const NumberSlot* n = d.slots;
    const bool integer = InRange || n[0].integer;
    float r = elementValue(n[1], n[1].word);
    if (!InRange && integer && !fitsInteger(r)) [[unlikely]]
        return false;
    if (d.operator1) {
        const float x2 = elementValue(n[2], n[2].word);
        const float x3 = elementValue(n[3], n[3].word); // 0 when there is no third number
        if (!InRange && integer && !(fitsInteger(x2) && fitsInteger(x3))) [[unlikely]]
            return false;
        if (!apply(r, d.operator1, x2, integer)) [[unlikely]]
            return false;
        if (d.operator2 && !apply(r, d.operator2, x3, integer)) [[unlikely]]
            return false;
    }
    storeElement(n[0], n[0].word, r);
    return true;
}

// Whole numbers within 2^24 (DecodedOp::LetIntegers, LetElementAddIntegers): there every float
// result of + - * % is exact, so integers give the same.
[[gnu::always_inline]] inline bool exactWhole(int64_t v)
{
    constexpr int64_t kExact = int64_t{1} << 24;
    return v >= -kExact && v <= kExact;
}

[[gnu::always_inline]] inline int64_t wholeAt(const NumberSlot& n) { return std::bit_cast<int32_t>(*n.word); }

// r <op> b in integers for operators + - * %: false when the float path is to decide (a result
// beyond 2^24, a remainder by zero).
[[gnu::always_inline]] inline bool applyWhole(int64_t& r, uint8_t op, int64_t b)
{
    switch (op) {
    case 1: r += b; break;
    case 2: r -= b; break;
    case 3: r *= b; break;
    default:
        if (b == 0)
            return false;
        r %= b; // toward zero, with the left one's sign, as the float remainder
    }
    return exactWhole(r);
}

// The Let in integers (DecodedOp::LetIntegers): false, with nothing changed, when an operand or a
// result is beyond 2^24 and the float path is to do it.
[[gnu::always_inline]] inline bool runLetIntegers(const DecodedLine& d)
{
    int64_t r = wholeAt(d.slots[1]);
    if (!exactWhole(r))
        return false;
    if (d.operator1) {
        const int64_t b = wholeAt(d.slots[2]);
        if (!exactWhole(b) || !applyWhole(r, d.operator1, b))
            return false;
        if (d.operator2) {
            const int64_t c = wholeAt(d.slots[3]);
            if (!exactWhole(c) || !applyWhole(r, d.operator2, c))
                return false;
        }
    }
    *d.slots[0].word = std::bit_cast<uint32_t>(static_cast<int32_t>(r));
    return true;
}

// dest = a + b of Integers (DecodedOp::LetAddIntegers): in integers while the three are within
// 2^24, else as the floats add.
[[gnu::always_inline]] inline bool runLetAddIntegers(const DecodedLine& d)
{
    const int64_t a = wholeAt(d.slots[1]);
    const int64_t b = wholeAt(d.slots[2]);
    if (exactWhole(a) && exactWhole(b) && exactWhole(a + b)) [[likely]] {
        *d.slots[0].word = std::bit_cast<uint32_t>(static_cast<int32_t>(a + b));
        return true;
    }
    return runLetAdd<7>(d);
}

// An Integer number of an integer operation (DecodedOp::IfIntegers, LetCopyIntegers): its element,
// nullptr when its subscript is out of range.
[[gnu::always_inline]] inline uint32_t* integerElement(const NumberSlot& n)
{
    if (!n.index)
        return n.word;
    const auto subscript = std::bit_cast<int32_t>(*n.index);
    if (subscript < 1 || subscript > n.limit) [[unlikely]]
        return nullptr;
    return n.word + (subscript - 1);
}

// The test of two Integers (DecodedOp::IfIntegers, WhileIntegers, EndWhileIntegers): beyond 2^24
// two of them may have one float, so there the floats are compared.
[[gnu::always_inline]] inline bool testIntegers(const DecodedLine& d, bool& holdsNow)
{
    const uint32_t* left = integerElement(d.slots[0]);
    const uint32_t* right = integerElement(d.slots[1]);
    if (!left || !right) [[unlikely]]
        return false;
    const auto a = std::bit_cast<int32_t>(*left);
    const auto b = std::bit_cast<int32_t>(*right);
    if (exactWhole(a) && exactWhole(b)) [[likely]]
        holdsNow = holds(d.comparison, a, b);
    else
        holdsNow = holds(d.comparison, static_cast<float>(a), static_cast<float>(b));
    return true;
}

// dest = a of two Integers (DecodedOp::LetCopyIntegers): false, with nothing changed, for a
// subscript out of range or a value beyond 2^24, whose float runLet is to round.
[[gnu::always_inline]] inline bool runLetCopyIntegers(const DecodedLine& d)
{
    const uint32_t* from = integerElement(d.slots[1]);
    uint32_t* to = integerElement(d.slots[0]);
    if (!from || !to || !exactWhole(std::bit_cast<int32_t>(*from))) [[unlikely]]
        return false;
    *to = *from;
    return true;
}

// A(K) = A(K) + b (DecodedOp::LetElementAdd): the element is found once. With Whole, an Integer
// array and an Integer b (DecodedOp::LetElementAddIntegers) add in integers while all is within 2^24.
template <bool Whole>
[[gnu::always_inline]] inline bool runLetElementAdd(const DecodedLine& d)
{
    const NumberSlot& e = d.slots[0];
    const auto subscript = std::bit_cast<int32_t>(*e.index);
    if (subscript < 1 || subscript > e.limit) [[unlikely]]
        return false;
    uint32_t* element = e.word + (subscript - 1);
    if constexpr (Whole) {
        const int64_t a = std::bit_cast<int32_t>(*element);
        const int64_t b = wholeAt(d.slots[2]);
        if (exactWhole(a) && exactWhole(b) && exactWhole(a + b)) [[likely]] {
            *element = std::bit_cast<uint32_t>(static_cast<int32_t>(a + b));
            return true;
        }
    }
    const float a = elementValue(e, element);
    const float b = elementValue(d.slots[2], d.slots[2].word);
    const float r = a + b;
    if (e.integer && !(fitsInteger(b) && fitsInteger(r))) [[unlikely]] // an Integer element fits
        return false;
    storeElement(e, element, r);
    return true;
}

// A Next holding its For line's data (DecodedOp::NextLinked), that For's frame on top of the stack:
// the counter goes on by its step, back to the line after the For or on with the frame gone.
[[gnu::always_inline]] inline bool runNextLinked(CallStack& stack, uint32_t& index, const DecodedLine& d)
{
    const NumberSlot* n = d.slots;
    const float end = elementValue(n[2], n[2].word);
    float step = 0.0f;
    float increment = 1.0f;
    if (d.stepGiven) {
        step = increment = elementValue(n[3], n[3].word);
        if (step == 0.0f)
            return false;
    }
    const float value = elementValue(n[0], n[0].word);
    const float next = value + increment;
    const bool goesOn = step >= 0 ? next <= end : next >= end;
    if (!slotTakes(n[0], next) || (goesOn && next == value)) [[unlikely]]
        return false;
    storeElement(n[0], n[0].word, next);
    if (goesOn)
        index = d.jump;
    else
        stack.pop();
    return true;
}

enum class Round : uint8_t { Again, Done, Beyond };

// A NextByOne's Integer counter goes on by 1, its For's frame on top of the stack. Within 2^24,
// where every float step is exact, it counts in integers: the next value no longer waits for two
// conversions. Beyond, nothing has changed and runNextLinked steps it.
[[gnu::always_inline]] inline Round countByOne(const DecodedLine& d)
{
    constexpr int32_t kExact = 1 << 24;
    const auto value = std::bit_cast<int32_t>(*d.slots[0].word);
    if (value <= -kExact || value >= kExact) [[unlikely]]
        return Round::Beyond;
    const int32_t next = value + 1;
    *d.slots[0].word = std::bit_cast<uint32_t>(next);
    // As a float compare: the float of an end beyond 2^24 is beyond the counter too.
    return next <= std::bit_cast<int32_t>(*d.slots[2].word) ? Round::Again : Round::Done;
}

// The For line's counter goes on by its step: back to the line after the For while it stays in
// range, else on after the Next with the frame gone.
[[gnu::always_inline]] inline bool runNext(const RunState& st, CallStack& stack, uint32_t& section, uint32_t& index)
{
    if (stack.isEmpty()) [[unlikely]]
        return false;
    const StackFrame& f = stack.peek();
    const DecodedLine* loop = f.kind == kFor ? st.runAt(f.line).decoded : nullptr;
    if (!loop || loop->kind != Kind::ForLoop) [[unlikely]]
        return false;
    const NumberSlot* n = loop->slots;
    uint32_t* counter = slotElement(n[0]);
    bool bad = !counter;
    const float end = readSlot(n[2], bad);
    float step = 0.0f;
    float increment = 1.0f;
    if (loop->stepGiven) [[unlikely]] {
        step = increment = readSlot(n[3], bad);
        bad = bad || step == 0.0f;
    }
    if (bad) [[unlikely]]
        return false;
    const float value = elementValue(n[0], counter);
    const float next = value + increment;
    const bool goesOn = step >= 0 ? next <= end : next >= end;
    // A counter that cannot change any more, or an Integer that cannot take it: the handler's messages.
    if (!slotTakes(n[0], next) || (goesOn && next == value)) [[unlikely]]
        return false;
    storeElement(n[0], counter, next);
    if (goesOn) {
        section = f.line.section;
        index = f.line.index;
    } else {
        stack.pop();
    }
    return true;
}

// The test of a While or If line's form; with Integers, one whose numbers are all Integers.
template <bool Integers>
[[gnu::always_inline]] inline bool testLine(const DecodedLine& d, bool& holdsNow)
{
    if constexpr (Integers)
        return testIntegers(d, holdsNow);
    else
        return test(d, holdsNow);
}

template <bool Integers>
[[gnu::always_inline]] inline bool runWhile(CallStack& stack, uint32_t& section, uint32_t& index, const DecodedLine& d)
{
    bool goesOn = false;
    if (!testLine<Integers>(d, goesOn)) [[unlikely]]
        return false;
    if (goesOn)
        return stack.push({{section, index}, kWhile});
    if (d.jump == kNoJump)
        return false;
    index = d.jump; // on after the EndWhile
    return true;
}

// Back to the While on top of the stack, which tests again: its frame stays while the loop goes on.
[[gnu::always_inline]] inline bool runEndWhile(const RunState& st, CallStack& stack, uint32_t& section, uint32_t& index)
{
    if (stack.isEmpty() || stack.peek().kind != kWhile) [[unlikely]]
        return false;
    const LineCursor whileLine = stack.peek().line;
    const DecodedLine* w = st.runAt(whileLine).decoded;
    bool goesOn = false;
    if (!w || w->kind != Kind::While || !test(*w, goesOn) || (!goesOn && w->jump == kNoJump)) [[unlikely]]
        return false;
    section = whileLine.section;
    if (goesOn) {
        index = whileLine.index;
    } else {
        stack.pop();
        index = w->jump;
    }
    return true;
}

template <bool Integers>
[[gnu::always_inline]] inline bool runIf(CallStack& stack, uint32_t& section, uint32_t& index, const DecodedLine& d)
{
    bool taken = false;
    if (!testLine<Integers>(d, taken)) [[unlikely]]
        return false;
    if (taken)
        return stack.push({{section, index}, kIf});
    if (d.jump == kNoJump)
        return false;
    // An Else opens the other part of the block with a frame of its own.
    if (d.elseFound && !stack.push({{section, d.jump}, kIf}))
        return false;
    index = d.jump;
    return true;
}

[[gnu::always_inline]] inline bool runElse(CallStack& stack, uint32_t& index, const DecodedLine& d)
{
    if (stack.isEmpty() || stack.peek().kind != kIf || d.jump == kNoJump) [[unlikely]]
        return false;
    stack.pop();
    index = d.jump; // on after the EndIf
    return true;
}

[[gnu::always_inline]] inline bool runEndIf(CallStack& stack)
{
    if (stack.isEmpty() || stack.peek().kind != kIf) [[unlikely]]
        return false;
    stack.pop();
    return true;
}

// The frame of a call from the form `d`: it names the form when a Return is to store into its number.
[[gnu::always_inline]] inline StackFrame callFrame(const RunState& st, uint32_t section, uint32_t index,
                                                   const DecodedLine& d)
{
    const bool returnsHere = d.resultGiven && d.marker != 0;
    return {
        {section, index}, kCallFrame, d.marker, static_cast<uint8_t>(st.currentSection), returnsHere ? &d : nullptr};
}

// Every argument is read and checked against its parameter before anything changes; the decoder
// made sure no argument reads a parameter, so passing them one by one would give the same. With
// One, the single argument is the first and has no subscript variable (DecodedOp::CallOne).
template <bool One>
[[gnu::always_inline]] inline bool runCall(RunState& st, CallStack& stack, uint32_t& section, uint32_t& index,
                                           const DecodedLine& d)
{
    float values[3] = {};
    for (int k = 0; k < (One ? 1 : 3); ++k) {
        if (!One && !(d.arguments & (1u << k)))
            continue;
        bool bad = false;
        values[k] = One ? elementValue(d.slots[0], d.slots[0].word) : readSlot(d.slots[k], bad);
        if (bad || !slotTakes(d.slots[3 + k], values[k])) [[unlikely]]
            return false;
    }
    if (!stack.push(callFrame(st, section, index, d))) [[unlikely]]
        return false;
    st.currentSection = d.function.section;
    section = d.function.section; // the loop goes on after the DeclareFunction line
    index = d.function.index;
    for (int k = 0; k < (One ? 1 : 3); ++k)
        if (One || (d.arguments & (1u << k)))
            storeElement(d.slots[3 + k], d.slots[3 + k].word, values[k]);
    return true;
}

// A value back into the Return Into variable of the Call line whose form made the call on top of
// the stack: that form, nullptr when the handler is to return.
[[gnu::always_inline]] inline const DecodedLine* runReturn(RunState& st, CallStack& stack, uint32_t& section,
                                                           uint32_t& index, const DecodedLine& d)
{
    if (stack.isEmpty()) [[unlikely]]
        return nullptr;
    const StackFrame& f = stack.peek();
    const DecodedLine* call = f.call;
    if (!call) [[unlikely]]
        return nullptr;
    const NumberSlot& into = call->slots[6];
    bool bad = false;
    const float value = readSlot(d.slots[0], bad);
    uint32_t* destination = slotElement(into);
    if (bad || !destination || !slotTakes(into, value)) [[unlikely]]
        return nullptr;
    section = f.line.section;
    index = f.line.index;
    st.currentSection = f.callerSection;
    stack.pop();
    storeElement(into, destination, value);
    return call;
}

// Runs decoded lines from the cursor's on, back to back, while each one finishes, the section goes on
// and no pump is due, counting each towards the pump. On return `cursor` and `ran` name the line the
// loop finishes: true when it has run (the section may end after it, or the pump be due), false when
// its handler is to run it. The cursor, the count and the section's lines are kept at hand meanwhile.
//
// Each line's operation is entered through a table of label addresses (a GNU extension both GCC and
// Clang have): a load and a jump, where a switch would add a range test and a relative table. A
// function that takes label addresses is not inlined, so this one is entered once per stretch.
inline bool runStretch(RunState& st, CallStack& stack, LineCursor& cursor, const LineRun*& ran)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
    static const void* const kEntry[] = {
        &&unhandled,      &&let,           &&unhandled,        &&next,
        &&whileLine,      &&endWhile,      &&ifLine,           &&elseLine,
        &&endIf,          &&call,          &&returnLine,       &&letPlain,
        &&letInRange,     &&letAdd0,       &&letAdd1,          &&letAdd2,
        &&letAdd3,        &&letAdd4,       &&letAdd5,          &&letAdd6,
        &&letAdd7,        &&letElementAdd, &&nextLinked,       &&endWhileLinked,
        &&nextByOne,      &&callOne,       &&letIntegers,      &&letElementAddIntegers,
        &&ifIntegers,     &&whileIntegers, &&endWhileIntegers, &&letCopyIntegers,
        &&letAddIntegers,
    };
    static_assert(std::size(kEntry) == static_cast<size_t>(DecodedOp::LetAddIntegers) + 1);
    uint32_t section = cursor.section;
    uint32_t index = cursor.index;
    const LineRun* runs = st.lineRuns[section].data();
    auto count = static_cast<uint32_t>(st.lineRuns[section].size());
    uint32_t iterations = st.iterations;
    const DecodedLine* d = runs[index].decoded;
    const DecodedLine* ahead = nullptr;
    uint32_t tested = 0; // the index of the If or While line being tested
    uint32_t was = section;
    bool ok = false;
    bool goesOn = false; // a linked EndWhile's test
    bool ranLast = false;
    goto* kEntry[static_cast<uint8_t>(d->op)];

unhandled:
    goto stop;
let:
    ok = runLet(*d);
    goto inPlace;
next:
    ok = runNext(st, stack, section, index);
    goto performed;
whileLine:
    tested = index;
    ok = runWhile<false>(stack, section, index, *d);
    goto enteredOrSkipped;
whileIntegers:
    tested = index;
    ok = runWhile<true>(stack, section, index, *d);
    goto enteredOrSkipped;
ifIntegers:
    tested = index;
    ok = runIf<true>(stack, section, index, *d);
    goto enteredOrSkipped;
endWhile:
    ok = runEndWhile(st, stack, section, index);
    goto performed;
ifLine:
    tested = index;
    ok = runIf<false>(stack, section, index, *d);
enteredOrSkipped: // a block entered goes on to the next line, whose form it holds; one skipped jumps
    if (index == tested)
        goto inPlace;
    goto performed;
elseLine:
    ok = runElse(stack, index, *d);
    goto performed;
endIf:
    ok = runEndIf(stack);
    goto inPlace;
call:
    ok = runCall<false>(st, stack, section, index, *d);
    goto called;
callOne:
    ok = runCall<true>(st, stack, section, index, *d);
called:
    if (ok && section == was) [[likely]]
        goto enter; // on at the line after the DeclareFunction line
    goto performed;
returnLine : {
    const DecodedLine* call = runReturn(st, stack, section, index, *d);
    ok = call != nullptr;
    if (ok && section == was) [[likely]] {
        d = call; // on after the Call line, as after a line that goes on to the next
        goto inPlace;
    }
    goto performed;
}
letPlain:
    ok = runLetPlain<false>(*d);
    goto inPlace;
letInRange:
    ok = runLetPlain<true>(*d);
    goto inPlace;
letAdd0:
    ok = runLetAdd<0>(*d);
    goto inPlace;
letAdd1:
    ok = runLetAdd<1>(*d);
    goto inPlace;
letAdd2:
    ok = runLetAdd<2>(*d);
    goto inPlace;
letAdd3:
    ok = runLetAdd<3>(*d);
    goto inPlace;
letAdd4:
    ok = runLetAdd<4>(*d);
    goto inPlace;
letAdd5:
    ok = runLetAdd<5>(*d);
    goto inPlace;
letAdd6:
    ok = runLetAdd<6>(*d);
    goto inPlace;
letAdd7:
    ok = runLetAdd<7>(*d);
    goto inPlace;
letElementAdd:
    ok = runLetElementAdd<false>(*d);
    goto inPlace;
letIntegers:
    ok = runLetIntegers(*d) || runLetPlain<true>(*d);
    goto inPlace;
letElementAddIntegers:
    ok = runLetElementAdd<true>(*d);
    goto inPlace;
letCopyIntegers:
    ok = runLetCopyIntegers(*d) || runLet(*d);
    goto inPlace;
letAddIntegers:
    ok = runLetAddIntegers(*d);
    goto inPlace;
nextLinked:
    ok = stack.topIs(kFor, {section, d->jump}) ? runNextLinked(stack, index, *d) : runNext(st, stack, section, index);
    goto performed;
nextByOne:
    if (stack.topIs(kFor, {section, d->jump})) [[likely]] {
        switch (countByOne(*d)) {
        case Round::Again: index = d->jump; goto backRound;
        case Round::Done:
            stack.pop();
            ok = true;
            goto inPlace;
        case Round::Beyond: ok = runNextLinked(stack, index, *d); goto performed;
        }
    }
    ok = runNext(st, stack, section, index);
    goto performed;
endWhileLinked: // with another frame on top, the While's own line is found
    if (!stack.topIs(kWhile, {section, d->jump})) [[unlikely]]
        goto endWhile;
    ok = test(*d, goesOn);
    goto endWhileTested;
endWhileIntegers:
    if (!stack.topIs(kWhile, {section, d->jump})) [[unlikely]]
        goto endWhile;
    ok = testIntegers(*d, goesOn);
    goto endWhileTested;
endWhileTested: // round again to the line after the While, or on with its frame gone
    if (ok && goesOn) {
        index = d->jump;
        goto backRound;
    }
    if (ok)
        stack.pop();
    goto inPlace;

enter: // a call goes on from the DeclareFunction line at `index`, the line before `d->body`'s
    if (!d->body) [[unlikely]] {
        ok = true;
        goto performed;
    }
backRound: // a loop goes round again from its opening line at `index`, the line before `d->body`'s
    ahead = d->body;
    goto onTo;
inPlace: // a line that goes on to the next one, whose form it holds
    if (!ok || !d->following) [[unlikely]]
        goto performed;
    ahead = d->following;
onTo: // on to `ahead`, the form of the line after `index`, unless the pump is due
    if (iterations + 1 >= st.pumpAt.load(std::memory_order_relaxed)) [[unlikely]] {
        ranLast = true;
        goto stop;
    }
    ++iterations;
    ++index;
    d = ahead;
    goto* kEntry[static_cast<uint8_t>(d->op)];
performed:
    if (!ok) [[unlikely]]
        goto stop;
    if (section != was) [[unlikely]] { // a call or a return
        was = section;
        runs = st.lineRuns[section].data();
        count = static_cast<uint32_t>(st.lineRuns[section].size());
    }
    if (index + 1 == count || iterations + 1 >= st.pumpAt.load(std::memory_order_relaxed)) [[unlikely]] {
        ranLast = true;
        goto stop;
    }
    ++iterations;
    ++index;
    d = runs[index].decoded;
    if (d)
        goto* kEntry[static_cast<uint8_t>(d->op)];

stop:
#pragma GCC diagnostic pop
    st.iterations = iterations;
    cursor = {section, index};
    ran = runs + index;
    return ranLast;
}

} // namespace qel::decoded
