// Feeds arbitrary bytes to the program file reader as the IDE opens a file, then checks that what
// was read writes back and reads back to the same bytes, and that the check and the scan of line
// types read it safely.

#include "check/program_check.h"
#include "document/program_document.h"
#include "program/program_file.h"
#include "values/variable_table.h"

#include <cstdlib>

namespace {

class QuietHost : public qel::MessageHost {
public:
    qel::Button showMessage(std::string_view, qel::Icon, qel::Buttons buttons) override
    {
        return qel::defaultButton(buttons);
    }
    bool ctrlOrShiftHeld() override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QuietHost host;
    qel::Program program;
    qel::VariableTable variables;
    const qel::LoadResult opened = qel::openProgram(program, variables, std::span(data, size), host);
    static_cast<void>(qel::checkProgram(program, variables, ""));
    // qeltool's scan of the line types goes through every file the reader opens.
    if (!qel::scanLineTypes(std::span(data, size), [](uint32_t) { return true; }) &&
        opened.status == qel::ReadStatus::Ok)
        std::abort();

    const auto first = qel::storeProgram(program);
    if (!first)
        std::abort(); // whatever the reader accepted can be written
    qel::Program again;
    qel::VariableTable againVariables;
    qel::LoadResult r = qel::openProgram(again, againVariables, *first, host);
    if (r.status != qel::ReadStatus::Ok || qel::storeProgram(again).value() != *first)
        std::abort(); // what the reader accepted must write back as a file it reads the same
    return 0;
}
