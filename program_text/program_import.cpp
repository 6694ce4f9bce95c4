#include "program_text/program_import.h"

#include "instructions/catalogue.h"
#include "program/instruction_table.h"
#include "program/keyword_table.h"
#include "program/program_file.h"
#include "program_text/text_form.h"
#include "values/editor.h"
#include "values/variable_table.h"

#include <optional>

namespace qel {

namespace {

using namespace text_form;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

class Importer {
public:
    Importer(Program& program, VariableTable& variables, MessageHost& host)
        : program_(program), variables_(variables), host_(host)
    {}

    Status line(std::string_view text)
    {
        const TextLine parts = TRY(splitLine(text));
        if (parts.hasSuffix)
            return instructionLine(parts);
        if (const std::optional<uint32_t> s = sectionNamed(parts.display)) {
            if (section_ && *s <= *section_)
                return Failure(std::string(kSectionOrder) + std::string(parts.display));
            section_ = *s;
            first_ = true;
            return success();
        }
        if (parts.display.empty())
            return store({kBlank, {}, ParamBlock()});
        if (const InstructionInfo* info = fixedTextLine(parts.display))
            return store({info->code, std::string(info->fixedText), ParamBlock()});
        return Failure(std::string(kNotALine) + std::string(parts.display));
    }

    size_t autoRunLines = 0;

private:
    Status instructionLine(const TextLine& parts)
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
        const size_t count = fieldShape(*editor).count;
        if (parts.fields.size() > count)
            return Failure(std::string(kTooManyFields) + std::string(info.keyword) + " has " + std::to_string(count));
        std::vector<std::string> values(count);
        if (parts.fields.empty() && fieldShape(*editor).textIsTheField)
            values[0] = TRY(latin1OfUtf8(parts.display));
        for (size_t i = 0; i < parts.fields.size(); ++i)
            values[i] = TRY(latin1OfUtf8(parts.fields[i]));
        for (const std::string& value : values) {
            // A block's texts end at their NUL, and a line's text holds no line break.
            if (value.find_first_of(std::string_view("\0\r", 2)) != std::string::npos)
                return Failure(std::string(kNulOrLineBreakInField));
        }
        TRY(place());
        EditContext context{program_, variables_, nullptr};
        EditOutcome outcome = editor->accept(values, context);
        if (outcome.error)
            return Failure(std::move(outcome.error->message));
        return stored(editor->store(outcome.line, context, host_), info.code);
    }

    Status store(const EditedLine& line)
    {
        TRY(place());
        if (line.type == kTraceOn || line.type == kTraceOff) {
            host_.showMessage(kTraceIgnoredMessage, Icon::Information); // as the file reader drops them
            return success();
        }
        return stored(storeThroughEditBuffer(program_, line, host_), line.type);
    }

    // Where the next line goes: over the section's first line, then after the last.
    Status place()
    {
        if (!section_)
            return Failure(std::string(kLineBeforeSection));
        program_.edit.section = *section_;
        program_.edit.target = first_ ? 0 : -1;
        return success();
    }

    Status stored(bool ok, uint32_t type)
    {
        if (!ok)
            return Failure(std::string(kNotStored));
        first_ = false;
        autoRunLines += type == kAutoRun;
        return success();
    }

    Program& program_;
    VariableTable& variables_;
    MessageHost& host_;
    std::optional<uint32_t> section_;
    bool first_ = false;
};

Failure atLine(size_t number, const std::string& message)
{
    return Failure("line " + std::to_string(number) + ": " + message);
}

} // namespace

Status importProgram(std::string_view text, Program& program, VariableTable& variables, MessageHost& host)
{
    program.newProgram();
    variables.clearAllVariables();
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    size_t end = text.find('\n');
    std::string_view header = text.substr(0, end);
    if (header.ends_with('\r'))
        header.remove_suffix(1);
    bool autoRun = false;
    if (header == std::string(kCurrentVersion) + std::string(kAutoRunYes))
        autoRun = true;
    else if (header != std::string(kCurrentVersion) + std::string(kAutoRunNo))
        return atLine(1, std::string(kBadHeader));
    Importer importer(program, variables, host);
    size_t number = 1;
    while (end != std::string_view::npos) {
        const size_t start = end + 1;
        end = text.find('\n', start);
        ++number;
        const std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
        if (end == std::string_view::npos && line.empty())
            break; // the text's last line break
        if (Status s = importer.line(line); !s)
            return atLine(number, s.failureText());
    }
    if (autoRun != (importer.autoRunLines > 0))
        return atLine(1, std::string(kAutoRunMismatch));
    return success();
}

} // namespace qel
