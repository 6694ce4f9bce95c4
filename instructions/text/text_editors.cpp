#include "instructions/text/text_editors.h"
#include "base/translatable.h"

#include "instructions/text/text_instructions.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "runtime/latin1.h"
#include "values/classify_field.h"
#include "values/colours.h"
#include "values/editor_fields.h"
#include "values/number_text.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <algorithm>
#include <array>

namespace qel {

using namespace text_block;

namespace {

constexpr ListItem kSizes[] = {
    {"8", 8},   {"9", 9},   {"10", 10}, {"11", 11}, {"12", 12}, {"14", 14}, {"16", 16}, {"18", 18},
    {"20", 20}, {"22", 22}, {"24", 24}, {"26", 26}, {"28", 28}, {"36", 36}, {"48", 48}, {"72", 72},
};

constexpr ListItem kPrecisions[] = {{"0", 0}, {"2", 2}, {"3", 3}, {"4", 4}, {"6", 6}, {"E", kGeneralPrecision}};

// The style check boxes of the font dialog with their bits and the words the line shows.
struct StyleBox {
    std::string_view label;
    uint32_t bit;
    std::string_view word;
};
constexpr StyleBox kStyles[] = {{QT_TRANSLATE_NOOP("qel", "&Bold"), kBold, ",Bold"},
                                {QT_TRANSLATE_NOOP("qel", "&Italic"), kItalic, ",Italic"},
                                {QT_TRANSLATE_NOOP("qel", "&Underline"), kUnderline, ",Underlined"}};

// DrawText's alignment radio buttons in dialog order, with their flags and line words.
struct AlignmentButton {
    std::string_view label;
    uint8_t flag;
    std::string_view word;
};
constexpr AlignmentButton kAlignments[] = {
    {QT_TRANSLATE_NOOP("qel", "Le&ft"), kAlignLeft, ",Left"},
    {QT_TRANSLATE_NOOP("qel", "&Centre"), kAlignCentre, ",Centre"},
    {QT_TRANSLATE_NOOP("qel", "Ri&ght"), kAlignRight, ",Right"},
    {QT_TRANSLATE_NOOP("qel", "&Get Size"), kGetSize, ",GetSize"},
};

// DrawText's coordinate fields in dialog order, with their block slots.
constexpr std::array<std::pair<std::string_view, uint32_t>, 4> kBoxFields = {{
    {QT_TRANSLATE_NOOP("qel", "&Left"), kLeft},
    {QT_TRANSLATE_NOOP("qel", "&Top"), kTop},
    {QT_TRANSLATE_NOOP("qel", "&Right"), kRight},
    {QT_TRANSLATE_NOOP("qel", "&Bottom"), kBottom},
}};

bool isNumericEntry(const ClassifiedField& f)
{
    return f.kind == OperandClass::Variable || f.kind == OperandClass::Integer || f.kind == OperandClass::Floating;
}

std::string slotText(const ParamBlock& block, uint32_t slot) { return operandFieldText(readOperand(block, slot)); }

FieldSpec colourField()
{
    FieldSpec spec{QT_TRANSLATE_NOOP("qel", "&Colour"), FieldKind::List, {}, 0};
    for (const ColourName& c : colourList())
        spec.items.emplace_back(c.name);
    return spec;
}

// The colour a colour list's value names; an empty value is the first entry, Black.
std::optional<uint32_t> chosenColour(const std::string& value, std::string& name)
{
    name = value.empty() ? std::string(colourList().front().name) : value;
    return colourNumber(name);
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

std::vector<std::string> fontFaceNames(const std::vector<std::u16string>& families)
{
    std::vector<std::string> faces;
    for (std::u16string_view family : families) {
        // "C059 [UKWN]": the family as one foundry makes it; the family's name alone selects it.
        if (const size_t tag = family.rfind(u" ["); tag != std::u16string_view::npos && family.back() == u']')
            family = family.substr(0, tag);
        std::string face;
        for (const char16_t c : family) {
            if (c > 0xFF) {
                face.clear(); // a program's texts are 8-bit: this name could not be stored
                break;
            }
            face += static_cast<char>(c);
        }
        if (!face.empty() && std::find(faces.begin(), faces.end(), face) == faces.end())
            faces.push_back(std::move(face));
    }
    if (std::find(faces.begin(), faces.end(), kArialFace) == faces.end()) {
        const auto later = std::find_if(faces.begin(), faces.end(), [](const std::string& face) {
            return std::lexicographical_compare(kArialFace.begin(), kArialFace.end(), face.begin(), face.end(),
                                                [](char a, char b) { return lowerAscii(a) < lowerAscii(b); });
        });
        faces.insert(later, std::string(kArialFace));
    }
    return faces;
}

std::vector<std::string> installedFontFaces()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    std::vector<std::u16string> families;
    for (const QString& family : QFontDatabase::families())
        families.push_back(family.toStdU16String());
    return fontFaceNames(families);
}

uint32_t TextFontEditor::type() const { return kTextFont; }

std::vector<FieldSpec> TextFontEditor::fields() const
{
    FieldSpec face{QT_TRANSLATE_NOOP("qel", "Type&Face"), FieldKind::List, installedFontFaces(), 0};
    face.keepsUnlistedValue = true; // a face this system lacks stays the line's face
    std::vector<FieldSpec> specs = {face,
                                    {QT_TRANSLATE_NOOP("qel", "Type&Size"), FieldKind::List, listTexts(kSizes), 0}};
    for (const StyleBox& s : kStyles)
        specs.push_back({std::string(s.label), FieldKind::Check, {}, 0});
    return specs;
}

std::vector<std::string> TextFontEditor::decode(const ProgramLine& line) const
{
    // The stored face as it is, installed or not: OK without a change leaves the line as it was.
    std::string face(line.block.textField(kFace));
    std::string size = itemText(kSizes, line.block.u32(kPointSize));
    std::vector<std::string> values = {face, size.empty() ? std::string(kSizes[0].text) : size};
    for (const StyleBox& s : kStyles)
        values.emplace_back((line.block.u32(kStyle) & s.bit) ? "1" : "");
    return values;
}

EditOutcome TextFontEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    std::string face = fieldValue(values, 0);
    if (face.empty()) {
        const std::vector<std::string> faces = installedFontFaces();
        if (faces.empty())
            return fieldError(0, kNotAListItem);
        face = faces.front();
    }
    std::optional<uint32_t> size = itemCodeOrFirst(kSizes, fieldValue(values, 1));
    if (!size)
        return fieldError(1, kNotAListItem);
    BlockWriter w(kFontFixedBody);
    w.setU32(kPointSize, *size);
    std::string text = "TextFont \"" + face + "\"," + itemText(kSizes, *size);
    uint32_t style = 0;
    for (size_t k = 0; k < std::size(kStyles); ++k) {
        if (isSet(fieldValue(values, 2 + k))) {
            style |= kStyles[k].bit;
            text += kStyles[k].word;
        }
    }
    w.setU32(kStyle, style);
    w.setU32(kFace, w.addText(face));
    if (!w.fits())
        return fieldError(0, kLineTooLong);
    return {std::nullopt, {kTextFont, std::move(text), w.finish()}};
}

std::vector<FieldSpec> TextColourEditor::fields() const { return {colourField()}; }

std::vector<std::string> TextColourEditor::decode(const ProgramLine& line) const
{
    return {std::string(colourName(line.block.u32(kSetting)))};
}

EditOutcome TextColourEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    std::string name;
    std::optional<uint32_t> colour = chosenColour(fieldValue(values, 0), name);
    if (!colour)
        return fieldError(0, kNotAListItem);
    BlockWriter w(kSettingBody);
    w.setU32(kSetting, *colour);
    return {std::nullopt, {type_, std::string(instructionInfo(type_)->keyword) + " \"" + name + "\"", w.finish()}};
}

uint32_t FPDispDigitsEditor::type() const { return kFPDispDigits; }

std::vector<FieldSpec> FPDispDigitsEditor::fields() const
{
    return {{QT_TRANSLATE_NOOP("qel", "&Display Precision"), FieldKind::List, listTexts(kPrecisions), 0}};
}

std::vector<std::string> FPDispDigitsEditor::decode(const ProgramLine& line) const
{
    std::string text = itemText(kPrecisions, line.block.u32(kSetting));
    return {text.empty() ? std::string(kPrecisions[0].text) : text};
}

EditOutcome FPDispDigitsEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    std::optional<uint32_t> digits = itemCodeOrFirst(kPrecisions, fieldValue(values, 0));
    if (!digits)
        return fieldError(0, kNotAListItem);
    BlockWriter w(kSettingBody);
    w.setU32(kSetting, *digits);
    return {std::nullopt, {kFPDispDigits, "FPDispDigits " + itemText(kPrecisions, *digits), w.finish()}};
}

uint32_t ColourRemapEditor::type() const { return kColourRemap; }

std::vector<FieldSpec> ColourRemapEditor::fields() const
{
    return {colourField(),
            {QT_TRANSLATE_NOOP("qel", "&Red"), FieldKind::Variable, {}, 0},
            {QT_TRANSLATE_NOOP("qel", "&Green"), FieldKind::Variable, {}, 0},
            {QT_TRANSLATE_NOOP("qel", "&Blue"), FieldKind::Variable, {}, 0}};
}

std::vector<std::string> ColourRemapEditor::decode(const ProgramLine& line) const
{
    const ParamBlock& b = line.block;
    return {std::string(colourName(b.u32(kRemapColour))), slotText(b, kRed), slotText(b, kGreen), slotText(b, kBlue)};
}

EditOutcome ColourRemapEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    std::string name;
    std::optional<uint32_t> colour = chosenColour(fieldValue(values, 0), name);
    if (!colour)
        return fieldError(0, kNotAListItem);
    static constexpr uint32_t kSlots[] = {kRed, kGreen, kBlue};
    BlockWriter w(kRemapFixedBody);
    w.setU32(kRemapColour, *colour);
    std::string text = "ColourRemap ";
    for (size_t k = 0; k < 3; ++k) {
        ClassifiedField f = classifyField(fieldValue(values, k + 1));
        if (!isNumericEntry(f))
            return fieldError(static_cast<int>(k + 1), kNumericExpressionRequired);
        writeOperand(w, kSlots[k], f);
        text += (k == 0 ? "" : ", ") + displayText(f);
    }
    if (!w.fits())
        return fieldError(3, kLineTooLong);
    return {std::nullopt, {kColourRemap, text + ",\"" + name + "\"", w.finish()}};
}

uint32_t DrawTextEditor::type() const { return kDrawText; }

std::vector<FieldSpec> DrawTextEditor::fields() const
{
    std::vector<FieldSpec> specs;
    specs.reserve(std::size(kBoxFields) + std::size(kAlignments) + 3);
    for (const auto& [label, slot] : kBoxFields)
        specs.push_back({std::string(label), FieldKind::Variable, {}, 0});
    specs.push_back({QT_TRANSLATE_NOOP("qel", "Te&xt"), FieldKind::Variable, {}, 0});
    for (const AlignmentButton& a : kAlignments)
        specs.push_back({std::string(a.label), FieldKind::Radio, {}, 0});
    specs.push_back({QT_TRANSLATE_NOOP("qel", "&Opaque Background"), FieldKind::Radio, {}, 0, 0, true});
    specs.push_back({QT_TRANSLATE_NOOP("qel", "Tr&ansparent"), FieldKind::Radio, {}, 0});
    return specs;
}

std::vector<std::string> DrawTextEditor::decode(const ProgramLine& line) const
{
    const ParamBlock& b = line.block;
    std::vector<std::string> values;
    values.reserve(std::size(kBoxFields) + std::size(kAlignments) + 3);
    for (const auto& [label, slot] : kBoxFields)
        values.push_back(slotText(b, slot));
    values.push_back(slotText(b, kText));
    const uint8_t flags = b.u8(kFlags);
    // A new line (no alignment yet) starts with Left chosen, as accepting it would store.
    uint8_t alignment = flags & 0x0F;
    if (std::none_of(std::begin(kAlignments), std::end(kAlignments),
                     [&](const AlignmentButton& a) { return a.flag == alignment; }))
        alignment = kAlignLeft;
    for (const AlignmentButton& a : kAlignments)
        values.emplace_back(alignment == a.flag ? "1" : "");
    const bool transparent = (flags & text_block::kTransparent) != 0;
    values.emplace_back(transparent ? "" : "1");
    values.emplace_back(transparent ? "1" : "");
    return values;
}

EditOutcome DrawTextEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    BlockWriter w(kDrawTextFixedBody);
    std::string text = "DrawText ";
    for (size_t k = 0; k < kBoxFields.size(); ++k) {
        ClassifiedField f = classifyField(fieldValue(values, k));
        if (!isNumericEntry(f))
            return fieldError(static_cast<int>(k), kNumericExpressionRequired);
        writeOperand(w, kBoxFields[k].second, f);
        text += displayText(f) + ", ";
    }
    ClassifiedField shown = classifyField(fieldValue(values, draw_text_fields::kText));
    if (shown.kind != OperandClass::String && shown.kind != OperandClass::Variable)
        return fieldError(draw_text_fields::kText, kStringExpressionRequired);
    writeOperand(w, kText, shown);
    text += displayText(shown);

    const AlignmentButton* alignment = &kAlignments[0]; // none chosen: Left, as a new line starts
    for (size_t k = 0; k < std::size(kAlignments); ++k)
        if (isSet(fieldValue(values, draw_text_fields::kAlignFirst + k))) {
            alignment = &kAlignments[k];
            break;
        }
    const bool transparent = isSet(fieldValue(values, draw_text_fields::kTransparent));
    w.setU8(kFlags, static_cast<uint8_t>(alignment->flag | (transparent ? text_block::kTransparent : 0)));
    text += std::string(alignment->word) + (transparent ? ",Transparent" : ",Opaque");
    if (!w.fits())
        return fieldError(draw_text_fields::kText, kLineTooLong);
    return {std::nullopt, {kDrawText, std::move(text), w.finish()}};
}

std::vector<const InstructionEditor*> textEditors()
{
    static const TextFontEditor font;
    static const TextColourEditor fore(kTextForeColour, QT_TRANSLATE_NOOP("qel", "Set Text Foreground Colour"));
    static const TextColourEditor back(kTextBackColour, QT_TRANSLATE_NOOP("qel", "Set Text Background Colour"));
    static const FPDispDigitsEditor digits;
    static const ColourRemapEditor remap;
    static const DrawTextEditor drawText;
    return {&font, &fore, &back, &digits, &remap, &drawText};
}

} // namespace qel
