// EditLine: the Add An Instruction dialog, then the chosen instruction's dialog or its fixed text,
// the closing lines after new block-opening lines, and the refusal to edit fixed-text lines. The
// dialogs run through a scripted runner that works their widgets as a user would.
#include "environment/editors/dialog_runner.h"
#include "environment/editors/ins_blank_dialog.h"
#include "environment/editors/instruction_dialog.h"
#include "environment/ide_state.h"
#include "environment/program_view/line_editing.h"
#include "program/instruction_table.h"
#include "shell_test_support.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

#include <deque>
#include <functional>

namespace qel {
namespace {

using test::RecordedMessage;

using Step = std::function<void(QDialog&)>;

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

class EditLineTest : public ::testing::Test {
protected:
    EditLineTest()
    {
        ide.host.messageRecorder = &messages;
        test::ProgramBuilder build(ide.program, ide.variables);
        build.add("DeclareVariable", test::variableFields("Integer", "A"));
        build.add("Comment", {"two"}).add("Comment", {"three"}).add("Comment", {"four"});
    }

    // As the view's Insert after, Append and Edit leave the EditBuffer.
    void insertAfter(long n) { ide.program.insertBlankAfter(kInitialise, n); }
    void append()
    {
        ide.program.edit.section = kInitialise;
        ide.program.edit.target = -1;
        ide.program.edit.type = kBlank;
        ide.program.edit.text.clear();
    }
    void edit(long n)
    {
        EditBuffer& b = ide.program.edit;
        b.section = kInitialise;
        b.target = static_cast<int32_t>(n);
        const ProgramLine& line = ide.program.sections[kInitialise].lines[static_cast<size_t>(n)];
        std::tie(b.text, b.block, b.type) = std::tie(line.text, line.block, line.type);
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

    IdeState ide;
    test::RecordingHost messages;
    std::vector<std::string> titles;
};

TEST_F(EditLineTest, NewBlockOpeningLinesAreFollowedByTheirClosingLine)
{
    insertAfter(3);
    EXPECT_TRUE(run({addKeyword("If"), fillAndOk({{1, "A"}, {2, "Equal"}, {3, "1"}})}, 2));
    EXPECT_EQ(titles, (std::vector<std::string>{"Add An Instruction", "If"}));
    ASSERT_EQ(lines().size(), 7u);
    EXPECT_EQ(lines()[4].type, kIf);
    EXPECT_EQ(lines()[4].text, "If A Equal 1 Then");
    EXPECT_EQ(lines()[5].type, kEndIf);
    EXPECT_EQ(lines()[5].text, "EndIf");
    EXPECT_TRUE(lines()[5].block.isEmpty());
    EXPECT_EQ(lines()[6].text, "four");

    append();
    EXPECT_TRUE(run({addKeyword("for"), fillAndOk({{0, "I"}, {1, "1"}, {2, "10"}})}, 2));
    ASSERT_EQ(lines().size(), 9u);
    EXPECT_EQ(lines()[7].type, kFor);
    EXPECT_EQ(lines()[8].type, kNext);
    EXPECT_EQ(lines()[8].text, "Next");
}

TEST_F(EditLineTest, CancellingEitherDialogLeavesOnlyTheBlankLine)
{
    insertAfter(3);
    EXPECT_FALSE(run({addKeyword("If"), cancel}, 2));
    ASSERT_EQ(lines().size(), 6u);
    EXPECT_EQ(lines()[4].type, kBlank);
    EXPECT_EQ(lines()[5].text, "four");

    insertAfter(1);
    EXPECT_FALSE(run({cancel}, 2));
    EXPECT_EQ(titles.size(), 1u);
    EXPECT_EQ(lines().size(), 7u);
}

TEST_F(EditLineTest, ChoosingStopStoresItAtOnce)
{
    insertAfter(1);
    EXPECT_TRUE(run({[](QDialog& d) {
                        QListWidget* control = dynamic_cast<InsBlank&>(d).list(6);
                        control->setCurrentRow(0); // Stop
                        QTest::keyClick(control, Qt::Key_Return);
                    }},
                    2));
    EXPECT_EQ(titles.size(), 1u);
    ASSERT_EQ(lines().size(), 6u);
    EXPECT_EQ(lines()[2].type, kStop);
    EXPECT_EQ(lines()[2].text, "Stop");
    EXPECT_TRUE(lines()[2].block.isEmpty());
}

TEST_F(EditLineTest, EditingRefusesFixedTextLinesAndAddsNoSecondClosingLine)
{
    test::ProgramBuilder(ide.program, ide.variables)
        .add("While", {"A", "", "3"})
        .add("EndWhile")
        .add("If", test::ifFields("A", "Equal", "1"))
        .add("EndIf");
    const std::vector<std::string> before = test::lineTexts(ide.program, kInitialise);
    edit(6);
    EXPECT_FALSE(run({}, 1));
    EXPECT_TRUE(titles.empty());
    EXPECT_EQ(messages.messages,
              (std::vector<RecordedMessage>{{"An EndWhile statement can not be edited.", Icon::Exclamation}}));
    EXPECT_EQ(test::lineTexts(ide.program, kInitialise), before);
    EXPECT_EQ(lines()[6].type, kEndWhile);

    edit(7);
    EXPECT_TRUE(run({fillAndOk({{3, "0"}})}, 1)); // "1" becomes "10"
    ASSERT_EQ(lines().size(), 9u);
    EXPECT_EQ(lines()[7].text, "If A Equal 10 Then");
    EXPECT_EQ(lines()[8].type, kEndIf);
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
    EXPECT_EQ(lines()[5].type, kDeclareVariable);
    const VariableRecord* v = ide.variables.findVariable("Title");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->type, kTypeString);
}

TEST_F(EditLineTest, InvalidTypesDoNothing)
{
    for (uint32_t type : {5u, 18u, 81u}) {
        append();
        ide.program.edit.type = type;
        EXPECT_FALSE(run({}, 2));
        EXPECT_TRUE(titles.empty());
    }
    EXPECT_EQ(lines().size(), 5u);
    EXPECT_TRUE(messages.messages.empty());
}

} // namespace
} // namespace qel
