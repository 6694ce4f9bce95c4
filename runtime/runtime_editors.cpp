#include "runtime/runtime_editors.h"

#include "runtime/string_editors.h"
#include "runtime/text_file_open.h"

namespace qel {

std::vector<const InstructionEditor*> runtimeEditors()
{
    static const TextFileOpenEditor textFileOpen;
    std::vector<const InstructionEditor*> editors = {&textFileOpen};
    for (const InstructionEditor* e : stringEditors())
        editors.push_back(e);
    return editors;
}

} // namespace qel
