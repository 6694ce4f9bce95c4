#pragma once
// The program's variables: one program-wide table in declaration order, names compared without
// regard to case, no local scope. Records never move once created (they live in a list), so the
// caches of operands may point at them for the length of a run.

#include "program/declaration_limits.h"
#include "program/host.h"
#include "values/memory_budget.h"
#include "values/number_text.h"

#include <bit>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

// The names the type and shape lists give, as dialogs and stored lines show them.
inline constexpr std::string_view kIntegerTypeName = "Integer";
inline constexpr std::string_view kFloatTypeName = "Floating Point";
inline constexpr std::string_view kNotArrayName = "Not an Array";

// Stored in blocks and files, so the numbers are fixed.
enum VariableType : uint32_t {
    kTypeInteger = 1,
    kTypeFloat = 2,
    kTypeBitmap = 3,
    kTypeString = 4,
    kTypeFile = 5,
};

enum ArrayKind : uint32_t { kNotArray = 1, kArray1D = 2, kArray2D = 3 };

// The largest number of elements a variable may have, as the declaration dialog and the program
// file reader allow; anything beyond is refused as out of memory.
inline constexpr int64_t kMaxVariableElements = kMostArrayElements;
static_assert(kNotArray == declaration_shape::kNotArray && kArray1D == declaration_shape::kArray1D &&
              kArray2D == declaration_shape::kArray2D);

inline constexpr std::string_view kOutOfMemoryCreatingVariable =
    "Unable to create variable as out of memory - Err 1002.";

// A String element owns its text; one never assigned reads as empty.
struct StringElement {
    std::string text;
    bool assigned = false;
};

struct VariableRecord {
    std::string name; // as typed
    uint32_t type = kTypeInteger;
    uint32_t arrayKind = kNotArray;
    int32_t dim1 = 1; // 1 unless an array
    int32_t dim2 = 1; // 1 unless a 2D array
    // Integer: the i32; Floating Point: the float's bits. Not used for other types.
    uint32_t initialWord = 0;
    std::string initialText; // String only

    // One 32-bit word per element for Integer, Floating Point, Bitmap and File (Bitmap and File
    // hold small handles, 0 meaning none); one StringElement per element for String.
    std::vector<uint32_t> words;
    std::vector<StringElement> texts;

    // The elements the declaration asks for; they are held (words or texts) from the start of a run,
    // or from its creation for a variable created at once.
    size_t declaredCount() const { return static_cast<size_t>(dim1) * static_cast<size_t>(dim2); }
    size_t elementCount() const { return type == kTypeString ? texts.size() : words.size(); }
    bool isNumeric() const { return type == kTypeInteger || type == kTypeFloat; }

    [[gnu::always_inline]] int32_t integerAt(size_t i) const { return std::bit_cast<int32_t>(words[i]); }
    [[gnu::always_inline]] float floatAt(size_t i) const { return std::bit_cast<float>(words[i]); }
    // An Integer or Floating Point element as a float (an Integer converts). Always inlined: the
    // run's inner loops read and store numbers through these.
    [[gnu::always_inline]] float numberAt(size_t i) const
    {
        return type == kTypeInteger ? static_cast<float>(integerAt(i)) : floatAt(i);
    }
    // Stores a number: an Integer receives it as integerOf() says; false, with the element
    // untouched, when the value has no Integer.
    [[nodiscard, gnu::always_inline]] bool setNumberAt(size_t i, float value)
    {
        if (type != kTypeInteger) {
            words[i] = std::bit_cast<uint32_t>(value);
            return true;
        }
        if (!fitsInteger(value)) [[unlikely]]
            return false;
        words[i] = std::bit_cast<uint32_t>(integerOf(value));
        return true;
    }
    std::string_view textAt(size_t i) const { return texts[i].text; }

    int32_t initialInteger() const { return std::bit_cast<int32_t>(initialWord); }
    float initialFloat() const { return std::bit_cast<float>(initialWord); }
};

// The heap bytes a text holds: none for a short one, which the string keeps within itself.
inline uint64_t textBytes(const std::string& text)
{
    static const size_t kInPlace = std::string().capacity();
    return text.capacity() > kInPlace ? text.capacity() + 1 : 0;
}

// Element (s1) of a 1D array, or (s1, s2) of a 2D array: the first subscript varies fastest.
inline size_t elementIndex(const VariableRecord& v, int32_t s1, int32_t s2 = 1)
{
    return static_cast<size_t>(s2 - 1) * static_cast<size_t>(v.dim1) + static_cast<size_t>(s1 - 1);
}

struct VariableDeclaration {
    std::string_view name;
    uint32_t type = kTypeInteger;
    uint32_t arrayKind = kNotArray;
    int32_t dim1 = 1; // taken only for 1D and 2D arrays
    int32_t dim2 = 1; // taken only for 2D arrays
    int32_t initialInteger = 0;
    float initialFloat = 0.0f;
    std::string_view initialText;
};

class VariableTable {
public:
    VariableTable() = default;
    VariableTable(const VariableTable&) = delete; // operands' caches point at the records
    VariableTable& operator=(const VariableTable&) = delete;

    // The first variable with that name, compared without regard to case; nullptr for none.
    VariableRecord* findVariable(std::string_view name);
    const VariableRecord* findVariable(std::string_view name) const;

    // When a new variable's elements are made: at once, or by the next run's start, so that reading
    // a file's declarations costs memory in proportion to the declarations, not to their arrays.
    enum class Elements : uint8_t { Now, AtRunStart };

    // Appends a record with all elements zero (String elements unassigned). An empty name creates
    // nothing; a size that cannot be held shows the out-of-memory message. nullptr when nothing
    // was created.
    VariableRecord* createVariable(const VariableDeclaration& declaration, MessageHost& host,
                                   Elements elements = Elements::Now);

    // Removes the first variable with that name; nothing when there is none.
    void removeVariable(std::string_view name);
    void clearAllVariables() { records_.clear(); }

    // Every variable back to its start-of-run value: numbers their initial value, Bitmap and File
    // 0, String elements unassigned except a scalar String, which gets a copy of its initial text.
    // The elements are taken from the run's budget, which is empty before; false, with nothing
    // taken, when they do not fit.
    [[nodiscard]] bool resetVariablesForRun(MemoryBudget& budget);

    size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    // Declaration order.
    std::list<VariableRecord>::const_iterator begin() const { return records_.begin(); }
    std::list<VariableRecord>::const_iterator end() const { return records_.end(); }

private:
    std::list<VariableRecord> records_;
};

} // namespace qel
