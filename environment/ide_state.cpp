#include "environment/ide_state.h"

#include "instructions/catalogue.h"

namespace qel {

IdeState::IdeState() : interpreter(program, variables, host, dispatchTable())
{
    canvas.attach(interpreter);
    host.attach(interpreter, canvas);
}

} // namespace qel
