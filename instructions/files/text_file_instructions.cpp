// The handlers of the text-file instructions. A File variable holds a handle into the run's table of
// open files (0: none); every end of the run closes what is still open.

#include "instructions/files/text_file_instructions.h"

#include "instructions/files/text_file_open.h"
#include "interpreter/file_names.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"
#include "values/editor_fields.h"
#include "values/evaluate.h"
#include "values/variable_table.h"

#include <array>
#include <charconv>

namespace qel {

using namespace text_file_block;

namespace {

// The checks every instruction makes on its File operand, in order, then the handle it holds.
Result<uint32_t> fileHandle(EvalContext& ctx, CachedOperand& op)
{
    const int kind = operandKind(ctx, op);
    if (kind == kKindUndeclared)
        return runError(msg::kUndeclaredReference, op.operand.name);
    if (kind != kTypeFile)
        return runError(text_file_msg::kNotFile, op.operand.name);
    Result<uint32_t> handle = evalFile(ctx, op);
    if (!handle)
        return runError(text_file_msg::kCannotEvaluateFile, op.operand.name);
    return *handle;
}

// The open file of the File operand, or "No file is open for this variable - ". A handle that names
// no open file (stale or damaged) counts as none.
Result<TextFile*> openFile(LineContext& line, CachedOperand& op)
{
    const uint32_t handle = TRY(fileHandle(line.eval(), op));
    TextFile* file = line.files().get(handle);
    if (!file)
        return runError(text_file_msg::kNoFileOpen, op.operand.name);
    return file;
}

} // namespace

LineResult executeTextFileOpen(LineContext& line)
{
    using namespace text_file_open;
    EvalContext& ctx = line.eval();
    auto ops = line.operands();
    CachedOperand& variable = ops[slotIndex(kFileVariable)];
    CachedOperand& name = ops[slotIndex(kFileName)];
    if (line.files().get(TRY(fileHandle(ctx, variable))))
        return runError(text_file_msg::kAlreadyOpen, variable.operand.name);
    if (!name.operand.isStringLiteral() && operandKind(ctx, name) != kTypeString)
        return runError(text_file_msg::kNameNotString, name.operand.name);
    const Result<std::string_view> text = evalString(ctx, name);
    if (!text)
        return runError(text_file_msg::kNameNotString, name.operand.name);
    if (text->empty())
        return runError(text_file_msg::kEmptyName, name.operand.name);
    const bool reading = line.block().u32(kForReading) == 1;
    if (ctx.memory.available() < TextFile::kBufferSize)
        return runError(msg::kOutOfMemory);
    std::unique_ptr<TextFile> file =
        TextFile::open(line.resolvePath(*text), reading ? TextFile::Mode::Read : TextFile::Mode::Write, &ctx.memory);
    if (!file)
        return runError(text_file_msg::kUnableToOpen);
    const uint32_t handle = line.files().add(std::move(file));
    if (handle == 0)
        return runError(text_file_msg::kUnableToOpen);
    if (Status stored = storeWord(ctx, handle, variable); !stored) {
        (void)line.files().close(handle);
        return std::move(stored).failure();
    }
    return Flow::Next;
}

namespace {

// The String variable a read goes into: declared and of type String.
Result<VariableRecord*> readTarget(EvalContext& ctx, CachedOperand& op)
{
    VariableRecord* v = nullptr;
    const int kind = operandKind(ctx, op, &v);
    if (kind == kKindUndeclared)
        return runError(text_file_msg::kStringUndeclared, op.operand.name);
    if (kind != kTypeString || !v)
        return runError(msg::kExpectingStringFoundVariable, op.operand.name);
    return v;
}

// Stores the line's fields (split at commas outside double quotes, each kept as it stands) into
// elements 1, 2, ... of the array; a field beyond its last element fails with the earlier ones
// stored. The number of fields.
Result<size_t> storeFields(EvalContext& ctx, VariableRecord& array, std::string_view name, std::string_view text)
{
    size_t count = 0;
    size_t start = 0;
    bool quoted = false;
    for (size_t i = 0;; ++i) {
        if (i < text.size() && (text[i] != ',' || quoted)) {
            quoted ^= text[i] == '"';
            continue;
        }
        if (count >= array.texts.size())
            return runError(msg::kSubscript1OutOfRange, name);
        TRY(storeTextAt(ctx, array, count, text.substr(start, i - start)));
        ++count;
        start = i + 1;
        if (i >= text.size())
            return count;
    }
}

// Stores a line read into the String variable, or its fields into the array.
LineResult storeLineRead(LineContext& line, std::string_view text)
{
    EvalContext& ctx = line.eval();
    auto ops = line.operands();
    CachedOperand& target = ops[slotIndex(kString)];
    VariableRecord* variable = TRY(readTarget(ctx, target));
    if (line.block().u8(kSplit) != 1) {
        TRY(storeText(ctx, text, {}, {}, target));
        return Flow::Next;
    }
    if (variable->arrayKind != kArray1D)
        return runError(text_file_msg::kNotOneDimension, target.operand.name);
    CachedOperand& count = ops[slotIndex(kCount)];
    VariableRecord* counter = nullptr;
    const int countKind = operandKind(ctx, count, &counter);
    if (countKind == kKindUndeclared)
        return runError(msg::kUndeclaredReference, count.operand.name);
    if (!counter || !counter->isNumeric())
        return runError(msg::kExpectingNumericFoundVariable, count.operand.name);
    const size_t stored = TRY(storeFields(ctx, *variable, target.operand.name, text));
    TRY(storeNumber(ctx, static_cast<float>(stored), count));
    return Flow::Next;
}

} // namespace

LineResult executeTextFileRead(LineContext& line)
{
    TextFile* file = TRY(openFile(line, line.operands()[slotIndex(kFile)]));
    std::string_view text;
    switch (file->readLine(text)) {
    case TextFile::ReadResult::End: return Flow::Next; // the end of a file is not an error
    case TextFile::ReadResult::Error: return runError(text_file_msg::kErrorReading);
    case TextFile::ReadResult::OutOfMemory: return runError(msg::kOutOfMemory);
    case TextFile::ReadResult::Line: break;
    }
    const LineResult result = storeLineRead(line, text);
    file->releaseLine(); // a long line's buffer goes back once its text is stored
    return result;
}

namespace {

// The text TextFileWrite writes for its value: a String as it stands, an Integer in decimal digits,
// a Floating Point number as numbers are shown, a constant as it was typed.
Result<std::string_view> writtenValue(EvalContext& ctx, CachedOperand& op, std::array<char, 16>& digits)
{
    if (op.operand.isStringLiteral())
        return std::string_view(op.operand.text);
    if (op.operand.isNumberLiteral()) {
        ctx.scratch = operandFieldText(op.operand);
        return std::string_view(ctx.scratch);
    }
    VariableRecord* v = nullptr;
    const int kind = operandKind(ctx, op, &v);
    if (kind == kKindUndeclared || !v)
        return runError(msg::kUndeclaredReference, op.operand.name);
    if (v->type == kTypeString) {
        Result<std::string_view> text = evalString(ctx, op);
        if (!text)
            return runError(msg::kUnableToEvaluateString, op.operand.name);
        return *text;
    }
    if (!v->isNumeric())
        return runError(msg::kExpectingNumericOrString, op.operand.name);
    const Result<float> number = evalNumber(ctx, op);
    if (!number)
        return runError(text_file_msg::kUnableToEvaluateNumber, op.operand.name);
    if (v->type == kTypeFloat)
        return ctx.formatNumber(*number);
    // An Integer's own digits: through a float, 16777217 would be written as 16777216.
    const Result<size_t> element = resolveElement(ctx, op, *v);
    if (!element)
        return runError(text_file_msg::kUnableToEvaluateNumber, op.operand.name);
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), v->integerAt(*element));
    return std::string_view(digits.data(), static_cast<size_t>(written.ptr - digits.data()));
}

} // namespace

LineResult executeTextFileWrite(LineContext& line)
{
    EvalContext& ctx = line.eval();
    auto ops = line.operands();
    TextFile* file = TRY(openFile(line, ops[slotIndex(kFile)]));
    std::array<char, 16> digits{};
    const std::string_view value = TRY(writtenValue(ctx, ops[slotIndex(kValue)], digits));
    const uint32_t flags = line.block().u32(kFlags);
    const bool quoted = (flags & kQuotesFlag) != 0;
    const size_t size =
        value.size() + (quoted ? 2 : 0) + ((flags & kCommaFlag) ? 1 : 0) + ((flags & kNewLineFlag) ? 2 : 0);
    if (!line.output().take(size))
        return runError(msg::kOutputLimitReached);
    const bool written = (!quoted || file->write("\"")) && file->write(value) && (!quoted || file->write("\"")) &&
                         (!(flags & kCommaFlag) || file->write(",")) &&
                         (!(flags & kNewLineFlag) || file->write("\r\n"));
    if (!written)
        return line.windowsCallFailed(msg::kCantWriteToFile);
    return Flow::Next;
}

LineResult executeTextFileClose(LineContext& line)
{
    CachedOperand& variable = line.operands()[slotIndex(kFile)];
    const uint32_t handle = TRY(fileHandle(line.eval(), variable));
    if (!line.files().get(handle))
        return runError(text_file_msg::kNoFileOpen, variable.operand.name);
    const bool stored = line.files().close(handle);
    TRY(storeWord(line.eval(), 0, variable));
    if (!stored)
        return line.windowsCallFailed(msg::kCantWriteToFile);
    return Flow::Next;
}

} // namespace qel
