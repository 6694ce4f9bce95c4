#include "support/recording_host.h"
#include "values/variable_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace qel {
namespace {

struct VariableTables : ::testing::Test {
    VariableRecord* create(std::string_view name, uint32_t type, uint32_t kind = kNotArray, int32_t d1 = 1,
                           int32_t d2 = 1)
    {
        return table.createVariable({name, type, kind, d1, d2, 0, 0.0f, {}}, host);
    }

    test::RecordingHost host;
    VariableTable table;
};

TEST_F(VariableTables, CreateFindAndRemove)
{
    EXPECT_EQ(table.findVariable("x"), nullptr);
    VariableRecord* count = create("Count", kTypeInteger, kNotArray, 5, 5);
    VariableRecord* list = create("List", kTypeString, kArray1D, 4, 9);
    ASSERT_TRUE(count && list);
    // Dimensions are taken only as the shape asks.
    EXPECT_EQ((std::vector{count->dim1, count->dim2, list->dim1, list->dim2}), (std::vector{1, 1, 4, 1}));
    EXPECT_EQ(list->elementCount(), 4u);
    EXPECT_FALSE(list->texts[3].assigned);
    EXPECT_EQ(create("", kTypeInteger), nullptr);

    EXPECT_EQ((std::vector{table.findVariable("COUNT"), table.findVariable("count"), table.findVariable("")}),
              (std::vector<VariableRecord*>{count, count, nullptr}));
    VariableRecord* second = create("count", kTypeFloat);
    EXPECT_EQ(table.findVariable("Count"), count); // the first match wins

    table.removeVariable("cOUNT");
    EXPECT_EQ(table.findVariable("Count"), second);
    EXPECT_EQ(table.findVariable("list"), list); // other records stay where they are
    table.removeVariable("nothing");
    std::vector<std::string> names;
    for (const VariableRecord& v : table)
        names.push_back(v.name);
    EXPECT_EQ(names, (std::vector<std::string>{"List", "count"}));
}

TEST_F(VariableTables, SizesThatCannotBeHeld)
{
    EXPECT_EQ(create("Neg", kTypeInteger, kArray1D, -1), nullptr);
    EXPECT_EQ(create("Huge", kTypeString, kArray2D, 100000, 100000), nullptr);
    EXPECT_EQ(create("Wide", kTypeString, kArray2D, 1001, 1), nullptr);
    EXPECT_EQ(create("Many", kTypeString, kArray2D, 101, 100), nullptr);
    EXPECT_EQ(host.messages,
              std::vector<test::RecordedMessage>(4, {std::string(kOutOfMemoryCreatingVariable), Icon::Error}));
    EXPECT_EQ(kOutOfMemoryCreatingVariable, "Unable to create variable as out of memory - Err 1002.");
    EXPECT_TRUE(table.empty());
    EXPECT_NE(create("Zero", kTypeInteger, kArray1D, 0), nullptr);
    EXPECT_NE(create("Most", kTypeInteger, kArray2D, 100, 100), nullptr);
}

TEST_F(VariableTables, ResetForRun)
{
    VariableRecord* i = table.createVariable({"Ints", kTypeInteger, kArray2D, 3, 2, 7, 0.0f, {}}, host);
    VariableRecord* h = table.createVariable({"Half", kTypeFloat, kNotArray, 1, 1, 0, 2.5f, {}}, host);
    VariableRecord* n = table.createVariable(
        {.name = "Names", .type = kTypeString, .arrayKind = kArray1D, .dim1 = 3, .initialText = "start"}, host);
    VariableRecord* g = table.createVariable({.name = "Greeting", .type = kTypeString, .initialText = "hello"}, host);
    VariableRecord* b = create("Pic", kTypeBitmap, kArray1D, 2);
    VariableRecord* f = create("Out", kTypeFile);

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
    EXPECT_EQ(i->words, std::vector<uint32_t>(6, 7));
    EXPECT_EQ(h->floatAt(0), 2.5f);
    for (const StringElement& e : n->texts) {
        EXPECT_FALSE(e.assigned); // a String array ignores its initial text
        EXPECT_EQ(e.text, "");
    }
    EXPECT_TRUE(g->texts[0].assigned);
    EXPECT_EQ(g->textAt(0), "hello");
    EXPECT_EQ(b->words, std::vector<uint32_t>(2, 0));
    EXPECT_EQ(f->words[0], 0u);
}

TEST_F(VariableTables, ElementsMadeAtRunStartComeFromTheBudget)
{
    const auto later = VariableTable::Elements::AtRunStart;
    VariableRecord* b = table.createVariable({"Big", kTypeString, kArray2D, 100, 100, 0, 0.0f, {}}, host, later);
    const std::string initial(300, 'x');
    VariableRecord* t =
        table.createVariable({.name = "Text", .type = kTypeString, .initialText = initial}, host, later);
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

TEST_F(VariableTables, AnIntegerTakesTheTopFloatAsItsLargestValueAndRefusesTheRest)
{
    VariableRecord& n = *create("N", kTypeInteger);
    VariableRecord& f = *create("F", kTypeFloat);
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
