#include "interpreter/decoded_line.h"

#include "interpreter/block_scan.h"
#include "interpreter/functions.h"
#include "interpreter/run_state.h"
#include "values/variable_table.h"

#include <algorithm>
#include <cmath>

namespace qel {

const DecodedLine kUndecodedLine{};

namespace {

constexpr int32_t kLargestSubscript = 32000;

// A declared numeric variable that is not an array (a subscript, or a scalar operand).
const VariableRecord* numericScalar(VariableTable& variables, std::string_view name)
{
    const VariableRecord* v = variables.findVariable(name);
    if (!v || !v->isNumeric() || v->arrayKind != kNotArray || v->words.empty())
        return nullptr;
    return v;
}

bool hasSubscriptVariable(const NumberSlot& n) { return n.index != nullptr; }

// The decoded form of line `index`, among the forms of the lines `at`.
DecodedLine* formAt(std::vector<DecodedLine>& forms, const std::vector<uint32_t>& at, uint32_t index)
{
    const auto found = std::lower_bound(at.begin(), at.end(), index);
    return found != at.end() && *found == index ? &forms[found - at.begin()] : nullptr;
}

constexpr float kExactWhole = 16777216.0f; // 2^24: every whole float within is exact

// A number whose value is a whole number within 2^24 whatever it holds: an Integer (whose value is
// tested when it is read), or such a literal.
bool wholeWithinExact(const NumberSlot& n)
{
    const float value = std::bit_cast<float>(n.literalBits);
    return n.integer || (n.literal && std::fabs(value) <= kExactWhole && std::trunc(value) == value);
}

// Whether the numbers from `first` on are whole within 2^24; if so, their literals become Integers
// of the same value.
bool wholeNumbers(DecodedLine& d, int first, int count)
{
    NumberSlot* const from = d.slots + first;
    if (!std::all_of(from, from + count, wholeWithinExact))
        return false;
    for (NumberSlot* n = from; n != from + count; ++n)
        if (!n->integer) {
            n->literalBits = std::bit_cast<uint32_t>(static_cast<int32_t>(std::bit_cast<float>(n->literalBits)));
            n->integer = true;
        }
    return true;
}

// A Next and an EndWhile take the data of the For or While line whose block they close, so that
// the loop needs no look at that line: at run time they only make sure its frame is on top.
void linkBlockEnds(std::vector<DecodedLine>& forms, const std::vector<uint32_t>& at)
{
    using Kind = DecodedLine::Kind;
    for (DecodedLine& d : forms)
        d.op = static_cast<DecodedOp>(d.kind);
    for (size_t k = 0; k < forms.size(); ++k) {
        const DecodedLine& opening = forms[k];
        if (opening.jump == kNoJump || (opening.kind != Kind::ForLoop && opening.kind != Kind::While))
            continue;
        DecodedLine* end = formAt(forms, at, opening.jump);
        if (opening.kind == Kind::ForLoop && end && end->kind == Kind::Next &&
            !hasSubscriptVariable(opening.slots[0]) && !hasSubscriptVariable(opening.slots[2]) &&
            !hasSubscriptVariable(opening.slots[3])) {
            end->slots[0] = opening.slots[0];
            end->slots[2] = opening.slots[2];
            end->slots[3] = opening.slots[3];
            end->stepGiven = opening.stepGiven;
            end->jump = at[k];
            end->op = opening.slots[0].integer && !opening.stepGiven && wholeNumbers(*end, 2, 1)
                          ? DecodedOp::NextByOne
                          : DecodedOp::NextLinked;
        } else if (opening.kind == Kind::While && end && end->kind == Kind::EndWhile) {
            end->slots[0] = opening.slots[0];
            end->slots[1] = opening.slots[1];
            end->comparison = opening.comparison;
            end->jump = at[k];
            end->op = DecodedOp::EndWhileLinked;
        }
    }
}

// A number an integer operation reads with no conversion: no subscript variable, or an Integer one.
bool integerSubscript(const NumberSlot& n) { return !n.index || n.indexInteger; }

// Whether the `count` numbers from `first` on are Integers or whole literals within 2^24, none with
// a Floating Point subscript variable; if so, their literals become Integers.
bool integerNumbers(DecodedLine& d, int first, int count)
{
    return std::all_of(d.slots + first, d.slots + first + count, integerSubscript) && wholeNumbers(d, first, count);
}

// An element added to: the destination is the first number, both by the same Integer subscript.
bool addsToElement(const DecodedLine& d)
{
    const NumberSlot* n = d.slots;
    return d.operator1 == 1 && d.operator2 == 0 && n[0].index && n[0].indexInteger && n[1].word == n[0].word &&
           n[1].index == n[0].index && n[1].integer == n[0].integer && !hasSubscriptVariable(n[2]);
}

// A Let whose numbers need no subscript gets a case of its own, a sum the commonest of all, and so
// does an element added to.
void chooseLetOp(DecodedLine& d)
{
    if (addsToElement(d)) {
        d.op =
            d.slots[0].integer && wholeNumbers(d, 2, 1) ? DecodedOp::LetElementAddIntegers : DecodedOp::LetElementAdd;
        return;
    }
    if (d.operator1 == 0 && d.slots[0].integer && integerSubscript(d.slots[0]) && integerNumbers(d, 1, 1)) {
        d.op = DecodedOp::LetCopyIntegers;
        return;
    }
    for (int k = 0; k < 4; ++k)
        if (hasSubscriptVariable(d.slots[k]))
            return;
    if (d.operator1 == 1 && d.operator2 == 0 && d.slots[0].integer && wholeNumbers(d, 1, 2)) {
        d.op = DecodedOp::LetAddIntegers;
    } else if (d.operator1 == 1 && d.operator2 == 0) {
        const int integers = (d.slots[0].integer ? 4 : 0) | (d.slots[1].integer ? 2 : 0) | (d.slots[2].integer ? 1 : 0);
        d.op = static_cast<DecodedOp>(static_cast<int>(DecodedOp::LetAdd0) + integers);
    } else {
        bool inRange = d.slots[0].integer;
        for (int k = 1; k < 4; ++k)
            inRange = inRange && (d.slots[k].integer ||
                                  (d.slots[k].literal && fitsInteger(std::bit_cast<float>(d.slots[k].literalBits))));
        d.op = inRange ? DecodedOp::LetPlainInRange : DecodedOp::LetPlain;
        if (inRange && d.operator1 != 4 && d.operator2 != 4 && wholeNumbers(d, 1, 3))
            d.op = DecodedOp::LetIntegers;
    }
}

// A test of two such numbers compares integers.
void chooseTestOp(DecodedLine& d)
{
    const bool whileLine = d.op == DecodedOp::While;
    if ((whileLine || d.op == DecodedOp::If || d.op == DecodedOp::EndWhileLinked) && integerNumbers(d, 0, 2))
        d.op = whileLine               ? DecodedOp::WhileIntegers
               : d.op == DecodedOp::If ? DecodedOp::IfIntegers
                                       : DecodedOp::EndWhileIntegers;
}

} // namespace

size_t DecodeContext::operandCount() const { return state_.runAt(at_).operandCount; }

const ParamBlock& DecodeContext::blockAt(LineCursor line) const { return *state_.runAt(line).block; }

std::string_view DecodeContext::operandName(size_t slot) const
{
    return slot < operandCount() ? state_.runAt(at_).operands[slot].operand.name : std::string_view();
}

bool DecodeContext::operandIsEmpty(size_t slot) const
{
    if (slot >= operandCount())
        return true;
    const Operand& o = state_.runAt(at_).operands[slot].operand;
    return !o.hasName && !o.hasText;
}

std::optional<NumberSlot> DecodeContext::numberAt(LineCursor line, size_t slot) const
{
    const LineRun& run = state_.runAt(line);
    if (slot >= run.operandCount)
        return std::nullopt;
    const Operand& o = run.operands[slot].operand;
    NumberSlot n;
    if (!o.hasName) {
        if (o.hasText)
            return std::nullopt;
        n.literal = true;
        n.literalBits = std::bit_cast<uint32_t>(o.number);
        return n;
    }
    VariableRecord* v = state_.variables.findVariable(o.name);
    if (!v || !v->isNumeric() || v->arrayKind != o.arrayKind || v->words.empty())
        return std::nullopt;
    n.literal = false;
    n.integer = v->type == kTypeInteger;
    if (v->arrayKind == kNotArray) {
        n.word = v->words.data();
        return n;
    }
    if (v->arrayKind != kArray1D)
        return std::nullopt;
    const int32_t limit = std::min(v->dim1, kLargestSubscript);
    if (!o.hasSub1Name) {
        // A literal subscript picks the same element every time; one out of range keeps its message.
        const float s = static_cast<float>(o.sub1Value);
        if (!(s >= 1.0f && s <= static_cast<float>(limit)))
            return std::nullopt;
        n.word = v->words.data() + (static_cast<int32_t>(s) - 1);
        return n;
    }
    const VariableRecord* subscript = numericScalar(state_.variables, o.sub1Name);
    if (!subscript)
        return std::nullopt;
    n.word = v->words.data();
    n.limit = limit;
    n.index = subscript->words.data();
    n.indexInteger = subscript->type == kTypeInteger;
    return n;
}

std::optional<uint32_t> DecodeContext::matchForward(uint32_t target1, uint32_t target2) const
{
    const BlockScan scan = scanToCodeAfter(state_.program.sections[at_.section].lines, at_.index, target1, target2);
    if (!scan.failure.empty())
        return std::nullopt;
    return scan.index;
}

uint32_t DecodeContext::typeAt(uint32_t index) const { return state_.program.sections[at_.section].lines[index].type; }

std::optional<LineCursor> DecodeContext::function(std::string_view name) const
{
    return findFunction(state_.program, name);
}

void decodeLines(RunState& state)
{
    for (uint32_t section = 0; section < kSectionCount; ++section) {
        std::vector<LineRun>& runs = state.lineRuns[section];
        // Only the lines that decode keep a decoded form, so a long program of drawing lines costs
        // no memory here.
        std::vector<DecodedLine>& decoded = state.decodedLines[section];
        decoded.clear();
        std::vector<uint32_t> decodedAt; // the line of each decoded form
        for (uint32_t i = 0; i < runs.size(); ++i) {
            const Decoder decoder = state.dispatch.decoderAt(runs[i].type);
            DecodedLine d;
            if (decoder && decoder(DecodeContext(state, {section, i}), d) && d.kind != DecodedLine::Kind::None) {
                decoded.push_back(d);
                decodedAt.push_back(i);
            }
        }
        linkBlockEnds(decoded, decodedAt);
        // The forms are in their places for the run once the vector has stopped growing.
        for (size_t k = 0; k < decoded.size(); ++k) {
            for (NumberSlot& n : decoded[k].slots)
                if (n.literal)
                    n.word = &n.literalBits;
            if (decoded[k].kind == DecodedLine::Kind::Let)
                chooseLetOp(decoded[k]);
            chooseTestOp(decoded[k]);
            if (decoded[k].kind == DecodedLine::Kind::Call && decoded[k].arguments == 1 &&
                !hasSubscriptVariable(decoded[k].slots[0]))
                decoded[k].op = DecodedOp::CallOne;
            runs[decodedAt[k]].decoded = &decoded[k];
        }
        for (size_t k = 0; k < decoded.size(); ++k)
            if (decodedAt[k] + 1 < runs.size())
                decoded[k].following = runs[decodedAt[k] + 1].decoded;
    }
    // A call may go to another section, so the bodies wait until every section has its forms.
    for (uint32_t section = 0; section < kSectionCount; ++section)
        for (DecodedLine& d : state.decodedLines[section]) {
            const bool loopEnd = d.op == DecodedOp::NextLinked || d.op == DecodedOp::NextByOne ||
                                 d.op == DecodedOp::EndWhileLinked || d.op == DecodedOp::EndWhileIntegers;
            const LineCursor opening = loopEnd ? LineCursor{section, d.jump} : d.function;
            if ((loopEnd || d.kind == DecodedLine::Kind::Call) &&
                opening.index + 1 < state.lineRuns[opening.section].size()) {
                const DecodedLine* body = state.lineRuns[opening.section][opening.index + 1].decoded;
                d.body = body ? body : &kUndecodedLine;
            }
        }
}

} // namespace qel
