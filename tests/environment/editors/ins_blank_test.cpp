// The Add An Instruction dialog: its lists, choosing, the short codes, and Add.
#include "environment/editors/ins_blank_dialog.h"
#include "environment/editors/ins_blank_model.h"
#include "shell_test_support.h"
#include "support/temp_files.h"

#include <QListWidget>

namespace qel {
namespace {

std::vector<std::string> labels(const InsBlankList& list)
{
    std::vector<std::string> out;
    for (const InsBlankItem& item : list.items)
        out.push_back(item.label);
    return out;
}

TEST(InsBlankModelTest, ListsHoldTheirItemsInOrderAndShortCodesExpandOnlyAtTheirExactLength)
{
    const auto& lists = insBlankLists();
    ASSERT_EQ(lists.size(), 12u);
    EXPECT_EQ(labels(lists[0]),
              (std::vector<std::string>{"DeclareFunction -df", "EndFunction", "", "Call", "CallUsing", "Return", "",
                                        "If", "Else", "EndIf", "", "For", "Next", "", "While", "EndWhile", "",
                                        "BreakOutOfLoop -bo", "Continue -con"}));
    EXPECT_EQ(labels(lists[11]), (std::vector<std::string>{"PrintStart", "PrintStop", "PrintEject"}));

    // An item can be chosen exactly when its instruction has a dialog or a fixed text.
    size_t items = 0;
    for (const InsBlankList& list : lists)
        for (const InsBlankItem& item : list.items) {
            if (!item.type) {
                EXPECT_FALSE(item.choosable());
                continue;
            }
            ++items;
            const InstructionInfo& info = *instructionInfo(*item.type);
            EXPECT_EQ(item.available, !info.fixedText.empty() || editorFor(*item.type) != nullptr) << item.label;
        }
    EXPECT_EQ(items, 68u); // every keyword but TraceOn and TraceOff

    InsBlankModel model;
    // What is typed, and the keyword it becomes (none: it stays as typed).
    const std::pair<const char*, std::optional<std::string>> codes[] = {{"dl", "DrawLine"},    {"dr", std::nullopt},
                                                                        {"dRe", "DrawRect"},   {"con", "Continue"},
                                                                        {"dlx", std::nullopt}, {"Stop", std::nullopt}};
    for (const auto& [typed, keyword] : codes)
        EXPECT_EQ(model.typed(typed), keyword) << typed;
}

// Under a lesson profile the lists hold only what it allows (with the lines that continue or close
// its blocks), with no separator at an end or beside another; neither short codes nor keywords reach
// the rest, and the dialog shows the same lists.
TEST(InsBlankModelTest, ALessonProfileLimitsTheListsTheShortCodesAndAdd)
{
    const std::string folder = test::makeTempFolder();
    test::writeBytes(folder + "/lesson.txt", std::string("If\nFor\nDrawLine\n"));
    const LessonProfile profile = readLessonProfile(folder + "/lesson.txt");
    InsBlankModel model(&profile);
    EXPECT_EQ(labels(model.lists()[0]), (std::vector<std::string>{"If", "Else", "EndIf", "", "For", "Next"}));
    size_t items = 0;
    for (const InsBlankList& list : model.lists())
        for (const InsBlankItem& item : list.items)
            items += item.type ? 1 : 0;
    EXPECT_EQ(items, 7u); // and Comment, always allowed
    EXPECT_EQ(model.typed("dl"), "DrawLine");
    EXPECT_EQ(model.typed("dc"), std::nullopt);
    EXPECT_EQ(model.add("drawline"), kDrawLine);
    EXPECT_EQ(model.add("DrawCircle"), std::nullopt);
    EXPECT_EQ(model.select(0, 3), std::nullopt); // the separator between the blocks

    InsBlank dialog(0, nullptr, &profile);
    EXPECT_EQ(dialog.list(0)->count(), 6);
}

class InsBlankDialogTest : public ::testing::Test {
protected:
    void SetUp() override { dialog.show(); }

    void clickItem(size_t list, int row, bool twice = false)
    {
        QListWidget* w = dialog.list(list);
        const QPoint at = w->visualItemRect(w->item(row)).center();
        QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, at);
        if (twice) // the test's double click event alone, without the click before it
            QTest::mouseDClick(w->viewport(), Qt::LeftButton, {}, at);
    }
    QString field() const { return dialog.instructionField()->text(); }

    InsBlank dialog;
};

TEST_F(InsBlankDialogTest, TypingDThenLGivesDrawLineAndMovesToAdd)
{
    // The field and the lists are pale yellow.
    EXPECT_EQ(dialog.instructionField()->palette().color(QPalette::Base), QColor(255, 255, 200));
    EXPECT_EQ(dialog.list(3)->palette().color(QPalette::Base), QColor(255, 255, 200));
    QTest::keyClick(dialog.instructionField(), 'D');
    QTest::keyClick(dialog.instructionField(), 'L');
    EXPECT_EQ(field(), "DrawLine");
    EXPECT_EQ(dialog.instructionField()->cursorPosition(), 8);
    EXPECT_EQ(dialog.focusWidget(), dialog.addButton());
}

TEST_F(InsBlankDialogTest, UnknownTextBecomesInvalidKeywordSelectedAndTheDialogStays)
{
    QTest::keyClicks(dialog.instructionField(), "Forms2Open");
    QTest::keyClick(dialog.instructionField(), Qt::Key_Return);
    EXPECT_EQ(field(), "<Invalid keyword>");
    EXPECT_EQ(dialog.instructionField()->selectedText(), "<Invalid keyword>");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.chosenType(), std::nullopt);

    // The selected text is replaced by what is typed next; a space then adds.
    QTest::keyClicks(dialog.instructionField(), "stop");
    EXPECT_EQ(field(), "stop");
    QTest::keyClick(dialog.instructionField(), Qt::Key_Space);
    EXPECT_EQ(dialog.chosenType(), kStop);
}

TEST_F(InsBlankDialogTest, ChoosingFromAListShowsTheLabelUntilTypingForgetsIt)
{
    clickItem(7, 5); // DrawLine -dl
    EXPECT_EQ(field(), "DrawLine -dl");
    clickItem(1, 1); // Let
    EXPECT_EQ(field(), "Let");
    EXPECT_TRUE(dialog.list(7)->selectedItems().isEmpty());

    QTest::keyClicks(dialog.instructionField(), "x");
    EXPECT_TRUE(dialog.list(1)->selectedItems().isEmpty());
    QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
    EXPECT_EQ(field(), "<Invalid keyword>");
    EXPECT_EQ(dialog.chosenType(), std::nullopt);

    clickItem(1, 1);
    QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.chosenType(), kLet);
}

TEST_F(InsBlankDialogTest, DoubleClickChoosesAtOnceButNotASeparator)
{
    EXPECT_FALSE(dialog.list(0)->item(2)->flags() & Qt::ItemIsEnabled);
    clickItem(0, 2, true);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.chosenType(), std::nullopt);
    EXPECT_EQ(field(), "");

    clickItem(6, 0, true); // Stop
    EXPECT_EQ(dialog.chosenType(), kStop);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace qel
