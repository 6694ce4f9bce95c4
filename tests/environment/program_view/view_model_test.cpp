// The program view's behaviour without its widget: editing commands and their messages, the
// clipboard, breakpoints, movements, and what each row looks like.
#include "environment/look/contrast.h"
#include "environment/program_view/clipboard_format.h"
#include "environment/program_view/view_model.h"
#include "shell_test_support.h"

#include <limits>

namespace qel {
namespace {

using Strings = std::vector<std::string>;
using Messages = std::vector<test::RecordedMessage>;
using Lines = std::vector<uint32_t>;
using DialogCall = std::tuple<int, char, int32_t, uint32_t>; // mode, typed letter, edit target, edit type
using Place = std::array<int, 4>;                            // top line, selection start and end, current line
using M = ViewModel::Move;

class MemoryClipboard final : public ClipboardAccess {
public:
    bool setLines(std::vector<uint8_t> bytes) override
    {
        if (!refuse)
            item = std::move(bytes);
        return !refuse;
    }
    std::optional<std::vector<uint8_t>> lines() override { return item; }
    bool hasLines() override { return item.has_value(); }
    bool setText(std::string t) override
    {
        text = std::move(t);
        return true;
    }
    bool setUtf8Text(std::string t) override { return setText(std::move(t)); }

    std::optional<std::vector<uint8_t>> item;
    std::optional<std::string> text;
    bool refuse = false;
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
            calls.emplace_back(mode, letter, state.program.edit.target, state.program.edit.type);
            if (answer)
                storeThroughEditBuffer(state.program, *answer, messages);
            return answer.has_value();
        };
    }

    test::ProgramBuilder build() { return test::ProgramBuilder(ide.program, ide.variables); }
    void comments(int n) { test::addComments(ide.program, ide.variables, n); }
    Strings texts() const
    {
        Strings out;
        for (const ProgramLine& line : model.lines())
            out.push_back(line.text);
        return out;
    }
    void select(int from, int to, int current)
    {
        SectionPlace& v = model.view();
        std::tie(v.selectionStart, v.selectionEnd, v.currentLine) = std::tie(from, to, current);
    }
    Place place() const
    {
        const SectionPlace& v = model.view();
        return {v.topLine, v.selectionStart, v.selectionEnd, v.currentLine};
    }
    Place move(M m, bool extend = false, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            model.move(m, extend);
        return place();
    }
    void toggleAt(int line)
    {
        model.view().currentLine = line;
        model.toggleBreakPoint();
    }
    Lines breakpointLines() const
    {
        Lines out;
        for (const Breakpoint& b : ide.interpreter.debugger().breakpoints())
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

TEST_F(ViewModelTest, InsertAppendAndEditReachTheDialogOnlyWithALineToWorkOn)
{
    comments(2);
    answer = comment("new");
    EXPECT_TRUE(model.insertAfter('D')); // below the cursor, which moves onto the new line
    EXPECT_EQ(place(), (Place{0, 1, 1, 1}));
    answer = comment("end");
    EXPECT_TRUE(model.append());
    model.view().currentLine = 2;
    answer = comment("two");
    EXPECT_TRUE(model.editCurrentLine());
    EXPECT_EQ(texts(), (Strings{"Initialisation", "new", "two", "2", "end"}));

    // A cancelled Insert after leaves its blank line; a cancelled Append adds nothing.
    answer.reset();
    model.view().currentLine = 4;
    EXPECT_TRUE(model.insertAfter());
    model.append();
    EXPECT_EQ(texts(), (Strings{"Initialisation", "new", "two", "2", "end", ""}));
    const int n = ViewModel::kNewLineMode, e = ViewModel::kEditMode;
    EXPECT_EQ(
        calls,
        (std::vector<DialogCall>{
            {n, 'D', 1, kBlank}, {n, 0, -1, kBlank}, {e, 0, 2, kComment}, {n, 0, 5, kBlank}, {n, 0, -1, kBlank}}));

    // Page Down past the end leaves the cursor on no line.
    calls.clear();
    move(M::End);
    move(M::PageDown);
    EXPECT_FALSE(model.insertAfter());
    EXPECT_FALSE(model.editCurrentLine());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(messages.messages, (Messages{{"The currently selected line is invalid.", Icon::Information}}));
    EXPECT_EQ(texts().size(), 6u);
}

TEST_F(ViewModelTest, EditingCommandsClearBreakpointsAndTheProfileButPasteKeepsBreakpoints)
{
    comments(6);
    select(3, 3, 3);
    auto setUp = [&] {
        toggleAt(2);
        Profile profile;
        profile.ticks[0].assign(5, 7);
        profile.total = 35;
        ide.interpreter.debugger().setProfile(profile);
    };
    using Command = std::function<bool(ViewModel&)>;
    const Command commands[] = {[](ViewModel& m) { return m.insertAfter(); }, &ViewModel::append,
                                &ViewModel::editCurrentLine, &ViewModel::deleteLines, &ViewModel::cut};
    for (const auto& command : commands) {
        setUp();
        command(model);
        EXPECT_TRUE(ide.interpreter.debugger().breakpoints().empty()) << &command - commands;
        EXPECT_TRUE(ide.interpreter.debugger().profile().ticks[0].empty()) << &command - commands;
    }
    setUp();
    select(1, 1, 1);
    model.copy();
    model.paste();
    EXPECT_EQ(breakpointLines(), (Lines{3})); // moved down with its line
    EXPECT_TRUE(ide.interpreter.debugger().profile().ticks[0].empty());
}

TEST_F(ViewModelTest, RequiredLinesCanBeNeitherEditedNorDeletedNorPasted)
{
    newProgramWithHandlers(ide.program, ide.variables, messages);
    messages.messages.clear();
    model.showSection(kKeyboard);
    select(1, 1, 1); // the qelScanCode declaration
    EXPECT_FALSE(model.editCurrentLine());
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(model.deleteLines());
    model.copy();
    select(3, 3, 3); // DeclareFunction qelOnKeyDown
    EXPECT_FALSE(model.deleteLines());
    EXPECT_EQ(ide.program.sections[kKeyboard].lineCount(), 7u);
    select(6, 6, 6);
    EXPECT_TRUE(model.paste()); // leaves a blank line
    EXPECT_EQ(ide.program.sections[kKeyboard].lines[7].type, kBlank);
    EXPECT_EQ(messages.messages, (Messages{{"This line is required by QEL, it may not be edited.", Icon::Exclamation},
                                           {"This line is required by ORX, it may not be deleted.", Icon::Exclamation},
                                           {"This line is required by ORX, it may not be deleted.", Icon::Exclamation},
                                           {"Attempt to paste a reserved line ignored.", Icon::Exclamation}}));
}

TEST_F(ViewModelTest, DeleteRemovesTheSelectionButNeverTheFirstLine)
{
    comments(6);
    select(0, 1, 1);
    EXPECT_FALSE(model.deleteLines());
    EXPECT_EQ(texts().size(), 7u);

    select(2, 4, 4);
    model.view().topLine = 3; // inside the deleted lines: the line above them becomes the top line
    model.view().executionMarker = 5;
    EXPECT_TRUE(model.deleteLines());
    EXPECT_EQ(texts(), (Strings{"Initialisation", "1", "5", "6"}));
    EXPECT_EQ(place(), (Place{1, 2, 2, 2}));
    EXPECT_EQ(model.view().executionMarker, -1);

    select(3, 3, 3); // the last line: the cursor moves onto the new last line
    EXPECT_TRUE(model.deleteLines());
    EXPECT_EQ(model.view().currentLine, 2);
    select(2, 1, 1); // a selection ending above its start: only the current line goes
    EXPECT_TRUE(model.deleteLines());
    EXPECT_EQ(texts(), (Strings{"Initialisation", "5"}));
    EXPECT_EQ(messages.messages,
              (Messages{{"Deleting the first line is not permitted", Icon::Exclamation},
                        {"Confused about the size of selection,defaulting to 1 line", Icon::Exclamation}}));
}

TEST_F(ViewModelTest, CopyAndPasteInsertAfterTheCurrentLineInOrderButNoDeclareVariable)
{
    comments(4);
    select(1, 2, 2);
    model.copy();
    select(3, 3, 3);
    EXPECT_TRUE(model.paste());
    EXPECT_EQ(texts(), (Strings{"Initialisation", "1", "2", "3", "1", "2", "4"}));
    EXPECT_EQ(model.view().currentLine, 3); // the cursor stays

    // On the last line the pasted lines go to the end; on line 0 they follow it.
    select(6, 6, 6);
    model.paste();
    select(0, 0, 0);
    model.paste();
    EXPECT_EQ(texts(), (Strings{"Initialisation", "1", "2", "1", "2", "3", "1", "2", "4", "1", "2"}));
    EXPECT_TRUE(messages.messages.empty());

    // A copied DeclareVariable is pasted as a blank line.
    build().add("DeclareVariable", test::variableFields("Integer", "N", "0"));
    select(10, 11, 11);
    model.copy();
    EXPECT_TRUE(model.paste());
    EXPECT_EQ(texts().at(12), "2");
    EXPECT_EQ(ide.program.sections[0].lines.at(13).type, kBlank);
    EXPECT_EQ(messages.messages,
              (Messages{{"Attempt to paste a DeclareVariable statement ignored.", Icon::Exclamation}}));
}

TEST_F(ViewModelTest, CutAndCopyAllCodeFillTheClipboardAndPasteRefusesWhatItCannotUse)
{
    comments(2);
    EXPECT_FALSE(model.paste());                            // nothing on the clipboard
    clipboard.item = std::vector<uint8_t>{1, 0, 0, 0, 'x'}; // a text without its NUL
    EXPECT_FALSE(model.paste());
    EXPECT_FALSE(model.cut()); // copies the first line but leaves it
    EXPECT_EQ(decodeClipboardLines(clipboard.item.value()).lines.at(0).text, "Initialisation");
    model.view().currentLine = 4; // beyond one past the last line
    EXPECT_FALSE(model.paste());
    EXPECT_EQ(texts().size(), 3u);

    select(2, 2, 2);
    EXPECT_TRUE(model.cut());
    EXPECT_EQ(texts(), (Strings{"Initialisation", "1"}));
    EXPECT_EQ(decodeClipboardLines(*clipboard.item).lines.at(0).text, "2");
    clipboard.refuse = true;
    EXPECT_FALSE(model.cut());
    EXPECT_EQ(texts().size(), 2u);
    EXPECT_EQ(messages.messages, (Messages{{"Unable to get Clipboard data handle", Icon::None},
                                           {"Unable to get Clipboard data handle", Icon::None},
                                           {"Deleting the first line is not permitted", Icon::Exclamation},
                                           {"No selected line to paste after.", Icon::None},
                                           {"Unable to set Clipboard data", Icon::None}}));

    ide.program.insertBlankAfter(kInitialise, 0);
    model.copyAllCode(); // blank lines too end with CR LF
    EXPECT_EQ(clipboard.text, "Initialisation\r\n\r\n1\r\n");
    model.copyAsText(); // one line selected: the whole section
    EXPECT_EQ(clipboard.text, "Initialise\n    Initialisation ⟦Comment⟧\n\n    1 ⟦Comment⟧\n");
    select(1, 2, 2);
    model.copyAsText();
    EXPECT_EQ(clipboard.text, "Initialise\n\n    1 ⟦Comment⟧\n");
}

TEST_F(ViewModelTest, AtMostFiveBreakpointsAndNoneOnClosingLines)
{
    comments(6);
    for (int line = 1; line <= 6; ++line)
        toggleAt(line);
    EXPECT_EQ(breakpointLines(), (Lines{1, 2, 3, 4, 5}));
    EXPECT_EQ(messages.messages, (Messages{{"Only 5 breakpoints are allowed", Icon::Information}}));
    toggleAt(2); // off again: its slot is free
    toggleAt(6);
    EXPECT_EQ(breakpointLines(), (Lines{1, 3, 4, 5, 6}));

    ide.interpreter.debugger().clearBreakpoints();
    messages.messages.clear();
    build()
        .add("DeclareVariable", test::variableFields("Integer", "A", "0"))
        .add("If", test::ifFields("A", "Equal", "1"))
        .add("Else")
        .add("EndIf")
        .add("While", {"A", "Less Than", "2"})
        .add("EndWhile");
    for (int line = 8; line <= 13; ++line)
        toggleAt(line);
    EXPECT_EQ(breakpointLines(), (Lines{8, 11}));
    EXPECT_EQ(messages.texts(), (Strings(3, "You may not place a break point on this line type")));
}

TEST_F(ViewModelTest, KeysAndInsertAfterMoveScrollAndExtendFromTheAnchor)
{
    comments(20); // lines 0 to 20; ten rows show, a page is seven
    move(M::Down, false, 3);
    EXPECT_EQ(move(M::Down, true, 2), (Place{0, 3, 5, 5}));
    EXPECT_EQ(move(M::Up, true, 4), (Place{0, 1, 3, 1}));
    EXPECT_EQ(move(M::Up, false, 2), (Place{0, 0, 0, 0}));
    // Down at the bottom row scrolls one line; Up above the top line pulls the top line along.
    select(9, 9, 9);
    EXPECT_EQ(move(M::Down), (Place{1, 10, 10, 10}));
    model.view().topLine = 5;
    select(5, 5, 5);
    EXPECT_EQ(move(M::Up), (Place{4, 4, 4, 4}));

    move(M::Home);
    EXPECT_EQ(move(M::PageDown), (Place{7, 8, 8, 8}));
    EXPECT_EQ(move(M::PageDown, true), (Place{14, 8, 14, 14}));
    EXPECT_EQ(move(M::PageUp), (Place{7, 8, 8, 8}));
    EXPECT_EQ(move(M::End), (Place{20, 20, 20, 20}));
    EXPECT_EQ(move(M::Home, true), (Place{0, 0, 20, 0}));

    // Insert after scrolls by three when the new line would be below the bottom row.
    select(8, 8, 8);
    model.insertAfter();
    EXPECT_EQ(model.view().topLine, 0);
    select(9, 9, 9);
    model.insertAfter();
    EXPECT_EQ(place(), (Place{3, 10, 10, 10}));

    model.setClientSize(400, 3 * kRowHeight); // fewer than four rows: the page is not reduced
    move(M::PageDown);
    EXPECT_EQ(model.view().topLine, 6);
}

TEST_F(ViewModelTest, WheelScrollBarMouseAndSections)
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
    model.scroll(S::Top);
    model.scroll(S::LineUp);
    EXPECT_EQ(model.view().topLine, 0);

    model.view().topLine = 2;
    EXPECT_TRUE(model.pressAt(3 * kRowHeight + 5));
    EXPECT_TRUE(model.dragTo(kRowHeight));
    EXPECT_EQ(place(), (Place{2, 3, 5, 3}));
    EXPECT_FALSE(model.dragTo(30 * kRowHeight)); // no line there

    EXPECT_TRUE(model.rightClickAt(8 * kRowHeight));
    EXPECT_EQ(place(), (Place{2, 3, 5, 10})); // the selection stays
    EXPECT_FALSE(model.pressAt(40 * kRowHeight));
    EXPECT_EQ(model.view().currentLine, 10);

    // Each section keeps its current line; showing one centres it and names both in the pane.
    model.showSection(kMouse);
    EXPECT_EQ(model.sectionPaneText(), "Mouse -  1");
    model.showSection(kInitialise);
    EXPECT_EQ(model.view().topLine, 5);
    EXPECT_EQ(model.sectionPaneText(), "Initialise - 11");
}

class ViewRowsTest : public ViewModelTest {
protected:
    // 0 title, 1 DeclareVariable A, 2 If, 3 Let, 4 Else, 5 Let, 6 EndIf, 7 EndIf (no If), 8 Let,
    // 9 For, 10 Let, 11 Next
    ViewRowsTest()
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
    template <typename T>
    static std::vector<T> each(const std::vector<RowPaint>& rows, T RowPaint::*field)
    {
        std::vector<T> out;
        for (const RowPaint& r : rows)
            out.push_back(r.*field);
        return out;
    }
};

TEST_F(ViewRowsTest, IndentationColoursAndTheRowsThatFit)
{
    namespace c = view_colour;
    select(3, 3, 3);
    const auto rows = model.paintRows();
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(each(rows, &RowPaint::textX), (std::vector<int>{1, 1, 1, 21, 1, 21, 1, 1, 1, 1, 1, 1}));
    // The unmatched EndIf and everything after it is magenta until the level is back at zero.
    const Rgb o = c::kOther, u = c::kUnbalanced;
    EXPECT_EQ(each(rows, &RowPaint::colour),
              (std::vector<Rgb>{c::kComment, o, o, c::kOtherCurrent, o, o, o, u, u, u, o, u}));
    EXPECT_EQ(rows[3].background, c::kSelectedBackground);

    // Only rows that fit are painted, but always the first; the unmatched EndIf above the top line counts.
    model.setClientSize(400, 2 * kRowHeight + 8);
    EXPECT_EQ(model.paintRows().size(), 2u);
    model.setClientSize(400, 5);
    EXPECT_EQ(model.paintRows().size(), 1u);
    model.view().topLine = 8;
    model.setClientSize(400, 20 * kRowHeight);
    const auto below = model.paintRows();
    EXPECT_EQ(each(below, &RowPaint::colour), (std::vector<Rgb>{u, u, o, u}));
    EXPECT_EQ(std::pair(below.at(0).line, below.at(0).top), std::pair(8L, 0));
}

TEST_F(ViewRowsTest, MarkersUnderlinesAndProfileColumn)
{
    namespace c = view_colour;
    toggleAt(1);
    toggleAt(3);
    select(5, 5, 0);
    model.markPausedLine(kInitialise, 5);
    auto rows = model.paintRows();
    EXPECT_EQ(rows[5].colour, c::kExecutionMarkerSelected);
    EXPECT_EQ(rows[0].colour, c::kCommentCurrent);
    EXPECT_EQ(rows[1].underline, RowPaint::Underline::Breakpoint);
    EXPECT_EQ(rows[2].underline, RowPaint::Underline::None);
    EXPECT_EQ(rows[1].underlineX, 1);
    EXPECT_EQ(rows[3].underlineX, 21);

    // Paused at line 3: its breakpoint is drawn red; the marker moves to the paused line only.
    model.markPausedLine(kInitialise, 3);
    rows = model.paintRows();
    EXPECT_EQ(rows[3].underline, RowPaint::Underline::Stopped);
    EXPECT_EQ(rows[3].colour, c::kExecutionMarker);
    EXPECT_EQ(rows[5].colour, c::kOtherCurrent); // selected, so in the darker shade

    model.profileShown = true;
    Profile profile;
    profile.ticks[0].assign(12, 0);
    profile.ticks[0][2] = 250;
    profile.total = 1000;
    ide.interpreter.debugger().setProfile(profile);
    rows = model.paintRows();
    EXPECT_EQ(rows[2].profile, "25");
    EXPECT_EQ(rows[1].profile, "0");
    EXPECT_EQ(rows[3].textX, 61);
    EXPECT_EQ(rows[3].underlineX, 21);
    // View > Hit Counts: the same column shows how many times each line ran (a profile without
    // counts, none).
    model.hitCountsShown = true;
    EXPECT_EQ(model.paintRows()[2].profile, "");
    profile.counts[0].assign(12, 0);
    profile.counts[0][2] = 12345;
    ide.interpreter.debugger().setProfile(profile);
    rows = model.paintRows();
    EXPECT_EQ(rows[2].profile, "12345");
    EXPECT_EQ(rows[1].profile, "0");
    EXPECT_EQ(rows[3].textX, 93); // a wider column
    model.hitCountsShown = false;
    EXPECT_EQ(model.paintRows()[2].profile, "25");

    // The column's text: a percentage with at most two decimals.
    const uint64_t big = std::numeric_limits<uint64_t>::max();
    const std::tuple<uint64_t, uint64_t, std::string> cases[] = {
        {1, 3, "33.33"}, {1, 2, "50"}, {1, 8, "12.5"}, {0, 5, "0"}, {5, 5, "100"}, {3, 0, "0"}, {big / 2, big, "50"}};
    for (const auto& [ticks, total, text] : cases)
        EXPECT_EQ(profileTimeText(ticks, total), text) << ticks << "/" << total;
}

// Every text, profile figure and underline reads on its row, in each state a row can be in: inside a
// selection of one line or of all, current or not, paused at, with a breakpoint, below zero.
TEST_F(ViewRowsTest, EveryTextAndMarkReadsOnItsRow)
{
    toggleAt(2);
    toggleAt(8);
    model.profileShown = true;
    Profile profile;
    profile.ticks[0].assign(12, 1);
    profile.total = 12;
    ide.interpreter.debugger().setProfile(profile);
    const auto contrast = [](Rgb a, Rgb b) { return contrastRatio(QColor(a.r, a.g, a.b), QColor(b.r, b.g, b.b)); };
    for (const int current : {0, 5, 8})
        for (const bool all : {false, true}) {
            select(all ? 0 : current, all ? 11 : current, current);
            model.markPausedLine(kInitialise, all ? 8 : 3);
            for (const RowPaint& row : model.paintRows()) {
                const std::string where = "line " + std::to_string(row.line) + (all ? " all" : " one");
                EXPECT_GE(contrast(row.colour, row.background), kReadableContrast) << where;
                EXPECT_GE(contrast(row.profileColour, row.background), kReadableContrast) << where;
                if (row.underline != RowPaint::Underline::None) {
                    EXPECT_GE(contrast(row.underlineColour, row.background), kReadableContrast) << where;
                }
            }
        }
}

TEST_F(ViewModelTest, CachedIndentationAgreesWithAFreshCountAfterScrollingAndEditing)
{
    auto b = build();
    b.add("DeclareVariable", test::variableFields("Integer", "A", "0"));
    for (int i = 0; i < 60; ++i) {
        b.add("If", test::ifFields("A", "Equal", "1")).add("Comment", {"c"});
        if (i % 3 == 0)
            b.add("EndIf");
    }
    // Each count walks the cache from the line asked about before; a fresh count must agree.
    for (long n : {100L, 20L, 150L, 0L, 101L}) {
        const int cached = model.indentationAt(n);
        model.invalidateIndentation();
        EXPECT_EQ(cached, model.indentationAt(n)) << n;
    }
    const int at100 = model.indentationAt(100);
    EXPECT_EQ(at100, 20 * (42 - 14)); // 42 Ifs and 14 EndIfs above line 100

    // Editing a line above the top line (a comment becomes an If) is seen at once.
    model.view().currentLine = 3;
    answer = EditedLine{kIf, "If", ParamBlock()};
    model.editCurrentLine();
    EXPECT_EQ(model.indentationAt(100), at100 + 20);
}

} // namespace
} // namespace qel
