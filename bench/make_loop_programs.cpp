// make_loop_programs DIR [ITERATIONS]: writes the programs of the loop benchmarks, built through the editors as
// the IDE builds them:
//   count.qel  For I = 1 To 10000000 / Let N = N + I / Next             (N Floating Point)
//   call.qel   the same loop calling a function of one parameter:  Call AddOne (I) Into N
//   lines.qel  100,000 DrawLine lines of length 100 in the Initialise section

#include "bench/bench_builder.h"

using namespace qel;
using namespace qel::bench;

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

    Builder lines;
    for (int k = 0; k < 100000; ++k)
        lines.add(kDrawLine, {std::to_string(k % 500), std::to_string(k % 300), "60", "80", "1", "Red", ""});

    return count.save(dir + "/count.qel") && call.save(dir + "/call.qel") && lines.save(dir + "/lines.qel") ? 0 : 1;
}
