#pragma once
// The editors of the text, font and colour instructions and of DrawText. Block layouts are in
// text_instructions.h.

#include "base/translatable.h"
#include "messages/editor_messages.h"
#include "values/editor.h"

#include <string>
#include <string_view>
#include <vector>

namespace qel {

// The face the runtime draws in its metric twin (Liberation Sans), offered whether or not the system
// has a family of that name.
inline constexpr std::string_view kArialFace = "Arial";

// The face names a list of font families gives, in the list's order: a family the font database
// offers from several foundries ("C059 [UKWN]", "C059 [urw]") is named once without the foundry,
// names a program's 8-bit text cannot hold are left out, and "Arial" is placed among the rest in
// alphabetical order when it is not there already.
std::vector<std::string> fontFaceNames(const std::vector<std::u16string>& families);

// The face names of the font families the display offers; empty without a GUI.
std::vector<std::string> installedFontFaces();

// Fields: 0 "Type&Face" (installed faces), 1 "Type&Size", 2 "&Bold", 3 "&Italic", 4 "&Underline".
// Line text: TextFont "Face",12,Bold,Italic,Underlined. A stored face that is not installed is
// shown and kept as it is.
class TextFontEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Set Text Font"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

// TextForeColour and TextBackColour. Field: 0 "&Colour". Line text: keyword "Colour name".
class TextColourEditor final : public InstructionEditor {
public:
    TextColourEditor(uint32_t type, std::string_view title) : type_(type), title_(title) {}
    uint32_t type() const override { return type_; }
    std::string_view title() const override { return title_; }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;

private:
    uint32_t type_;
    std::string_view title_;
};

// Field: 0 "&Display Precision" ("0", "2", "3", "4", "6", "E"). Line text: FPDispDigits E.
class FPDispDigitsEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Floating Point Display Precision"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

// Fields: 0 "&Colour", 1 "&Red", 2 "&Green", 3 "&Blue". Line text: ColourRemap 255, 0, 0,"Black".
class ColourRemapEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Remap A Colour"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

// Fields: 0 "&Left", 1 "&Top", 2 "&Right", 3 "&Bottom", 4 "Te&xt", then the radio group of the
// alignment 5 "Le&ft", 6 "&Centre", 7 "Ri&ght", 8 "&Get Size", then the radio group of the background
// 9 "&Opaque Background", 10 "Tr&ansparent".
// Line text: DrawText 10, 20, 300, 200, "Hello",Left,Opaque.
namespace draw_text_fields {
inline constexpr int kLeft = 0, kTop = 1, kRight = 2, kBottom = 3, kText = 4;
inline constexpr int kAlignFirst = 5, kOpaque = 9, kTransparent = 10, kCount = 11;
} // namespace draw_text_fields

class DrawTextEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Draw Text"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

std::vector<const InstructionEditor*> textEditors();

} // namespace qel
