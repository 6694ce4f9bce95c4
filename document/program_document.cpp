#include "document/program_document.h"

#include "fileio/file_io.h"
#include "instructions/variables/declared_variables.h"
#include "values/variable_table.h"

namespace qel {

LoadResult openProgram(Program& program, VariableTable& variables, std::span<const uint8_t> bytes, MessageHost& host,
                       const CorrectFields& correctTextFileOpen)
{
    variables.clearAllVariables();
    LegacyTextFileOpenConverter convert = [&](Program& p, MessageHost& h) {
        EditContext context{p, variables, nullptr};
        return convertOldTextFileOpen(context, h, correctTextFileOpen);
    };
    LoadResult result = loadProgram(program, bytes, host, convert);
    rebuildVariableTable(program, variables, host);
    return result;
}

void rebuildVariableTable(const Program& program, VariableTable& variables, MessageHost& host)
{
    variables.clearAllVariables();
    for (uint32_t section = 0; section < kSectionCount; ++section)
        createDeclaredVariables(variables, program, section, host);
}

bool saveProgram(const Program& program, const std::string& path)
{
    const Result<std::vector<uint8_t>> bytes = storeProgram(program);
    return bytes && writeFileAtomically(path, *bytes);
}

} // namespace qel
