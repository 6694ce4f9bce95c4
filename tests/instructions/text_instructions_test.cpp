#include "instruction_checks.h"
#include "instructions/text/text_editors.h"
#include "instructions/text/text_instructions.h"
#include "support/gui_environment.h"
#include "values/editor_fields.h"

#include <QFontInfo>

#include <algorithm>
#include <cstdlib>

using namespace qel;
using namespace qel::test;

namespace {

constexpr QRgb kPaper = 0xFF00FF00; // the canvas before a test draws: pure green

constexpr int kLeftAligned = 0, kRightAligned = 2, kGetSize = 3;

struct TextInstructions : CanvasFixture<300, 200, kPaper> {
    void SetUp() override
    {
        ASSERT_TRUE(guiApplicationRunning());
        handlers();
    }
    int count(QRect area, QRgb colour) const
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += canvas.pixel(x, y) == colour;
        return n;
    }
    // The columns of the area that hold the colour: first and last, or (-1, -1).
    std::pair<int, int> inkColumns(QRect area, QRgb colour) const
    {
        std::pair<int, int> span{-1, -1};
        for (int x = area.left(); x <= area.right(); ++x)
            for (int y = area.top(); y <= area.bottom(); ++y)
                if (canvas.pixel(x, y) == colour) {
                    span = {span.first < 0 ? x : span.first, x};
                    break;
                }
        return span;
    }
};

} // namespace

TEST_F(TextInstructions, GetSizeMeasuresWithTheFontAndDisplayPrecisionAndDrawsNothing)
{
    add(build,
        {declare("Integer", {"R1", "B1", "R2", "B2"}), declare("Integer", {"R3", "B3", "R4", "B4"}),
         declare("Floating Point", {"F=2.5"}), line("DrawText", drawTextFields("10", "20", "R1", "B1", "F", kGetSize)),
         line("DrawText", drawTextFields("10", "20", "R2", "B2", "\"2.5\"", kGetSize)),
         line("DrawText", drawTextFields("10", "20", "R3", "B3", "\"2.5000\"", kGetSize)),
         line("TextFont", {"Arial", "48", "1"}),
         line("DrawText", drawTextFields("10", "20", "R4", "B4", "\"2.5\"", kGetSize))});
    EXPECT_EQ(build.last().text, "DrawText 10, 20, R4, B4, \"2.5\",GetSize,Opaque");
    ASSERT_TRUE(startsCleanly(*this, &target));
    EXPECT_EQ(count(canvas.rect(), kPaper), canvas.width() * canvas.height());
    EXPECT_GT(number("R1"), 10.0f); // absolute coordinates, not a width and height
    EXPECT_GT(number("B1"), 20.0f);
    EXPECT_EQ(number("R1"), number("R2"));
    EXPECT_EQ(number("B1"), number("B2"));
    EXPECT_LT(number("R2"), number("R3"));
    EXPECT_GT(number("R4"), number("R2"));
    EXPECT_GT(number("B4") - 20.0f, 48.0f); // 48 points at 96 dpi: an em of 64 pixels

    ASSERT_TRUE(state.text.font);
    EXPECT_EQ(state.text.font->pixelSize(), 64);
    EXPECT_TRUE(state.text.font->bold());
    EXPECT_EQ(QFontInfo(*state.text.font).family(), "Liberation Sans");
}

// Opaque text fills its rectangle with the back colour; transparent text puts only its ink, on the side
// its alignment says.
TEST_F(TextInstructions, TheRectangleTakesTheBackgroundAndTheAlignedInkAndAWrongOneStopsTheRun)
{
    add(build, {line("TextForeColour", {"Blue"}), line("TextBackColour", {"Light Red"}),
                line("DrawText", drawTextFields("0", "0", "300", "40", "\"Opaque\"")),
                line("DrawText", drawTextFields("0", "50", "300", "90", "\"Side\"", kLeftAligned, true)),
                line("DrawText", drawTextFields("0", "100", "300", "140", "\"Side\"", kRightAligned, true)),
                line("DrawText", drawTextFields("0", "150", "300", "190", "\"Side\"", 1, true))});
    ASSERT_TRUE(startsCleanly(*this, &target));
    const QRgb red = qRgb(255, 0, 0), ink = qRgb(0, 0, 128);
    const QRect opaque(0, 0, 300, 40), clear(0, 50, 300, 150);
    EXPECT_GT(count(opaque, red), 100);
    EXPECT_GT(count(opaque, ink), 20);
    EXPECT_EQ(count(clear, ink) + count(clear, kPaper), 300 * 150); // no back colour, nothing but ink
    EXPECT_EQ(count(QRect(0, 40, 300, 10), kPaper), 300 * 10);      // nothing outside the rectangles
    auto left = inkColumns(QRect(0, 50, 300, 40), ink), right = inkColumns(QRect(0, 100, 300, 40), ink),
         centre = inkColumns(QRect(0, 150, 300, 40), ink);
    EXPECT_TRUE(left.first >= 0 && left.first < 5 && left.second < 100) << left.first << " " << left.second;
    EXPECT_TRUE(right.first > 200 && right.second >= 295) << right.first << " " << right.second;
    EXPECT_LT(std::abs((centre.first + centre.second) - 300), 10) << centre.first << " " << centre.second;

    // Wrong rectangles, and measuring into what is not a numeric variable, stop the run.
    const std::pair<Texts, std::string> cases[] = {
        {drawTextFields("10", "50", "100", "40", "\"x\""), runErrorText(kBottomNotBelowTop)},
        {drawTextFields("10", "50", "100", "50", "\"x\""), runErrorText(kBottomNotBelowTop)},
        {drawTextFields("100", "10", "100", "50", "\"x\""), runErrorText(kRightNotBeyondLeft)},
        {drawTextFields("10", "10", "R", "50", "\"x\"", kGetSize), runErrorText(kBottomNotNumericVariable)},
        {drawTextFields("10", "10", "R", "S", "\"x\"", kGetSize), runErrorText(kBottomNotNumericVariable)},
        {drawTextFields("10", "10", "S", "B", "\"x\"", kGetSize), runErrorText(kRightNotNumericVariable)},
        {drawTextFields("10", "10001", "5", "B", "\"x\"", kGetSize), "Value out of range - 10001 - Top"},
    };
    for (const auto& [fields, message] : cases) {
        const CaseRun run({declare("Integer", {"R=0", "B=0"}), declare("String", {"S"}), line("DrawText", fields)});
        EXPECT_EQ(run.errors(), Texts{message}) << fields[0] << "," << fields[1];
    }
}

TEST_F(TextInstructions, RemapAndPrecisionChangeWhatLaterLinesShow)
{
    add(build, {declare("Floating Point", {"F=3.14159"}), declare("String", {"Two", "General"}),
                line("ColourRemap", {"Black", "255", "0", "0"}), line("WindowClear", {"Black"}),
                line("TextForeColour", {"Black"}), line("TextBackColour", {"Bright White"}),
                line("DrawText", drawTextFields("0", "0", "300", "40", "\"Ink\"")), line("FPDispDigits", {"2"}),
                line("StringFromNumeric", {"F", "Two"}), line("FPDispDigits", {"E"}),
                line("StringFromNumeric", {"F", "General"})});
    ASSERT_TRUE(startsCleanly(*this, &target));
    EXPECT_EQ(canvas.pixel(299, 199), qRgb(255, 0, 0));
    EXPECT_EQ(state.text.colour, qRgb(255, 0, 0));
    EXPECT_EQ(count(QRect(0, 50, 300, 150), qRgb(255, 0, 0)), 300 * 150);
    EXPECT_GT(count(QRect(0, 0, 300, 40), qRgb(255, 255, 255)), 100); // the text's background cells
    EXPECT_EQ(text("Two"), "3.14");
    EXPECT_EQ(text("General"), "3.14159");

    EXPECT_EQ(CaseRun({line("ColourRemap", {"Grey", "0", "0", "256"})}).errors(),
              Texts{"Value out of range - 256 - Blue value"});
}

TEST_F(TextInstructions, EditorsRefuseWrongFieldsAndDecodeWhatTheyBuilt)
{
    EditContext context{program, variables, nullptr};
    const Texts faces = installedFontFaces();
    ASSERT_NE(std::find(faces.begin(), faces.end(), "Liberation Sans"), faces.end());
    const std::string numeric = "Numeric expression required.";
    expectEditorRows(context,
                     {{kDrawText, drawTextFields("\"a\"", "1", "2", "3", "\"x\""), 0, numeric},
                      {kDrawText, drawTextFields("1", "1", "2", "", "\"x\""), 3, numeric},
                      {kDrawText, drawTextFields("1", "1", "2", "3", "5"), 4, "String expression required."},
                      {kColourRemap, {"Red", "1", "", "3"}, 2, numeric},
                      {kColourRemap, {"Pink", "1", "2", "3"}, 0, std::string(kNotAListItem)},
                      {kTextFont,
                       {"Liberation Sans", "14", "1", "", "1"},
                       kBuilt,
                       "TextFont \"Liberation Sans\",14,Bold,Underlined"},
                      {kTextForeColour, {"Light Blue"}, kBuilt, "TextForeColour \"Light Blue\""},
                      {kTextBackColour, {""}, kBuilt, "TextBackColour \"Black\""},
                      {kFPDispDigits, {"E"}, kBuilt, "FPDispDigits E"},
                      {kFPDispDigits, {""}, kBuilt, "FPDispDigits 0"},
                      {kColourRemap, {"Cyan", "R", "A(2)", "7.5"}, kBuilt, "ColourRemap R, A(2), 7.5,\"Cyan\""},
                      {kDrawText, drawTextFields("L", "2", "300", "B", "S", 1, true), kBuilt,
                       "DrawText L, 2, 300, B, S,Centre,Transparent"}});
    EditOutcome font = editorFor(kTextFont)->accept({"Liberation Sans", "72"}, context);
    EXPECT_EQ(font.line.block.bodyLength(), 12u + 15u + 1u);
    EXPECT_EQ(font.line.block.u32(text_block::kFace), 16u);
}

TEST(TextFontFaces, FamiliesAreNamedOnceWithoutFoundriesAndArialIsOffered)
{
    EXPECT_EQ(fontFaceNames({u"Algerian", u"arial", u"C059 [UKWN]", u"C059 [urw]", u"Nimbus [a] Sans", u"\u03a9mega",
                             u"Z003 [urw]"}),
              (Texts{"Algerian", "arial", "Arial", "C059", "Nimbus [a] Sans", "Z003"}));
    EXPECT_EQ(fontFaceNames({u"Arial [Monotype]", u"Liberation Sans"}), (Texts{"Arial", "Liberation Sans"}));
}
