#pragma once
// What the tests of the application shell share: a scratch folder, program files built through the
// editors, and the bytes of files.

#include "document/program_document.h"
#include "document/program_template.h"
#include "fileio/file_io.h"
#include "program/program_file.h"
#include "support/program_builder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
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
    program.insertBlankAfter(kInitialise, 2); // a line the user never filled in
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

// Acts on the next modal dialog as soon as it is open (a dialog's exec() blocks the test otherwise).
// A dialog that has gone may leave its address to the next one, so the one before is watched.
inline void whenDialogOpens(std::function<void(QWidget*)> act, QPointer<QWidget> previous = nullptr)
{
    QTimer::singleShot(10, [act, previous] {
        // Open means shown with its first field focused, so typed keys have somewhere to go.
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == previous || !modal->isVisible() || !modal->focusWidget()) {
            whenDialogOpens(act, previous);
            return;
        }
        act(modal);
    });
}

// Saves a picture of the widget's window as DIR/name.png when QEL_SCREENSHOT_DIR=DIR is set.
inline void screenshot(QWidget* widget, const char* name)
{
    const QString dir = qEnvironmentVariable("QEL_SCREENSHOT_DIR");
    if (!dir.isEmpty() && widget)
        widget->window()->grab().save(dir + "/" + name + ".png");
}

} // namespace qel::test
