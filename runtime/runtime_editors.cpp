#include "runtime/runtime_editors.h"

#include "runtime/text_file_open.h"

namespace qel {

std::vector<const InstructionEditor*> runtimeEditors()
{
    static const TextFileOpenEditor textFileOpen;
    return {&textFileOpen};
}

} // namespace qel
