// The document: new, open and save through the program file, and what each leaves behind when it
// fails.
#include "environment/shell/qel_doc.h"
#include "shell_test_support.h"

namespace qel {
namespace {

using test::RecordedMessage;

class QelDocTest : public ::testing::Test {
protected:
    QelDocTest() { ide.host.messageRecorder = &messages; }

    QTemporaryDir dir;
    test::RecordingHost messages;
    IdeState ide;
    CQelDoc doc{ide};
};

TEST_F(QelDocTest, SavingAndReopeningKeepsTheProgramByteForByteAndNewOrCloseEmptiesIt)
{
    Program program;
    VariableTable variables;
    test::buildSampleProgram(program, variables);
    test::ProgramBuilder(program, variables).section(kInitialise).add("AutoRun");
    const QString original = dir.filePath("sample.qel");
    ASSERT_TRUE(saveProgram(program, QFile::encodeName(original).toStdString()));
    (void)ide.interpreter.debugger().toggleBreakpoint(kInitialise, 1);
    ASSERT_EQ(doc.open(original), CQelDoc::OpenStatus::Opened);
    EXPECT_TRUE(ide.interpreter.debugger().breakpoints().empty());
    EXPECT_TRUE(doc.autoRun());
    EXPECT_EQ(doc.title(), "sample.qel");

    const QString copy = dir.filePath("copy.qel");
    doc.setModified(true);
    ASSERT_TRUE(doc.saveAs(copy));
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.title(), "copy.qel");
    EXPECT_EQ(test::fileBytes(copy), test::fileBytes(original));
    ASSERT_EQ(doc.open(copy), CQelDoc::OpenStatus::Opened);
    ASSERT_TRUE(doc.saveAs(copy)); // over the file it was read from
    EXPECT_EQ(test::fileBytes(copy), test::fileBytes(original));

    (void)ide.interpreter.debugger().toggleBreakpoint(kInitialise, 0);
    doc.setModified(true);
    doc.newProgram("QEL1");
    EXPECT_FALSE(doc.hasPath());
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.autoRun());
    EXPECT_TRUE(ide.interpreter.debugger().breakpoints().empty());
    EXPECT_NE(ide.variables.findVariable("qelScanCode"), nullptr);
    EXPECT_TRUE(messages.messages.empty());

    doc.close();
    EXPECT_TRUE(ide.variables.empty());
    EXPECT_EQ(ide.program.sections[kInitialise].lineCount(), 1u);
    EXPECT_TRUE(doc.title().isEmpty());
}

TEST_F(QelDocTest, AnUnreadableFileLeavesTheProgramATruncatedOneIsNotOpenedAndAnotherKindOpensEmpty)
{
    const QString path = test::writeSampleProgram(dir, "whole.qel");
    ASSERT_EQ(doc.open(path), CQelDoc::OpenStatus::Opened);
    const auto before = test::typedLines(ide.program, 0);
    const QString missing = dir.filePath("missing.qel");
    EXPECT_EQ(doc.open(missing), CQelDoc::OpenStatus::Unreadable);
    EXPECT_EQ(test::typedLines(ide.program, 0), before);
    EXPECT_EQ(doc.path(), path);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0],
              (RecordedMessage{"Unable to open the file " + missing.toStdString() + ".", Icon::Exclamation}));
    const std::string bytes = test::fileBytes(path);
    test::writeBytes(path.toStdString(), bytes.substr(0, bytes.size() - 6));
    EXPECT_EQ(doc.open(path), CQelDoc::OpenStatus::NotOpened);
    EXPECT_FALSE(doc.hasPath());
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].icon, Icon::Error);

    // A file of another kind stays open as an empty program.
    test::writeBytes(path.toStdString(), "qel 1.25\n");
    EXPECT_EQ(doc.open(path), CQelDoc::OpenStatus::Opened);
    EXPECT_EQ(doc.title(), "whole.qel");
    EXPECT_EQ(ide.program.sections[kKeyboard].lineCount(), 1u);
    EXPECT_EQ(messages.messages.back(), (RecordedMessage{std::string(kBadVersionMessage), Icon::Error}));
}

TEST_F(QelDocTest, AFailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    const QString path = test::writeSampleProgram(dir, "kept.qel");
    const auto before = test::fileBytes(path);
    ASSERT_EQ(doc.open(path), CQelDoc::OpenStatus::Opened);
    test::ProgramBuilder(ide.program, ide.variables).section(kPaint).add("Comment", {"changed"});
    doc.setModified(true);

    const QString unwritable = dir.filePath("no such folder/kept.qel");
    EXPECT_FALSE(doc.saveAs(unwritable));
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.path(), path);
    EXPECT_EQ(test::fileBytes(path), before);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Unable to save the program to " + unwritable.toStdString() + ".");
}

} // namespace
} // namespace qel
