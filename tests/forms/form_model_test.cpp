#include "forms/object_names.h"
#include "forms/properties.h"
#include "forms/property_rows.h"
#include "support/form_files.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace qel;
using namespace qel::test;
using P = PropertyId;

TEST(FormProperties, NamesChooseTheVocabularyByACaseSensitivePrefix)
{
    // "st" chosen with case, then compared ignoring it; a name without a prefix matches only the
    // generic names; checkboxes have a fixed size. Then the stored programs' spellings, misspellings
    // included.
    const std::pair<std::string_view, std::optional<P>> names[] = {
        {"buttCaption", P::Caption},       {"BUTTCAPTION", std::nullopt},   {"STCAPTION", std::nullopt},
        {"stcaption", P::Caption},         {"caption", P::Caption},         {"txtDefaultValue", P::Caption},
        {"txtCaption", std::nullopt},      {"chkWidth", std::nullopt},      {"imgFileName", P::Caption},
        {"cmbDropHeight", P::Height2},     {"SelectionData", std::nullopt}, {"cmbSelectionData", P::SelectionData},
        {"FillStlye", P::FillStyle},       {"FillStyle", std::nullopt},     {"V1Stlye", P::V1Style},
        {"stFillStlye", P::FillStyle},     {"rectFillStyle", P::FillStyle}, {"lineLineStlye", P::FillStyle},
        {"lineDirection", P::BorderStyle}, {"cmbDateValues", P::Caption2}};
    for (const auto& [name, id] : names)
        EXPECT_EQ(lookupProperty(name), id) << name;

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

    EXPECT_EQ(std::tuple(typeOfNamePrefix("stLabel"), typeOfNamePrefix("buttOK"), typeOfNamePrefix("Butt")),
              std::tuple(object_type::kStaticText, object_type::kButton, object_type::kNotKnown));
    EXPECT_EQ(objectTypeName(object_type::kStaticText), "Static Text");
    EXPECT_EQ(objectTypeName(9), "Not known");
}

TEST(FormObjects, NewObjectsStartWithTheDesignersDefaultsAndFitTheForm)
{
    FormObjects form = newForm("");
    EXPECT_EQ(std::tuple(form[0].name, form[0].bgColour), std::tuple("ORX Form", 13158600u));
    // A check box's border colour is the default background, not the border's.
    const FormObject check = newObject(object_type::kCheckBox, form, DefaultColours{});
    EXPECT_EQ(std::tuple(check.caption, check.borderColour, check.sunken),
              std::tuple("True", rgb(200, 200, 200), "Flat"));
    const FormObject text = newObject(object_type::kStaticText, form, DefaultColours{});
    EXPECT_EQ(std::tuple(text.caption, text.textSize, text.tabOrder), std::tuple("<to do>", 10u, 1));
    FormObject combo = newObject(object_type::kComboBox, form, DefaultColours{});
    EXPECT_EQ(std::tuple(combo.width2, combo.height2), std::tuple(100u, 100u));

    form[0].width = 60;
    form[0].offsetX = 30; // scrolled
    placeNewObject(combo, form[0]);
    EXPECT_EQ(std::tuple(combo.offsetX, combo.width, combo.width2, combo.height), std::tuple(30, 20u, 20u, 20u));

    EXPECT_EQ(colourText(rgb(255, 0, 0)), "255,0,0");
    EXPECT_EQ(std::tuple(parseColourText("10, 20"), parseColourText(""), parseColourText("1,2,3,4")),
              std::tuple(rgb(10, 20, 0), 0u, rgb(1, 2, 3)));
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
    EXPECT_EQ(rangeRefusal(text[5], "72"), std::nullopt);
    EXPECT_EQ(rangeRefusal(text[0], "anything"), std::nullopt);

    const std::vector<PropertyRow> form = propertyRows(object_type::kForm, PropertyPage::Properties);
    const std::optional<Notice> below = rangeRefusal(form[7], "49");
    ASSERT_TRUE(below);
    EXPECT_EQ(noticeText(*below), "Expecting value in the range of 50 and 2048");

    EXPECT_EQ(propertyRows(object_type::kComboBox, PropertyPage::Events).size(), 2u);
    EXPECT_TRUE(propertyRows(object_type::kLine, PropertyPage::Events).empty());
    EXPECT_EQ(propertyRows(object_type::kCheckBox, PropertyPage::Properties)[1].editor, EditorKind::List);
    EXPECT_EQ(choiceList(ChoiceListKind::LineDirections)[0], "\\");
}
