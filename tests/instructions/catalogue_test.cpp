// The catalogue is built from descriptors spread over the families; these checks keep the pieces in
// agreement with the file format and with the lists users have always seen.

#include "instructions/catalogue.h"
#include "instructions/families.h"
#include "program/instruction_table.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace qel {
namespace {

// "label -code" per item, "|" for a separator.
std::string listText(const InstructionListEntries& list)
{
    std::string text;
    for (const InstructionDescriptor* d : list.items) {
        if (!text.empty())
            text += ' ';
        if (!d) {
            text += '|';
            continue;
        }
        const InstructionInfo& info = *instructionInfo(d->type);
        text += info.listLabel.empty() ? info.keyword : info.listLabel;
        if (!d->shortCode.empty())
            text += " -" + std::string(d->shortCode);
    }
    return text;
}

TEST(Catalogue, EveryLineTypeIsClaimedByOneDescriptorAndTheListsKeepTheirOrderSeparatorsAndShortCodes)
{
    std::map<uint32_t, int> claims;
    for (auto family : {controlFamily, flowFamily, functionsFamily, variablesFamily, stringsFamily, filesFamily,
                        interactionFamily, timerFamily, windowFamily, drawingFamily, textFamily, bitmapsFamily,
                        soundFamily, printingFamily, documentsFamily, formsFamily, inspectionFamily})
        for (const InstructionDescriptor& d : family())
            ++claims[d.type];
    for (uint32_t type = 0; type <= kLastLineType + 1; ++type) {
        EXPECT_EQ(claims[type], isValidLineType(type) ? 1 : 0) << type;
        const InstructionDescriptor* d = descriptorFor(type);
        ASSERT_EQ(d != nullptr, isValidLineType(type)) << type;
        if (!d)
            continue;
        const InstructionInfo& info = *instructionInfo(type);
        // A fixed-text line is inserted as it stands and never edited; every other line has an
        // editor unless its instruction is still to come, and then it cannot run either.
        SCOPED_TRACE(info.keyword);
        EXPECT_TRUE(info.fixedText.empty() || d->editor == nullptr);
        EXPECT_EQ(d->editor ? d->editor->type() : type, type);
        EXPECT_TRUE(d->editor || !info.fixedText.empty() || type == kBlank || d->handler == nullptr);
        EXPECT_EQ(dispatchTable().at(type), d->handler ? d->handler : &DispatchTable::notAvailableYet);
        EXPECT_TRUE(info.keyword.empty() || !d->help.summary.empty());
    }
    EXPECT_EQ(dispatchTable().at(5), &DispatchTable::corruptChain);

    // The lists' names in order, and the items of those the Add An Instruction dialog's tests do not show
    // ("": checked there, through the same lists).
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Functions and flow", ""},
        {"Variables", "DeclareVariable -dv Let"},
        {"Strings", "StringFromNumeric -sfn StringToNumeric -stn StringPart -sp StringLength -sl"},
        {"Text files", "TextFileOpen TextFileClose TextFileRead TextFileWrite"},
        {"Timer", "TimerStart TimerStop"},
        {"Bitmaps", "BitmapLoad BitmapUnload"},
        {"Program control", "Stop AutoRun ExitQEL"},
        {"Drawing", ""},
        {"Options", "OptionCaseInsensitive OptionCaseSensitive"},
        {"Window", "WindowMaximise WindowRestore WindowClear WindowGetSize"},
        {"Miscellaneous", ""},
        {"Printing", ""},
    };
    const auto& lists = instructionLists();
    ASSERT_EQ(lists.size(), expected.size());
    for (size_t k = 0; k < lists.size(); ++k) {
        EXPECT_EQ(lists[k].name, expected[k].first);
        if (!expected[k].second.empty()) {
            EXPECT_EQ(listText(lists[k]), expected[k].second) << expected[k].first;
        }
    }
}

} // namespace
} // namespace qel
