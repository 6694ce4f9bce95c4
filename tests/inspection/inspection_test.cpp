// What the inspection windows show: the variables and their elements in the viewer's order, the
// variable list's table (sorting, comma-separated text), and the DisplayVarsInListCtrl instruction.

#include "inspection/list_table.h"
#include "inspection/variable_listing.h"
#include "support/run_fixture.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

struct Listing : test::RunFixture {
    VariableRecord& declare(std::vector<std::string> fields)
    {
        const std::string name = fields[4];
        build.add("DeclareVariable", std::move(fields));
        return *variables.findVariable(name);
    }
};

TEST_F(Listing, VariablesAndElementsInTheViewersOrder)
{
    VariableRecord& grid = declare(test::arrayFields("Integer", "Grid", 2, 3));
    EXPECT_TRUE(declare(test::variableFields("Floating Point", "Half")).setNumberAt(0, 0.5f));
    declare(test::variableFields("String", "Name", "\"Ann\""));
    declare(test::variableFields("Bitmap", "Picture"));
    declare(test::arrayFields("File", "Logs", 2));
    for (size_t k = 0; k < grid.words.size(); ++k)
        grid.words[k] = static_cast<uint32_t>(10 * (k + 1));

    std::vector<std::string> rows; // name, type and dimensions
    for (const VariableRow& r : variableRows(variables))
        rows.push_back(r.name + "|" + std::string(r.type) + "|" + r.dimensions);
    EXPECT_EQ(rows, (std::vector<std::string>{"Grid|Integer|2,3", "Half|Float|", "Name|String|", "Picture|Bitmap|",
                                              "Logs|File|2"}));

    // The first subscript outer, the second inner; storage has the first varying fastest.
    const ElementListing g = listElements(grid, kGeneralPrecision, false);
    std::vector<std::string> seen;
    for (const ElementRow& r : g.rows)
        seen.push_back(r.value + "@" + r.subscripts);
    EXPECT_EQ(seen, (std::vector<std::string>{"10@1,1", "30@1,2", "50@1,3", "20@2,1", "40@2,2", "60@2,3"}));
    EXPECT_FALSE(g.truncated());

    const ElementRow half = listElements(*variables.findVariable("Half"), kRunStartPrecision, false).rows.at(0);
    EXPECT_EQ(half.value + "@" + half.subscripts, "0.5@");
}

TEST_F(Listing, ALargeArrayListsItsFirstElementsAndSaysHowManyItHas)
{
    const VariableRecord& big = declare(test::arrayFields("Integer", "Big", 100, 60));
    const ElementListing listing = listElements(big, kGeneralPrecision, true);
    EXPECT_EQ(listing.rows.size(), kMaxListedElements);
    EXPECT_EQ(listing.total, 6000u);
    EXPECT_TRUE(listing.truncated());
    EXPECT_EQ(listing.rows.back().subscripts, "84,20"); // element 5000 in the viewer's order
    const VariableRecord& fits = declare(test::arrayFields("Integer", "Fits", 50, 100));
    EXPECT_FALSE(listElements(fits, kGeneralPrecision, true).truncated());
}

TEST_F(Listing, ElementsNotMadeYetShowWhatTheyStartAsWithoutBeingMade)
{
    // A file's declarations get their elements when a run starts; the viewer lists them before.
    const struct {
        uint32_t type;
        std::string_view stopped, running;
    } cases[] = {{kTypeInteger, "0", "0"},
                 {kTypeFloat, "0", "0"},
                 {kTypeString, "<Object out of scope>", ""},
                 {kTypeBitmap, "<bitmap handles are hidden>", "<bitmap handles are hidden>"},
                 {kTypeFile, "<file pointers are hidden>", "<file pointers are hidden>"}};
    for (const auto& c : cases) {
        const std::string name = "V" + std::to_string(c.type);
        const VariableDeclaration declaration{name, c.type, kArray2D, 2, 3, 0, 0.0f, {}};
        const VariableRecord* v = variables.createVariable(declaration, host, VariableTable::Elements::AtRunStart);
        ASSERT_NE(v, nullptr);
        for (const bool running : {false, true}) {
            const ElementListing listing = listElements(*v, kGeneralPrecision, running);
            ASSERT_EQ(listing.rows.size(), 6u) << name;
            for (const ElementRow& row : listing.rows)
                EXPECT_EQ(row.value, running ? c.running : c.stopped) << name;
        }
        EXPECT_EQ(v->elementCount(), 0u) << name; // nothing was made by looking
    }
}

TEST(ListTable, SortsNumbersAsNumbersAndWritesCellsThatReadBack)
{
    Rows rows = {{"1", "10", "b,c"}, {"2", "9", "a"}, {"3", "x", "b"}, {"4", "9.5", "\"q\""}};
    const auto order = [&](size_t column) {
        sortRows(rows, column);
        return rows[0][0] + rows[1][0] + rows[2][0] + rows[3][0];
    };
    EXPECT_EQ(order(1), "2413"); // 9 < 9.5 < 10, then the text
    EXPECT_EQ(order(2), "4231"); // "q" first, and "b,c" compares as "bc"

    // The whole table's text is checked by the saved file of the variable list window.
    EXPECT_EQ(csvLine({"plain", "with,comma", "say \"hi\"", ""}), "plain,\"with,comma\",\"say \"\"hi\"\"\",");
}

// Runs a program that declares the variables below and ends with DisplayVarsInListCtrl of `fields`.
void runList(test::Session& s, std::vector<std::string> fields)
{
    s.handlers();
    s.build.add("DeclareVariable", test::arrayFields("String", "Names", 3))
        .add("DeclareVariable", test::arrayFields("Floating Point", "Scores", 3))
        .add("DeclareVariable", test::arrayFields("Integer", "Four", 4))
        .add("DeclareVariable", test::arrayFields("Integer", "Grid", 3, 2))
        .add("DeclareVariable", test::variableFields("String", "Title", "\"From a variable\""))
        .add("DeclareVariable", test::variableFields("String", "QEL_Flag_String"))
        .add("DeclareVariable", test::variableFields("String", "Flags", "\"X=1;DRC=2\""))
        .add("Let", test::letFields("Names(1)", "\"Ann\""))
        .add("Let", test::letFields("Names(2)", "\"Bo\""))
        .add("Let", test::letFields("Scores(1)", "2.5"))
        .add("DisplayVarsInListCtrl", std::move(fields));
    s.start();
}

// The list the run shows.
const VariableListTable& shown(test::Session& s, std::vector<std::string> fields)
{
    runList(s, std::move(fields));
    EXPECT_EQ(s.host.lists.size(), 1u);
    static const VariableListTable kNone;
    return s.host.lists.empty() ? kNone : s.host.lists.front();
}

TEST(DisplayVars, ColumnsTitlesRowsAndTheLimitOfAFlagString)
{
    test::Session s;
    const VariableListTable& t = shown(s, test::listFields({{"Names", "\"Who\""}, {"Scores", ""}}, "Title"));
    EXPECT_TRUE(s.errors().empty()) << s.errors()[0];
    EXPECT_EQ(t.title, "From a variable");
    EXPECT_EQ(t.columns, (std::vector<std::string>{"Who", "Scores"}));
    EXPECT_EQ(t.rows, (Rows{{"1", "Ann", "2.5"}, {"2", "Bo", "0"}, {"3", "", "0"}}));
    EXPECT_EQ(s.program.sections[kInitialise].lines.back().text,
              "DisplayVarsInListCtrl Names (\"Who\"), Scores Title Title");

    test::Session flagged;
    const VariableListTable& f =
        shown(flagged, test::listFields({{"QEL_Flag_String", ""}, {"Flags", ""}, {"Four", ""}}));
    EXPECT_EQ(f.title, "Variable Values");
    EXPECT_EQ(f.columns, std::vector<std::string>{"Four"});
    EXPECT_EQ(f.rows, (Rows{{"1", "0"}, {"2", "0"}})); // DRC=2 shows two rows
}

TEST(DisplayVars, RefusesColumnsItCannotShowAndKeepsThePartlyFilledWindow)
{
    test::Session s;
    EXPECT_EQ(shown(s, test::listFields({{"Names", ""}, {"Four", ""}})).columns,
              std::vector<std::string>{"Names"}); // the window shows what it had
    EXPECT_EQ(s.errors(), std::vector<std::string>{
                              test::runErrorText("All variables must have the same number of elements - Four")});
    for (const auto& [column, message] : std::vector<std::pair<std::string, std::string>>{
             {"Grid", "Expecting 1 dimensional array but found variable - Grid"},
             {"Title", "Expecting 1 dimensional array but found variable - Title"},
             {"Missing", "Reference to undeclared variable - Missing"}}) {
        test::Session c;
        runList(c, test::listFields({{column, ""}}));
        EXPECT_EQ(c.errors(), std::vector<std::string>{test::runErrorText(message)}) << column;
    }
}

} // namespace
} // namespace qel
