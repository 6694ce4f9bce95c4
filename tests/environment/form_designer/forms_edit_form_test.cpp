// The forms designer's window: the mouse and keys on its surface, its files, the pictures it places,
// and the designers the shell keeps.
#include "environment/form_designer/form_design_view.h"
#include "environment/form_designer/form_designers.h"
#include "environment/form_designer/forms_edit_form.h"
#include "environment/form_designer/properties_window.h"
#include "environment/form_designer/property_grid.h"
#include "environment/forms/form_window.h"
#include "environment/shell/recent_file_list.h"
#include "forms/run_form.h"
#include "shell_test_support.h"
#include "support/form_files.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolBar>

using namespace qel;
using namespace qel::test;
using namespace qel::object_type;

namespace {

struct Designer : ::testing::Test {
    RecordingHost host;
    RecentFileList recent{QStringLiteral("FormsRecent File List"), 4};
    QPointer<CFormsEditForm> window = new CFormsEditForm(host, &recent);
    QString savePath = QString::fromStdString(tempFile(".frm"));

    Designer()
    {
        window->chooseFile = [this](CFormsEditForm::FileDialogKind) { return savePath; };
        window->resize(600, 500);
        window->show();
    }
    ~Designer() override { delete window.data(); }

    FormDesign& design() { return window->design(); }
    const FormObject& object(size_t k) { return design().objects().at(k); }
    QWidget* surface() { return window->view()->viewport(); }
    void mouse(QEvent::Type type, QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, surface()->mapToGlobal(at), Qt::LeftButton, held, mods);
        QApplication::sendEvent(surface(), &e);
    }
    void drag(QPoint from, QPoint to)
    {
        mouse(QEvent::MouseButtonPress, from);
        mouse(QEvent::MouseMove, (from + to) / 2);
        mouse(QEvent::MouseMove, to);
        mouse(QEvent::MouseButtonRelease, to);
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(window->view(), Qt::Key(k), mods); }
};

} // namespace

TEST_F(Designer, TheMouseAndKeysAddMoveResizeDeleteAndUndo)
{
    QSignalSpy current(window.data(), &CFormsEditForm::currentObjectChanged);
    QSignalSpy values(window.data(), &CFormsEditForm::propertyValuesChanged);
    window->action(kCmdFormAddButton)->trigger();
    EXPECT_FALSE(current.isEmpty());
    window->action(kCmdFormSnap)->trigger();

    drag({10, 10}, {33, 12}); // the button from 0 to 23: snapped to 20
    EXPECT_EQ(std::pair(object(1).offsetX, object(1).width), std::pair(20, 70u));
    EXPECT_FALSE(values.isEmpty());
    drag({90, 12}, {113, 12}); // its right handle (at 90, 12) 23 pixels on: the width snaps to 90
    EXPECT_EQ(object(1).width, 90u);
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(object(1).offsetY, 5);

    key(Qt::Key_Delete);
    key(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(design().objects().size(), 2u);
    EXPECT_EQ(std::pair(object(1).name, object(1).offsetY), std::pair(std::string("butt1"), 5));
    EXPECT_TRUE(window->action(kCmdEditRedo)->isEnabled());
}

TEST_F(Designer, ThePainterTheClipboardAndTheTabOrderGoThroughTheWindow)
{
    window->action(kCmdFormAddStatic)->trigger();
    window->action(kCmdFormAddButton)->trigger();
    design().selectAll();
    window->action(kCmdFormPainter)->trigger(); // two selected: refused, and the button stays up
    EXPECT_FALSE(window->action(kCmdFormPainter)->isChecked());

    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(window->action(kCmdEditPaste)->isEnabled());

    window->setShowTabOrder(true);
    const QImage before = surface()->grab().toImage();
    design().markSaved();
    window->propertyTarget().applyTabOrder({2, 1});
    EXPECT_TRUE(design().isChanged());
    QApplication::processEvents();
    EXPECT_NE(surface()->grab().toImage(), before); // the numbers over the controls changed
}

TEST_F(Designer, FilesAreWrittenExactlyAndAFailedSaveKeepsTheFormChanged)
{
    window->action(kCmdFormAddEdit)->trigger();
    window->action(kCmdFormAddComboBox)->trigger();
    ASSERT_TRUE(window->fileSave());
    EXPECT_FALSE(design().isChanged());
    EXPECT_EQ(fileBytes(savePath), formFileText(design().objects()));
    EXPECT_EQ(recent.files(), QStringList{savePath});

    // A failed save keeps the form changed and out of the recent list.
    window->action(kCmdFormAddLine)->trigger();
    savePath = QString::fromStdString(::testing::TempDir() + "no/such/folder/x.frm");
    EXPECT_FALSE(window->fileSaveAs());
    EXPECT_TRUE(design().isChanged());
    EXPECT_EQ(recent.files().size(), 1);

    // Closing asks; Cancel keeps the window.
    host.answers.push_back(Button::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(host.texts().back(), kSaveChangesToForm);
    host.answers.push_back(Button::No);
    EXPECT_TRUE(window->close());
}

TEST(FormDesigners, TenWindowsAPreviewAndQuittingAsksForEachChangedForm)
{
    RecordingHost host;
    QMdiArea area;
    FormDesigners designers(area, host);
    for (int k = 0; k < kMaxDesigners; ++k)
        ASSERT_TRUE(designers.openDesigner());
    EXPECT_FALSE(designers.openDesigner());
    EXPECT_EQ(host.texts().back(), kTooManyDesigners);

    const std::string path = tempFile(".frm");
    FormObjects f = newForm("Preview");
    f.push_back(formObject(f, kButton, 5, 5));
    writeForm(path, f);
    ASSERT_TRUE(designers.showPreview(QString::fromStdString(path)));
    EXPECT_EQ(designers.preview()->form().mode(), FormMode::Preview);
    EXPECT_FALSE(designers.showPreview(QStringLiteral("/no/such.frm")));
    EXPECT_EQ(host.texts().back(), kFormExecuteFailed);

    designers.designers()[2]->design().addObject(kRectangle);
    designers.designers()[5]->design().addObject(kRectangle);
    host.messages.clear();
    host.answers = {Button::No, Button::Cancel};
    EXPECT_FALSE(designers.closeAll());
    EXPECT_EQ(host.texts(), (std::vector<std::string>{kSaveChangesToForm, kSaveChangesToForm}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(designers.designers().size(), 5u); // the one asked first and those before it closed
    host.answers = {Button::No};
    EXPECT_TRUE(designers.closeAll());
}

TEST(FormDesigners, ThePropertiesWindowSitsBesideItsFormAndTheKeysWorkThroughout)
{
    RecordingHost host;
    QMainWindow main;
    auto* area = new QMdiArea;
    main.setCentralWidget(area);
    main.resize(1000, 700);
    main.show();
    FormDesigners designers(*area, host);
    CFormsEditForm* window = designers.openDesigner();
    ASSERT_NE(window, nullptr);
    auto* properties = window->findChild<CPropertiesWindow*>();
    ASSERT_NE(properties, nullptr);
    ASSERT_FALSE(properties->isWindow());
    QApplication::processEvents();
    EXPECT_TRUE(properties->isVisible());
    const QRect canvas(window->view()->mapTo(window, QPoint()), window->view()->size());
    const QRect beside(properties->mapTo(window, QPoint()), properties->size());
    EXPECT_FALSE(canvas.intersects(beside));
    EXPECT_GE(canvas.width(), 400); // a new form's width
    const auto* tools = window->findChild<QToolBar*>();
    for (QAction* a : tools->actions()) // none hidden behind the toolbar's extension button
        EXPECT_TRUE(a->isSeparator() || tools->widgetForAction(a)->isVisible()) << a->text().toStdString();
    window->action(kCmdFormAddButton)->trigger();

    // Undo, redo, copy and paste wherever the focus is in the designer.
    QTest::keyClick(properties->grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->design().objects().size(), 1u);
    QTest::keyClick(window->findChild<QMenuBar*>(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window->design().objects().size(), 2u);
    window->design().selectObject(1);
    QTest::keyClick(window->parentWidget(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(properties->grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window->design().objects().size(), 3u);
}

TEST_F(Designer, APictureTakesItsBitmapsSize)
{
    const std::string bitmap = tempFile(".bmp");
    const std::vector<uint8_t> bytes = bitmap24(30, 12, 0xFF0000);
    writeBytes(bitmap, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    savePath = QString::fromStdString(bitmap);
    window->action(kCmdFormAddPicture)->trigger();
    ASSERT_EQ(design().objects().size(), 2u);
    EXPECT_EQ(std::tuple(object(1).width, object(1).height, object(1).caption), std::tuple(32u, 14u, bitmap));
}

TEST_F(Designer, OpenKeepsTheObjectsReadAndStartsAtTheTopLeft)
{
    design().selectObject(0);
    design().applyProperty(PropertyId::Height, "2000", false);
    window->view()->verticalScrollBar()->setValue(window->view()->verticalScrollBar()->maximum());
    ASSERT_GT(object(0).offsetY, 0);
    design().markSaved();

    // More objects than a form holds: the first 200 are shown, from the top.
    FormObjects big = newForm("Big");
    big[0].height = 2000;
    while (big.size() < kMaxFormObjects + 50)
        big.push_back(formObject(big, kRectangle, 0, 0));
    const std::string path = tempFile(".frm");
    writeForm(path, big);
    ASSERT_TRUE(window->openPath(QString::fromStdString(path)));
    EXPECT_EQ(design().objects().size(), kMaxFormObjects);
    EXPECT_EQ(host.texts(), std::vector<std::string>{std::string(kFormTooManyObjects)});
    EXPECT_EQ(window->view()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Big"));

    // A file without its end line is whole.
    big.resize(3);
    const std::string text = formFileText(big);
    writeBytes(path, text.substr(0, text.rfind("</orxform>")));
    ASSERT_TRUE(window->openPath(QString::fromStdString(path)));
    EXPECT_EQ(design().objects(), big);
    EXPECT_EQ(host.texts().size(), 1u);
}
