// Writes the seed corpus of the program file fuzzer: small valid programs built the way the IDE
// builds them. Runs only when QEL_FUZZ_SEED_DIR names the folder to write to.

#include "interpreter/program_template.h"
#include "program/program_file.h"
#include "support/file_bytes.h"
#include "support/program_builder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace qel;

TEST(FuzzSeeds, WriteSeedCorpus)
{
    const char* dir = std::getenv("QEL_FUZZ_SEED_DIR");
    if (!dir)
        GTEST_SKIP() << "QEL_FUZZ_SEED_DIR not set";
    std::filesystem::path folder = std::filesystem::path(dir) / "program";
    std::filesystem::create_directories(folder);
    auto write = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
        ASSERT_TRUE(writeFileAtomically((folder / name).string(), bytes));
    };

    Program program;
    VariableTable variables;
    test::RecordingHost host;
    write("empty.qel", storeProgram(program));

    newProgramWithHandlers(program, variables, host);
    write("handlers.qel", storeProgram(program));

    test::ProgramBuilder build(program, variables);
    build.section(kInitialise)
        .add("DeclareVariable", {"String", "Not an Array", "", "", "Name", "\"Ann\"", "Other", "\"B\""})
        .add("DeclareVariable", {"Integer", "2D Array", "3", "4", "Grid", ""})
        .add("DeclareVariable", {"File", "Not an Array", "", "", "F", ""})
        .add("TextFileOpen", {"F", "Name", "1", ""})
        .add("DeclareFunction", {"Area", "W", "H", "", "Integer"})
        .add("EndFunction")
        .add("Stop");
    write("variables.qel", storeProgram(program));

    Program loops;
    VariableTable loopVariables;
    newProgramWithHandlers(loops, loopVariables, host);
    test::ProgramBuilder run(loops, loopVariables);
    run.add("DeclareVariable", test::variableFields("Integer", "I", "0"))
        .add("DeclareVariable", test::variableFields("String", "S", "\"ab\""))
        .add("For", test::forFields("I", "1", "5")).add("Call", test::callFields("Twice", "I", "I")).add("Next")
        .add("While", {"I", "Less Than", "9"}).add("Let", test::letFields("I", "I", "+", "1"))
        .add("If", test::ifFields("I", "Equal", "7")).add("BreakOutOfLoop").add("Else").add("Continue").add("EndIf")
        .add("EndWhile")
        .add("StringPart", {"S", "1", "1", "S"})
        .add("DeclareFunction", test::functionFields("Twice", "I", "Integer"))
        .add("Let", test::letFields("I", "I", "*", "2")).add("Return", {"I"}).add("EndFunction");
    write("loops.qel", storeProgram(loops));

    test::FileBytes old;
    old.text("QEL 1.13").u32(0).line(3, "Init").line(40, "TextFileOpen ForRead F, \"a.txt\"", {1, 2}).line(56, "TraceOn").u32(99);
    for (uint32_t s = 1; s < 5; ++s)
        old.commentSection(s, "x");
    write("old-version.qel", old.bytes);
}
