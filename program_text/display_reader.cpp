#include "program_text/display_reader.h"

#include "instructions/catalogue.h"
#include "program/instruction_table.h"
#include "program_text/text_form.h"
#include "values/variable_table.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <set>

namespace qel {

namespace {

// Bounds that keep a hostile text from making the search long.
constexpr int kMostProbes = 10;    // editor runs to find stand-ins the editor takes
constexpr int kMostReadings = 24;  // candidate readings of one pattern
constexpr int kMostSteps = 4096;   // places tried for the fields of one pattern in the display text
constexpr size_t kMostChoices = 5; // fields not given whose every choice of shown ones is tried

// A text as a line of the text form keeps it: without blanks at its ends.
std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool isNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The stand-ins a field is tried with, in order: a number, a string, a new name, a small number,
// the program's variables (an array's first element) and functions, and the items of a combo. A
// list is tried with its items, those the display text holds first (the longest first), so that the
// pattern takes the shape the display text has.
class Probes {
public:
    Probes(const InstructionEditor& editor, const std::vector<FieldSpec>& fields, std::string_view display,
           const EditContext& context)
        : fields_(fields), items_(fields.size())
    {
        for (const VariableRecord& v : context.variables) {
            if (v.arrayKind == kArray2D)
                declared_.push_back(v.name + "(1,1)");
            else
                declared_.push_back(v.arrayKind == kArray1D ? v.name + "(1)" : v.name);
        }
        const InstructionEditor* functions = editorFor(kDeclareFunction);
        for (const Section& s : context.program.sections)
            for (const ProgramLine& line : s.lines)
                if (line.type == kDeclareFunction && functions && functions != &editor)
                    if (const std::vector<std::string> v = functions->decode(line); !v.empty())
                        declared_.push_back(v[0]);
        for (size_t f = 0; f < fields.size(); ++f) {
            items_[f] = fields[f].items;
            if (fields[f].kind == FieldKind::List)
                std::ranges::stable_sort(items_[f], std::greater{}, [&](const std::string& item) {
                    return display.find(item) == std::string_view::npos ? size_t{0} : item.size() + 1;
                });
        }
    }

    std::optional<std::string> at(size_t field, size_t index) const
    {
        const FieldSpec& spec = fields_[field];
        const std::vector<std::string>& items = items_[field];
        if (!isTypedField(spec.kind)) {
            if (index < items.size())
                return items[index];
            if (!spec.keepsUnlistedValue)
                return std::nullopt;
            index -= items.size(); // a list that keeps any value: as an edit field
        }
        const std::string name = "Zq" + std::to_string(field);
        const std::string fixed[] = {std::to_string(97100 + field), '"' + name + '"', name, std::to_string(field + 2)};
        if (index < std::size(fixed))
            return fixed[index];
        index -= std::size(fixed);
        if (index < declared_.size())
            return declared_[index];
        index -= declared_.size();
        if (isTypedField(spec.kind) && index < items.size())
            return items[index];
        return std::nullopt;
    }

private:
    const std::vector<FieldSpec>& fields_;
    std::vector<std::vector<std::string>> items_;
    std::vector<std::string> declared_;
};

// Where each open field's stand-in stands in the text the editor made of them.
struct Slot {
    size_t field;
    size_t at;
    size_t size;
};

// The one place `probe` stands in `text` as a whole (not within a longer name).
std::optional<size_t> placeOf(std::string_view text, std::string_view probe)
{
    std::optional<size_t> found;
    for (size_t at = text.find(probe); at != std::string_view::npos; at = text.find(probe, at + 1)) {
        const bool startsWhole = at == 0 || !isNameChar(probe.front()) || !isNameChar(text[at - 1]);
        const size_t end = at + probe.size();
        const bool endsWhole = end == text.size() || !isNameChar(probe.back()) || !isNameChar(text[end]);
        if (startsWhole && endsWhole) {
            if (found)
                return std::nullopt;
            found = at;
        }
    }
    return found;
}

class Reader {
public:
    Reader(const InstructionEditor& editor, std::string_view display, EditContext& context)
        : editor_(editor),
          fields_(editor.fields()),
          display_(display),
          context_(context),
          probes_(editor, fields_, display, context)
    {}

    // Stand-ins for the open fields that the editor takes, and the text it makes of them. A field
    // the editor takes no stand-in for is marked dead.
    std::optional<std::string> pattern(std::vector<std::string>& values, const std::vector<size_t>& open,
                                       std::vector<bool>& dead) const
    {
        std::vector<size_t> tried(fields_.size(), 0);
        // Each open field a stand-in of its own.
        const auto used = [&](size_t f, const std::string& probe) {
            return std::ranges::any_of(open, [&](size_t o) { return o != f && values[o] == probe; });
        };
        for (size_t f : open)
            values[f].clear();
        for (size_t f : open) {
            std::optional<std::string> first;
            do
                first = probes_.at(f, tried[f]++);
            while (first && used(f, *first));
            if (!first)
                return std::nullopt;
            values[f] = std::move(*first);
            --tried[f];
        }
        for (int run = 0; run < kMostProbes; ++run) {
            EditOutcome outcome = editor_.accept(values, context_);
            if (outcome.ok())
                return std::move(outcome.line.text);
            const auto f = static_cast<size_t>(outcome.error->field);
            if (std::ranges::find(open, f) == open.end())
                return std::nullopt;
            std::optional<std::string> next;
            do
                next = probes_.at(f, ++tried[f]);
            while (next && used(f, *next));
            if (!next) {
                dead[f] = true;
                return std::nullopt;
            }
            values[f] = *next;
        }
        return std::nullopt;
    }

    // Each reading of the display text that fits the pattern, first to last, until `take` is done.
    void readings(std::string_view text, std::vector<Slot> slots, std::vector<std::string> values,
                  const std::function<bool(const std::vector<std::string>&)>& take) const
    {
        std::ranges::sort(slots, {}, &Slot::at);
        for (size_t k = 1; k < slots.size(); ++k)
            if (slots[k].at < slots[k - 1].at + slots[k - 1].size)
                return;
        int count = 0;
        int steps = 0;
        // Slot k's value starts at `from` in the display text.
        std::function<bool(size_t, size_t)> next = [&](size_t k, size_t from) {
            const size_t textFrom = slots[k].at + slots[k].size;
            const size_t textTo = k + 1 < slots.size() ? slots[k + 1].at : text.size();
            const std::string_view between = text.substr(textFrom, textTo - textFrom);
            for (size_t end = from + 1; end <= display_.size(); ++end) {
                if (display_.compare(end, between.size(), between) != 0)
                    continue;
                if (k + 1 == slots.size() && end + between.size() != display_.size())
                    continue;
                if (++steps > kMostSteps)
                    return true;
                values[slots[k].field] = std::string(display_.substr(from, end - from));
                if (k + 1 == slots.size() ? (++count > kMostReadings || take(values))
                                          : next(k + 1, end + between.size()))
                    return true;
            }
            return false;
        };
        const std::string_view before = text.substr(0, slots.empty() ? text.size() : slots[0].at);
        if (slots.empty()) {
            if (display_ == before)
                take(values);
        } else if (display_.starts_with(before)) {
            next(0, before.size());
        }
    }

    // Which of the fields not given the text shows (the others are empty), most likely first: the
    // more shown the likelier, and of as many, the earlier fields. Of many fields only the last
    // ones are left out; among the first few, any.
    static std::vector<std::vector<size_t>> shownFieldGuesses(const std::vector<size_t>& unknown)
    {
        std::vector<std::vector<size_t>> guesses;
        for (size_t used = unknown.size() + 1; used-- > 0;) {
            if (used > kMostChoices || used == 0) {
                guesses.emplace_back(unknown.begin(), unknown.begin() + static_cast<std::ptrdiff_t>(used));
                continue;
            }
            // The last of the `used` is shown; bit k stands for field k before it.
            for (uint32_t c = 0; c < (1u << (used - 1)); ++c) {
                std::vector<size_t>& open = guesses.emplace_back();
                for (size_t k = 0; k + 1 < used; ++k)
                    if (c & (1u << k))
                        open.push_back(unknown[k]);
                open.push_back(unknown[used - 1]);
            }
        }
        std::ranges::sort(guesses, [](const std::vector<size_t>& a, const std::vector<size_t>& b) {
            return a.size() != b.size() ? a.size() > b.size() : a < b;
        });
        return guesses;
    }

    Result<std::vector<std::string>> read(const std::vector<std::optional<std::string>>& given) const
    {
        std::vector<size_t> unknown; // typed fields and lists; check boxes and radio buttons not given are clear
        std::vector<std::string> base(fields_.size());
        for (size_t f = 0; f < fields_.size(); ++f) {
            if (f < given.size() && given[f])
                base[f] = *given[f];
            else if (isTypedField(fields_[f].kind) || fields_[f].kind == FieldKind::List)
                unknown.push_back(f);
        }
        Search search;
        search.dead.assign(fields_.size(), false);
        // Once a field is dead, the guesses are made again of the others.
        std::set<std::vector<size_t>> tried;
        for (bool again = true; again && !search.shown;) {
            again = false;
            std::vector<size_t> alive;
            std::ranges::copy_if(unknown, std::back_inserter(alive), [&](size_t f) { return !search.dead[f]; });
            for (const std::vector<size_t>& open : shownFieldGuesses(alive)) {
                if (search.shown)
                    break;
                if (std::ranges::any_of(open, [&](size_t f) { return search.dead[f]; })) {
                    again = true;
                    break;
                }
                if (tried.insert(open).second)
                    readGuess(open, base, search, open.size() == alive.size());
            }
        }
        if (search.shown)
            return *search.shown;
        if (search.taken)
            return *search.taken;
        if (search.refusal)
            return Failure(noticeText(search.refusal->message));
        return Failure(std::string(text_form::kDisplayNotRead) + std::string(display_));
    }

private:
    struct Search {
        std::vector<bool> dead;                        // fields the editor takes no stand-in for, or does not show
        std::optional<std::vector<std::string>> shown; // a reading the editor shows as the display text
        std::optional<std::vector<std::string>> taken; // the first reading the editor takes
        std::optional<FieldError> refusal;             // why the first reading was refused
    };

    // Reads the display text with the open fields shown and the others empty. When all the fields
    // still alive are open, one the editor takes no stand-in for or does not show dies.
    void readGuess(const std::vector<size_t>& open, const std::vector<std::string>& base, Search& search,
                   bool all) const
    {
        std::vector<std::string> values = base;
        std::vector<bool> dead(fields_.size(), false);
        const std::optional<std::string> made = pattern(values, open, dead);
        if (all)
            for (size_t f = 0; f < dead.size(); ++f)
                search.dead[f] = search.dead[f] || dead[f];
        if (!made)
            return;
        const std::string_view text = trimmed(*made);
        std::vector<Slot> slots;
        for (size_t f : open) {
            const std::optional<size_t> at = placeOf(text, values[f]);
            if (!at) {
                search.dead[f] = all && text.find(values[f]) == std::string::npos; // not shown at all
                return;
            }
            slots.push_back({f, *at, values[f].size()});
        }
        readings(text, slots, values, [&](const std::vector<std::string>& reading) {
            EditOutcome outcome = editor_.accept(reading, context_);
            if (!outcome.ok()) {
                if (!search.refusal)
                    search.refusal = std::move(outcome.error);
                return false;
            }
            if (trimmed(outcome.line.text) == display_)
                search.shown = reading;
            else if (!search.taken)
                search.taken = reading;
            return search.shown.has_value();
        });
    }

    const InstructionEditor& editor_;
    const std::vector<FieldSpec> fields_;
    std::string_view display_;
    EditContext& context_;
    Probes probes_;
};

} // namespace

bool isTypedField(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
    case FieldKind::Variable:
    case FieldKind::Function:
    case FieldKind::FileName:
    case FieldKind::Combo:
    case FieldKind::File: return true;
    case FieldKind::List:
    case FieldKind::Check:
    case FieldKind::Radio: return false;
    }
    return false;
}

Result<std::vector<std::string>> readDisplay(const InstructionEditor& editor, std::string_view display,
                                             const std::vector<std::optional<std::string>>& given, EditContext& context)
{
    return Reader(editor, display, context).read(given);
}

} // namespace qel
