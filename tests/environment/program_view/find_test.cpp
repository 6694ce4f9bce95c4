// Find, Find Next and the Functions List move the view's cursor through every section.
#include "environment/program_view/find_dialogs.h"
#include "environment/program_view/find_in_code.h"
#include "shell_test_support.h"

#include <QListWidget>

namespace qel {
namespace {

// Initialise: a DrawLine and a comment; Mouse: a comment naming drawline; Timer: the function Go.
struct FindTest : test::AppTest {
    FindTest()
    {
        EXPECT_TRUE(app->start({}));
        test::ProgramBuilder b(ide().program, ide().variables);
        b.section(kInitialise).add("DrawLine", {"1", "2", "3", "4", "1", "Red", ""}).add("Comment", {"paint the sky"});
        b.section(kMouse).add("Comment", {"a drawline note"});
        b.section(kTimer).add("DeclareFunction", test::functionFields("Go", "", "Integer")).add("EndFunction");
        view = frame().view();
    }
    LineCursor at() { return {view->model().section(), static_cast<uint32_t>(view->model().view().currentLine)}; }
    // Find with the dialog: the text typed, then OK (or Cancel).
    void find(const QString& text, bool ok = true)
    {
        test::whenDialogOpens([=](QWidget* dialog) {
            auto* find = qobject_cast<CFindInCode*>(dialog);
            ASSERT_NE(find, nullptr);
            find->field()->setText(text);
            ok ? find->accept() : find->reject();
        });
        view->find();
    }
    CQelView* view = nullptr;
};

TEST_F(FindTest, FindStartsAtTheTopAndFindNextWrapsRoundOnce)
{
    view->showSection(kMouse);
    find("drawline"); // any letter case; always from section 0 line 0
    EXPECT_EQ(at(), (LineCursor{kInitialise, 1}));
    EXPECT_EQ(view->model().view().selectionStart, 1);
    view->findNext();
    EXPECT_EQ(at().section, kMouse);
    EXPECT_EQ(ide().program.sections[kMouse].lines[at().index].text, "a drawline note");
    view->findNext(); // on from the Mouse section round to the Initialise section
    EXPECT_EQ(at(), (LineCursor{kInitialise, 1}));
    EXPECT_TRUE(messages.messages.empty());

    find("sky");
    view->findNext(); // the only match: the line found is not examined again
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"No match found"});
    EXPECT_EQ(messages.messages.back().icon, Icon::Exclamation);
    EXPECT_EQ(at(), (LineCursor{kInitialise, 2}));

    // An empty field (or Cancel) finds nothing and forgets the text: Find Next then does nothing.
    find("");
    view->findNext();
    find("sky", false);
    view->findNext();
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(at(), (LineCursor{kInitialise, 2}));
}

TEST_F(FindTest, TheFunctionsListGoesToTheChosenDeclarationWhateverItsNameLength)
{
    const std::vector<FunctionEntry> entries = functionsList(ide().program);
    ASSERT_GE(entries.size(), 3u);
    EXPECT_EQ(entries[0].text, "qelOnKeyDown(,,) returning <nothing>");
    const auto go = std::find_if(entries.begin(), entries.end(), [](auto& e) { return e.text.rfind("Go(", 0) == 0; });
    ASSERT_NE(go, entries.end());
    EXPECT_EQ(go->text, "Go(,,) returning <integer>");

    test::whenDialogOpens([&](QWidget* dialog) {
        auto* list = qobject_cast<CFunctionsList*>(dialog);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->windowTitle(), "Functions List");
        list->list()->setCurrentRow(static_cast<int>(go - entries.begin()));
        list->accept();
    });
    view->functionsList();
    EXPECT_EQ(at(), go->declaration);
    EXPECT_EQ(at().section, kTimer);
}

} // namespace
} // namespace qel
