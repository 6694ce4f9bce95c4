#include "forms/form_file.h"
#include "forms/form_image.h"
#include "support/form_files.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

using namespace qel;
using namespace qel::test;

namespace {

// A form with every field of an object filled, texts that look like tags included.
FormObjects fullForm()
{
    FormObjects form = newForm("Quiz <1> & more");
    form[0].offsetX = 35; // the designer's scroll position: written as 0
    form.push_back(formObject(form, object_type::kButton, 10, 20));
    FormObject& b = form.back();
    std::tie(b.caption, b.caption2, b.textFontName, b.fillStyle, b.textBold, b.textAlign, b.borderStyle, b.v1Style) =
        std::tuple("a</caption>b", "x", "Arial Black", "Opaque", "Bold", "Right", "Opaque", "True");
    std::tie(b.onClick, b.onDblClick, b.onSelected, b.onChange, b.onOpen, b.onClose) =
        std::tuple("Go", "Twice", "Sel", "Chg", "Op", "Cl");
    std::tie(b.tabOrder, b.offsetY, b.width2, b.height2, b.gridX, b.gridY, b.textSize, b.borderColour) =
        std::tuple(-1, -5, 3, 4, 7, 8, 12, rgb(1, 2, 3));
    form.push_back(formObject(form, object_type::kStaticText, 0, 0));
    form.back().caption = std::string(1100, 'c'); // longer than any line buffer
    return form;
}

struct Read {
    FormReadResult result;
    std::vector<std::string> messages;
};

Read parse(std::string_view text, size_t capacity = kMaxFormObjects)
{
    RecordingHost host;
    FormReadResult r = parseFormFile(text, host, capacity);
    return {r, host.texts()};
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

constexpr std::string_view kHead = "<?XML version=\"1.0\" standalone=\"yes\" ?>\n<orxform>\n";

// One object block: the type line, then the given item lines.
std::string block(int type, std::string_view items = "")
{
    return "<object>\n<objecttype>" + std::to_string(type) + "</objecttype>\n" + std::string(items) + "</object>\n";
}

} // namespace

TEST(FormFile, WritesTheLayoutAndReadsItBackByteForByte)
{
    const FormObjects form = fullForm();
    const std::string text = formFileText(form);
    EXPECT_TRUE(text.starts_with("<?XML version=\"1.0\" standalone=\"yes\" ?>\r\n<orxform>\r\n<object>\r\n"
                                 "<objecttype>1</objecttype>\r\n<formsversion>1.00</formsversion>\r\n</object>\r\n"
                                 "<object>\r\n<objecttype>2</objecttype>\r\n<width>400</width>\r\n"));
    EXPECT_TRUE(text.ends_with("<onchange></onchange>\r\n</object>\r\n</orxform>\r\n"));
    for (const char* item :
         {"<offsetx>0</offsetx>\r\n<offsety>0</offsety>", "<gridy>8</gridy>\r\n<gridx>7</gridx>",
          "<taborder>4294967295</taborder>", "<offsety>4294967291</offsety>", "<caption>a</caption>b</caption>"})
        EXPECT_NE(text.find(item), std::string::npos) << item;

    const Read back = parse(text);
    EXPECT_TRUE(back.messages.empty());
    EXPECT_TRUE(back.result.complete);
    FormObjects expected = form;
    expected[0].offsetX = 0;
    EXPECT_EQ(back.result.objects, expected);
    EXPECT_EQ(formFileText(back.result.objects), text);
    // Lines ended by LF alone read the same.
    EXPECT_EQ(parse(replaceAll(text, "\r\n", "\n")).result.objects, expected);
}

TEST(FormFile, OnlyTheFormAndObjectsOfTypes3To12AreWritten)
{
    FormObjects form = newForm("F");
    for (int16_t type : {0, 1, 2, 9, 12})
        form.push_back(formObject(form, type, 0, 0, "o" + std::to_string(type)));
    const Read back = parse(formFileText(form));
    ASSERT_EQ(back.result.objects.size(), 3u);
    EXPECT_EQ(std::tuple(back.result.objects[1].name, back.result.objects[2].name), std::tuple("o9", "o12"));
    // A line break in a text is written as a blank, so the file still reads.
    form[0].caption = "two\r\nlines";
    EXPECT_EQ(parse(formFileText(form)).result.objects[0].caption, "two  lines");
}

TEST(FormFile, TagsMatchByPrefixInTheirOrderAndMayBeMissingOrShuffled)
{
    const Read r =
        parse(std::string(kHead) +
              block(2, "<height2>5</height2>\n<width2>6</width2>\n<widthXYZ>7</widthXYZ>\n"
                       "<caption2>hidden</caption2>\n<captionTitle>T</captionTitle>\n"
                       "<bordercoLOUR>9</bordercoLOUR>\n<textbolder>Bold</textbolder>\n"
                       "<taborder>65535</taborder>\n<zorder>-1</zorder>\n<textsize>12abc</textsize>\n") +
              "<object>\n<objecttype>1</objecttype>\n<formsversion>9.99</formsversion>\n</object>\n" + "</orxform>\n");
    EXPECT_TRUE(r.messages.empty());
    ASSERT_EQ(r.result.objects.size(), 1u);
    // The name is missing: as the cleared record holds it.
    const FormObject& o = r.result.objects[0];
    EXPECT_EQ(std::tuple(o.height2, o.width2, o.width, o.caption2, o.caption, o.borderColour),
              std::tuple(5u, 6u, 7u, "hidden", "T", 9u));
    EXPECT_EQ(std::tuple(o.textBold, o.tabOrder, o.zOrder, o.textSize, o.name),
              std::tuple("Bold", -1, 0xFFFFFFFFu, 12u, ""));
}

TEST(FormFile, DamagedFilesAreReportedAndKeepTheObjectsBeforeTheDamage)
{
    const std::string form = block(2, "<name>F</name>\n");
    const std::string ok = std::string(kHead) + form;
    struct Case {
        std::string text;
        std::vector<std::string> messages;
        size_t objects;
    };
    const std::string corrupt(kFormCorrupt);
    const Case cases[] = {
        {"", {std::string(kFormBadFirstLine)}, 0},
        {"<?XML version\n<form>\n", {std::string(kFormBadSecondLine)}, 0},
        {ok, {}, 1}, // the end tag is missing: the file ends after a whole object
        {ok + "stray\n</orxform>\n", {corrupt}, 1},
        {ok + "<object>\n<width>5</width>\n", {corrupt}, 1},
        {ok + block(13) + "</orxform>\n", {std::string(kFormUnrecognisedObject), corrupt}, 1},
        {ok + block(0) + "</orxform>\n", {corrupt}, 1},
        {ok + block(3, "<colour>5</colour>\n"), {std::string(kFormUnrecognisedItem) + "<colour>5</colour>"}, 1},
        {ok + "<object>\n<objecttype>1</objecttype>\n<version>1</version>\n",
         {std::string(kFormUnrecognisedVersionItem) + "<version>1</version>"},
         1},
        {ok + block(3, "<name>R</nam>\n"), {corrupt}, 1}, // malformed item line
        {ok + block(3, "<name>R\n"), {corrupt}, 1},
        {ok + "<object>\n<objecttype>3</objecttype>\n<name>R</name>\n", {corrupt}, 1},
        {ok + "\n\n</orxform>\n", {}, 1}, // empty lines do not count
    };
    for (const Case& c : cases) {
        const Read r = parse(c.text);
        EXPECT_EQ(r.messages, c.messages) << c.text;
        EXPECT_EQ(r.result.objects.size(), c.objects) << c.text;
        EXPECT_EQ(r.result.complete, c.messages.empty()) << c.text;
    }
}

TEST(FormFile, StopsAtTheFormsCapacityAndSaysSoOnce)
{
    FormObjects form = newForm("Big");
    while (form.size() < kMaxFormObjects + 5)
        form.push_back(formObject(form, object_type::kRectangle, 0, 0));
    const Read r = parse(formFileText(form));
    EXPECT_EQ(r.result.objects.size(), kMaxFormObjects);
    EXPECT_EQ(r.messages, std::vector<std::string>{std::string(kFormTooManyObjects)});
    EXPECT_EQ(parse(formFileText(form), 3).result.objects.size(), 3u);
}

TEST(FormFile, FilesThatCannotBeOpenedOrWritten)
{
    RecordingHost host;
    EXPECT_FALSE(readFormFile(::testing::TempDir() + "no-such.frm", host));
    EXPECT_FALSE(readFormFile(::testing::TempDir(), host)); // a folder
    const std::string path = ::testing::TempDir() + "written.frm";
    EXPECT_TRUE(writeFormFile(path, fullForm(), host));
    EXPECT_FALSE(writeFormFile(::testing::TempDir() + "no-such-folder/x.frm", fullForm(), host));
    EXPECT_EQ(host.texts(), (std::vector<std::string>{std::string(kFormOpenFailed), std::string(kFormOpenFailed),
                                                      std::string(kFormWriteOpenFailed)}));
    const std::optional<FormReadResult> read = readFormFile(path, host);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->objects.size(), 3u);
}

TEST(FormImage, EveryBitmapTheDecoderTakesIsShownAndDamagedOnesAreRefused)
{
    RecordingHost host;
    const std::vector<uint8_t> good = bitmap24(3, 2, 0x102030);
    const std::optional<DecodedBitmap> picture = decodeFormImage(good, host);
    const std::optional<DecodedBitmap> eightBit = decodeFormImage(bitmap8(3, 2, 0x405060), host);
    ASSERT_TRUE(picture && eightBit);
    EXPECT_EQ(std::tuple(picture->width, picture->pixels[0], eightBit->pixels[5]),
              std::tuple(3, 0xFF102030u, 0xFF405060u));

    std::vector<uint8_t> cut(good.begin(), good.end() - 4); // pixels missing
    std::vector<uint8_t> header(good.begin(), good.begin() + 20);
    for (const auto& bad : {cut, header})
        EXPECT_FALSE(decodeFormImage(bad, host));
    const std::string empty = ::testing::TempDir() + "empty.bmp";
    writeBytes(empty, "");
    EXPECT_FALSE(readFormImage(empty, host).bitmap);
    EXPECT_FALSE(readFormImage("/no/such.bmp", host).bitmap);
    EXPECT_EQ(host.texts(), (std::vector<std::string>{std::string(kImageCreateFailed), std::string(kImageNot24Bit),
                                                      std::string(kImageSizeFailed) + empty,
                                                      std::string(kImageOpenFailed) + "/no/such.bmp"}));
}
