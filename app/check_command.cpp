#include "app/check_command.h"

#include "app/json_writer.h"
#include "app/opened_file.h"
#include "app/tool_commands.h"
#include "check/program_check.h"

#include <optional>
#include <ostream>

namespace qel {

namespace {

struct CheckOptions {
    std::string file;
    std::optional<std::string> profile;
};

std::optional<CheckOptions> readOptions(const std::vector<std::string>& args)
{
    CheckOptions o;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--profile" && i + 1 < args.size() && !o.profile)
            o.profile = args[++i];
        else if (o.file.empty() && !args[i].starts_with("--"))
            o.file = args[i];
        else
            return std::nullopt;
    }
    if (o.file.empty())
        return std::nullopt;
    return o;
}

} // namespace

int checkCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::optional<CheckOptions> options = readOptions(args);
    if (!options) {
        err << "usage: " << kCheckUsage.substr(kCheckUsage.find("qeltool"));
        return kExitUsage;
    }
    std::optional<LessonProfile> profile;
    if (options->profile) {
        profile = readLessonProfile(*options->profile);
        for (const ProfileProblem& p : profile->problems)
            err << "qeltool: " << problemText(p) << "\n";
        if (!profile->problems.empty())
            return kExitUsage;
    }
    const OpenedFile f(options->file, err);
    if (!f.result)
        return kExitUsage;
    if (f.result->status != ReadStatus::Ok) {
        err << kCannotRead << options->file << "\n";
        for (const CollectingHost::Message& m : f.host.messages)
            err << m.text << "\n";
        return kExitUsage;
    }
    const std::vector<Finding> findings =
        checkProgram(f.program, f.variables, options->file, profile ? &*profile : nullptr);
    for (const Finding& f : findings)
        out << "{\"section\": " << jsonString(sectionName(f.section)) << ", \"line\": " << f.line
            << ", \"message\": " << jsonString(f.message) << "}\n";
    return findings.empty() ? kExitOk : kExitRunError;
}

} // namespace qel
