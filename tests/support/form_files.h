#pragma once
// Forms and bitmap files for the tests: a small form with one object of each kind, built the way
// the designer builds them, and bitmap files.

#include "fileio/file_io.h"
#include "forms/form_file.h"
#include "forms/form_object.h"
#include "program/program_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qel::test {

// A new object of a type, placed at (x, y) with the given name (empty: its default name).
inline FormObject formObject(const FormObjects& form, int16_t type, int32_t x, int32_t y, std::string name = "")
{
    FormObject o = newObject(type, form, DefaultColours{});
    o.offsetX = x;
    o.offsetY = y;
    if (!name.empty())
        o.name = std::move(name);
    return o;
}

// A form titled `caption` whose objects are added by the caller.
inline FormObjects newForm(std::string caption)
{
    FormObject form = newFormObject();
    form.caption = std::move(caption);
    return {form};
}

// The two headers of a bitmap file of `bits` a pixel whose pixels start at `offset` and take `size`.
inline std::vector<uint8_t> bitmapHeaders(int width, int height, uint16_t bits, uint32_t offset, uint32_t size)
{
    std::vector<uint8_t> b;
    auto u16 = [&](uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
    b.insert(b.end(), {'B', 'M'});
    u32(offset + size), u32(0), u32(offset);
    u32(40), u32(static_cast<uint32_t>(width)), u32(static_cast<uint32_t>(height)), u16(1), u16(bits);
    b.resize(54);
    return b;
}

// A 24-bit bitmap file of one colour (0xRRGGBB).
inline std::vector<uint8_t> bitmap24(int width, int height, uint32_t colour)
{
    const auto stride = static_cast<uint32_t>((width * 3 + 3) / 4 * 4);
    std::vector<uint8_t> b = bitmapHeaders(width, height, 24, 54, stride * static_cast<uint32_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            b.insert(b.end(), {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16)});
        b.resize(b.size() + stride - static_cast<uint32_t>(width) * 3);
    }
    return b;
}

// An 8-bit bitmap file of one colour (0xRRGGBB), the colour the first of its palette's 256.
inline std::vector<uint8_t> bitmap8(int width, int height, uint32_t colour)
{
    const auto size = static_cast<uint32_t>((width + 3) / 4 * 4 * height);
    std::vector<uint8_t> b = bitmapHeaders(width, height, 8, 54 + 256 * 4, size);
    b.insert(b.end(), {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16), 0});
    b.resize(54 + 256 * 4 + size); // the other colours and every pixel 0
    return b;
}

inline void writeBytes(const std::string& path, std::string_view text)
{
    ASSERT_TRUE(writeFileAtomically(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())));
}

inline void writeForm(const std::string& path, const FormObjects& form) { writeBytes(path, formFileText(form)); }

// A file name in the temporary folder that no other test uses (tests run in parallel).
inline std::string tempFile(std::string_view suffix)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + test->test_suite_name() + "_" + test->name() + std::string(suffix);
}

} // namespace qel::test
