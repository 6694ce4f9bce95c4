#include "instructions/files/text_file_open.h"
#include "base/translatable.h"

#include "instructions/files/text_file_instructions.h"
#include "messages/editor_messages.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"
#include "values/number_text.h"
#include "values/operand.h"

namespace qel {

using namespace text_file_open;

namespace {

bool isReadMode(std::string_view word)
{
    constexpr std::string_view kForRead = "ForRead";
    if (word.size() != kForRead.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(word[i])) != std::tolower(static_cast<unsigned char>(kForRead[i])))
            return false;
    return true;
}

std::string secondWord(std::string_view text)
{
    auto words = splitOldTextFileOpenText(text);
    return words.size() > 1 ? words[1] : std::string();
}

} // namespace

uint32_t TextFileOpenEditor::type() const { return kTextFileOpen; }

std::vector<FieldSpec> TextFileOpenEditor::fields() const
{
    FieldSpec name{
        QT_TRANSLATE_NOOP("qel", "Text &File Name"), FieldKind::FileName, {}, 0, kPickString, false, kTextFileFilter};
    name.writesWhenSet = kWritingField; // a file to write may be a new one
    return {
        {std::string(kFileVariableLabel), FieldKind::Variable, {}, 0, kPickFile},
        name,
        {QT_TRANSLATE_NOOP("qel", "Open For &Reading"), FieldKind::Radio, {}, 0},
        {QT_TRANSLATE_NOOP("qel", "Open For &Writing"), FieldKind::Radio, {}, 0},
    };
}

std::vector<std::string> TextFileOpenEditor::decode(const ProgramLine& line) const
{
    // The mode comes back from the line's text, as the text is what the user saw.
    bool reading = isReadMode(secondWord(line.text));
    return {formatReference(readOperand(line.block, kFileVariable), kGeneralPrecision),
            formatReference(readOperand(line.block, kFileName), kGeneralPrecision), reading ? "1" : "",
            reading ? "" : "1"};
}

EditOutcome TextFileOpenEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    auto value = [&](int field) { return field < static_cast<int>(values.size()) ? values[field] : std::string(); };
    ClassifiedField file = classifyField(value(kFileVariableField));
    if (file.kind != OperandClass::Variable)
        return {FieldError{kFileVariableField, {kVariableRequired, {}}}, {}};
    ClassifiedField name = classifyField(value(kFileNameField));
    if (name.kind != OperandClass::String && name.kind != OperandClass::Variable)
        return {FieldError{kFileNameField, {kStringVariableOrLiteralRequired, {}}}, {}};
    bool reading = isSet(value(kReadingField));

    BlockWriter w(kFixedBody);
    writeOperand(w, kFileVariable, file);
    writeOperand(w, kFileName, name);
    w.setU32(kForReading, reading ? 1 : 0);
    ParamBlock block = w.finish();
    std::string text = std::string(reading ? "TextFileOpen ForRead " : "TextFileOpen ForWrite ") +
                       formatReference(readOperand(block, kFileVariable), kGeneralPrecision) + ", " +
                       formatReference(readOperand(block, kFileName), kGeneralPrecision);
    return {std::nullopt, {kTextFileOpen, std::move(text), std::move(block)}};
}

std::vector<std::string> splitOldTextFileOpenText(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    int depth = 0;
    bool quoted = false;
    auto finish = [&] {
        if (!word.empty())
            words.push_back(std::move(word));
        word.clear();
    };
    for (char c : text) {
        if (quoted) {
            word += c;
            quoted = c != '"';
        } else if (c == '"') {
            word += c;
            quoted = true;
        } else if (depth == 0 && (c == ' ' || c == ',')) {
            finish();
        } else {
            depth += (c == '(') - (c == ')');
            if (depth < 0)
                depth = 0;
            word += c;
        }
    }
    finish();
    return words;
}

std::vector<std::string> fieldsFromOldText(std::string_view text)
{
    auto words = splitOldTextFileOpenText(text);
    auto word = [&](size_t i) { return i < words.size() ? words[i] : std::string(); };
    bool reading = isReadMode(word(1));
    return {word(2), word(3), reading ? "1" : "", reading ? "" : "1"};
}

bool convertOldTextFileOpen(EditContext& context, MessageHost& host, const CorrectFields& correct)
{
    TextFileOpenEditor editor;
    std::vector<std::string> values = fieldsFromOldText(context.program.edit.text);
    for (;;) {
        EditOutcome outcome = editor.accept(values, context);
        if (outcome.ok())
            return editor.store(outcome.line, context, host);
        host.showNotice(outcome.error->message, outcome.error->icon);
        auto corrected = correct ? correct(values, *outcome.error) : std::nullopt;
        if (!corrected)
            return false;
        values = std::move(*corrected);
    }
}

} // namespace qel
