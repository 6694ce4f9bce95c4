#include "app/run_command.h"

#include "app/headless_host.h"
#include "app/json_writer.h"
#include "app/option_values.h"
#include "app/profile_records.h"
#include "app/replaced_output.h"
#include "app/run_watchdog.h"
#include "app/sandbox.h"
#include "app/tool_commands.h"
#include "app/variables_json.h"
#include "document/program_document.h"
#include "fileio/file_io.h"
#include "inspection/variable_listing.h"
#include "instructions/catalogue.h"
#include "interpreter/interpreter.h"
#include "program/file_names.h"
#include "program/program_file.h"
#include "values/variable_table.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <istream>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <sstream>
#include <thread>
#include <tuple>

namespace qel {

namespace {

struct RunOptions {
    std::string file;
    std::string events;
    std::string snapshot;
    std::string printDir;
    int width = 600, height = 400;
    bool sized = false; // --size given
    double timeout = 0;
    uint64_t memoryLimit = MemoryBudget::kDefaultLimit;
    uint64_t outputLimit = uint64_t{64} << 20; // standard output and files together
    std::vector<Breakpoint> breaks;
    std::optional<uint32_t> seed;
    bool vars = false;
    bool profile = false;
    bool sandbox = false;
};

// How long an interrupted run may take to end by itself before the watchdog ends the process.
constexpr std::chrono::milliseconds kTimeoutGrace{500};
// The longest event script read: a million events or so.
constexpr uint64_t kMaxScriptBytes = uint64_t{8} << 20;
constexpr std::string_view kScriptTooLong = "qeltool: event script longer than 8 MB: ";

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
        } else if (a == "--profile") {
            o.profile = true;
        } else if (a == "--sandbox") {
            o.sandbox = true;
        } else if (a == "--events" && hasValue) {
            o.events = args[++i];
        } else if (a == "--snapshot" && hasValue) {
            o.snapshot = args[++i];
        } else if (a == "--print-dir" && hasValue) {
            o.printDir = args[++i];
        } else if (a == "--size" && hasValue && std::sscanf(args[i + 1].c_str(), "%dx%d", &o.width, &o.height) == 2 &&
                   o.width > 0 && o.height > 0 && o.width <= 10000 && o.height <= 10000) {
            o.sized = true;
            ++i;
        } else if (a == "--timeout" && hasValue && readTimeout(args[i + 1], o.timeout)) {
            ++i;
        } else if (a == "--memory-limit" && hasValue && readMegabytes(args[i + 1], o.memoryLimit)) {
            ++i;
        } else if (a == "--output-limit" && hasValue && readMegabytes(args[i + 1], o.outputLimit)) {
            ++i;
        } else if (a == "--seed" && hasValue && (o.seed = seedOfText(args[i + 1]))) {
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

} // namespace

std::optional<RunArguments> runArguments(const std::vector<std::string>& args)
{
    std::ostringstream ignored;
    const std::optional<RunOptions> o = parseOptions(args, ignored);
    if (!o)
        return std::nullopt;
    return RunArguments{o->file, !o->snapshot.empty() || !o->printDir.empty() || o->sandbox};
}

namespace {

std::string endRecord(std::string_view word, uint32_t section, long line)
{
    return "{\"end\": \"" + std::string(word) + "\", \"section\": " + std::to_string(section) +
           ", \"line\": " + std::to_string(line) + "}";
}

// At most limit + 1 bytes of a stream: one more than the limit tells a longer stream.
std::string readAtMost(std::istream& in, uint64_t limit)
{
    std::string text;
    std::array<char, 1 << 16> buffer{};
    while (text.size() <= limit) {
        in.read(buffer.data(),
                static_cast<std::streamsize>(std::min<uint64_t>(buffer.size(), limit + 1 - text.size())));
        if (in.gcount() <= 0)
            break;
        text.append(buffer.data(), static_cast<size_t>(in.gcount()));
    }
    return text;
}

// The event script from its file, or from standard input for "-"; what is wrong with it, if
// anything, as qeltool says it.
struct LoadedScript {
    EventScript events;
    std::optional<std::string> error;
};

LoadedScript loadScript(const std::string& source, std::istream& stdinStream)
{
    LoadedScript script;
    std::string text;
    if (source == "-") {
        text = readAtMost(stdinStream, kMaxScriptBytes);
        if (text.size() > kMaxScriptBytes) {
            script.error = std::string(kScriptTooLong) + source;
            return script;
        }
    } else {
        std::vector<uint8_t> bytes;
        if (!readWholeFile(source, bytes, kMaxScriptBytes)) {
            script.error = std::string(kCannotRead) + source;
            return script;
        }
        text.assign(bytes.begin(), bytes.end());
    }
    if (auto error = script.events.load(std::move(text)))
        script.error = "qeltool: events line " + std::to_string(error->line) + ": " + error->message;
    return script;
}

// The same within the time limit, read and parsed on a thread of its own so that a writer that
// never ends standard input (or a script that takes long to parse) cannot hold the command past
// the deadline: nothing when the deadline came first. The thread then still holds the stream, and
// the caller must end the process.
std::optional<LoadedScript> loadScriptBefore(const std::string& source, std::istream& stdinStream,
                                             std::chrono::steady_clock::time_point deadline)
{
    struct Loading {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<LoadedScript> script;
    };
    auto loading = std::make_shared<Loading>();
    std::thread loader([loading, source, &stdinStream] {
        LoadedScript script = loadScript(source, stdinStream);
        const std::lock_guard lock(loading->mutex);
        loading->script = std::move(script);
        loading->done.notify_all();
    });
    std::unique_lock lock(loading->mutex);
    if (!loading->done.wait_until(lock, deadline, [&] { return loading->script.has_value(); })) {
        loader.detach();
        return std::nullopt;
    }
    lock.unlock();
    loader.join();
    return std::move(loading->script);
}

// Confines the process to the program's folder and the print folder (see app/sandbox.h). The
// snapshot's temporary file is made first and its rename left to a process outside.
Status confineRun(const RunOptions& o, const std::string& programFolder, HeadlessWindow& window,
                  std::unique_ptr<ReplacedOutput>& snapshot)
{
    TRY(landlockVersion()); // refused before anything is made
    if (!o.snapshot.empty()) {
        snapshot = TRY(ReplacedOutput::claim(o.snapshot));
        TRY(snapshot->renameFromOutside());
    }
    SandboxFolders folders{window.foldersAfterStart(), {programFolder}};
    if (!o.printDir.empty())
        folders.readWrite.push_back(o.printDir);
    return confineToFolders(folders);
}

bool holdsLineNeedingApplication(const Program& program)
{
    return std::ranges::any_of(program.sections, [](const Section& s) {
        return std::ranges::any_of(s.lines, [](const ProgramLine& l) { return needsApplication(l.type); });
    });
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
                      std::ostream& err, MakeWindow makeWindow)
{
    // The time limit holds for the whole command, the script's reading included.
    const auto started = std::chrono::steady_clock::now();
    auto options = parseOptions(args, err);
    if (!options)
        return kExitUsage;

    EventScript script;
    std::optional<uint32_t> seed = options->seed;
    if (!options->events.empty()) {
        std::optional<LoadedScript> loaded =
            options->timeout > 0
                ? loadScriptBefore(options->events, stdinStream, deadlineAfter(started, options->timeout))
                : loadScript(options->events, stdinStream);
        if (!loaded) {
            // The loading thread may still be blocked on standard input: the process ends here.
            out << endRecord("timeout", kInitialise, 0) << std::endl;
            std::_Exit(kExitTimeout);
        }
        if (loaded->error) {
            err << *loaded->error << "\n";
            return kExitUsage;
        }
        script = std::move(loaded->events);
        // --seed and --size win over the script's own seed and size lines.
        seed = seed ? seed : script.seed();
        if (const auto size = script.size(); size && !options->sized)
            std::tie(options->width, options->height) = *size;
    }

    std::vector<uint8_t> bytes;
    if (!readWholeFile(options->file, bytes, kMaxProgramFileBytes)) {
        err << kCannotRead << options->file << "\n";
        return kExitUsage;
    }
    std::error_code ec;
    if (!options->printDir.empty() && !std::filesystem::is_directory(options->printDir, ec)) {
        err << "qeltool: --print-dir needs an existing folder: " << options->printDir << "\n";
        return kExitUsage;
    }
    HeadlessHost host(out, std::move(script), options->timeout, started);
    Program program;
    VariableTable variables;
    if (openProgram(program, variables, bytes, host).status != ReadStatus::Ok)
        return kExitUsage;

    Interpreter in(program, variables, host, dispatchTable());
    in.eval().memory.setLimit(options->memoryLimit);
    in.output().setLimit(options->outputLimit);
    in.setSeed(seed);
    // Files the program names without a folder are found beside it, wherever qeltool runs.
    const std::filesystem::path programFile = std::filesystem::absolute(options->file, ec).lexically_normal();
    in.setProgramPath(programFile.string());
    host.attach(in);
    // Text, printing, a kept picture and the sandbox's list of Qt's folders need the application;
    // a run with none of them is spared making it.
    const WindowRequest request{{options->width, options->height},
                                options->printDir,
                                !options->snapshot.empty() || options->sandbox || holdsLineNeedingApplication(program)};
    const std::unique_ptr<HeadlessWindow> window = makeWindow(request, host);
    window->attach(in);
    host.attachWindow(*window);
    for (const Breakpoint& b : options->breaks)
        (void)in.debugger().toggleBreakpoint(b.section, b.line);

    std::unique_ptr<ReplacedOutput> snapshot;
    if (options->sandbox) {
        const Status confined = confineRun(*options, programFile.parent_path().string(), *window, snapshot);
        if (!confined) {
            err << confined.failureText() << "\n";
            return kExitUsage;
        }
    }
    std::optional<RunWatchdog> watchdog;
    if (options->timeout > 0) {
        // The last resort: a line that will not end. The run's thread is stuck in it, so the line
        // it names does not change while it is read; the process ends at once.
        watchdog.emplace(
            host.deadline(), kTimeoutGrace, [&host] { host.timeUp(); },
            [&host, &in] {
                const LineCursor at = in.runningLine();
                (void)host.writeLineWithin(endRecord("timeout", at.section, at.index), std::chrono::milliseconds(200));
                std::_Exit(kExitTimeout);
            });
    }
    in.startRun(options->profile);
    host.runScript();
    if (in.isRunning())
        in.stopRun();
    if (watchdog)
        watchdog->finish();

    const RunEnd& end = in.lastEnd();
    if (host.timedOut())
        host.writeLine(endRecord("timeout", host.timeoutSection(), host.timeoutLine()));
    else
        host.writeLine(endRecord(endWord(in, host), end.section, end.line >= 0 ? end.line : 0));
    if (options->profile)
        printProfile(in.debugger().profile(), out);
    if (options->vars)
        printVariables(variables, out);
    if (!options->snapshot.empty()) {
        const Status saved = window->saveSnapshot(options->snapshot, snapshot);
        if (!saved) {
            err << saved.failureText() << "\n";
            return kExitUsage;
        }
    }
    if (host.timedOut())
        return kExitTimeout;
    return end.error ? kExitRunError : kExitOk;
}

} // namespace qel
