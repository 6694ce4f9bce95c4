// qeltool: reads, rewrites, creates and runs QEL program files from the command line.

#include "app/tool_commands.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
#include <malloc.h>
#include <memory>

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
    // The application stays to the end of the process: taking it down would load the system's font
    // configuration only to free it (the font database asks for it as it goes), which in a run that
    // drew no text is most of the work the process ever does. A build whose leaks are checked takes
    // it down, so that the font configuration is given back too.
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    const int status = qel::runToolCommand(args, std::cin, std::cout, std::cerr);
#ifndef QEL_LEAKS_CHECKED
    (void)app.release(); // the process's end takes back what it holds
#endif
    return status;
}
