#include "check/lesson_profile.h"

#include "check/check_texts.h"
#include "fileio/file_io.h"
#include "program/keyword_table.h"
#include "program/system_names.h"
#include "values/names.h"

#include <filesystem>

namespace qel {

namespace {

constexpr std::string_view kIncludeWord = "include";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A keyword, or an instruction's label in the Add An Instruction lists.
std::optional<uint32_t> instructionNamed(std::string_view word)
{
    if (const auto code = keywordTable().lookupKeyword(word))
        return code;
    for (const InstructionInfo& info : allInstructions())
        if (!info.listLabel.empty() && sameName(info.listLabel, word))
            return info.code;
    return std::nullopt;
}

// One identity for a file however it was named, for the include cycle test.
std::string identityOf(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? std::filesystem::path(path).lexically_normal().string() : canonical.string();
}

class ProfileReader {
public:
    explicit ProfileReader(LessonProfile& profile) : profile_(profile) {}

    // Reads one file; `from` is where it was included (for the messages), `depth` how deep.
    void read(const std::string& path, const ProfileProblem& from, int depth)
    {
        const std::string identity = identityOf(path);
        for (const std::string& open : open_)
            if (open == identity)
                return problem(from, check_msg::kIncludeCycle, path);
        if (depth > kMaxProfileDepth)
            return problem(from, check_msg::kIncludeTooDeep, path);
        std::vector<uint8_t> bytes;
        if (!readWholeFile(path, bytes, kMaxProfileBytes))
            return problem(from, check_msg::kCannotReadProfile, path);
        open_.push_back(identity);
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        uint32_t number = 0;
        for (size_t start = 0; start <= text.size();) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos)
                end = text.size();
            line(path, ++number, text.substr(start, end - start), depth);
            start = end + 1;
        }
        open_.pop_back();
    }

private:
    void problem(const ProfileProblem& where, std::string_view message, std::string_view detail)
    {
        profile_.problems.push_back({where.file, where.line, {message, {std::string(detail)}}});
    }

    void line(const std::string& path, uint32_t number, std::string_view text, int depth)
    {
        text = trimmed(text.substr(0, text.find('#')));
        if (text.empty())
            return;
        const ProfileProblem here{path, number, {}};
        const size_t blank = text.find_first_of(" \t");
        if (blank != std::string_view::npos && sameName(text.substr(0, blank), kIncludeWord)) {
            const std::string name(trimmed(text.substr(blank)));
            const std::filesystem::path included(name);
            const std::string target =
                included.is_absolute() ? name : (std::filesystem::path(path).parent_path() / included).string();
            return read(target, here, depth + 1);
        }
        const std::optional<uint32_t> code = blank == std::string_view::npos ? instructionNamed(text) : std::nullopt;
        if (!code || *code > kLastLineType)
            return problem(here, check_msg::kUnknownKeyword, text);
        profile_.listed.set(*code);
    }

    LessonProfile& profile_;
    std::vector<std::string> open_; // the files being read, outermost first
};

uint32_t openerOfCloser(uint32_t type)
{
    switch (type) {
    case kElse:
    case kEndIf: return kIf;
    case kEndWhile: return kWhile;
    case kNext: return kFor;
    case kEndFunction: return kDeclareFunction;
    }
    return 0;
}

} // namespace

bool LessonProfile::allows(uint32_t type) const
{
    const uint32_t opener = openerOfCloser(type);
    return type == kBlank || type == kComment || (type <= kLastLineType && listed.test(type)) ||
           (opener != 0 && listed.test(opener));
}

LessonProfile readLessonProfile(const std::string& path)
{
    LessonProfile profile;
    profile.path = path;
    ProfileReader(profile).read(path, ProfileProblem{path, 0, {}}, 0);
    return profile;
}

std::vector<bool> linesOutside(const LessonProfile& profile, const Section& section)
{
    std::vector<bool> outside(section.lines.size(), false);
    bool inRequiredFunction = false; // the last DeclareFunction line is a handler a program must hold
    for (size_t i = 1; i < section.lines.size(); ++i) {
        const ProgramLine& line = section.lines[i];
        if (line.type == kDeclareFunction)
            inRequiredFunction = isRequiredLine(line);
        const bool allowed = profile.allows(line.type) || keywordTable().keywordName(line.type).empty() ||
                             isRequiredLine(line) || (line.type == kEndFunction && inRequiredFunction);
        outside[i] = !allowed;
    }
    return outside;
}

std::string problemPlace(const ProfileProblem& problem)
{
    return problem.file + ":" + std::to_string(problem.line) + ": ";
}

std::string problemText(const ProfileProblem& problem) { return problemPlace(problem) + noticeText(problem.message); }

} // namespace qel
