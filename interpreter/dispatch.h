#pragma once
// The run loop's dispatch table: one handler per type code. The interpreter fills the rows of the
// instructions it owns; the layers above attach the handlers of drawing, files, dialogs and forms.

#include "program/instruction_table.h"

#include <array>
#include <cstdint>

namespace qel {

class Interpreter;

// Where a section's run is: a line of some section (a function declared elsewhere runs inside the
// calling section's run, so the line's section may differ from the run's).
struct LineCursor {
    uint32_t section = 0;
    uint32_t index = 0;
    bool operator==(const LineCursor&) const = default;
};

// What a handler tells the loop.
enum class Outcome : uint8_t {
    Next,       // done: the loop moves on to the line after the current one
    Fail,       // the message is in the run error text; the run ends at this line
    EndSection, // the section's run finishes normally (-1)
    Exit,       // ExitQEL: the run ends and the application closes (-2)
    Quit,       // PostQuitMessage: the run ends
};

// s: the section being run. The handler finds its line through the interpreter's cursor of s.
using Handler = Outcome (*)(Interpreter& in, uint32_t s);

class DispatchTable {
public:
    DispatchTable(); // every row fails: "not available yet", or the corrupt-chain error for codes with no instruction

    void set(uint32_t type, Handler handler) { rows_[type] = handler; }
    Handler at(uint32_t type) const { return type <= kLastLineType ? rows_[type] : corruptChain; }

    static Outcome corruptChain(Interpreter& in, uint32_t s);
    static Outcome notAvailableYet(Interpreter& in, uint32_t s);

private:
    std::array<Handler, kLastLineType + 1> rows_{};
};

} // namespace qel
