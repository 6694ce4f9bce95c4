#pragma once
// Folders and files the tests make: a fresh folder under the test's temporary folder, and whole files
// written and read back as bytes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace qel::test {

inline std::string makeTempFolder()
{
    std::string pattern = ::testing::TempDir() + "qelXXXXXX";
    const char* made = ::mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr);
    return pattern;
}

inline void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    EXPECT_TRUE(out.good()) << path;
}

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A small wave file: 16-bit mono PCM at 8000 samples a second, `samples` samples of silence, with a
// LIST chunk before the format when asked.
inline std::string waveBytes(uint32_t samples = 800, bool listFirst = false, uint16_t format = 1)
{
    auto u32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    std::string body = "WAVE";
    if (listFirst)
        body += "LIST" + u32(6) + "INFOxy";
    body += "fmt " + u32(16) + u16(format) + u16(1) + u32(8000) + u32(16000) + u16(2) + u16(16);
    body += "data" + u32(samples * 2) + std::string(samples * 2, '\0');
    return "RIFF" + u32(static_cast<uint32_t>(body.size())) + body;
}

} // namespace qel::test
