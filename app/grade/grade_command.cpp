#include "app/grade/grade_command.h"

#include "app/grade/case_result.h"
#include "app/grade/case_run.h"
#include "app/grade/grade_options.h"
#include "app/grade/html_report.h"
#include "app/grade/junit_report.h"
#include "app/grade/outcome.h"
#include "app/grade/submissions.h"
#include "app/tool_commands.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <ostream>
#include <thread>

#include <unistd.h>

namespace qel {

using namespace grade;

namespace {

namespace fs = std::filesystem;

// Calls work(i) for every i below count, on `jobs` threads at once.
void inParallel(size_t count, unsigned jobs, const std::function<void(size_t)>& work)
{
    std::atomic<size_t> next{0};
    const auto worker = [&] {
        for (size_t i = next++; i < count; i = next++)
            work(i);
    };
    std::vector<std::thread> threads;
    for (unsigned j = 1; j < std::min<size_t>(jobs, count); ++j)
        threads.emplace_back(worker);
    worker();
    for (std::thread& t : threads)
        t.join();
}

std::string thisTool()
{
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("qeltool") : self.string();
}

// A scratch folder of its own beneath the system's, removed with what it holds when done.
class Scratch {
public:
    Scratch()
    {
        std::error_code ec;
        std::string pattern = (fs::temp_directory_path(ec) / "qel-grade-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~Scratch()
    {
        std::error_code ec;
        if (!path_.empty())
            fs::remove_all(path_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

struct Expected {
    CaseRun run;
    Outcome outcome;
    std::string picture; // in the HTML report
};

struct Grading {
    const GradeOptions& options;
    RunLimits limits;
    std::vector<std::string> scripts; // absolute; "" for a case without events
    const Scratch& scratch;
    fs::path images; // the HTML report's pictures, or empty
};

std::string caseName(const std::string& script) { return script.empty() ? "" : fs::path(script).filename().string(); }

void removeQuietly(const fs::path& p)
{
    std::error_code ec;
    fs::remove_all(p, ec);
}

CaseResult gradeCase(const Grading& g, const Submission& s, size_t index, size_t c, const Expected& expected)
{
    const fs::path folder = g.scratch.path() / ("s" + std::to_string(index) + "-c" + std::to_string(c));
    const CaseRun run = runCase(s, g.scripts[c], g.limits, folder.string());
    const Outcome outcome = outcomeOf(run);
    const Judgement j = judge(expected.outcome, expected.run, outcome, run, g.options.tolerance);
    CaseResult r;
    r.submission = s.name;
    r.caseName = caseName(g.scripts[c]);
    r.passed = j.reasons.empty();
    r.reasons = j.reasons;
    r.seconds = run.seconds;
    r.messages = outcome.messages;
    if (!g.images.empty() && !run.picture.isNull()) {
        const std::string stem = "s" + std::to_string(index) + "-c" + std::to_string(c);
        std::error_code ec;
        r.picture = (g.images / (stem + ".png")).string();
        if (!fs::copy_file(run.picturePath, r.picture, fs::copy_options::overwrite_existing, ec))
            r.picture.clear();
        r.difference = (g.images / (stem + "-difference.png")).string();
        if (!differenceImage(expected.run.picture, run.picture).save(QFile::decodeName(r.difference.c_str()), "PNG"))
            r.difference.clear();
        r.referencePicture = expected.picture;
    }
    removeQuietly(folder);
    return r;
}

int report(const GradeOptions& o, const std::vector<CaseResult>& results, std::ostream& out, std::ostream& err)
{
    if (o.json)
        for (const CaseResult& r : results)
            writeJsonLine(out, r);
    else
        writeSummary(out, results);
    out.flush();
    if (!o.junit.empty())
        if (const Status written = writeJUnit(o.junit, results); !written) {
            err << written.failureText() << "\n";
            return kExitUsage;
        }
    if (!o.html.empty())
        if (const Status written = writeHtmlReport(o.html, results); !written) {
            err << written.failureText() << "\n";
            return kExitUsage;
        }
    const bool all = std::all_of(results.begin(), results.end(), [](const CaseResult& r) { return r.passed; });
    return all ? kExitOk : kExitRunError;
}

int merge(const GradeOptions& o, std::ostream& out, std::ostream& err)
{
    std::vector<CaseResult> results;
    for (const std::string& file : o.merged) {
        Result<std::vector<CaseResult>> read = readJsonLines(file);
        if (!read) {
            err << read.failureText() << "\n";
            return kExitUsage;
        }
        std::move(read->begin(), read->end(), std::back_inserter(results));
    }
    // The shards' order on the command line does not matter: the submissions come sorted.
    std::stable_sort(results.begin(), results.end(),
                     [](const CaseResult& a, const CaseResult& b) { return a.submission < b.submission; });
    return report(o, results, out, err);
}

} // namespace

int gradeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Result<GradeOptions> parsed = parseGradeOptions(args);
    if (!parsed) {
        err << parsed.failureText() << "\nusage: " << std::string_view(kGradeUsage).substr(7);
        return kExitUsage;
    }
    const GradeOptions& o = *parsed;
    if (!o.merged.empty())
        return merge(o, out, err);

    Result<Submission> reference = referenceProgram(o.reference);
    Result<std::vector<Submission>> found = findSubmissions(o.submissions, o.reference);
    if (!reference || !found) {
        err << (!reference ? reference.failureText() : found.failureText()) << "\n";
        return kExitUsage;
    }
    if (found->empty()) {
        err << "qeltool: no programs (*.qel) among the submissions\n";
        return kExitUsage;
    }
    const std::vector<Submission> submissions = shardOf(std::move(*found), o.shard, o.shards);

    const Scratch scratch;
    if (scratch.path().empty()) {
        err << "qeltool: cannot make a scratch folder\n";
        return kExitUsage;
    }
    Grading g{o, {thisTool(), o.timeout, o.memoryLimit}, {}, scratch, {}};
    for (const std::string& script : o.scripts) {
        std::error_code ec;
        if (!fs::is_regular_file(script, ec) || ::access(script.c_str(), R_OK) != 0) {
            err << kCannotRead << script << "\n";
            return kExitUsage;
        }
        g.scripts.push_back(fs::absolute(script, ec).lexically_normal().string());
    }
    if (g.scripts.empty())
        g.scripts.emplace_back();
    if (!o.html.empty()) {
        std::error_code ec;
        g.images = fs::absolute(fs::path(o.html) / "images", ec);
        fs::create_directories(g.images, ec);
    }

    // The reference first: what it gives is what every submission is held to.
    std::vector<Expected> expected(g.scripts.size());
    inParallel(g.scripts.size(), o.jobs, [&](size_t c) {
        Expected& e = expected[c];
        e.run = runCase(*reference, g.scripts[c], g.limits,
                        (scratch.path() / ("reference-c" + std::to_string(c))).string());
        e.outcome = outcomeOf(e.run);
        if (!g.images.empty() && !e.run.picture.isNull()) {
            e.picture = (g.images / ("reference-c" + std::to_string(c) + ".png")).string();
            std::error_code ec;
            if (!fs::copy_file(e.run.picturePath, e.picture, fs::copy_options::overwrite_existing, ec))
                e.picture.clear();
        }
    });
    for (size_t c = 0; c < expected.size(); ++c) {
        const CaseRun& run = expected[c].run;
        std::string why = run.failure;
        if (why.empty() && run.exitStatus != kExitOk)
            why = "ended with " + expected[c].outcome.end;
        if (!why.empty()) {
            err << "qeltool: the reference " << o.reference
                << (g.scripts[c].empty() ? "" : " with " + caseName(g.scripts[c])) << " " << why << "\n";
            return kExitUsage;
        }
    }

    const size_t cases = g.scripts.size();
    std::vector<CaseResult> results(submissions.size() * cases);
    inParallel(results.size(), o.jobs, [&](size_t t) {
        results[t] = gradeCase(g, submissions[t / cases], t / cases, t % cases, expected[t % cases]);
    });
    return report(o, results, out, err);
}

} // namespace qel
