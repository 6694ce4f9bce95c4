#include "instructions/sound/play_wave.h"
#include "base/translatable.h"

#include "interpreter/file_names.h"
#include "interpreter/line_context.h"
#include "messages/editor_messages.h"
#include "messages/run_errors.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"
#include "values/editor_fields.h"

#include <array>
#include <cstring>
#include <fstream>

#include <sys/stat.h>

namespace qel {

using namespace play_wave_block;

namespace {

uint32_t littleEndian32(const char* p)
{
    uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | static_cast<unsigned char>(p[k]);
    return v;
}

uint32_t littleEndian16(const char* p)
{
    return static_cast<unsigned char>(p[0]) | (static_cast<unsigned>(static_cast<unsigned char>(p[1])) << 8);
}

// Format tags the player decodes: plain integer samples (PCM), or none given. Floating point and
// the extensible form load as an error; compressed forms are not decoded at all.
constexpr uint32_t kUnknownTag = 0, kPcm = 1;
// A wave file worth playing names its chunks within this many; the rest is not looked at.
constexpr int kMaxChunks = 64;

// Whether the player takes a format chunk's first 16 bytes: integer samples of 8, 16, 24 or 32
// bits, at least one channel, a sampling rate.
bool playableFormat(const std::array<char, 16>& fmt)
{
    const uint32_t tag = littleEndian16(fmt.data());
    const uint32_t bits = littleEndian16(fmt.data() + 14);
    return (tag == kUnknownTag || tag == kPcm) && littleEndian16(fmt.data() + 2) != 0 &&
           littleEndian32(fmt.data() + 4) != 0 && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
}

// Whether the player finishes loading a data chunk of `size` bytes of `bits`-bit samples: it reads
// whole samples until it has the size it was told, so a part sample left over keeps it loading for
// ever. 24-bit samples are widened to four bytes as they are read, which leaves a remainder of one
// byte harmless and one of two not.
bool playableDataSize(uint32_t size, uint32_t bits)
{
    if (bits == 24)
        return size % 3 != 2;
    return size % (bits / 8) == 0;
}

} // namespace

bool isPlayableWaveFile(const std::string& path)
{
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    std::ifstream in(path, std::ios::binary);
    std::array<char, 12> riff{};
    if (!in.read(riff.data(), riff.size()) || std::memcmp(riff.data(), "RIFF", 4) != 0 ||
        std::memcmp(riff.data() + 8, "WAVE", 4) != 0)
        return false;
    const auto fileSize = static_cast<uint64_t>(info.st_size);
    uint64_t at = 12;
    uint32_t bits = 0; // of the format chunk, once it has been seen
    for (int chunk = 0; chunk < kMaxChunks && at + 8 <= fileSize; ++chunk) {
        std::array<char, 8> header{};
        if (!in.seekg(static_cast<std::streamoff>(at)) || !in.read(header.data(), header.size()))
            return false;
        const uint32_t size = littleEndian32(header.data() + 4);
        if (bits == 0 && std::memcmp(header.data(), "fmt ", 4) == 0) {
            std::array<char, 16> fmt{};
            if (size < fmt.size() || !in.read(fmt.data(), fmt.size()) || !playableFormat(fmt))
                return false;
            bits = littleEndian16(fmt.data() + 14);
        } else if (std::memcmp(header.data(), "data", 4) == 0) {
            // The samples follow their format, and the file holds all of them.
            return bits != 0 && at + 8 + size <= fileSize && playableDataSize(size, bits);
        }
        // The player steps over a chunk by its size alone: the pad byte of an odd-sized chunk
        // throws it off the chunks that follow, and so it does here.
        at += 8 + uint64_t{size};
    }
    return false;
}

LineResult executePlayWave(LineContext& line)
{
    const std::string name = TRY(evalFileName(line.eval(), line.operands()[0]));
    const std::string path = line.resolvePath(name);
    // Checked before anything plays: a missing file or one that is no wave sound stops the run
    // here, not somewhere in the sound system.
    if (!isPlayableWaveFile(path))
        return runError(kUnableToPlaySound);
    line.host().playSound(path);
    return Flow::Next;
}

uint32_t PlayWaveEditor::type() const { return kPlayWave; }

std::vector<FieldSpec> PlayWaveEditor::fields() const
{
    return {{QT_TRANSLATE_NOOP("qel", "&Wave File"), FieldKind::FileName, {}, 0, kPickString, false, kWaveFileFilter}};
}

std::vector<std::string> PlayWaveEditor::decode(const ProgramLine& line) const
{
    return {operandFieldText(readOperand(line.block, kFileName))};
}

EditOutcome PlayWaveEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    const ClassifiedField name = classifyField(values.empty() ? std::string() : values[0]);
    if (name.kind != OperandClass::Variable && name.kind != OperandClass::String)
        return fieldError(0, kVariableOrStringLiteralRequired);
    BlockWriter w(kBody);
    writeOperand(w, kFileName, name);
    if (!w.fits())
        return fieldError(0, kLineTooLong);
    return {std::nullopt, {kPlayWave, "PlayWaveFile " + operandFieldText(asOperand(name)), w.finish()}};
}

} // namespace qel
