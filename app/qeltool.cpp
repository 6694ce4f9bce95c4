// qeltool: reads, rewrites, creates and runs QEL program files from the command line.

#include "app/tool_commands.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
#include <malloc.h>

int main(int argc, char** argv)
{
    // Every block of a megabyte or more is mapped on its own and unmapped when freed. The allocator
    // would otherwise raise that threshold after each large free (up to 32 MB) and keep the freed
    // text of a long line in its heap, so a run's memory would pass its limit by what it once held.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || (args[0] != "run" && args[0] != "grade"))
        return qel::runToolCommand(args, std::cin, std::cout, std::cerr);
    // Runs draw text with the application's fonts, and grading reads and writes pictures; no
    // display is needed.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    return qel::runToolCommand(args, std::cin, std::cout, std::cerr);
}
