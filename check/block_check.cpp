// Blocks as a run would match them. Each opening line is scanned forward exactly as the run skips
// its body (scanToCodeAfter), so a scan that would fail is a finding at that line; the closing lines
// are followed through the nesting a run in sequence builds, so one that would meet a frame of
// another kind, or none, is a finding at the closing line.

#include "check/check_texts.h"
#include "check/program_check.h"
#include "interpreter/block_scan.h"
#include "interpreter/call_stack.h"
#include "interpreter/function_blocks.h"
#include "messages/run_errors.h"

#include <algorithm>

namespace qel {

namespace {

uint32_t closerOf(uint32_t opener)
{
    switch (opener) {
    case kIf: return kEndIf;
    case kWhile: return kEndWhile;
    case kFor: return kNext;
    }
    return 0;
}

uint32_t openerOf(uint32_t closer)
{
    switch (closer) {
    case kEndIf: return kIf;
    case kEndWhile: return kWhile;
    case kNext: return kFor;
    }
    return 0;
}

class SectionBlocks {
public:
    SectionBlocks(uint32_t section, const std::vector<ProgramLine>& lines, std::vector<Finding>& out)
        : section_(section), lines_(lines), out_(out)
    {}

    void check()
    {
        for (uint32_t i = 0; i < lines_.size(); ++i)
            line(i, lines_[i].type);
        if (inFunction_)
            functionNotClosed();
    }

private:
    void add(uint32_t index, std::string message) { out_.emplace_back(section_, index, std::move(message)); }

    // The scan a run makes from this line when it skips what follows.
    void scan(uint32_t index, uint32_t target1, uint32_t target2)
    {
        const BlockScan found = scanToCodeAfter(lines_, index, target1, target2);
        if (!found.failure.empty())
            add(index, std::string(found.failure) + std::string(blockTargetName(target1)));
    }

    uint32_t top() const { return open_.empty() ? 0 : open_.back(); }

    void functionNotClosed()
    {
        out_.push_back(ownFinding(
            section_, functionLine_,
            {check_msg::kFunctionNotClosed, {std::string(declaredFunctionName(lines_[functionLine_].block))}}));
    }

    void line(uint32_t i, uint32_t type)
    {
        switch (type) {
        case kIf:
        case kWhile:
        case kFor:
            scan(i, closerOf(type), type == kIf ? kElse : closerOf(type));
            open_.push_back(type);
            break;
        case kElse:
            if (top() != kIf)
                add(i, mismatchText(kElse, top()));
            else
                scan(i, kEndIf, kEndIf);
            break;
        case kEndIf:
        case kEndWhile:
        case kNext: close(i, type); break;
        case kDeclareFunction:
            if (inFunction_)
                functionNotClosed();
            inFunction_ = true;
            functionLine_ = i;
            open_.clear();
            break;
        case kEndFunction:
            if (!inFunction_)
                add(i, mismatchText(kEndFunction, 0));
            inFunction_ = false;
            open_.clear();
            break;
        case kReturn:
            // Outside a function only the Initialise section's Return fails; elsewhere it ends the run
            // of the section.
            if (!inFunction_ && section_ == kInitialise)
                add(i, mismatchText(kReturn, 0));
            break;
        case kBreakOutOfLoop:
        case kContinue:
            if (std::none_of(open_.begin(), open_.end(), [](uint32_t t) { return t == kWhile || t == kFor; }))
                add(i, std::string(msg::kUnhandledLineType) + "(Break)");
            break;
        default: break;
        }
    }

    // A closing line pops its own kind; one that meets another kind is reported, and the nesting
    // goes back to its own opening line (if any) so that one mistake is not reported at every line.
    void close(uint32_t i, uint32_t type)
    {
        const uint32_t opener = openerOf(type);
        if (top() == opener) {
            open_.pop_back();
            return;
        }
        add(i, mismatchText(type, top()));
        const auto it = std::find(open_.rbegin(), open_.rend(), opener);
        if (it != open_.rend())
            open_.erase(std::prev(it.base()), open_.end());
    }

    uint32_t section_;
    const std::vector<ProgramLine>& lines_;
    std::vector<Finding>& out_;
    std::vector<uint32_t> open_; // the open If, While and For lines' types, innermost last
    bool inFunction_ = false;
    uint32_t functionLine_ = 0;
};

} // namespace

void checkBlocks(const Program& program, std::vector<Finding>& out)
{
    for (uint32_t s = 0; s < kSectionCount; ++s)
        SectionBlocks(s, program.sections[s].lines, out).check();
}

} // namespace qel
