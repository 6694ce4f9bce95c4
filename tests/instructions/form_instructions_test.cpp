#include "instructions/forms/form_instructions.h"
#include "support/form_files.h"
#include "support/run_fixture.h"

using namespace qel;
using namespace qel::test;

namespace {

std::vector<std::string> exchange(std::string form, std::string value, std::string action, std::string object,
                                  std::string property, std::string repaint = "No")
{
    std::vector<std::string> f(exchange_fields::kCount);
    f[exchange_fields::kFormName] = std::move(form);
    f[exchange_fields::kValue] = std::move(value);
    f[exchange_fields::kAction] = std::move(action);
    f[exchange_fields::kObject] = std::move(object);
    f[exchange_fields::kProperty] = std::move(property);
    f[exchange_fields::kRepaint] = std::move(repaint);
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
    std::string quizPath;

    FormInstructions()
    {
        quizPath = tempFile(".frm");
        writeForm(quizPath, quizForm());
        handlers();
    }
    std::string quoted(const std::string& text) { return "\"" + text + "\""; }
    void declare(std::string type, std::string name, std::string initial = "")
    {
        build.add("DeclareVariable", variableFields(std::move(type), std::move(name), std::move(initial)));
    }
    std::shared_ptr<RunForm> quiz() { return host.formTable.find("Quiz"); }
    EditOutcome edit(uint32_t type, std::vector<std::string> values)
    {
        EditContext context{program, variables, nullptr};
        return editorFor(type)->accept(values, context);
    }
};

} // namespace

TEST_F(FormInstructions, EditorsCheckTheirFieldsInOrderAndShowTheLine)
{
    EXPECT_EQ(edit(kOpenForm, {"Types", "Defaults", "\"P\"", "Results"}).error->message, "Variable required.");
    EXPECT_EQ(edit(kOpenForm, {"Types", "Defaults", "\"P\"", "Results"}).error->field, 2);
    EXPECT_EQ(edit(kOpenForm, {"T", "D", "P", "R"}).line.text, "OpenForm T, D, P, R");
    EXPECT_EQ(edit(kOpenForm2, {"5"}).error->message, "Variable or string literal required.");
    EXPECT_EQ(edit(kOpenForm2, {" \"q.frm\" "}).line.text, "OpenForm2 \"q.frm\", ");
    EXPECT_EQ(edit(kCloseForm2, {"Name"}).line.text, "CloseForm2 Name, ");

    struct Refusal {
        std::vector<std::string> fields;
        int field;
        std::string message;
    };
    const Refusal refusals[] = {
        {exchange("5", "V", "Set", "o", "p"), 0, "Variable or constant string required."},
        {exchange("\"F\"", "5", "Set", "o", "p"), 1, "Variable required."},
        {exchange("\"F\"", "V", "", "o", "p"), 2, "Variable required."},
        {exchange("\"F\"", "V", "Get", "", "p"), 3, "Form Variable required."},
        {exchange("\"F\"", "V", "Get", "o", "\"p\""), 5, "Object Property required."},
        {exchange("\"F\"", "V", "Get", "o", "p", "1"), 6, "Redraw value required."},
    };
    for (const Refusal& r : refusals) {
        const EditOutcome outcome = edit(kForm2Exchange, r.fields);
        ASSERT_FALSE(outcome.ok()) << r.message;
        EXPECT_EQ(outcome.error->field, r.field);
        EXPECT_EQ(outcome.error->message, r.message);
    }
    const EditOutcome ok = edit(kForm2Exchange, exchange("Title", "\"Go\"", "Set", "buttOK", "buttCaption", "Yes"));
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.line.text, "Form2Exchange Title,\"Go\",Set,buttOK,buttCaption,Yes");
    // Shown again for editing, the object's prefix chooses the type of the property list.
    const std::vector<std::string> decoded =
        editorFor(kForm2Exchange)->decode(ProgramLine{ok.line.type, ok.line.text, ok.line.block});
    EXPECT_EQ(decoded[exchange_fields::kObject], "buttOK");
    EXPECT_EQ(decoded[exchange_fields::kObjectType], "Button");
}

TEST_F(FormInstructions, FormEventsRunTheProgramsFunctionsAndReadTheForm)
{
    declare("Integer", "Score", "0");
    declare("String", "Chosen");
    build.add("OpenForm2", {quoted(quizPath)})
        .add("DeclareFunction", functionFields("Answer"))
        .add("Form2Exchange", exchange("\"quiz\"", "Score", "Get", "cmbAnswer", "cmbSelectionData"))
        .add("Form2Exchange", exchange("\"Quiz\"", "Chosen", "Get", "cmbAnswer", "cmbValue"))
        .add("Form2Exchange", exchange("\"Quiz\"", "Chosen", "set", "txtScore", "txtValue", "Yes"))
        .add("EndFunction");
    Interpreter& in = start();
    ASSERT_TRUE(in.isRunning());
    const std::shared_ptr<RunForm> form = quiz();
    ASSERT_TRUE(form);
    form->selectItem(kAnswer, 0);
    form->click(kOk);
    EXPECT_EQ(number("Score"), 1.0f);
    EXPECT_EQ(text("Chosen"), "Paris");
    EXPECT_EQ(form->getProperty("txtScore", PropertyId::Value).value.text, "Paris");
    EXPECT_TRUE(host.recorder.messages.empty());
}

TEST_F(FormInstructions, AFormClosedByItsOwnFunctionClosesWhenItReturns)
{
    declare("Integer", "Closes", "0");
    build.add("OpenForm2", {quoted(quizPath)})
        .add("DeclareFunction", functionFields("Answer"))
        .add("CloseForm2", {"\"QUIZ\""})
        .add("CloseForm2", {"\"Quiz\""})
        .add("EndFunction")
        .add("DeclareFunction", functionFields("QuizClosed"))
        .add("Let", letFields("Closes", "Closes", "+", "1"))
        .add("CloseForm2", {"\"Quiz\""})
        .add("EndFunction");
    start();
    const std::shared_ptr<RunForm> form = quiz();
    ASSERT_TRUE(form);
    form->click(kOk);
    EXPECT_TRUE(form->isClosed());
    EXPECT_EQ(form->requestDepth(), 0);
    EXPECT_EQ(number("Closes"), 1.0f); // OnClose ran once
    EXPECT_FALSE(quiz());
    EXPECT_TRUE(in->isRunning());
    // A form left after the run has ended asks for nothing.
    in->stopRun();
    in->formRequest("Answer");
    EXPECT_EQ(host.texts().back(), "Form request discarded as associated script has stopped running, have you "
                                   "remembered to use ToviDontExit?");
}

// An error in an OnOpen that runs inside another form's OnOpen, or in an OnOpen that opens its own
// form again until no slot is left, ends the run once, at the line that failed.
TEST_F(FormInstructions, AnErrorInANestedOnOpenIsReportedOnceAtItsLine)
{
    const std::string alpha = tempFile("_alpha.frm"), beta = tempFile("_beta.frm"), gamma = tempFile("_gamma.frm");
    for (const auto& [path, caption] : {std::pair{alpha, "Alpha"}, {beta, "Beta"}, {gamma, "Gamma"}}) {
        FormObjects form = newForm(caption);
        form[0].onOpen = std::string("Open") + caption;
        writeForm(path, form);
    }
    struct Case {
        std::string first; // the form the Initialise section opens
        std::string error;
        int line;
    };
    const Case cases[] = {
        {alpha, "Failed to find the control on the form - buttNo", 10},
        {gamma, "Limit of 10 open Forms has been reached.", 7},
    };
    for (const Case& c : cases) {
        Session s;
        s.handlers();
        s.build.add("DeclareVariable", variableFields("String", "S"))
            .add("OpenForm2", {quoted(c.first)})
            .add("DeclareFunction", functionFields("OpenAlpha"))
            .add("OpenForm2", {quoted(beta)})
            .add("EndFunction")
            .add("DeclareFunction", functionFields("OpenGamma"))
            .add("OpenForm2", {quoted(gamma)})
            .add("EndFunction")
            .add("DeclareFunction", functionFields("OpenBeta")) // fails just before the section's end
            .add("Form2Exchange", exchange("\"Beta\"", "S", "Get", "buttNo", "buttCaption"))
            .add("EndFunction");
        s.start();
        EXPECT_EQ(s.host.texts(), std::vector<std::string>{runErrorText(c.error)});
        EXPECT_EQ(s.failedAt(), (std::pair<uint32_t, int>{kInitialise, c.line})) << c.error;
        EXPECT_FALSE(s.in->isRunning());
    }
}

TEST_F(FormInstructions, Form2ExchangeFailuresStopTheRun)
{
    struct Case {
        std::vector<std::string> fields;
        std::string error;
    };
    const Case cases[] = {
        {exchange("\"Other\"", "S", "Get", "buttOK", "buttCaption"),
         "Failed to find form (looking at form.Caption) - Other"},
        {exchange("\"Quiz\"", "S", "Get", "buttOK", "buttColour"), "Unrecognised property - buttColour"},
        {exchange("\"Quiz\"", "S", "Get", "buttNo", "buttCaption"), "Failed to find the control on the form - buttNo"},
        {exchange("\"Quiz\"", "\"x\"", "Set", "buttOK", "buttName"), "Attempt to write to a read only property - "},
        {exchange("\"Quiz\"", "\"x\"", "Set", "buttOK", "buttWidth"),
         "The specified value is unacceptable for the property - "},
        {exchange("\"Quiz\"", "N", "Get", "buttOK", "buttCaption"),
         "Property can only be returned into a string variable - buttCaption"},
        {exchange("\"Quiz\"", "F", "Get", "buttOK", "buttCaption"),
         "Expecting a numeric or string variable but found - F"},
        {exchange("\"Quiz\"", "\"x\"", "Get", "buttOK", "buttCaption"),
         "A variable is required to recieve the property value "},
        {exchange("\"Quiz\"", "S", "Get", "\"buttOK\"", "buttCaption"),
         "Expecting form object to be a variable name - buttOK"},
    };
    for (const Case& c : cases) {
        Session s;
        s.handlers();
        s.build.add("DeclareVariable", variableFields("Integer", "N", "0"))
            .add("DeclareVariable", variableFields("String", "S"))
            .add("DeclareVariable", variableFields("File", "F"))
            .add("OpenForm2", {quoted(quizPath)})
            .add("Form2Exchange", c.fields);
        s.start();
        EXPECT_EQ(s.errors(), std::vector<std::string>{runErrorText(c.error)}) << c.error;
        EXPECT_EQ(s.host.formTable.openCount(), 0u) << "the run's end closes its forms";
    }
    // Get of a number stores it into a numeric variable; "Put" is a Get.
    declare("Integer", "N", "0");
    build.add("OpenForm2", {quoted(quizPath)})
        .add("Form2Exchange", exchange("\"Quiz\"", "N", "Put", "buttOK", "buttWidth"))
        .add("Stop");
    host.whenPaused = {[&](Interpreter&) { EXPECT_EQ(number("N"), 70.0f); }};
    start();
}

TEST_F(FormInstructions, OpenForm2FindsFilesInTheProgramsFolderAndFreesFailedSlots)
{
    const std::string name = quizPath.substr(quizPath.find_last_of('/') + 1);
    // Each failure stops its run; ten runs in turn leave no slot taken.
    for (int k = 0; k < 10; ++k) {
        Session s;
        s.handlers();
        s.build.add("OpenForm2", {"\"missing.frm\""});
        s.start();
        EXPECT_EQ(s.host.texts(), (std::vector<std::string>{"Unable to open Form file", "Form load failed",
                                                            runErrorText("Failed to open the Form definition.")}));
    }
    Session s;
    s.handlers();
    for (int k = 0; k < 11; ++k)
        s.build.add("OpenForm2", {quoted(name)});
    s.in = std::make_unique<Interpreter>(s.program, s.variables, s.host, dispatchTable());
    s.host.interpreter = s.in.get();
    s.in->setProgramPath(::testing::TempDir() + "forms.qel");
    s.in->startRun();
    EXPECT_EQ(s.errors(), std::vector<std::string>{runErrorText("Limit of 10 open Forms has been reached.")});
    EXPECT_EQ(s.failedAt(), (std::pair<uint32_t, int>{kInitialise, 11}));
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

    build.add("OpenForm2", {quoted(bigPath)});
    start(); // it waits for events with its form open
    ASSERT_TRUE(errors().empty()) << errors()[0];
    EXPECT_GE(in->eval().memory.used(), 3 * kMB); // the caption, the edit box's copy, the picture
    EXPECT_LT(in->eval().memory.used(), 3 * kMB + kMB / 2);
    in->stopRun();
    EXPECT_LT(in->eval().memory.used(), kMB / 16); // closed at the run's end: all given back

    // Lines that fit, then `count` lines of which one from `fitting` on passes the budget.
    const std::vector<std::string> properties = {"Caption", "TextFontName", "OnClick",    "OnDblClick",
                                                 "OnOpen",  "OnClose",      "OnSelected", "OnChange"};
    struct Case {
        std::string name;
        uint64_t limit;
        std::function<void(ProgramBuilder&)> before;
        std::function<void(ProgramBuilder&, size_t)> line;
        size_t count, fitting;
    };
    const Case cases[] = {
        {"a 1 MB text set into eight properties", 6 * kMB,
         [&](ProgramBuilder& b) {
             b.add("DeclareVariable", variableFields("String", "S", "\"x\""))
                 .add("DeclareVariable", variableFields("Integer", "I", "0"))
                 .add("For", forFields("I", "1", "20"))
                 .add("Let", letFields("S", "S", "+", "S"))
                 .add("Next")
                 .add("OpenForm2", {quoted(quizPath)});
         },
         [&](ProgramBuilder& b, size_t k) {
             b.add("Form2Exchange", exchange("\"Quiz\"", "S", "Set", "buttOK", properties[k]));
         },
         properties.size(), 2},
        {"a form of 3 MB opened ten times", 8 * kMB, [](ProgramBuilder&) {},
         [&](ProgramBuilder& b, size_t) { b.add("OpenForm2", {quoted(bigPath)}); }, 10, 1},
        {"a picture of 4 MB", 3 * kMB, [](ProgramBuilder&) {},
         [&](ProgramBuilder& b, size_t) { b.add("OpenForm2", {quoted(picturePath)}); }, 1, 0},
    };
    for (const Case& c : cases) {
        Session r;
        r.handlers();
        c.before(r.build);
        const auto first = static_cast<int>(r.program.sections[kInitialise].lines.size());
        for (size_t k = 0; k < c.count; ++k)
            c.line(r.build, k);
        r.memoryLimit = c.limit;
        r.start();
        EXPECT_EQ(r.errors(), std::vector<std::string>{runErrorText("Out of memory")}) << c.name;
        EXPECT_GE(r.failedAt().second, first + static_cast<int>(c.fitting)) << c.name;
        EXPECT_LT(r.failedAt().second, first + static_cast<int>(c.count)) << c.name;
        EXPECT_LT(r.in->eval().memory.used(), 2 * kMB) << c.name;
    }
}

TEST_F(FormInstructions, TheUserFormIsBuiltFromArraysAndStoresTheAnswers)
{
    build.add("DeclareVariable", {"Integer", "1D Array", "4", "", "Types", ""})
        .add("DeclareVariable", {"String", "2D Array", "4", "3", "Defaults", ""})
        .add("DeclareVariable", {"String", "1D Array", "4", "", "Prompts", ""})
        .add("DeclareVariable", {"String", "1D Array", "4", "", "Results", ""});
    auto let = [&](std::string target, std::string value) { build.add("Let", letFields(target, value)); };
    let("Types(1)", "0"), let("Types(2)", "3"), let("Types(3)", "2"), let("Types(4)", "99");
    let("Defaults(1,1)", "\"Red\""), let("Defaults(1,2)", "\"Blue\""), let("Defaults(2,1)", "\"7\"");
    let("Defaults(3,1)", "\"fixed\"");
    let("Prompts(1)", "\"Colour\""), let("Prompts(2)", "\"Age\""), let("Prompts(3)", "\"Note\"");
    build.add("OpenForm", {"Types", "Defaults", "Prompts", "Results"})
        .add("OpenForm", {"Types", "Defaults", "Prompts", "Results"});
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
    EXPECT_EQ(rows[0].kind, UserFormRow::Kind::List);
    EXPECT_EQ(rows[0].items, (std::vector<std::string>{"Red", "Blue"}));
    EXPECT_EQ(rows[1].kind, UserFormRow::Kind::Number);
    EXPECT_EQ(rows[2].kind, UserFormRow::Kind::ReadOnly);
    EXPECT_EQ(host.texts(), (std::vector<std::string>{"Age - Expecting a numeric value", "Confirm - Cancel Input",
                                                      "Confirm - Cancel Input"}));
    const VariableRecord* results = variables.findVariable("Results");
    EXPECT_EQ(results->textAt(0), ""); // cancelled: every answer emptied
    EXPECT_TRUE(in->isRunning());
}

TEST_F(FormInstructions, TheUserFormsArraysAreChecked)
{
    struct Case {
        std::string types, defaults, prompts, error;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        Session s;
        s.handlers();
        s.build.add("DeclareVariable", {"Integer", "1D Array", "10", "", "Types", ""})
            .add("DeclareVariable", {"Integer", "1D Array", "11", "", "Eleven", ""})
            .add("DeclareVariable", {"Integer", "1D Array", "10", "", "Strange", "7"})
            .add("DeclareVariable", {"Integer", "Not an Array", "", "", "Plain", ""})
            .add("DeclareVariable", {"Integer", "1D Array", "10", "", "Numbers", ""})
            .add("DeclareVariable", {"String", "1D Array", "10", "", "Words", ""})
            .add("DeclareVariable", {"String", "2D Array", "10", "2", "Defaults", ""})
            .add("DeclareVariable", {"String", "2D Array", "9", "2", "Short", ""})
            .add("DeclareVariable", {"String", "1D Array", "10", "", "Prompts", ""})
            .add("OpenForm", {c.types, c.defaults, c.prompts, "Prompts"});
        s.start();
        EXPECT_EQ(s.errors(), c.error.empty() ? std::vector<std::string>{} : std::vector{runErrorText(c.error)});
    }
}
