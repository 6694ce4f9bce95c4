#include "instruction_checks.h"
#include "instructions/bitmaps/bitmap_instructions.h"
#include "program/references.h"
#include "runtime/bitmap_file.h"
#include "support/temp_files.h"

using namespace qel;
using namespace qel::test;

namespace {

constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00, kCyan = 0xFF00FFFF,
               kMagenta = 0xFFFF00FF, kWhite = 0xFFFFFFFF;

// A 3 x 2 picture, top row first.
constexpr QRgb kPicture[2][3] = {{kRed, kGreen, kBlue}, {kYellow, kCyan, kMagenta}};

// A 24-bit bitmap file of kPicture: rows bottom up, each padded to four bytes.
std::string pictureFile()
{
    std::string f;
    auto u16 = [&](uint32_t v) { f.push_back(char(v)), f.push_back(char(v >> 8)); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
    const uint32_t rowBytes = 12; // 9 bytes of pixels, padded
    f.push_back('B'), f.push_back('M');
    u32(54 + 2 * rowBytes), u32(0), u32(54);
    u32(40), u32(3), u32(2), u16(1), u16(24), u32(0), u32(2 * rowBytes), u32(0), u32(0), u32(0), u32(0);
    for (int y = 1; y >= 0; --y) {
        for (QRgb c : kPicture[y])
            f.push_back(char(qBlue(c))), f.push_back(char(qGreen(c))), f.push_back(char(qRed(c)));
        f.append(3, '\0');
    }
    return f;
}

// B (Bitmap), W and H (Integer) and N (String).
const Lines kDeclared = {declare("Bitmap", {"B"}), declare("Integer", {"W=0", "H=0"}), declare("String", {"N=\"\""})};

// The fixture's program has declared those variables; `path` is a file of kPicture, quoted as a field.
struct BitmapInstructions : CanvasFixture<300, 200, kWhite> {
    std::string dir = makeTempFolder();
    std::string path = file("face.bmp", pictureFile());

    BitmapInstructions()
    {
        handlers();
        add(build, kDeclared);
    }
    // The path of a new file with those bytes, quoted as a string literal field.
    std::string file(const std::string& name, const std::string& bytes)
    {
        writeBytes(dir + "/" + name, bytes);
        return stringLiteral(dir + "/" + name);
    }
    const std::string& lineText(size_t index) const { return program.sections[kInitialise].lines[index].text; }
};

} // namespace

TEST_F(BitmapInstructions, DrawsAtItsOwnSizeOrScaledPixelExactlyAndMirrored)
{
    add(build, {line("BitmapLoad", {path, "B", "W", "H"}), line("DrawBitmap", {"B", "20", "10"}),
                line("DrawBitmapScaled", {"B", "100", "50", "6", "4"}),
                line("DrawBitmapScaled", {"B", "200", "50", "-3", "2"}),
                line("DrawBitmapScaled", {"B", "50", "150", "3", "-2"})});
    EXPECT_EQ(lineText(4), "BitmapLoad " + path + ", B, W, H");
    EXPECT_EQ(build.last().text, "DrawBitmapScaled B, 50, 150, 3, -2");
    ASSERT_TRUE(startsCleanly(*this, &target));
    EXPECT_EQ(numbers(*this, {"W", "H"}), (std::vector<float>{3, 2})); // the file's size
    // At its own size, then doubled: each of the picture's pixels covers 2 x 2.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(canvas.pixel(10 + x / 2, 20 + y / 2), kPicture[y / 2][x / 2]) << x << "," << y;
            EXPECT_EQ(canvas.pixel(100 + x, 50 + y), kPicture[y / 2][x / 2]) << x << "," << y;
        }
    expectPixels(canvas, {{13, 20, kWhite}, {10, 22, kWhite}, {106, 50, kWhite}});
    // Width -3: mirrored left to right, ending just left of Left.
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(canvas.pixel(197 + x, 50), kPicture[0][2 - x]) << x;
    expectPixels(canvas, {{200, 50, kWhite}, {196, 50, kWhite}});
    // Height -2: upside down, above Top.
    expectPixels(canvas, {{50, 148, kPicture[1][0]}, {50, 149, kPicture[0][0]}, {50, 150, kWhite}});
}

TEST_F(BitmapInstructions, UnloadFreesTheVariableForAnotherLoad)
{
    add(build, {line("BitmapUnload", {"B"}), // holds nothing yet: nothing happens
                line("BitmapLoad", {path, "B", "", ""}), line("BitmapUnload", {"B"}),
                line("BitmapLoad", {path, "B", "", ""}), line("DrawBitmap", {"B", "0", "0"})});
    EXPECT_EQ(lineText(6), "BitmapUnLoad B");
    ASSERT_TRUE(startsCleanly(*this, &target));
    EXPECT_EQ(canvas.pixel(0, 0), kRed);
    EXPECT_EQ(state.bitmaps.size(), 1u);
    const uint32_t handle = variables.findVariable("B")->words[0];
    EXPECT_EQ(handle, 2u); // the freed handle 1 is not given out again
    state.resetForRun();
    EXPECT_EQ(state.bitmaps.get(handle), nullptr);
}

// Each program's run (after the declarations) shows only its error; range errors carry no header.
TEST_F(BitmapInstructions, RunsAndEditorsRefuseWhatCannotBeLoadedOrDrawn)
{
    const std::string empty = file("empty.bmp", ""), junk = file("junk.bmp", "BM\1\2\3");
    const Line loadFace = line("BitmapLoad", {path, "B", "", ""});
    auto load = [](std::string name, std::string into = "B", std::string width = "") {
        return line("BitmapLoad", {std::move(name), std::move(into), std::move(width), ""});
    };
    const std::string notLoaded = runErrorText("This bitmap variable has not yet been loaded - B");
    const std::string cannotOpen = runErrorText("Unable to open the bitmap specified.");
    const std::pair<Lines, std::string> cases[] = {
        {{loadFace, loadFace}, runErrorText("This bitmap variable is already in use.")},
        {{load(stringLiteral(dir + "/missing.bmp"))}, cannotOpen},
        {{load(junk)}, cannotOpen},
        {{load(empty)}, runErrorText("Can't get file sizeMyLoadBitmap")},
        {{load(path, "Nowhere")}, runErrorText("Reference to undeclared variable - Nowhere")},
        {{load(path, "W")}, runErrorText("Expecting variable of type BITMAP but found variable - W")},
        {{load("W")}, runErrorText("Expecting variable of type String but found variable - W")},
        {{load(path, "B", "Gone")}, runErrorText("Reference to undeclared variable - Gone")},
        {{load(path, "B", "N")}, runErrorText("Expecting a numeric variable but found variable - N")},
        // Drawing checks its operands in order.
        {{line("DrawBitmap", {"B", "5", "5"})}, notLoaded},
        {{line("DrawBitmap", {"N", "5", "5"})},
         runErrorText("Expecting variable of type BITMAP but found variable - N")},
        {{line("DrawBitmap", {"B", "5", "-1"})}, "Value out of range - -1 - Left"},
        {{line("DrawBitmap", {"B", "10001", "5"})}, "Value out of range - 10001 - Top"},
        {{line("DrawBitmapScaled", {"B", "5", "5", "-1001", "5"})}, "Value out of range - -1001 - Width"},
        {{line("DrawBitmapScaled", {"B", "5", "5", "5", "10001"})}, "Value out of range - 10001 - Height"},
        {{line("BitmapUnload", {"Nowhere"})}, runErrorText("Reference to undeclared variable - Nowhere")},
        {{loadFace, line("BitmapUnload", {"B"}), line("DrawBitmap", {"B", "0", "0"})}, notLoaded},
    };
    for (const auto& [lines, error] : cases)
        EXPECT_EQ(CaseRun(kDeclared + lines, true).errors(), Texts{error});

    // A name held in a String variable; no canvas to make the bitmap for is a platform failure.
    add(build, {line("Let", letFields("N", path)), line("BitmapLoad", {"N", "B", "", ""})});
    start();
    EXPECT_EQ(host.texts(), (Texts{std::string(msg::kWindowsErrorNotice),
                                   "WINDOWS CALL FAILED\n\nCan't CreateDIBitmap MyLoadBitmap()"}));

    // The editors refuse wrong fields; what they build decodes to the same line.
    EditContext context{program, variables, nullptr};
    EXPECT_EQ(editorFor(kDrawBitmapScaled)->title(), "Draw A Scaled Bitmap "); // its trailing space is kept
    const std::string numeric = "Numeric expression required.";
    expectEditorRows(context, {{kBitmapLoad, {"5", "B", "", ""}, 0, "Variable or string literal required."},
                               {kBitmapLoad, {"\"a.bmp\"", "\"B\"", "", ""}, 1, "Variable required."},
                               {kBitmapLoad, {"\"a.bmp\"", "B", "", "3"}, 3, "Numeric variable of Nothing required."},
                               {kDrawBitmap, {"B", "\"1\"", "0"}, 1, numeric},
                               {kDrawBitmap, {"B", "0", ""}, 2, numeric},
                               {kDrawBitmapScaled, {"B", "0", "0", "1", "\"x\""}, 4, numeric},
                               {kBitmapUnload, {""}, 0, "Variable required."},
                               {kBitmapLoad, {"\"a b.bmp\"", "Pics(I)", "W", ""}, kSame, ""},
                               {kDrawBitmapScaled, {"B", "1.5", "Y", "-40", "20"}, kSame, ""},
                               {kBitmapUnload, {"B"}, kSame, ""}});
}
