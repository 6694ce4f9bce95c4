// The application shell: start-up, the file commands and their questions, closing while a program
// runs, the menus and toolbar, the section keys, the recent files, the about box and F1.
#include "environment/form_designer/form_designers.h"
#include "environment/form_designer/forms_edit_form.h"
#include "environment/form_designer/properties_window.h"
#include "environment/form_designer/property_grid.h"
#include "environment/help/help_pages.h"
#include "environment/help/help_window.h"
#include "environment/run_window/run_time_window.h"
#include "environment/shell/about_dialog.h"
#include "environment/shell/child_frame.h"
#include "environment/shell/main_frame_status.h"
#include "environment/shell/qel_doc.h"
#include "shell_test_support.h"
#include "support/form_files.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolBar>

#include <deque>

namespace qel {
namespace {

using test::RecordedMessage;
using Texts = std::vector<std::string>;

// The file dialogs answer from `chosen` (Cancel when it is empty) and are recorded in `dialogs`.
class MainFrameTest : public test::AppTest {
protected:
    MainFrameTest()
    {
        frame().chooseFile = [this](CMainFrame::FileDialogKind kind, const QString&) {
            dialogs.push_back(kind);
            const QString path = chosen.empty() ? QString() : chosen.front();
            if (!chosen.empty())
                chosen.pop_front();
            return path;
        };
    }
    void modify() { Q_EMIT frame().view()->documentModified(); }
    Texts texts() const { return messages.texts(); }

    std::deque<QString> chosen;
    std::vector<CMainFrame::FileDialogKind> dialogs;
};

TEST_F(MainFrameTest, StartingWithoutAFileShowsANewProgramAndAnUnreadableFileFails)
{
    EXPECT_FALSE(app->start({dir.filePath("none.qel")}));
    EXPECT_FALSE(frame().hasDocument());
    EXPECT_EQ(messages.messages.size(), 1u);

    ASSERT_TRUE(app->start({}));
    EXPECT_TRUE(frame().isMaximized());
    ASSERT_TRUE(frame().hasDocument());
    EXPECT_EQ(frame().windowTitle(), "Qelvin Programming Language - QEL1[*]");
    EXPECT_EQ(frame().statusPanes().sectionText(), "Initialise - 1");
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(MainFrameTest, StartingWithAFileOpensItAndTheCaptionNamesItOnceWhicheverWindowIsActive)
{
    const QString path = test::writeSampleProgram(dir, "sample.qel");
    ASSERT_TRUE(app->start({path}));
    EXPECT_EQ(frame().document().path(), path);
    EXPECT_EQ(app->recentFiles().files(), QStringList{path});
    QStringList captions{frame().windowTitle()};
    EXPECT_EQ(captions[0], "Qelvin Programming Language - sample.qel[*]");
    frame().commandAction(kCmdRun)->trigger(); // the run-time window opens and becomes active
    captions << frame().windowTitle();
    frame().commandAction(kCmdStop)->trigger();
    frame().mdiArea()->setActiveSubWindow(frame().mdiArea()->subWindowList().front());
    captions << frame().windowTitle();
    for (const QString& caption : captions) {
        EXPECT_TRUE(caption.startsWith("Qelvin Programming Language - ")) << caption.toStdString();
        EXPECT_EQ(caption.count("sample.qel"), 1) << caption.toStdString();
    }
}

TEST_F(MainFrameTest, AFormFileByItsEndingOrItsFirstBytesOpensInADesigner)
{
    // The file manager hands over a form without its ending too, known by its first bytes.
    const QString named = dir.filePath("quiz.frm");
    const QString renamed = dir.filePath("quiz");
    test::writeForm(named.toStdString(), test::newForm("Capital Quiz"));
    test::writeForm(renamed.toStdString(), test::newForm("Renamed"));
    ASSERT_TRUE(app->start({named}));
    ASSERT_TRUE(app->start({renamed}));
    const auto& designers = frame().formDesigners().designers();
    ASSERT_EQ(designers.size(), 2u);
    EXPECT_EQ(designers[0]->windowTitle(), "Capital Quiz");
    EXPECT_EQ(designers[1]->windowTitle(), "Renamed");
    EXPECT_TRUE(frame().hasDocument());
    EXPECT_TRUE(messages.messages.empty());
    // A form that cannot be read ends the start, as a program that cannot be read does.
    EXPECT_FALSE(app->start({dir.filePath("none.frm")}));
}

TEST_F(MainFrameTest, FormDesignOpensADesignerAndQuittingAsksForItsForm)
{
    ASSERT_TRUE(app->start({}));
    frame().commandAction(kCmdFormDesign)->trigger();
    ASSERT_EQ(frame().formDesigners().designers().size(), 1u);
    CFormsEditForm& designer = *frame().formDesigners().designers()[0];
    // Its properties window opens with it and follows its current object.
    auto* properties = designer.findChild<CPropertiesWindow*>();
    ASSERT_NE(properties, nullptr);
    designer.design().addObject(object_type::kButton);
    // An event naming no function of the program yet is stored; its row and the status bar say so.
    EXPECT_TRUE(designer.propertyTarget().applyProperty(PropertyId::OnClick, "Nowhere", false));
    QApplication::processEvents();
    EXPECT_TRUE(messages.messages.empty());
    const std::string warning = noticeText({kNoSuchFunction, {"Nowhere"}});
    EXPECT_EQ(frame().statusBar()->currentMessage().toStdString(), warning);
    properties->setPage(1);
    ASSERT_EQ(properties->grid()->label(0), QStringLiteral("OnClick"));
    EXPECT_TRUE(properties->grid()->isMarked(0));
    QTest::mouseClick(properties->grid(), Qt::LeftButton, {}, properties->grid()->valueRect(0).center());
    EXPECT_TRUE(properties->helpControl()->toPlainText().endsWith(QString::fromStdString(warning)));
    messages.answers = {Button::Cancel, Button::No};
    EXPECT_FALSE(frame().close());
    EXPECT_EQ(texts(), Texts{kSaveChangesToForm});
    EXPECT_TRUE(frame().close());
}

TEST_F(MainFrameTest, NewAndExitAskAboutUnsavedChanges)
{
    ASSERT_TRUE(app->start({}));
    test::ProgramBuilder(ide().program, ide().variables).section(kInitialise).add("Comment", {"kept"});
    modify();
    EXPECT_TRUE(frame().isWindowModified());

    messages.answers = {Button::Cancel, Button::Yes}; // then Yes, but the Save As dialog is cancelled
    EXPECT_FALSE(frame().fileNew());
    EXPECT_EQ(messages.messages, (std::vector<RecordedMessage>{{"Save changes to QEL1?", Icon::Exclamation}}));
    EXPECT_FALSE(frame().fileNew());
    EXPECT_EQ(dialogs, std::vector{CMainFrame::FileDialogKind::SaveAs});
    EXPECT_EQ(ide().program.sections[kInitialise].lines.back().text, "kept");

    chosen = {dir.filePath("kept")}; // Save As adds the extension
    messages.answers = {Button::Yes};
    EXPECT_TRUE(frame().fileNew());
    EXPECT_TRUE(QFile::exists(dir.filePath("kept.qel")));
    EXPECT_EQ(frame().document().title(), "QEL2");
    EXPECT_EQ(ide().program.sections[kInitialise].lineCount(), 1u);

    modify();
    messages.answers = {Button::No};
    EXPECT_TRUE(frame().fileNew());
    EXPECT_EQ(frame().document().title(), "QEL3");
    EXPECT_EQ(dialogs.size(), 2u); // No saves nothing

    modify();
    messages.answers = {Button::Cancel, Button::No};
    EXPECT_FALSE(frame().close());
    EXPECT_TRUE(frame().close());
    EXPECT_EQ(texts(), (Texts{"Save changes to QEL1?", "Save changes to QEL1?", "Save changes to QEL1?",
                              "Save changes to QEL2?", "Save changes to QEL3?", "Save changes to QEL3?"}));
}

TEST_F(MainFrameTest, OpenRecentFilesAndSaveAskBeforeReplacingChanges)
{
    const QString first = test::writeSampleProgram(dir, "first.qel");
    const QString second = test::writeSampleProgram(dir, "second.qel");
    const QString third = test::writeSampleProgram(dir, "chosen.qel");
    ASSERT_TRUE(app->start({first}));
    ASSERT_TRUE(frame().openFile(second));
    EXPECT_EQ(app->recentFiles().files(), (QStringList{second, first}));
    modify();

    messages.answers = {Button::Cancel, Button::Cancel};
    EXPECT_FALSE(frame().fileOpen());
    EXPECT_TRUE(dialogs.empty()); // cancelled before the file dialog
    EXPECT_FALSE(frame().openRecentFile(1));
    EXPECT_EQ(frame().document().path(), second);
    EXPECT_EQ(texts(), (Texts{"Save changes to second.qel?", "Save changes to second.qel?"}));

    messages.answers = {Button::No};
    EXPECT_TRUE(frame().openRecentFile(1));
    EXPECT_EQ(frame().document().path(), first);
    EXPECT_EQ(frame().mdiArea()->subWindowList().size(), 1); // one program at a time

    chosen = {third};
    EXPECT_TRUE(frame().fileOpen());
    EXPECT_EQ(dialogs, std::vector{CMainFrame::FileDialogKind::Open});
    EXPECT_FALSE(frame().fileOpen()); // a cancelled dialog leaves the program open
    EXPECT_EQ(frame().document().path(), third);

    // A recent file that can no longer be read leaves the list; the open program stays.
    ASSERT_EQ(app->recentFiles().files(), (QStringList{third, first, second}));
    ASSERT_TRUE(QFile::remove(second));
    EXPECT_FALSE(frame().openRecentFile(2));
    EXPECT_EQ(app->recentFiles().files(), (QStringList{third, first}));
    EXPECT_EQ(frame().document().path(), third);

    modify();
    EXPECT_TRUE(frame().fileSave());
    EXPECT_FALSE(frame().isWindowModified());
    EXPECT_EQ(dialogs.size(), 2u); // the two Open dialogs: Save of a named program asks for no name
}

TEST_F(MainFrameTest, ClosingTheProgramAsksAndLeavesNoWindowAndItsCommandsOff)
{
    ASSERT_TRUE(app->start({}));
    modify();
    messages.answers = {Button::Cancel, Button::No};
    for (bool kept : {true, false}) {
        frame().childFrame()->close(); // the window's own close button
        QCoreApplication::processEvents();
        EXPECT_EQ(frame().hasDocument(), kept);
    }
    EXPECT_EQ(messages.messages.size(), 2u);

    ASSERT_TRUE(frame().fileNew());
    EXPECT_TRUE(frame().fileClose());
    EXPECT_FALSE(frame().hasDocument());
    EXPECT_TRUE(frame().mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(frame().windowTitle(), "Qelvin Programming Language");
    for (CommandId id : {kCmdFileSave, kCmdFileClose, kCmdEditInsertAfter, kCmdRun, kCmdViewKeyboard})
        EXPECT_FALSE(frame().commandAction(id)->isEnabled()) << id;
    EXPECT_TRUE(frame().commandAction(kCmdFileNew)->isEnabled());
}

TEST_F(MainFrameTest, WhileAProgramRunsClosingIsRefusedAndFileAndEditingCommandsAreOff)
{
    ASSERT_TRUE(app->start({}));
    frame().view()->run();
    ASSERT_TRUE(ide().running());

    EXPECT_FALSE(frame().close());
    EXPECT_EQ(messages.messages, (std::vector<RecordedMessage>{
                                     {"Closing QEL is disallowed whilst a program is running.", Icon::Information}}));
    for (CommandId id :
         {kCmdFileNew, kCmdFileOpen, kCmdFileClose, kCmdFileSave, kCmdFileSaveAs, kCmdEditInsertAfter, kCmdEditDelete,
          kCmdEditCut, kCmdEditPaste, kCmdCopyAsText, kCmdRun, kCmdProfiledRun, kCmdContinue})
        EXPECT_FALSE(frame().commandAction(id)->isEnabled()) << id;
    for (CommandId id : {kCmdStop, kCmdViewMouse, kCmdToggleBreakPoint})
        EXPECT_TRUE(frame().commandAction(id)->isEnabled()) << id;
    EXPECT_FALSE(frame().fileNew());
    frame().view()->showSection(kMouse); // the pane keeps its text while running
    EXPECT_EQ(frame().statusPanes().sectionText(), "Initialise - 1");

    frame().commandAction(kCmdStop)->trigger();
    for (CommandId id : {kCmdFileNew, kCmdFileSave, kCmdEditInsertAfter, kCmdRun})
        EXPECT_TRUE(frame().commandAction(id)->isEnabled()) << id;
    EXPECT_FALSE(frame().commandAction(kCmdStop)->isEnabled());
    // View > Hit Counts switches the view's profile column to the counts, and back.
    for (bool shown : {true, false}) {
        frame().commandAction(kCmdViewHitCounts)->trigger();
        EXPECT_EQ(frame().view()->model().hitCountsShown, shown);
    }
    EXPECT_TRUE(frame().close());
}

TEST_F(MainFrameTest, WindowCommandsLeaveTheRunTimeWindowItsRoom)
{
    ASSERT_TRUE(app->start({}));
    // The greeting of examples/hello.qel: text from y = 170 to the window's bottom.
    test::ProgramBuilder(ide().program, ide().variables)
        .section(kInitialise)
        .add("DeclareVariable", test::variableFields("Integer", "Width", "0"))
        .add("DeclareVariable", test::variableFields("Integer", "Height", "0"))
        .section(kPaint)
        .add("WindowGetSize", {"Width", "Height"})
        .add("DrawText", test::drawTextFields("0", "170", "Width", "Height", "\"Hello\"", 1, true));
    frame().commandAction(kCmdRun)->trigger();
    ASSERT_TRUE(ide().running());
    CRunTimeWnd* window = ide().host.runTimeWindow();
    ASSERT_NE(window, nullptr);
    const QSize started = window->size();
    EXPECT_GT(started.height(), 300);

    frame().commandAction(kCmdWindowCascade)->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->size(), started);
    frame().commandAction(kCmdWindowTile)->trigger();
    frame().commandAction(kCmdWindowCascade)->trigger();
    QCoreApplication::processEvents();
    EXPECT_GT(window->height(), 170) << "the picture has no room";
    window->repaintCanvas(); // the Paint section runs at the window's new size
    EXPECT_TRUE(ide().running());
    EXPECT_TRUE(messages.messages.empty()) << messages.texts()[0];
}

TEST_F(MainFrameTest, PasteIsOnWhileTheClipboardHoldsCopiedLines)
{
    ASSERT_TRUE(app->start({}));
    QAction* paste = frame().commandAction(kCmdEditPaste);
    frame().commandAction(kCmdEditCopy)->trigger();
    EXPECT_TRUE(paste->isEnabled());
    QGuiApplication::clipboard()->setText("plain text");
    EXPECT_FALSE(paste->isEnabled());
}

TEST_F(MainFrameTest, ExitQELEndsTheRunAndClosesTheApplication)
{
    ASSERT_TRUE(app->start({}));
    test::ProgramBuilder(ide().program, ide().variables).section(kInitialise).add("ExitQEL");
    frame().commandAction(kCmdRun)->trigger();
    QCoreApplication::processEvents(); // the close is queued behind the run's end
    EXPECT_FALSE(ide().running());
    EXPECT_FALSE(frame().isVisible());
    EXPECT_TRUE(messages.messages.empty());
}

std::vector<QString> menuTexts(const QList<QAction*>& actions)
{
    std::vector<QString> texts;
    for (QAction* a : actions)
        texts.push_back(a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

QMenu* menuNamed(CMainFrame& frame, const QString& title)
{
    for (QAction* a : frame.menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

TEST_F(MainFrameTest, MenusAndToolbarInTheirOrderWithTheirKeysAndTips)
{
    ASSERT_TRUE(app->start({}));
    // The labels name Alt+1 to Alt+5 in this order although the keys are bound otherwise.
    EXPECT_EQ(menuTexts(menuNamed(frame(), "&View")->actions()),
              (std::vector<QString>{"&Initialise Section\tAlt+1", "&Paint Section\tAlt+2", "&Timer Section\tAlt+3",
                                    "&Keyboard Section\tAlt+4", "&Mouse Section\tAlt+5", "-", "&Hit Counts", "-",
                                    "&Toolbar", "&Status Bar"}));
    EXPECT_EQ(frame().commandAction(kCmdViewKeyboard)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_2));
    EXPECT_EQ(frame().commandAction(kCmdViewPaint)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_5));
    EXPECT_EQ(frame().commandAction(kCmdEditPaste)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}));

    std::vector<int> ids;
    for (QAction* a : frame().toolBar()->actions()) {
        ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
        EXPECT_FALSE(a->toolTip().contains('&')) << ids.back();
    }
    EXPECT_EQ(ids, (std::vector<int>{kCmdFileNew, kCmdFileOpen, kCmdFileSave, 0, kCmdViewInitialise, kCmdViewKeyboard,
                                     kCmdViewTimer, kCmdViewMouse, kCmdViewPaint, 0, kCmdRun, kCmdStop, kCmdContinue, 0,
                                     kCmdObjectViewer}));
}

TEST_F(MainFrameTest, RecentFileListsSurviveARestart)
{
    const QString path = test::writeSampleProgram(dir, "remembered.qel");
    {
        QSettings s(dir.filePath("settings.ini"), QSettings::IniFormat);
        s.setValue("QEL Programs File List/File1", "/somewhere/old.qel");
        s.setValue("FormsRecent File List/File2", "/somewhere/form.frm");
    }
    makeApp();
    EXPECT_EQ(app->programsFileList().files(), QStringList{"/somewhere/old.qel"});
    EXPECT_EQ(app->formsRecentFiles().files(), QStringList{"/somewhere/form.frm"});
    ASSERT_TRUE(app->start({path}));
    EXPECT_EQ(menuNamed(frame(), "&File")->actions().at(11)->text(), "&1 " + path);
    app.reset(); // exit writes the lists back

    QSettings s(dir.filePath("settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(s.value("Recent File List/File1").toString(), path);
    EXPECT_EQ(s.value("QEL Programs File List/File1").toString(), "/somewhere/old.qel");
    EXPECT_EQ(s.value("FormsRecent File List/File1").toString(), "/somewhere/form.frm");
}

TEST(AboutBox, NamesTheLanguageAndItsVersion)
{
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "About Qelvin Programming Langauge");
    QStringList texts;
    for (QLabel* label : about.findChildren<QLabel*>())
        texts << (label->pixmap().isNull() ? label->text() : QStringLiteral("<icon>"));
    EXPECT_EQ(texts, (QStringList{"<icon>", "Qelvin Programming Language Version: 1.25"}));
}

TEST_F(MainFrameTest, F1OpensTheHelpOfTheCurrentLine)
{
    ASSERT_TRUE(app->start({}));
    frame().view()->showSection(kKeyboard);
    frame().view()->model().showLine(kKeyboard, 1); // the DeclareVariable line of qelScanCode
    frame().contextHelp();
    auto* help = frame().findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->browser().source().fileName(), "DeclareVariable.html");
    frame().helpTopics();
    EXPECT_EQ(frame().findChildren<HelpWindow*>().size(), 1);
    EXPECT_EQ(help->browser().source(), helpContentsUrl());
}

} // namespace
// Run > Record Run asks for the script's name (a cancel runs nothing), runs, and saves the script
// when the run ends, saying where.
TEST_F(MainFrameTest, RecordRunAsksForAScriptAndSavesItWhenTheRunEnds)
{
    ASSERT_TRUE(app->start({}));
    const QString script = dir.filePath("run-events.txt");
    std::vector<QString> asked;
    frame().chooseFile = [&](CMainFrame::FileDialogKind kind, const QString& suggestion) {
        EXPECT_EQ(kind, CMainFrame::FileDialogKind::RecordRun);
        asked.push_back(suggestion);
        return asked.size() == 1 ? QString() : script;
    };
    frame().commandAction(kCmdRecordRun)->trigger();
    EXPECT_FALSE(ide().running());
    frame().commandAction(kCmdRecordRun)->trigger();
    ASSERT_TRUE(ide().running());
    EXPECT_FALSE(frame().commandAction(kCmdRecordRun)->isEnabled());
    QTest::mouseClick(ide().host.runTimeWindow(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
    frame().commandAction(kCmdStop)->trigger();
    EXPECT_EQ(asked, (std::vector<QString>{"run-events.txt", "run-events.txt"})); // a program never saved
    const std::string text = test::fileBytes(script);
    EXPECT_EQ(text.rfind("seed ", 0), 0u) << text;
    EXPECT_NE(text.find("\nmouse down 5 6 1 0\nmouse up 5 6\n"), std::string::npos) << text;
    EXPECT_EQ(frame().statusBar()->currentMessage(), "Recorded the run in " + QDir::toNativeSeparators(script));
}

} // namespace qel
