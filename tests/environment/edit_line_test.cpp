// EditLine: the Add An Instruction dialog, then the chosen instruction's dialog or its fixed text,
// the closing lines after new block-opening lines, and the refusal to edit fixed-text lines. The
// dialogs run through a scripted runner that works their widgets as a user would.
#include "environment/editors/dialog_runner.h"
#include "environment/editors/ins_blank_dialog.h"
#include "environment/editors/instruction_dialog.h"
#include "environment/ide_state.h"
#include "environment/line_editing.h"
#include "program/instruction_table.h"
#include "support/program_builder.h"
#include "support/recording_host.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace qel {
namespace {

using test::RecordedMessage;

using Step = std::function<void(QDialog&)>;

// Plays one step per dialog EditLine opens, in order.
class ScriptedDialogs {
public:
    explicit ScriptedDialogs(std::deque<Step> steps) : steps_(std::move(steps)) {}
    DialogRunner runner()
    {
        return [this](QDialog& dialog) {
            titles.push_back(dialog.windowTitle().toStdString());
            dialog.show();
            if (!steps_.empty()) {
                Step step = steps_.front();
                steps_.pop_front();
                step(dialog);
            }
            return dialog.result();
        };
    }
    std::vector<std::string> titles;

private:
    std::deque<Step> steps_;
};

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

Step cancel()
{
    return [](QDialog& d) { d.reject(); };
}

class EditLineTest : public ::testing::Test {
protected:
    EditLineTest()
    {
        ide.host.messageRecorder = &messages;
        test::ProgramBuilder build(ide.program, ide.variables);
        build.add("DeclareVariable", test::variableFields("Integer", "A"));
        build.add("Comment", {"two"});
        build.add("Comment", {"three"});
        build.add("Comment", {"four"});
    }

    // As the view's Insert after and Append leave the EditBuffer.
    void insertAfter(long n)
    {
        ide.program.edit.section = kInitialise;
        ide.program.edit.target = static_cast<int32_t>(n);
        ide.program.insertBlankAfter(n);
    }
    void append()
    {
        ide.program.edit.section = kInitialise;
        ide.program.edit.target = -1;
        ide.program.edit.type = kBlank;
        ide.program.edit.text.clear();
    }
    // As the view's Edit leaves it.
    void edit(long n)
    {
        EditBuffer& b = ide.program.edit;
        b.section = kInitialise;
        b.target = static_cast<int32_t>(n);
        ide.program.goToLine(kInitialise, n, &b.text, &b.block, &b.type);
    }
    bool run(ScriptedDialogs& dialogs, int mode, char letter = 0)
    {
        return EditLine(ide, nullptr, mode, letter, dialogs.runner());
    }
    const std::vector<ProgramLine>& lines() const { return ide.program.sections[kInitialise].lines; }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const ProgramLine& l : lines())
            out.push_back(l.text);
        return out;
    }

    IdeState ide;
    test::RecordingHost messages;
};

TEST_F(EditLineTest, IfAfterLineThreeIsFollowedByItsEndIf)
{
    insertAfter(3);
    ScriptedDialogs dialogs({addKeyword("If"), fillAndOk({{1, "A"}, {2, "Equal"}, {3, "1"}})});
    EXPECT_TRUE(run(dialogs, 2));
    EXPECT_EQ(dialogs.titles, (std::vector<std::string>{"Add An Instruction", "If"}));
    ASSERT_EQ(lines().size(), 7u);
    EXPECT_EQ(lines()[4].type, kIf);
    EXPECT_EQ(lines()[4].text, "If A Equal 1 Then");
    EXPECT_EQ(lines()[5].type, kEndIf);
    EXPECT_EQ(lines()[5].text, "EndIf");
    EXPECT_TRUE(lines()[5].block.isEmpty());
    EXPECT_EQ(lines()[6].text, "four");
}

TEST_F(EditLineTest, CancellingTheIfDialogLeavesOnlyTheBlankLine)
{
    insertAfter(3);
    ScriptedDialogs dialogs({addKeyword("If"), cancel()});
    EXPECT_FALSE(run(dialogs, 2));
    ASSERT_EQ(lines().size(), 6u);
    EXPECT_EQ(lines()[4].type, kBlank);
    EXPECT_EQ(lines()[5].text, "four");

    ScriptedDialogs chooserCancelled({cancel()});
    insertAfter(1);
    EXPECT_FALSE(run(chooserCancelled, 2));
    EXPECT_EQ(chooserCancelled.titles.size(), 1u);
    EXPECT_EQ(lines().size(), 7u);
}

TEST_F(EditLineTest, ForByAppendEndsTheSectionWithNext)
{
    append();
    ScriptedDialogs dialogs({addKeyword("for"), fillAndOk({{0, "I"}, {1, "1"}, {2, "10"}})});
    EXPECT_TRUE(run(dialogs, 2));
    ASSERT_EQ(lines().size(), 7u);
    EXPECT_EQ(lines()[5].type, kFor);
    EXPECT_EQ(lines()[6].type, kNext);
    EXPECT_EQ(lines()[6].text, "Next");
}

TEST_F(EditLineTest, ChoosingStopStoresItAtOnce)
{
    insertAfter(1);
    ScriptedDialogs dialogs({[](QDialog& d) {
        auto& chooser = dynamic_cast<InsBlank&>(d);
        QListWidget* control = chooser.list(6);
        control->setCurrentRow(0); // Stop
        QTest::keyClick(control, Qt::Key_Return);
    }});
    EXPECT_TRUE(run(dialogs, 2));
    EXPECT_EQ(dialogs.titles.size(), 1u);
    ASSERT_EQ(lines().size(), 6u);
    EXPECT_EQ(lines()[2].type, kStop);
    EXPECT_EQ(lines()[2].text, "Stop");
    EXPECT_TRUE(lines()[2].block.isEmpty());
}

TEST_F(EditLineTest, EditingAFixedTextLineIsRefusedAndLeavesIt)
{
    test::ProgramBuilder(ide.program, ide.variables).add("While", {"A", "", "3"}).add("EndWhile");
    const std::vector<std::string> before = texts();
    edit(6);
    ScriptedDialogs dialogs({});
    EXPECT_FALSE(run(dialogs, 1));
    EXPECT_TRUE(dialogs.titles.empty());
    EXPECT_EQ(messages.messages,
              (std::vector<RecordedMessage>{{"An EndWhile statement can not be edited.", Icon::Exclamation}}));
    EXPECT_EQ(texts(), before);
    EXPECT_EQ(lines()[6].type, kEndWhile);
}

TEST_F(EditLineTest, EditingAnIfAddsNoSecondEndIf)
{
    test::ProgramBuilder(ide.program, ide.variables).add("If", test::ifFields("A", "Equal", "1")).add("EndIf");
    edit(5);
    ScriptedDialogs dialogs({fillAndOk({{3, "0"}})}); // "1" becomes "10"
    EXPECT_TRUE(run(dialogs, 1));
    ASSERT_EQ(lines().size(), 7u);
    EXPECT_EQ(lines()[5].text, "If A Equal 10 Then");
    EXPECT_EQ(lines()[6].type, kEndIf);
}

TEST_F(EditLineTest, TypedLetterStartsTheChooserAndDeclaringCreatesTheVariable)
{
    insertAfter(4);
    std::string seen;
    ScriptedDialogs dialogs({[&seen](QDialog& d) {
                                 auto& chooser = dynamic_cast<InsBlank&>(d);
                                 seen = chooser.instructionField()->text().toStdString();
                                 QTest::keyClicks(chooser.instructionField(), "v"); // "Dv" expands
                                 QTest::keyClick(chooser.addButton(), Qt::Key_Return);
                             },
                             fillAndOk({{0, "String"}, {4, "Title"}})});
    EXPECT_TRUE(run(dialogs, 2, 'D'));
    EXPECT_EQ(seen, "D");
    EXPECT_EQ(dialogs.titles.back(), "Declare Variables");
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
        ScriptedDialogs dialogs({});
        EXPECT_FALSE(run(dialogs, 2));
        EXPECT_TRUE(dialogs.titles.empty());
    }
    EXPECT_EQ(lines().size(), 5u);
    EXPECT_TRUE(messages.messages.empty());
}

} // namespace
} // namespace qel
