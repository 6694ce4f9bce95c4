// make_loop_programs DIR [ITERATIONS]: writes the programs of the loop benchmarks, built through the editors as
// the IDE builds them:
//   count.qel  For I = 1 To 10000000 / Let N = N + I / Next             (N Floating Point)
//   call.qel   the same loop calling a function of one parameter:  Call AddOne (I) Into N
//   array.qel  For I = 1 To 10000000 / Let K = I % 1000 + 1 / Let A(K) = A(K) + 1 / Next, over an
//              Integer array of 1,000; shows "counted" when every element reached 10,000
//   sort.qel   bubble sort of 1,000 Integers (nested While, If, a swap through a temporary), five
//              times over the same shuffled data; shows "sorted" when the array ends in order
//   lines.qel  100,000 DrawLine lines of length 100 in the Initialise section
//   ide_count.qel  the count loop run as the IDE opens it (AutoRun), closing the IDE at its end
//              (ExitQEL): `qel ide_count.qel` against `qeltool run count.qel`, each less its run of
//              ITERATIONS 1, is the loop's time in the IDE against the tool's
// The comparison script writes the same algorithms in Lua and Python (bench/compare_languages.sh).

#include "bench/bench_builder.h"

using namespace qel;
using namespace qel::bench;

namespace {

std::vector<std::string> declareArray(std::string type, std::string name, std::string size)
{
    std::vector<std::string> fields(12);
    fields[0] = type;
    fields[1] = "1D Array";
    fields[2] = size;
    fields[4] = name;
    return fields;
}

std::vector<std::string> let3(std::string dest, std::string a, std::string op1, std::string b, std::string op2,
                              std::string c)
{
    return {dest, "", a, op1, b, op2, c, "", "", "", ""};
}

std::vector<std::string> condition(std::string left, std::string comparison, std::string right)
{
    std::vector<std::string> fields(17);
    fields[1] = left;
    fields[2] = comparison;
    fields[3] = right;
    return fields;
}

std::vector<std::string> messageBox(std::string text)
{
    std::vector<std::string> fields(11);
    fields[0] = "\"" + text + "\"";
    return fields;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_loop_programs DIR [ITERATIONS]\n");
        return 2;
    }
    std::string dir = argv[1];
    std::string last = argc > 2 ? argv[2] : "10000000";

    Builder count;
    count.declare("Floating Point", "N").declare("Integer", "I");
    count.add(kFor, {"I", "1", last, ""}).add(kLet, let("N", "N", "+", "I")).add(kNext, {});

    Builder call;
    call.declare("Floating Point", "N").declare("Integer", "I").declare("Floating Point", "X");
    call.add(kFor, {"I", "1", last, ""}).add(kCall, {"AddOne", "N", "I", "", ""}).add(kNext, {});
    call.add(kDeclareFunction, {"AddOne", "X", "", "", "Floating Point"})
        .add(kLet, let("X", "X", "+", "1"))
        .add(kReturn, {"X"})
        .add(kEndFunction, {});

    Builder array;
    array.declare("Integer", "I").declare("Integer", "K").add(kDeclareVariable, declareArray("Integer", "A", "1000"));
    array.add(kFor, {"I", "1", last, ""})
        .add(kLet, let3("K", "I", "%", "1000", "+", "1"))
        .add(kLet, let("A(K)", "A(K)", "+", "1"))
        .add(kNext, {});
    // Every element counted the same: last / 1000 times.
    array.declare("Integer", "Even").declare("Integer", "Each");
    array.add(kLet, let("Each", last, "/", "1000")).add(kLet, let("Even", "1", "", ""));
    array.add(kFor, {"K", "1", "1000", ""})
        .add(kIf, condition("A(K)", "Not Equal", "Each"))
        .add(kLet, let("Even", "0", "", ""))
        .add(kEndIf, {})
        .add(kNext, {});
    array.add(kIf, condition("Even", "Equal", "1")).add(kMessageBox, messageBox("counted")).add(kEndIf, {});

    Builder sort;
    sort.declare("Integer", "R").declare("Integer", "K").declare("Integer", "I").declare("Integer", "J");
    sort.declare("Integer", "J1").declare("Integer", "L").declare("Integer", "T").declare("Integer", "Ordered");
    sort.add(kDeclareVariable, declareArray("Integer", "A", "1000"));
    sort.add(kFor, {"R", "1", "5", ""});
    // A shuffle: 7919 is prime to 1000, so K * 7919 % 1000 takes every value 0 to 999 once.
    sort.add(kFor, {"K", "1", "1000", ""}).add(kLet, let3("A(K)", "K", "*", "7919", "%", "1000")).add(kNext, {});
    sort.add(kLet, let("I", "1", "", "")).add(kWhile, {"I", "Less Than", "1000"});
    sort.add(kLet, let("J", "1", "", "")).add(kLet, let("L", "1000", "-", "I"));
    sort.add(kWhile, {"J", "Less Than or Equal", "L"})
        .add(kLet, let("J1", "J", "+", "1"))
        .add(kIf, condition("A(J)", "Greater Than", "A(J1)"))
        .add(kLet, let("T", "A(J)", "", ""))
        .add(kLet, let("A(J)", "A(J1)", "", ""))
        .add(kLet, let("A(J1)", "T", "", ""))
        .add(kEndIf, {})
        .add(kLet, let("J", "J", "+", "1"))
        .add(kEndWhile, {});
    sort.add(kLet, let("I", "I", "+", "1")).add(kEndWhile, {});
    sort.add(kNext, {});
    // Sorted: every neighbour in order.
    sort.add(kLet, let("Ordered", "0", "", "")).add(kFor, {"K", "1", "999", ""});
    sort.add(kLet, let("J1", "K", "+", "1"))
        .add(kIf, condition("A(K)", "Less Than or Equal", "A(J1)"))
        .add(kLet, let("Ordered", "Ordered", "+", "1"))
        .add(kEndIf, {})
        .add(kNext, {});
    sort.add(kIf, condition("Ordered", "Equal", "999")).add(kMessageBox, messageBox("sorted")).add(kEndIf, {});

    Builder ide;
    ide.declare("Floating Point", "N").declare("Integer", "I").add(kAutoRun, {});
    ide.add(kFor, {"I", "1", last, ""}).add(kLet, let("N", "N", "+", "I")).add(kNext, {}).add(kExitQEL, {});

    Builder lines;
    for (int k = 0; k < 100000; ++k)
        lines.add(kDrawLine, {std::to_string(k % 500), std::to_string(k % 300), "60", "80", "1", "Red", ""});

    const bool saved = count.save(dir + "/count.qel") && call.save(dir + "/call.qel") &&
                       array.save(dir + "/array.qel") && sort.save(dir + "/sort.qel") &&
                       lines.save(dir + "/lines.qel") && ide.save(dir + "/ide_count.qel");
    return saved ? 0 : 1;
}
