#pragma once
// Reads a line's display text back into its editor's field values, with no knowledge of how each
// editor writes its text: the editor itself is asked. The fields the caller does not give (the typed
// ones: edit fields and their kin) get stand-in values, a number, a string, a new name or a declared
// variable or function, until the editor takes them all; the text it then makes is the display
// text's pattern, the stand-ins marking where each field's value stands and everything else the
// text the editor writes around them. The display text is matched against the pattern and each
// candidate reading is handed to the editor again: the first the editor takes and shows as the
// display text is the answer (or, failing that, the first it takes). A typed field left out of the
// text is taken to be empty, the last ones first.

#include "base/result.h"
#include "values/editor.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

// Whether a field's value is typed into it (and so may be shown in the display text as typed).
bool isTypedField(FieldKind kind);

// The field values a display text (a program's 8-bit text) shows. `given` holds a value for each
// field the text does not carry (others nothing); they are used as they are. The failure is the
// editor's message for the first reading it refused, or kDisplayNotRead when nothing could be read.
[[nodiscard]] Result<std::vector<std::string>> readDisplay(const InstructionEditor& editor, std::string_view display,
                                                           const std::vector<std::optional<std::string>>& given,
                                                           EditContext& context);

} // namespace qel
