#include "app/grade/case_run.h"

#include "fileio/file_io.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qel::grade {

namespace fs = std::filesystem;

namespace {

// How much longer than its limit a run may take before it is ended from outside: the run ends
// itself at its limit, within a fraction of a second, unless its process is stuck before that.
constexpr double kKillGrace = 3.0;
// The most read of a run's records or of a file it wrote.
constexpr uint64_t kMostOutput = uint64_t{64} << 20;
constexpr std::string_view kOutputFile = "records.jsonl", kErrorFile = "errors.txt", kPictureFile = "picture.png";

std::string readText(const fs::path& path)
{
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path.string(), bytes, kMostOutput))
        return {};
    return {bytes.begin(), bytes.end()};
}

bool copyBeside(const Submission& s, const fs::path& work, std::string& failure)
{
    std::error_code ec;
    fs::create_directories(work, ec);
    const fs::path program = fs::path(s.program);
    if (!fs::copy_file(program, work / program.filename(), ec)) {
        failure = "could not be copied: " + ec.message();
        return false;
    }
    if (s.beside->tooLarge) {
        failure = "its folder holds more than " + std::to_string(kMostFiles) + " files or " +
                  std::to_string(kMostBytes >> 20) + " MB beside the program";
        return false;
    }
    for (const std::string& f : s.beside->files) {
        const fs::path to = work / f;
        fs::create_directories(to.parent_path(), ec);
        if (!fs::copy_file(fs::path(s.beside->folder) / f, to, fs::copy_options::overwrite_existing, ec)) {
            failure = "could not copy " + f + ": " + ec.message();
            return false;
        }
    }
    return true;
}

// The files beneath `work` that are new or no longer what was copied there.
std::map<std::string, std::string> writtenFiles(const Submission& s, const fs::path& work)
{
    std::map<std::string, std::string> written;
    std::error_code ec;
    size_t seen = 0;
    for (fs::recursive_directory_iterator it(work, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end && ++seen <= kMostFiles * 2; it.increment(ec)) {
        if (fs::symlink_status(it->path(), ec).type() != fs::file_type::regular)
            continue;
        const std::string relative = it->path().lexically_relative(work).string();
        std::string bytes = readText(it->path());
        const bool copied = relative == fs::path(s.program).filename().string() ||
                            std::binary_search(s.beside->files.begin(), s.beside->files.end(), relative);
        if (copied) {
            const fs::path original = relative == fs::path(s.program).filename().string()
                                          ? fs::path(s.program)
                                          : fs::path(s.beside->folder) / relative;
            if (readText(original) == bytes)
                continue;
        }
        written.emplace(relative, std::move(bytes));
    }
    return written;
}

struct Spawned {
    pid_t pid = -1;
    std::string failure;
};

Spawned spawnRun(const std::vector<std::string>& args, const fs::path& folder, const fs::path& out)
{
    Spawned s;
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    const std::string records = (out / kOutputFile).string(), errors = (out / kErrorFile).string();
    posix_spawn_file_actions_addopen(&actions, 1, records.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    // A group of its own, so the run and whatever it started end together.
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int error = posix_spawn(&s.pid, argv[0], &actions, &attributes, argv.data(), environ);
    if (error != 0) {
        s.failure = "could not be started: " + std::string(std::strerror(error));
        s.pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return s;
}

// Waits for the run to end, ending its group at the deadline; the wait status.
int waitUntil(pid_t pid, std::chrono::steady_clock::time_point deadline, bool& killed)
{
    int status = 0;
    for (auto pause = std::chrono::microseconds(200);; pause = std::min(pause * 2, std::chrono::microseconds(5000))) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            break;
        if (std::chrono::steady_clock::now() >= deadline) {
            killed = true;
            ::kill(-pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            break;
        }
        std::this_thread::sleep_for(pause);
    }
    ::kill(-pid, SIGKILL); // whatever the run left behind in its group
    return status;
}

std::string shortened(const std::string& line)
{
    constexpr size_t kLongest = 300;
    return line.size() > kLongest ? line.substr(0, kLongest) + "..." : line;
}

// Why qeltool refused the run: its own line on standard error (Qt's warnings are left out), else
// its first record (the message a program file that cannot be read gives).
std::string refusal(const std::string& errors, const std::string& records)
{
    for (size_t at = 0; at < errors.size();) {
        const size_t end = std::min(errors.find('\n', at), errors.size());
        if (errors.compare(at, 9, "qeltool: ") == 0)
            return shortened(errors.substr(at, end - at));
        at = end + 1;
    }
    const QJsonObject first =
        QJsonDocument::fromJson(QByteArray::fromStdString(records.substr(0, records.find('\n')))).object();
    const QString message = first.value("message").toString();
    return message.isEmpty() ? "exit status 2" : shortened(message.toUtf8().toStdString());
}

std::string seconds(double s)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", s);
    return buf;
}

} // namespace

CaseRun runCase(const Submission& program, const std::string& script, const RunLimits& limits,
                const std::string& scratch)
{
    CaseRun run;
    const fs::path out = fs::path(scratch), work = out / "program", pages = out / "pages";
    std::error_code ec;
    fs::create_directories(pages, ec);
    run.folder = work.string();
    if (!copyBeside(program, work, run.failure))
        return run;
    const fs::path copy = work / fs::path(program.program).filename();
    run.picturePath = (out / kPictureFile).string();
    std::vector<std::string> args = {limits.tool,
                                     "run",
                                     copy.string(),
                                     "--sandbox",
                                     "--vars",
                                     "--snapshot",
                                     run.picturePath,
                                     "--print-dir",
                                     pages.string(),
                                     "--timeout",
                                     seconds(limits.timeout),
                                     "--memory-limit",
                                     std::to_string(limits.memoryLimit)};
    if (!script.empty()) {
        args.emplace_back("--events");
        args.push_back(script);
    }
    const auto started = std::chrono::steady_clock::now();
    const Spawned spawned = spawnRun(args, work, out);
    if (spawned.pid < 0) {
        run.failure = spawned.failure;
        return run;
    }
    bool killed = false;
    const auto deadline = started + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                        std::chrono::duration<double>(limits.timeout + kKillGrace));
    const int status = waitUntil(spawned.pid, deadline, killed);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    run.output = readText(out / kOutputFile);
    if (killed) {
        run.failure = "did not end within " + seconds(limits.timeout) + " s";
        return run;
    }
    if (WIFSIGNALED(status)) {
        run.failure = "crashed (signal " + std::to_string(WTERMSIG(status)) + ")";
        return run;
    }
    run.exitStatus = WEXITSTATUS(status);
    if (run.exitStatus == 2) {
        run.failure = "could not be run: " + refusal(readText(out / kErrorFile), run.output);
        return run;
    }
    if (run.exitStatus == 3) {
        run.failure = "timed out after " + seconds(limits.timeout) + " s";
        return run;
    }
    if (run.exitStatus != 0 && run.exitStatus != 1) {
        run.failure = "ended with exit status " + std::to_string(run.exitStatus);
        return run;
    }
    run.picture.load(QFile::decodeName(run.picturePath.c_str()), "PNG");
    run.written = writtenFiles(program, work);
    return run;
}

} // namespace qel::grade
