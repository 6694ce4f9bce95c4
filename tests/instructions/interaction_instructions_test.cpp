#include "instruction_checks.h"
#include "instructions/interaction/interaction_editors.h"
#include "instructions/interaction/interaction_instructions.h"
#include "messages/run_errors.h"
#include "program/block_writer.h"
#include "program/references.h"
#include "values/classify_field.h"

#include <chrono>

using namespace qel;
using namespace qel::test;

namespace {

// The Message Box dialog's fields: message, button set and icon by their dialog position, result.
Texts messageBoxFields(std::string message, int buttons = -1, int icon = -1, std::string result = "")
{
    Texts fields(message_box_fields::kCount);
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

using Interaction = CanvasFixture<60, 40, 0xFFFFFFFF>;

// The messages a run of the lines shows, drawn into a canvas.
Texts messagesOf(const Lines& lines, bool timerAccepted = true)
{
    return CaseRun(lines, true, [&](Session& s) { s.host.timerAccepted = timerAccepted; }).host.texts();
}

} // namespace

TEST_F(Interaction, EditorsRefuseWrongFieldsAndDecodeWhatTheyBuilt)
{
    EditContext context{program, variables, nullptr};
    const std::string boxMessage = "String Variable or string literal required.",
                      boxResult = "Numeric Variable or Nothing required.";
    const std::string pauseRange = "Pause interval should be between 1 and 1000.",
                      timerRange = "Timer interval should be between 1 and 1000.";
    expectEditorRows(context, {{kMessageBox, messageBoxFields("12"), 0, boxMessage},
                               {kMessageBox, messageBoxFields(""), 0, boxMessage},
                               {kMessageBox, messageBoxFields("\"Hi\"", -1, -1, "\"Answer\""), 10, boxResult},
                               {kInputBox, {"3.5", "Reply"}, 0, "Variable or string literal required."},
                               {kInputBox, {"\"Name?\"", "\"Reply\""}, 1, "Variable required."},
                               {kPause, {"Delay"}, 0, "Numeric literal required."},
                               {kPause, {"0"}, 0, pauseRange},
                               {kPause, {"1000.5"}, 0, pauseRange},
                               {kTimerStart, {"\"50\""}, 0, "Numeric literal required."},
                               {kTimerStart, {"0.5"}, 0, timerRange},
                               {kTimerStart, {"1001"}, 0, timerRange},
                               {kMessageBox, messageBoxFields("Text(2)", kYesNoRadio, kQuestionRadio, "Answer"), kSame,
                                "MessageBox Text(2),Answer,4,32"},
                               {kInputBox, {"\"Name?\"", "Name"}, kSame, "InputBox \"Name?\", Name"}});
    // A new line's radio buttons are OK and Information; a number is stored as its whole-number value.
    const std::tuple<uint32_t, Texts, std::string, Texts> lines[] = {
        {kMessageBox, messageBoxFields("\"Hello\""), "MessageBox \"Hello\",,0,64", messageBoxFields("\"Hello\"", 0, 1)},
        {kPause, {" 500 "}, "Pause 500", {"500"}},
        {kTimerStart, {"12.7"}, "TimerStart 12", {"12"}},
    };
    for (const auto& [type, values, text, decoded] : lines) {
        const RoundTrip built = roundTrip(*editorFor(type), values, context);
        EXPECT_EQ(std::pair(built.line.text, built.decoded), std::pair(text, decoded));
    }
}

TEST_F(Interaction, MessageBoxShowsValuesAndStoresTheButtonPressedAndBoxesRefuseWhatTheyCannotShowOrFill)
{
    handlers();
    add(build, {declare("Floating Point", {"Ratio=2.5", "Answer=0"}), declare("Integer", {"Count=3"}),
                line("DeclareVariable", arrayFields("Integer", "Pressed", 4)),
                line("MessageBox", messageBoxFields("Ratio", kYesNoRadio, kQuestionRadio, "Answer")),
                line("MessageBox", messageBoxFields("Count", kYesNoRadio, kStopRadio, "Pressed(1)")),
                line("MessageBox", messageBoxFields("\"Sure?\"", kOkCancelRadio, -1, "Pressed(2)")),
                line("MessageBox", messageBoxFields("\"Again?\"", kRetryCancelRadio, -1, "Pressed(3)")),
                line("MessageBox", messageBoxFields("\"Done\"", -1, -1, "Pressed(4)"))});
    host.recorder.answers = {Button::Yes, Button::No, Button::Cancel, Button::Retry};
    start();
    EXPECT_EQ(host.recorder.messages, (std::vector<RecordedMessage>{{"2.5", Icon::Question},
                                                                    {"3", Icon::Error},
                                                                    {"Sure?", Icon::Information},
                                                                    {"Again?", Icon::Information},
                                                                    {"Done", Icon::Information}}));
    EXPECT_EQ(number("Answer"), 6.0f);
    EXPECT_EQ(variables.findVariable("Pressed")->words, (std::vector<uint32_t>{7, 2, 4, 1}));
    EXPECT_EQ(messageButtons(3), Buttons::YesNoCancel); // no dialog stores it, an older file may

    // A box given what it cannot show or fill shows nothing but the error; InputBox checks its prompt
    // before its reply variable.
    const std::string notString = "Expecting string variable but found non string variable - N";
    const std::pair<Line, std::string> cases[] = {
        {line("MessageBox", messageBoxFields("Nowhere")), "Reference to undeclared variable - Nowhere"},
        {line("MessageBox", messageBoxFields("Face")),
         "Expecting numeric or string variable but found variable - Face"},
        {line("MessageBox", messageBoxFields("Word", kYesNoRadio, -1, "Word")),
         "Expecting numeric variable but found variable - Word"},
        {line("InputBox", {"N", "Missing"}), notString},
        {line("InputBox", {"\"?\"", "N"}), notString},
    };
    for (const auto& [failing, error] : cases)
        EXPECT_EQ(messagesOf({declare("Bitmap", {"Face"}), declare("String", {"Word=\"w\""}),
                              declare("Integer", {"N=0"}), failing}),
                  Texts{runErrorText(error)});
}

TEST_F(Interaction, InputBoxStoresTheReplyOrNothing)
{
    handlers();
    add(build, {declare("String", {"Question=\"Name?\"", "Name=\"old\"", "Other=\"old\"", "Long=\"\""}),
                line("InputBox", {"Question", "Name"}), line("InputBox", {"\"Other?\"", "Other"}),
                line("InputBox", {"\"Long?\"", "Long"})});
    host.inputs = {"Fred", std::nullopt, std::string(600, 'x')};
    EXPECT_TRUE(startsCleanly(*this));
    EXPECT_EQ(host.inputBoxes.at(0), (std::pair<std::string, std::string>{"Name?", "Input Box"}));
    // Other was cancelled; a long reply is cut to 512 characters.
    EXPECT_EQ((Texts{text("Name"), text("Other"), text("Long")}), (Texts{"Fred", "", std::string(512, 'x')}));
}

// A Pause holds the run (that the loop pumps straight after it is the run loop's test); a duration
// only a damaged file can hold is checked when the line runs.
TEST_F(Interaction, PauseHoldsTheRunAndChecksADurationOnlyADamagedFileCanHold)
{
    handlers();
    build.add("Pause", {"150"});
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(startsCleanly(*this));
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(150));
    BlockWriter w(interaction_block::kPauseBody);
    writeOperand(w, interaction_block::kDuration, classifyField("D"));
    const CaseRun computed({declare("Integer", {"D=20000"})}, false, [&](Session& s) {
        s.program.edit.target = -1;
        storeThroughEditBuffer(s.program, {kPause, "Pause D", w.finish()}, s.build.host);
    });
    EXPECT_EQ(computed.errors(), Texts{"Value out of range - 20000 - Duration"});
}

TEST_F(Interaction, TimerStartsOnceStopsAndReportsARefusal)
{
    handlers();
    build.add("TimerStop").add("TimerStart", {"50"}).add("TimerStop").add("TimerStart", {"1000"});
    EXPECT_TRUE(startsCleanly(*this, &target));
    EXPECT_EQ(host.timerStarts, (std::vector<uint32_t>{500, 10000}));
    EXPECT_EQ(host.timerStops, 1); // the first TimerStop had no timer to stop

    EXPECT_EQ(messagesOf({line("TimerStart", {"5"}), line("TimerStart", {"5"})}),
              Texts{runErrorText("Can't start timer as it is already started.")});
    // Refused by the window system: the generic notice, then the reason as the run's error.
    const std::string reason = "WINDOWS CALL FAILED\n\nCan't create the timer. TimerStart";
    EXPECT_EQ(messagesOf({line("TimerStart", {"5"})}, false), (Texts{std::string(msg::kWindowsErrorNotice), reason}));
}
