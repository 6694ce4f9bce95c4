#include "runtime/dispatch_setup.h"

#include "interpreter/core_handlers.h"
#include "runtime/string_instructions.h"
#include "runtime/window_instructions.h"

namespace qel {

namespace {

DispatchTable build()
{
    DispatchTable table;
    registerCoreHandlers(table);
    registerStringHandlers(table);
    registerWindowHandlers(table);
    return table;
}

} // namespace

const DispatchTable& fullDispatchTable()
{
    static const DispatchTable table = build();
    return table;
}

} // namespace qel
