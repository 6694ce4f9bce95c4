// Feeds arbitrary text to the program text reader, then checks that a program it built writes as a
// file and comes back from its own text to the same bytes.

#include "document/program_document.h"
#include "program/program_file.h"
#include "program_text/program_export.h"
#include "program_text/program_import.h"
#include "values/variable_table.h"

#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

namespace {

class QuietHost : public qel::MessageHost {
public:
    qel::Button showMessage(std::string_view, qel::Icon, qel::Buttons buttons) override
    {
        return qel::defaultButton(buttons);
    }
};

std::optional<std::vector<uint8_t>> built(std::string_view text)
{
    QuietHost host;
    qel::Program program;
    qel::VariableTable variables;
    if (!qel::importProgram(text, program, variables, host))
        return std::nullopt;
    auto bytes = qel::storeProgram(program);
    if (!bytes)
        std::abort(); // whatever the editors built can be written
    return std::move(bytes).value();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto first = built(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!first)
        return 0;
    QuietHost host;
    qel::Program program;
    qel::VariableTable variables;
    if (qel::openProgram(program, variables, *first, host).status != qel::ReadStatus::Ok)
        std::abort();
    if (built(qel::exportProgram(program)) != first)
        std::abort(); // a program comes back from its own text byte for byte
    return 0;
}
