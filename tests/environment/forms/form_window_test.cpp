// A form at run time as real widgets: what the user does reaches the form, what the program sets
// reaches the widgets, the focus, the pictures, the close box, and the forms a run leaves open.
#include "environment/form_designer/form_design_view.h"
#include "environment/forms/form_window.h"
#include "environment/forms/user_form_dialog.h"
#include "shell_test_support.h"
#include "support/form_files.h"

#include <QPainter>
#include <QScrollArea>

using namespace qel;
using namespace qel::test;

namespace {

struct FormWindow : ::testing::Test {
    RecordingHost host;
    std::vector<std::string> requests;
    std::function<void()> duringRequest;
    std::shared_ptr<RunForm> form;
    QPointer<CORXFormWnd> window;

    void open(const FormObjects& objects)
    {
        const std::string path = tempFile(".frm");
        writeForm(path, objects);
        form = std::make_shared<RunForm>(
            FormMode::Run, host,
            [this](std::string_view f) {
                requests.emplace_back(f);
                if (duringRequest)
                    duringRequest();
            },
            ::testing::TempDir());
        window = new CORXFormWnd(form);
        ASSERT_TRUE(form->open(path));
        window->shown();
    }
    ~FormWindow() override { delete window.data(); }

    template <class W>
    W* control(size_t index)
    {
        return qobject_cast<W*>(window->controlWidget(index));
    }
};

FormObjects controls()
{
    FormObjects f = newForm("Controls");
    f[0].width = 200;
    f[0].height = 120;
    f[0].bgColour = rgb(0, 0, 255);
    f.push_back(formObject(f, object_type::kButton, 5, 5, "buttGo"));
    f.back().caption = "Go";
    f.back().onClick = "Go";
    f.push_back(formObject(f, object_type::kEdit, 5, 35, "txtName"));
    f.back().caption = "Ann";
    f.back().textAlign = "Right";
    f.push_back(formObject(f, object_type::kCheckBox, 5, 60, "chkSure"));
    f.back().onClick = "Sure";
    f.push_back(formObject(f, object_type::kComboBox, 5, 80, "cmbPick"));
    f.back().caption = "a;b";
    f.back().caption2 = "1;2";
    f.back().onChange = "Typed";
    return f;
}

} // namespace

TEST_F(FormWindow, ShowsRealControlsAndPassesWhatTheUserDoesToTheForm)
{
    open(controls());
    EXPECT_EQ(window->size(), QSize(200, 120));
    QPushButton* button = control<QPushButton>(1);
    QLineEdit* edit = control<QLineEdit>(2);
    QCheckBox* check = control<QCheckBox>(3);
    QComboBox* combo = control<QComboBox>(4);
    ASSERT_TRUE(button && edit && check && combo);
    EXPECT_EQ(button->text(), "Go");
    EXPECT_EQ(button->geometry(), QRect(5, 5, 70, 25));
    EXPECT_EQ(edit->text(), "Ann");
    EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_TRUE(check->isChecked());
    EXPECT_TRUE(combo->isEditable());
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemData(1).toInt(), 2);

    duringRequest = [&] { EXPECT_FALSE(button->isEnabled()); };
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(button->isEnabled());
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_FALSE(check->isChecked()); // the form turned it, once
    QTest::keyClicks(combo->lineEdit(), "x");
    EXPECT_EQ(requests, (std::vector<std::string>{"Go", "Sure", "Typed"}));
    QTest::keyClicks(edit, "e");
    EXPECT_EQ(form->getProperty("txtName", PropertyId::Value).value.text, "Anne");

    // The program's changes reach the controls.
    ASSERT_EQ(form->setProperty("buttGo", PropertyId::Caption, "Stop", false), PropertyStatus::Ok);
    ASSERT_EQ(form->setProperty("cmbPick", PropertyId::V1Style, "True", false), PropertyStatus::Ok);
    ASSERT_EQ(form->setProperty("txtName", PropertyId::Visible, "False", false), PropertyStatus::Ok);
    ASSERT_EQ(form->setProperty("ORX Form", PropertyId::Width, "300", false), PropertyStatus::Ok);
    EXPECT_EQ(button->text(), "Stop");
    EXPECT_FALSE(combo->isEditable());
    EXPECT_TRUE(edit->isHidden());
    EXPECT_EQ(window->width(), 300);
}

TEST_F(FormWindow, TabFollowsTheFormsOrderAndTheFocusStaysWhereTheUserPutItWhileTheFunctionRuns)
{
    FormObjects f = controls();
    f[1].tabOrder = 2; // the edit box first, then the button
    f[2].tabOrder = 1;
    f.push_back(formObject(f, object_type::kButton, 100, 5, "buttQuit"));
    f.back().caption = "Quit";
    f.back().onClick = "Quit";
    open(f);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(form->focused(), 2u);
    QTest::keyClick(control<QLineEdit>(2), Qt::Key_Tab);
    EXPECT_EQ(form->focused(), 1u);
    QPushButton* go = control<QPushButton>(1);
    EXPECT_TRUE(go->hasFocus());
    QTest::mouseClick(go, Qt::LeftButton);
    for (bool focusTakenMeanwhile : {false, false, true}) {
        // A message box the function shows takes the focus while it is open.
        duringRequest = [&] {
            if (focusTakenMeanwhile && QApplication::focusWidget())
                QApplication::focusWidget()->clearFocus();
        };
        ASSERT_TRUE(go->hasFocus());
        QTest::keyClick(go, Qt::Key_Space);
    }
    EXPECT_EQ(requests, (std::vector<std::string>{"Go", "Go", "Go", "Go"}));
    EXPECT_TRUE(go->hasFocus());
    QTest::keyClick(go, Qt::Key_Tab); // on from the button, not from where the disabling led
    EXPECT_EQ(form->focused(), 3u);
    EXPECT_TRUE(control<QCheckBox>(3)->hasFocus());
}

TEST_F(FormWindow, PaintsShapesByLayerAndImagesInsideTheirBorderAsTheDesignerDoes)
{
    FormObjects f = newForm("Shapes");
    f[0].width = 140;
    f[0].height = 60;
    f[0].bgColour = rgb(0, 0, 255);
    const auto add = [&](int16_t type, int32_t x, uint32_t size) -> FormObject& {
        f.push_back(formObject(f, type, x, 0));
        f.back().width = f.back().height = size;
        return f.back();
    };
    const auto rectangle = [&](int32_t x, uint32_t z, uint32_t colour) {
        FormObject& r = add(object_type::kRectangle, x, 20);
        r.zOrder = z;
        r.bgColour = r.borderColour = colour;
    };
    rectangle(0, 0, rgb(255, 0, 0)); // layer 0 lies above layer 1
    rectangle(10, 1, rgb(0, 255, 0));
    rectangle(40, 6, rgb(0, 0, 0)); // outside the layers: not painted
    // A 24-bit picture in a white border, an 8-bit one, and a flat and a sunken check box.
    for (const auto& [x, bits, bmp] :
         {std::tuple(60, "24", bitmap24(4, 4, 0x808000)), {80, "8", bitmap8(4, 4, 0x808000)}}) {
        FormObject& image = add(object_type::kImage, x, 12);
        image.caption = tempFile(std::string(bits) + ".bmp");
        writeBytes(image.caption, std::string(bmp.begin(), bmp.end()));
    }
    f[4].borderColour = rgb(255, 255, 255);
    for (const char* sunken : {"Flat", "Sunken"}) {
        f.push_back(formObject(f, object_type::kCheckBox, sunken[0] == 'F' ? 100 : 120, 0));
        f.back().sunken = sunken;
        f.back().tabOrder = -1; // no focus frame
    }
    open(f);
    const QImage running = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Pixels: each layer, the rectangle not painted, the border and the picture, unscaled.
    const std::tuple<int, int, QRgb> pixels[] = {
        {15, 10, qRgb(255, 0, 0)},  {25, 10, qRgb(0, 255, 0)}, {45, 10, qRgb(0, 0, 255)}, {60, 0, qRgb(255, 255, 255)},
        {61, 1, qRgb(128, 128, 0)}, {66, 1, qRgb(0, 0, 255)},  {81, 1, qRgb(128, 128, 0)}};
    for (const auto& [x, y, colour] : pixels)
        EXPECT_EQ(running.pixel(x, y), colour) << x << "," << y;

    FormDesign design;
    design.load(f);
    QImage designed(running.size(), QImage::Format_RGB32);
    QHash<QString, QImage> images;
    QPainter painter(&designed);
    paintDesign(painter, {design, QPoint(0, 0)}, designed.rect(), images, "");
    painter.end();
    const auto part = [](const QImage& image, int x) { return image.copy(x, 0, 13, 13); };
    for (int x : {40, 80, 100, 120})
        EXPECT_EQ(part(running, x), part(designed, x)) << x;
    EXPECT_NE(part(running, 100), part(running, 120)); // only the flat one is flat
}

TEST_F(FormWindow, TheCloseBoxWaitsForTheFormsRunningFunction)
{
    open(controls());
    duringRequest = [&] {
        window->close();
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(form->isClosed());
    };
    control<QPushButton>(1)->click();
    EXPECT_FALSE(window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST(UserFormDialog, RowsOfPromptsAndControlsWithOkAndCancelAsked)
{
    UserForm form;
    form.rows = {{UserFormRow::Kind::List, "Colour", {"Red", "Blue"}},
                 {UserFormRow::Kind::Edit, "A prompt much longer than twenty", {"Ann"}},
                 {UserFormRow::Kind::ReadOnly, "Fixed", {"x"}}};
    std::vector<std::vector<std::string>> oks;
    int cancels = 0;
    form.ok = [&](const std::vector<std::string>& texts) {
        oks.push_back(texts);
        return oks.size() > 1; // the first OK is refused
    };
    form.cancel = [&] { return ++cancels > 1; };
    CInsUserForm dialog(form);
    EXPECT_EQ(dialog.windowTitle(), "User Form");
    EXPECT_EQ(dialog.rowControl(1)->geometry().top(), 70);
    EXPECT_TRUE(static_cast<QLineEdit*>(dialog.rowControl(2))->isReadOnly());
    static_cast<QComboBox*>(dialog.rowControl(0))->setCurrentIndex(1);
    dialog.show();
    dialog.okButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    dialog.cancelButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    dialog.okButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(oks.back(), (std::vector<std::string>{"Blue", "Ann", "x"}));
}

// A program whose Initialise section opens a form, run by the environment's own state and host in a
// workspace of 800x600.
struct IdeForms : ::testing::Test {
    IdeState ide;
    RecordingHost messages;
    QMdiArea area;

    IdeForms()
    {
        ide.host.messageRecorder = &messages;
        area.resize(800, 600);
        area.show();
        ide.host.setMdiArea(&area);
    }
    // Runs until it waits for events and stops it then, or pauses at a Stop after the form is open and
    // stops it there.
    void run(const FormObjects& form, bool stoppedWhilePaused = false)
    {
        const std::string path = tempFile(".frm");
        writeForm(path, form);
        Session session;
        session.handlers();
        session.build.add("OpenForm2", {"\"" + path + "\""});
        if (stoppedWhilePaused) {
            session.build.add("Stop");
            auto* stopper = new QTimer(&area);
            QObject::connect(stopper, &QTimer::timeout, stopper, [this, stopper] {
                if (ide.paused()) {
                    ide.interpreter.stopRun();
                    stopper->deleteLater();
                }
            });
            stopper->start(1);
        }
        startInIde(ide, session.program, messages);
        if (ide.running())
            ide.interpreter.stopRun();
    }
    QMdiSubWindow* formFrame()
    {
        for (QMdiSubWindow* frame : area.subWindowList())
            if (frame->findChild<CORXFormWnd*>() && frame->isVisible())
                return frame;
        return nullptr;
    }
};

TEST_F(IdeForms, StayOpenWithTheRunsLastStateUntilTheNextRun)
{
    run(controls());
    QPointer<QMdiSubWindow> frame = formFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->windowTitle(), "Controls");
    auto* window = frame->findChild<CORXFormWnd*>();
    EXPECT_EQ(ide.host.forms()->openCount(), 1u);

    // A click asks a run that has ended: it says so, and nothing runs.
    const std::string stopped =
        "Form request discarded as associated script has stopped running, have you remembered to use ToviDontExit?";
    static_cast<QPushButton*>(window->controlWidget(1))->click();
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{stopped}));
    EXPECT_TRUE(window->controlWidget(1)->isEnabled());

    run(controls(), true); // the next run closes it and opens its own
    EXPECT_TRUE(!frame || !frame->isVisible());
    ASSERT_TRUE(formFrame());
    EXPECT_NE(formFrame(), frame.data());
    EXPECT_EQ(ide.host.forms()->openCount(), 1u);
    static_cast<QPushButton*>(formFrame()->findChild<CORXFormWnd*>()->controlWidget(1))->click();
    EXPECT_EQ(messages.texts().back(), stopped); // not paused any more: stopped
    ide.host.destroyRunTimeWindow();             // the program closes: its forms go too
    EXPECT_EQ(ide.host.forms()->openCount(), 0u);
    EXPECT_FALSE(formFrame());
}

TEST_F(IdeForms, AFormLargerThanTheWorkspaceFitsItInAScrollArea)
{
    FormObjects f = controls();
    f[0].width = 5000;
    f[0].height = 4000;
    run(f);
    QMdiSubWindow* frame = formFrame();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(area.viewport()->rect().contains(frame->geometry())) << frame->geometry().x();
    EXPECT_TRUE(qobject_cast<QScrollArea*>(frame->widget()));
}
