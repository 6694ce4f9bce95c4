#include "instructions/bitmaps/bitmap_instructions.h"
#include "program/references.h"
#include "runtime/bitmap_file.h"
#include "runtime/draw_target.h"
#include "support/canvas_run.h"
#include "support/run_fixture.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace qel;
using namespace qel::test;

namespace {

constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00, kCyan = 0xFF00FFFF,
               kMagenta = 0xFFFF00FF, kWhite = 0xFFFFFFFF;

// A 3 x 2 picture, top row first.
constexpr QRgb kPicture[2][3] = {{kRed, kGreen, kBlue}, {kYellow, kCyan, kMagenta}};

// A 24-bit bitmap file of kPicture: rows bottom up, each padded to four bytes.
std::vector<char> pictureFile()
{
    std::vector<char> f;
    auto u16 = [&](uint32_t v) { f.push_back(char(v)), f.push_back(char(v >> 8)); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
    const uint32_t rowBytes = 12; // 9 bytes of pixels, padded
    f.push_back('B'), f.push_back('M');
    u32(54 + 2 * rowBytes), u32(0), u32(54);
    u32(40), u32(3), u32(2), u16(1), u16(24), u32(0), u32(2 * rowBytes), u32(0), u32(0), u32(0), u32(0);
    for (int y = 1; y >= 0; --y) {
        for (QRgb c : kPicture[y])
            f.push_back(char(qBlue(c))), f.push_back(char(qGreen(c))), f.push_back(char(qRed(c)));
        f.insert(f.end(), 3, '\0');
    }
    return f;
}

// Declares B (Bitmap), W and H (Integer) and N (String).
void declare(ProgramBuilder& b)
{
    b.add("DeclareVariable", variableFields("Bitmap", "B"))
        .add("DeclareVariable", variableFields("Integer", "W", "0"))
        .add("DeclareVariable", variableFields("Integer", "H", "0"))
        .add("DeclareVariable", variableFields("String", "N", "\"\""));
}

// The fixture's program has declared those variables; `path` is a file of kPicture, quoted as a field.
struct BitmapInstructions : RunFixture {
    std::filesystem::path dir;
    QImage canvas{300, 200, QImage::Format_RGB32};
    DrawState state;
    DrawTarget target{canvas, state};
    std::string path;

    void SetUp() override
    {
        dir =
            std::filesystem::temp_directory_path() / ("qel_bitmap_" + std::to_string(getpid()) + "_" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        canvas.fill(kWhite);
        path = file("face.bmp", pictureFile());
        handlers();
        declare(build);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // The path of a new file with those bytes, quoted as a string literal field.
    std::string file(const std::string& name, const std::vector<char>& bytes)
    {
        std::ofstream(dir / name, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return "\"" + (dir / name).string() + "\"";
    }
    // The errors shown by a run of the declarations and then the lines given, in a session of its own.
    std::vector<std::string> errorsOf(const std::function<void(ProgramBuilder&)>& lines)
    {
        Session s;
        s.handlers();
        declare(s.build);
        lines(s.build);
        startWithCanvas(s, target);
        return s.errors();
    }
    const std::string& lineText(size_t index) const { return program.sections[kInitialise].lines[index].text; }
};

} // namespace

TEST_F(BitmapInstructions, DrawsAtItsOwnSizeOrScaledPixelExactlyAndMirrored)
{
    build.add("BitmapLoad", {path, "B", "W", "H"})
        .add("DrawBitmap", {"B", "20", "10"})
        .add("DrawBitmapScaled", {"B", "100", "50", "6", "4"})
        .add("DrawBitmapScaled", {"B", "200", "50", "-3", "2"})
        .add("DrawBitmapScaled", {"B", "50", "150", "3", "-2"});
    EXPECT_EQ(lineText(5), "BitmapLoad " + path + ", B, W, H");
    EXPECT_EQ(lineText(6), "DrawBitmap B, 20, 10");
    EXPECT_EQ(build.last().text, "DrawBitmapScaled B, 50, 150, 3, -2");
    startWithCanvas(*this, target);
    ASSERT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(number("W"), 3.0f); // the file's size
    EXPECT_EQ(number("H"), 2.0f);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(canvas.pixel(10 + x, 20 + y), kPicture[y][x]) << x << "," << y;
    EXPECT_EQ(canvas.pixel(13, 20), kWhite);
    EXPECT_EQ(canvas.pixel(10, 22), kWhite);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(canvas.pixel(100 + x, 50 + y), kPicture[y / 2][x / 2]) << x << "," << y;
    EXPECT_EQ(canvas.pixel(106, 50), kWhite);
    // Width -3: mirrored left to right, ending just left of Left.
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(canvas.pixel(197 + x, 50), kPicture[0][2 - x]) << x;
    EXPECT_EQ(canvas.pixel(200, 50), kWhite);
    EXPECT_EQ(canvas.pixel(196, 50), kWhite);
    // Height -2: upside down, above Top.
    EXPECT_EQ(canvas.pixel(50, 148), kPicture[1][0]);
    EXPECT_EQ(canvas.pixel(50, 149), kPicture[0][0]);
    EXPECT_EQ(canvas.pixel(50, 150), kWhite);
}

TEST_F(BitmapInstructions, UnloadFreesTheVariableForAnotherLoad)
{
    build
        .add("BitmapUnload", {"B"}) // holds nothing yet: nothing happens
        .add("BitmapLoad", {path, "B", "", ""})
        .add("BitmapUnload", {"B"})
        .add("BitmapLoad", {path, "B", "", ""})
        .add("DrawBitmap", {"B", "0", "0"});
    EXPECT_EQ(lineText(6), "BitmapLoad " + path + ", B, , ");
    EXPECT_EQ(lineText(7), "BitmapUnLoad B");
    startWithCanvas(*this, target);
    ASSERT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(canvas.pixel(0, 0), kRed);
    EXPECT_EQ(state.bitmaps.size(), 1u);
    const uint32_t handle = variables.findVariable("B")->words[0];
    EXPECT_EQ(handle, 2u); // the freed handle 1 is not given out again
    ASSERT_NE(state.bitmaps.get(handle), nullptr);
    EXPECT_EQ(state.bitmaps.get(1), nullptr);
    EXPECT_FALSE(state.bitmaps.unload(1));
    state.resetForRun();
    EXPECT_EQ(state.bitmaps.get(handle), nullptr);
}

TEST_F(BitmapInstructions, RefusesWhatCannotBeLoadedOrDrawn)
{
    const std::string empty = file("empty.bmp", {});
    const std::string junk = file("junk.bmp", {'B', 'M', 1, 2, 3});
    using V = std::vector<std::string>;
    auto load = [&](std::string name, std::string into = "B", std::string width = "") {
        return errorsOf([=](ProgramBuilder& b) { b.add("BitmapLoad", {name, into, width, ""}); });
    };
    EXPECT_EQ(errorsOf([&](ProgramBuilder& b) {
                  b.add("BitmapLoad", {path, "B", "", ""}).add("BitmapLoad", {path, "B", "", ""});
              }),
              V{runErrorText("This bitmap variable is already in use.")});
    EXPECT_EQ(load("\"" + (dir / "missing.bmp").string() + "\""),
              V{runErrorText("Unable to open the bitmap specified.")});
    EXPECT_EQ(load(junk), V{runErrorText("Unable to open the bitmap specified.")});
    EXPECT_EQ(load(empty), V{runErrorText("Can't get file sizeMyLoadBitmap")});
    EXPECT_EQ(load(path, "Nowhere"), V{runErrorText("Reference to undeclared variable - Nowhere")});
    EXPECT_EQ(load(path, "W"), V{runErrorText("Expecting variable of type BITMAP but found variable - W")});
    EXPECT_EQ(load("W"), V{runErrorText("Expecting variable of type String but found variable - W")});
    EXPECT_EQ(load(path, "B", "Gone"), V{runErrorText("Reference to undeclared variable - Gone")});
    EXPECT_EQ(load(path, "B", "N"), V{runErrorText("Expecting a numeric variable but found variable - N")});

    // Drawing checks its operands in order.
    auto draw = [&](std::vector<std::string> fields) {
        return errorsOf(
            [=](ProgramBuilder& b) { b.add(fields.size() == 3 ? "DrawBitmap" : "DrawBitmapScaled", fields); });
    };
    EXPECT_EQ(draw({"B", "5", "5"}), V{runErrorText("This bitmap variable has not yet been loaded - B")});
    EXPECT_EQ(draw({"N", "5", "5"}), V{runErrorText("Expecting variable of type BITMAP but found variable - N")});
    EXPECT_EQ(draw({"B", "5", "-1"}), V{"Value out of range - -1 - Left"}); // range errors carry no header
    EXPECT_EQ(draw({"B", "10001", "5"}), V{"Value out of range - 10001 - Top"});
    EXPECT_EQ(draw({"B", "5", "5", "-1001", "5"}), V{"Value out of range - -1001 - Width"});
    EXPECT_EQ(draw({"B", "5", "5", "5", "10001"}), V{"Value out of range - 10001 - Height"});
    EXPECT_EQ(errorsOf([](ProgramBuilder& b) { b.add("BitmapUnload", {"Nowhere"}); }),
              V{runErrorText("Reference to undeclared variable - Nowhere")});
    EXPECT_EQ(
        errorsOf([&](ProgramBuilder& b) {
            b.add("BitmapLoad", {path, "B", "", ""}).add("BitmapUnload", {"B"}).add("DrawBitmap", {"B", "0", "0"});
        }),
        V{runErrorText("This bitmap variable has not yet been loaded - B")});

    // A name held in a String variable; no canvas to make the bitmap for is a platform failure.
    build.add("Let", letFields("N", path)).add("BitmapLoad", {"N", "B", "", ""});
    start();
    EXPECT_EQ(host.texts(),
              (V{std::string(msg::kWindowsErrorNotice), "WINDOWS CALL FAILED\n\nCan't CreateDIBitmap MyLoadBitmap()"}));
}

TEST_F(BitmapInstructions, EditorsRefuseWrongFieldsAndRoundTrip)
{
    EditContext context{program, variables, nullptr};
    for (uint32_t type : {kBitmapLoad, kDrawBitmap, kDrawBitmapScaled, kBitmapUnload})
        ASSERT_NE(editorFor(type), nullptr) << type;
    const InstructionEditor &load = *editorFor(kBitmapLoad), &draw = *editorFor(kDrawBitmap),
                            &scaled = *editorFor(kDrawBitmapScaled), &unload = *editorFor(kBitmapUnload);
    EXPECT_EQ(load.title(), "Load A Bitmap File");
    EXPECT_EQ(draw.title(), "Draw A Bitmap");
    EXPECT_EQ(scaled.title(), "Draw A Scaled Bitmap ");
    EXPECT_EQ(unload.title(), "Unload A Bitmap");

    auto refused = [&](const InstructionEditor& e, std::vector<std::string> values, int field,
                       std::string_view message) {
        EditOutcome outcome = e.accept(values, context);
        ASSERT_FALSE(outcome.ok()) << values[0];
        EXPECT_EQ(outcome.error->field, field);
        EXPECT_EQ(outcome.error->message, message);
    };
    refused(load, {"5", "B", "", ""}, 0, "Variable or string literal required.");
    refused(load, {"\"a.bmp\"", "\"B\"", "", ""}, 1, "Variable required.");
    refused(load, {"\"a.bmp\"", "B", "", "3"}, 3, "Numeric variable of Nothing required.");
    refused(draw, {"B", "\"1\"", "0"}, 1, "Numeric expression required.");
    refused(draw, {"B", "0", ""}, 2, "Numeric expression required.");
    refused(scaled, {"B", "0", "0", "1", "\"x\""}, 4, "Numeric expression required.");
    refused(unload, {""}, 0, "Variable required.");

    const std::pair<const InstructionEditor*, std::vector<std::string>> lines[] = {
        {&load, {"\"a b.bmp\"", "Pics(I)", "W", ""}},
        {&scaled, {"B", "1.5", "Y", "-40", "20"}},
        {&unload, {"B"}},
    };
    for (const auto& [editor, values] : lines) {
        EditOutcome first = editor->accept(values, context);
        ASSERT_TRUE(first.ok()) << values[0];
        const std::vector<std::string> decoded = editor->decode({first.line.type, first.line.text, first.line.block});
        EXPECT_EQ(decoded, values);
        EditOutcome again = editor->accept(decoded, context);
        EXPECT_EQ(again.line.text, first.line.text);
        EXPECT_EQ(again.line.block, first.line.block);
    }
}
