#include "values/classify_field.h"

#include "values/literals.h"
#include "values/names.h"
#include "values/variable_table.h"

#include <optional>

namespace qel {

namespace {

constexpr size_t kMostElements = 6; // name ( sub1 , sub2 )

bool isSeparator(char c) { return c == '(' || c == ',' || c == ')'; }

bool isReferenceCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '+' ||
           c == '-' || c == '.' || c == ' ' || isSeparator(c);
}

// A subscript is a variable name or an integer literal.
bool readSubscript(std::string_view element, std::string& name, int32_t& value)
{
    if (isName(element)) {
        name = element;
        return true;
    }
    if (isIntegerLiteral(element)) {
        value = integerLiteralInt32(element);
        return true;
    }
    return false;
}

// Cuts the text into elements: each run of ordinary characters is one, and so is every bracket and
// comma; blanks only separate. Nothing when the text has a character no reference may hold or more
// elements than the longest shape.
std::optional<std::vector<std::string_view>> referenceElements(std::string_view text)
{
    std::vector<std::string_view> elements;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (!isReferenceCharacter(c))
            return std::nullopt;
        if (c == ' ') {
            ++i;
            continue;
        }
        size_t start = i++;
        if (!isSeparator(c))
            while (i < text.size() && text[i] != ' ' && !isSeparator(text[i]) && isReferenceCharacter(text[i]))
                ++i;
        elements.push_back(text.substr(start, i - start));
        if (elements.size() > kMostElements)
            return std::nullopt;
    }
    return elements;
}

bool readVariableReference(std::string_view text, ClassifiedField& out)
{
    auto elements = referenceElements(text);
    if (!elements || elements->empty() || !isName((*elements)[0]))
        return false;
    const auto& e = *elements;
    out.name = e[0];
    if (e.size() == 1) {
        out.arrayKind = kNotArray;
        return true;
    }
    if (e.size() == 4 && e[1] == "(" && e[3] == ")") {
        out.arrayKind = kArray1D;
        return readSubscript(e[2], out.sub1Name, out.sub1Value);
    }
    if (e.size() == 6 && e[1] == "(" && e[3] == "," && e[5] == ")") {
        out.arrayKind = kArray2D;
        return readSubscript(e[2], out.sub1Name, out.sub1Value) && readSubscript(e[4], out.sub2Name, out.sub2Value);
    }
    return false;
}

} // namespace

uint32_t ClassifiedField::stringAreaBytes() const
{
    switch (kind) {
    case OperandClass::String: return static_cast<uint32_t>(text.size() + 1);
    case OperandClass::Variable: {
        auto bytes = static_cast<uint32_t>(name.size() + 1);
        if (!sub1Name.empty())
            bytes += static_cast<uint32_t>(sub1Name.size() + 1);
        if (!sub2Name.empty())
            bytes += static_cast<uint32_t>(sub2Name.size() + 1);
        return bytes;
    }
    default: return 0;
    }
}

ClassifiedField classifyField(std::string_view fieldText)
{
    const std::string_view text = trimBlanks(fieldText);
    ClassifiedField field;
    if (text.empty()) {
        field.kind = OperandClass::Empty;
    } else if (isStringLiteral(text)) {
        field.kind = OperandClass::String;
        field.text = stringLiteralText(text);
    } else if (isIntegerLiteral(text)) {
        field.kind = OperandClass::Integer;
        field.number = static_cast<float>(integerLiteralValue(text));
    } else if (isFloatingLiteral(text)) {
        field.kind = OperandClass::Floating;
        field.number = floatingLiteralValue(text);
    } else if (readVariableReference(text, field)) {
        field.kind = OperandClass::Variable;
    } else {
        field = ClassifiedField{};
        field.kind = OperandClass::Invalid;
    }
    return field;
}

void writeOperand(BlockWriter& writer, uint32_t at, const ClassifiedField& field)
{
    using namespace operand_slot;
    writer.setF32(at + kNumber, field.number);
    for (uint32_t word = 0; word < 3; ++word) // cache words are 0 in every stored block
        writer.setU32(at + kCacheWords + 4 * word, 0);
    if (field.kind == OperandClass::String) {
        writer.setU32(at + kText, writer.addText(field.text));
    } else if (field.kind == OperandClass::Variable) {
        writer.setU32(at + kArrayKind, field.arrayKind);
        writer.setU32(at + kName, writer.addText(field.name));
        writer.setI32(at + kSub1Value, field.sub1Value);
        writer.setI32(at + kSub2Value, field.sub2Value);
        if (!field.sub1Name.empty())
            writer.setU32(at + kSub1Name, writer.addText(field.sub1Name));
        if (!field.sub2Name.empty())
            writer.setU32(at + kSub2Name, writer.addText(field.sub2Name));
    }
}

Operand asOperand(const ClassifiedField& field)
{
    Operand op;
    op.hasName = field.kind == OperandClass::Variable;
    op.name = field.name;
    op.hasText = field.kind == OperandClass::String;
    op.text = field.text;
    op.number = field.number;
    op.arrayKind = field.arrayKind;
    op.hasSub1Name = !field.sub1Name.empty();
    op.sub1Name = field.sub1Name;
    op.sub1Value = field.sub1Value;
    op.hasSub2Name = !field.sub2Name.empty();
    op.sub2Name = field.sub2Name;
    op.sub2Value = field.sub2Value;
    return op;
}

} // namespace qel
