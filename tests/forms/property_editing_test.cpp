// What the properties window decides without a window: row texts, storing a row's text, renaming
// and the tab order list.
#include "forms/property_editing.h"
#include "support/form_files.h"

#include <gtest/gtest.h>

using namespace qel;
using namespace qel::test;
using P = PropertyId;
using namespace object_type;

namespace {

const PropertyRow& rowLabelled(int16_t type, std::string_view label)
{
    static std::vector<PropertyRow> rows;
    rows = propertyRows(type, PropertyPage::Properties);
    for (const PropertyRow& row : rows)
        if (row.label == label)
            return row;
    ADD_FAILURE() << label;
    return rows.front();
}

} // namespace

TEST(PropertyEditing, RowTextsAreStoredAsTheDesignerShowsThem)
{
    FormObjects f = newForm("F");
    f.push_back(formObject(f, kCheckBox, 10, 10));
    f.push_back(formObject(f, kComboBox, 10, 40));

    EXPECT_EQ(rowText(f[0], rowLabelled(kForm, "Background Colour")), "200,200,200");
    ASSERT_EQ(storeRowText(f, 0, P::BGColour, "255,0,0"), PropertyStatus::Ok);
    EXPECT_EQ(f[0].bgColour, rgb(255, 0, 0));
    EXPECT_EQ(rowText(f[0], rowLabelled(kForm, "Background Colour")), "255,0,0");

    // Rows the run-time rules refuse are the designer's to set.
    EXPECT_EQ(storeRowText(f, 0, P::GridX, "12"), PropertyStatus::Ok);
    EXPECT_EQ(rowText(f[0], rowLabelled(kForm, "Grid X")), "12");
    EXPECT_EQ(storeRowText(f, 1, P::Name, " Agree "), PropertyStatus::Ok);
    EXPECT_EQ(f[1].name, "Agree");
    EXPECT_EQ(storeRowText(f, 1, P::Caption, "False"), PropertyStatus::Ok);
    EXPECT_EQ(storeRowText(f, 1, P::Sunken, "Sunken"), PropertyStatus::Ok);
    EXPECT_EQ(f[1].sunken, "Sunken");

    // A combo box's two widths stay equal.
    EXPECT_EQ(storeRowText(f, 2, P::Width, "150"), PropertyStatus::Ok);
    EXPECT_EQ(f[2].width2, 150u);
    EXPECT_EQ(storeRowText(f, 0, P::GridY, "-3"), PropertyStatus::Unacceptable);
    EXPECT_EQ(f[0].gridY, 5u);
}

TEST(PropertyEditing, ANameMayChangeItsCaseButNotTakeAnothersName)
{
    FormObjects f = newForm("F");
    f.push_back(formObject(f, kButton, 0, 0, "butt1"));
    f.push_back(formObject(f, kEdit, 0, 30, "txt2"));
    // Only equal names count, not beginnings.
    for (const char* name : {"BUTT1", "butt"})
        EXPECT_EQ(renameRefusal(f, 1, name), std::nullopt) << name;
    for (const char* name : {"txt2", " TXT2 ", "ORX FORM"})
        EXPECT_EQ(renameRefusal(f, 1, name), kNameAlreadyUsed) << name;
}

TEST(PropertyEditing, TheTabOrderListsControlsByTheirTabOrder)
{
    FormObjects f = newForm("F");
    for (const auto& [type, name] :
         {std::pair{kButton, "b"}, {kRectangle, "r"}, {kEdit, "e"}, {kComboBox, "c"}, {kReserved9, "x"}})
        f.push_back(formObject(f, type, 0, 0, name));
    f[1].tabOrder = 3;
    f[3].tabOrder = 1;
    f[4].tabOrder = -1; // outside 0 to 9999: listed as 0
    f[5].tabOrder = 1;
    std::vector<TabOrderRow> rows = tabOrderRows(f);
    auto names = [&] {
        std::string s;
        for (const TabOrderRow& r : rows)
            s += r.name;
        return s;
    };
    EXPECT_EQ(names(), "cexb");
    EXPECT_EQ(std::tuple(rows[0].tabOrder, rows[0].object), std::tuple(0, 4u));
    EXPECT_FALSE(moveTabOrderRow(rows, 0, true));
    EXPECT_FALSE(moveTabOrderRow(rows, 3, false));
    EXPECT_TRUE(moveTabOrderRow(rows, 3, true));
    EXPECT_EQ(names(), "cebx");
}
