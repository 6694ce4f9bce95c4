#include "app/grade/grade_options.h"

#include "app/option_values.h"

#include <cstdio>
#include <thread>

namespace qel::grade {

namespace {

constexpr unsigned kMostJobs = 256;

// A whole number from low to high, and nothing after it.
bool readWhole(const std::string& text, uint64_t low, uint64_t high, uint64_t& value)
{
    unsigned long long n = 0;
    char rest = 0;
    if (text.empty() || text[0] == '-' || std::sscanf(text.c_str(), "%llu%c", &n, &rest) != 1 || n < low || n > high)
        return false;
    value = n;
    return true;
}

bool readShard(const std::string& text, uint32_t& shard, uint32_t& shards)
{
    const size_t slash = text.find('/');
    uint64_t k = 0, n = 0;
    if (slash == std::string::npos || !readWhole(text.substr(slash + 1), 1, 1u << 20, n) ||
        !readWhole(text.substr(0, slash), 1, n, k))
        return false;
    shard = static_cast<uint32_t>(k);
    shards = static_cast<uint32_t>(n);
    return true;
}

Failure bad(const std::string& what) { return Failure("qeltool: " + what); }

} // namespace

Result<GradeOptions> parseGradeOptions(const std::vector<std::string>& args)
{
    GradeOptions o;
    o.jobs = std::max(1u, std::thread::hardware_concurrency());
    bool merging = false;
    std::vector<std::string> files;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : std::string();
        uint64_t n = 0;
        if (a == "--json") {
            o.json = true;
        } else if (a == "--merge") {
            merging = true;
        } else if (a.rfind("--", 0) != 0) {
            files.push_back(a);
        } else if (!hasValue) {
            return bad("grade: " + a + " needs a value");
        } else if (a == "--events") {
            o.scripts.push_back(value);
        } else if (a == "--jobs") {
            if (!readWhole(value, 1, kMostJobs, n))
                return bad("grade: --jobs takes 1 to 256: " + value);
            o.jobs = static_cast<unsigned>(n);
        } else if (a == "--timeout") {
            if (!readTimeout(value, o.timeout) || !(o.timeout > 0))
                return bad("grade: --timeout takes seconds, more than 0 and at most a day: " + value);
        } else if (a == "--memory-limit") {
            uint64_t bytes = 0;
            if (!readMegabytes(value, bytes))
                return bad("grade: --memory-limit takes megabytes: " + value);
            o.memoryLimit = bytes >> 20;
        } else if (a == "--tolerance") {
            if (!readWhole(value, 0, UINT32_MAX, o.tolerance))
                return bad("grade: --tolerance takes a number of pixels: " + value);
        } else if (a == "--shard") {
            if (!readShard(value, o.shard, o.shards))
                return bad("grade: --shard takes K/N, 1 <= K <= N: " + value);
        } else if (a == "--junit") {
            o.junit = value;
        } else if (a == "--html") {
            o.html = value;
        } else {
            return bad("unknown option " + a);
        }
        if (a != "--json" && a != "--merge" && a.rfind("--", 0) == 0)
            ++i;
    }
    if (merging) {
        if (files.empty())
            return bad("grade --merge needs the JSON files of the shards");
        o.merged = std::move(files);
        return o;
    }
    if (files.size() < 2)
        return bad("grade needs the reference program and at least one submission");
    o.reference = files.front();
    o.submissions.assign(files.begin() + 1, files.end());
    return o;
}

} // namespace qel::grade
