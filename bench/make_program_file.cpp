// make_program_file OUT.qel [LINES]: writes the benchmarks' mixed program (100,000 lines by default),
// so whole-process measurements (`/usr/bin/time -v qeltool resave`) can use it.

#include "bench/program_generator.h"
#include "fileio/file_io.h"
#include "program/program_file.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_program_file OUT.qel [LINES]\n");
        return 2;
    }
    size_t lines = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100000;
    return qel::writeFileAtomically(argv[1], qel::bench::makeProgramFile(lines)) ? 0 : 1;
}
