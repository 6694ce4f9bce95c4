#include "app/grade/submissions.h"

#include "app/tool_commands.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

namespace qel::grade {

namespace fs = std::filesystem;

namespace {

// Entries looked at beneath one folder at most: a huge tree is not walked to its end.
constexpr size_t kMostEntries = 100000;

bool isProgramName(const fs::path& p)
{
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".qel";
}

bool isRegularFile(const fs::path& p)
{
    std::error_code ec;
    return fs::symlink_status(p, ec).type() == fs::file_type::regular;
}

std::shared_ptr<const FolderFiles> listBeside(const fs::path& folder)
{
    auto listed = std::make_shared<FolderFiles>();
    listed->folder = folder.string();
    std::vector<fs::path> files;
    std::set<fs::path> withPrograms; // subfolders holding a program, somewhere beneath
    std::error_code ec;
    size_t seen = 0;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (++seen > kMostEntries) {
            listed->tooLarge = true;
            return listed;
        }
        const fs::path relative = it->path().lexically_relative(folder);
        if (!isRegularFile(it->path()))
            continue;
        if (isProgramName(relative)) {
            for (fs::path up = relative.parent_path(); !up.empty(); up = up.parent_path())
                withPrograms.insert(up);
            continue;
        }
        files.push_back(relative);
    }
    uint64_t bytes = 0;
    for (const fs::path& f : files) {
        bool inOther = false;
        for (fs::path up = f.parent_path(); !up.empty() && !inOther; up = up.parent_path())
            inOther = withPrograms.count(up) > 0;
        if (inOther)
            continue;
        bytes += fs::file_size(folder / f, ec);
        listed->files.push_back(f.string());
        if (listed->files.size() > kMostFiles || bytes > kMostBytes) {
            listed->tooLarge = true;
            listed->files.clear();
            break;
        }
    }
    std::sort(listed->files.begin(), listed->files.end());
    return listed;
}

// One listing a folder, however many programs it holds.
class Listings {
public:
    std::shared_ptr<const FolderFiles> of(const fs::path& folder)
    {
        auto& slot = listed_[folder];
        if (!slot)
            slot = listBeside(folder);
        return slot;
    }

private:
    std::map<fs::path, std::shared_ptr<const FolderFiles>> listed_;
};

fs::path absoluteOf(const std::string& path)
{
    std::error_code ec;
    fs::path p = fs::absolute(path, ec);
    return ec ? fs::path(path) : p.lexically_normal();
}

bool sameFile(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

} // namespace

Result<Submission> referenceProgram(const std::string& path)
{
    const fs::path p = absoluteOf(path);
    std::error_code ec;
    if (!fs::is_regular_file(p, ec))
        return Failure(std::string(kCannotRead) + path);
    Listings listings;
    return Submission{path, p.string(), listings.of(p.parent_path())};
}

Result<std::vector<Submission>> findSubmissions(const std::vector<std::string>& arguments, const std::string& reference)
{
    const fs::path referencePath = absoluteOf(reference);
    Listings listings;
    std::vector<Submission> found;
    for (const std::string& argument : arguments) {
        const fs::path root = absoluteOf(argument);
        std::error_code ec;
        if (fs::is_regular_file(root, ec)) {
            found.push_back({argument, root.string(), listings.of(root.parent_path())});
            continue;
        }
        if (!fs::is_directory(root, ec))
            return Failure("qeltool: not a program file or folder: " + argument);
        size_t seen = 0;
        for (fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec), end;
             !ec && it != end && ++seen <= kMostEntries * 10; it.increment(ec)) {
            const fs::path& p = it->path();
            if (isProgramName(p) && isRegularFile(p) && !sameFile(p, referencePath))
                found.push_back({p.lexically_relative(root).string(), p.string(), listings.of(p.parent_path())});
        }
    }
    std::sort(found.begin(), found.end(), [](const Submission& a, const Submission& b) {
        return a.name != b.name ? a.name < b.name : a.program < b.program;
    });
    return found;
}

std::vector<Submission> shardOf(std::vector<Submission> all, uint32_t shard, uint32_t shards)
{
    const size_t n = all.size();
    const size_t begin = n * (shard - 1) / shards, end = n * shard / shards;
    return {std::make_move_iterator(all.begin() + static_cast<std::ptrdiff_t>(begin)),
            std::make_move_iterator(all.begin() + static_cast<std::ptrdiff_t>(end))};
}

} // namespace qel::grade
