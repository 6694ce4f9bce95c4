#include "app/run_command.h"

#include "app/headless_host.h"
#include "app/json_writer.h"
#include "app/tool_commands.h"
#include "document/program_document.h"
#include "instructions/catalogue.h"
#include "interpreter/interpreter.h"
#include "program/file_names.h"
#include "program/program_file.h"
#include "runtime/run_canvas.h"
#include "values/variable_table.h"

#include <cstdio>
#include <fstream>
#include <istream>
#include <ostream>

namespace qel {

namespace {

struct RunOptions {
    std::string file;
    std::string events;
    std::string snapshot;
    int width = 600, height = 400;
    double timeout = 0;
    std::vector<Breakpoint> breaks;
    bool vars = false;
};

std::optional<uint32_t> sectionOf(const std::string& word)
{
    for (uint32_t s = 0; s < kSectionCount; ++s)
        if (word == sectionName(s) || word == std::to_string(s))
            return s;
    return std::nullopt;
}

std::optional<RunOptions> parseOptions(const std::vector<std::string>& args, std::ostream& err)
{
    RunOptions o;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "--vars") {
            o.vars = true;
        } else if (a == "--events" && hasValue) {
            o.events = args[++i];
        } else if (a == "--snapshot" && hasValue) {
            o.snapshot = args[++i];
        } else if (a == "--size" && hasValue && std::sscanf(args[i + 1].c_str(), "%dx%d", &o.width, &o.height) == 2 &&
                   o.width > 0 && o.height > 0 && o.width <= 10000 && o.height <= 10000) {
            ++i;
        } else if (a == "--timeout" && hasValue && std::sscanf(args[i + 1].c_str(), "%lf", &o.timeout) == 1) {
            ++i;
        } else if (a == "--break" && hasValue) {
            const std::string& spec = args[++i];
            size_t colon = spec.find(':');
            auto section = colon == std::string::npos ? std::nullopt : sectionOf(spec.substr(0, colon));
            int line = -1;
            if (!section || std::sscanf(spec.c_str() + colon + 1, "%d", &line) != 1 || line < 0) {
                err << "qeltool: bad breakpoint " << spec << " (SECTION:LINE)\n";
                return std::nullopt;
            }
            o.breaks.push_back({*section, static_cast<uint32_t>(line)});
        } else if (o.file.empty() && a.rfind("--", 0) != 0) {
            o.file = a;
        } else {
            err << "qeltool: unknown option " << a << "\n";
            return std::nullopt;
        }
    }
    if (o.file.empty()) {
        err << "qeltool: run needs a program file\n";
        return std::nullopt;
    }
    return o;
}

const char* typeWord(uint32_t type)
{
    static const char* words[] = {"", "Integer", "Float", "Bitmap", "String", "File"};
    return type <= 5 ? words[type] : "";
}

std::string valueJson(const VariableRecord& v, size_t index)
{
    switch (v.type) {
    case kTypeInteger: return std::to_string(v.integerAt(index));
    case kTypeFloat: {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v.floatAt(index)));
        std::string text = buf;
        return text == "inf" || text == "-inf" || text == "nan" || text == "-nan" ? "null" : text;
    }
    case kTypeString: return jsonString(v.textAt(index));
    default: return "null";
    }
}

void printVariables(const VariableTable& variables, std::ostream& out)
{
    out << "{\"vars\": [";
    bool first = true;
    for (const VariableRecord& v : variables) {
        out << (first ? "" : ", ");
        first = false;
        std::string dims = v.arrayKind == kArray1D   ? std::to_string(v.dim1)
                           : v.arrayKind == kArray2D ? std::to_string(v.dim1) + "," + std::to_string(v.dim2)
                                                     : "";
        out << "{\"name\": " << jsonString(v.name) << ", \"type\": \"" << typeWord(v.type) << "\", \"dims\": \"" << dims
            << "\", \"values\": [";
        // First subscript outer, second inner, as the object viewer lists them.
        bool firstValue = true;
        for (int32_t i = 1; i <= v.dim1; ++i)
            for (int32_t j = 1; j <= v.dim2; ++j) {
                out << (firstValue ? "" : ", ") << valueJson(v, elementIndex(v, i, j));
                firstValue = false;
            }
        out << "]}";
    }
    out << "]}\n";
}

const char* endWord(const Interpreter& in, const HeadlessHost& host)
{
    if (host.timedOut())
        return "timeout";
    if (in.lastEnd().error)
        return "error";
    if (in.closeRequested())
        return "exit";
    return "finished";
}

} // namespace

int runProgramCommand(const std::vector<std::string>& args, std::istream& stdinStream, std::ostream& out,
                      std::ostream& err)
{
    auto options = parseOptions(args, err);
    if (!options)
        return kExitUsage;

    std::deque<ScriptEvent> script;
    if (!options->events.empty()) {
        std::ifstream file;
        std::istream* source = &stdinStream;
        if (options->events != "-") {
            file.open(options->events);
            if (!file) {
                err << kCannotRead << options->events << "\n";
                return kExitUsage;
            }
            source = &file;
        }
        if (auto error = parseEventScript(*source, script)) {
            err << "qeltool: events line " << error->line << ": " << error->message << "\n";
            return kExitUsage;
        }
    }

    std::vector<uint8_t> bytes;
    if (!readWholeFile(options->file, bytes)) {
        err << kCannotRead << options->file << "\n";
        return kExitUsage;
    }
    HeadlessHost host(out, std::move(script), options->timeout);
    Program program;
    VariableTable variables;
    if (openProgram(program, variables, bytes, host).status != ReadStatus::Ok)
        return kExitUsage;

    Interpreter in(program, variables, host, dispatchTable());
    in.setProgramFolder(folderOf(options->file));
    host.attach(in);
    RunCanvas canvas(QSize(options->width, options->height));
    canvas.attach(in);
    host.attachCanvas(canvas);
    for (const Breakpoint& b : options->breaks)
        (void)in.debugger().toggleBreakpoint(b.section, b.line);

    in.startRun(false);
    host.runScript();
    if (in.isRunning())
        in.stopRun();

    const RunEnd& end = in.lastEnd();
    const uint32_t section = end.section;
    const long line = end.line >= 0 ? end.line : 0;
    out << "{\"end\": \"" << endWord(in, host) << "\", \"section\": " << section << ", \"line\": " << line << "}\n";
    if (options->vars)
        printVariables(variables, out);
    if (!options->snapshot.empty() && !canvas.image().save(QString::fromStdString(options->snapshot), "PNG")) {
        err << kCannotWrite << options->snapshot << "\n";
        return kExitUsage;
    }
    return end.error ? kExitRunError : kExitOk;
}

} // namespace qel
