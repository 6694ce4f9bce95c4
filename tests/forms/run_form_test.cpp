#include "forms/form_table.h"
#include "forms/run_form.h"
#include "support/form_files.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace qel;
using namespace qel::test;
using S = PropertyStatus;

namespace {

// Records what the form told its window.
struct FakeView : FormView {
    void titleChanged() override { calls.emplace_back("title"); }
    void sizeChanged() override { calls.emplace_back("size"); }
    void controlsCreated() override { calls.emplace_back("controls"); }
    void controlChanged(size_t index, ControlChange what) override
    {
        calls.push_back("change " + std::to_string(index) + " " + std::to_string(static_cast<int>(what)));
    }
    void focusControl(size_t index) override { calls.push_back("focus " + std::to_string(index)); }
    void repaint() override { calls.emplace_back("repaint"); }
    void closed() override { calls.emplace_back("closed"); }
    bool saw(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }
    std::vector<std::string> calls;
};

struct RunForms : ::testing::Test {
    RecordingHost host;
    std::vector<std::string> requests;
    // What a program function does when the form requests it, by name.
    std::map<std::string, std::function<void()>> functions;
    FakeView view;
    std::shared_ptr<RunForm> form;

    RunForm::Requester requester()
    {
        return [this](std::string_view name) {
            requests.emplace_back(name);
            if (auto f = functions.find(std::string(name)); f != functions.end())
                f->second();
        };
    }

    void open(const FormObjects& objects, FormMode mode = FormMode::Run)
    {
        const std::string path = tempFile(".frm");
        writeForm(path, objects);
        form = std::make_shared<RunForm>(mode, host, requester(), "");
        form->setView(&view);
        ASSERT_TRUE(form->open(path));
    }

    PropertyReply get(std::string_view object, std::string_view property)
    {
        return form->getProperty(object, *lookupProperty(property));
    }
    S set(std::string_view object, std::string_view property, std::string_view value)
    {
        return form->setProperty(object, *lookupProperty(property), value, false);
    }
};

// A quiz: a question, answers with hidden scores, a check box, an edit box and two buttons.
FormObjects quiz()
{
    FormObjects f = newForm("Quiz");
    f[0].onOpen = "Opening";
    f[0].onClose = "Closing";
    f.push_back(formObject(f, object_type::kStaticText, 10, 10, "stQuestion"));
    f.push_back(formObject(f, object_type::kComboBox, 10, 40, "cmbAnswer"));
    f.back().caption = "Paris;Rome;Oslo";
    f.back().caption2 = "1;0;-1";
    f.back().v1Style = "True";
    f.back().onSelected = "Chosen";
    f.push_back(formObject(f, object_type::kCheckBox, 10, 70, "chkSure"));
    f.back().onClick = "Toggled";
    f.push_back(formObject(f, object_type::kEdit, 10, 100, "txtName"));
    f.back().caption = "Ann";
    f.push_back(formObject(f, object_type::kButton, 10, 130, "buttOK"));
    f.back().onClick = "Answer";
    f.push_back(formObject(f, object_type::kButton, 90, 130, "buttNone"));
    f.push_back(formObject(f, object_type::kRectangle, 0, 0, "rectBack"));
    f.push_back(formObject(f, object_type::kLine, 0, 0, "lineRule"));
    f.push_back(formObject(f, object_type::kImage, 0, 0, "imgLogo"));
    return f;
}

constexpr size_t kCombo = 2, kCheck = 3, kEdit = 4, kOk = 5, kNone = 6;

} // namespace

TEST_F(RunForms, OpeningCallsOnOpenBeforeTheControlsFocusesTheLowestTabOrderAndLeavesOutControlsBeyondTheLimit)
{
    functions["Opening"] = [&] {
        EXPECT_FALSE(form->control(kOk).exists);
        // A value set before the controls exist waits for them.
        EXPECT_EQ(set("cmbAnswer", "cmbValue", "rome"), S::Ok);
        EXPECT_EQ(set("txtName", "txtValue", "Bo"), S::Ok);
        EXPECT_EQ(set("buttOK", "buttLocked", "True"), S::Ok);
    };
    open(quiz());
    EXPECT_EQ(requests, std::vector<std::string>{"Opening"});
    EXPECT_EQ(std::vector(view.calls.begin(), view.calls.begin() + 3),
              (std::vector<std::string>{"title", "size", "controls"}));
    EXPECT_TRUE(view.saw("focus 2")); // the combo box has the lowest tab order
    // The image has an identifier and no window.
    EXPECT_EQ(std::tuple(form->control(kOk).id, form->control(kNone).id, form->control(kCombo).id, form->control(9).id),
              std::tuple(1000, 1001, 1500, 1400));
    EXPECT_FALSE(form->control(9).exists);
    EXPECT_EQ(std::tuple(get("cmbAnswer", "cmbValue").value.text, get("txtName", "txtValue").value.text),
              std::tuple("Rome", "Bo"));
    EXPECT_FALSE(form->control(kOk).enabled);
    EXPECT_TRUE(host.messages.empty());

    // Controls beyond their type's limit are left out with one message.
    FormObjects f = newForm("Many");
    for (int k = 0; k < 26; ++k)
        f.push_back(formObject(f, object_type::kButton, 0, 0));
    f.push_back(formObject(f, object_type::kEdit, 0, 0));
    open(f);
    EXPECT_EQ(host.texts(), std::vector<std::string>{std::string(kTooManyButtons)});
    EXPECT_EQ(form->control(25).id, 1024);
    EXPECT_FALSE(form->control(26).exists);
    EXPECT_TRUE(form->control(27).exists);
}

TEST_F(RunForms, ComboItemsPairTextsWithHiddenValues)
{
    FormObjects f = quiz();
    f[kCombo].caption = "a;b;c";
    f[kCombo].caption2 = "7";
    open(f);
    EXPECT_EQ(host.texts(), std::vector<std::string>(2, std::string(kComboMoreItemsThanValues)));
    const ControlState& c = form->control(kCombo);
    ASSERT_EQ(c.items.size(), 3u);
    EXPECT_EQ(std::tuple(c.items[0].value, c.items[2].value), std::tuple(7, -1));
    // Nothing chosen yet; then the last, whose value is -1, not 4294967295.
    EXPECT_EQ(get("cmbAnswer", "cmbSelectionData").value.number, -1);
    EXPECT_EQ(get("cmbAnswer", "cmbSelectionValue").value.text, "");
    form->selectItem(kCombo, 2);
    EXPECT_EQ(requests.back(), "Chosen");
    EXPECT_EQ(
        std::tuple(get("cmbAnswer", "cmbSelectionData").value.text, get("cmbAnswer", "cmbSelectionValue").value.text),
        std::tuple("-1", "c"));
    // A new list empties the old one; its second item again has no value.
    EXPECT_EQ(set("cmbAnswer", "cmbData", "x;y;"), S::Ok);
    EXPECT_EQ(std::tuple(form->control(kCombo).items.size(), form->control(kCombo).selected), std::tuple(2u, -1));
    EXPECT_EQ(host.messages.size(), 3u);
}

TEST_F(RunForms, EventsRunTheirFunctionsWithTheControlsDisabled)
{
    functions["Toggled"] = [&] {
        EXPECT_EQ(get("chkSure", "chkValue").value.text, "False"); // turned before the function runs
        EXPECT_FALSE(form->control(kOk).enabled);
        EXPECT_FALSE(form->control(kEdit).enabled);
        form->click(kOk); // the form cannot start a second request
        EXPECT_EQ(set("buttOK", "buttLocked", "True"), S::Ok);
    };
    open(quiz());
    form->click(kCheck);
    EXPECT_EQ(requests, (std::vector<std::string>{"Opening", "Toggled"}));
    EXPECT_FALSE(form->control(kOk).enabled); // locked meanwhile
    EXPECT_TRUE(form->control(kEdit).enabled);
    form->click(kOk);
    EXPECT_EQ(requests.size(), 2u);

    form->click(kNone);
    EXPECT_EQ(host.texts(), std::vector<std::string>{std::string(kButtonWithoutAction)});
    form->editText(kEdit, "Cy"); // typing into an edit box calls nothing
    EXPECT_EQ(requests.size(), 2u);
}

TEST_F(RunForms, PreviewOnlySaysWhatItWouldCall)
{
    open(quiz(), FormMode::Preview);
    form->click(kCheck);
    form->click(kNone);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(host.texts(),
              (std::vector<std::string>{std::string(kWouldHaveCalled) + "Opening",
                                        std::string(kWouldHaveCalled) + "Toggled", std::string(kButtonWithoutAction)}));
}

TEST_F(RunForms, AFormClosedFromItsOwnCodeGoesWhenTheCodeReturnsAndOneClosedWhileOpeningIsNotBuilt)
{
    functions["Answer"] = [&] {
        form->closeByProgram();
        form->closeByProgram(); // OnClose runs once
        EXPECT_TRUE(form->isClosed());
        EXPECT_FALSE(view.saw("closed"));
    };
    functions["Closing"] = [&] { EXPECT_EQ(get("txtName", "txtValue").value.text, "Ann"); };
    open(quiz());
    form->click(kOk);
    EXPECT_EQ(requests, (std::vector<std::string>{"Opening", "Answer", "Closing"}));
    EXPECT_EQ(view.calls.back(), "closed");
    form->click(kOk); // a closed form takes no more events
    EXPECT_EQ(requests.size(), 3u);

    // One closed while it opens is never built.
    view.calls.clear();
    functions["Opening"] = [&] { form->closeBox(); };
    open(quiz());
    EXPECT_EQ(view.calls, (std::vector<std::string>{"title", "closed"}));
}

TEST_F(RunForms, TabReachesEveryFocusableControlByOrderThenIndex)
{
    FormObjects f = newForm("Tabs");
    for (int16_t order : {2, 0, 2, -1, 1})
        f.push_back(formObject(f, object_type::kEdit, 0, 0)), f.back().tabOrder = order;
    f.push_back(formObject(f, object_type::kRectangle, 0, 0)); // no window: passed over
    f.back().tabOrder = 0;
    f[1].visible = "False";
    open(f);
    std::vector<size_t> visited{*form->focused()};
    for (int k = 0; k < 4; ++k)
        form->tabPressed(), visited.push_back(*form->focused());
    EXPECT_EQ(visited, (std::vector<size_t>{2, 5, 3, 2, 5}));
    form->focusGained(5);
    form->tabPressed();
    EXPECT_EQ(form->focused(), 3u);
    EXPECT_EQ(set("txt3", "txtTabOrder", "0"), S::Ok); // the focus goes to the first in order
    EXPECT_EQ(form->focused(), 2u);
}

TEST_F(RunForms, PropertiesOfEveryObjectType)
{
    open(quiz());
    struct Case {
        std::string object, property, value;
        S status;
        std::string after; // read back through the same name
    };
    const Case cases[] = {
        {"Quiz", "frmCaption", "Quiz 2", S::NoObject, ""}, // found by name, and the form is "ORX Form"
        {"ORX Form", "frmCaption", "Quiz 2", S::Ok, "Quiz 2"},
        {"ORX Form", "frmName", "X", S::ReadOnly, "ORX Form"},
        {"stQuestion", "stCaption", "Capital?", S::Ok, "Capital?"},
        {"stQuestion", "Value", "x", S::Unacceptable, ""},
        {"cmbAnswer", "cmbWidth", "150", S::Ok, "150"},
        {"cmbAnswer", "cmbValue", "OSLO", S::Ok, "Oslo"},
        {"cmbAnswer", "cmbSelectionData", "1", S::ReadOnly, "-1"},
        {"chkSure", "chkValue", " true ", S::Ok, "True"},
        {"chkSure", "Caption", "x", S::Unacceptable, "True"},
        {"txtName", "Caption", "Dee", S::Ok, "Dee"},
        {"txtName", "txtValue", " Eve ", S::Ok, " Eve "},
        {"txtName", "txtSunken", "false", S::Ok, "False"},
        {"buttOK", "buttCaption", "Go", S::Ok, "Go"},
        {"rectBack", "Value", "1", S::Unacceptable, ""},
        {"imgLogo", "imgFileName", "x.bmp", S::Unacceptable, ""},
        {"imgLogo", "imgBorderStyle", "opaque", S::Ok, "Opaque"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(set(c.object, c.property, c.value), c.status) << c.object << " " << c.property;
        EXPECT_EQ(get(c.object, c.property).value.text, c.after) << c.object << " " << c.property;
    }
    EXPECT_EQ(form->caption(), "Quiz 2");
    EXPECT_TRUE(view.saw("change " + std::to_string(kCombo) + " " + std::to_string(int(ControlChange::Geometry))));
    EXPECT_EQ(form->getProperty("txtName", PropertyId::SelectionData).status, S::Unacceptable);
    EXPECT_EQ(get("cmbAnswer", "cmbSelectionData").value.number, -1);
    EXPECT_EQ(form->setProperty("stQuestion", PropertyId::BGColour, "255", true), S::Ok);
    EXPECT_EQ(view.calls.back(), "repaint");
}

TEST(FormTable, TenSlotsFoundByCaptionAndFailuresKeepNone)
{
    RecordingHost host;
    std::vector<std::string> calls;
    FormTable table(host, [&](std::string_view f) { calls.emplace_back(f); });
    const std::string missing = ::testing::TempDir() + "no-such.frm";
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(table.open(missing, ""), FormTable::OpenResult::NotLoaded);
    EXPECT_EQ(table.openCount(), 0u);
    EXPECT_EQ(host.messages.size(), 20u); // each: unable to open, load failed

    const std::string path = tempFile(".frm");
    FormObjects f = newForm("Same");
    f[0].onClose = "Bye";
    writeForm(path, f);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(table.open(path, ""), FormTable::OpenResult::Opened);
    EXPECT_EQ(table.open(path, ""), FormTable::OpenResult::NoSlot);
    EXPECT_EQ(table.find("SAME"), table.slot(0));
    table.slot(0)->closeBox();
    EXPECT_EQ(table.find("same"), table.slot(1));
    table.closeByCaption("same");
    EXPECT_EQ(calls.size(), 9u); // OnClose of every form closed by the program, none for the close box
    EXPECT_EQ(table.openCount(), 0u);
    ASSERT_EQ(table.open(path, ""), FormTable::OpenResult::Opened);
    table.closeAll();
    EXPECT_EQ(calls.size(), 9u);
    EXPECT_EQ(table.openCount(), 0u);
}
