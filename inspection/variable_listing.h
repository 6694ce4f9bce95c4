#pragma once
// What the object viewer shows of a program's variables, without widgets: one row a variable (name,
// type word, dimensions), and a variable's elements in the viewer's order (first subscript outer,
// second inner) with their value texts. qeltool's --vars walks the elements in the same order.

#include "base/translatable.h"
#include "values/variable_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qel {

// The viewer lists at most this many elements of one variable.
inline constexpr size_t kMaxListedElements = 5000;

inline constexpr std::string_view kTooManyElements = QT_TRANSLATE_NOOP("qel", "There are too many elements to display");
inline constexpr std::string_view kBitmapHidden = "<bitmap handles are hidden>";
inline constexpr std::string_view kFileHidden = "<file pointers are hidden>";
inline constexpr std::string_view kOutOfScope = "<Object out of scope>";

// "Integer", "Float", "Bitmap", "String" or "File".
std::string_view typeWord(uint32_t type);
// "" for a scalar, "n" for a one-dimensional array, "n,m" for a two-dimensional one.
std::string dimensionsText(const VariableRecord& variable);

struct VariableRow {
    std::string name;
    std::string_view type;
    std::string dimensions;
};
// One row a variable, in the order of the variable table.
std::vector<VariableRow> variableRows(const VariableTable& variables);

// One element: its index in the variable's storage and its subscripts (0 where there is none).
struct ElementRef {
    size_t index;
    int32_t s1;
    int32_t s2;
};

// Calls visit(ElementRef) for every element the declaration asks for, first subscript outer, second
// inner, whether or not its storage has been made yet.
template <class Visit>
void forEachDeclaredElement(const VariableRecord& v, Visit&& visit)
{
    const int32_t n = v.arrayKind == kNotArray ? 1 : v.dim1;
    const int32_t m = v.arrayKind == kArray2D ? v.dim2 : 1;
    for (int32_t i = 1; i <= n; ++i)
        for (int32_t j = 1; j <= m; ++j)
            visit(ElementRef{elementIndex(v, i, j), v.arrayKind == kNotArray ? 0 : i, v.arrayKind == kArray2D ? j : 0});
}

// The same walk over the elements a variable holds. A variable whose elements were never made (a
// file's declaration before a run starts, or a run start that failed) has none to visit.
template <class Visit>
void forEachElement(const VariableRecord& v, Visit&& visit)
{
    if (v.elementCount() == v.declaredCount())
        forEachDeclaredElement(v, std::forward<Visit>(visit));
}

struct ElementRow {
    std::string value;
    std::string subscripts; // "", "i" or "i,j"
};

struct ElementListing {
    std::vector<ElementRow> rows; // the first `limit` elements
    size_t total = 0;             // how many elements the variable's declaration asks for
    bool truncated() const { return rows.size() < total; }
};

// A variable's elements as the viewer shows them: Integers in digits, Floating Point numbers as the
// display precision formats them, Bitmap and File handles hidden, String texts while a program runs
// (a stopped program's texts are out of scope). Elements not made yet (a file's declarations before
// its first run) show the values a new variable starts with, without being made.
ElementListing listElements(const VariableRecord& variable, uint32_t precision, bool running,
                            size_t limit = kMaxListedElements);

} // namespace qel
