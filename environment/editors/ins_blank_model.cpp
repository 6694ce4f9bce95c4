#include "environment/editors/ins_blank_model.h"

#include "program/instruction_table.h"
#include "program/keyword_table.h"
#include "runtime/editor_registry.h"

#include <vector>

namespace qel {

namespace {

// No list offers the blank line, so its code marks a separator.
constexpr uint32_t kSeparator = kBlank;

struct ListRows {
    std::string_view name;
    std::vector<uint32_t> types;
};

const ListRows kLists[] = {
    {"Functions and flow",
     {kDeclareFunction, kEndFunction, kSeparator, kCall, kCallUsing, kReturn, kSeparator, kIf, kElse, kEndIf,
      kSeparator, kFor, kNext, kSeparator, kWhile, kEndWhile, kSeparator, kBreakOutOfLoop, kContinue}},
    {"Variables", {kDeclareVariable, kLet}},
    {"Strings", {kStringFromNumeric, kStringToNumeric, kStringPart, kStringLength}},
    {"Text files", {kTextFileOpen, kTextFileClose, kTextFileRead, kTextFileWrite}},
    {"Timer", {kTimerStart, kTimerStop}},
    {"Bitmaps", {kBitmapLoad, kBitmapUnload}},
    {"Program control", {kStop, kAutoRun, kExitQEL}},
    {"Drawing",
     {kDrawArc, kDrawBitmap, kDrawBitmapScaled, kDrawCircle, kDrawFill, kDrawLine, kDrawPoint, kDrawRect, kDrawText,
      kSeparator, kTextBackColour, kTextForeColour, kTextFont, kSeparator, kColourRemap, kFPDispDigits}},
    {"Options", {kOptionCaseInsensitive, kOptionCaseSensitive}},
    {"Window", {kWindowMaximise, kWindowRestore, kWindowClear, kWindowGetSize}},
    {"Miscellaneous",
     {kComment, kDisplayVarsInListCtrl, kGetTimeAndDate, kInputBox, kMessageBox, kPause, kPostQuitMessage, kOpenDoc,
      kOpenForm, kOpenForm2, kCloseForm2, kForm2Exchange, kPlayWave, kOpenSaveLoadDlg}},
    {"Printing", {kPrintStart, kPrintStop, kPrintEject}},
};

InsBlankItem itemOf(uint32_t type)
{
    if (type == kSeparator)
        return {};
    const InstructionInfo& info = *instructionInfo(type);
    std::string label(info.listLabel.empty() ? info.keyword : info.listLabel);
    if (std::string_view code = keywordTable().abbreviationOf(type); !code.empty())
        label += " -" + std::string(code);
    return {label, type, !info.fixedText.empty() || editorFor(type) != nullptr};
}

std::vector<InsBlankList> buildLists()
{
    std::vector<InsBlankList> lists;
    for (const ListRows& rows : kLists) {
        InsBlankList list{rows.name, {}};
        for (uint32_t type : rows.types)
            list.items.push_back(itemOf(type));
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

std::optional<std::string> InsBlankModel::select(size_t list, size_t row)
{
    chosen_.reset();
    const auto& lists = insBlankLists();
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
    const int type = keywordTable().lookupAbbreviation(text);
    if (type < 0)
        return std::nullopt;
    return std::string(keywordTable().keywordName(static_cast<uint32_t>(type)));
}

std::optional<uint32_t> InsBlankModel::add(std::string_view fieldText) const
{
    if (chosen_)
        return chosen_;
    const int type = keywordTable().lookupKeyword(fieldText);
    if (type < 0)
        return std::nullopt;
    return static_cast<uint32_t>(type);
}

} // namespace qel
