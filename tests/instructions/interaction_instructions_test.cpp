#include "instructions/interaction/interaction_editors.h"
#include "instructions/interaction/interaction_instructions.h"
#include "messages/run_errors.h"
#include "program/block_writer.h"
#include "program/references.h"
#include "support/canvas_run.h"
#include "support/run_fixture.h"
#include "values/classify_field.h"

#include <chrono>

using namespace qel;
using namespace qel::test;

namespace {

// The Message Box dialog's fields: message, button set and icon by their dialog position, result.
std::vector<std::string> messageBoxFields(std::string message, int buttons = -1, int icon = -1, std::string result = "")
{
    std::vector<std::string> fields(message_box_fields::kCount);
    fields[message_box_fields::kMessage] = std::move(message);
    if (buttons >= 0)
        fields[message_box_fields::kButtonsFirst + buttons] = "1";
    if (icon >= 0)
        fields[message_box_fields::kIconsFirst + icon] = "1";
    fields[message_box_fields::kResult] = std::move(result);
    return fields;
}
constexpr int kOkCancelRadio = 1, kYesNoRadio = 2, kRetryCancelRadio = 4;
constexpr int kQuestionRadio = 2, kStopRadio = 3;

struct Interaction : RunFixture {
    QImage canvas{60, 40, QImage::Format_RGB32};
    DrawState state;
    DrawTarget target{canvas, state};

    EditOutcome edit(const InstructionEditor& editor, std::vector<std::string> values)
    {
        EditContext context{program, variables, nullptr};
        return editor.accept(values, context);
    }
    void expectRefused(const InstructionEditor& editor, std::vector<std::string> values, int field,
                       std::string_view message)
    {
        EditOutcome outcome = edit(editor, values);
        ASSERT_FALSE(outcome.ok()) << values[0];
        EXPECT_EQ(outcome.error->field, field) << values[0];
        EXPECT_EQ(outcome.error->message, message) << values[0];
    }
    // The line as stored, and its fields decoded for editing again.
    std::pair<std::string, std::vector<std::string>> stored(const InstructionEditor& editor,
                                                            std::vector<std::string> values)
    {
        EditOutcome outcome = edit(editor, values);
        EXPECT_TRUE(outcome.ok()) << (outcome.ok() ? "" : outcome.error->message);
        return {outcome.line.text,
                editor.decode(ProgramLine{outcome.line.type, outcome.line.text, outcome.line.block})};
    }
    void declare(std::string type, std::string name, std::string initial = "")
    {
        build.add("DeclareVariable", variableFields(type, name, initial));
    }
    // Every message shown by Initialise lines run in a session of their own, into a canvas.
    static std::vector<std::string> messagesOf(std::function<void(ProgramBuilder&)> lines, bool timerAccepted = true)
    {
        Session s;
        s.handlers();
        lines(s.build);
        s.host.timerAccepted = timerAccepted;
        QImage image(8, 8, QImage::Format_RGB32);
        DrawState drawState;
        DrawTarget drawTarget{image, drawState};
        startWithCanvas(s, drawTarget);
        return s.host.texts();
    }
};

} // namespace

TEST_F(Interaction, EditorsRefuseWrongFieldsAndDecodeWhatTheyBuilt)
{
    MessageBoxEditor box;
    InputBoxEditor input;
    PauseEditor pause;
    TimerStartEditor timer;
    expectRefused(box, messageBoxFields("12"), 0, "String Variable or string literal required.");
    expectRefused(box, messageBoxFields(""), 0, "String Variable or string literal required.");
    expectRefused(box, messageBoxFields("\"Hi\"", -1, -1, "\"Answer\""), 10, "Numeric Variable or Nothing required.");
    expectRefused(box, messageBoxFields("\"Hi\"", -1, -1, "7"), 10, "Numeric Variable or Nothing required.");
    expectRefused(input, {"3.5", "Reply"}, 0, "Variable or string literal required.");
    expectRefused(input, {"\"Name?\"", "\"Reply\""}, 1, "Variable required.");
    expectRefused(pause, {"Delay"}, 0, "Numeric literal required.");
    expectRefused(pause, {"0"}, 0, "Pause interval should be between 1 and 1000.");
    expectRefused(pause, {"1000.5"}, 0, "Pause interval should be between 1 and 1000.");
    expectRefused(timer, {"\"50\""}, 0, "Numeric literal required.");
    expectRefused(timer, {"0.5"}, 0, "Timer interval should be between 1 and 1000.");
    expectRefused(timer, {"1001"}, 0, "Timer interval should be between 1 and 1000.");

    using Fields = std::vector<std::string>;
    struct Line {
        const InstructionEditor& editor;
        Fields values;
        std::string text;
        Fields decoded;
    } lines[] = {
        // A new line's radio buttons: OK and Information.
        {box, messageBoxFields("\"Hello\""), "MessageBox \"Hello\",,0,64", messageBoxFields("\"Hello\"", 0, 1)},
        {box, messageBoxFields("Text(2)", kYesNoRadio, kQuestionRadio, "Answer"), "MessageBox Text(2),Answer,4,32",
         messageBoxFields("Text(2)", kYesNoRadio, kQuestionRadio, "Answer")},
        {input, {"\"Name?\"", "Name"}, "InputBox \"Name?\", Name", {"\"Name?\"", "Name"}},
        {pause, {" 500 "}, "Pause 500", {"500"}},
        {timer, {"12.7"}, "TimerStart 12", {"12"}}, // its whole-number value
    };
    for (const Line& l : lines)
        EXPECT_EQ(stored(l.editor, l.values), std::pair(l.text, l.decoded));
    build.add("TimerStop");
    EXPECT_EQ(build.last().text, "TimerStop");
}

TEST_F(Interaction, MessageBoxShowsValuesAndStoresTheButtonPressed)
{
    handlers();
    declare("Floating Point", "Ratio", "2.5");
    declare("Integer", "Count", "3");
    declare("Floating Point", "Answer", "0");
    build.add("DeclareVariable", {"Integer", "1D Array", "4", "", "Pressed", ""})
        .add("MessageBox", messageBoxFields("Ratio", kYesNoRadio, kQuestionRadio, "Answer"))
        .add("MessageBox", messageBoxFields("Count", kYesNoRadio, kStopRadio, "Pressed(1)"))
        .add("MessageBox", messageBoxFields("\"Sure?\"", kOkCancelRadio, -1, "Pressed(2)"))
        .add("MessageBox", messageBoxFields("\"Again?\"", kRetryCancelRadio, -1, "Pressed(3)"))
        .add("MessageBox", messageBoxFields("\"Done\"", -1, -1, "Pressed(4)"));
    host.recorder.answers = {Button::Yes, Button::No, Button::Cancel, Button::Retry};
    start();
    EXPECT_EQ(host.recorder.messages, (std::vector<RecordedMessage>{{"2.5", Icon::Question},
                                                                    {"3", Icon::Error},
                                                                    {"Sure?", Icon::Information},
                                                                    {"Again?", Icon::Information},
                                                                    {"Done", Icon::Information}}));
    EXPECT_EQ(number("Answer"), 6.0f);
    EXPECT_EQ(variables.findVariable("Pressed")->words, (std::vector<uint32_t>{7, 2, 4, 1}));

    // The button sets as the blocks store them; a number no dialog stores shows OK.
    const std::pair<uint32_t, Buttons> sets[] = {{0, Buttons::Ok},    {1, Buttons::OkCancel},
                                                 {2, Buttons::Ok},    {3, Buttons::YesNoCancel},
                                                 {4, Buttons::YesNo}, {5, Buttons::RetryCancel}};
    for (const auto& [code, buttons] : sets)
        EXPECT_EQ(messageButtons(code), buttons) << code;
    EXPECT_EQ(messageIcon(48), Icon::Exclamation);
    EXPECT_EQ(messageIcon(0), Icon::None);
}

TEST_F(Interaction, MessageBoxRefusesVariablesItCannotShowOrFill)
{
    // Nothing but the error is shown: no box.
    auto shown = [](std::vector<std::string> fields) {
        return messagesOf([&](ProgramBuilder& b) {
            b.add("DeclareVariable", variableFields("Bitmap", "Face"))
                .add("DeclareVariable", variableFields("String", "Word", "\"w\""))
                .add("MessageBox", fields);
        });
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(shown(messageBoxFields("Nowhere")), V{runErrorText("Reference to undeclared variable - Nowhere")});
    EXPECT_EQ(shown(messageBoxFields("Face")),
              V{runErrorText("Expecting numeric or string variable but found variable - Face")});
    EXPECT_EQ(shown(messageBoxFields("Word", kYesNoRadio, -1, "Word")),
              V{runErrorText("Expecting numeric variable but found variable - Word")});
}

TEST_F(Interaction, InputBoxStoresTheReplyOrNothing)
{
    handlers();
    declare("String", "Question", "\"Name?\"");
    declare("String", "Name", "\"old\"");
    declare("String", "Other", "\"old\"");
    declare("String", "Long", "\"\"");
    build.add("InputBox", {"Question", "Name"})
        .add("InputBox", {"\"Other?\"", "Other"})
        .add("InputBox", {"\"Long?\"", "Long"});
    host.inputs = {"Fred", std::nullopt, std::string(600, 'x')};
    start();
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(host.inputBoxes, (std::vector<std::pair<std::string, std::string>>{
                                   {"Name?", "Input Box"}, {"Other?", "Input Box"}, {"Long?", "Input Box"}}));
    EXPECT_EQ(text("Name"), "Fred");
    EXPECT_EQ(text("Other"), ""); // cancelled
    EXPECT_EQ(text("Long"), std::string(512, 'x'));

    // The prompt is checked before the reply variable.
    for (std::vector<std::string> fields : {std::vector<std::string>{"N", "Missing"}, {"\"?\"", "N"}})
        EXPECT_EQ(
            messagesOf([&](ProgramBuilder& b) {
                b.add("DeclareVariable", variableFields("Integer", "N", "0")).add("InputBox", fields);
            }),
            std::vector<std::string>{runErrorText("Expecting string variable but found non string variable - N")});
}

TEST_F(Interaction, PauseHoldsTheRunThenPumpsAtOnce)
{
    handlers();
    declare("Integer", "Step", "0");
    build.add("Let", letFields("Step", "1")).add("Pause", {"150"}).add("Let", letFields("Step", "2"));
    std::vector<float> stepAtPump;
    host.onPump = [&] { stepAtPump.push_back(number("Step")); };
    const auto started = std::chrono::steady_clock::now();
    start();
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(150));
    EXPECT_EQ(stepAtPump, std::vector<float>{1.0f}); // after the Pause line, before the next

    // A duration only a damaged file can hold is checked when the line runs.
    Session computed;
    computed.handlers();
    computed.build.add("DeclareVariable", variableFields("Integer", "D", "20000"));
    BlockWriter w(interaction_block::kPauseBody);
    writeOperand(w, interaction_block::kDuration, classifyField("D"));
    computed.program.edit.target = -1;
    storeThroughEditBuffer(computed.program, {kPause, "Pause D", w.finish()}, computed.build.host);
    computed.start();
    EXPECT_EQ(computed.errors(), std::vector<std::string>{"Value out of range - 20000 - Duration"});
}

TEST_F(Interaction, TimerStartsOnceStopsAndReportsARefusal)
{
    handlers();
    build.add("TimerStop").add("TimerStart", {"50"}).add("TimerStop").add("TimerStart", {"1000"});
    startWithCanvas(*this, target);
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(host.timerStarts, (std::vector<uint32_t>{500, 10000}));
    EXPECT_EQ(host.timerStops, 1); // the first TimerStop had no timer to stop
    EXPECT_EQ(state.timerId, kProgramTimerId);
    releaseProgramTimer(host, state);
    EXPECT_EQ(state.timerId, 0u);
    EXPECT_EQ(host.timerStops, 2);

    EXPECT_EQ(messagesOf([](ProgramBuilder& b) { b.add("TimerStart", {"5"}).add("TimerStart", {"5"}); }),
              std::vector<std::string>{runErrorText("Can't start timer as it is already started.")});
    // Refused by the window system: the generic notice, then the reason as the run's error.
    const std::string reason = "WINDOWS CALL FAILED\n\nCan't create the timer. TimerStart";
    EXPECT_EQ(messagesOf([](ProgramBuilder& b) { b.add("TimerStart", {"5"}); }, false),
              (std::vector<std::string>{std::string(msg::kWindowsErrorNotice), reason}));
}
