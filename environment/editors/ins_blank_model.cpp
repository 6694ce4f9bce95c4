#include "environment/editors/ins_blank_model.h"

#include "instructions/catalogue.h"
#include "program/instruction_table.h"
#include "program/keyword_table.h"

#include <vector>

namespace qel {

namespace {

InsBlankItem itemOf(const InstructionDescriptor& instruction)
{
    const InstructionInfo& info = *instructionInfo(instruction.type);
    std::string label(info.listLabel.empty() ? info.keyword : info.listLabel);
    if (!instruction.shortCode.empty())
        label += " -" + std::string(instruction.shortCode);
    return {label, instruction.type, !info.fixedText.empty() || instruction.editor != nullptr};
}

std::vector<InsBlankList> buildLists()
{
    std::vector<InsBlankList> lists;
    for (const InstructionListEntries& entries : instructionLists()) {
        InsBlankList list{entries.name, {}};
        for (const InstructionDescriptor* item : entries.items)
            list.items.push_back(item ? itemOf(*item) : InsBlankItem{});
        lists.push_back(std::move(list));
    }
    return lists;
}

} // namespace

const std::vector<InsBlankList>& insBlankLists()
{
    static const std::vector<InsBlankList> lists = buildLists();
    return lists;
}

std::vector<InsBlankList> insBlankLists(const LessonProfile* profile)
{
    if (!profile)
        return insBlankLists();
    std::vector<InsBlankList> lists;
    for (const InsBlankList& all : insBlankLists()) {
        InsBlankList list{all.name, {}};
        for (const InsBlankItem& item : all.items) {
            const bool separator = !item.type;
            if (separator ? !list.items.empty() && list.items.back().type : profile->allows(*item.type))
                list.items.push_back(item);
        }
        if (!list.items.empty() && !list.items.back().type)
            list.items.pop_back();
        lists.push_back(std::move(list));
    }
    return lists;
}

std::optional<std::string> InsBlankModel::select(size_t list, size_t row)
{
    chosen_.reset();
    const auto& lists = lists_;
    if (list >= lists.size() || row >= lists[list].items.size())
        return std::nullopt;
    const InsBlankItem& item = lists[list].items[row];
    if (!item.choosable())
        return std::nullopt;
    chosen_ = item.type;
    return item.label;
}

std::optional<std::string> InsBlankModel::typed(std::string_view text)
{
    chosen_.reset();
    if (text.size() != 2 && text.size() != 3)
        return std::nullopt;
    const std::optional<uint32_t> type = lookupShortCode(text);
    if (!type || !allowed(*type))
        return std::nullopt;
    return std::string(keywordTable().keywordName(*type));
}

std::optional<uint32_t> InsBlankModel::add(std::string_view fieldText) const
{
    if (chosen_)
        return chosen_;
    const std::optional<uint32_t> type = keywordTable().lookupKeyword(fieldText);
    return type && allowed(*type) ? type : std::nullopt;
}

} // namespace qel
