#include "app/grade/junit_report.h"

#include "app/grade/markup.h"
#include "app/tool_commands.h"
#include "fileio/file_io.h"

#include <sstream>

namespace qel::grade {

namespace {

std::string attribute(const char* name, const std::string& value)
{
    return std::string(" ") + name + "=\"" + markupText(value) + "\"";
}

} // namespace

Status writeJUnit(const std::string& path, const std::vector<CaseResult>& results)
{
    std::ostringstream xml;
    size_t failures = 0;
    double seconds = 0;
    for (const CaseResult& r : results) {
        failures += !r.passed;
        seconds += r.seconds;
    }
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" << attribute("name", "qeltool grade")
        << attribute("tests", std::to_string(results.size())) << attribute("failures", std::to_string(failures))
        << attribute("errors", "0") << attribute("time", secondsText(seconds)) << ">\n";
    for (const SubmissionCases& g : bySubmission(results)) {
        const std::string& name = results[g.first].submission;
        xml << "  <testsuite" << attribute("name", name) << attribute("tests", std::to_string(g.count()))
            << attribute("failures", std::to_string(g.count() - g.passed)) << attribute("errors", "0")
            << attribute("skipped", "0") << attribute("time", secondsText(g.seconds)) << ">\n";
        for (size_t i = g.first; i < g.last; ++i) {
            const CaseResult& r = results[i];
            xml << "    <testcase" << attribute("name", caseTitle(r)) << attribute("classname", name)
                << attribute("time", secondsText(r.seconds));
            if (r.passed) {
                xml << "/>\n";
                continue;
            }
            std::string all;
            for (const std::string& reason : r.reasons)
                all += reason + "\n";
            xml << ">\n      <failure" << attribute("message", r.reasons.empty() ? "failed" : r.reasons.front())
                << attribute("type", "failed") << ">" << markupText(all) << "</failure>\n    </testcase>\n";
        }
        xml << "  </testsuite>\n";
    }
    xml << "</testsuites>\n";
    const std::string text = xml.str();
    if (!writeFileAtomically(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())))
        return Failure(std::string(kCannotWrite) + path);
    return success();
}

} // namespace qel::grade
