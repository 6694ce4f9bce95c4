#include "program/program.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

using namespace qel;
using qel::test::RecordingHost;

namespace {

void append(Program& p, uint32_t section, uint32_t type, std::string text)
{
    RecordingHost host;
    p.edit.section = section;
    p.edit.target = -1;
    p.edit.type = type;
    p.edit.text = std::move(text);
    p.edit.block = ParamBlock();
    ASSERT_TRUE(p.saveLine(host));
}

std::vector<std::string> texts(const Program& p, uint32_t section)
{
    std::vector<std::string> out;
    for (const auto& line : p.sections[section].lines)
        out.push_back(line.text);
    return out;
}

} // namespace

TEST(LineStore, NewProgramHasOneTitledCommentLinePerSection)
{
    Program p;
    const char* titles[] = {"Initialisation", "Paint event", "Keyboard handler", "Timer event", "Mouse handler"};
    for (uint32_t s = 0; s < kSectionCount; ++s) {
        ASSERT_EQ(p.sections[s].lineCount(), 1u);
        EXPECT_EQ(p.sections[s].lines[0].type, 3u);
        EXPECT_EQ(p.sections[s].lines[0].text, titles[s]);
        EXPECT_TRUE(p.sections[s].lines[0].block.isEmpty());
    }
    EXPECT_EQ(p.edit.target, -1);
    EXPECT_EQ(p.edit.section, 0u);
}

TEST(LineStore, InsertAfterShiftsLaterLinesAndAfterLastAppends)
{
    Program p;
    RecordingHost host;
    append(p, 0, 3, "a");
    append(p, 0, 3, "b");
    EXPECT_EQ(p.insertBlankAfter(0, 1), 2u);
    EXPECT_EQ(p.edit.target, 2);
    EXPECT_EQ(p.sections[0].lineCount(), 4u);
    EXPECT_EQ(p.sections[0].lines[2].type, 0u);
    p.edit.type = 3;
    p.edit.text = "inserted";
    ASSERT_TRUE(p.saveLine(host));
    EXPECT_EQ(texts(p, 0), (std::vector<std::string>{"Initialisation", "a", "inserted", "b"}));

    p.insertBlankAfter(0, 3); // after the last line: the new line becomes the last
    p.edit.type = 3;
    p.edit.text = "end";
    ASSERT_TRUE(p.saveLine(host));
    EXPECT_EQ(texts(p, 0).back(), "end");
    EXPECT_TRUE(host.messages.empty());
}

TEST(LineStore, FirstLineCannotBeDeletedAndCountNeverDropsBelowOne)
{
    Program p;
    RecordingHost host;
    append(p, 0, 3, "a");
    EXPECT_FALSE(p.deleteLine(0, 0, host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Deleting the first line is not permitted");
    EXPECT_EQ(host.messages[0].icon, Icon::Information);
    EXPECT_TRUE(p.deleteLine(0, 1, host));
    EXPECT_FALSE(p.deleteLine(0, 1, host)); // nothing there any more
    EXPECT_EQ(p.sections[0].lineCount(), 1u);
    EXPECT_EQ(p.sections[0].lines[0].text, "Initialisation");
}

TEST(LineStore, SaveReplacesTheTargetLineOfTheEditedSection)
{
    Program p;
    RecordingHost host;
    append(p, 2, 3, "one");
    append(p, 2, 3, "two");
    EXPECT_EQ(p.lineAt(2, -5)->text, "Keyboard handler");
    EXPECT_EQ(p.lineAt(2, 3), nullptr);

    p.edit.section = 2;
    p.edit.target = 1;
    p.edit.type = 3;
    p.edit.text = "changed";
    ASSERT_TRUE(p.saveLine(host));
    EXPECT_EQ(texts(p, 2), (std::vector<std::string>{"Keyboard handler", "changed", "two"}));
    EXPECT_EQ(texts(p, 0), std::vector<std::string>{"Initialisation"}); // no other section is touched

    p.edit.target = 3; // no such line: nothing is stored
    EXPECT_FALSE(p.saveLine(host));
    EXPECT_EQ(p.sections[2].lineCount(), 3u);
}

TEST(LineStore, TextsAreCutAtTheLineLimitAndKeptOnOneLine)
{
    Program p;
    append(p, 0, 3, std::string(1500, 'x'));
    EXPECT_EQ(p.sections[0].lines[1].text.size(), kMaxLineText);
    append(p, 0, 3, "a\r\nb\rc\nd\n\r");
    EXPECT_EQ(p.sections[0].lines[2].text, "a b c d  ");
}

TEST(LineStore, StoringAnInvalidTypeReportsTheFailedConversion)
{
    Program p;
    RecordingHost host;
    p.edit.type = 5;
    p.edit.text = "odd";
    EXPECT_TRUE(p.saveLine(host));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text,
              "QEL has received an error from Windows.\n\nPlease report if it occurs regularly.");
    EXPECT_EQ(host.messages[0].icon, Icon::Error);
    EXPECT_EQ(host.messages[1].text, "WINDOWS CALL FAILED\n\n::GetLineOffsets - Unhandled Restore");
    EXPECT_EQ(host.messages[1].icon, Icon::None);
}
