#include "instructions/documents/documents.h"
#include "base/translatable.h"

#include "interpreter/file_names.h"
#include "interpreter/line_context.h"
#include "messages/editor_messages.h"
#include "messages/run_errors.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"
#include "values/editor_fields.h"
#include "values/evaluate.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>

#include <sys/stat.h>

namespace qel {

using namespace documents_block;
namespace fields = file_dialog_fields;

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

// Endings of files the desktop would run rather than show.
constexpr std::string_view kProgramEndings[] = {
    ".desktop",    ".kdelnk",   ".sh",      ".bash", ".csh",  ".ksh", ".zsh",    ".py",  ".pyw",  ".pyc",
    ".pyx",        ".wsgi",     ".pl",      ".pm",   ".perl", ".rb",  ".jar",    ".exe", ".com",  ".bat",
    ".cmd",        ".msi",      ".run",     ".bin",  ".so",   ".deb", ".udeb",   ".rpm", ".snap", ".flatpak",
    ".flatpakref", ".appimage", ".command", ".ps1",  ".vbs",  ".js",  ".x86_64",
};

// The first line of a file that is not blank or a comment, for the desktop entries, which the
// desktop recognises by their first group whatever the file is called.
std::string_view firstLine(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        const size_t start = line.find_first_not_of(" \t\r");
        if (start != std::string_view::npos && line[start] != '#')
            return line.substr(start);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return {};
}

bool isProgram(const std::string& path, const struct stat& info)
{
    if (info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH))
        return true;
    const size_t slash = path.rfind('/');
    std::string_view name = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    // "app.desktop " and "app.desktop." are found by the desktop's kind as what they end in.
    name = name.substr(0, name.find_last_not_of(" \t.") + 1);
    for (std::string_view ending : kProgramEndings)
        if (name.size() > ending.size() && startsWithNoCase(name.substr(name.size() - ending.size()), ending))
            return true;
    // Whatever its name, a file that starts as a script, a machine program or a desktop entry is one.
    std::array<char, 512> start{};
    std::ifstream in(path, std::ios::binary);
    in.read(start.data(), start.size());
    const std::string_view head(start.data(), static_cast<size_t>(in.gcount()));
    const std::string_view line = firstLine(head);
    return head.starts_with("#!") || head.starts_with("MZ") ||
           head.starts_with("\x7f"
                            "ELF") ||
           line.starts_with("[Desktop Entry]") || line.starts_with("[KDE Desktop Entry]") ||
           line.starts_with("[Desktop Action");
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// %XX escapes undone until none is left, as a mail program reading the address at any depth would.
std::string percentDecoded(std::string_view text)
{
    std::string decoded(text);
    for (bool changed = true; changed;) {
        changed = false;
        std::string next;
        for (size_t k = 0; k < decoded.size(); ++k) {
            if (decoded[k] == '%' && k + 2 < decoded.size() && hexDigit(decoded[k + 1]) >= 0 &&
                hexDigit(decoded[k + 2]) >= 0) {
                next += static_cast<char>(hexDigit(decoded[k + 1]) * 16 + hexDigit(decoded[k + 2]));
                k += 2;
                changed = true;
            } else {
                next += decoded[k];
            }
        }
        decoded = std::move(next);
    }
    return decoded;
}

// A mail address that would have the mail program attach a file of the user's to the message.
bool attachesFiles(std::string_view mailto)
{
    const std::string decoded = percentDecoded(mailto);
    const size_t query = decoded.find('?');
    if (query == std::string::npos)
        return false;
    std::string_view rest = std::string_view(decoded).substr(query + 1);
    while (!rest.empty()) {
        const size_t end = std::min(rest.find_first_of("&;?"), rest.size());
        std::string_view key = rest.substr(0, std::min(rest.find('='), end));
        const size_t first = key.find_first_not_of(" \t");
        key = first == std::string_view::npos ? std::string_view() : key.substr(first);
        key = key.substr(0, key.find_last_not_of(" \t") + 1);
        for (std::string_view refused : {"attach", "attachment"})
            if (key.size() == refused.size() && startsWithNoCase(key, refused))
                return true;
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return false;
}

} // namespace

std::optional<DocumentTarget> documentTarget(std::string_view name, std::string_view programPath)
{
    if (name.empty())
        return std::nullopt;
    for (std::string_view scheme : {"http://", "https://", "mailto:"})
        if (startsWithNoCase(name, scheme)) {
            const bool plain = std::none_of(name.begin(), name.end(),
                                            [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
            if (!plain || name.size() == scheme.size() || (scheme == "mailto:" && attachesFiles(name)))
                return std::nullopt;
            return DocumentTarget{nativeFileName(name), true};
        }
    std::string path = resolveProgramFile(programPath, name);
    struct stat info {};
    if (path.find('\0') != std::string::npos || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        isProgram(path, info))
        return std::nullopt;
    return DocumentTarget{std::move(path), false};
}

LineResult executeOpenDoc(LineContext& line)
{
    const std::string name = TRY(evalFileName(line.eval(), line.operands()[0]));
    // What cannot be opened is not the program's error: the desktop is simply not asked.
    if (std::optional<DocumentTarget> target = documentTarget(name, line.programPath()))
        line.host().openDocument(target->target, target->isAddress);
    return Flow::Next;
}

LineResult executeOpenSaveLoadDlg(LineContext& line)
{
    EvalContext& ctx = line.eval();
    CachedOperand& variable = line.operands()[0];
    const int kind = operandKind(ctx, variable);
    if (kind == kKindUndeclared)
        return runError(msg::kUndeclaredReference, variable.operand.name);
    if (kind != kTypeString)
        return runError(kExpectingStringTypeUpper, variable.operand.name);
    const bool forOpening = line.block().u32(kLoad) == 1;
    const std::optional<std::string> chosen = line.host().fileDialog(forOpening, line.programFolder());
    TRY(storeText(ctx, chosen ? std::string_view(*chosen) : std::string_view(), {}, {}, variable));
    return Flow::Next;
}

uint32_t OpenDocEditor::type() const { return kOpenDoc; }

std::vector<FieldSpec> OpenDocEditor::fields() const
{
    return {
        {QT_TRANSLATE_NOOP("qel", "&Document Name"), FieldKind::FileName, {}, 0, kPickString, false, kAllFilesFilter}};
}

std::vector<std::string> OpenDocEditor::decode(const ProgramLine& line) const
{
    return {operandFieldText(readOperand(line.block, kName))};
}

EditOutcome OpenDocEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    const ClassifiedField name = classifyField(values.empty() ? std::string() : values[0]);
    if (name.kind != OperandClass::Variable && name.kind != OperandClass::String)
        return fieldError(0, kVariableOrStringLiteralRequired);
    BlockWriter w(kOpenDocBody);
    writeOperand(w, kName, name);
    if (!w.fits())
        return fieldError(0, kLineTooLong);
    return {std::nullopt, {kOpenDoc, "OpenDocument " + operandFieldText(asOperand(name)), w.finish()}};
}

uint32_t OpenSaveLoadDlgEditor::type() const { return kOpenSaveLoadDlg; }

std::vector<FieldSpec> OpenSaveLoadDlgEditor::fields() const
{
    return {{std::string(kStringVariableLabel), FieldKind::Variable, {}, 0, kPickString},
            {QT_TRANSLATE_NOOP("qel", "&Save"), FieldKind::Radio, {}, 0},
            {QT_TRANSLATE_NOOP("qel", "&Load"), FieldKind::Radio, {}, 0}};
}

std::vector<std::string> OpenSaveLoadDlgEditor::decode(const ProgramLine& line) const
{
    const bool load = line.block.u32(kLoad) == 1; // a new line (an empty block) starts with Save
    return {operandFieldText(readOperand(line.block, kVariable)), load ? "" : "1", load ? "1" : ""};
}

EditOutcome OpenSaveLoadDlgEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    auto value = [&](int k) { return k < static_cast<int>(values.size()) ? values[static_cast<size_t>(k)] : ""; };
    const ClassifiedField variable = classifyField(value(fields::kVariable));
    if (variable.kind != OperandClass::Variable)
        return fieldError(fields::kVariable, kVariableRequired);
    const bool load = isSet(value(fields::kLoad));
    BlockWriter w(kDialogBody);
    writeOperand(w, kVariable, variable);
    w.setU32(kLoad, load ? 1 : 0);
    return {std::nullopt,
            {kOpenSaveLoadDlg, "OpenSaveLoadDlg " + operandFieldText(asOperand(variable)) + (load ? ",Load" : ",Save"),
             w.finish()}};
}

} // namespace qel
