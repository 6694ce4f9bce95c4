#include "examples/program_corpus.h"

#include "examples/editor_builder.h"
#include "instructions/catalogue.h"
#include "program/instruction_table.h"
#include "values/editor.h"

#include <random>
#include <span>
#include <string>
#include <vector>

namespace qel::examples {

namespace {

struct Candidate {
    std::string_view text;
    FieldForm form;
};

// What a user might type into a field, of every form and type; an editor takes those that fit.
constexpr Candidate kCandidates[] = {
    {"7", FieldForm::Literal},
    {"-2.5", FieldForm::Literal},
    {"\"Word\"", FieldForm::Literal},
    {"\"\"", FieldForm::Literal},
    {"\"caf\xE9 | \\ [x], (y)\"", FieldForm::Literal},
    {"N", FieldForm::Variable},
    {"Ratio", FieldForm::Variable},
    {"Name", FieldForm::Variable},
    {"Picture", FieldForm::Variable},
    {"Data", FieldForm::Variable},
    {"Nums(2)", FieldForm::Element},
    {"Nums(I)", FieldForm::Element},
    {"Grid(1,2)", FieldForm::Element},
    {"Words(N)", FieldForm::Element},
    {"Pictures(1)", FieldForm::Element},
    {"", FieldForm::Empty},
};

class CorpusBuilder : public EditorBuilder {
public:
    CorpusBuilder(Program& program, VariableTable& variables, MessageHost& host, CorpusCoverage& coverage)
        : EditorBuilder(program, variables, host), program_(program), coverage_(coverage)
    {}

    // Adds the line; true when the editor took it.
    bool taken(uint32_t type, const std::vector<std::string>& fields)
    {
        taken_ = true;
        add(type, fields);
        if (taken_)
            coverage_.types.insert(type);
        return taken_;
    }

    void declarations()
    {
        for (std::string_view name : {"X", "Y", "N", "I", "Score", "Width", "Height", "Length", "Choice"})
            taken(kDeclareVariable, variableFields("Integer", std::string(name), "0"));
        for (std::string_view name : {"Name", "Text", "Reply", "Time", "Date", "Line", "Path"})
            taken(kDeclareVariable, variableFields("String", std::string(name), "\"\""));
        taken(kDeclareVariable, variableFields("Floating Point", "Ratio", "0.5"));
        taken(kDeclareVariable, variableFields("Bitmap", "Picture"));
        taken(kDeclareVariable, variableFields("File", "Data"));
        taken(kDeclareVariable, arrayFields("Integer", "Nums", 10));
        taken(kDeclareVariable, arrayFields("String", "Words", 5));
        taken(kDeclareVariable, arrayFields("Integer", "Grid", 3, 3));
        taken(kDeclareVariable, arrayFields("Bitmap", "Pictures", 2));
        taken(kDeclareVariable, arrayFields("Floating Point", "Ratios", 4, 2));
    }

    void blankLine(uint32_t s) { program_.insertBlankAfter(s, static_cast<long>(program_.sections[s].lineCount())); }

protected:
    void refused(std::string) override { taken_ = false; }

private:
    Program& program_;
    CorpusCoverage& coverage_;
    bool taken_ = true;
};

// The choices a field offers besides typed text.
std::vector<std::string> choices(const FieldSpec& spec)
{
    switch (spec.kind) {
    case FieldKind::Check:
    case FieldKind::Radio: return {"1", ""};
    case FieldKind::List: return spec.items;
    default: return {};
    }
}

// One line of an instruction, its fields changed at random from its help example's.
void randomLine(const InstructionDescriptor& d, std::mt19937& random, CorpusBuilder& builder, CorpusCoverage& coverage)
{
    if (!d.editor) {
        builder.taken(d.type, {});
        return;
    }
    const std::vector<FieldSpec> specs = d.editor->fields();
    std::vector<std::string> sample(d.help.sample.begin(), d.help.sample.end());
    sample.resize(std::max(sample.size(), specs.size()));
    std::vector<std::string> values = sample;
    std::vector<int> forms(specs.size(), -1);
    for (size_t i = 0; i < specs.size(); ++i) {
        if (random() % 2)
            continue;
        if (const std::vector<std::string> items = choices(specs[i]); !items.empty()) {
            values[i] = items[random() % items.size()];
        } else {
            const Candidate& c = kCandidates[random() % std::size(kCandidates)];
            values[i] = c.text;
            forms[i] = static_cast<int>(c.form);
        }
    }
    if (builder.taken(d.type, values)) {
        for (int form : forms)
            if (form >= 0)
                ++coverage.forms[static_cast<size_t>(form)];
    } else {
        (void)builder.taken(d.type, sample);
    }
}

} // namespace

bool buildsLines(uint32_t type)
{
    const InstructionInfo* info = instructionInfo(type);
    return info && type != kBlank && type != kTraceOn && type != kTraceOff &&
           (editorFor(type) || !info->fixedText.empty());
}

void buildCorpusProgram(uint32_t index, Program& program, VariableTable& variables, MessageHost& host,
                        CorpusCoverage& coverage)
{
    std::mt19937 random(index);
    CorpusBuilder builder(program, variables, host, coverage);
    builder.declarations();
    std::vector<const InstructionDescriptor*> instructions;
    for (const InstructionDescriptor* d : allDescriptors())
        if (buildsLines(d->type))
            instructions.push_back(d);
    const uint32_t lines = 10 + random() % 30;
    for (uint32_t n = 0; n < lines; ++n) {
        const auto s = static_cast<uint32_t>(random() % kSectionCount);
        builder.section(s);
        if (random() % 20 == 0)
            builder.blankLine(s);
        else
            randomLine(*instructions[random() % instructions.size()], random, builder, coverage);
    }
}

} // namespace qel::examples
