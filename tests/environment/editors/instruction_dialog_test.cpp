// The generic instruction dialog driven through its widgets: what it stores, how it refuses a field,
// how it shows a stored line again, and how it lays out and fills its fields.
#include "environment/editors/field_layout.h"
#include "environment/editors/instruction_dialog.h"
#include "environment/editors/pickers.h"
#include "instructions/catalogue.h"
#include "instructions/files/text_file_open.h"
#include "instructions/forms/form_instructions.h"
#include "instructions/text/text_instructions.h"
#include "shell_test_support.h"
#include "support/form_files.h"

#include <QRadioButton>

namespace qel {
namespace {

using test::ProgramBuilder;
using test::RecordedMessage;
using test::RecordingHost;

class InstructionDialogTest : public ::testing::Test {
protected:
    InstructionDialogTest() { ide.host.messageRecorder = &messages; }

    // A shown dialog for a new line appended to the Initialise section.
    std::unique_ptr<InstructionDialog> newDialog(uint32_t type)
    {
        ide.program.edit = EditBuffer{};
        ide.program.edit.type = type;
        return shown(type, false);
    }
    // A shown dialog for line n of the Initialise section, as Edit leaves the EditBuffer.
    std::unique_ptr<InstructionDialog> editDialog(long n)
    {
        test::loadEditBuffer(ide.program, n);
        return shown(ide.program.edit.type, true);
    }
    std::unique_ptr<InstructionDialog> shown(uint32_t type, bool editing)
    {
        auto dialog = std::make_unique<InstructionDialog>(*editorFor(type), ide, editing);
        dialog->show();
        return dialog;
    }
    static void type(QWidget* field, const char* text)
    {
        if (auto* box = qobject_cast<QComboBox*>(field); box && box->lineEdit())
            field = box->lineEdit();
        QTest::keyClicks(field, text);
    }
    static QComboBox* combo(const InstructionDialog& dialog, int field)
    {
        return static_cast<QComboBox*>(dialog.fieldWidget(field));
    }
    static void clickOk(InstructionDialog& dialog)
    {
        QTest::mouseClick(dialog.buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }
    static bool focused(const InstructionDialog& dialog, int field)
    {
        const QWidget* w = dialog.fieldWidget(field);
        const QWidget* f = dialog.focusWidget();
        return f && (f == w || w->isAncestorOf(f));
    }
    const std::vector<ProgramLine>& lines() const { return ide.program.sections[kInitialise].lines; }
    test::TypedLines from(size_t n) const { return test::typedLines(ide.program, n); }
    static QStringList items(const QComboBox& box)
    {
        QStringList out;
        for (int i = 0; i < box.count(); ++i)
            out << box.itemText(i);
        return out;
    }

    IdeState ide;
    RecordingHost messages;
};

TEST_F(InstructionDialogTest, OkOrEnterStoresTheLineAndCancelStoresNothing)
{
    auto dialog = newDialog(kComment);
    EXPECT_EQ(dialog->windowTitle(), "Comment");
    type(dialog->fieldWidget(0), "Draw the sky");
    clickOk(*dialog);
    EXPECT_TRUE(dialog->stored());
    EXPECT_FALSE(dialog->isVisible());

    // Enter in a text field or in an editable list is OK too.
    dialog = newDialog(kComment);
    type(dialog->fieldWidget(0), "first");
    QTest::keyClick(dialog->fieldWidget(0), Qt::Key_Return);
    dialog = newDialog(kFor);
    type(dialog->fieldWidget(0), "I");
    type(dialog->fieldWidget(1), "1");
    type(dialog->fieldWidget(2), "3");
    QTest::keyClick(combo(*dialog, 2)->lineEdit(), Qt::Key_Return);

    dialog = newDialog(kComment);
    type(dialog->fieldWidget(0), "second");
    QTest::mouseClick(dialog->buttons()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    EXPECT_FALSE(dialog->stored());
    EXPECT_EQ(from(1), (test::TypedLines{{kComment, "Draw the sky"}, {kComment, "first"}, {kFor, "For I = 1 To 3"}}));
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(InstructionDialogTest, FieldErrorKeepsTheDialogOpenWithTheFailingFieldFocused)
{
    auto dialog = newDialog(kDrawLine);
    type(dialog->fieldWidget(0), "10");
    type(dialog->fieldWidget(1), "20");
    clickOk(*dialog); // "To X" is still empty
    EXPECT_FALSE(dialog->stored());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(messages.messages, (std::vector<RecordedMessage>{{"Expression Required.", Icon::Exclamation}}));
    EXPECT_TRUE(focused(*dialog, 2));
    EXPECT_EQ(lines().size(), 1u);

    // Corrected, the same dialog stores exactly what the editor builds from those values.
    type(dialog->fieldWidget(2), "30");
    type(dialog->fieldWidget(3), "40");
    type(dialog->fieldWidget(4), "2");
    combo(*dialog, 5)->setCurrentText("Red");
    const std::vector<std::string> values = dialog->values();
    clickOk(*dialog);
    ASSERT_TRUE(dialog->stored());
    ASSERT_EQ(lines().size(), 2u);

    Program expected;
    VariableTable variables;
    ProgramBuilder(expected, variables).add("DrawLine", values);
    EXPECT_EQ(lines()[1].text, expected.sections[0].lines[1].text);
    EXPECT_EQ(lines()[1].block, expected.sections[0].lines[1].block);
}

TEST_F(InstructionDialogTest, EditingShowsTheStoredLineAndADeclarationIsNoDuplicateOfItself)
{
    ProgramBuilder build(ide.program, ide.variables);
    build.add("DeclareVariable", test::variableFields("Integer", "A"));
    build.add("DeclareVariable", test::variableFields("String", "Name", "\"Bob\""));

    auto dialog = editDialog(2);
    EXPECT_EQ(combo(*dialog, 0)->currentText(), "String");
    EXPECT_EQ(static_cast<QLineEdit*>(dialog->fieldWidget(4))->text(), "Name");
    clickOk(*dialog); // a declared variable is no duplicate of itself
    EXPECT_TRUE(dialog->stored());
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_NE(ide.variables.findVariable("Name"), nullptr);
}

TEST_F(InstructionDialogTest, NewLineStartsWithTheEditorsDefaultChoices)
{
    EXPECT_EQ(combo(*newDialog(kDrawLine), 5)->currentText(), "Black");

    // DrawText starts on Left and Opaque Background, and its two radio groups keep their own choices.
    const auto text = newDialog(kDrawText);
    const auto radio = [&text](int field) { return static_cast<QRadioButton*>(text->fieldWidget(field)); };
    // Left, Centre, Opaque Background, Transparent
    const auto checked = [&] {
        return std::array{radio(5)->isChecked(), radio(6)->isChecked(), radio(9)->isChecked(), radio(10)->isChecked()};
    };
    EXPECT_EQ(checked(), (std::array{true, false, true, false}));
    for (int field : {6, 10, 5}) // centre, transparent, left
        QTest::mouseClick(radio(field), Qt::LeftButton);
    EXPECT_EQ(checked(), (std::array{true, false, false, true}));
}

TEST_F(InstructionDialogTest, LabelsCarryTheAcceleratorsOfTheirFieldsAndTabFollowsTheFields)
{
    auto dialog = newDialog(kFor);
    const std::vector<FieldSpec> specs = editorFor(kFor)->fields();
    for (size_t k = 0; k < specs.size(); ++k) {
        const QLabel* found = nullptr;
        for (const QLabel* l : dialog->findChildren<QLabel*>())
            if (l->text() == QString::fromStdString(specs[k].label))
                found = l;
        ASSERT_NE(found, nullptr) << specs[k].label;
        EXPECT_EQ(found->buddy(), dialog->fieldWidget(static_cast<int>(k)));
    }

    dialog = newDialog(kTextFileOpen);
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(focused(*dialog, 0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(focused(*dialog, 1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog->browseButton(1)); // the file name's "..."
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(focused(*dialog, 2) || focused(*dialog, 3)); // the radio group
}

TEST_F(InstructionDialogTest, PickersListFunctionsAndVariablesInOrder)
{
    ProgramBuilder build(ide.program, ide.variables);
    build.add("DeclareVariable", test::variableFields("Integer", "Zed"));
    build.add("DeclareVariable", test::variableFields("String", "Alpha"));
    build.add("DeclareVariable", test::variableFields("File", "Log"));
    build.section(kMouse).add("DeclareFunction", test::functionFields("Second")).add("EndFunction");
    build.section(kKeyboard).add("DeclareFunction", test::functionFields("First")).add("EndFunction");

    QComboBox functions, all;
    fillFunctionPicker(functions, ide.program);
    EXPECT_EQ(items(functions), (QStringList{"First", "Second"})); // Keyboard comes before Mouse
    EXPECT_EQ(functions.itemData(1).toInt(), 1);
    fillVariablePicker(all, ide.variables, true);
    EXPECT_EQ(items(all), (QStringList{"", "Zed", "Alpha", "Log"}));
    EXPECT_EQ(all.itemData(0).toInt(), -1);
    EXPECT_EQ(all.itemData(3).toInt(), 2);
    EXPECT_EQ(variableNames(ide.variables, kPickString | kPickFile), (std::vector<std::string>{"Alpha", "Log"}));
    EXPECT_EQ(variableNames(ide.variables, kPickNumeric), (std::vector<std::string>{"Zed"}));
    EXPECT_EQ(combo(*newDialog(kFor), 0)->count(), 4);
}

TEST_F(InstructionDialogTest, APastedLineBreakBecomesABlankAndEveryLineTheEditorsBuildReadsBack)
{
    QApplication::clipboard()->setText(QStringLiteral("Copy\r\nAll\nCode"));
    auto comment = newDialog(kComment);
    auto* field = static_cast<QLineEdit*>(comment->fieldWidget(0));
    field->paste();
    EXPECT_EQ(field->text(), "Copy All Code");
    EXPECT_EQ(field->cursorPosition(), 13); // the dropped LF of CR LF moves the cursor back
    clickOk(*comment);
    ASSERT_EQ(lines().size(), 2u);
    EXPECT_EQ(lines()[1].text, "Copy All Code");

    // Every instruction's dialog, and its editor driven without one, given its help page's sample
    // values with one typed field at a time made hostile: what they store is written and read back
    // exactly.
    const std::vector<std::string> hostile = {"Copy\r\nAll Code",
                                              "\"a\nb\"",
                                              "N\r",
                                              "\"\r\n\"",
                                              "\n",
                                              "-2147483648",
                                              std::string(300, 'x'),
                                              "\"" + std::string(253, 'y') + "\"",
                                              "\"\xe9\t\x01\"",
                                              ""};
    auto attempt = [&](const InstructionEditor& editor, const std::vector<std::string>& values) {
        const size_t before = lines().size();
        auto dialog = newDialog(editor.type());
        dialog->setValues(values);
        dialog->accept();
        ide.program.edit = EditBuffer{};
        EditContext context{ide.program, ide.variables, nullptr};
        static_cast<void>(runEditor(editor, values, context, messages));
        return lines().size() - before;
    };
    size_t editors = 0;
    for (uint32_t type = 0; type <= kLastLineType; ++type) {
        const InstructionEditor* editor = editorFor(type);
        if (!editor)
            continue;
        ++editors;
        const std::vector<FieldSpec> specs = editor->fields();
        std::vector<std::string> sample(descriptorFor(type)->help.sample.begin(),
                                        descriptorFor(type)->help.sample.end());
        sample.resize(specs.size());
        size_t stored = attempt(*editor, sample);
        for (size_t k = 0; k < specs.size(); ++k) {
            if (specs[k].kind != FieldKind::Text && specs[k].kind != FieldKind::Variable &&
                specs[k].kind != FieldKind::Function)
                continue;
            for (const std::string& value : hostile) {
                std::vector<std::string> values = sample;
                values[k] = value;
                stored += attempt(*editor, values);
            }
        }
        EXPECT_GT(stored, 0u) << editor->title();
    }
    EXPECT_GT(editors, 30u);
    // The pasted comment, and the hostile one through the dialog and through the editor alone.
    EXPECT_EQ(std::count_if(lines().begin(), lines().end(),
                            [](const ProgramLine& line) { return line.text == "Copy All Code"; }),
              3);

    const Result<std::vector<uint8_t>> bytes = storeProgram(ide.program);
    ASSERT_TRUE(bytes.ok()) << bytes.failureText();
    Program reread;
    VariableTable variables;
    RecordingHost host;
    ASSERT_EQ(openProgram(reread, variables, *bytes, host).status, ReadStatus::Ok);
    const std::vector<ProgramLine>& again = reread.sections[kInitialise].lines;
    ASSERT_EQ(again.size(), lines().size());
    for (size_t n = 0; n < again.size(); ++n) {
        EXPECT_FALSE(holdsLineBreak(lines()[n].text)) << lines()[n].text;
        EXPECT_EQ(again[n].type, lines()[n].type) << n;
        EXPECT_EQ(again[n].text, lines()[n].text) << n;
        EXPECT_EQ(again[n].block, lines()[n].block) << lines()[n].text;
    }
    EXPECT_EQ(storeProgram(reread).value(), *bytes);
}

TEST_F(InstructionDialogTest, TextFontListsEachFamilyOnceAndKeepsTheStoredFace)
{
    ProgramBuilder build(ide.program, ide.variables);
    build.add("TextFont", {"Arial", "28", "1", "", ""});
    build.add("TextFont", {"No Such Face", "9", "", "1", ""});
    build.add("TextFont", {"arial", "12", "", "", ""});
    const std::vector<ProgramLine> before = lines();
    for (long n = 1; n <= 3; ++n) {
        auto dialog = editDialog(n);
        QComboBox* faces = combo(*dialog, 0);
        EXPECT_EQ(faces->currentText().toStdString(), before[n].block.textField(text_block::kFace));
        EXPECT_EQ(items(*faces).count("Arial"), 1);
        EXPECT_TRUE(items(*faces).filter(" [").isEmpty()); // no foundry after a family
        clickOk(*dialog);                                  // OK without a change leaves the line as it was
        ASSERT_TRUE(dialog->stored());
        EXPECT_EQ(lines()[n].text, before[n].text);
        EXPECT_EQ(lines()[n].block, before[n].block);
    }
    EXPECT_TRUE(messages.messages.empty());
}

// Form2Exchange's "..." reads a form file to offer its objects; an object chosen chooses its type, and
// the type the property names.
TEST_F(InstructionDialogTest, ExchangeFieldsFollowTheChosenFormAndObject)
{
    namespace fx = exchange_fields;
    FormObjects form = test::newForm("Quiz");
    form.push_back(test::formObject(form, object_type::kComboBox, 0, 0, "cmbAnswer"));
    const std::string path = test::tempFile(".frm");
    test::writeForm(path, form);
    auto dialog = newDialog(kForm2Exchange);
    EXPECT_EQ(combo(*dialog, fx::kObjectType)->currentText(), "Not known");
    EXPECT_EQ(combo(*dialog, fx::kProperty)->count(), 34); // the generic names
    dialog->setFilePicker([&](QWidget*, const QString& title, const QString&, const QString&, bool) {
        EXPECT_EQ(title, "Open ORX Form");
        return QString::fromStdString(path);
    });
    QTest::mouseClick(dialog->browseButton(fx::kDefinition), Qt::LeftButton);
    QComboBox* objects = combo(*dialog, fx::kObject);
    ASSERT_EQ(objects->count(), 2);
    EXPECT_EQ(objects->itemText(1), "cmbAnswer");
    objects->setCurrentIndex(1);
    Q_EMIT objects->activated(1);
    EXPECT_EQ(combo(*dialog, fx::kObjectType)->currentText(), "ComboBox");
    EXPECT_EQ(combo(*dialog, fx::kProperty)->itemText(17), "cmbSelectionData");

    // A line edited again takes its type from the object's prefix.
    ProgramBuilder(ide.program, ide.variables)
        .section(kInitialise)
        .add("Form2Exchange", {"\"Quiz\"", "\"x\"", "Set", "txtName", "", "txtValue", "No"});
    dialog = editDialog(static_cast<long>(lines().size() - 1));
    EXPECT_EQ(combo(*dialog, fx::kObjectType)->currentText(), "Edit");
    EXPECT_EQ(combo(*dialog, fx::kProperty)->itemText(0), "txtObjectType");

    dialog->setFilePicker(
        [](QWidget*, const QString&, const QString&, const QString&, bool) { return QStringLiteral("/no/such.frm"); });
    QTest::mouseClick(dialog->browseButton(fx::kDefinition), Qt::LeftButton);
    EXPECT_EQ(messages.messages.back(), (RecordedMessage{"Form load failed", Icon::Error}));
}

// A field list's blocks as kind (Single, Radio group, Table), first field and count, and a table's columns.
std::string planText(uint32_t type)
{
    std::string out;
    for (const FieldBlock& b : planFieldLayout(editorFor(type)->fields()))
        out += std::string(out.empty() ? "" : " ") + "SRT"[static_cast<int>(b.kind)] + std::to_string(b.first) + "+" +
               std::to_string(b.count) + (b.kind == FieldBlock::Kind::Table ? "x" + std::to_string(b.columns) : "");
    return out;
}

TEST(FieldLayoutTest, RepeatedRowsFormTablesAndRadioGroupsSplitWhereTheyStart)
{
    EXPECT_EQ(planText(kIf), "T0+17x6"); // the last row has no condition after it
    EXPECT_EQ(planText(kDeclareVariable), "S0+1 S1+1 S2+1 S3+1 T4+8x2");
    EXPECT_EQ(planText(kDrawText), "S0+1 S1+1 S2+1 S3+1 S4+1 R5+4 R9+2");
    EXPECT_EQ(planText(kFor), "S0+1 S1+1 S2+1 S3+1");
}

TEST_F(InstructionDialogTest, FileButtonsPutThePickedFileInQuotesRelativeBesideTheProgram)
{
    ide.interpreter.setProgramPath("/home/ann/games/quiz.qel");
    auto dialog = newDialog(kTextFileOpen);
    ASSERT_EQ(dialog->browseButton(0), nullptr);
    ASSERT_NE(dialog->browseButton(1), nullptr);
    QString filter, folder, picked = "/home/ann/games/data/words.txt";
    bool forWriting = true;
    dialog->setFilePicker([&](QWidget*, const QString&, const QString& f, const QString& d, bool writing) {
        filter = f;
        folder = d;
        forWriting = writing;
        return picked;
    });
    const auto choose = [&](int radio) {
        QTest::mouseClick(static_cast<QAbstractButton*>(dialog->fieldWidget(radio)), Qt::LeftButton);
    };
    choose(text_file_open::kReadingField);
    QTest::mouseClick(dialog->browseButton(1), Qt::LeftButton);
    EXPECT_EQ(filter, "Text files (*.txt *.csv);;All files (*)");
    EXPECT_EQ(folder, "/home/ann/games");
    EXPECT_FALSE(forWriting); // Open For Reading: an existing file
    EXPECT_EQ(dialog->values()[1], "\"data/words.txt\"");
    picked = "/home/ann/other/words.txt"; // outside the program's folder: the whole path
    QTest::mouseClick(dialog->browseButton(1), Qt::LeftButton);
    EXPECT_EQ(dialog->values()[1], "\"/home/ann/other/words.txt\"");
    picked.clear(); // cancelled: the field keeps its text
    QTest::mouseClick(dialog->browseButton(1), Qt::LeftButton);
    EXPECT_EQ(dialog->values()[1], "\"/home/ann/other/words.txt\"");

    // Open For Writing asks for a file to write, which may be a new one; a name with characters a
    // program's text cannot hold is refused and the field keeps its text, while Latin-1 ones are kept.
    choose(text_file_open::kWritingField);
    picked = QString::fromUtf8("/home/ann/games/\u03A9mega.csv");
    QTest::mouseClick(dialog->browseButton(1), Qt::LeftButton);
    EXPECT_TRUE(forWriting);
    EXPECT_EQ(dialog->values()[1], "\"/home/ann/other/words.txt\"");
    EXPECT_EQ(messages.messages.back(), (RecordedMessage{std::string(kNameNotInProgramText), Icon::Exclamation}));
    picked = QString::fromUtf8("/home/ann/games/caf\u00E9.csv");
    QTest::mouseClick(dialog->browseButton(1), Qt::LeftButton);
    EXPECT_EQ(dialog->values()[1], "\"caf\xE9.csv\"");
    EXPECT_EQ(messages.messages.size(), 1u);

    auto bitmap = newDialog(kBitmapLoad);
    EXPECT_NE(bitmap->browseButton(0), nullptr);
    EXPECT_EQ(qtFileFilter("Wave Files (*.WAV)| *.wav||"), "Wave Files (*.wav)");
}

} // namespace
} // namespace qel
