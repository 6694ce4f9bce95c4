#pragma once
// What the tests of the application shell share: a scratch folder, program files built through the
// editors, and the bytes of files.

#include "document/program_document.h"
#include "document/program_template.h"
#include "fileio/file_io.h"
#include "program/program_file.h"
#include "support/program_builder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Failing comparisons of Qt texts show the text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace qel::test {

// A program with lines of several kinds in several sections, a blank line among them.
inline void buildSampleProgram(Program& program, VariableTable& variables)
{
    RecordingHost host;
    newProgramWithHandlers(program, variables, host);
    ProgramBuilder b(program, variables);
    b.section(kInitialise)
        .add("DeclareVariable", variableFields("Integer", "Count", "5"))
        .add("Let", letFields("Count", "Count", "+", "1"))
        .add("If", ifFields("Count", "Greater Than", "3"))
        .add("DrawLine", {"10", "20", "200", "150", "1", "Red", "1"})
        .add("EndIf")
        .add("Comment", {"done"});
    program.edit.section = kInitialise;
    program.insertBlankAfter(2); // a line the user never filled in
    b.section(kPaint).add("WindowClear", {"Blue"});
}

inline std::vector<uint8_t> fileBytes(const QString& path)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(readWholeFile(QFile::encodeName(path).toStdString(), bytes)) << path.toStdString();
    return bytes;
}

inline void writeBytes(const QString& path, const std::vector<uint8_t>& bytes)
{
    ASSERT_TRUE(writeFileAtomically(QFile::encodeName(path).toStdString(), bytes));
}

// Writes the sample program to dir/name and returns the path.
inline QString writeSampleProgram(const QTemporaryDir& dir, const QString& name)
{
    Program program;
    VariableTable variables;
    buildSampleProgram(program, variables);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(saveProgram(program, QFile::encodeName(path).toStdString()));
    return path;
}

inline std::vector<std::string> lineTexts(const Program& program, uint32_t section)
{
    std::vector<std::string> texts;
    for (const ProgramLine& line : program.sections[section].lines)
        texts.push_back(line.text);
    return texts;
}

} // namespace qel::test
