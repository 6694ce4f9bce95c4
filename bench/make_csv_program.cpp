// make_csv_program DIR [LINES]: writes csv.qel, built through the editors as the IDE builds it. Its
// Initialise section writes LINES (default 100,000) comma-separated lines of five fields to
// csv.txt beside it, then reads them back with split reads until the end of the file:
//   For I = 1 To LINES: I, "p"+I, I*0.5, "abc", I (each with a comma, the last with a NewLine)
//   While not at the end: TextFileRead F, Fields, Parsed, N / Total = Total + N

#include "bench/bench_builder.h"

using namespace qel;
using namespace qel::bench;

namespace {

std::vector<std::string> write(std::string value, bool newLine)
{
    return {"F", std::move(value), newLine ? "" : "1", "", newLine ? "1" : ""};
}

std::vector<std::string> condition(std::string variable, std::string comparison, std::string value)
{
    std::vector<std::string> fields(17);
    fields[1] = std::move(variable);
    fields[2] = std::move(comparison);
    fields[3] = std::move(value);
    return fields;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_csv_program DIR [LINES]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const std::string lines = argc > 2 ? argv[2] : "100000";

    Builder csv;
    csv.declare("Integer", "I").declare("Integer", "N").declare("Integer", "Total").declare("Integer", "Done");
    csv.declare("Floating Point", "X");
    csv.add(kDeclareVariable, {"String", "Not an Array", "", "", "Name", "\"\""});
    csv.add(kDeclareVariable, {"File", "Not an Array", "", "", "F", ""});
    csv.add(kDeclareVariable, {"String", "1D Array", "5", "", "Fields", ""});
    csv.add(kTextFileOpen, {"F", "\"csv.txt\"", "", "1"})
        .add(kFor, {"I", "1", lines, ""})
        .add(kLet, let("Name", "\"p\"", "+", "I"))
        .add(kLet, let("X", "I", "*", "0.5"))
        .add(kTextFileWrite, write("I", false))
        .add(kTextFileWrite, write("Name", false))
        .add(kTextFileWrite, write("X", false))
        .add(kTextFileWrite, write("\"abc\"", false))
        .add(kTextFileWrite, write("I", true))
        .add(kNext, {})
        .add(kTextFileClose, {"F"})
        .add(kTextFileOpen, {"F", "\"csv.txt\"", "1", ""})
        .add(kWhile, {"Done", "Equal", "0"})
        .add(kTextFileRead, {"F", "Fields", "1", "N"})
        .add(kIf, condition("F", ".AtEndOfFile", ""))
        .add(kLet, let("Done", "1", "", ""))
        .add(kElse, {})
        .add(kLet, let("Total", "Total", "+", "N"))
        .add(kEndIf, {})
        .add(kEndWhile, {})
        .add(kTextFileClose, {"F"});
    return csv.save(dir + "/csv.qel") ? 0 : 1;
}
