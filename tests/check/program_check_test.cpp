// The check of a program: each kind of finding on a program that has it and on one that does not,
// and (where the run fails on it) that the run fails with the same text at the same line.

#include "check/program_check.h"
#include "document/program_document.h"
#include "examples/example_programs.h"
#include "fileio/file_io.h"
#include "program/program_file.h"
#include "support/run_fixture.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>

using namespace qel;
using namespace qel::test;

namespace {

// Adds the lines of a row to a program with handlers: with the mistake, or with it put right.
using Lines = std::function<void(Session&, bool mistaken)>;

struct Row {
    const char* name;
    Lines lines;
    std::vector<Finding> findings; // those of the mistaken program
    int runFinding;                // the one the run fails with, at its line; -1: the run does not
};

void declare(ProgramBuilder& b, const char* type, const char* name, const char* initial = "0")
{
    b.add("DeclareVariable", variableFields(type, name, initial));
}

const Row kRows[] = {
    {"undeclared variable",
     [](Session& s, bool bad) {
         if (!bad)
             declare(s.build, "Integer", "X", "5");
         s.build.add("While", {"X", "Less Than", "3"}).add("EndWhile");
     },
     {{0, 1, "Reference to undeclared variable - X"}},
     0},
    {"subscript on a scalar",
     [](Session& s, bool bad) {
         if (bad)
             declare(s.build, "Integer", "A");
         else
             s.build.add("DeclareVariable", arrayFields("Integer", "A", 3));
         s.build.add("Let", letFields("A(2)", "1"));
     },
     {{0, 2, "Differing number of dimensions between reference and declaration of variable - A"}},
     0},
    {"array without its subscript",
     [](Session& s, bool bad) {
         s.build.add("DeclareVariable", arrayFields("Integer", "A", 3, 2));
         declare(s.build, "Integer", "T");
         s.build.add("Let", letFields("T", bad ? "A" : "A(3,2)"));
     },
     {{0, 3, "Differing number of dimensions between reference and declaration of variable - A"}},
     0},
    {"constant subscript beyond the dimension",
     [](Session& s, bool bad) {
         s.build.add("DeclareVariable", arrayFields("Integer", "A", 3, 2));
         s.build.add("Let", letFields(bad ? "A(1,3)" : "A(1,2)", "1"));
     },
     {{0, 2, "2nd Subscript out of range - A"}},
     0},
    {"subscript variable undeclared",
     [](Session& s, bool bad) {
         s.build.add("DeclareVariable", arrayFields("Integer", "A", 3));
         if (!bad)
             declare(s.build, "Integer", "K", "1");
         s.build.add("Let", letFields("A(K)", "1"));
     },
     {{0, 2, "Expecting subscript but found undeclared variable - K"}},
     0},
    {"undeclared function",
     [](Session& s, bool bad) {
         s.build.add("Call", callFields("Draw"));
         if (!bad)
             s.build.add("DeclareFunction", functionFields("draw")).add("EndFunction");
     },
     {{0, 1, "Unable to find function - Draw"}},
     0},
    {"wrong arguments",
     [](Session& s, bool bad) {
         declare(s.build, "Integer", "P");
         s.build.add("Call", callFields("Draw", "", bad ? "" : "1", bad ? "1" : ""));
         s.build.add("DeclareFunction", functionFields("Draw", "P")).add("EndFunction");
     },
     {{0, 2, "Paramater count mismatch"}},
     0},
    {"If without its EndIf",
     [](Session& s, bool bad) {
         declare(s.build, "Integer", "A");
         s.build.add("If", ifFields("A", "Equal", "1")).add("Else");
         if (!bad)
             s.build.add("EndIf");
     },
     {{0, 3, "Could not find matching EndIf"}},
     -1},
    {"closing line meeting another block",
     [](Session& s, bool bad) {
         declare(s.build, "Integer", "A");
         s.build.add("For", forFields("A", "1", "2"));
         if (bad)
             s.build.add("EndWhile");
         s.build.add("Next");
     },
     {{0, 2, "Could not find matching Next"}, {0, 3, "Found an EndWhile matched to a For."}},
     1},
    {"closing line with nothing open",
     [](Session& s, bool bad) {
         declare(s.build, "Integer", "A");
         if (!bad)
             s.build.add("For", forFields("A", "1", "2"));
         s.build.add("Next");
     },
     {{0, 2, "Found a Next matched to nothing"}},
     0},
    {"BreakOutOfLoop outside a loop",
     [](Session& s, bool bad) {
         declare(s.build, "Integer", "A", "1");
         if (!bad)
             s.build.add("While", {"A", "Equal", "1"});
         s.build.add("BreakOutOfLoop");
         if (!bad)
             s.build.add("EndWhile");
     },
     {{0, 2, "Unhandled line type.(Break)"}},
     0},
    {"Return in the main code of the Initialise section",
     [](Session& s, bool bad) {
         if (bad)
             s.build.add("Return", {""});
     },
     {{0, 1, "Found a Return matched to nothing"}},
     0},
    {"function without its EndFunction",
     [](Session& s, bool bad) {
         s.build.add("DeclareFunction", functionFields("Draw"));
         if (!bad)
             s.build.add("EndFunction");
     },
     {{0, 1, "No EndFunction closes the function - Draw"}},
     -1},
    {"handler function missing",
     [](Session& s, bool bad) {
         for (int k = 0; bad && k < 2; ++k) // qelOnMove and its EndFunction, the Mouse section's last lines
             ASSERT_TRUE(s.program.deleteLine(kMouse, static_cast<long>(s.program.sections[kMouse].lineCount() - 1),
                                              s.host.recorder));
     },
     {{4, 0, "qelOnMove handler function missing."}},
     0},
    {"file name naming no file",
     [](Session& s, bool) {
         declare(s.build, "Bitmap", "B", "");
         s.build.add("BitmapLoad", {"\"picture.bmp\"", "B", "", ""});
     },
     {{0, 2, "Unable to open the bitmap specified."}},
     0},
};

} // namespace

namespace qel {
void PrintTo(const Finding& f, std::ostream* out) { *out << f.section << ":" << f.line << " " << f.message; }
} // namespace qel

TEST(ProgramCheck, EachFindingOnAProgramThatHasItAndNoneOnOneThatDoesNot)
{
    const std::string folder = makeTempFolder();
    for (const Row& row : kRows) {
        for (bool bad : {true, false}) {
            SCOPED_TRACE(std::string(row.name) + (bad ? ", mistaken" : ", put right"));
            Session s;
            s.handlers();
            row.lines(s, bad);
            s.programPath = folder + "/program.qel";
            if (bad)
                std::remove((folder + "/picture.bmp").c_str());
            else
                writeBytes(folder + "/picture.bmp", "BM");
            const std::vector<Finding> findings = checkProgram(s.program, s.variables, s.programPath);
            EXPECT_EQ(findings, bad ? row.findings : std::vector<Finding>{});
            if (!bad || row.runFinding < 0)
                continue;
            const Finding& predicted = row.findings[static_cast<size_t>(row.runFinding)];
            s.start();
            ASSERT_EQ(s.errors().size(), 1u);
            EXPECT_TRUE(s.errors()[0].ends_with("\n\n" + predicted.message)) << s.errors()[0];
            EXPECT_EQ(s.failedAt(), std::make_pair(predicted.section, static_cast<int>(predicted.line)));
        }
    }
}

// The examples check clean, as saved beside their files, and keep to the lesson they belong to.
TEST(ProgramCheck, TheExamplesHaveNoFindings)
{
    for (std::string_view name : examples::kExampleNames) {
        const bool filesAndForms = name == "highscores" || name == "quiz";
        const LessonProfile lesson = readLessonProfile(std::string(QEL_EXAMPLES_DIR) + "/profiles/" +
                                                       (filesAndForms ? "files_and_forms" : "drawing") + ".txt");
        const std::string path = std::string(QEL_EXAMPLES_DIR) + "/" + std::string(name) + ".qel";
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(readWholeFile(path, bytes, kMaxProgramFileBytes)) << path;
        Program program;
        VariableTable variables;
        RecordingHost host;
        ASSERT_EQ(openProgram(program, variables, bytes, host).status, ReadStatus::Ok);
        EXPECT_EQ(checkProgram(program, variables, path, &lesson), std::vector<Finding>{}) << name;
    }
}
