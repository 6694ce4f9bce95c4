#include "program_text/program_export.h"

#include "instructions/catalogue.h"
#include "program/block_levels.h"
#include "program/instruction_table.h"
#include "program/program_file.h"
#include "program_text/display_reader.h"
#include "program_text/text_builder.h"
#include "values/variable_table.h"

#include <algorithm>

namespace qel {

namespace {

using namespace text_form;

// The messages of the lines built again while writing go nowhere.
class Unshown : public MessageHost {
public:
    Button showMessage(std::string_view, Icon, Buttons buttons) override { return defaultButton(buttons); }
};

// Writes the lines and builds them again as the reader will, so that each line is written in the
// compact form only where reading it back, in the program the reader has built up to it, builds
// the line its full form builds. Once a line cannot be built again, every later line is written in
// full.
class Writer {
public:
    Writer() : builder_(program_, variables_, host_) {}

    void section(uint32_t s) { building_ = building_ && builder_.section(s).ok(); }

    void line(const ProgramLine& line, int level, std::string* out)
    {
        const InstructionInfo* info = instructionInfo(line.type);
        if (line.type == kBlank || !info) {
            if (out)
                *out += '\n';
            building_ = building_ && builder_.store({kBlank, {}, ParamBlock()}).ok();
            return;
        }
        const InstructionEditor* editor = editorFor(line.type);
        if (!info->fixedText.empty() || !editor) {
            if (out) {
                indent(level, *out);
                *out += info->fixedText.empty() ? utf8OfLatin1(line.text) + ' ' + suffix(info->keyword, {})
                                                : std::string(info->fixedText);
                *out += '\n';
            }
            building_ = building_ && !info->fixedText.empty() &&
                        builder_.store({info->code, std::string(info->fixedText), ParamBlock()}).ok();
            return;
        }
        const std::vector<std::string> values = editor->decode(line);
        if (out) {
            indent(level, *out);
            *out += utf8OfLatin1(line.text);
            *out += ' ';
            const std::optional<std::string> compact =
                building_ ? compactForm(*editor, line.text, values) : std::nullopt;
            *out += compact ? *compact : suffix(info->keyword, values);
            *out += '\n';
        }
        building_ = building_ && builder_.instruction(*editor, values).ok();
    }

private:
    static void indent(int level, std::string& out)
    {
        for (int i = 0; i <= level; ++i)
            out += kIndent;
    }

    // The compact suffix that reads back as `values`, naming as few fields as it can.
    std::optional<std::string> compactForm(const InstructionEditor& editor, const std::string& display,
                                           const std::vector<std::string>& values)
    {
        const std::vector<FieldSpec> fields = editor.fields();
        if (values.size() > fields.size())
            return std::nullopt;
        // What the full form builds, which the compact form must build too.
        EditContext context = builder_.context();
        const EditOutcome full = editor.accept(values, context);
        if (!full.ok())
            return std::nullopt;
        // Named first only the check boxes and radio buttons that are set (a list the text does not
        // show is then its first item); then also the lists and values the text does not show; then
        // the empty fields before a shown one; then every list.
        std::vector<bool> before;
        for (int tries = 0; tries < 4; ++tries) {
            const auto hidden = [&](size_t f) { return tries > 0 && display.find(values[f]) == std::string::npos; };
            std::vector<bool> named(values.size(), false);
            for (size_t f = 0; f < values.size(); ++f) {
                const bool typed = isTypedField(fields[f].kind);
                const bool list = fields[f].kind == FieldKind::List;
                named[f] = (!typed && !list && !values[f].empty()) || (list && (tries > 2 || hidden(f))) ||
                           (typed && hidden(f));
            }
            bool laterShown = false;
            for (size_t f = values.size(); f-- > 0 && tries > 1;) {
                if (!isTypedField(fields[f].kind) && fields[f].kind != FieldKind::List)
                    continue;
                if (values[f].empty())
                    named[f] = named[f] || laterShown;
                else
                    laterShown = laterShown || !named[f];
            }
            if (named == before)
                continue; // read already
            before = named;
            std::vector<std::pair<size_t, std::string>> listed;
            for (size_t f = 0; f < values.size(); ++f) {
                if (named[f])
                    listed.emplace_back(f, values[f]);
            }
            const std::string written = compactSuffix(instructionInfo(editor.type())->keyword, listed, editor);
            // Read back as the reader will, from the line as written (its display text trimmed).
            const std::string line = utf8OfLatin1(display) + ' ' + written;
            const Result<TextLine> parts = splitLine(line);
            if (!parts)
                return std::nullopt;
            const Result<std::vector<std::string>> read = builder_.compactValues(editor, parts.value());
            if (!read)
                continue;
            const EditOutcome back = editor.accept(read.value(), context);
            if (back.ok() && back.line.text == full.line.text && back.line.block == full.line.block)
                return written;
        }
        return std::nullopt;
    }

    Program program_;
    VariableTable variables_;
    Unshown host_;
    TextBuilder builder_;
    bool building_ = true;
};

bool holdsAutoRun(const Program& program)
{
    return std::ranges::any_of(program.sections, [](const Section& s) {
        return std::ranges::any_of(s.lines, [](const ProgramLine& l) { return l.type == kAutoRun; });
    });
}

} // namespace

std::string exportLines(const Program& program, uint32_t section, size_t first, size_t last)
{
    std::string out(sectionName(section));
    out += '\n';
    // The lines before them are built again too: a line is read in the program above it.
    Writer writer;
    for (uint32_t s = 0; s <= section; ++s) {
        writer.section(s);
        const Section& lines = program.sections[s];
        const std::vector<int> levels = blockLevels(lines);
        for (size_t i = 0; i < lines.lines.size() && (s < section || i <= last); ++i)
            writer.line(lines.lines[i], levels[i], s == section && i >= first ? &out : nullptr);
    }
    return out;
}

std::string exportProgram(const Program& program)
{
    std::string out(kCurrentVersion);
    out += holdsAutoRun(program) ? kAutoRunYes : kAutoRunNo;
    out += '\n';
    Writer writer;
    for (uint32_t s = 0; s < kSectionCount; ++s) {
        out += sectionName(s);
        out += '\n';
        writer.section(s);
        const Section& lines = program.sections[s];
        const std::vector<int> levels = blockLevels(lines);
        for (size_t i = 0; i < lines.lines.size(); ++i)
            writer.line(lines.lines[i], levels[i], &out);
    }
    return out;
}

} // namespace qel
