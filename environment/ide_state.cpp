#include "environment/ide_state.h"

#include "runtime/dispatch_setup.h"

namespace qel {

IdeState::IdeState() : interpreter(program, variables, host, fullDispatchTable())
{
    canvas.attach(interpreter);
    host.attach(interpreter, canvas);
}

} // namespace qel
