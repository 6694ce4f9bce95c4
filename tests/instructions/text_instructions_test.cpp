#include "instructions/text/text_editors.h"
#include "instructions/text/text_instructions.h"
#include "runtime/draw_target.h"
#include "support/canvas_run.h"
#include "support/gui_environment.h"
#include "support/run_fixture.h"
#include "values/editor_fields.h"

#include <QFontInfo>

#include <algorithm>
#include <cstdlib>

using namespace qel;
using namespace qel::test;

namespace {

constexpr QRgb kPaper = 0xFF00FF00; // the canvas before a test draws: pure green

constexpr int kLeftAligned = 0, kRightAligned = 2, kGetSize = 3;

struct TextInstructions : RunFixture {
    QImage canvas{300, 200, QImage::Format_RGB32};
    DrawState state;
    DrawTarget target{canvas, state};

    void SetUp() override
    {
        ASSERT_TRUE(guiApplicationRunning());
        canvas.fill(kPaper);
        handlers();
    }
    void declare(std::string type, std::string name, std::string initial)
    {
        build.add("DeclareVariable", variableFields(std::move(type), std::move(name), std::move(initial)));
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
    for (std::string v : {"R1", "B1", "R2", "B2", "R3", "B3", "R4", "B4"})
        declare("Integer", v, "0");
    declare("Floating Point", "F", "2.5");
    build.add("DrawText", drawTextFields("10", "20", "R1", "B1", "F", kGetSize))
        .add("DrawText", drawTextFields("10", "20", "R2", "B2", "\"2.5\"", kGetSize))
        .add("DrawText", drawTextFields("10", "20", "R3", "B3", "\"2.5000\"", kGetSize))
        .add("TextFont", {"Arial", "48", "1"})
        .add("DrawText", drawTextFields("10", "20", "R4", "B4", "\"2.5\"", kGetSize));
    EXPECT_EQ(build.last().text, "DrawText 10, 20, R4, B4, \"2.5\",GetSize,Opaque");
    startWithCanvas(*this, target);
    ASSERT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(count(canvas.rect(), kPaper), canvas.width() * canvas.height());
    EXPECT_GT(number("R1"), 10.0f); // absolute coordinates, not a width and height
    EXPECT_GT(number("B1"), 20.0f);
    EXPECT_EQ(number("R1"), number("R2"));
    EXPECT_EQ(number("B1"), number("B2"));
    EXPECT_LT(number("R2"), number("R3"));
    EXPECT_GT(number("R4"), number("R2"));
    EXPECT_GT(number("B4") - 20.0f, 48.0f); // 48 points at 96 dpi: an em of 64 pixels

    ASSERT_TRUE(state.text.font);
    EXPECT_EQ(canvas.logicalDpiY(), 96);
    EXPECT_EQ(state.text.font->pixelSize(), 64);
    EXPECT_TRUE(state.text.font->bold());
    EXPECT_EQ(QFontInfo(*state.text.font).family(), "Liberation Sans");
}

TEST_F(TextInstructions, BackgroundIsOpaqueOrTransparentInTheTextColours)
{
    build.add("TextForeColour", {"Blue"})
        .add("TextBackColour", {"Light Red"})
        .add("DrawText", drawTextFields("0", "0", "300", "60", "\"Opaque\""))
        .add("DrawText", drawTextFields("0", "100", "300", "160", "\"Clear\"", kLeftAligned, true));
    startWithCanvas(*this, target);
    ASSERT_TRUE(errors().empty()) << errors()[0];
    const QRect opaque(0, 0, 300, 60), clear(0, 100, 300, 60);
    EXPECT_GT(count(opaque, qRgb(255, 0, 0)), 100);
    EXPECT_GT(count(opaque, qRgb(0, 0, 128)), 20);
    EXPECT_EQ(count(clear, qRgb(255, 0, 0)), 0);
    EXPECT_GT(count(clear, qRgb(0, 0, 128)), 20);
    EXPECT_EQ(count(clear, qRgb(0, 0, 128)) + count(clear, kPaper), 300 * 60);
    EXPECT_EQ(count(QRect(0, 60, 300, 40), kPaper), 300 * 40); // nothing outside the rectangles
}

TEST_F(TextInstructions, AlignmentPutsTheInkOnItsSide)
{
    build.add("DrawText", drawTextFields("0", "0", "300", "40", "\"Side\"", kLeftAligned, true))
        .add("DrawText", drawTextFields("0", "50", "300", "90", "\"Side\"", kRightAligned, true))
        .add("DrawText", drawTextFields("0", "100", "300", "140", "\"Side\"", 1, true));
    startWithCanvas(*this, target);
    ASSERT_TRUE(errors().empty()) << errors()[0];
    const QRgb ink = qRgb(0, 0, 0);
    auto left = inkColumns(QRect(0, 0, 300, 40), ink), right = inkColumns(QRect(0, 50, 300, 40), ink),
         centre = inkColumns(QRect(0, 100, 300, 40), ink);
    EXPECT_TRUE(left.first >= 0 && left.first < 5 && left.second < 100) << left.first << " " << left.second;
    EXPECT_TRUE(right.first > 200 && right.second >= 295) << right.first << " " << right.second;
    EXPECT_LT(std::abs((centre.first + centre.second) - 300), 10) << centre.first << " " << centre.second;
}

TEST_F(TextInstructions, WrongRectanglesAndMeasuringIntoConstantsStopTheRun)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {drawTextFields("10", "50", "100", "40", "\"x\""), runErrorText(kBottomNotBelowTop)},
        {drawTextFields("10", "50", "100", "50", "\"x\""), runErrorText(kBottomNotBelowTop)},
        {drawTextFields("100", "10", "100", "50", "\"x\""), runErrorText(kRightNotBeyondLeft)},
        {drawTextFields("10", "10", "R", "50", "\"x\"", kGetSize), runErrorText(kBottomNotNumericVariable)},
        {drawTextFields("10", "10", "R", "S", "\"x\"", kGetSize), runErrorText(kBottomNotNumericVariable)},
        {drawTextFields("10", "10", "S", "B", "\"x\"", kGetSize), runErrorText(kRightNotNumericVariable)},
        {drawTextFields("10", "10001", "5", "B", "\"x\"", kGetSize), "Value out of range - 10001 - Top"},
    };
    for (const auto& [fields, message] : cases) {
        Session run;
        run.handlers();
        run.build.add("DeclareVariable", variableFields("Integer", "R", "0"))
            .add("DeclareVariable", variableFields("Integer", "B", "0"))
            .add("DeclareVariable", variableFields("String", "S", "\"\""))
            .add("DrawText", fields);
        run.start();
        EXPECT_EQ(run.errors(), std::vector<std::string>{message}) << fields[0] << "," << fields[1];
    }
}

TEST_F(TextInstructions, RemapAndPrecisionChangeWhatLaterLinesShow)
{
    declare("Floating Point", "F", "3.14159");
    declare("String", "Two", "\"\"");
    declare("String", "General", "\"\"");
    build.add("ColourRemap", {"Black", "255", "0", "0"})
        .add("WindowClear", {"Black"})
        .add("TextForeColour", {"Black"})
        .add("TextBackColour", {"Bright White"})
        .add("DrawText", drawTextFields("0", "0", "300", "40", "\"Ink\""))
        .add("FPDispDigits", {"2"})
        .add("StringFromNumeric", {"F", "Two"})
        .add("FPDispDigits", {"E"})
        .add("StringFromNumeric", {"F", "General"});
    startWithCanvas(*this, target);
    ASSERT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(canvas.pixel(299, 199), qRgb(255, 0, 0));
    EXPECT_EQ(state.text.colour, qRgb(255, 0, 0));
    EXPECT_EQ(count(QRect(0, 50, 300, 150), qRgb(255, 0, 0)), 300 * 150);
    EXPECT_GT(count(QRect(0, 0, 300, 40), qRgb(255, 255, 255)), 100); // the text's background cells
    EXPECT_EQ(text("Two"), "3.14");
    EXPECT_EQ(text("General"), "3.14159");

    Session outOfRange;
    outOfRange.handlers();
    outOfRange.build.add("ColourRemap", {"Grey", "0", "0", "256"});
    outOfRange.start();
    EXPECT_EQ(outOfRange.errors(), std::vector<std::string>{"Value out of range - 256 - Blue value"});
}

TEST_F(TextInstructions, EditorsRefuseWrongFieldsAndDecodeWhatTheyBuilt)
{
    EditContext context{program, variables, nullptr};
    DrawTextEditor drawEditor;
    ColourRemapEditor remapEditor;
    auto refused = [&](const InstructionEditor& e, std::vector<std::string> values, int field,
                       std::string_view message) {
        EditOutcome out = e.accept(values, context);
        ASSERT_FALSE(out.ok()) << field;
        EXPECT_EQ(out.error->field, field);
        EXPECT_EQ(out.error->message, message);
    };
    refused(drawEditor, drawTextFields("\"a\"", "1", "2", "3", "\"x\""), 0, "Numeric expression required.");
    refused(drawEditor, drawTextFields("1", "1", "2", "", "\"x\""), 3, "Numeric expression required.");
    refused(drawEditor, drawTextFields("1", "1", "2", "3", "5"), 4, "String expression required.");
    refused(remapEditor, {"Red", "1", "", "3"}, 2, "Numeric expression required.");
    refused(remapEditor, {"Pink", "1", "2", "3"}, 0, kNotAListItem);

    const std::vector<std::string> faces = installedFontFaces();
    ASSERT_NE(std::find(faces.begin(), faces.end(), "Liberation Sans"), faces.end());
    struct Line {
        const InstructionEditor* editor;
        std::vector<std::string> values;
        std::string text;
    };
    const std::vector<Line> lines = {
        {editorFor(kTextFont),
         {"Liberation Sans", "14", "1", "", "1"},
         "TextFont \"Liberation Sans\",14,Bold,Underlined"},
        {editorFor(kTextForeColour), {"Light Blue"}, "TextForeColour \"Light Blue\""},
        {editorFor(kTextBackColour), {""}, "TextBackColour \"Black\""},
        {editorFor(kFPDispDigits), {"E"}, "FPDispDigits E"},
        {editorFor(kFPDispDigits), {""}, "FPDispDigits 0"},
        {&remapEditor, {"Cyan", "R", "A(2)", "7.5"}, "ColourRemap R, A(2), 7.5,\"Cyan\""},
        {&drawEditor, drawTextFields("L", "2", "300", "B", "S", 1, true),
         "DrawText L, 2, 300, B, S,Centre,Transparent"},
    };
    for (const Line& l : lines) {
        ASSERT_NE(l.editor, nullptr);
        EditOutcome first = l.editor->accept(l.values, context);
        ASSERT_TRUE(first.ok()) << l.text << ": " << first.error->message;
        EXPECT_EQ(first.line.text, l.text);
        ProgramLine stored{first.line.type, first.line.text, first.line.block};
        EditOutcome again = l.editor->accept(l.editor->decode(stored), context);
        ASSERT_TRUE(again.ok()) << l.text;
        EXPECT_EQ(again.line.text, first.line.text);
        EXPECT_EQ(again.line.block, first.line.block) << l.text;
    }
    EditOutcome font = editorFor(kTextFont)->accept({"Liberation Sans", "72"}, context);
    EXPECT_EQ(font.line.block.bodyLength(), 12u + 15u + 1u);
    EXPECT_EQ(font.line.block.u32(text_block::kFace), 16u);
    // A face this system lacks is kept as it is: decoded and accepted again, the line is unchanged.
    EditOutcome unknown = editorFor(kTextFont)->accept({"No Such Face", "9"}, context);
    const std::vector<std::string> shown =
        editorFor(kTextFont)->decode(ProgramLine{kTextFont, unknown.line.text, unknown.line.block});
    EXPECT_EQ(shown[0], "No Such Face");
    EXPECT_EQ(editorFor(kTextFont)->accept(shown, context).line.text, unknown.line.text);
}

TEST(TextFontFaces, FamiliesAreNamedOnceWithoutFoundriesAndArialIsOffered)
{
    EXPECT_EQ(fontFaceNames(
                  {u"C059 [UKWN]", u"C059 [urw]", u"DejaVu Sans", u"Nimbus [a] Sans", u"\u03a9mega", u"Z003 [urw]"}),
              (std::vector<std::string>{"Arial", "C059", "DejaVu Sans", "Nimbus [a] Sans", "Z003"}));
    EXPECT_EQ(fontFaceNames({u"Algerian", u"arial", u"Bitstream"}),
              (std::vector<std::string>{"Algerian", "arial", "Arial", "Bitstream"}));
    EXPECT_EQ(fontFaceNames({u"Arial [Monotype]", u"Liberation Sans"}),
              (std::vector<std::string>{"Arial", "Liberation Sans"}));

    const std::vector<std::string> installed = installedFontFaces();
    EXPECT_EQ(std::count(installed.begin(), installed.end(), "Arial"), 1);
    for (const std::string& face : installed)
        EXPECT_EQ(face.find(" ["), std::string::npos) << face;
}
