#include "instruction_checks.h"
#include "instructions/files/text_file_open.h"

using namespace qel;
using namespace qel::text_file_open;

namespace {

struct TextFileOpenTest : ::testing::Test {
    Program program;
    VariableTable variables;
    EditContext context{program, variables, nullptr};
    TextFileOpenEditor editor;
    test::RecordingHost host;
};

} // namespace

TEST_F(TextFileOpenTest, BuildsTextAndBlockForBothModesAndRefusesFieldsOfTheWrongKind)
{
    const EditedLine built = test::roundTrip(editor, {"F", "\"data.txt\"", "1", ""}, context).line;
    const ParamBlock& read = built.block;
    EXPECT_EQ(built.text, "TextFileOpen ForRead F, \"data.txt\"");
    EXPECT_EQ(read.u32(kForReading), 1u);
    EXPECT_EQ(read.bodyLength(), kFixedBody + 2 + 9);
    EXPECT_EQ(read.textField(kFileVariable), "F");
    EXPECT_EQ(read.textField(kFileName + 4), "data.txt");

    const test::RoundTrip write = test::roundTrip(editor, {"Files(2)", "Name", "", "1"}, context);
    EXPECT_EQ(write.line.text, "TextFileOpen ForWrite Files(2), Name");
    EXPECT_EQ(write.line.block.u32(kForReading), 0u);
    EXPECT_EQ(write.decoded, (std::vector<std::string>{"Files(2)", "Name", "", "1"}));

    EXPECT_EQ(test::refusal(editor, {"\"f\"", "\"a\"", "1", ""}, context),
              test::Refusal(kFileVariableField, "Variable required."));
    EXPECT_EQ(test::refusal(editor, {"F", "12", "1", ""}, context),
              test::Refusal(kFileNameField, "String variable or string literal required."));
}

TEST_F(TextFileOpenTest, OldTextsSplitIntoWordsAndAConvertedLineIsStoredOnceItsRefusedFieldIsCorrected)
{
    using Words = std::vector<std::string>;
    EXPECT_EQ(splitOldTextFileOpenText("TextFileOpen   ForRead  F,\"my, file.txt\""),
              (Words{"TextFileOpen", "ForRead", "F", "\"my, file.txt\""}));
    EXPECT_EQ(splitOldTextFileOpenText("TextFileOpen ForWrite Fs(1,2) , Names(I)"),
              (Words{"TextFileOpen", "ForWrite", "Fs(1,2)", "Names(I)"}));
    EXPECT_EQ(fieldsFromOldText("TextFileOpen forread F, N"), (Words{"F", "N", "1", ""}));
    EXPECT_EQ(fieldsFromOldText("TextFileOpen Append F, N"), (Words{"F", "N", "", "1"}));

    // Storing a converted line, or dropping it after its message, the program document tests check;
    // here, one who corrects the refused field gets the line stored.
    program.edit.section = kInitialise;
    program.edit.target = -1;
    program.edit.type = 40;
    program.edit.text = "TextFileOpen ForRead F, 42";
    program.edit.block = ParamBlock::fromBody(std::vector<uint8_t>{9, 9, 9});
    int asked = 0;
    CorrectFields fix = [&](std::vector<std::string> values,
                            const FieldError& error) -> std::optional<std::vector<std::string>> {
        ++asked;
        EXPECT_EQ(error.field, kFileNameField);
        values[kFileNameField] = "\"42.txt\"";
        return values;
    };
    EXPECT_TRUE(convertOldTextFileOpen(context, host, fix));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(program.sections[0].lines.back().text, "TextFileOpen ForRead F, \"42.txt\"");
    EXPECT_EQ(program.sections[0].lines.back().block.bodyLength(), kFixedBody + 2 + 7);
}
