#include "instructions/sound/play_wave.h"

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

// Format tags of uncompressed samples: PCM, IEEE floating point, and the extensible form.
constexpr uint32_t kPcm = 1, kFloat = 3, kExtensible = 0xFFFE;
// A wave file worth playing names its chunks within this many; the rest is not looked at.
constexpr int kMaxChunks = 64;

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
    bool format = false;
    for (int chunk = 0; chunk < kMaxChunks && at + 8 <= fileSize; ++chunk) {
        std::array<char, 8> header{};
        if (!in.seekg(static_cast<std::streamoff>(at)) || !in.read(header.data(), header.size()))
            return false;
        const uint32_t size = littleEndian32(header.data() + 4);
        if (std::memcmp(header.data(), "fmt ", 4) == 0) {
            std::array<char, 16> fmt{};
            if (size < fmt.size() || !in.read(fmt.data(), fmt.size()))
                return false;
            const uint32_t tag = static_cast<unsigned char>(fmt[0]) | (static_cast<unsigned char>(fmt[1]) << 8);
            const uint32_t channels = static_cast<unsigned char>(fmt[2]) | (static_cast<unsigned char>(fmt[3]) << 8);
            const uint32_t rate = littleEndian32(fmt.data() + 4);
            if ((tag != kPcm && tag != kFloat && tag != kExtensible) || channels == 0 || rate == 0)
                return false;
            format = true;
        } else if (std::memcmp(header.data(), "data", 4) == 0) {
            return format; // the samples follow their format
        }
        at += 8 + uint64_t{size} + (size & 1); // chunks are padded to an even length
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
    return {{"&Wave File", FieldKind::FileName, {}, 0, kPickString, false, kWaveFileFilter}};
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
