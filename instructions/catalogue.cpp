#include "instructions/catalogue.h"

#include "instructions/catalogue_families.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace qel {

namespace {

// The lists' names, in the order the dialog shows them.
constexpr std::string_view kListNames[] = {
    "Functions and flow", "Variables", "Strings", "Text files", "Timer",         "Bitmaps",
    "Program control",    "Drawing",   "Options", "Window",     "Miscellaneous", "Printing",
};
static_assert(std::size(kListNames) == static_cast<size_t>(InstructionList::None));

struct Registry {
    std::array<const InstructionDescriptor*, kLastLineType + 1> byType{};
    std::array<bool, kLastLineType + 1> needsApplication{};
    std::vector<const InstructionDescriptor*> all;
    DispatchTable dispatch;
    std::vector<InstructionListEntries> lists;
};

std::vector<InstructionListEntries> buildLists(std::span<const InstructionDescriptor* const> all)
{
    std::vector<InstructionListEntries> lists;
    for (size_t k = 0; k < std::size(kListNames); ++k) {
        const auto list = static_cast<InstructionList>(k);
        std::vector<const InstructionDescriptor*> members;
        for (const InstructionDescriptor* d : all)
            if (d->place.list == list)
                members.push_back(d);
        std::stable_sort(members.begin(), members.end(),
                         [](auto* a, auto* b) { return a->place.position < b->place.position; });
        InstructionListEntries entries{list, kListNames[k], {}};
        for (const InstructionDescriptor* d : members) {
            if (d->place.separatorBefore && !entries.items.empty())
                entries.items.push_back(nullptr);
            entries.items.push_back(d);
        }
        lists.push_back(std::move(entries));
    }
    return lists;
}

Registry build()
{
    Registry r;
    for (const FamilyEntry& family : catalogueFamilies())
        for (const InstructionDescriptor& d : family.descriptors())
            if (d.type <= kLastLineType && !r.byType[d.type]) {
                r.byType[d.type] = &d;
                r.needsApplication[d.type] = family.needsApplication;
            }
    for (const InstructionDescriptor* d : r.byType)
        if (d) {
            r.all.push_back(d);
            if (d->handler)
                r.dispatch.set(d->type, d->handler);
            if (d->decoder)
                r.dispatch.setDecoder(d->type, d->decoder);
        }
    r.lists = buildLists(r.all);
    return r;
}

const Registry& registry()
{
    static const Registry r = build();
    return r;
}

bool sameCode(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::span<const InstructionDescriptor* const> allDescriptors() { return registry().all; }

const InstructionDescriptor* descriptorFor(uint32_t type)
{
    return type <= kLastLineType ? registry().byType[type] : nullptr;
}

const DispatchTable& dispatchTable() { return registry().dispatch; }

bool needsApplication(uint32_t type) { return type <= kLastLineType && registry().needsApplication[type]; }

const InstructionEditor* editorFor(uint32_t type)
{
    const InstructionDescriptor* d = descriptorFor(type);
    return d ? d->editor : nullptr;
}

const std::vector<InstructionListEntries>& instructionLists() { return registry().lists; }

std::optional<uint32_t> lookupShortCode(std::string_view typed)
{
    if (typed.size() != 2 && typed.size() != 3)
        return std::nullopt;
    for (const InstructionDescriptor* d : registry().all)
        if (!d->shortCode.empty() && sameCode(d->shortCode, typed))
            return d->type;
    return std::nullopt;
}

} // namespace qel
