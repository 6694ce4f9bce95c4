#include "instruction_checks.h"
#include "instructions/forms/form_instructions.h"
#include "support/form_files.h"

using namespace qel;
using namespace qel::test;

namespace {

Texts exchange(std::string form, std::string value, std::string action, std::string object, std::string property,
               std::string repaint = "No")
{
    using namespace exchange_fields;
    Texts f(kCount);
    f[kFormName] = std::move(form), f[kValue] = std::move(value), f[kAction] = std::move(action);
    f[kObject] = std::move(object), f[kProperty] = std::move(property), f[kRepaint] = std::move(repaint);
    return f;
}

// A quiz: a combo box of answers with their scores, a score box, and a button whose function adds
// the chosen answer's score.
FormObjects quizForm()
{
    FormObjects f = newForm("Quiz");
    f[0].onClose = "QuizClosed";
    f.push_back(formObject(f, object_type::kComboBox, 10, 10, "cmbAnswer"));
    f.back().caption = "Paris;Rome";
    f.back().caption2 = "1;0";
    f.back().v1Style = "True";
    f.push_back(formObject(f, object_type::kEdit, 10, 40, "txtScore"));
    f.push_back(formObject(f, object_type::kButton, 10, 70, "buttOK"));
    f.back().onClick = "Answer";
    return f;
}
constexpr size_t kAnswer = 1, kOk = 3;

struct FormInstructions : RunFixture {
    std::string quizPath = tempFile(".frm");
    Line openQuiz = line("OpenForm2", {stringLiteral(quizPath)});

    FormInstructions()
    {
        writeForm(quizPath, quizForm());
        handlers();
    }
    std::shared_ptr<RunForm> quiz() { return host.formTable.find("Quiz"); }
};

} // namespace

TEST_F(FormInstructions, EditorsCheckTheirFieldsInOrderAndShowTheLine)
{
    EditContext context{program, variables, nullptr};
    const Texts go = exchange("Title", "\"Go\"", "Set", "buttOK", "buttCaption", "Yes");
    // The form lines' refusals and texts; Form2Exchange's fields are checked in order.
    expectEditorRows(context,
                     {{kOpenForm, {"Types", "Defaults", "\"P\"", "Results"}, 2, "Variable required."},
                      {kOpenForm, {"T", "D", "P", "R"}, kBuilt, "OpenForm T, D, P, R"},
                      {kOpenForm2, {"5"}, 0, "Variable or string literal required."},
                      {kOpenForm2, {" \"q.frm\" "}, kBuilt, "OpenForm2 \"q.frm\", "},
                      {kCloseForm2, {"Name"}, kBuilt, "CloseForm2 Name, "},
                      {kForm2Exchange, exchange("5", "V", "Set", "o", "p"), 0, "Variable or constant string required."},
                      {kForm2Exchange, exchange("\"F\"", "5", "Set", "o", "p"), 1, "Variable required."},
                      {kForm2Exchange, exchange("\"F\"", "V", "", "o", "p"), 2, "Variable required."},
                      {kForm2Exchange, exchange("\"F\"", "V", "Get", "", "p"), 3, "Form Variable required."},
                      {kForm2Exchange, exchange("\"F\"", "V", "Get", "o", "\"p\""), 5, "Object Property required."},
                      {kForm2Exchange, exchange("\"F\"", "V", "Get", "o", "p", "1"), 6, "Redraw value required."},
                      {kForm2Exchange, go, kBuilt, "Form2Exchange Title,\"Go\",Set,buttOK,buttCaption,Yes"}});
    // Shown again for editing, the object's prefix chooses the type of the property list.
    EXPECT_EQ(roundTrip(*editorFor(kForm2Exchange), go, context).decoded[exchange_fields::kObjectType], "Button");
}

TEST_F(FormInstructions, AFormClosedByItsOwnFunctionClosesWhenItReturns)
{
    add(build,
        {declare("Integer", {"Closes=0"}), openQuiz, line("DeclareFunction", functionFields("Answer")),
         line("CloseForm2", {"\"QUIZ\""}), line("CloseForm2", {"\"Quiz\""}), line("EndFunction"),
         line("DeclareFunction", functionFields("QuizClosed")), line("Let", letFields("Closes", "Closes", "+", "1")),
         line("CloseForm2", {"\"Quiz\""}), line("EndFunction")});
    start();
    const std::shared_ptr<RunForm> form = quiz();
    ASSERT_TRUE(form);
    form->click(kOk);
    EXPECT_TRUE(form->isClosed());
    EXPECT_EQ(number("Closes"), 1.0f); // OnClose ran once
    EXPECT_FALSE(quiz());
    EXPECT_TRUE(in->isRunning());
}

// Each exchange with the open quiz fails with its message, and the run's end closes the form.
TEST_F(FormInstructions, Form2ExchangeAndOpenForm2FailuresStopTheRun)
{
    // The form, the value, the action, the object, the property, and the error.
    const std::array<std::string, 6> cases[] = {
        {"Other", "S", "Get", "buttOK", "buttCaption", "Failed to find form (looking at form.Caption) - Other"},
        {"Quiz", "S", "Get", "buttOK", "buttColour", "Unrecognised property - buttColour"},
        {"Quiz", "S", "Get", "buttNo", "buttCaption", "Failed to find the control on the form - buttNo"},
        {"Quiz", "\"x\"", "Set", "buttOK", "buttName", "Attempt to write to a read only property - "},
        {"Quiz", "\"x\"", "Set", "buttOK", "buttWidth", "The specified value is unacceptable for the property - "},
        {"Quiz", "N", "Get", "buttOK", "buttCaption",
         "Property can only be returned into a string variable - buttCaption"},
        {"Quiz", "F", "Get", "buttOK", "buttCaption", "Expecting a numeric or string variable but found - F"},
        {"Quiz", "\"x\"", "Get", "buttOK", "buttCaption", "A variable is required to recieve the property value "},
        {"Quiz", "S", "Get", "\"buttOK\"", "buttCaption", "Expecting form object to be a variable name - buttOK"},
    };
    for (const auto& [form, value, action, object, property, error] : cases) {
        const CaseRun run({declare("Integer", {"N=0"}), declare("String", {"S"}), declare("File", {"F"}), openQuiz,
                           line("Form2Exchange", exchange(stringLiteral(form), value, action, object, property))});
        EXPECT_EQ(run.errors(), Texts{runErrorText(error)});
        EXPECT_EQ(run.host.formTable.openCount(), 0u) << error;
    }
    // Get of a number stores it into a numeric variable; "Put" is a Get.
    add(build, {declare("Integer", {"N=0"}), openQuiz,
                line("Form2Exchange", exchange("\"Quiz\"", "N", "Put", "buttOK", "buttWidth")), line("Stop")});
    host.whenPaused = {[&](Interpreter&) { EXPECT_EQ(number("N"), 70.0f); }};
    start();

    // OpenForm2 finds files in the program's folder and frees failed slots.
    // A failure stops the run (that it keeps no slot is the form table's test).
    EXPECT_EQ(
        CaseRun({line("OpenForm2", {"\"missing.frm\""})}).host.texts(),
        (Texts{"Unable to open Form file", "Form load failed", runErrorText("Failed to open the Form definition.")}));
    const Lines opening(11, line("OpenForm2", {stringLiteral(quizPath.substr(quizPath.find_last_of('/') + 1))}));
    const CaseRun run(opening, false, [](Session& s) { s.programPath = ::testing::TempDir() + "forms.qel"; });
    expectFailedAt(run, runErrorText("Limit of 10 open Forms has been reached."), 11);
}

// An open form's texts and pictures are paid for from the run's budget (a picture once, however many
// objects show it) until the form closes; what would pass the budget ends the run at its line.
TEST_F(FormInstructions, OpenFormsPayForTheirTextsAndPicturesFromTheRunsBudget)
{
    constexpr uint64_t kMB = uint64_t{1} << 20;
    const std::string picture = tempFile(".bmp"), bigPicture = tempFile("-big.bmp");
    ASSERT_TRUE(writeFileAtomically(picture, bitmap24(512, 512, 0x336699))); // 1 MB of pixels
    ASSERT_TRUE(writeFileAtomically(bigPicture, bitmap24(1024, 1024, 0x336699)));
    FormObjects big = newForm("Big");
    big.push_back(formObject(big, object_type::kEdit, 10, 10, "txtBig"));
    big.back().caption = std::string(kMB, 'x');
    for (int k = 0; k < 2; ++k) {
        big.push_back(formObject(big, object_type::kImage, 10, 40 + 20 * k));
        big.back().caption = picture;
    }
    const std::string bigPath = tempFile("-big.frm"), picturePath = tempFile("-picture.frm");
    writeForm(bigPath, big);
    FormObjects pictured = newForm("Pictured");
    pictured.push_back(formObject(pictured, object_type::kImage, 10, 10));
    pictured.back().caption = bigPicture;
    writeForm(picturePath, pictured);

    add(build, {line("OpenForm2", {stringLiteral(bigPath)})});
    ASSERT_TRUE(startsCleanly(*this));            // it waits for events with its form open
    EXPECT_GE(in->eval().memory.used(), 3 * kMB); // the caption, the edit box's copy, the picture
    EXPECT_LT(in->eval().memory.used(), 3 * kMB + kMB / 2);
    in->stopRun();
    EXPECT_LT(in->eval().memory.used(), kMB / 16); // closed at the run's end: all given back

    Lines eightProperties;
    for (const char* property :
         {"Caption", "TextFontName", "OnClick", "OnDblClick", "OnOpen", "OnClose", "OnSelected", "OnChange"})
        eightProperties.push_back(line("Form2Exchange", exchange("\"Quiz\"", "S", "Set", "buttOK", property)));
    const Lines megabyteText =
        Lines({declare("String", {"S=\"x\""}), declare("Integer", {"I=0"}), line("For", forFields("I", "1", "20")),
               line("Let", letFields("S", "S", "+", "S")), line("Next"), line("OpenForm2", {stringLiteral(quizPath)})});
    // What passes the budget, the run's limit, lines that fit, and lines of which one from `fitting`
    // on passes it.
    const std::tuple<std::string, uint64_t, Lines, Lines, size_t> cases[] = {
        {"a 1 MB text set into eight properties", 6 * kMB, megabyteText, eightProperties, 2},
        {"a form of 3 MB opened ten times", 8 * kMB, {}, Lines(10, line("OpenForm2", {stringLiteral(bigPath)})), 1},
        {"a picture of 4 MB", 3 * kMB, {}, {line("OpenForm2", {stringLiteral(picturePath)})}, 0},
    };
    for (const auto& [name, limit, before, lines, fitting] : cases) {
        SCOPED_TRACE(name);
        const uint64_t budget = limit; // a lambda may not capture a structured binding in clang 14
        const CaseRun run(before + lines, false, [&](Session& s) { s.memoryLimit = budget; });
        const int first = static_cast<int>(run.program.sections[kInitialise].lines.size() - lines.size());
        EXPECT_EQ(run.errors(), Texts{runErrorText("Out of memory")});
        EXPECT_GE(run.failedAt().second, first + static_cast<int>(fitting));
        EXPECT_LT(run.failedAt().second, first + static_cast<int>(lines.size()));
        EXPECT_LT(run.in->eval().memory.used(), 2 * kMB);
    }
}

TEST_F(FormInstructions, TheUserFormIsBuiltFromCheckedArraysAndStoresTheAnswers)
{
    auto let = [](std::string target, std::string value) { return line("Let", letFields(target, value)); };
    const Line openForm = line("OpenForm", {"Types", "Defaults", "Prompts", "Results"});
    add(build, {declareArray("Integer", "Types", 4), declareArray("String", "Defaults", 4, 3),
                declareArray("String", "Prompts", 4), declareArray("String", "Results", 4), let("Types(1)", "0"),
                let("Types(2)", "3"), let("Types(3)", "2"), let("Types(4)", "99"), let("Defaults(1,1)", "\"Red\""),
                let("Defaults(1,2)", "\"Blue\""), let("Defaults(2,1)", "\"7\""), let("Defaults(3,1)", "\"fixed\""),
                let("Prompts(1)", "\"Colour\""), let("Prompts(2)", "\"Age\""), let("Prompts(3)", "\"Note\""), openForm,
                openForm});
    host.userForms.emplace_back([](UserForm& form) {
        EXPECT_FALSE(form.ok({"Blue", "seven", "fixed"})); // not a number: the form stays open
        EXPECT_TRUE(form.ok({"Blue", " 12 ", "fixed"}));
    });
    host.userForms.emplace_back([](UserForm& form) {
        EXPECT_FALSE(form.cancel()); // No: the form stays
        EXPECT_TRUE(form.cancel());
    });
    host.recorder.answers = {Button::Ok, Button::No, Button::Yes};
    start();
    ASSERT_EQ(host.userFormRows.size(), 2u);
    const std::vector<UserFormRow>& rows = host.userFormRows[0];
    ASSERT_EQ(rows.size(), 3u); // 99 ends the form
    using Kind = UserFormRow::Kind;
    EXPECT_EQ(std::tuple(rows[0].kind, rows[1].kind, rows[2].kind),
              std::tuple(Kind::List, Kind::Number, Kind::ReadOnly));
    EXPECT_EQ(rows[0].items, (Texts{"Red", "Blue"}));
    EXPECT_EQ(host.texts(),
              (Texts{"Age - Expecting a numeric value", "Confirm - Cancel Input", "Confirm - Cancel Input"}));
    EXPECT_EQ(variables.findVariable("Results")->textAt(0), ""); // cancelled: every answer emptied
    EXPECT_TRUE(in->isRunning());

    // The arrays OpenForm is given, with the error each set of them gives ("" for none).
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {"Types", "Defaults", "Prompts", ""},
        {"Eleven", "Defaults", "Prompts", "A form must contain fewer than 10 controls - Eleven"},
        {"Words", "Defaults", "Prompts", "Expecting numeric variable but found variable - Words"},
        {"Plain", "Defaults", "Prompts", "Expecting a 1 dimensional array but found - Plain"},
        {"Types", "Words", "Prompts", "Expecting a 2 dimensional array but found - Words"},
        {"Types", "Short", "Prompts",
         "Differing number of element between the Type array and the Defaults array - Short"},
        {"Types", "Defaults", "Numbers", "Expecting string variable but found variable - Numbers"},
        {"Types", "Defaults", "Nobody", "Reference to undeclared variable - Nobody"},
        {"Strange", "Defaults", "Prompts", "Unrecognised control type."},
    };
    const Lines arrays = Lines({declareArray("Integer", "Types", 10), declareArray("Integer", "Eleven", 11),
                                line("DeclareVariable", {"Integer", "1D Array", "10", "", "Strange", "7"}),
                                declare("Integer", {"Plain"}), declareArray("Integer", "Numbers", 10),
                                declareArray("String", "Words", 10), declareArray("String", "Defaults", 10, 2),
                                declareArray("String", "Short", 9, 2), declareArray("String", "Prompts", 10)});
    for (const auto& [types, defaults, prompts, error] : cases) {
        const CaseRun run(arrays + Lines{line("OpenForm", {types, defaults, prompts, "Prompts"})});
        EXPECT_EQ(run.errors(), error.empty() ? Texts{} : std::vector{runErrorText(error)});
    }
}
