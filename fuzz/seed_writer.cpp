// Writes the seed corpus of the fuzzers into the folder given: small valid programs built the way
// the IDE builds them and their texts, bitmaps of every depth and compression the loader reads, and forms.
// Exits 1 when a line is refused or a file cannot be written.

#include "document/program_document.h"
#include "document/program_template.h"
#include "examples/editor_builder.h"
#include "fileio/file_io.h"
#include "program/program_file.h"
#include "program_text/program_export.h"
#include "support/file_bytes.h"
#include "support/form_files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace qel;
using namespace qel::examples;
using qel::test::FileBytes;
namespace fs = std::filesystem;

namespace {

bool write(const fs::path& file, const std::vector<uint8_t>& bytes)
{
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (writeFileAtomically(file.string(), bytes))
        return true;
    std::fprintf(stderr, "cannot write %s\n", file.c_str());
    return false;
}

bool write(const fs::path& file, const std::string& text)
{
    return write(file, std::vector<uint8_t>(text.begin(), text.end()));
}

// The bytes of a program the editors took whole; a refused line ends the run.
std::vector<uint8_t> stored(const Program& program, const KeptMessages& messages)
{
    for (const std::string& text : messages.texts)
        std::fprintf(stderr, "a seed line was refused: %s\n", text.c_str());
    if (!messages.texts.empty())
        std::exit(1);
    return storeProgram(program).value();
}

// A bitmap file with a header of `headerSize` bytes (fields past the first 20 zero: no colour count,
// so a full table), then `table` (bit-field masks and colour table) and `pixels`.
std::vector<uint8_t> seedBitmap(int32_t width, int32_t height, uint8_t bits, uint32_t compression,
                                const std::vector<uint8_t>& table, const std::vector<uint8_t>& pixels,
                                uint32_t headerSize = 40)
{
    FileBytes f;
    auto offset = static_cast<uint32_t>(14 + headerSize + table.size());
    f.raw({'B', 'M'}).u32(offset + static_cast<uint32_t>(pixels.size())).u32(0).u32(offset);
    f.u32(headerSize).u32(static_cast<uint32_t>(width)).u32(static_cast<uint32_t>(height));
    f.raw({1, 0, bits, 0}).u32(compression).raw(std::vector<uint8_t>(headerSize - 20, 0));
    return f.raw(table).raw(pixels).bytes;
}

std::vector<uint8_t> greyTable(size_t entries)
{
    std::vector<uint8_t> t;
    for (size_t i = 0; i < entries; ++i) {
        auto v = static_cast<uint8_t>(i * 255 / (entries - 1));
        t.insert(t.end(), {v, v, v, 0});
    }
    return t;
}

// Small valid bitmaps of every depth and compression the loader reads.
bool writeBitmapSeeds(const fs::path& folder)
{
    bool ok = true;
    ok &= write(folder / "1bit.bmp", seedBitmap(3, 2, 1, 0, greyTable(2), {0xA0, 0, 0, 0, 0x40, 0, 0, 0}));
    ok &= write(folder / "4bit-rle.bmp",
                seedBitmap(6, 2, 4, 2, greyTable(16), {6, 0x12, 0, 0, 0, 5, 0x34, 0x51, 0x20, 0, 1, 0x30, 0, 1}));
    ok &= write(folder / "8bit.bmp", seedBitmap(3, 2, 8, 0, greyTable(256), {0, 128, 255, 0, 7, 9, 11, 0}));
    ok &= write(folder / "8bit-rle.bmp",
                seedBitmap(4, 3, 8, 1, greyTable(256), {5, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 2, 0, 1, 1, 2, 0, 1}));
    ok &= write(folder / "16bit-565.bmp", seedBitmap(3, 1, 16, 3, {0, 0xF8, 0, 0, 0xE0, 7, 0, 0, 0x1F, 0, 0, 0},
                                                     {0, 0xF8, 0xE0, 7, 0x10, 0x84, 0, 0}));
    ok &= write(folder / "24bit-top-down.bmp",
                seedBitmap(2, -2, 24, 0, {}, {0, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 1, 2, 3, 0, 0}));
    ok &= write(folder / "32bit-v5.bmp", seedBitmap(2, 1, 32, 0, {}, {1, 2, 3, 4, 5, 6, 7, 8}, 124));
    FileBytes core;
    core.raw({'B', 'M'}).u32(36).u32(0).u32(32).u32(12).u32(0x10002).u32(0x10001).raw({0, 0, 0, 0xFF, 0xFF, 0xFF});
    ok &= write(folder / "core-1bit.bmp", core.raw({0x40, 0, 0, 0}).bytes);
    return ok;
}

// Form files the designer would write, one object of each type, and the damage the reader reports.
bool writeFormSeeds(const fs::path& folder)
{
    bool ok = true;
    FormObjects form = test::newForm("Seed");
    for (int16_t type = object_type::kRectangle; type <= object_type::kReserved12; ++type)
        form.push_back(test::formObject(form, type, 5 * type, 3 * type));
    form[1].caption2 = "1;2;-1";
    const std::string text = formFileText(form);
    ok &= write(folder / "all-types.frm", text);
    std::string lf = text;
    std::erase(lf, '\r');
    ok &= write(folder / "lf.frm", lf);
    ok &= write(folder / "cut.frm", text.substr(0, text.size() / 2));
    ok &= write(folder / "unknown-type.frm",
                "<?XML version\n<orxform>\n<object>\n<objecttype>13</objecttype>\n</object>\n");
    ok &= write(folder / "image.bmp", test::bitmap24(2, 2, 0x123456));
    return ok;
}

// The text form of every program seed the reader takes whole.
bool writeTextSeeds(const fs::path& programs, const fs::path& folder)
{
    bool ok = true;
    for (const fs::directory_entry& entry : fs::directory_iterator(programs)) {
        std::vector<uint8_t> bytes;
        Program program;
        VariableTable variables;
        KeptMessages host;
        if (readWholeFile(entry.path().string(), bytes) &&
            openProgram(program, variables, bytes, host).status == ReadStatus::Ok)
            ok &= write(folder / entry.path().filename().replace_extension(".txt"), exportProgram(program));
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seed_writer FOLDER\n");
        return 2;
    }
    const fs::path dir = argv[1];
    bool ok = true;
    const fs::path folder = dir / "program";
    Program program;
    VariableTable variables;
    KeptMessages host;
    ok &= write(folder / "empty.qel", storeProgram(program).value());
    newProgramWithHandlers(program, variables, host);
    ok &= write(folder / "handlers.qel", stored(program, host));

    EditorBuilder build(program, variables, host);
    build.section(kInitialise)
        .add("DeclareVariable", {"String", "Not an Array", "", "", "Name", "\"Ann\"", "Other", "\"B\""})
        .add("DeclareVariable", {"Integer", "2D Array", "3", "4", "Grid", ""})
        .add("DeclareVariable", {"File", "Not an Array", "", "", "F", ""})
        .add("TextFileOpen", {"F", "Name", "1", ""})
        .add("DeclareFunction", {"Area", "W", "H", "", "Integer"})
        .add("EndFunction")
        .add("Stop");
    ok &= write(folder / "variables.qel", stored(program, host));

    Program loops;
    VariableTable loopVariables;
    newProgramWithHandlers(loops, loopVariables, host);
    EditorBuilder loopBuild(loops, loopVariables, host);
    loopBuild.add("DeclareVariable", variableFields("Integer", "I", "0"))
        .add("DeclareVariable", variableFields("String", "S", "\"ab\""))
        .add("For", forFields("I", "1", "5"))
        .add("Call", callFields("Twice", "I", "I"))
        .add("Next")
        .add("While", {"I", "Less Than", "9"})
        .add("Let", letFields("I", "I", "+", "1"))
        .add("If", ifFields("I", "Equal", "7"))
        .add("BreakOutOfLoop")
        .add("Else")
        .add("Continue")
        .add("EndIf")
        .add("EndWhile")
        .add("StringPart", {"S", "1", "1", "S"})
        .add("DeclareFunction", functionFields("Twice", "I", "Integer"))
        .add("Let", letFields("I", "I", "*", "2"))
        .add("Return", {"I"})
        .add("EndFunction");
    ok &= write(folder / "loops.qel", stored(loops, host));

    // Declarations at the dialog's limit, as many as the fuzzer's inputs hold: four String arrays of
    // 10,000 elements a line in 69 bytes. Opening them must cost memory in proportion to the bytes,
    // or the fuzzer's memory limit ends the run.
    Program declared;
    VariableTable declaredVariables;
    EditorBuilder declaredBuild(declared, declaredVariables, host);
    declaredBuild.add("DeclareVariable", {"String", "2D Array", "100", "100", "A", "", "B", "", "C", "", "D", ""});
    if (!declaredBuild.refusals.empty() || declared.sections[kInitialise].lines.empty()) {
        std::fprintf(stderr, "the declaration at the limit was refused\n");
        return 1;
    }
    ProgramLine atTheLimit = declared.sections[kInitialise].lines.back();
    atTheLimit.text.clear();
    declared.sections[kInitialise].lines.resize(1);
    declared.sections[kInitialise].lines.resize(900, atTheLimit);
    const std::vector<uint8_t> declarations = storeProgram(declared).value();
    if (declarations.size() >= 65536) { // the fuzzer's longest input
        std::fprintf(stderr, "declarations.qel is longer than the fuzzer's inputs\n");
        return 1;
    }
    ok &= write(folder / "declarations.qel", declarations);

    FileBytes old;
    old.text("QEL 1.13").u32(0).line(3, "Init").line(40, "TextFileOpen ForRead F, \"a.txt\"", {1, 2});
    old.line(56, "TraceOn").u32(99);
    for (uint32_t s = 1; s < 5; ++s)
        old.commentSection(s, "x");
    ok &= write(folder / "old-version.qel", old.bytes);

    ok &= writeTextSeeds(folder, dir / "text");
    ok &= writeBitmapSeeds(dir / "bitmap");
    ok &= writeFormSeeds(dir / "form");
    return ok ? 0 : 1;
}
