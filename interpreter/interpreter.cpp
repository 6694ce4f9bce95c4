#include "interpreter/interpreter.h"

namespace qel {

Interpreter::Interpreter(Program& p, VariableTable& v, RunHost& h, const DispatchTable& d)
    : program(p), variables(v), host(h), dispatch(d), eval(v)
{
}

} // namespace qel
