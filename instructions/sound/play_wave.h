#pragma once
// PlayWave: starts playing a wave file and goes on at once.
//
//   offset  width  field
//   0       u32    block length (44 + string area)
//   4       44     Operand: the wave file's name, a String variable or a string constant
//   48      ...    string area
//
// Editor "Play A Wave File": 0 "&Wave File" (a variable or string constant, with a "..." button).
// Line: PlayWaveFile "ding.wav"

#include "base/translatable.h"
#include "interpreter/dispatch.h"
#include "messages/run_errors.h"
#include "values/editor.h"

#include <string>
#include <string_view>

namespace qel {

namespace play_wave_block {
inline constexpr uint32_t kFileName = 4;
inline constexpr uint32_t kBody = 44;
} // namespace play_wave_block

using msg::kUnableToPlaySound;
// The filter of the Wave File field's "..." file-open dialog.
inline constexpr std::string_view kWaveFileFilter = QT_TRANSLATE_NOOP("qel", "Wave Files (*.WAV)| *.wav||");

// Whether the file is a regular file holding a wave sound the desktop's player plays: a RIFF WAVE
// file with a format chunk of 8, 16, 24 or 32-bit integer samples and, after it, a data chunk the
// file holds whole, of whole samples. The chunks are found as the player finds them. Only the chunk
// headers are read.
bool isPlayableWaveFile(const std::string& path);

LineResult executePlayWave(LineContext& line);

class PlayWaveEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Play A Wave File"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

} // namespace qel
