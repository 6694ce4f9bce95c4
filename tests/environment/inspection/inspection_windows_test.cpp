// The object viewer while a run is stepped, and the variable list window a program opens: its
// table, sorting, copying and the bytes it saves.
#include "environment/inspection/inspection_windows.h"
#include "environment/inspection/object_viewer.h"
#include "environment/inspection/variable_list_window.h"
#include "environment/printing/print_target.h"
#include "runtime/latin1.h"
#include "shell_test_support.h"

#include <QHeaderView>
#include <QMenuBar>
#include <QTreeWidget>

namespace qel {
namespace {

struct InspectionTest : test::AppTest {
    static QStringList column(QTreeWidget* list, int k)
    {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(k);
        return texts;
    }
    // Chooses the variable in the object viewer and returns the first column of its values.
    QStringList valuesOf(CORXObjectViewer* viewer, const QString& name)
    {
        QTreeWidget* names = viewer->variablesPane();
        const int row = int(column(names, 0).indexOf(name));
        EXPECT_GE(row, 0) << name.toStdString();
        names->setCurrentItem(names->topLevelItem(row));
        return column(viewer->valuesPane(), 0);
    }
};

TEST_F(InspectionTest, TheObjectViewerFollowsASteppedRun)
{
    ASSERT_TRUE(app->start({}));
    test::ProgramBuilder(ide().program, ide().variables)
        .section(kInitialise)
        .add("DeclareVariable", test::variableFields("Integer", "Count", "5"))
        .add("DeclareVariable", test::arrayFields("String", "Names", 2))
        .add("Stop")
        .add("Let", test::letFields("Count", "Count", "+", "1"))
        .add("Let", test::letFields("Names(2)", "\"Bo\""));
    frame().commandAction(kCmdObjectViewer)->trigger();
    CORXObjectViewer* viewer = frame().inspection().objectViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->windowTitle(), "QEL Object Viewer");
    // No program runs: texts are out of scope.
    EXPECT_EQ(valuesOf(viewer, "Names"), (QStringList{"<Object out of scope>", "<Object out of scope>"}));
    EXPECT_EQ(column(viewer->valuesPane(), 1), (QStringList{"1", "2"}));

    QStringList atStop, afterStep;
    QTimer::singleShot(50, [&] {
        atStop = column(viewer->valuesPane(), 0); // refreshed when the run paused
        frame().view()->singleStep();
        QTimer::singleShot(50, [&] {
            afterStep = valuesOf(viewer, "Count");
            frame().view()->stop();
        });
    });
    frame().view()->run();
    EXPECT_EQ(atStop, (QStringList{"", ""})); // running: the texts are shown, empty so far
    EXPECT_EQ(afterStep, QStringList{"6"});   // the stepped line added one
}

TEST_F(InspectionTest, AVariableListSortsCopiesAndSavesItsTable)
{
    ASSERT_TRUE(app->start({test::writeSampleProgram(dir, "scores.qel")}));
    VariableListTable table{
        "Scores", {"Name", "Score"}, {{"1", "Ann", "10"}, {"2", "Bo, Jr", "9.5"}, {"3", "Cy", "x"}}};
    ide().host.showVariableList(table);
    auto windows = frame().findChildren<CORXListCtrlVars*>();
    ASSERT_EQ(windows.size(), 1);
    CORXListCtrlVars& list = *windows.front();
    EXPECT_EQ(list.windowTitle(), "Scores");

    // A click on a column's header sorts by it: numbers as numbers.
    QTest::mouseClick(list.list()->header()->viewport(), Qt::LeftButton, {},
                      QPoint(list.list()->header()->sectionViewportPosition(2) + 5, 5));
    EXPECT_EQ(column(list.list(), 1), (QStringList{"Bo, Jr", "Ann", "Cy"}));

    list.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "2,\"Bo, Jr\",9.5\n1,Ann,10\n3,Cy,x\n");

    const QString path = dir.filePath("scores.csv");
    list.chooseFile = [&](const QString& suggestion) {
        EXPECT_EQ(suggestion, QDir(dir.path()).filePath("QELVars.CSV")); // beside the program
        return path;
    };
    list.saveAs();
    EXPECT_EQ(test::fileBytes(path), "#,Name,Score\r\n2,\"Bo, Jr\",9.5\r\n1,Ann,10\r\n3,Cy,x\r\n");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Saved"});
    EXPECT_FALSE(list.saveTo(dir.filePath("no/such/folder/x.csv")));
    EXPECT_EQ(messages.texts().back(), "can't open file.");

    // Without a printer Print Setup says so, and where printed pages go.
    for (QAction* action : list.menuBar()->actions().front()->menu()->actions())
        if (action->text() == kPrintSetupText)
            action->trigger();
    EXPECT_EQ(messages.texts().back(), fromQString(noPrinterText(dir.path())));

    // A long table's columns (the row number's 50 pixels, 100 each) stay clear of its scroll bar.
    VariableListTable tall{"Tall", {"A", "B", "C"}, {}};
    tall.rows.assign(60, {"1", "a", "b", "c"});
    ide().host.showVariableList(tall);
    QTreeWidget* rows = frame().findChildren<CORXListCtrlVars*>().back()->list();
    QApplication::processEvents();
    EXPECT_TRUE(rows->verticalScrollBar()->isVisible());
    EXPECT_GE(rows->viewport()->width(), 50 + 3 * 100);
}

} // namespace
} // namespace qel
