#pragma once
// The handlers of the block instructions, and their decoders.

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

// Their decoded forms for the run loop (decoded_line.h).
bool decodeIf(const DecodeContext& line, DecodedLine& out);
bool decodeElse(const DecodeContext& line, DecodedLine& out);
bool decodeEndIf(const DecodeContext& line, DecodedLine& out);
bool decodeWhile(const DecodeContext& line, DecodedLine& out);
bool decodeEndWhile(const DecodeContext& line, DecodedLine& out);
bool decodeFor(const DecodeContext& line, DecodedLine& out);
bool decodeNext(const DecodeContext& line, DecodedLine& out);

} // namespace qel
