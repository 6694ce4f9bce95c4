// A program written as text and built back from it through the editors is the same file, byte for
// byte: the examples, the same with every display text changed, and a generated corpus of every
// instruction and field form. A line that cannot be built is reported with its number.

#include "document/program_document.h"
#include "examples/editor_builder.h"
#include "examples/example_programs.h"
#include "examples/program_corpus.h"
#include "instructions/catalogue.h"
#include "program/instruction_table.h"
#include "program/program_file.h"
#include "program_text/program_export.h"
#include "program_text/program_import.h"
#include "program_text/text_form.h"

#include <gtest/gtest.h>

#include <regex>

using namespace qel;
using namespace qel::examples;
namespace tf = qel::text_form;

namespace {

// The file bytes of the program the text describes, or the import's failure.
std::variant<std::vector<uint8_t>, std::string> imported(std::string_view text)
{
    Program program;
    VariableTable variables;
    KeptMessages host;
    if (Status built = importProgram(text, program, variables, host); !built)
        return built.failureText();
    return storeProgram(program).value();
}

void expectRoundTrip(const Program& program, const std::string& what)
{
    const std::vector<uint8_t> original = storeProgram(program).value();
    const std::string text = exportProgram(program);
    const auto back = imported(text);
    ASSERT_TRUE(std::holds_alternative<std::vector<uint8_t>>(back))
        << what << ": " << std::get<std::string>(back) << "\n"
        << text;
    EXPECT_TRUE(std::get<std::vector<uint8_t>>(back) == original) << what << "\n" << text;
}

TEST(ProgramText, ExamplesComeBackByteForByteWhateverTheirDisplayTexts)
{
    for (std::string_view name : kExampleNames) {
        const BuiltExample example = buildExample(name);
        Program program;
        VariableTable variables;
        KeptMessages host;
        ASSERT_EQ(openProgram(program, variables, example.programFile, host).status, ReadStatus::Ok);
        expectRoundTrip(program, std::string(name));
        // Display texts the editors do not make are written in full and made anew (where the
        // fields do not depend on the text).
        for (Section& section : program.sections) {
            for (ProgramLine& line : section.lines) {
                const InstructionEditor* editor = editorFor(line.type);
                ProgramLine other = line;
                other.text = "Changed text";
                if (editor && line.type != kComment && editor->decode(other) == editor->decode(line))
                    line = other;
            }
        }
        const std::string changed = exportProgram(program);
        ASSERT_FALSE(std::regex_search(changed, std::regex("Changed text[^\n]*\xE2\x89\x94"))) << changed;
        const auto back = imported(changed);
        ASSERT_TRUE(std::holds_alternative<std::vector<uint8_t>>(back)) << std::get<std::string>(back);
        EXPECT_TRUE(std::get<std::vector<uint8_t>>(back) == example.programFile) << name;
    }
}

// A compact line is read from its display text, an edited one too; the hard readings: separators in
// a string, empty fields, lists, check boxes, array elements.
TEST(ProgramText, ACompactLineIsReadFromItsDisplayText)
{
    const std::string head =
        "QEL 1.25 autorun=no\nInitialise\n"
        "    DeclareVariables Integer N=0 ⟦DeclareVariable‖Dimensions≔Not an Array⟧\n"
        "    DeclareVariables String S=\"\" ⟦DeclareVariable‖Variable Type≔String‖Dimensions≔Not an Array⟧\n"
        "    DeclareVariables File F ⟦DeclareVariable‖Variable Type≔File‖Dimensions≔Not an Array⟧\n"
        "    DeclareVariables Integer A(3) ⟦DeclareVariable‖Dimensions≔1D Array⟧\n";
    struct Row {
        std::string line;
        std::string built; // the line's display text, or the failure
    };
    const Row rows[] = {
        {"Let N = 2 ⟦Let⟧", "Let N = 2"},
        {"Let A(N) = A(1)+N ⟦Let⟧", "Let A(N) = A(1)+N"},
        {"InputBox \"a, b = c\", S ⟦InputBox⟧", "InputBox \"a, b = c\", S"},
        {"InputBox \", \", S ⟦InputBox⟧", "InputBox \", \", S"},
        {"If N Less Than 5 Then ⟦If⟧", "If N Less Than 5 Then"},
        {"While A(2) Equal N ⟦While⟧", "While A(2) Equal N"},
        {"TextFileRead F, S ⟦TextFileRead⟧", "TextFileRead F, S"},
        {"TextFileRead F, A, Parsed, N ⟦TextFileRead‖Split Line On Commas≔1⟧", "TextFileRead F, A, Parsed, N"},
        {"Return ⟦Return⟧", "Return"},
        {"DrawLine 1,2,3,4,1,\"Blue\",Absolute ⟦DrawLine‖7≔1⟧", "DrawLine 1,2,3,4,1,\"Blue\",Absolute"},
        {"Let N == 2 ⟦Let⟧", "line 7: " + std::string(tf::kDisplayNotRead) + "Let N == 2"},
        {"x ⟦Let‖Nope≔1⟧", "line 7: " + std::string(tf::kNoSuchField) + "Nope"},
        {"x ⟦Let‖Function≔‖N⟧", "line 7: " + std::string(tf::kUnnamedField) + "N"},
    };
    for (const Row& row : rows) {
        Program program;
        VariableTable variables;
        KeptMessages host;
        const Status built = importProgram(head + "    " + row.line + "\n", program, variables, host);
        EXPECT_EQ(built ? program.sections[kInitialise].lines.back().text : built.failureText(), row.built) << row.line;
    }
}

TEST(ProgramText, AThousandGeneratedProgramsComeBackByteForByte)
{
    CorpusCoverage coverage;
    for (uint32_t index = 0; index < 1000; ++index) {
        Program program;
        VariableTable variables;
        KeptMessages host;
        buildCorpusProgram(index, program, variables, host, coverage);
        expectRoundTrip(program, "program " + std::to_string(index));
        if (HasFailure())
            return;
    }
    for (const InstructionDescriptor* d : allDescriptors()) {
        if (buildsLines(d->type)) {
            EXPECT_TRUE(coverage.types.contains(d->type)) << "never built: " << d->type;
        }
    }
    for (size_t form = 0; form < kFieldFormCount; ++form)
        EXPECT_GT(coverage.forms[form], 100u) << "field form " << form;
}

TEST(ProgramText, ALineThatCannotBeBuiltIsReportedWithItsNumber)
{
    const std::string head = "QEL 1.25 autorun=no\nInitialise\n";
    const std::string declared = head + "    ⟦DeclareVariable‖Integer‖Not an Array‖‖‖N‖0⟧\n";
    struct Row {
        std::string text;
        std::string message;
    };
    const Row rows[] = {
        {"", "line 1: " + std::string(tf::kBadHeader)},
        {"QEL 1.24 autorun=no\n", "line 1: " + std::string(tf::kBadHeader)},
        {"QEL 1.25 autorun=yes\nInitialise\n", "line 1: " + std::string(tf::kAutoRunMismatch)},
        {"QEL 1.25 autorun=no\n    EndIf\n", "line 2: " + std::string(tf::kLineBeforeSection)},
        {"QEL 1.25 autorun=no\nPaint\nInitialise\n", "line 3: " + std::string(tf::kSectionOrder) + "Initialise"},
        {head + "    Hello\n", "line 3: " + std::string(tf::kNotALine) + "Hello"},
        {head + "    x ⟦Comment‖a\n", "line 3: " + std::string(tf::kUnclosedSuffix)},
        {head + "    x ⟦Frobnicate‖1⟧\n", "line 3: " + std::string(tf::kNoSuchKeyword) + "Frobnicate"},
        {head + "    x ⟦TextFileClose‖Data‖1⟧\n", "line 3: " + std::string(tf::kTooManyFields) + "TextFileClose has 1"},
        {head + "    x ⟦Comment‖\xFF⟧\n", "line 3: " + std::string(tf::kNotUtf8)},
        {head + "    x ⟦Comment‖€⟧\n", "line 3: " + std::string(tf::kBeyondLatin1) + "U+20AC"},
        {head + "    x ⟦MessageBox‖\"a" + std::string(1, '\0') + "b\"⟧\n",
         "line 3: " + std::string(tf::kNulOrLineBreakInField)},
        {head + "    x ⟦Comment‖a\rb⟧\n", "line 3: " + std::string(tf::kNulOrLineBreakInField)},
        // The editors' own messages.
        {declared + "    ⟦Let‖‖‖1⟧\n", "line 4: Variable required."},
        {declared + "    ⟦Let‖N‖‖1‖+⟧\n", "line 4: Missing expresion."},
        {declared + "    ⟦DeclareVariable‖Integer‖Not an Array‖‖‖N‖0⟧\n", "line 4: Duplicate variable name"},
        {declared + "\n    ⟦If‖‖N‖Equal⟧\n", "line 5: Variable or constant required."},
        {declared + "    ⟦DrawLine‖N‖\"a\"⟧\n", "line 4: String constant invalid in this context."},
        {declared + "    ⟦For‖N‖1⟧\n", "line 4: Numeric expression required."},
    };
    for (const Row& row : rows) {
        const auto result = imported(row.text);
        EXPECT_EQ(std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : "built", row.message)
            << row.text;
    }
}

} // namespace
