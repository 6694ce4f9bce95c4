#include "runtime/dispatch_setup.h"

#include "interpreter/core_handlers.h"
#include "runtime/bitmap_instructions.h"
#include "runtime/draw_shapes.h"
#include "runtime/interaction_instructions.h"
#include "runtime/string_instructions.h"
#include "runtime/text_instructions.h"
#include "runtime/window_instructions.h"

namespace qel {

namespace {

DispatchTable build()
{
    DispatchTable table;
    registerCoreHandlers(table);
    registerBitmapHandlers(table);
    registerStringHandlers(table);
    registerWindowHandlers(table);
    registerTextHandlers(table);
    registerShapeHandlers(table);
    registerInteractionHandlers(table);
    return table;
}

} // namespace

const DispatchTable& fullDispatchTable()
{
    static const DispatchTable table = build();
    return table;
}

} // namespace qel
