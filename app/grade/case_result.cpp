#include "app/grade/case_result.h"

#include "app/json_writer.h"
#include "app/tool_commands.h"
#include "fileio/file_io.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace qel::grade {

namespace {

// The texts of a result are UTF-8 throughout.
void writeTexts(std::ostream& out, const std::vector<std::string>& texts)
{
    out << "[";
    for (size_t i = 0; i < texts.size(); ++i)
        out << (i ? ", " : "") << jsonFileName(texts[i]);
    out << "]";
}

std::vector<std::string> textsOf(const QJsonValue& v)
{
    std::vector<std::string> texts;
    for (const auto& t : v.toArray())
        texts.push_back(t.toString().toUtf8().toStdString());
    return texts;
}

std::string text(const QJsonObject& o, const char* key) { return o.value(key).toString().toUtf8().toStdString(); }

// The largest shard file read: a course of a hundred thousand cases with long reasons.
constexpr uint64_t kMostJsonBytes = uint64_t{1} << 30;

} // namespace

std::string secondsText(double s)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", s);
    return buf;
}

std::string caseTitle(const CaseResult& r) { return r.caseName.empty() ? "(no events)" : r.caseName; }

void writeJsonLine(std::ostream& out, const CaseResult& r)
{
    out << "{\"submission\": " << jsonFileName(r.submission) << ", \"case\": " << jsonFileName(r.caseName)
        << ", \"passed\": " << (r.passed ? "true" : "false") << ", \"reasons\": ";
    writeTexts(out, r.reasons);
    out << ", \"seconds\": " << secondsText(r.seconds) << ", \"messages\": ";
    writeTexts(out, r.messages);
    if (!r.picture.empty() || !r.referencePicture.empty())
        out << ", \"pictures\": {\"reference\": " << jsonFileName(r.referencePicture)
            << ", \"submission\": " << jsonFileName(r.picture) << ", \"difference\": " << jsonFileName(r.difference)
            << "}";
    out << "}\n";
}

Result<std::vector<CaseResult>> readJsonLines(const std::string& path)
{
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes, kMostJsonBytes))
        return Failure(std::string(kCannotRead) + path);
    std::vector<CaseResult> results;
    size_t number = 0;
    for (size_t at = 0; at < bytes.size();) {
        const size_t end = std::min<size_t>(
            std::find(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end(), '\n') - bytes.begin(),
            bytes.size());
        ++number;
        const QByteArray line(reinterpret_cast<const char*>(bytes.data() + at), static_cast<qsizetype>(end - at));
        at = end + 1;
        if (line.trimmed().isEmpty())
            continue;
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (!o.value("submission").isString() || !o.value("case").isString() || !o.value("passed").isBool())
            return Failure("qeltool: " + path + " line " + std::to_string(number) + " is no grade result");
        CaseResult r;
        r.submission = text(o, "submission");
        r.caseName = text(o, "case");
        r.passed = o.value("passed").toBool();
        r.reasons = textsOf(o.value("reasons"));
        r.seconds = o.value("seconds").toDouble();
        r.messages = textsOf(o.value("messages"));
        const QJsonObject pictures = o.value("pictures").toObject();
        r.referencePicture = text(pictures, "reference");
        r.picture = text(pictures, "submission");
        r.difference = text(pictures, "difference");
        results.push_back(std::move(r));
    }
    return results;
}

std::vector<SubmissionCases> bySubmission(const std::vector<CaseResult>& results)
{
    std::vector<SubmissionCases> groups;
    for (size_t i = 0; i < results.size(); ++i) {
        if (i == 0 || results[i].submission != results[i - 1].submission)
            groups.push_back({i, i});
        SubmissionCases& g = groups.back();
        g.last = i + 1;
        g.passed += results[i].passed;
        g.seconds += results[i].seconds;
    }
    return groups;
}

std::string totalsSentence(const std::vector<SubmissionCases>& groups)
{
    size_t allPassed = 0, passed = 0, cases = 0;
    for (const SubmissionCases& g : groups) {
        allPassed += g.allPassed();
        passed += g.passed;
        cases += g.count();
    }
    return std::to_string(allPassed) + " of " + std::to_string(groups.size()) + " submissions passed every case (" +
           std::to_string(passed) + " of " + std::to_string(cases) + " cases)";
}

void writeSummary(std::ostream& out, const std::vector<CaseResult>& results)
{
    const auto groups = bySubmission(results);
    size_t width = std::string("submission").size();
    for (const SubmissionCases& g : groups)
        width = std::max(width, results[g.first].submission.size());
    const auto pad = [&](const std::string& s, size_t w) {
        return s + std::string(w > s.size() ? w - s.size() : 0, ' ');
    };
    out << pad("submission", width) << "  passed  seconds\n";
    for (const SubmissionCases& g : groups)
        out << pad(results[g.first].submission, width) << "  "
            << pad(std::to_string(g.passed) + "/" + std::to_string(g.count()), 6) << "  " << secondsText(g.seconds)
            << "\n";
    out << totalsSentence(groups) << "\n";
}

} // namespace qel::grade
