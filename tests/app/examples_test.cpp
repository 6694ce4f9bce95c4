// The example programs in examples/, as the examples library builds them through the editors, are
// the files there byte for byte, and their pictures are compared pixel for pixel with the PNGs
// beside them. A program that keeps a file (highscores.txt) runs on copies, and the file it leaves
// is checked. The quiz is answered through its form (the answer chosen ignoring case).
// QEL_UPDATE_EXAMPLES=1 writes them all again (look at the pictures before committing them).

#include "app/sandbox.h"
#include "app_support.h"
#include "examples/example_programs.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>

using namespace qel;
using namespace qel::test;

namespace {

const std::string kExamples = QEL_EXAMPLES_DIR;

struct Example {
    const char* name;
    std::string events;                           // what the user does before the picture is taken
    std::vector<std::string> lines = {kFinished}; // what the run prints before its variables
    const char* data = nullptr;                   // a file the program keeps beside it: the run uses a copy
    const char* dataAfter = nullptr;
    bool form = false;      // it has a form instead of a picture
    std::string variable{}; // a variable's record at the end
};

const Example kExampleList[] = {
    {"hello", ""},
    {"shapes", ""},
    {"colours", "paint\n"}, // the remap happens in Initialise, after the first paint
    {"clicks", "mouse down 100 100\nmouse up 100 100\nmouse down 300 200\nmouse up 300 200\npaint\n"},
    {.name = "highscores",
     .events = "input Zoe\ninput 650\npaint\n",
     .data = "highscores.txt",
     .dataAfter = "Ada,900\r\nGrace,750\r\nZoe,650\r\nAlan,600\r\nLinus,300\r\n"},
    {.name = "quiz",
     .events = "form \"Capital Quiz\" click buttAnswer\nform \"Capital Quiz\" select cmbAnswer paris\n"
               "form \"Capital Quiz\" click buttAnswer\n",
     .lines = {messageRecord("Not quite - try again.", "exclamation"), messageRecord("Right!", "information"),
               kFinished},
     .form = true,
     .variable = varRecord("Score", "Integer", "1")},
};

bool updating() { return qEnvironmentVariableIntValue("QEL_UPDATE_EXAMPLES") == 1; }

// Whether the stored file holds the bytes; when updating, writes them first.
void expectStored(const std::string& file, const std::vector<uint8_t>& bytes, const char* what)
{
    const std::string path = kExamples + "/" + file;
    ASSERT_TRUE(!updating() || writeFileAtomically(path, bytes));
    std::vector<uint8_t> stored;
    ASSERT_TRUE(readWholeFile(path, stored));
    EXPECT_EQ(stored, bytes) << "examples/" << file << " is not what the " << what;
}

} // namespace

TEST(Examples, AreTheProgramsTheEditorsBuildAndDrawTheirPictures)
{
    ASSERT_EQ(std::size(kExampleList), std::size(examples::kExampleNames));
    for (const Example& example : kExampleList) {
        SCOPED_TRACE(example.name);
        const examples::BuiltExample built = examples::buildExample(example.name);
        ASSERT_TRUE(built.problems.empty()) << built.problems[0];
        const std::string stem = kExamples + "/" + example.name, path = stem + ".qel", golden = stem + ".png";
        expectStored(example.name + std::string(".qel"), built.programFile, "editors build");
        ASSERT_EQ(built.formFile.empty(), !example.form);
        if (example.form)
            expectStored(example.name + std::string(".frm"), {built.formFile.begin(), built.formFile.end()},
                         "form file writer writes");

        // A program that keeps a file beside it runs as a copy, beside a fresh copy of the file.
        const std::string copies = ::testing::TempDir() + example.name + "-run/";
        auto runPath = [&] {
            if (!example.data)
                return path;
            std::filesystem::create_directories(copies);
            for (const std::string& file : {example.name + std::string(".qel"), std::string(example.data)})
                std::filesystem::copy_file(kExamples + "/" + file, copies + file,
                                           std::filesystem::copy_options::overwrite_existing);
            return copies + example.name + ".qel";
        };
        // In the test's process, and confined to the program's folder (where its form is) by the
        // sandbox in a process of its own: the same picture.
        for (const bool sandbox : {false, true}) {
            SCOPED_TRACE(sandbox ? "sandbox" : "");
            if (sandbox && (updating() || !landlockVersion()))
                continue; // the sandbox tests say why they are skipped
            const std::string png = ::testing::TempDir() + example.name + (sandbox ? "-sandbox.png" : ".png");
            const std::vector<std::string> args = {
                "run", runPath(), "--events", "-", "--vars", "--snapshot", updating() && !example.form ? golden : png};
            RunOutput run = sandbox ? runToolProcess(withSandbox(args), example.events) : runTool(args, example.events);
            ASSERT_EQ(run.status, 0) << run.err;
            ASSERT_EQ(run.lines.size(), example.lines.size() + 1);
            EXPECT_EQ(std::vector<std::string>(run.lines.begin(), run.lines.end() - 1), example.lines);
            EXPECT_TRUE(holds(run.lines.back(), {example.variable}));
            if (example.data) {
                EXPECT_EQ(readBytes(copies + example.data), example.dataAfter);
            }
            if (updating() || example.form)
                continue;
            QImage expected(QString::fromStdString(golden)), actual(QString::fromStdString(png));
            ASSERT_FALSE(expected.isNull());
            ASSERT_EQ(actual.size(), expected.size());
            EXPECT_TRUE(actual.convertToFormat(QImage::Format_RGB32) == expected.convertToFormat(QImage::Format_RGB32))
                << "pixels differ from examples/" << example.name << ".png";
        }
    }
}
