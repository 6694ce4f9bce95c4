#include "app/grade/outcome.h"

#include "program/program.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace qel::grade {

namespace {

std::string utf8(const QString& s) { return s.toUtf8().toStdString(); }

std::string quotedText(const QJsonValue& v) { return "\"" + utf8(v.toString()) + "\""; }

std::string valueText(const QJsonValue& v)
{
    if (v.isString())
        return quotedText(v);
    if (v.isDouble()) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.9g", v.toDouble());
        return buf;
    }
    return "null";
}

std::string place(const QJsonObject& at)
{
    const int section = at.value("section").toInt();
    const std::string name = section >= 0 && section < static_cast<int>(kSectionCount)
                                 ? std::string(sectionName(static_cast<uint32_t>(section)))
                                 : std::to_string(section);
    return name + " line " + std::to_string(at.value("line").toInt());
}

// A file name of the run's records, relative to the folder it ran in when it lies there.
std::string besideName(const QJsonValue& v, const std::string& folder)
{
    std::string name = utf8(v.toString());
    if (name.rfind(folder + "/", 0) == 0)
        name = name.substr(folder.size() + 1);
    return name;
}

// One record as a sentence, or empty for one that is not shown.
std::string sentence(const QJsonObject& r, const std::string& folder, Outcome& o)
{
    if (r.contains("message")) {
        o.messages.push_back(utf8(r.value("message").toString()));
        return "message " + quotedText(r.value("message")) + " (" + utf8(r.value("icon").toString()) + ")";
    }
    if (r.contains("sound"))
        return "sound " + besideName(r.value("sound"), folder);
    if (r.contains("document"))
        return "document " + besideName(r.value("document"), folder);
    if (r.contains("printed"))
        return "printed " + std::to_string(r.value("pages").toInt()) + " pages";
    if (r.contains("paused"))
        return "paused at " + place(r.value("paused").toObject());
    if (r.contains("list"))
        return "list " + quotedText(r.value("list").toObject().value("title"));
    return {};
}

std::string endSentence(const QJsonObject& r)
{
    const std::string word = utf8(r.value("end").toString());
    return word == "error" || word == "timeout" ? word + " at " + place(r) : word;
}

std::string subscripts(const Variable& v, qsizetype index)
{
    if (v.dims.empty())
        return v.name;
    const size_t comma = v.dims.find(',');
    if (comma == std::string::npos)
        return v.name + "(" + std::to_string(index + 1) + ")";
    const long inner = std::max(1L, std::atol(v.dims.c_str() + comma + 1));
    return v.name + "(" + std::to_string(index / inner + 1) + "," + std::to_string(index % inner + 1) + ")";
}

std::string compareShown(const std::vector<std::string>& expected, const std::vector<std::string>& actual)
{
    for (size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const std::string n = std::to_string(i + 1);
        if (i >= actual.size())
            return "shown " + n + ": expected " + expected[i] + ", got nothing more";
        if (i >= expected.size())
            return "shown " + n + ": got " + actual[i] + ", expected nothing more";
        if (expected[i] != actual[i])
            return "shown " + n + ": expected " + expected[i] + ", got " + actual[i];
    }
    return {};
}

std::string compareVariables(const std::vector<Variable>& expected, const std::vector<Variable>& actual)
{
    for (const Variable& e : expected) {
        const auto a = std::find_if(actual.begin(), actual.end(), [&](const Variable& v) { return v.name == e.name; });
        if (a == actual.end())
            return "variable " + e.name + ": not declared";
        if (a->type != e.type || a->dims != e.dims)
            return "variable " + e.name + ": " + a->type + (a->dims.empty() ? "" : "(" + a->dims + ")") +
                   ", expected " + e.type + (e.dims.empty() ? "" : "(" + e.dims + ")");
        for (qsizetype i = 0; i < std::max(e.values.size(), a->values.size()); ++i)
            if (e.values.at(i) != a->values.at(i))
                return "variable " + subscripts(e, i) + ": expected " + valueText(e.values.at(i)) + ", got " +
                       valueText(a->values.at(i));
    }
    return {};
}

// The number of the first line where two texts differ, from 1.
size_t firstDifferingLine(const std::string& a, const std::string& b)
{
    size_t line = 1;
    for (size_t i = 0; i < std::min(a.size(), b.size()) && a[i] == b[i]; ++i)
        line += a[i] == '\n';
    return line;
}

std::string compareFiles(const std::map<std::string, std::string>& expected,
                         const std::map<std::string, std::string>& actual)
{
    for (const auto& [name, bytes] : expected) {
        const auto a = actual.find(name);
        if (a == actual.end())
            return "file " + name + ": not written";
        if (a->second != bytes)
            return "file " + name + ": line " + std::to_string(firstDifferingLine(bytes, a->second)) + " differs";
    }
    return {};
}

} // namespace

Outcome outcomeOf(const CaseRun& run)
{
    const std::string& folder = run.folder;
    Outcome o;
    for (size_t at = 0; at < run.output.size();) {
        const size_t end = std::min(run.output.find('\n', at), run.output.size());
        const QJsonObject r =
            QJsonDocument::fromJson(QByteArray::fromRawData(run.output.data() + at, static_cast<qsizetype>(end - at)))
                .object();
        at = end + 1;
        if (r.contains("end")) {
            o.end = endSentence(r);
        } else if (r.contains("vars")) {
            for (const auto& v : r.value("vars").toArray()) {
                const QJsonObject var = v.toObject();
                o.variables.push_back({utf8(var.value("name").toString()), utf8(var.value("type").toString()),
                                       utf8(var.value("dims").toString()), var.value("values").toArray()});
            }
        } else if (std::string s = sentence(r, folder, o); !s.empty()) {
            o.shown.push_back(std::move(s));
        }
    }
    return o;
}

uint64_t differingPixels(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    const int w = std::min(x.width(), y.width()), h = std::min(x.height(), y.height());
    uint64_t differing = static_cast<uint64_t>(x.width()) * x.height() + static_cast<uint64_t>(y.width()) * y.height() -
                         2 * static_cast<uint64_t>(w) * h; // what one has and the other lacks
    for (int row = 0; row < h; ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < w; ++col)
            differing += p[col] != q[col];
    }
    return differing;
}

QImage differenceImage(const QImage& reference, const QImage& other)
{
    const QImage x = reference.convertToFormat(QImage::Format_RGB32), y = other.convertToFormat(QImage::Format_RGB32);
    QImage out(std::max(x.width(), y.width()), std::max(x.height(), y.height()), QImage::Format_RGB32);
    const QRgb red = qRgb(255, 0, 0);
    for (int row = 0; row < out.height(); ++row) {
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(row));
        for (int col = 0; col < out.width(); ++col) {
            const bool inX = row < x.height() && col < x.width(), inY = row < y.height() && col < y.width();
            if (!inX || !inY || x.pixel(col, row) != y.pixel(col, row)) {
                o[col] = red;
                continue;
            }
            // The same pixel, faded three quarters of the way to white.
            const QRgb p = x.pixel(col, row);
            o[col] = qRgb(191 + qRed(p) / 4, 191 + qGreen(p) / 4, 191 + qBlue(p) / 4);
        }
    }
    return out;
}

Judgement judge(const Outcome& expected, const CaseRun& expectedRun, const Outcome& actual, const CaseRun& actualRun,
                uint64_t tolerance)
{
    Judgement j;
    if (!actualRun.failure.empty()) {
        j.reasons.push_back(actualRun.failure);
        return j;
    }
    const auto add = [&j](std::string reason) {
        if (!reason.empty())
            j.reasons.push_back(std::move(reason));
    };
    add(compareShown(expected.shown, actual.shown));
    if (actual.end != expected.end)
        add("ended: " + actual.end + ", expected " + expected.end);
    add(compareVariables(expected.variables, actual.variables));
    add(compareFiles(expectedRun.written, actualRun.written));
    if (actualRun.picture.isNull()) {
        add("picture: none");
    } else {
        j.differingPixels = differingPixels(expectedRun.picture, actualRun.picture);
        if (j.differingPixels > tolerance)
            add("picture: " + std::to_string(j.differingPixels) + " pixels differ" +
                (tolerance ? " (tolerance " + std::to_string(tolerance) + ")" : ""));
    }
    return j;
}

} // namespace qel::grade
