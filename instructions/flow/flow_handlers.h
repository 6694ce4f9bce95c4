#pragma once
// The handlers of the block instructions.

#include "interpreter/dispatch.h"

namespace qel {

LineResult executeIf(LineContext& line);
LineResult executeElse(LineContext& line);
LineResult executeEndIf(LineContext& line);
LineResult executeWhile(LineContext& line);
LineResult executeEndWhile(LineContext& line);
LineResult executeFor(LineContext& line);
LineResult executeNext(LineContext& line);
LineResult executeBreak(LineContext& line);
LineResult executeContinue(LineContext& line);

} // namespace qel
