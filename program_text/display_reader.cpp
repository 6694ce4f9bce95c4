#include "program_text/display_reader.h"

#include "instructions/catalogue.h"
#include "program/instruction_table.h"
#include "program_text/text_form.h"
#include "values/variable_table.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace qel {

namespace {

// Bounds that keep a hostile text from making the search long.
constexpr int kMostProbes = 16;    // editor runs to find stand-ins the editor takes
constexpr int kMostReadings = 24;  // candidate readings of one pattern
constexpr size_t kMostChoices = 4; // fields not given whose every choice of shown ones is tried

bool isNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The stand-ins a field is tried with, in order: numbers, a string, a new name, the program's
// variables (an array's first element) and functions, and the items of a list.
class Probes {
public:
    Probes(const InstructionEditor& editor, const std::vector<FieldSpec>& fields, const EditContext& context)
        : fields_(fields)
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
    }

    std::optional<std::string> at(size_t field, size_t index) const
    {
        const FieldSpec& spec = fields_[field];
        const std::vector<std::string>& items = spec.items;
        if (!isTypedField(spec.kind)) {
            if (index < items.size())
                return items[index];
            if (!spec.keepsUnlistedValue)
                return std::nullopt;
            index -= items.size(); // a list that keeps any value: as an edit field
        }
        const std::string name = "Zq" + std::to_string(field);
        const std::string fixed[] = {std::to_string(97100 + field), '"' + name + '"', name};
        if (index < std::size(fixed))
            return fixed[index];
        index -= std::size(fixed);
        if (index < declared_.size())
            return declared_[index];
        index -= declared_.size();
        if (isTypedField(spec.kind)) {
            if (index < items.size())
                return items[index];
            index -= items.size();
        }
        return index == 0 ? std::optional(std::to_string(field + 2)) : std::nullopt;
    }

private:
    const std::vector<FieldSpec>& fields_;
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
          probes_(editor, fields_, context)
    {}

    // Stand-ins for the open fields that the editor takes, and the text it makes of them.
    std::optional<std::string> pattern(std::vector<std::string>& values, const std::vector<size_t>& open) const
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
            if (!next)
                return std::nullopt;
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
    // fewer of the last fields left out the likelier; among the first few, every choice, the most
    // shown first.
    static std::vector<std::vector<size_t>> shownFieldGuesses(const std::vector<size_t>& unknown)
    {
        std::vector<std::vector<size_t>> guesses;
        for (size_t used = unknown.size() + 1; used-- > 0;) {
            if (used > kMostChoices || used == 0) {
                guesses.emplace_back(unknown.begin(), unknown.begin() + static_cast<std::ptrdiff_t>(used));
                continue;
            }
            // The last of the `used` is shown; bit used-2-k stands for field k before it.
            std::vector<uint32_t> choices;
            for (uint32_t c = 0; c < (1u << (used - 1)); ++c)
                choices.push_back(c);
            std::ranges::stable_sort(choices, [](uint32_t a, uint32_t b) {
                return std::popcount(a) != std::popcount(b) ? std::popcount(a) > std::popcount(b) : a > b;
            });
            for (uint32_t c : choices) {
                std::vector<size_t>& open = guesses.emplace_back();
                for (size_t k = 0; k + 1 < used; ++k)
                    if (c & (1u << (used - 2 - k)))
                        open.push_back(unknown[k]);
                open.push_back(unknown[used - 1]);
            }
        }
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
        std::optional<std::vector<std::string>> shown, taken;
        std::optional<FieldError> refusal;
        for (const std::vector<size_t>& open : shownFieldGuesses(unknown)) {
            if (shown)
                break;
            std::vector<std::string> values = base;
            const std::optional<std::string> text = pattern(values, open);
            if (!text)
                continue;
            std::vector<Slot> slots;
            for (size_t f : open) {
                const std::optional<size_t> at = placeOf(*text, values[f]);
                if (!at)
                    break;
                slots.push_back({f, *at, values[f].size()});
            }
            if (slots.size() != open.size())
                continue;
            readings(*text, slots, values, [&](const std::vector<std::string>& reading) {
                EditOutcome outcome = editor_.accept(reading, context_);
                if (!outcome.ok()) {
                    if (!refusal)
                        refusal = std::move(outcome.error);
                    return false;
                }
                if (outcome.line.text == display_)
                    shown = reading;
                else if (!taken)
                    taken = reading;
                return shown.has_value();
            });
        }
        if (shown)
            return *shown;
        if (taken)
            return *taken;
        if (refusal)
            return Failure(std::move(refusal->message));
        return Failure(std::string(text_form::kDisplayNotRead) + std::string(display_));
    }

private:
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
