// Blocks: nothing is matched when a program is edited; a block is matched while it runs, through
// the section's CallStack and a forward scan for the line that closes a block whose body is skipped.

#include "interpreter/block_scan.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"

#include <string>

namespace qel {

std::string_view blockTargetName(uint32_t type)
{
    switch (type) {
    case kEndIf: return "EndIf";
    case kEndWhile: return "EndWhile";
    case kNext: return "Next";
    case kElse: return "Else";
    }
    return "";
}

namespace {

std::string_view foundPhrase(uint32_t type)
{
    switch (type) {
    case kEndIf: return "an EndIf";
    case kEndWhile: return "an EndWhile";
    case kNext: return "a Next";
    case kReturn: return "a Return";
    case kEndFunction: return "an EndFunction";
    case kElse: return "an Else";
    }
    return "nothing";
}

std::string_view framePhrase(uint32_t kind)
{
    switch (kind) {
    case kCallFrame: return "a Call";
    case kIf: return "an If.";
    case kFor: return "a For.";
    case kWhile: return "a While";
    }
    return "nothing";
}

} // namespace

std::string mismatchText(uint32_t found, uint32_t opened)
{
    return "Found " + std::string(foundPhrase(found)) + " matched to " + std::string(framePhrase(opened));
}

BlockScan scanToCodeAfter(const std::vector<ProgramLine>& lines, uint32_t from, uint32_t target1, uint32_t target2)
{
    int ifDepth = 0, whileDepth = 0, forDepth = 0, total = 0;
    uint32_t index = from;
    while (index + 1 < lines.size()) {
        ++index;
        const uint32_t type = lines[index].type;
        if ((type == target1 || type == target2) && total == 0) {
            if (forDepth != 0)
                return {index, type, "For - Next loop split."};
            if (whileDepth != 0)
                return {index, type, "While - EndWhile loop split."};
            if (ifDepth != 0)
                return {index, type, "If - EndIf split."};
            return {index, type};
        }
        switch (type) {
        case kIf: ++ifDepth, ++total; break;
        case kEndIf: --ifDepth, --total; break;
        case kWhile: ++whileDepth, ++total; break;
        case kEndWhile: --whileDepth, --total; break;
        case kFor: ++forDepth, ++total; break;
        case kNext: --forDepth, --total; break;
        case kDeclareFunction: return {index, type, "Found a Function before matching "};
        case kEndFunction: return {index, type, "Found an End Function before matching "};
        default: break;
        }
    }
    return {index, 0, "Could not find matching "};
}

Result<uint32_t> LineContext::skipToCodeAfter(uint32_t target1, uint32_t target2)
{
    LineCursor& cur = cursor();
    const BlockScan scan = scanToCodeAfter(state_.program.sections[cur.section].lines, cur.index, target1, target2);
    // The scan moves the current line as it goes, so a failure stops the run where the scan stopped.
    cur.index = scan.index;
    if (!scan.failure.empty())
        return runError(scan.failure, blockTargetName(target1));
    return scan.type;
}

Failure LineContext::mismatch(uint32_t found, uint32_t opened) { return runError(mismatchText(found, opened)); }

Status LineContext::pushFrame(const StackFrame& frame)
{
    if (stack().push(frame))
        return success();
    return runError(msg::kStackOverflow);
}

} // namespace qel
