#include "app/tool_commands.h"

#include "app/canvas_window.h"

#include "app/check_command.h"
#include "app/collecting_host.h"
#include "app/grade/grade_command.h"
#include "app/grade/grade_options.h"
#include "app/json_writer.h"
#include "app/opened_file.h"
#include "app/run_command.h"
#include "document/program_document.h"
#include "document/program_template.h"
#include "fileio/file_io.h"
#include "forms/form_file.h"
#include "program/program_file.h"
#include "program_text/program_export.h"
#include "program_text/program_import.h"
#include "values/variable_table.h"

#include <optional>
#include <ostream>

namespace qel {

namespace {

constexpr const char* kUsage =
    "usage: qeltool dump FILE.qel\n"
    "       qeltool resave IN.qel OUT.qel\n"
    "       qeltool new OUT.qel\n"
    "       qeltool form-dump FILE.frm\n"
    "       qeltool export FILE.qel\n"
    "       qeltool import FILE.txt OUT.qel\n"
    "       qeltool run FILE.qel [--snapshot OUT.png] [--events FILE|-] [--size WxH] [--timeout SECONDS]\n"
    "                            [--memory-limit MB] [--output-limit MB] [--break SECTION:LINE]... [--vars]\n"
    "                            [--print-dir DIR] [--sandbox] [--seed N] [--profile]\n";

std::string messagesJson(const CollectingHost& host)
{
    std::string out = "[";
    for (size_t i = 0; i < host.messages.size(); ++i) {
        const auto& m = host.messages[i];
        out += (i ? ",\n    " : "\n    ");
        out += "{\"icon\": " + jsonString(iconName(m.icon)) + ", \"text\": " + jsonString(m.text) + "}";
    }
    out += host.messages.empty() ? "]" : "\n  ]";
    return out;
}

const char* variableTypeName(uint32_t type)
{
    switch (type) {
    case kTypeInteger: return "Integer";
    case kTypeFloat: return "Float";
    case kTypeBitmap: return "Bitmap";
    case kTypeString: return "String";
    case kTypeFile: return "File";
    }
    return "Unknown";
}

// Written as it goes: a large program's text is never held a second time.
void writeSectionsJson(const Program& program, std::ostream& out)
{
    out << "[";
    for (uint32_t s = 0; s < kSectionCount; ++s) {
        out << (s ? ",\n    {" : "\n    {");
        out << "\"section\": " << s << ", \"name\": " << jsonString(sectionName(s)) << ", \"lines\": [";
        const auto& lines = program.sections[s].lines;
        for (size_t i = 0; i < lines.size(); ++i) {
            const ProgramLine& line = lines[i];
            auto body = line.block.body();
            out << (i ? ",\n      " : "\n      ");
            out << "{\"type\": " << line.type << ", \"text\": " << jsonString(line.text)
                << ", \"block\": " << jsonString(hexBytes(body.data(), body.size())) << "}";
        }
        out << "]}";
    }
    out << "\n  ]";
}

std::string variablesJson(const VariableTable& variables)
{
    std::string out = "[";
    bool first = true;
    for (const VariableRecord& v : variables) {
        out += first ? "\n    " : ",\n    ";
        first = false;
        out += "{\"name\": " + jsonString(v.name) + ", \"type\": " + jsonString(variableTypeName(v.type)) +
               ", \"arrayKind\": " + std::to_string(v.arrayKind) + ", \"dim1\": " + std::to_string(v.dim1) +
               ", \"dim2\": " + std::to_string(v.dim2) + "}";
    }
    return out + (first ? "]" : "\n  ]");
}

// Saves the program at path: kExitOk, or kExitUsage after saying it could not be written.
int saved(const Program& program, const std::string& path, std::ostream& err)
{
    if (saveProgram(program, path))
        return kExitOk;
    err << kCannotWrite << path << "\n";
    return kExitUsage;
}

int dump(const std::string& path, std::ostream& out, std::ostream& err)
{
    OpenedFile f(path, err);
    if (!f.result)
        return kExitUsage;
    const LoadResult& r = *f.result;
    out << "{\n  \"version\": " << jsonString(r.version.text) << ",\n  \"major\": " << r.version.major
        << ",\n  \"minor\": " << r.version.minor << ",\n  \"autorun\": " << (r.autoRun ? "true" : "false")
        << ",\n  \"sections\": ";
    writeSectionsJson(f.program, out);
    out << ",\n  \"variables\": " << variablesJson(f.variables) << ",\n  \"messages\": " << messagesJson(f.host)
        << "\n}\n";
    return r.status == ReadStatus::Ok ? kExitOk : kExitUsage;
}

int resave(const std::string& in, const std::string& outPath, std::ostream& out, std::ostream& err)
{
    OpenedFile f(in, err);
    if (!f.result)
        return kExitUsage;
    out << "{\"messages\": " << messagesJson(f.host) << "}\n";
    if (f.result->status != ReadStatus::Ok)
        return kExitUsage;
    return saved(f.program, outPath, err);
}

int newProgramFile(const std::string& path, std::ostream& out, std::ostream& err)
{
    Program program;
    VariableTable variables;
    CollectingHost host;
    newProgramWithHandlers(program, variables, host);
    out << "{\"messages\": " << messagesJson(host) << "}\n";
    return saved(program, path, err);
}

// The program as text (the format of program_text/text_form.h); a file that is no program prints
// the reader's messages on standard error.
int exportText(const std::string& path, std::ostream& out, std::ostream& err)
{
    OpenedFile f(path, err);
    if (!f.result)
        return kExitUsage;
    if (f.result->status != ReadStatus::Ok) {
        err << messagesJson(f.host) << "\n";
        return kExitUsage;
    }
    out << exportProgram(f.program);
    return kExitOk;
}

// Builds a program from its text through the instruction editors and saves it; a line that cannot
// be built is reported with its number, and nothing is written.
int importText(const std::string& in, const std::string& outPath, std::ostream& err)
{
    std::vector<uint8_t> bytes;
    if (!readWholeFile(in, bytes, kMaxProgramFileBytes)) {
        err << kCannotRead << in << "\n";
        return kExitUsage;
    }
    Program program;
    VariableTable variables;
    CollectingHost host;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (const Status built = importProgram(text, program, variables, host); !built) {
        err << in << ": " << built.failureText() << "\n";
        return kExitRunError;
    }
    return saved(program, outPath, err);
}

// One object as JSON, written field by field: a long text goes out a piece at a time.
void writeFormObjectJson(const FormObject& o, std::ostream& out)
{
    bool first = true;
    const auto tag = [&](std::string_view name) {
        out << (first ? "{\"" : ", \"") << name << "\": ";
        first = false;
    };
    const auto number = [&](std::string_view name, int64_t n) {
        tag(name);
        out << n;
    };
    const auto text = [&](std::string_view name, std::string_view t) {
        tag(name);
        writeJsonString(out, t);
    };
    number("objecttype", o.objectType);
    number("width", o.width);
    number("height", o.height);
    number("width2", o.width2);
    number("height2", o.height2);
    number("offsetx", o.offsetX);
    number("offsety", o.offsetY);
    number("bgcolour", o.bgColour);
    number("fgcolour", o.fgColour);
    number("bordercolour", o.borderColour);
    text("fillstyle", o.fillStyle);
    text("name", o.name);
    number("gridx", o.gridX);
    number("gridy", o.gridY);
    number("zorder", o.zOrder);
    text("visible", o.visible);
    text("locked", o.locked);
    text("caption", o.caption);
    text("caption2", o.caption2);
    text("textfontname", o.textFontName);
    number("textsize", o.textSize);
    text("textbold", o.textBold);
    text("textalign", o.textAlign);
    text("borderstyle", o.borderStyle);
    text("sunken", o.sunken);
    number("taborder", o.tabOrder);
    text("v1style", o.v1Style);
    text("onopen", o.onOpen);
    text("onclose", o.onClose);
    text("onclick", o.onClick);
    text("ondblclick", o.onDblClick);
    text("onselected", o.onSelected);
    text("onchange", o.onChange);
    out << "}";
}

// The objects of a form file as JSON, with every message reading it showed. A damaged file prints
// what was read before the damage, and fails.
int formDump(const std::string& path, std::ostream& out, std::ostream& err)
{
    CollectingHost host;
    const std::optional<FormReadResult> read = readFormFile(path, host);
    if (!read) {
        err << kCannotRead << path << "\n";
        return kExitUsage;
    }
    out << "{\n  \"objects\": [";
    for (size_t k = 0; k < read->objects.size(); ++k) {
        out << (k ? ",\n    " : "\n    ");
        writeFormObjectJson(read->objects[k], out);
    }
    out << (read->objects.empty() ? "]" : "\n  ]") << ",\n  \"complete\": " << (read->complete ? "true" : "false")
        << ",\n  \"messages\": " << messagesJson(host) << "\n}\n";
    return read->complete ? kExitOk : kExitUsage;
}

} // namespace

int runToolCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    if (args.size() == 2 && args[0] == "dump")
        return dump(args[1], out, err);
    if (args.size() == 3 && args[0] == "resave")
        return resave(args[1], args[2], out, err);
    if (args.size() == 2 && args[0] == "new")
        return newProgramFile(args[1], out, err);
    if (args.size() == 2 && args[0] == "form-dump")
        return formDump(args[1], out, err);
    if (args.size() == 2 && args[0] == "export")
        return exportText(args[1], out, err);
    if (args.size() == 3 && args[0] == "import")
        return importText(args[1], args[2], err);
    if (!args.empty() && args[0] == "run")
        return runProgramCommand(args, in, out, err, CanvasWindow::make);
    if (!args.empty() && args[0] == "grade")
        return gradeCommand(args, out, err);
    if (!args.empty() && args[0] == "check")
        return checkCommand(args, out, err);
    err << kUsage << kCheckUsage << grade::kGradeUsage;
    return kExitUsage;
}

} // namespace qel
