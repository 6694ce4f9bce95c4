// qeltool: reads, rewrites, creates and runs QEL program files from the command line.

#include "app/tool_commands.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] != "run")
        return qel::runToolCommand(args, std::cin, std::cout, std::cerr);
    // Runs draw text with the application's fonts; no display is needed.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    return qel::runToolCommand(args, std::cin, std::cout, std::cerr);
}
