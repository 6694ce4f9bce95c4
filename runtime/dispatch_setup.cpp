#include "runtime/dispatch_setup.h"

#include "interpreter/core_handlers.h"
#include "runtime/string_instructions.h"

namespace qel {

namespace {

DispatchTable build()
{
    DispatchTable table;
    registerCoreHandlers(table);
    registerStringHandlers(table);
    return table;
}

} // namespace

const DispatchTable& fullDispatchTable()
{
    static const DispatchTable table = build();
    return table;
}

} // namespace qel
