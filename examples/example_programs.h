#pragma once
// The example programs shipped in examples/, built line by line through the instruction editors
// (and the quiz's form through the form designer's model), so they stay exactly what the dialogs
// make. A test compares what these build with the files in examples/ and runs them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qel::examples {

// The examples, by the names of their files in examples/.
inline constexpr std::string_view kExampleNames[] = {"hello", "shapes", "colours", "clicks", "highscores", "quiz"};

struct BuiltExample {
    std::vector<uint8_t> programFile;  // the .qel file's bytes
    std::string formFile;              // the .frm file's text; empty when the example has no form
    std::vector<std::string> problems; // what the editors or the designer refused; empty when all was taken
};

// Builds the example named `name` (one of kExampleNames); an unknown name gives a problem.
BuiltExample buildExample(std::string_view name);

} // namespace qel::examples
