#include "program/program.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {

struct LineStore : ::testing::Test {
    // Stores a comment line at the edit target of the edited section.
    bool save(std::string text, uint32_t type = 3)
    {
        p.edit.type = type;
        p.edit.text = std::move(text);
        p.edit.block = ParamBlock();
        return p.saveLine(host);
    }
    // Appends a comment line to a section.
    void append(uint32_t section, std::string text)
    {
        p.edit.section = section;
        p.edit.target = -1;
        ASSERT_TRUE(save(std::move(text)));
    }
    std::vector<std::string> texts(uint32_t section) const
    {
        std::vector<std::string> out;
        for (const auto& line : p.sections[section].lines)
            out.push_back(line.text);
        return out;
    }

    Program p;
    test::RecordingHost host;
};

} // namespace

TEST_F(LineStore, FirstLineCannotBeDeletedAndCountNeverDropsBelowOne)
{
    append(0, "a");
    EXPECT_FALSE(p.deleteLine(0, 0, host));
    EXPECT_EQ(host.messages,
              (std::vector<test::RecordedMessage>{{"Deleting the first line is not permitted", Icon::Information}}));
    EXPECT_TRUE(p.deleteLine(0, 1, host));
    EXPECT_FALSE(p.deleteLine(0, 1, host)); // nothing there any more
    EXPECT_EQ(texts(0), std::vector<std::string>{"Initialisation"});
}

TEST_F(LineStore, SaveReplacesTheTargetLineAndCutsItsTextToOneLineWithinTheLimit)
{
    append(2, "one");
    append(2, "two");
    EXPECT_EQ(p.lineAt(2, -5)->text, "Keyboard handler");
    EXPECT_EQ(p.lineAt(2, 3), nullptr);

    p.edit.target = 1;
    ASSERT_TRUE(save("changed"));
    EXPECT_EQ(texts(2), (std::vector<std::string>{"Keyboard handler", "changed", "two"}));
    EXPECT_EQ(texts(0), std::vector<std::string>{"Initialisation"}); // no other section is touched

    p.edit.target = 3; // no such line: nothing is stored
    EXPECT_FALSE(save("lost"));
    EXPECT_EQ(p.sections[2].lineCount(), 3u);

    // Texts are cut at the line limit and kept on one line.
    append(0, std::string(1500, 'x'));
    EXPECT_EQ(p.sections[0].lines[1].text.size(), kMaxLineText);
    append(0, "a\r\nb\rc\nd\n\r");
    EXPECT_EQ(p.sections[0].lines[2].text, "a b c d  ");
}

TEST_F(LineStore, StoringAnInvalidTypeReportsTheFailedConversion)
{
    EXPECT_TRUE(save("odd", 5));
    EXPECT_EQ(host.messages,
              (std::vector<test::RecordedMessage>{
                  {"QEL has received an error from Windows.\n\nPlease report if it occurs regularly.", Icon::Error},
                  {"WINDOWS CALL FAILED\n\n::GetLineOffsets - Unhandled Restore", Icon::None}}));
}
