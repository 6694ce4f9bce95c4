#pragma once
// The handlers of the lines that declare, call and leave user functions, and the decoders of Call
// and Return.

#include "interpreter/dispatch.h"

namespace qel {

LineResult executeCall(LineContext& line);
LineResult executeCallUsing(LineContext& line);
LineResult executeReturn(LineContext& line);
LineResult executeEndFunction(LineContext& line);
LineResult executeDeclareFunction(LineContext& line);

// Call and Return decoded for the run loop (decoded_line.h).
bool decodeCall(const DecodeContext& line, DecodedLine& out);
bool decodeReturn(const DecodeContext& line, DecodedLine& out);

} // namespace qel
