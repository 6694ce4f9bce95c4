#include "runtime/runtime_editors.h"

#include "runtime/bitmap_editors.h"
#include "runtime/draw_shape_editors.h"
#include "runtime/interaction_editors.h"
#include "runtime/string_editors.h"
#include "runtime/text_editors.h"
#include "runtime/text_file_open.h"
#include "runtime/window_instructions.h"

namespace qel {

std::vector<const InstructionEditor*> runtimeEditors()
{
    static const TextFileOpenEditor textFileOpen;
    static const WindowClearEditor windowClear;
    static const WindowGetSizeEditor windowGetSize;
    std::vector<const InstructionEditor*> editors = {&textFileOpen, &windowClear, &windowGetSize};
    for (const InstructionEditor* e : textEditors())
        editors.push_back(e);
    for (const InstructionEditor* e : stringEditors())
        editors.push_back(e);
    for (const InstructionEditor* e : bitmapEditors())
        editors.push_back(e);
    for (const InstructionEditor* e : shapeEditors())
        editors.push_back(e);
    for (const InstructionEditor* e : interactionEditors())
        editors.push_back(e);
    return editors;
}

} // namespace qel
