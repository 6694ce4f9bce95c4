// The program view's behaviour without its widget: editing commands and their messages, the
// clipboard, breakpoints, movements, and what each row looks like.
#include "environment/clipboard_format.h"
#include "environment/ide_state.h"
#include "environment/view_model.h"
#include "interpreter/program_template.h"
#include "support/program_builder.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace qel {
namespace {

using test::RecordedMessage;

class MemoryClipboard final : public ClipboardAccess {
public:
    bool setLines(std::vector<uint8_t> bytes) override
    {
        if (refuse)
            return false;
        item = std::move(bytes);
        text.reset();
        return true;
    }
    std::optional<std::vector<uint8_t>> lines() override { return item; }
    bool hasLines() override { return item.has_value(); }
    bool setText(std::string t) override
    {
        text = std::move(t);
        item.reset();
        return true;
    }

    std::optional<std::vector<uint8_t>> item;
    std::optional<std::string> text;
    bool refuse = false;
};

struct DialogCall {
    int mode;
    char letter;
    int32_t target;
    uint32_t type;
};

class ViewModelTest : public ::testing::Test {
protected:
    ViewModelTest() : model(ide)
    {
        ide.host.messageRecorder = &messages;
        model.clipboard = &clipboard;
        model.setClientSize(400, 10 * kRowHeight);
        // Stands in for the dialogs: records how it was called and stores `answer` when there is one.
        model.editLine = [this](IdeState& state, QWidget*, int mode, char letter) {
            calls.push_back({mode, letter, state.program.edit.target, state.program.edit.type});
            if (!answer)
                return false;
            storeThroughEditBuffer(state.program, *answer, messages);
            return true;
        };
    }

    test::ProgramBuilder build() { return test::ProgramBuilder(ide.program, ide.variables); }
    // Section 0: its title, then comments "1" to "n".
    void comments(int n)
    {
        auto b = build();
        for (int i = 1; i <= n; ++i)
            b.add("Comment", {std::to_string(i)});
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const ProgramLine& line : ide.program.sections[ide.program.edit.section].lines)
            out.push_back(line.text);
        return out;
    }
    void select(long from, long to, long current)
    {
        Section& v = model.view();
        v.selectionStart = static_cast<int>(from);
        v.selectionEnd = static_cast<int>(to);
        v.currentLine = static_cast<int>(current);
    }
    void toggleAt(long line)
    {
        model.view().currentLine = static_cast<int>(line);
        model.toggleBreakPoint();
    }
    std::vector<uint32_t> breakpointLines() const
    {
        std::vector<uint32_t> out;
        for (const Breakpoint& b : ide.interpreter.breakpoints)
            out.push_back(b.line);
        return out;
    }
    static EditedLine comment(std::string text) { return {kComment, std::move(text), ParamBlock()}; }

    IdeState ide;
    test::RecordingHost messages;
    MemoryClipboard clipboard;
    ViewModel model;
    std::vector<DialogCall> calls;
    std::optional<EditedLine> answer;
};

using Strings = std::vector<std::string>;

TEST_F(ViewModelTest, InsertAfterPutsTheNewLineBelowTheCursorAndMovesOntoIt)
{
    comments(3);
    answer = comment("new");
    EXPECT_TRUE(model.insertAfter('D'));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].mode, ViewModel::kNewLineMode);
    EXPECT_EQ(calls[0].letter, 'D');
    EXPECT_EQ(calls[0].target, 1);
    EXPECT_EQ(calls[0].type, kBlank);
    EXPECT_EQ(texts(), (Strings{"Initialisation", "new", "1", "2", "3"}));
    EXPECT_EQ(model.view().currentLine, 1);
    EXPECT_EQ(model.view().selectionStart, 1);
    EXPECT_EQ(model.view().selectionEnd, 1);

    // A cancelled dialog leaves the blank line in the program.
    answer.reset();
    model.view().currentLine = 4;
    EXPECT_TRUE(model.insertAfter());
    EXPECT_EQ(texts(), (Strings{"Initialisation", "new", "1", "2", "3", ""}));
    EXPECT_EQ(ide.program.sections[0].lines[5].type, kBlank);
}

TEST_F(ViewModelTest, InsertAfterAtTheBottomRowScrollsByThree)
{
    comments(20);
    model.view().currentLine = 5;
    model.insertAfter();
    EXPECT_EQ(model.view().topLine, 0);
    model.view().currentLine = 9;
    model.insertAfter();
    EXPECT_EQ(model.view().currentLine, 10);
    EXPECT_EQ(model.view().topLine, 3);
}

TEST_F(ViewModelTest, PageDownPastTheEndLeavesNoLineToEditOrInsertAfter)
{
    comments(2);
    model.move(ViewModel::Move::End, false);
    model.move(ViewModel::Move::PageDown, false);
    EXPECT_EQ(model.view().currentLine, 3);
    EXPECT_EQ(model.sectionPaneText(), "Initialise - 4");

    EXPECT_FALSE(model.insertAfter());
    EXPECT_FALSE(model.editCurrentLine());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(messages.messages,
              (std::vector<RecordedMessage>{{"The currently selected line is invalid.", Icon::Information}}));
    EXPECT_EQ(texts().size(), 3u);
}

TEST_F(ViewModelTest, AppendAndEditReachTheDialogWithTheEditBufferSet)
{
    comments(2);
    answer = comment("end");
    EXPECT_TRUE(model.append());
    EXPECT_EQ(texts().back(), "end");
    model.view().currentLine = 2;
    answer = comment("two");
    EXPECT_TRUE(model.editCurrentLine());
    EXPECT_EQ(texts(), (Strings{"Initialisation", "1", "two", "end"}));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].mode, ViewModel::kNewLineMode);
    EXPECT_EQ(calls[0].target, -1);
    EXPECT_EQ(calls[0].type, kBlank);
    EXPECT_EQ(calls[1].mode, ViewModel::kEditMode);
    EXPECT_EQ(calls[1].target, 2);
    EXPECT_EQ(calls[1].type, kComment);

    answer.reset();
    model.append();
    EXPECT_EQ(texts().size(), 4u); // a cancelled Append adds nothing
}

TEST_F(ViewModelTest, EditingCommandsClearBreakpointsAndTheProfileButPasteKeepsBreakpoints)
{
    comments(4);
    auto setUp = [&] {
        toggleAt(2);
        ide.interpreter.profile.ticks[0].assign(5, 7);
        ide.interpreter.profile.total = 35;
    };
    setUp();
    model.view().currentLine = 1;
    model.insertAfter();
    EXPECT_TRUE(ide.interpreter.breakpoints.empty());
    EXPECT_TRUE(ide.interpreter.profile.ticks[0].empty());

    setUp();
    model.append();
    EXPECT_TRUE(ide.interpreter.breakpoints.empty());
    setUp();
    model.editCurrentLine();
    EXPECT_TRUE(ide.interpreter.breakpoints.empty());
    setUp();
    select(3, 3, 3);
    model.deleteLines();
    EXPECT_TRUE(ide.interpreter.breakpoints.empty());

    setUp();
    select(1, 1, 1);
    model.copy();
    model.paste();
    EXPECT_EQ(breakpointLines(), (std::vector<uint32_t>{3})); // moved down with its line
    EXPECT_TRUE(ide.interpreter.profile.ticks[0].empty());
}

TEST_F(ViewModelTest, RequiredLinesCanBeNeitherEditedNorDeleted)
{
    newProgramWithHandlers(ide.program, ide.variables, messages);
    messages.messages.clear();
    model.showSection(kKeyboard);
    select(1, 1, 1); // the qelScanCode declaration
    EXPECT_FALSE(model.editCurrentLine());
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(model.deleteLines());
    select(3, 3, 3); // DeclareFunction qelOnKeyDown
    EXPECT_FALSE(model.deleteLines());
    EXPECT_EQ(messages.messages,
              (std::vector<RecordedMessage>{
                  {"This line is required by QEL, it may not be edited.", Icon::Exclamation},
                  {"This line is required by ORX, it may not be deleted.", Icon::Exclamation},
                  {"This line is required by ORX, it may not be deleted.", Icon::Exclamation}}));
    EXPECT_EQ(ide.program.sections[kKeyboard].lineCount(), 7u);
    EXPECT_NE(ide.variables.findVariable("qelScanCode"), nullptr);
}

TEST_F(ViewModelTest, DeleteRefusesTheFirstLine)
{
    comments(3);
    select(0, 1, 1);
    EXPECT_FALSE(model.deleteLines());
    EXPECT_EQ(texts().size(), 4u);
    EXPECT_EQ(messages.messages,
              (std::vector<RecordedMessage>{{"Deleting the first line is not permitted", Icon::Exclamation}}));
}

TEST_F(ViewModelTest, DeleteRemovesTheSelectionAndPlacesTheCursor)
{
    comments(6);
    select(2, 4, 4);
    model.view().topLine = 3;
    model.view().executionMarker = 5;
    EXPECT_TRUE(model.deleteLines());
    EXPECT_EQ(texts(), (Strings{"Initialisation", "1", "5", "6"}));
    EXPECT_EQ(model.view().currentLine, 2);
    EXPECT_EQ(model.view().selectionStart, 2);
    EXPECT_EQ(model.view().selectionEnd, 2);
    EXPECT_EQ(ide.program.edit.target, 2);
    EXPECT_EQ(model.view().topLine, 1); // the top line was inside the deleted lines
    EXPECT_EQ(model.view().executionMarker, -1);

    // Deleting the last line moves the cursor onto the new last line.
    select(3, 3, 3);
    EXPECT_TRUE(model.deleteLines());
    EXPECT_EQ(model.view().currentLine, 2);
    EXPECT_EQ(texts(), (Strings{"Initialisation", "1", "5"}));
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ViewModelTest, AnImpossibleSelectionDeletesOnlyTheCurrentLine)
{
    comments(4);
    select(4, 2, 2);
    EXPECT_TRUE(model.deleteLines());
    EXPECT_EQ(texts(), (Strings{"Initialisation", "1", "3", "4"}));
    EXPECT_EQ(messages.messages, (std::vector<RecordedMessage>{
                                     {"Confused about the size of selection,defaulting to 1 line", Icon::Exclamation}}));
}

TEST_F(ViewModelTest, DeletingADeclareVariableLineRemovesItsVariables)
{
    build().add("DeclareVariable", test::variableFields("Integer", "N", "0")).add("Comment", {"x"});
    ASSERT_NE(ide.variables.findVariable("N"), nullptr);
    select(1, 1, 1);
    EXPECT_TRUE(model.deleteLines());
    EXPECT_EQ(ide.variables.findVariable("N"), nullptr);
    EXPECT_EQ(texts(), (Strings{"Initialisation", "x"}));
}

TEST_F(ViewModelTest, CopyAndPasteInsertAfterTheCurrentLineInOrder)
{
    comments(4);
    select(1, 2, 2);
    model.copy();
    ASSERT_TRUE(clipboard.item);
    ClipboardDecode copied = decodeClipboardLines(*clipboard.item);
    ASSERT_TRUE(copied.ok());
    ASSERT_EQ(copied.lines.size(), 2u);
    EXPECT_EQ(copied.lines[1].text, "2");

    select(3, 3, 3);
    EXPECT_TRUE(model.paste());
    EXPECT_EQ(texts(), (Strings{"Initialisation", "1", "2", "3", "1", "2", "4"}));
    EXPECT_EQ(model.view().currentLine, 3); // the cursor stays
    EXPECT_EQ(ide.program.edit.target, 3);

    // On the last line the pasted lines go to the end; on line 0 they follow it.
    select(6, 6, 6);
    model.paste();
    EXPECT_EQ(texts().back(), "2");
    EXPECT_EQ(texts().size(), 9u);
    select(0, 0, 0);
    model.paste();
    EXPECT_EQ(texts()[0], "Initialisation");
    EXPECT_EQ(texts()[1], "1");
    EXPECT_EQ(texts()[2], "2");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ViewModelTest, PastedDeclareVariableAndReservedLinesAreIgnoredLeavingBlankLines)
{
    build().add("DeclareVariable", test::variableFields("Integer", "N", "0")).add("Comment", {"c"});
    select(1, 2, 2);
    model.copy();
    EXPECT_TRUE(model.paste());
    EXPECT_EQ(texts(), (Strings{"Initialisation", "DeclareVariables Integer N=0", "c", "", "c"}));
    EXPECT_EQ(ide.program.sections[0].lines[3].type, kBlank);
    EXPECT_EQ(messages.messages, (std::vector<RecordedMessage>{
                                     {"Attempt to paste a DeclareVariable statement ignored.", Icon::Exclamation}}));

    messages.messages.clear();
    newProgramWithHandlers(ide.program, ide.variables, messages);
    model.showSection(kKeyboard);
    select(1, 1, 1);
    model.copy();
    select(6, 6, 6);
    model.paste();
    EXPECT_EQ(ide.program.sections[kKeyboard].lines[7].type, kBlank);
    EXPECT_EQ(messages.messages,
              (std::vector<RecordedMessage>{{"Attempt to paste a reserved line ignored.", Icon::Exclamation}}));
}

TEST_F(ViewModelTest, PasteRefusesAMissingOrDamagedItemAndAMissingLine)
{
    comments(2);
    EXPECT_FALSE(model.paste());
    clipboard.item = std::vector<uint8_t>{1, 0, 0, 0, 'x'}; // a text without its NUL
    EXPECT_FALSE(model.paste());
    select(1, 1, 1);
    model.copy();
    model.view().currentLine = 4; // beyond one past the last line
    EXPECT_FALSE(model.paste());
    EXPECT_EQ(texts().size(), 3u);
    EXPECT_EQ(messages.messages, (std::vector<RecordedMessage>{{"Unable to get Clipboard data handle", Icon::None},
                                                               {"Unable to get Clipboard data handle", Icon::None},
                                                               {"No selected line to paste after.", Icon::None}}));
}

TEST_F(ViewModelTest, CutCopiesThenDeletesButNeverTheFirstLine)
{
    comments(2);
    select(0, 0, 0);
    EXPECT_FALSE(model.cut());
    ASSERT_TRUE(clipboard.item);
    EXPECT_EQ(decodeClipboardLines(*clipboard.item).lines.at(0).text, "Initialisation");
    EXPECT_EQ(texts().size(), 3u);
    EXPECT_EQ(messages.texts(), (Strings{"Deleting the first line is not permitted"}));

    select(2, 2, 2);
    EXPECT_TRUE(model.cut());
    EXPECT_EQ(texts(), (Strings{"Initialisation", "1"}));
    EXPECT_EQ(decodeClipboardLines(*clipboard.item).lines.at(0).text, "2");

    clipboard.refuse = true;
    EXPECT_FALSE(model.cut());
    EXPECT_EQ(texts().size(), 2u);
    EXPECT_EQ(messages.texts().back(), "Unable to set Clipboard data");
}

TEST_F(ViewModelTest, CopyAllCodeEndsEveryLineWithCrLf)
{
    comments(2);
    ide.program.insertBlankAfter(1);
    model.copyAllCode();
    EXPECT_EQ(clipboard.text, "Initialisation\r\n1\r\n\r\n2\r\n");
}

TEST_F(ViewModelTest, AtMostFiveBreakpointsAndNoneOnClosingLines)
{
    comments(6);
    for (long line = 1; line <= 5; ++line)
        toggleAt(line);
    toggleAt(6);
    EXPECT_EQ(breakpointLines(), (std::vector<uint32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(messages.messages,
              (std::vector<RecordedMessage>{{"Only 5 breakpoints are allowed", Icon::Information}}));
    toggleAt(2); // off again: its slot is free
    toggleAt(6);
    EXPECT_EQ(breakpointLines(), (std::vector<uint32_t>{1, 3, 4, 5, 6}));

    ide.interpreter.clearBreakpoints();
    messages.messages.clear();
    build()
        .add("DeclareVariable", test::variableFields("Integer", "A", "0"))
        .add("If", test::ifFields("A", "Equal", "1"))
        .add("Else")
        .add("EndIf")
        .add("While", {"A", "Less Than", "2"})
        .add("EndWhile");
    for (long line = 8; line <= 13; ++line)
        toggleAt(line);
    EXPECT_EQ(breakpointLines(), (std::vector<uint32_t>{8, 11}));
    EXPECT_EQ(messages.texts(), (Strings(3, "You may not place a break point on this line type")));
}

TEST_F(ViewModelTest, CursorKeysMoveAndExtendFromTheAnchor)
{
    using M = ViewModel::Move;
    comments(20);
    for (int i = 0; i < 3; ++i)
        model.move(M::Down, false);
    model.move(M::Down, true);
    model.move(M::Down, true);
    EXPECT_EQ(model.view().currentLine, 5);
    EXPECT_EQ(model.view().selectionStart, 3);
    EXPECT_EQ(model.view().selectionEnd, 5);
    for (int i = 0; i < 4; ++i)
        model.move(M::Up, true);
    EXPECT_EQ(model.view().selectionStart, 1);
    EXPECT_EQ(model.view().selectionEnd, 3);
    model.move(M::Up, false);
    model.move(M::Up, false);
    EXPECT_EQ(model.view().currentLine, 0);

    // Down at the bottom row scrolls one line; Up above the top line pulls the top line along.
    select(9, 9, 9);
    model.move(M::Down, false);
    EXPECT_EQ(model.view().topLine, 1);
    model.view().topLine = 5;
    select(5, 5, 5);
    model.move(M::Up, false);
    EXPECT_EQ(model.view().topLine, 4);
}

TEST_F(ViewModelTest, PageHomeAndEndKeys)
{
    using M = ViewModel::Move;
    comments(20); // lines 0 to 20; ten rows show, a page is seven
    model.move(M::PageDown, false);
    EXPECT_EQ(model.view().topLine, 7);
    EXPECT_EQ(model.view().currentLine, 8);
    model.move(M::PageDown, true);
    EXPECT_EQ(model.view().topLine, 14);
    EXPECT_EQ(model.view().selectionStart, 8);
    EXPECT_EQ(model.view().selectionEnd, 14);
    model.move(M::PageUp, false);
    EXPECT_EQ(model.view().topLine, 7);
    EXPECT_EQ(model.view().currentLine, 8);

    model.move(M::End, false);
    EXPECT_EQ(model.view().currentLine, 20);
    EXPECT_EQ(model.view().topLine, 20);
    model.move(M::Home, true);
    EXPECT_EQ(model.view().currentLine, 0);
    EXPECT_EQ(model.view().topLine, 0);
    EXPECT_EQ(model.view().selectionStart, 0);
    EXPECT_EQ(model.view().selectionEnd, 20);

    model.setClientSize(400, 3 * kRowHeight); // fewer than four rows: the page is not reduced
    model.move(M::PageDown, false);
    EXPECT_EQ(model.view().topLine, 3);
}

TEST_F(ViewModelTest, WheelAndScrollBar)
{
    using S = ViewModel::Scroll;
    comments(20);
    model.wheel(2, false);
    EXPECT_EQ(model.view().currentLine, 2);
    model.wheel(1, true);
    EXPECT_EQ(model.view().topLine, 7);
    model.wheel(-1, false);
    EXPECT_EQ(model.view().currentLine, 7);

    model.view().topLine = 5;
    EXPECT_EQ(model.scrollPosition(), 25);
    model.scroll(S::Thumb, 50);
    EXPECT_EQ(model.view().topLine, 10);
    model.scroll(S::Bottom);
    model.scroll(S::LineDown);
    EXPECT_EQ(model.view().topLine, 20);
    EXPECT_EQ(model.scrollPosition(), 100);
    model.scroll(S::Top);
    model.scroll(S::LineUp);
    EXPECT_EQ(model.view().topLine, 0);
}

TEST_F(ViewModelTest, ClickDragAndRightClick)
{
    comments(20);
    model.view().topLine = 2;
    EXPECT_TRUE(model.pressAt(3 * kRowHeight + 5));
    EXPECT_EQ(model.view().currentLine, 5);
    EXPECT_EQ(ide.program.edit.target, 5);
    EXPECT_TRUE(model.dragTo(6 * kRowHeight));
    EXPECT_EQ(model.view().selectionStart, 5);
    EXPECT_EQ(model.view().selectionEnd, 8);
    EXPECT_TRUE(model.dragTo(kRowHeight));
    EXPECT_EQ(model.view().selectionStart, 3);
    EXPECT_EQ(model.view().selectionEnd, 5);
    EXPECT_FALSE(model.dragTo(30 * kRowHeight)); // no line there

    EXPECT_TRUE(model.rightClickAt(8 * kRowHeight));
    EXPECT_EQ(model.view().currentLine, 10);
    EXPECT_EQ(model.view().selectionStart, 3); // the selection stays
    EXPECT_FALSE(model.pressAt(40 * kRowHeight));
    EXPECT_EQ(model.view().currentLine, 10);
}

TEST_F(ViewModelTest, ShowSectionCentresTheCurrentLineAndNamesItInThePane)
{
    ide.program.edit.section = kTimer;
    comments(40);
    ide.program.sections[kTimer].currentLine = 30;
    model.showSection(kInitialise);
    EXPECT_EQ(model.sectionPaneText(), "Initialise - 1");
    model.showSection(kTimer);
    EXPECT_EQ(ide.program.edit.section, kTimer);
    EXPECT_EQ(model.view().topLine, 25);
    EXPECT_EQ(model.sectionPaneText(), "Timer -  31");
    model.showSection(kMouse);
    EXPECT_EQ(model.sectionPaneText(), "Mouse -  1");
}

TEST(ProfileTimeText, PercentWithAtMostTwoDecimals)
{
    EXPECT_EQ(profileTimeText(1, 3), "33.33");
    EXPECT_EQ(profileTimeText(1, 2), "50");
    EXPECT_EQ(profileTimeText(1, 8), "12.5");
    EXPECT_EQ(profileTimeText(0, 5), "0");
    EXPECT_EQ(profileTimeText(5, 5), "100");
    EXPECT_EQ(profileTimeText(3, 0), "0");
    const uint64_t big = std::numeric_limits<uint64_t>::max();
    EXPECT_EQ(profileTimeText(big / 2, big), "50");
}

class ViewRowsTest : public ViewModelTest {
protected:
    // 0 title, 1 DeclareVariable A, 2 If, 3 Let, 4 Else, 5 Let, 6 EndIf, 7 EndIf (no If), 8 Let,
    // 9 For, 10 Let, 11 Next
    void blocks()
    {
        build()
            .add("DeclareVariable", test::variableFields("Integer", "A", "0"))
            .add("If", test::ifFields("A", "Equal", "1"))
            .add("Let", test::letFields("A", "2"))
            .add("Else")
            .add("Let", test::letFields("A", "3"))
            .add("EndIf")
            .add("EndIf")
            .add("Let", test::letFields("A", "4"))
            .add("For", test::forFields("A", "1", "2"))
            .add("Let", test::letFields("A", "5"))
            .add("Next");
        model.setClientSize(400, 20 * kRowHeight);
    }
};

TEST_F(ViewRowsTest, IndentationAndColoursFollowTheBlocks)
{
    namespace c = view_colour;
    blocks();
    select(3, 3, 3);
    const auto rows = model.paintRows();
    ASSERT_EQ(rows.size(), 12u);
    std::vector<int> x;
    for (const RowPaint& r : rows)
        x.push_back(r.textX);
    EXPECT_EQ(x, (std::vector<int>{1, 1, 1, 21, 1, 21, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(rows[0].colour, c::kComment);
    EXPECT_EQ(rows[1].colour, c::kOther);
    EXPECT_EQ(rows[3].colour, c::kOtherCurrent);
    EXPECT_EQ(rows[3].background, c::kSelectedBackground);
    EXPECT_EQ(rows[2].background, c::kBackground);
    EXPECT_EQ(rows[6].colour, c::kOther);
    // The unmatched EndIf and everything after it is magenta until the level is back at zero.
    for (int k : {7, 8, 9})
        EXPECT_EQ(rows[k].colour, c::kUnbalanced) << k;
    EXPECT_EQ(rows[10].colour, c::kOther);
    EXPECT_EQ(rows[11].colour, c::kUnbalanced);
    EXPECT_EQ(rows[3].top, 3 * kRowHeight);
}

TEST_F(ViewRowsTest, MarkersUnderlinesAndProfileColumn)
{
    namespace c = view_colour;
    blocks();
    toggleAt(1);
    toggleAt(3);
    select(5, 5, 0);
    model.markPausedLine(kInitialise, 5);
    auto rows = model.paintRows();
    EXPECT_EQ(rows[5].colour, c::kExecutionMarkerSelected);
    EXPECT_EQ(rows[1].underline, RowPaint::Underline::Breakpoint);
    EXPECT_EQ(rows[1].underlineX, 1);
    EXPECT_EQ(rows[3].underlineX, 21);
    EXPECT_EQ(rows[2].underline, RowPaint::Underline::None);
    EXPECT_EQ(rows[0].colour, c::kCommentCurrent);

    // Paused at line 3: its breakpoint is drawn red; the marker moves to the paused line only.
    ide.interpreter.runState = 1;
    ide.interpreter.runFlags = kFlagPaused;
    ide.interpreter.stopLine = LineCursor{kInitialise, 3};
    model.markPausedLine(kInitialise, 3);
    rows = model.paintRows();
    EXPECT_EQ(rows[3].underline, RowPaint::Underline::Stopped);
    EXPECT_EQ(rows[3].colour, c::kExecutionMarker);
    EXPECT_EQ(rows[5].colour, c::kOther);
    ide.interpreter.runState = 0;
    ide.interpreter.runFlags = 0;

    model.profileShown = true;
    ide.interpreter.profile.ticks[0].assign(12, 0);
    ide.interpreter.profile.ticks[0][2] = 250;
    ide.interpreter.profile.total = 1000;
    rows = model.paintRows();
    EXPECT_EQ(rows[2].profile, "25");
    EXPECT_EQ(rows[1].profile, "0");
    EXPECT_EQ(rows[3].textX, 61);
    EXPECT_EQ(rows[3].underlineX, 21);
}

TEST_F(ViewRowsTest, OnlyRowsThatFitArePaintedButAlwaysTheFirst)
{
    blocks();
    model.setClientSize(400, 2 * kRowHeight + 8);
    EXPECT_EQ(model.paintRows().size(), 2u);
    model.setClientSize(400, 5);
    EXPECT_EQ(model.paintRows().size(), 1u);
    model.view().topLine = 8;
    model.setClientSize(400, 20 * kRowHeight);
    auto rows = model.paintRows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].line, 8);
    EXPECT_EQ(rows[0].top, 0);
    EXPECT_EQ(rows[0].colour, view_colour::kUnbalanced); // the unmatched EndIf above the top line counts
    EXPECT_EQ(rows[2].colour, view_colour::kOther);
}

TEST_F(ViewRowsTest, CachedIndentationAgreesWithAFreshCountAfterScrollingAndEditing)
{
    auto b = build();
    b.add("DeclareVariable", test::variableFields("Integer", "A", "0"));
    for (int i = 0; i < 60; ++i) {
        b.add("If", test::ifFields("A", "Equal", "1")).add("Comment", {"c"});
        if (i % 3 == 0)
            b.add("EndIf");
    }
    auto fresh = [&](long n) {
        model.invalidateIndentation();
        return model.indentationAt(n);
    };
    std::vector<int> expected;
    for (long n : {100L, 20L, 150L, 0L, 101L})
        expected.push_back(fresh(n));
    model.invalidateIndentation();
    std::vector<int> cached;
    for (long n : {100L, 20L, 150L, 0L, 101L})
        cached.push_back(model.indentationAt(n));
    EXPECT_EQ(cached, expected);
    EXPECT_EQ(expected[0], 20 * (42 - 14)); // 42 Ifs and 14 EndIfs above line 100

    // Editing a line above the top line (a comment becomes an If) is seen at once.
    model.indentationAt(100);
    model.view().currentLine = 3;
    answer = EditedLine{kIf, "If", ParamBlock()};
    model.editCurrentLine();
    EXPECT_EQ(model.indentationAt(100), expected[0] + 20);
}

} // namespace
} // namespace qel
