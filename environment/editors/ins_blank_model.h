#pragma once
// What the Add An Instruction dialog offers and does, without its widgets: the twelve lists of
// instructions, choosing from them, the short codes that expand as they are typed, and Add. Under a
// lesson profile only the instructions it allows are listed, expand from their codes and are added.

#include "base/translatable.h"
#include "check/lesson_profile.h"

#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

inline constexpr std::string_view kInsBlankTitle = QT_TRANSLATE_NOOP("qel", "Add An Instruction");
inline constexpr std::string_view kInvalidKeyword = QT_TRANSLATE_NOOP("qel", "<Invalid keyword>");

struct InsBlankItem {
    std::string label;            // "DrawLine -dl"; empty for a separator
    std::optional<uint32_t> type; // none for a separator
    bool available = false;       // the instruction has a dialog or a fixed text
    bool choosable() const { return type && available; }
};

struct InsBlankList {
    std::string_view name; // what the list holds, for screen readers
    std::vector<InsBlankItem> items;
};

// The twelve lists in the dialog's order, the first one being the left column.
const std::vector<InsBlankList>& insBlankLists();

// The lists holding only what the profile allows (all of them without one), with no separator
// left at either end of a list or beside another.
std::vector<InsBlankList> insBlankLists(const LessonProfile* profile);

class InsBlankModel {
public:
    explicit InsBlankModel(const LessonProfile* profile = nullptr) : profile_(profile), lists_(insBlankLists(profile))
    {}

    // The lists the dialog shows, in the order of insBlankLists().
    const std::vector<InsBlankList>& lists() const { return lists_; }

    // An item of a list was selected. Returns the label for the Instruction field when it chose an
    // instruction; a separator or an instruction not available chooses nothing.
    std::optional<std::string> select(size_t list, size_t row);
    // The user changed the Instruction field to `text`: the choice is forgotten. Returns the keyword
    // that replaces the text when it is a two- or three-letter short code.
    std::optional<std::string> typed(std::string_view text);

    // Add: the chosen instruction, else the keyword the field names; none when the field names no
    // keyword (the field then shows kInvalidKeyword).
    std::optional<uint32_t> add(std::string_view fieldText) const;

    std::optional<uint32_t> chosen() const { return chosen_; }

private:
    bool allowed(uint32_t type) const { return !profile_ || profile_->allows(type); }

    const LessonProfile* profile_;
    std::vector<InsBlankList> lists_;
    std::optional<uint32_t> chosen_;
};

} // namespace qel
