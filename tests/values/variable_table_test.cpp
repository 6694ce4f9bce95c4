#include "support/recording_host.h"
#include "values/variable_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace qel {
namespace {

using test::RecordingHost;

VariableDeclaration declaration(std::string_view name, uint32_t type, uint32_t kind = kNotArray, int32_t d1 = 1,
                                int32_t d2 = 1)
{
    VariableDeclaration d;
    d.name = name;
    d.type = type;
    d.arrayKind = kind;
    d.dim1 = d1;
    d.dim2 = d2;
    return d;
}

TEST(VariableTable, CreateFindAndRemove)
{
    RecordingHost host;
    VariableTable table;
    EXPECT_EQ(table.findVariable("x"), nullptr);
    VariableRecord* count = table.createVariable(declaration("Count", kTypeInteger, kNotArray, 5, 5), host);
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->dim1, 1); // dimensions are taken only as the shape asks
    EXPECT_EQ(count->elementCount(), 1u);
    VariableRecord* list = table.createVariable(declaration("List", kTypeString, kArray1D, 4, 9), host);
    EXPECT_EQ(list->dim2, 1);
    EXPECT_EQ(list->elementCount(), 4u);
    EXPECT_FALSE(list->texts[3].assigned);
    EXPECT_EQ(table.createVariable(declaration("", kTypeInteger), host), nullptr);
    EXPECT_EQ(table.size(), 2u);

    EXPECT_EQ(table.findVariable("COUNT"), count);
    EXPECT_EQ(table.findVariable("count"), count);
    EXPECT_EQ(table.findVariable(""), nullptr);
    VariableRecord* second = table.createVariable(declaration("count", kTypeFloat), host);
    EXPECT_EQ(table.findVariable("Count"), count); // the first match wins

    table.removeVariable("cOUNT");
    EXPECT_EQ(table.findVariable("Count"), second);
    EXPECT_EQ(table.findVariable("list"), list); // other records stay where they are
    table.removeVariable("nothing");
    EXPECT_EQ(table.size(), 2u);
    std::vector<std::string> names;
    for (const VariableRecord& v : table)
        names.push_back(v.name);
    EXPECT_EQ(names, (std::vector<std::string>{"List", "count"}));
    EXPECT_TRUE(host.messages.empty());

    table.clearAllVariables();
    EXPECT_TRUE(table.empty());
}

TEST(VariableTable, SizesThatCannotBeHeld)
{
    RecordingHost host;
    VariableTable table;
    EXPECT_EQ(table.createVariable(declaration("Neg", kTypeInteger, kArray1D, -1), host), nullptr);
    EXPECT_EQ(table.createVariable(declaration("Huge", kTypeString, kArray2D, 100000, 100000), host), nullptr);
    EXPECT_EQ(table.createVariable(declaration("Wide", kTypeString, kArray2D, 1001, 1), host), nullptr);
    EXPECT_EQ(table.createVariable(declaration("Many", kTypeString, kArray2D, 101, 100), host), nullptr);
    ASSERT_EQ(host.messages.size(), 4u);
    EXPECT_EQ(host.messages[0], (test::RecordedMessage{std::string(kOutOfMemoryCreatingVariable), Icon::Error}));
    EXPECT_EQ(kOutOfMemoryCreatingVariable, "Unable to create variable as out of memory - Err 1002.");
    EXPECT_TRUE(table.empty());
    EXPECT_NE(table.createVariable(declaration("Zero", kTypeInteger, kArray1D, 0), host), nullptr);
    EXPECT_NE(table.createVariable(declaration("Most", kTypeInteger, kArray2D, 100, 100), host), nullptr);
}

TEST(VariableTable, ResetForRun)
{
    RecordingHost host;
    VariableTable table;
    auto ints = declaration("Ints", kTypeInteger, kArray2D, 3, 2);
    ints.initialInteger = 7;
    auto half = declaration("Half", kTypeFloat);
    half.initialFloat = 2.5f;
    auto names = declaration("Names", kTypeString, kArray1D, 3);
    names.initialText = "start";
    auto greeting = declaration("Greeting", kTypeString);
    greeting.initialText = "hello";
    VariableRecord* i = table.createVariable(ints, host);
    VariableRecord* h = table.createVariable(half, host);
    VariableRecord* n = table.createVariable(names, host);
    VariableRecord* g = table.createVariable(greeting, host);
    VariableRecord* b = table.createVariable(declaration("Pic", kTypeBitmap, kArray1D, 2), host);
    VariableRecord* f = table.createVariable(declaration("Out", kTypeFile), host);

    // Leftovers of an earlier run.
    i->words[4] = 99;
    ASSERT_TRUE(h->setNumberAt(0, 9.0f));
    n->texts[1] = {"old", true};
    g->texts[0] = {"changed", true};
    b->words[1] = 3;
    f->words[0] = 1;

    MemoryBudget budget;
    ASSERT_TRUE(table.resetVariablesForRun(budget));
    // Ten words and four texts; the scalar's initial text is short enough to need no heap.
    EXPECT_EQ(budget.used(), 10 * sizeof(uint32_t) + 4 * sizeof(StringElement));
    for (size_t e = 0; e < 6; ++e)
        EXPECT_EQ(i->integerAt(e), 7);
    EXPECT_EQ(h->floatAt(0), 2.5f);
    for (const StringElement& e : n->texts) {
        EXPECT_FALSE(e.assigned); // a String array ignores its initial text
        EXPECT_EQ(e.text, "");
    }
    EXPECT_TRUE(g->texts[0].assigned);
    EXPECT_EQ(g->textAt(0), "hello");
    EXPECT_EQ(b->words[1], 0u);
    EXPECT_EQ(f->words[0], 0u);
}

TEST(VariableTable, ElementsMadeAtRunStartComeFromTheBudget)
{
    RecordingHost host;
    VariableTable table;
    const auto later = VariableTable::Elements::AtRunStart;
    auto big = declaration("Big", kTypeString, kArray2D, 100, 100);
    VariableRecord* b = table.createVariable(big, host, later);
    auto text = declaration("Text", kTypeString);
    const std::string initial(300, 'x');
    text.initialText = initial;
    VariableRecord* t = table.createVariable(text, host, later);
    EXPECT_EQ(b->elementCount(), 0u);
    EXPECT_EQ(b->declaredCount(), 10000u);

    const uint64_t needed = 10001 * sizeof(StringElement) + textBytes(initial);
    MemoryBudget budget;
    budget.setLimit(needed - 1);
    EXPECT_FALSE(table.resetVariablesForRun(budget));
    EXPECT_EQ(budget.used(), 0u);
    EXPECT_EQ(b->elementCount(), 0u);
    budget.setLimit(needed);
    ASSERT_TRUE(table.resetVariablesForRun(budget));
    EXPECT_EQ(budget.used(), needed);
    EXPECT_EQ(b->elementCount(), 10000u);
    EXPECT_EQ(t->textAt(0), initial);
}

TEST(VariableTable, ElementAddressingAndNumbers)
{
    RecordingHost host;
    VariableTable table;
    VariableRecord* m = table.createVariable(declaration("M", kTypeInteger, kArray2D, 3, 4), host);
    EXPECT_EQ(elementIndex(*m, 1, 1), 0u);
    EXPECT_EQ(elementIndex(*m, 2, 1), 1u); // (2,1) directly after (1,1)
    EXPECT_EQ(elementIndex(*m, 1, 2), 3u);
    EXPECT_EQ(elementIndex(*m, 3, 4), 11u);

    ASSERT_TRUE(m->setNumberAt(0, -2.7f)); // Integers truncate toward zero
    EXPECT_EQ(m->integerAt(0), -2);
    ASSERT_TRUE(m->setNumberAt(1, 16777217.0f));
    EXPECT_EQ(m->numberAt(1), 16777216.0f);
}

TEST(VariableTable, AnIntegerTakesTheTopFloatAsItsLargestValueAndRefusesTheRest)
{
    RecordingHost host;
    VariableTable table;
    VariableRecord& n = *table.createVariable(declaration("N", kTypeInteger), host);
    VariableRecord& f = *table.createVariable(declaration("F", kTypeFloat), host);
    const float nan = std::nanf("");
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, int32_t> stored[] = {
        {2147483647.0f, 2147483647}, // the float of 2147483647 is 2^31
        {2147483520.0f, 2147483520}, // the float below it
        {-2147483648.0f, -2147483647 - 1},
        {-0.9f, 0},
    };
    for (const auto& [value, integer] : stored) {
        ASSERT_TRUE(n.setNumberAt(0, value)) << value;
        EXPECT_EQ(n.integerAt(0), integer) << value;
    }
    for (float refused : {2147483904.0f, -2147483904.0f, 3e9f, nan, inf, -inf}) {
        EXPECT_FALSE(n.setNumberAt(0, refused)) << refused;
        EXPECT_EQ(n.integerAt(0), 0) << refused; // untouched
        ASSERT_TRUE(f.setNumberAt(0, refused));  // a Floating Point element takes anything
    }
    EXPECT_TRUE(std::isinf(f.floatAt(0)));
}

} // namespace
} // namespace qel
