// The designer's properties window and Tab Order dialog, driven by mouse and keyboard over a form
// held by a small stand-in for the designer.
#include "environment/form_designer/properties_window.h"
#include "environment/form_designer/property_grid.h"
#include "environment/form_designer/tab_order_dialog.h"
#include "forms/property_editing.h"
#include "forms/property_target.h"
#include "shell_test_support.h"
#include "support/form_files.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeWidget>

namespace qel {
namespace {

using namespace object_type;
using P = PropertyId;

// The designer as the window sees it: stores what is applied and remembers how it was asked.
struct Designer : PropertyTarget {
    FormObjects form;
    size_t current = 0;
    CPropertiesWindow* window = nullptr;
    std::vector<std::tuple<P, std::string, bool>> applied;

    const FormObjects& objects() const override { return form; }
    size_t currentObject() const override { return current; }
    void selectObject(size_t index) override
    {
        current = index;
        window->showObject();
    }
    bool applyProperty(PropertyId id, std::string_view value, bool toSelection) override
    {
        applied.emplace_back(id, std::string(value), toSelection);
        return storeRowText(form, current, id, value) == PropertyStatus::Ok;
    }
    void applyTabOrder(const std::vector<size_t>& order) override
    {
        for (FormObject& o : form)
            o.tabOrder = -1;
        for (size_t k = 0; k < order.size(); ++k)
            form[order[k]].tabOrder = static_cast<int16_t>(k);
    }
};

struct PropertiesWindow : ::testing::Test {
    PropertiesWindow()
    {
        designer.form = test::newForm("Sample");
        FormObjects& f = designer.form;
        f.push_back(test::formObject(f, kButton, 10, 10, "butt1"));
        f.push_back(test::formObject(f, kEdit, 10, 40, "txt2"));
        f.push_back(test::formObject(f, kRectangle, 120, 10, "rect3"));
        f.push_back(test::formObject(f, kStaticText, 120, 120, "st4"));
        f.push_back(test::formObject(f, kImage, 10, 150, "img5"));
        window = std::make_unique<CPropertiesWindow>(designer, messages);
        designer.window = window.get();
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    int rowOf(const char* label) const
    {
        for (int k = 0; k < grid()->rowCount(); ++k)
            if (grid()->label(k) == label)
                return k;
        ADD_FAILURE() << label;
        return 0;
    }
    PropertyGrid* grid() const { return window->grid(); }
    QPoint valuePoint(int row) const { return grid()->valueRect(row).center(); }
    // Double-clicks a row's value and types into the editor that opens, then presses a key.
    void type(const char* label, const QString& text, Qt::Key key = Qt::Key_Return)
    {
        QTest::mouseDClick(grid(), Qt::LeftButton, {}, valuePoint(rowOf(label)));
        auto* edit = qobject_cast<QLineEdit*>(window->editor());
        ASSERT_NE(edit, nullptr) << label;
        EXPECT_EQ(edit->selectedText(), edit->text()); // typing replaces the value
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, key);
        EXPECT_EQ(window->editor(), nullptr);
    }
    void choose(const QString& name)
    {
        QLineEdit* edit = window->objectList()->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QString value(const char* label) const { return grid()->value(rowOf(label)); }

    test::RecordingHost messages;
    Designer designer;
    std::unique_ptr<CPropertiesWindow> window;
};

TEST_F(PropertiesWindow, NumbersOutsideTheirRowsRangeAreRefused)
{
    EXPECT_EQ(window->windowTitle(), "Form Configuration");
    EXPECT_FALSE(window->pageButton(0)->isEnabled()); // the current page's button
    QTest::mouseClick(grid(), Qt::LeftButton, {}, valuePoint(rowOf("Grid X")));
    EXPECT_EQ(window->helpControl()->toPlainText(), "X Spacing (in pixels) for the align controls grid");

    type("Grid X", "1");
    EXPECT_EQ(messages.messages,
              (std::vector<test::RecordedMessage>{{"Expecting value in the range of 2 and 20", Icon::Error}}));
    EXPECT_EQ(value("Grid X"), "5");
    type("Grid X", "x12"); // the box takes digits only
    EXPECT_EQ(value("Grid X"), "12");
    EXPECT_EQ(designer.form[0].gridX, 12u);

    // The object list finds a typed name whatever its letter case.
    choose("ST4");
    ASSERT_EQ(designer.current, 4u);
    EXPECT_EQ(window->pageCount(), 1);
    type("Size (0-72)", "80");
    EXPECT_EQ(messages.messages.back().text, "Expecting value in the range of 6 and 72");
    EXPECT_EQ(value("Size (0-72)"), "10");
    choose("nobody");
    EXPECT_EQ(messages.messages.back(), (test::RecordedMessage{"Unable to find the requested object", Icon::Error}));
    EXPECT_EQ(designer.applied.size(), 1u); // only the grid of 12
}

TEST_F(PropertiesWindow, EditorsApplyOnEnterAndRestoreOnEscape)
{
    designer.selectObject(1);
    type("Name", "BUTT1");
    EXPECT_EQ(window->objectList()->itemText(1), "BUTT1");
    type("Name", "txt2");
    EXPECT_EQ(messages.messages.back(),
              (test::RecordedMessage{"The new name is already used by an object", Icon::Exclamation}));
    EXPECT_EQ(value("Name"), "BUTT1");

    const size_t appliedBefore = designer.applied.size();
    type("Caption", "Go", Qt::Key_Escape);
    EXPECT_EQ(value("Caption"), "butt1");
    EXPECT_EQ(designer.applied.size(), appliedBefore);
    type("Caption", "Go");
    EXPECT_EQ(designer.form[1].caption, "Go");
    EXPECT_EQ(designer.applied.back(), std::make_tuple(P::Caption, std::string("Go"), false));
    // A character a form cannot hold is refused, not turned into "?".
    QTest::mouseDClick(grid(), Qt::LeftButton, {}, valuePoint(rowOf("Caption")));
    ASSERT_NE(qobject_cast<QLineEdit*>(window->editor()), nullptr);
    qobject_cast<QLineEdit*>(window->editor())->insert(QStringLiteral("5 \u20AC"));
    QTest::keyClick(window->editor(), Qt::Key_Return);
    EXPECT_EQ(messages.messages.back(), (test::RecordedMessage{std::string(kOnlyLatin1), Icon::Exclamation}));
    EXPECT_EQ(value("Caption"), "Go");

    // A list: the keys move the choice, one Enter applies it to every selected object.
    QTest::mouseDClick(grid(), Qt::LeftButton, {}, valuePoint(rowOf("Visible")));
    auto* list = qobject_cast<QComboBox*>(window->editor());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentText(), "True");
    QTest::keyClick(list, Qt::Key_Down);
    QCoreApplication::processEvents();
    QTest::keyClick(window->focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->editor(), nullptr);
    EXPECT_EQ(designer.applied.back(), std::make_tuple(P::Visible, std::string("False"), true));
    // A choice made in its popup applies as the popup closes.
    QTest::mouseDClick(grid(), Qt::LeftButton, {}, valuePoint(rowOf("Visible")));
    list = qobject_cast<QComboBox*>(window->editor());
    ASSERT_NE(list, nullptr);
    list->showPopup();
    list->setCurrentIndex(list->findText("True"));
    list->hidePopup();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->editor(), nullptr);
    EXPECT_EQ(value("Visible"), "True");

    // A click elsewhere in the grid applies the open editor.
    QTest::mouseDClick(grid(), Qt::LeftButton, {}, valuePoint(rowOf("Position X (pixels)")));
    QTest::keyClicks(window->editor(), "33");
    QTest::mouseClick(grid(), Qt::LeftButton, {}, valuePoint(rowOf("Name")));
    EXPECT_EQ(designer.form[1].offsetX, 33);
    EXPECT_EQ(grid()->selectedRow(), rowOf("Name"));

    // The Events page stores the name of the function an event calls.
    QTest::mouseClick(window->pageButton(1), Qt::LeftButton);
    type("OnClick", "Clicked");
    EXPECT_EQ(designer.form[1].onClick, "Clicked");
}

TEST_F(PropertiesWindow, EveryLabelFitsItsColumn)
{
    designer.form.push_back(test::formObject(designer.form, kLine, 0, 0, "line6"));
    for (size_t k = 0; k < designer.form.size(); ++k) {
        designer.selectObject(k);
        for (int page = 0; page < window->pageCount(); ++page) {
            window->setPage(page);
            for (int r = 0; r < grid()->rowCount(); ++r)
                EXPECT_LT(grid()->fontMetrics().horizontalAdvance(grid()->label(r)), grid()->valueRect(r).left())
                    << grid()->label(r).toStdString();
        }
    }
}

TEST_F(PropertiesWindow, ColoursAndImagesComeFromTheirDialogs)
{
    designer.selectObject(3);
    QColor offered;
    std::optional<QColor> answer = QColor(255, 0, 0);
    window->chooseColour = [&](const QColor& initial) {
        offered = initial;
        return answer;
    };
    QTest::mouseDClick(grid(), Qt::LeftButton, {}, valuePoint(rowOf("Background Colour")));
    EXPECT_EQ(offered, QColor(200, 200, 200));
    EXPECT_EQ(value("Background Colour"), "255,0,0");
    answer.reset(); // cancelled
    QTest::mouseDClick(grid(), Qt::LeftButton, {}, valuePoint(rowOf("Background Colour")));
    EXPECT_EQ(value("Background Colour"), "255,0,0");

    designer.selectObject(5);
    window->chooseBitmapFile = [](const QString&) { return QStringLiteral("/pictures/face.bmp"); };
    QTest::mouseDClick(grid(), Qt::LeftButton, {}, valuePoint(rowOf("Image file")));
    EXPECT_EQ(value("Image file"), "/pictures/face.bmp");
}

TEST_F(PropertiesWindow, TheTabOrderDialogNumbersTheListedControls)
{
    FormObjects& f = designer.form;
    f[1].tabOrder = 1; // butt1
    f[2].tabOrder = 0; // txt2
    f.push_back(test::formObject(f, kComboBox, 10, 200, "cmb6"));
    f[6].tabOrder = 2;
    QStringList names;
    test::whenDialogOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<CFormTabOrder*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->list()->headerItem()->text(1), "Control Name");
        for (int column = 0; column < dialog->list()->columnCount(); ++column) // no title cut off
            EXPECT_GE(dialog->list()->columnWidth(column), dialog->list()->header()->sectionSizeHint(column));
        EXPECT_EQ(dialog->list()->currentItem(), dialog->list()->topLevelItem(0));
        QTest::mouseClick(dialog->downButton(), Qt::LeftButton); // txt2 after butt1
        for (int k = 0; k < dialog->list()->topLevelItemCount(); ++k)
            names << dialog->list()->topLevelItem(k)->text(1);
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(runTabOrderDialog(designer, window.get()));
    EXPECT_EQ(names, (QStringList{"butt1", "txt2", "cmb6"}));
    const auto tabOrders = [&f] {
        std::vector<int> out;
        for (const FormObject& o : f)
            out.push_back(o.tabOrder);
        return out;
    };
    EXPECT_EQ(tabOrders(), (std::vector<int>{-1, 0, 1, -1, -1, -1, 2})); // none for the form and the shapes

    test::whenDialogOpens([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(runTabOrderDialog(designer, window.get()));
    EXPECT_EQ(tabOrders(), (std::vector<int>{-1, 0, 1, -1, -1, -1, 2}));
}

} // namespace
} // namespace qel
