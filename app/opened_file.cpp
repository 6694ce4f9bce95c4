#include "app/opened_file.h"

#include "app/tool_commands.h"
#include "document/program_document.h"
#include "fileio/file_io.h"

#include <ostream>

namespace qel {

OpenedFile::OpenedFile(const std::string& path, std::ostream& err)
{
    std::vector<uint8_t> bytes;
    if (readWholeFile(path, bytes, kMaxProgramFileBytes))
        result = openProgram(program, variables, bytes, host);
    else
        err << kCannotRead << path << "\n";
}

} // namespace qel
