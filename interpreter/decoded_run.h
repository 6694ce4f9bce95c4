#pragma once
// The run loop's own work on decoded lines (decoded_line.h): each operation either does its line
// completely, as the line's handler would, and returns true, or returns false before it has
// changed anything and the handler runs the line. Included by the run loop alone; everything is
// inlined into its quiet path.

#include "interpreter/run_state.h"

#include <cmath>
#include <cstdint>

namespace qel::decoded {

using Kind = DecodedLine::Kind;

// Comparison codes 1 to 6 (the conditions' own table).
[[gnu::always_inline]] inline bool holds(uint8_t comparison, float a, float b)
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
    constexpr float kExact = 9007199254740992.0f; // 2^53: integers a double holds exactly
    if (std::fabs(r) < kExact && std::fabs(b) < kExact) [[likely]] {
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

// The For line's counter goes on by its step: back to the line after the For while it stays in
// range, else on after the Next with the frame gone.
[[gnu::always_inline]] inline bool runNext(const RunState& st, CallStack& stack, LineCursor& cur)
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
    if (goesOn)
        cur = f.line;
    else
        stack.pop();
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

[[gnu::always_inline]] inline bool runWhile(CallStack& stack, LineCursor& cur, const DecodedLine& d)
{
    bool goesOn = false;
    if (!test(d, goesOn)) [[unlikely]]
        return false;
    if (goesOn)
        return stack.push({cur, kWhile});
    if (d.jump == kNoJump)
        return false;
    cur.index = d.jump; // on after the EndWhile
    return true;
}

// Back to the While on top of the stack, which tests again: its frame stays while the loop goes on.
[[gnu::always_inline]] inline bool runEndWhile(const RunState& st, CallStack& stack, LineCursor& cur)
{
    if (stack.isEmpty() || stack.peek().kind != kWhile) [[unlikely]]
        return false;
    const LineCursor whileLine = stack.peek().line;
    const DecodedLine* w = st.runAt(whileLine).decoded;
    bool goesOn = false;
    if (!w || w->kind != Kind::While || !test(*w, goesOn) || (!goesOn && w->jump == kNoJump)) [[unlikely]]
        return false;
    if (goesOn) {
        cur = whileLine;
    } else {
        stack.pop();
        cur = {whileLine.section, w->jump};
    }
    return true;
}

[[gnu::always_inline]] inline bool runIf(CallStack& stack, LineCursor& cur, const DecodedLine& d)
{
    bool taken = false;
    if (!test(d, taken)) [[unlikely]]
        return false;
    if (taken)
        return stack.push({cur, kIf});
    if (d.jump == kNoJump)
        return false;
    // An Else opens the other part of the block with a frame of its own.
    if (d.elseFound && !stack.push({{cur.section, d.jump}, kIf}))
        return false;
    cur.index = d.jump;
    return true;
}

[[gnu::always_inline]] inline bool runElse(CallStack& stack, LineCursor& cur, const DecodedLine& d)
{
    if (stack.isEmpty() || stack.peek().kind != kIf || d.jump == kNoJump) [[unlikely]]
        return false;
    stack.pop();
    cur.index = d.jump; // on after the EndIf
    return true;
}

[[gnu::always_inline]] inline bool runEndIf(CallStack& stack)
{
    if (stack.isEmpty() || stack.peek().kind != kIf) [[unlikely]]
        return false;
    stack.pop();
    return true;
}

// Every argument is read and checked against its parameter before anything changes; the decoder
// made sure no argument reads a parameter, so passing them one by one would give the same.
[[gnu::always_inline]] inline bool runCall(RunState& st, CallStack& stack, LineCursor& cur, const DecodedLine& d)
{
    float values[3] = {};
    for (int k = 0; k < 3; ++k) {
        if (!(d.arguments & (1u << k)))
            continue;
        bool bad = false;
        values[k] = readSlot(d.slots[k], bad);
        if (bad || !slotTakes(d.slots[3 + k], values[k])) [[unlikely]]
            return false;
    }
    if (!stack.push({cur, kCallFrame, d.marker, static_cast<uint8_t>(st.currentSection)})) [[unlikely]]
        return false;
    st.currentSection = d.function.section;
    cur = d.function; // the loop goes on after the DeclareFunction line
    for (int k = 0; k < 3; ++k)
        if (d.arguments & (1u << k))
            storeElement(d.slots[3 + k], d.slots[3 + k].word, values[k]);
    return true;
}

// A value back into the Return Into variable of the calling line.
[[gnu::always_inline]] inline bool runReturn(RunState& st, CallStack& stack, LineCursor& cur, const DecodedLine& d)
{
    if (stack.isEmpty()) [[unlikely]]
        return false;
    const StackFrame f = stack.peek();
    if (f.kind != kCallFrame || f.marker == 0 || f.marker == kEventHandlerMarker || f.marker == kFormRequestMarker)
        return false;
    const DecodedLine* call = st.runAt(f.line).decoded;
    if (!call || call->kind != Kind::Call || !call->resultGiven) [[unlikely]]
        return false;
    const NumberSlot& into = call->slots[6];
    bool bad = false;
    const float value = readSlot(d.slots[0], bad);
    uint32_t* destination = slotElement(into);
    if (bad || !destination || !slotTakes(into, value)) [[unlikely]]
        return false;
    stack.pop();
    cur = f.line;
    storeElement(into, destination, value);
    st.currentSection = f.callerSection;
    return true;
}

// The line at `cur` done by its decoded form: true, or false with nothing changed.
[[gnu::always_inline]] inline bool run(RunState& st, CallStack& stack, LineCursor& cur, const DecodedLine& d)
{
    switch (d.kind) {
    case Kind::Let: return runLet(d);
    case Kind::Next: return runNext(st, stack, cur);
    case Kind::While: return runWhile(stack, cur, d);
    case Kind::EndWhile: return runEndWhile(st, stack, cur);
    case Kind::If: return runIf(stack, cur, d);
    case Kind::Else: return runElse(stack, cur, d);
    case Kind::EndIf: return runEndIf(stack);
    case Kind::Call: return runCall(st, stack, cur, d);
    case Kind::Return: return runReturn(st, stack, cur, d);
    default: return false;
    }
}

} // namespace qel::decoded
