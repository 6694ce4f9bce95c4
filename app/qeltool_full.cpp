// qeltool-full: reads, rewrites, creates and runs QEL program files from the command line. Users
// call qeltool (app/qeltool.cpp), which runs the programs that need no picture itself and hands
// everything else to this whole tool.

#include "app/large_blocks.h"
#include "app/tool_commands.h"
#include "runtime/gui_application.h"

#include <QGuiApplication>

#include <iostream>

int main(int argc, char** argv)
{
    qel::mapLargeBlocksApart();
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Runs that write text make the application when they first do (runtime/gui_application.h);
    // grading reads and writes pictures.
    if (!args.empty() && args[0] == "grade")
        (void)qel::ensureGuiApplication();
    const int status = qel::runToolCommand(args, std::cin, std::cout, std::cerr);
    // The application stays to the end of the process: taking it down would load the system's font
    // configuration only to free it (the font database asks for it as it goes). A build whose
    // leaks are checked takes it down, so that the font configuration is given back too.
#ifdef QEL_LEAKS_CHECKED
    delete QCoreApplication::instance();
#endif
    return status;
}
