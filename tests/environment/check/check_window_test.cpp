// Run > Check Program and Tools > Lesson Profile in the application: the Check window's rows and
// where they lead, its empty state, and a profile chosen, marked in the view, remembered and cleared.
#include "environment/check/check_commands.h"
#include "environment/check/check_window.h"
#include "shell_test_support.h"

#include <QTreeWidget>

namespace qel {
namespace {

using test::ProgramBuilder;
using namespace examples;

std::vector<QString> rowTexts(const QTreeWidget& list)
{
    std::vector<QString> out;
    for (int k = 0; k < list.topLevelItemCount(); ++k) {
        const QTreeWidgetItem* item = list.topLevelItem(k);
        out.push_back(item->text(0) + "|" + item->text(1) + "|" + item->text(2));
    }
    return out;
}

class CheckWindowTest : public test::AppTest {};

TEST_F(CheckWindowTest, ListsTheFindingsEachLeadingToItsLineAndSaysWhenThereAreNone)
{
    ASSERT_TRUE(app->start({}));
    ProgramBuilder(ide().program, ide().variables).add("Call", callFields("Missing")).add("Comment", {"x"});
    frame().commandAction(kCmdCheckProgram)->trigger();
    CCheckWindow* window = frame().checkCommands().window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(rowTexts(*window->list()), std::vector<QString>{"Initialise|1|Unable to find function - Missing"});

    frame().view()->model().showLine(kInitialise, 2);
    QTest::keyClick(window->list(), Qt::Key_Return); // Enter on the first row, as a double click
    EXPECT_EQ(frame().view()->model().view().currentLine, 1);
    EXPECT_TRUE(window->isVisible());

    ProgramBuilder(ide().program, ide().variables).add("DeclareFunction", functionFields("missing")).add("EndFunction");
    frame().commandAction(kCmdCheckProgram)->trigger();
    EXPECT_EQ(rowTexts(*window->list()), std::vector<QString>{"||No problems found."});
    Q_EMIT window->list()->itemActivated(window->list()->topLevelItem(0), 0); // leads nowhere
}

TEST_F(CheckWindowTest, ALessonProfileMarksTheLinesOutsideItIsRememberedAndCleared)
{
    const QString profile = dir.filePath("lesson.txt");
    test::writeBytes(profile.toStdString(), std::string("Call\nNoSuch\n"));
    ASSERT_TRUE(app->start({}));
    ProgramBuilder(ide().program, ide().variables)
        .add("Call", callFields("qelOnMove"))
        .add("DrawPoint", {"1", "1", "Red"});
    frame().checkCommands().chooseProfile = [&] { return profile; };
    frame().commandAction(kCmdLessonProfile)->trigger();
    ASSERT_TRUE(ide().lessonProfile.has_value());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"The lesson profile has problems:\n" + profile.toStdString() +
                                                         ":2: Unknown instruction keyword - NoSuch"});
    std::vector<bool> marked;
    for (const RowPaint& row : frame().view()->model().paintRows())
        marked.push_back(row.outsideProfile);
    EXPECT_EQ(marked, (std::vector<bool>{false, false, true}));
    frame().commandAction(kCmdCheckProgram)->trigger();
    EXPECT_EQ(rowTexts(*frame().checkCommands().window()->list()),
              std::vector<QString>{"Initialise|2|Instruction outside the lesson profile - DrawPoint"});

    app.reset(); // the next start reads it again
    makeApp();
    ASSERT_TRUE(ide().lessonProfile.has_value());
    EXPECT_TRUE(frame().commandAction(kCmdClearLessonProfile)->isEnabled());
    frame().commandAction(kCmdClearLessonProfile)->trigger();
    EXPECT_FALSE(ide().lessonProfile.has_value());
    EXPECT_FALSE(frame().commandAction(kCmdClearLessonProfile)->isEnabled());
    app.reset();
    makeApp();
    EXPECT_FALSE(ide().lessonProfile.has_value());
}

} // namespace
} // namespace qel
