#include "program_text/program_import.h"

#include "program/program_file.h"
#include "program_text/text_builder.h"
#include "values/variable_table.h"

namespace qel {

namespace {

using namespace text_form;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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
    TextBuilder importer(program, variables, host);
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
