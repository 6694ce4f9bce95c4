#include "app/grade/html_report.h"

#include "app/grade/markup.h"
#include "app/tool_commands.h"
#include "fileio/file_io.h"

#include <filesystem>
#include <map>
#include <sstream>

namespace qel::grade {

namespace fs = std::filesystem;

namespace {

constexpr const char* kHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>QEL grades</title>
<style>
body { font-family: sans-serif; margin: 1.5em; }
table { border-collapse: collapse; width: 100%; }
th, td { border-bottom: 1px solid #ccc; padding: 0.3em 0.6em; text-align: left; vertical-align: top; }
th { cursor: pointer; background: #eee; user-select: none; }
th::after { content: " \2195"; color: #888; }
td.passed { color: #060; font-weight: bold; }
td.failed { color: #b00; font-weight: bold; }
summary { cursor: pointer; }
.case { margin: 0.6em 0 1em 1.2em; }
.case h3 { font-size: 1em; margin: 0.4em 0; }
.pictures { display: flex; flex-wrap: wrap; gap: 1em; }
figure { margin: 0; }
figure img { border: 1px solid #999; max-width: 260px; image-rendering: pixelated; }
figcaption { font-size: 0.85em; color: #444; }
.reasons li { color: #b00; }
</style>
</head>
<body>
<h1>QEL grades</h1>
)";

constexpr const char* kTail = R"(<script>
// A click on a heading sorts by that column; a second click reverses the order.
document.querySelectorAll("#grades th").forEach((th, column) => {
  th.addEventListener("click", () => {
    const body = document.querySelector("#grades tbody");
    const rows = Array.from(body.rows);
    const key = th.dataset.key;
    const down = th.dataset.down !== "1";
    document.querySelectorAll("#grades th").forEach(h => delete h.dataset.down);
    if (down) th.dataset.down = "1";
    rows.sort((a, b) => {
      const x = a.dataset[key], y = b.dataset[key];
      const order = isNaN(x) || isNaN(y) ? x.localeCompare(y) : x - y;
      return down ? order : -order;
    });
    rows.forEach(r => body.appendChild(r));
  });
});
</script>
</body>
</html>
)";

// Pictures named in the results, each in the report's images/ folder once: a picture already
// there keeps its name; one from elsewhere is copied in under a new one. Empty for none.
class Pictures {
public:
    explicit Pictures(const fs::path& folder) : images_(folder / "images") {}

    std::string place(const std::string& path)
    {
        if (path.empty())
            return {};
        std::error_code ec;
        const fs::path from = fs::absolute(path, ec).lexically_normal();
        if (const auto done = placed_.find(from); done != placed_.end())
            return done->second;
        std::string name;
        if (from.parent_path() == fs::absolute(images_, ec).lexically_normal()) {
            name = from.filename().string();
        } else {
            fs::create_directories(images_, ec);
            name = "merged-" + std::to_string(++copied_) + ".png";
            if (!fs::copy_file(from, images_ / name, fs::copy_options::overwrite_existing, ec))
                name.clear();
        }
        if (!fs::is_regular_file(images_ / name, ec))
            name.clear();
        return placed_[from] = name.empty() ? std::string() : "images/" + name;
    }

private:
    fs::path images_;
    std::map<fs::path, std::string> placed_;
    size_t copied_ = 0;
};

void figure(std::ostream& html, const std::string& source, const char* caption)
{
    if (!source.empty())
        html << "<figure><img src=\"" << markupText(source) << "\" alt=\"" << caption << "\"><figcaption>" << caption
             << "</figcaption></figure>";
}

void writeCase(std::ostream& html, const CaseResult& r, Pictures& pictures)
{
    html << "<div class=\"case\"><h3>" << markupText(caseTitle(r)) << ": " << (r.passed ? "passed" : "failed") << " ("
         << secondsText(r.seconds) << " s)</h3>\n";
    if (!r.reasons.empty()) {
        html << "<ul class=\"reasons\">";
        for (const std::string& reason : r.reasons)
            html << "<li>" << markupText(reason) << "</li>";
        html << "</ul>\n";
    }
    const std::string reference = pictures.place(r.referencePicture), own = pictures.place(r.picture),
                      difference = pictures.place(r.difference);
    if (!reference.empty() || !own.empty()) {
        html << "<div class=\"pictures\">";
        figure(html, own, "Submission");
        figure(html, reference, "Reference");
        figure(html, difference, "Difference");
        html << "</div>\n";
    }
    if (!r.messages.empty()) {
        html << "<p>Messages shown:</p><ol class=\"messages\">";
        for (const std::string& m : r.messages)
            html << "<li><pre>" << markupText(m) << "</pre></li>";
        html << "</ol>\n";
    }
    html << "</div>\n";
}

} // namespace

Status writeHtmlReport(const std::string& folder, std::vector<CaseResult> results)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    Pictures pictures{fs::path(folder)};
    std::ostringstream html;
    html << kHead;
    const auto groups = bySubmission(results);
    std::ostringstream rows;
    for (const SubmissionCases& g : groups) {
        const bool all = g.allPassed();
        const std::string name = markupText(results[g.first].submission);
        rows << "<tr data-name=\"" << name << "\" data-result=\"" << (all ? 1 : 0) << "\" data-passed=\"" << g.passed
             << "\" data-seconds=\"" << secondsText(g.seconds) << "\"><td><details><summary>" << name << "</summary>\n";
        for (size_t i = g.first; i < g.last; ++i)
            writeCase(rows, results[i], pictures);
        rows << "</details></td><td class=\"" << (all ? "passed\">passed" : "failed\">failed") << "</td><td>"
             << g.passed << "/" << g.count() << "</td><td>" << secondsText(g.seconds) << "</td></tr>\n";
    }
    html << "<p>" << totalsSentence(groups) << ".</p>\n";
    html << "<table id=\"grades\"><thead><tr><th data-key=\"name\">Submission</th><th data-key=\"result\">Result</th>"
            "<th data-key=\"passed\">Cases passed</th><th data-key=\"seconds\">Seconds</th></tr></thead>\n<tbody>\n"
         << rows.str() << "</tbody></table>\n"
         << kTail;
    const std::string text = html.str();
    const std::string index = (fs::path(folder) / "index.html").string();
    if (!writeFileAtomically(index, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())))
        return Failure(std::string(kCannotWrite) + index);
    return success();
}

} // namespace qel::grade
