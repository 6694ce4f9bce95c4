// qeltool: reads, rewrites, creates and runs QEL program files from the command line.

#include "app/tool_commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return qel::runToolCommand(args, std::cin, std::cout, std::cerr);
}
