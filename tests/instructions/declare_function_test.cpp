#include "instructions/functions/declare_function.h"
#include "support/program_builder.h"

#include <gtest/gtest.h>

using namespace qel;
using namespace qel::declare_function;

namespace {

struct Fixture : ::testing::Test {
    Program program;
    VariableTable variables;
    EditContext context{program, variables, nullptr};
    DeclareFunctionEditor editor;

    EditOutcome accept(std::vector<std::string> values) { return editor.accept(values, context); }
};

} // namespace

TEST_F(Fixture, NamesParametersAndReturnTypeMakeTextAndBlock)
{
    EditOutcome plain = accept({"qelOnKeyDown", "", "", "", "(Nothing)"});
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(plain.line.text, "DeclareFunction qelOnKeyDown");
    EXPECT_EQ(plain.line.block.bodyLength(), kFixedBody + 13);
    EXPECT_EQ(declaredFunctionName(plain.line.block), "qelOnKeyDown");
    EXPECT_EQ(plain.line.block.u32(kParameterMask), 0u);
    EXPECT_EQ(plain.line.block.u32(kReturnType), 0u);

    EditOutcome full = accept({" Add ", "A", "", "Total", "Floating Point"});
    ASSERT_TRUE(full.ok());
    EXPECT_EQ(full.line.text, "DeclareFunction Add (A, Total) Returning Floating Point");
    EXPECT_EQ(full.line.block.u32(kParameterMask), 5u);
    EXPECT_EQ(full.line.block.u32(kReturnType), 2u);
    EXPECT_EQ(full.line.block.textField(kParameter[2]), "Total");
    EXPECT_EQ(full.line.block.u32(kParameter[1]), 0u); // an empty parameter names nothing

    EXPECT_EQ(accept({"F", "", "", "", "String"}).line.text, "DeclareFunction F Returning String");
    EXPECT_EQ(accept({"F", "", "", "", "Integer"}).line.block.u32(kReturnType), 1u);
}

TEST_F(Fixture, RefusesBadNamesDuplicatesAndNonNameParameters)
{
    for (std::string bad : {"", "9lives", "has space", "ABCDEFGHIJKLMNOPQRSTU"}) {
        EditOutcome r = accept({bad, "", "", "", "(Nothing)"});
        ASSERT_FALSE(r.ok()) << bad;
        EXPECT_EQ(r.error->field, kNameField);
        EXPECT_EQ(r.error->message, "Function name required.");
        EXPECT_EQ(r.error->icon, Icon::Exclamation);
    }
    EditOutcome param = accept({"F", "", "A(1)", "", "(Nothing)"});
    ASSERT_FALSE(param.ok());
    EXPECT_EQ(param.error->field, kParameter2Field);
    EXPECT_EQ(param.error->message, "Variable name or Nothing required.");

    test::ProgramBuilder build(program, variables);
    build.section(kMouse).add("DeclareFunction", {"Draw", "", "", "", "(Nothing)"});
    EditOutcome dup = accept({"DRAW", "", "", "", "(Nothing)"});
    ASSERT_FALSE(dup.ok());
    EXPECT_EQ(dup.error->message, "Function already exists.");

    // Editing the line itself may keep its name.
    context.editing = &program.sections[kMouse].lines.back();
    EXPECT_TRUE(accept({"draw", "X", "", "", "Integer"}).ok());
}

TEST_F(Fixture, DecodeGivesBackFieldsThatRebuildTheSameLine)
{
    EditOutcome first = accept({"Area", "W", "H", "", "Integer"});
    ASSERT_TRUE(first.ok());
    ProgramLine stored{first.line.type, first.line.text, first.line.block};
    std::vector<std::string> fields = editor.decode(stored);
    EXPECT_EQ(fields, (std::vector<std::string>{"Area", "W", "H", "", "Integer"}));
    EditOutcome again = accept(fields);
    EXPECT_EQ(again.line.text, first.line.text);
    EXPECT_EQ(again.line.block, first.line.block);
}
