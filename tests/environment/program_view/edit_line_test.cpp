// EditLine: the Add An Instruction dialog, then the chosen instruction's dialog or its fixed text,
// the closing lines after new block-opening lines, and the refusal to edit fixed-text lines. The
// dialogs run through a scripted runner that works their widgets as a user would.
#include "environment/editors/dialog_runner.h"
#include "environment/editors/ins_blank_dialog.h"
#include "environment/editors/instruction_dialog.h"
#include "environment/program_view/line_editing.h"
#include "shell_test_support.h"

#include <QListWidget>

#include <deque>

namespace qel {
namespace {

using Step = std::function<void(QDialog&)>;
using Texts = std::vector<std::string>;
using Typed = test::TypedLines;

// Types a keyword into the Add An Instruction dialog and adds it.
Step addKeyword(const char* keyword)
{
    return [keyword](QDialog& d) {
        auto& chooser = dynamic_cast<InsBlank&>(d);
        QTest::keyClicks(chooser.instructionField(), keyword);
        QTest::mouseClick(chooser.addButton(), Qt::LeftButton);
    };
}

// Types each value into the instruction dialog's field of that index (lists: chooses the item), then OK.
Step fillAndOk(std::vector<std::pair<int, const char*>> values)
{
    return [values](QDialog& d) {
        auto& dialog = dynamic_cast<InstructionDialog&>(d);
        for (const auto& [field, text] : values) {
            QWidget* w = dialog.fieldWidget(field);
            auto* box = qobject_cast<QComboBox*>(w);
            if (box && !box->isEditable())
                box->setCurrentText(text);
            else
                QTest::keyClicks(box ? box->lineEdit() : w, text);
        }
        QTest::mouseClick(dialog.buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    };
}

const Step cancel = [](QDialog& d) { d.reject(); };

// Initialise: its title, DeclareVariable A, then the comments "two", "three" and "four".
class EditLineTest : public ::testing::Test {
protected:
    EditLineTest()
    {
        ide.host.messageRecorder = &messages;
        test::ProgramBuilder build(ide.program, ide.variables);
        build.add("DeclareVariable", test::variableFields("Integer", "A"));
        build.add("Comment", {"two"}).add("Comment", {"three"}).add("Comment", {"four"});
    }

    // As the view's Insert after and Append leave the EditBuffer.
    void insertAfter(long n) { ide.program.insertBlankAfter(kInitialise, n); }
    void append(uint32_t type = kBlank)
    {
        ide.program.edit = EditBuffer{};
        ide.program.edit.section = kInitialise;
        ide.program.edit.type = type;
    }
    // Runs EditLine playing one step per dialog it opens, in order; `titles` records the dialogs.
    bool run(std::deque<Step> steps, int mode, char letter = 0)
    {
        titles.clear();
        return EditLine(ide, nullptr, mode, letter, [&](QDialog& dialog) {
            titles.push_back(dialog.windowTitle().toStdString());
            dialog.show();
            if (!steps.empty()) {
                const Step step = steps.front();
                steps.pop_front();
                step(dialog);
            }
            return dialog.result();
        });
    }
    const std::vector<ProgramLine>& lines() const { return ide.program.sections[kInitialise].lines; }
    Typed from(size_t n) const { return test::typedLines(ide.program, n); }

    IdeState ide;
    test::RecordingHost messages;
    Texts titles;
};

TEST_F(EditLineTest, NewBlockOpeningLinesAreFollowedByTheirClosingLine)
{
    insertAfter(3);
    EXPECT_TRUE(run({addKeyword("If"), fillAndOk({{1, "A"}, {2, "Equal"}, {3, "1"}})}, 2));
    EXPECT_EQ(titles, (Texts{"Add An Instruction", "If"}));
    EXPECT_TRUE(lines()[5].block.isEmpty());
    append();
    EXPECT_TRUE(run({addKeyword("for"), fillAndOk({{0, "I"}, {1, "1"}, {2, "10"}})}, 2));
    EXPECT_EQ(from(3), (Typed{{kComment, "three"},
                              {kIf, "If A Equal 1 Then"},
                              {kEndIf, "EndIf"},
                              {kComment, "four"},
                              {kFor, "For I = 1 To 10"},
                              {kNext, "Next"}}));
}

TEST_F(EditLineTest, CancellingEitherDialogLeavesOnlyTheBlankLineAndStopIsStoredAtOnce)
{
    insertAfter(3);
    EXPECT_FALSE(run({addKeyword("If"), cancel}, 2));
    EXPECT_EQ(from(3), (Typed{{kComment, "three"}, {kBlank, ""}, {kComment, "four"}}));
    insertAfter(1);
    EXPECT_FALSE(run({cancel}, 2));
    EXPECT_EQ(titles.size(), 1u);
    EXPECT_EQ(lines().size(), 7u);

    // Stop has no dialog of its own.
    insertAfter(1);
    EXPECT_TRUE(run({[](QDialog& d) {
                        QListWidget* control = dynamic_cast<InsBlank&>(d).list(6);
                        control->setCurrentRow(0); // Stop
                        QTest::keyClick(control, Qt::Key_Return);
                    }},
                    2));
    EXPECT_EQ(titles.size(), 1u);
    EXPECT_EQ(
        from(2),
        (Typed{
            {kStop, "Stop"}, {kBlank, ""}, {kComment, "two"}, {kComment, "three"}, {kBlank, ""}, {kComment, "four"}}));
    EXPECT_TRUE(lines()[2].block.isEmpty());
}

TEST_F(EditLineTest, EditingRefusesFixedTextLinesAndAddsNoSecondClosingLine)
{
    test::ProgramBuilder(ide.program, ide.variables)
        .add("While", {"A", "", "3"})
        .add("EndWhile")
        .add("If", test::ifFields("A", "Equal", "1"))
        .add("EndIf");
    const Typed before = from(0);
    test::loadEditBuffer(ide.program, 6);
    EXPECT_FALSE(run({}, 1));
    EXPECT_TRUE(titles.empty());
    EXPECT_EQ(messages.messages,
              (std::vector<test::RecordedMessage>{{"An EndWhile statement can not be edited.", Icon::Exclamation}}));
    EXPECT_EQ(from(0), before);

    test::loadEditBuffer(ide.program, 7);
    EXPECT_TRUE(run({fillAndOk({{3, "0"}})}, 1)); // "1" becomes "10"
    EXPECT_EQ(from(7), (Typed{{kIf, "If A Equal 10 Then"}, {kEndIf, "EndIf"}}));
}

TEST_F(EditLineTest, TypedLetterStartsTheChooserAndDeclaringCreatesTheVariable)
{
    insertAfter(4);
    std::string seen;
    const Step chooseDv = [&seen](QDialog& d) {
        auto& chooser = dynamic_cast<InsBlank&>(d);
        seen = chooser.instructionField()->text().toStdString();
        QTest::keyClicks(chooser.instructionField(), "v"); // "Dv" expands
        QTest::keyClick(chooser.addButton(), Qt::Key_Return);
    };
    EXPECT_TRUE(run({chooseDv, fillAndOk({{0, "String"}, {4, "Title"}})}, 2, 'D'));
    EXPECT_EQ(seen, "D");
    EXPECT_EQ(titles.back(), "Declare Variables");
    ASSERT_EQ(lines().size(), 6u);
    EXPECT_NE(ide.variables.findVariable("Title"), nullptr);

    // Types with no instruction do nothing.
    for (uint32_t type : {5u, 18u, 81u}) {
        append(type);
        EXPECT_FALSE(run({}, 2));
        EXPECT_TRUE(titles.empty());
    }
    EXPECT_EQ(lines().size(), 6u);
    EXPECT_TRUE(messages.messages.empty());
}

} // namespace
} // namespace qel
