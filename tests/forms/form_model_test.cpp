#include "forms/object_names.h"
#include "forms/properties.h"
#include "forms/property_rows.h"
#include "support/form_files.h"

#include <gtest/gtest.h>

using namespace qel;
using namespace qel::test;
using P = PropertyId;

TEST(FormProperties, NamesChooseTheVocabularyByACaseSensitivePrefix)
{
    EXPECT_EQ(lookupProperty("buttCaption"), P::Caption);
    EXPECT_EQ(lookupProperty("BUTTCAPTION"), std::nullopt); // no prefix, and no generic name matches
    EXPECT_EQ(lookupProperty("STCAPTION"), std::nullopt);
    EXPECT_EQ(lookupProperty("stcaption"), P::Caption); // "st" chosen, then compared ignoring case
    EXPECT_EQ(lookupProperty("caption"), P::Caption);
    EXPECT_EQ(lookupProperty("txtDefaultValue"), P::Caption);
    EXPECT_EQ(lookupProperty("txtCaption"), std::nullopt);
    EXPECT_EQ(lookupProperty("chkWidth"), std::nullopt); // checkboxes have a fixed size
    EXPECT_EQ(lookupProperty("imgFileName"), P::Caption);
    EXPECT_EQ(lookupProperty("cmbDropHeight"), P::Height2);
    EXPECT_EQ(lookupProperty("cmbSelectionData"), P::SelectionData);
    EXPECT_EQ(lookupProperty("SelectionData"), std::nullopt);
    // The stored programs' spellings, misspellings included.
    EXPECT_EQ(lookupProperty("FillStlye"), P::FillStyle);
    EXPECT_EQ(lookupProperty("FillStyle"), std::nullopt);
    EXPECT_EQ(lookupProperty("V1Stlye"), P::V1Style);
    EXPECT_EQ(lookupProperty("stFillStlye"), P::FillStyle);
    EXPECT_EQ(lookupProperty("rectFillStyle"), P::FillStyle);
    EXPECT_EQ(lookupProperty("lineLineStlye"), P::FillStyle);
    EXPECT_EQ(lookupProperty("lineDirection"), P::BorderStyle);
    EXPECT_EQ(lookupProperty("cmbDateValues"), P::Caption2);

    // Every name a type lists reaches its own vocabulary, whatever prefix it shares with others.
    using namespace object_type;
    for (int16_t type :
         {kNotKnown, kForm, kRectangle, kButton, kStaticText, kEdit, kCheckBox, kComboBox, kImage, kLine})
        for (std::string_view name : propertyNamesOf(type))
            EXPECT_TRUE(lookupProperty(name)) << name;
    EXPECT_EQ(propertyNamesOf(kComboBox).size(), 18u);
    EXPECT_EQ(propertyNamesOf(kNotKnown).size(), 34u);
}

TEST(FormNames, DefaultNamesAreUniqueByPrefixIgnoringCase)
{
    FormObjects form = newForm("F");
    form.push_back(formObject(form, object_type::kEdit, 0, 0));
    form.push_back(formObject(form, object_type::kEdit, 0, 0));
    EXPECT_EQ(form[1].name, "txt1");
    EXPECT_EQ(defaultObjectName(object_type::kButton, form), "butt3");
    form[2].name = "BUTT30"; // begins with butt3
    EXPECT_EQ(defaultObjectName(object_type::kButton, form), "butt3_0");
    form[1].name = "butt3_0x";
    EXPECT_EQ(defaultObjectName(object_type::kButton, form), "butt3_1");

    EXPECT_EQ(typeOfNamePrefix("stLabel"), object_type::kStaticText);
    EXPECT_EQ(typeOfNamePrefix("buttOK"), object_type::kButton);
    EXPECT_EQ(typeOfNamePrefix("Butt"), object_type::kNotKnown);
    EXPECT_EQ(objectTypeName(object_type::kStaticText), "Static Text");
    EXPECT_EQ(objectTypeName(9), "Not known");
}

TEST(FormObjects, NewObjectsStartWithTheDesignersDefaultsAndFitTheForm)
{
    FormObjects form = newForm("");
    EXPECT_EQ(form[0].name, "ORX Form");
    EXPECT_EQ(form[0].bgColour, 13158600u);
    const FormObject check = newObject(object_type::kCheckBox, form, DefaultColours{});
    EXPECT_EQ(check.caption, "True");
    EXPECT_EQ(check.borderColour, rgb(200, 200, 200)); // the default background, not the border
    EXPECT_EQ(check.sunken, "Flat");
    const FormObject text = newObject(object_type::kStaticText, form, DefaultColours{});
    EXPECT_EQ(text.caption, "<to do>");
    EXPECT_EQ(text.textSize, 10u);
    EXPECT_EQ(text.tabOrder, 1);
    FormObject combo = newObject(object_type::kComboBox, form, DefaultColours{});
    EXPECT_EQ(combo.width2, 100u);
    EXPECT_EQ(combo.height2, 100u);

    form[0].width = 60;
    form[0].offsetX = 30; // scrolled
    placeNewObject(combo, form[0]);
    EXPECT_EQ(combo.offsetX, 30);
    EXPECT_EQ(combo.width, 20u);
    EXPECT_EQ(combo.width2, 20u);
    EXPECT_EQ(combo.height, 20u);

    EXPECT_EQ(colourText(rgb(255, 0, 0)), "255,0,0");
    EXPECT_EQ(parseColourText("10, 20"), rgb(10, 20, 0));
    EXPECT_EQ(parseColourText(""), 0u);
    EXPECT_EQ(parseColourText("1,2,3,4"), rgb(1, 2, 3));
}

TEST(FormProperties, RunTimeValueRules)
{
    FormObjects form = newForm("F");
    form.push_back(formObject(form, object_type::kRectangle, 200, 10)); // right edge 300
    form.push_back(formObject(form, object_type::kEdit, 0, 0));
    form.push_back(formObject(form, object_type::kLine, 0, 0));
    form.push_back(formObject(form, object_type::kComboBox, 0, 0));
    struct Case {
        size_t object;
        PropertyId id;
        std::string value;
        PropertyStatus status;
        std::string stored; // the property's text afterwards
    };
    using S = PropertyStatus;
    const Case cases[] = {
        {0, P::Width, "250", S::Ok, "300"}, // never narrower than its objects
        {0, P::Height, " 0 ", S::Ok, "110"},
        {0, P::OffsetX, "5", S::Unacceptable, "0"},
        {0, P::ZOrder, "anything", S::Ok, "0"}, // accepted and ignored
        {0, P::Name, "x", S::ReadOnly, "ORX Form"},
        {0, P::GridX, "5", S::ReadOnly, "5"},
        {1, P::Width, "2049", S::Unacceptable, "100"},
        {1, P::Width, "12x", S::Unacceptable, "100"},
        {1, P::FillStyle, "transparent", S::Ok, "Transparent"},
        {1, P::FillStyle, "Dash", S::Unacceptable, "Transparent"},
        {1, P::Caption, "x", S::Unacceptable, ""},
        {1, P::BGColour, "-1", S::Ok, "4294967295"},
        {1, P::ZOrder, "6", S::Unacceptable, "1"},
        {2, P::Caption, "  Hello  ", S::Ok, "Hello"},
        {2, P::Sunken, "true", S::Ok, "True"},
        {2, P::Sunken, "Sunken", S::Unacceptable, "True"},
        {2, P::TextAlign, "CENTRE", S::Ok, "Centre"},
        {2, P::TextSize, "80", S::Unacceptable, "10"},
        {2, P::TextBold, "bold+italic", S::Ok, "Bold+Italic"},
        {2, P::TabOrder, "10000", S::Unacceptable, "2"},
        {2, P::V1Style, "True", S::Unacceptable, ""},
        {2, P::Caption2, "1;2", S::Unacceptable, ""},
        {2, P::OnClick, " Go ", S::Ok, "Go"},
        {3, P::FillStyle, "dashdot", S::Ok, "DashDot"},
        {3, P::BorderStyle, "/", S::Ok, "/"},
        {3, P::BorderStyle, "Opaque", S::Unacceptable, "/"},
        {4, P::Caption2, "1;2", S::Ok, "1;2"},
        {4, P::V1Style, "false", S::Ok, "False"},
        {4, P::Height2, "300", S::Ok, "300"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(storeProperty(form, c.object, c.id, c.value), c.status) << c.object << " " << c.value;
        EXPECT_EQ(storedProperty(form[c.object], c.id).text, c.stored) << c.object << " " << c.value;
    }
    // Moving an object beyond the form's edge grows the form.
    EXPECT_EQ(storeProperty(form, 2, P::OffsetX, "2000"), S::Ok);
    EXPECT_EQ(form[0].width, 2100u);
    EXPECT_EQ(storedProperty(form[2], P::OffsetX).number, 2000);
    EXPECT_TRUE(storedProperty(form[2], P::TabOrder).isNumber);
    EXPECT_FALSE(storedProperty(form[2], P::Visible).isNumber);
}

TEST(FormPropertyRows, RowsAndRangesOfTheDesigner)
{
    const std::vector<PropertyRow> text = propertyRows(object_type::kStaticText, PropertyPage::Properties);
    ASSERT_EQ(text.size(), 17u);
    EXPECT_EQ(text[3].label, "Font Sytle");
    EXPECT_EQ(text[5].label, "Size (0-72)");
    EXPECT_EQ(rangeRefusal(text[5], "80"), "Expecting value in the range of 6 and 72");
    EXPECT_EQ(rangeRefusal(text[5], "72"), std::nullopt);
    EXPECT_EQ(rangeRefusal(text[0], "anything"), std::nullopt);

    const std::vector<PropertyRow> form = propertyRows(object_type::kForm, PropertyPage::Properties);
    EXPECT_EQ(form[4].label, "Grid X");
    EXPECT_EQ(rangeRefusal(form[4], "1"), "Expecting value in the range of 2 and 20");
    EXPECT_EQ(rangeRefusal(form[7], "49"), "Expecting value in the range of 50 and 2048");

    EXPECT_EQ(propertyRows(object_type::kComboBox, PropertyPage::Events).size(), 2u);
    EXPECT_TRUE(propertyRows(object_type::kLine, PropertyPage::Events).empty());
    EXPECT_EQ(propertyRows(object_type::kCheckBox, PropertyPage::Properties)[1].editor, EditorKind::List);
    EXPECT_EQ(choiceList(ChoiceListKind::LineDirections)[0], "\\");
}
