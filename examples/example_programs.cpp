#include "examples/example_programs.h"

#include "examples/editor_builder.h"
#include "forms/design/form_design.h"
#include "forms/form_file.h"
#include "program/program_file.h"

#include <utility>

namespace qel::examples {

namespace {

constexpr int kCentred = 1;

// A greeting in the middle of the window, on a sunny sky.
void hello(EditorBuilder& b)
{
    b.handlers();
    b.section(kInitialise)
        .add("DeclareVariable", variableFields("Integer", "Width", "0"))
        .add("DeclareVariable", variableFields("Integer", "Height", "0"));
    b.section(kPaint)
        .add("Comment", {"The picture belongs to the Paint section, so it survives every repaint."})
        .add("WindowGetSize", {"Width", "Height"})
        .add("WindowClear", {"Light Cyan"})
        .add("DrawCircle", {"60", "60", "35", "35", "0", "Light Yellow"})
        .add("TextFont", {"Arial", "28", "1", "", ""})
        .add("TextForeColour", {"Blue"})
        .add("DrawText", drawTextFields("0", "170", "Width", "Height", "\"Hello from QEL!\"", kCentred, true));
}

// A house under the sun: rectangles, lines, a filled roof, circles, an arc and points.
void shapes(EditorBuilder& b)
{
    b.handlers();
    b.section(kPaint)
        .add("WindowClear", {"Light Blue"})
        .add("DrawRect", {"0", "300", "600", "400", "1", "Green", "Green", "", "1"})
        .add("DrawRect", {"200", "180", "400", "300", "2", "Black", "White", "", "1"})
        .add("DrawLine", {"190", "180", "300", "100", "2", "Red", "1"})
        .add("DrawLine", {"300", "100", "410", "180", "2", "Red", "1"})
        .add("DrawLine", {"190", "180", "410", "180", "2", "Red", "1"})
        .add("DrawFill", {"300", "150", "Light Red"})
        .add("DrawRect", {"280", "230", "40", "70", "1", "Black", "Yellow", "", ""})
        .add("DrawCircle", {"520", "70", "40", "40", "0", "Light Yellow"})
        .add("DrawCircle", {"520", "70", "48", "48", "2", "Yellow"})
        .add("DrawArc", {"100", "120", "60", "30", "20", "160", "3", "Bright White"})
        .add("DrawPoint", {"30", "30", "Bright White"})
        .add("DrawPoint", {"60", "20", "Bright White"})
        .add("DrawPoint", {"90", "40", "Bright White"});
}

// Every colour of the table with its name; Light Red is remapped to orange at the start.
void colours(EditorBuilder& b)
{
    static const char* names[] = {"Black",  "Grey",         "Blue",  "Light Blue",  "Green",   "Light Green",
                                  "Cyan",   "Light Cyan",   "Red",   "Light Red",   "Magenta", "Light Magenta",
                                  "Yellow", "Light Yellow", "White", "Bright White"};
    b.handlers();
    b.section(kInitialise)
        .add("DeclareVariable", variableFields("Integer", "R", "255"))
        .add("DeclareVariable", variableFields("Integer", "G", "128"))
        .add("DeclareVariable", variableFields("Integer", "B", "0"))
        .add("ColourRemap", {"Light Red", "R", "G", "B"});
    b.section(kPaint).add("WindowClear", {"Bright White"}).add("TextFont", {"Arial", "10", "", "", ""});
    for (int k = 0; k < 16; ++k) {
        const int x = 20 + (k % 4) * 145, y = 20 + (k / 4) * 95;
        b.add("DrawRect", {std::to_string(x), std::to_string(y), "120", "50", "1", "Black", names[k], "", ""})
            .add("DrawText",
                 drawTextFields(std::to_string(x), std::to_string(y + 55), std::to_string(x + 120),
                                std::to_string(y + 75), "\"" + std::string(names[k]) + "\"", kCentred, false));
    }
}

// Clicks leave red dots: the mouse handler keeps the points, the Paint section draws them all.
void clicks(EditorBuilder& b)
{
    b.handlers("qelOnLeftButtonDown", [](EditorBuilder& h) {
        h.add("If", ifFields("Count", "Less Than", "50"))
            .add("Let", letFields("Count", "Count", "+", "1"))
            .add("Let", letFields("X(Count)", "qelMouseX"))
            .add("Let", letFields("Y(Count)", "qelMouseY"))
            .add("DrawCircle", {"qelMouseX", "qelMouseY", "10", "10", "0", "Red"})
            .add("EndIf");
    });
    b.section(kInitialise)
        .add("DeclareVariable", variableFields("Integer", "Count", "0"))
        .add("DeclareVariable", {"Integer", "1D Array", "50", "", "X", ""})
        .add("DeclareVariable", {"Integer", "1D Array", "50", "", "Y", ""})
        .add("DeclareVariable", variableFields("Integer", "I", "0"));
    b.section(kPaint)
        .add("WindowClear", {"Bright White"})
        .add("For", forFields("I", "1", "Count"))
        .add("DrawCircle", {"X(I)", "Y(I)", "10", "10", "0", "Red"})
        .add("Next");
}

// The five best scores kept in highscores.txt beside the program: read, a new score slotted in,
// written back, and shown by the Paint section.
void highscores(EditorBuilder& b)
{
    b.handlers();
    b.section(kInitialise)
        .add("Comment", {"Keeps the five best scores in highscores.txt, one \"name,score\" line each."})
        .add("DeclareVariable", {"String", "1D Array", "6", "", "Names", ""})
        .add("DeclareVariable", {"Integer", "1D Array", "6", "", "Scores", ""})
        .add("DeclareVariable", {"String", "1D Array", "2", "", "Fields", ""})
        .add("DeclareVariable", variableFields("File", "Table"));
    for (const char* name : {"Count", "N", "I", "J", "Y", "Bottom", "Done", "Score"})
        b.add("DeclareVariable", variableFields("Integer", name, "0"));
    b.add("DeclareVariable", variableFields("String", "Name", "\"\""))
        .add("DeclareVariable", variableFields("String", "Reply", "\"\""))
        .add("Comment", {"Read the table: read a line, test for the end, then use the line."})
        .add("TextFileOpen", {"Table", "\"highscores.txt\"", "1", ""})
        .add("While", {"Done", "Equal", "0"})
        .add("TextFileRead", {"Table", "Fields", "1", "N"})
        .add("If", ifFields("Table", ".AtEndOfFile", ""))
        .add("Let", letFields("Done", "1"))
        .add("Else")
        .add("If", ifFields("Count", "Less Than", "5"))
        .add("Let", letFields("Count", "Count", "+", "1"))
        .add("Let", letFields("Names(Count)", "Fields(1)"))
        .add("Let", letFields("Scores(Count)", "Fields(2)"))
        .add("EndIf")
        .add("EndIf")
        .add("EndWhile")
        .add("TextFileClose", {"Table"})
        .add("InputBox", {"\"Your name?\"", "Name"})
        .add("InputBox", {"\"Your score?\"", "Reply"})
        .add("Let", letFields("Score", "Reply"))
        .add("Comment", {"Slot the new score in: lower scores move down one place."})
        .add("Let", letFields("I", "Count"))
        .add("Let", letFields("Done", "0"))
        .add("While", {"Done", "Equal", "0"})
        .add("If", ifFields("I", "Less Than", "1"))
        .add("Let", letFields("Done", "1"))
        .add("Else")
        .add("If", ifFields("Scores(I)", "Less Than", "Score"))
        .add("Let", letFields("J", "I", "+", "1"))
        .add("Let", letFields("Scores(J)", "Scores(I)"))
        .add("Let", letFields("Names(J)", "Names(I)"))
        .add("Let", letFields("I", "I", "-", "1"))
        .add("Else")
        .add("Let", letFields("Done", "1"))
        .add("EndIf")
        .add("EndIf")
        .add("EndWhile")
        .add("Let", letFields("J", "I", "+", "1"))
        .add("Let", letFields("Scores(J)", "Score"))
        .add("Let", letFields("Names(J)", "Name"))
        .add("If", ifFields("Count", "Less Than", "5"))
        .add("Let", letFields("Count", "Count", "+", "1"))
        .add("EndIf")
        .add("Comment", {"Write the table back, best first."})
        .add("TextFileOpen", {"Table", "\"highscores.txt\"", "", "1"})
        .add("For", forFields("I", "1", "Count"))
        .add("TextFileWrite", {"Table", "Names(I)", "1", "", ""})
        .add("TextFileWrite", {"Table", "Scores(I)", "", "", "1"})
        .add("Next")
        .add("TextFileClose", {"Table"});
    b.section(kPaint)
        .add("WindowClear", {"Blue"})
        .add("TextFont", {"Arial", "20", "1", "", ""})
        .add("TextForeColour", {"Light Yellow"})
        .add("DrawText", drawTextFields("0", "30", "600", "70", "\"High Scores\"", kCentred, true))
        .add("TextFont", {"Arial", "14", "", "", ""})
        .add("TextForeColour", {"Bright White"})
        .add("For", forFields("I", "1", "Count"))
        .add("Let", letFields("Y", "I", "*", "40", "+", "60"))
        .add("Let", letFields("Bottom", "Y", "+", "30"))
        .add("DrawText", drawTextFields("180", "Y", "380", "Bottom", "Names(I)", 0, true))
        .add("DrawText", drawTextFields("380", "Y", "420", "Bottom", "Scores(I)", 2, true))
        .add("Next");
}

// A small quiz in a form of its own, laid out in the designer: a question, the answers in a
// drop-down list whose hidden values are their points, an Answer button and the score.
FormObjects quizForm(std::vector<std::string>& problems)
{
    FormDesign d;
    using P = PropertyId;
    using namespace object_type;
    auto add = [&](int16_t type, std::initializer_list<std::pair<PropertyId, std::string_view>> rows) {
        if (type != kForm)
            d.addObject(type);
        for (const auto& [id, value] : rows)
            if (!d.applyProperty(id, value, false))
                problems.push_back("the designer refused " + std::string(value));
    };
    add(kForm, {{P::Caption, "Capital Quiz"}, {P::Width, "300"}, {P::Height, "150"}});
    add(kStaticText, {{P::Name, "stQuestion"},
                      {P::Caption, "What is the capital of France?"},
                      {P::OffsetX, "10"},
                      {P::OffsetY, "10"},
                      {P::Width, "280"}});
    add(kComboBox, {{P::Name, "cmbAnswer"},
                    {P::Caption, "Rome;Paris;Madrid"},
                    {P::Caption2, "0;1;0"},
                    {P::V1Style, "True"},
                    {P::OffsetX, "10"},
                    {P::OffsetY, "40"}});
    add(kButton, {{P::Name, "buttAnswer"},
                  {P::Caption, "Answer"},
                  {P::OnClick, "CheckAnswer"},
                  {P::OffsetX, "120"},
                  {P::OffsetY, "38"}});
    add(kStaticText,
        {{P::Name, "stScore"}, {P::Caption, "Score:"}, {P::OffsetX, "10"}, {P::OffsetY, "80"}, {P::Width, "50"}});
    add(kEdit, {{P::Name, "txtScore"}, {P::Caption, "0"}, {P::Locked, "True"}, {P::OffsetX, "70"}, {P::OffsetY, "80"}});
    return d.objects();
}

// The quiz, answered through its form (quiz.frm, beside the program).
void quiz(EditorBuilder& b)
{
    constexpr const char* kForm = "\"Capital Quiz\"";
    b.handlers();
    b.section(kInitialise)
        .add("DeclareVariable", variableFields("Integer", "Score", "0"))
        .add("DeclareVariable", variableFields("Integer", "Points", "0"))
        .add("Comment", {"The form file lies beside the program."})
        .add("OpenForm2", {"\"quiz.frm\""})
        .add("DeclareFunction", functionFields("CheckAnswer"))
        .add("Form2Exchange", {kForm, "Points", "Get", "cmbAnswer", "", "cmbSelectionData", "No"})
        .add("If", ifFields("Points", "Equal", "1"))
        .add("Let", letFields("Score", "Score", "+", "1"))
        .add("MessageBox", {"\"Right!\"", "1", "", "", "", "", "", "1", "", "", ""})
        .add("Else")
        .add("MessageBox", {"\"Not quite - try again.\"", "1", "", "", "", "", "1", "", "", "", ""})
        .add("EndIf")
        .add("Form2Exchange", {kForm, "Score", "Set", "txtScore", "", "txtValue", "Yes"})
        .add("EndFunction");
}

using Build = void (*)(EditorBuilder&);

constexpr std::pair<std::string_view, Build> kBuilders[] = {{"hello", hello},           {"shapes", shapes},
                                                            {"colours", colours},       {"clicks", clicks},
                                                            {"highscores", highscores}, {"quiz", quiz}};

} // namespace

BuiltExample buildExample(std::string_view name)
{
    BuiltExample built;
    Program program;
    VariableTable variables;
    KeptMessages messages;
    EditorBuilder builder(program, variables, messages);
    bool known = false;
    for (const auto& [example, build] : kBuilders)
        if (example == name) {
            build(builder);
            known = true;
        }
    built.problems = messages.texts;
    built.problems.insert(built.problems.end(), builder.refusals.begin(), builder.refusals.end());
    if (!known)
        built.problems.push_back("no example is called " + std::string(name));
    if (auto bytes = storeProgram(program))
        built.programFile = std::move(*bytes);
    else
        built.problems.emplace_back("the program could not be stored");
    if (name == "quiz")
        built.formFile = formFileText(quizForm(built.problems));
    return built;
}

} // namespace qel::examples
