#pragma once
// The handlers of the lines that declare, call and leave user functions.

#include "interpreter/dispatch.h"

namespace qel {

LineResult executeCall(LineContext& line);
LineResult executeCallUsing(LineContext& line);
LineResult executeReturn(LineContext& line);
LineResult executeEndFunction(LineContext& line);
LineResult executeDeclareFunction(LineContext& line);

} // namespace qel
