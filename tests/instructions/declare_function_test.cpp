#include "instruction_checks.h"
#include "instructions/functions/declare_function.h"

using namespace qel;
using namespace qel::declare_function;
using test::Refusal;

namespace {

struct Fixture : ::testing::Test {
    Program program;
    VariableTable variables;
    EditContext context{program, variables, nullptr};
    DeclareFunctionEditor editor;

    EditOutcome accept(std::vector<std::string> values) { return editor.accept(values, context); }
};

} // namespace

TEST_F(Fixture, NamesParametersAndReturnTypeMakeTextAndBlockAndBadOnesAreRefused)
{
    const EditedLine plain = test::roundTrip(editor, {"qelOnKeyDown", "", "", "", "(Nothing)"}, context).line;
    EXPECT_EQ(plain.text, "DeclareFunction qelOnKeyDown");
    EXPECT_EQ(plain.block.bodyLength(), kFixedBody + 13);
    EXPECT_EQ(declaredFunctionName(plain.block), "qelOnKeyDown");
    EXPECT_EQ(plain.block.u32(kParameterMask), 0u);
    EXPECT_EQ(plain.block.u32(kReturnType), 0u);

    const EditedLine full = test::roundTrip(editor, {" Add ", "A", "", "Total", "Floating Point"}, context).line;
    EXPECT_EQ(full.text, "DeclareFunction Add (A, Total) Returning Floating Point");
    EXPECT_EQ(full.block.u32(kParameterMask), 5u);
    EXPECT_EQ(full.block.u32(kReturnType), 2u);
    EXPECT_EQ(full.block.textField(kParameter[2]), "Total");
    EXPECT_EQ(full.block.u32(kParameter[1]), 0u); // an empty parameter names nothing

    EXPECT_EQ(accept({"F", "", "", "", "String"}).line.text, "DeclareFunction F Returning String");
    EXPECT_EQ(accept({"F", "", "", "", "Integer"}).line.block.u32(kReturnType), 1u);
    // Decoded, the fields are the ones the line was built of.
    const std::vector<std::string> area = {"Area", "W", "H", "", "Integer"};
    EXPECT_EQ(test::roundTrip(editor, area, context).decoded, area);

    // Bad names, duplicates and parameters that are not names are refused.
    for (std::string bad : {"", "9lives", "has space", "ABCDEFGHIJKLMNOPQRSTU"})
        EXPECT_EQ(test::refusal(editor, {bad, "", "", "", "(Nothing)"}, context),
                  Refusal(kNameField, "Function name required."))
            << bad;
    EXPECT_EQ(test::refusal(editor, {"F", "", "A(1)", "", "(Nothing)"}, context),
              Refusal(kParameter2Field, "Variable name or Nothing required."));

    test::ProgramBuilder build(program, variables);
    build.section(kMouse).add("DeclareFunction", {"Draw", "", "", "", "(Nothing)"});
    EXPECT_EQ(test::refusal(editor, {"DRAW", "", "", "", "(Nothing)"}, context).second, "Function already exists.");

    // Editing the line itself may keep its name.
    context.editing = &program.sections[kMouse].lines.back();
    EXPECT_TRUE(accept({"draw", "X", "", "", "Integer"}).ok());
}
