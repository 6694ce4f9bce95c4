#include "interpreter/core_handlers.h"

#include "interpreter/control_flow.h"
#include "interpreter/functions.h"
#include "interpreter/interpreter.h"
#include "values/let.h"

namespace qel {

namespace {

Outcome doNothing(Interpreter&, uint32_t) { return Outcome::Next; }

Outcome executeStop(Interpreter& in, uint32_t)
{
    in.runFlags |= kFlagStopExecuted; // the run pauses once the line has been passed
    return Outcome::Next;
}

Outcome executeExit(Interpreter&, uint32_t) { return Outcome::Exit; }
Outcome executePostQuit(Interpreter&, uint32_t) { return Outcome::Quit; }

Outcome executeCaseSensitive(Interpreter& in, uint32_t)
{
    in.eval.caseSensitive = true;
    return Outcome::Next;
}

Outcome executeCaseInsensitive(Interpreter& in, uint32_t)
{
    in.eval.caseSensitive = false;
    return Outcome::Next;
}

Outcome executeLetLine(Interpreter& in, uint32_t s)
{
    const Interpreter::LineRun& line = in.runAt(in.cursor(s));
    return executeLet(in.eval, *line.block, {line.operands, line.operandCount}) ? Outcome::Next : Outcome::Fail;
}

} // namespace

void registerCoreHandlers(DispatchTable& table)
{
    for (uint32_t type : {kBlank, kComment, kDeclareVariable, kAutoRun, kTraceOn, kTraceOff, kStepOn})
        table.set(type, doNothing);
    table.set(kStop, executeStop);
    table.set(kExitQEL, executeExit);
    table.set(kPostQuitMessage, executePostQuit);
    table.set(kOptionCaseSensitive, executeCaseSensitive);
    table.set(kOptionCaseInsensitive, executeCaseInsensitive);
    table.set(kLet, executeLetLine);
    registerControlFlowHandlers(table);
    registerFunctionHandlers(table);
}

} // namespace qel
