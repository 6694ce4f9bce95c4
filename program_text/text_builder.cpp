#include "program_text/text_builder.h"

#include "instructions/catalogue.h"
#include "program/instruction_table.h"
#include "program/keyword_table.h"
#include "program/program_file.h"
#include "program_text/display_reader.h"

namespace qel {

using namespace text_form;

namespace {

std::optional<uint32_t> sectionNamed(std::string_view name)
{
    for (uint32_t s = 0; s < kSectionCount; ++s)
        if (sectionName(s) == name)
            return s;
    return std::nullopt;
}

const InstructionInfo* fixedTextLine(std::string_view text)
{
    for (const InstructionInfo& info : allInstructions())
        if (!info.fixedText.empty() && info.fixedText == text)
            return &info;
    return nullptr;
}

Status checkValues(const std::vector<std::string>& values)
{
    for (const std::string& value : values) {
        // A block's texts end at their NUL, and a line's text holds no line break.
        if (value.find_first_of(std::string_view("\0\r", 2)) != std::string::npos)
            return Failure(std::string(kNulOrLineBreakInField));
    }
    return success();
}

} // namespace

Status TextBuilder::line(std::string_view text)
{
    const TextLine parts = TRY(splitLine(text));
    if (parts.hasSuffix)
        return instructionLine(parts);
    if (const std::optional<uint32_t> s = sectionNamed(parts.display))
        return section(*s);
    if (parts.display.empty())
        return store({kBlank, {}, ParamBlock()});
    if (const InstructionInfo* info = fixedTextLine(parts.display))
        return store({info->code, std::string(info->fixedText), ParamBlock()});
    return Failure(std::string(kNotALine) + std::string(parts.display));
}

Status TextBuilder::section(uint32_t s)
{
    if (section_ && s <= *section_)
        return Failure(std::string(kSectionOrder) + std::string(sectionName(s)));
    section_ = s;
    first_ = true;
    return success();
}

Status TextBuilder::instructionLine(const TextLine& parts)
{
    const std::optional<uint32_t> type = keywordTable().lookupKeyword(parts.keyword);
    if (!type)
        return Failure(std::string(kNoSuchKeyword) + std::string(parts.keyword));
    const InstructionInfo& info = *instructionInfo(*type);
    if (!info.fixedText.empty() && parts.fields.empty())
        return store({info.code, std::string(info.fixedText), ParamBlock()});
    const InstructionEditor* editor = editorFor(*type);
    if (!editor)
        return Failure(std::string(kNoEditor) + std::string(parts.keyword));
    if (parts.compact)
        return instruction(*editor, TRY(compactValues(*editor, parts)));
    const size_t count = fieldNames(*editor).size();
    if (parts.fields.size() > count)
        return Failure(std::string(kTooManyFields) + std::string(info.keyword) + " has " + std::to_string(count));
    std::vector<std::string> values(count);
    for (size_t i = 0; i < parts.fields.size(); ++i)
        values[i] = TRY(latin1OfUtf8(parts.fields[i]));
    return instruction(*editor, values);
}

Result<std::vector<std::string>> TextBuilder::compactValues(const InstructionEditor& editor, const TextLine& parts)
{
    TRY(place()); // some editors look at where the line goes
    std::vector<std::optional<std::string>> given(fieldNames(editor).size());
    for (size_t i = 0; i < parts.fields.size(); ++i) {
        const std::optional<size_t> field = fieldNamed(editor, parts.names[i]);
        if (!field)
            return Failure(std::string(kNoSuchField) + std::string(parts.names[i]));
        given[*field] = TRY(latin1OfUtf8(parts.fields[i]));
    }
    const std::string display = TRY(latin1OfUtf8(parts.display));
    TRY(checkValues({display}));
    for (const std::optional<std::string>& value : given)
        if (value)
            TRY(checkValues({*value}));
    EditContext context = this->context();
    return readDisplay(editor, display, given, context);
}

Status TextBuilder::instruction(const InstructionEditor& editor, const std::vector<std::string>& values)
{
    TRY(checkValues(values));
    TRY(place());
    EditContext context = this->context();
    EditOutcome outcome = editor.accept(values, context);
    if (outcome.error)
        return Failure(noticeText(outcome.error->message));
    return stored(editor.store(outcome.line, context, host_), editor.type());
}

Status TextBuilder::store(const EditedLine& line)
{
    TRY(place());
    if (line.type == kTraceOn || line.type == kTraceOff) {
        host_.showMessage(kTraceIgnoredMessage, Icon::Information); // as the file reader drops them
        return success();
    }
    return stored(storeThroughEditBuffer(program_, line, host_), line.type);
}

// Where the next line goes: over the section's first line, then after the last.
Status TextBuilder::place()
{
    if (!section_)
        return Failure(std::string(kLineBeforeSection));
    program_.edit.section = *section_;
    program_.edit.target = first_ ? 0 : -1;
    return success();
}

Status TextBuilder::stored(bool ok, uint32_t type)
{
    if (!ok)
        return Failure(std::string(kNotStored));
    first_ = false;
    autoRunLines += type == kAutoRun;
    return success();
}

} // namespace qel
