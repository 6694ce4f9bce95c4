// `qeltool grade` on a small class: a correct submission, a wrong picture, a wrong variable and
// file, one that forgets the mouse, a run-time error, an endless loop, a link to a file outside
// and a file that is no program, graded against the teacher's program with two event scripts. The
// verdicts and their reasons, the same whatever the number of jobs or shards, and the JUnit and
// HTML reports.

#include "app/sandbox.h"
#include "app_support.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace qel;
using namespace qel::test;
namespace fs = std::filesystem;

namespace {

struct Variant {
    std::string score = "42";
    std::string colour = "Red";
    bool countsClicks = true;
    // Lines at the end of Initialise.
    std::vector<std::pair<std::string, std::vector<std::string>>> extra = {};
};

// The teacher's exercise: work out a score, write it to a file, say so, draw a red box on green,
// and count the clicks.
std::string saveVariant(const std::string& path, const Variant& v)
{
    fs::create_directories(fs::path(path).parent_path());
    std::map<std::string, Session::Body> bodies;
    if (v.countsClicks)
        bodies["qelOnLeftButtonDown"] = [](ProgramBuilder& b) {
            b.add("Let", letFields("Clicks", "Clicks", "+", "1"));
        };
    return saveProgram(
        path,
        [&](Session& s) {
            s.build.add("DeclareVariable", variableFields("Integer", "Score", "0"))
                .add("DeclareVariable", variableFields("Integer", "Clicks", "0"))
                .add("DeclareVariable", variableFields("File", "F"))
                .add("DeclareVariable", arrayFields("Integer", "A", 3))
                .add("Let", letFields("Score", v.score))
                .add("TextFileOpen", {"F", "\"score.txt\"", "", "1"})
                .add("TextFileWrite", {"F", "Score", "", "", "1"})
                .add("TextFileClose", {"F"})
                .add("MessageBox", {"\"Done\"", "1", "", "", "", "", "", "1", "", "", ""});
            for (const auto& [keyword, fields] : v.extra)
                s.build.add(keyword, fields);
            s.build.section(kPaint)
                .add("WindowClear", {"Green"})
                .add("DrawRect", {"100", "100", "200", "150", "1", v.colour, v.colour, "", "1"});
        },
        bodies);
}

struct Class {
    std::string root = makeTempFolder();
    std::string reference = root + "/teacher/solution.qel";
    std::string submissions = root + "/class";
    std::string none = root + "/none.txt", click = root + "/click.txt";

    Class()
    {
        saveVariant(reference, {});
        saveVariant(submissions + "/good/prog.qel", {});
        saveVariant(submissions + "/picture/prog.qel", {.colour = "Blue"});
        saveVariant(submissions + "/variable/prog.qel", {.score = "41"});
        saveVariant(submissions + "/mouse/prog.qel", {.countsClicks = false});
        saveVariant(submissions + "/crashing/prog.qel", {.extra = {{"Let", letFields("A(4)", "1")}}});
        saveVariant(submissions + "/endless/prog.qel",
                    {.extra = {{"While", {"Score", "Less Than", "100"}}, {"EndWhile", {}}}});
        // A link beside a program is not copied: what it leads to stays out of the run's reach.
        saveVariant(submissions + "/linked/prog.qel",
                    {.extra = {{"TextFileOpen", {"F", "\"secret.txt\"", "1", ""}}, {"TextFileClose", {"F"}}}});
        writeBytes(root + "/secret.txt", "the answers\n");
        fs::create_symlink(root + "/secret.txt", submissions + "/linked/secret.txt");
        writeBytes(submissions + "/hostile.qel", std::string("\x7f"
                                                             "ELF not a program\0\xff",
                                                             21));
        writeBytes(none, "");
        writeBytes(click, "mouse down 20 20\nmouse up 20 20\n");
    }

    RunOutput grade(std::vector<std::string> extra) const
    {
        std::vector<std::string> args = {"grade",    reference, submissions, "--events", none,
                                         "--events", click,     "--timeout", "2"};
        args.insert(args.end(), extra.begin(), extra.end());
        return runToolProcess(args);
    }
};

// One JSON line a case, its time left out so runs compare.
std::vector<QJsonObject> casesOf(const RunOutput& r)
{
    std::vector<QJsonObject> cases;
    for (const std::string& line : r.lines) {
        QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        EXPECT_TRUE(o.value("seconds").isDouble()) << line;
        o.remove("seconds");
        o.remove("pictures");
        cases.push_back(o);
    }
    return cases;
}

std::string reasonsOf(const QJsonObject& c)
{
    std::string all;
    for (const QJsonValue& v : c.value("reasons").toArray())
        all += v.toString().toStdString() + "\n";
    return all;
}

bool skipWithoutSandbox() { return !landlockVersion().ok(); }

} // namespace

TEST(QeltoolGrade, EachSubmissionIsJudgedOnWhatItShowsLeavesAndDraws)
{
    if (skipWithoutSandbox())
        GTEST_SKIP() << "no Landlock";
    const Class c;
    const std::string html = c.root + "/report";
    const RunOutput one = c.grade({"--json", "--jobs", "1", "--junit", c.root + "/junit.xml", "--html", html});
    EXPECT_EQ(one.status, 1) << one.err;
    const std::vector<QJsonObject> cases = casesOf(one);
    ASSERT_EQ(cases.size(), 16u) << one.err;

    // The expected verdicts, case by case (the scripts in their order): the start of each reason.
    const std::string picture = "picture: 5100 pixels differ", error = "ended: error at Initialise line 10";
    const std::string score = "variable Score: expected 42, got 41", file = "file score.txt: line 1 differs";
    const std::string clicks = "variable Clicks: expected 1, got 0", notQel = "could not be run: Corrupt, Obsolete";
    const std::vector<std::tuple<std::string, std::string, std::vector<std::string>>> expected = {
        {"crashing/prog.qel", "none.txt", {"shown 2: got message \"RUN TIME ERROR", error}},
        {"crashing/prog.qel", "click.txt", {"shown 2: got message \"RUN TIME ERROR", error, clicks}},
        {"endless/prog.qel", "none.txt", {"timed out after 2 s"}},
        {"endless/prog.qel", "click.txt", {"timed out after 2 s"}},
        {"good/prog.qel", "none.txt", {}},
        {"good/prog.qel", "click.txt", {}},
        {"hostile.qel", "none.txt", {notQel}},
        {"hostile.qel", "click.txt", {notQel}},
        {"linked/prog.qel", "none.txt", {"shown 2: got message \"RUN TIME ERROR", error}},
        {"linked/prog.qel", "click.txt", {"shown 2: got message \"RUN TIME ERROR", error, clicks}},
        {"mouse/prog.qel", "none.txt", {}},
        {"mouse/prog.qel", "click.txt", {clicks}},
        {"picture/prog.qel", "none.txt", {picture}},
        {"picture/prog.qel", "click.txt", {picture}},
        {"variable/prog.qel", "none.txt", {score, file}},
        {"variable/prog.qel", "click.txt", {score, file}},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& [submission, script, reasons] = expected[i];
        SCOPED_TRACE(submission + " " + script);
        EXPECT_EQ(cases[i].value("submission").toString().toStdString(), submission);
        EXPECT_EQ(cases[i].value("case").toString().toStdString(), script);
        EXPECT_EQ(cases[i].value("passed").toBool(), reasons.empty());
        const QJsonArray given = cases[i].value("reasons").toArray();
        ASSERT_EQ(given.size(), static_cast<qsizetype>(reasons.size())) << reasonsOf(cases[i]);
        for (size_t k = 0; k < reasons.size(); ++k)
            EXPECT_EQ(given[static_cast<qsizetype>(k)].toString().toStdString().rfind(reasons[k], 0), 0u)
                << reasonsOf(cases[i]);
    }
    EXPECT_EQ(cases[4].value("messages").toArray().first().toString(), "Done");

    // The same verdicts four at a time, and from two shards merged.
    const RunOutput four = c.grade({"--json", "--jobs", "4"});
    EXPECT_EQ(casesOf(four), cases);
    std::vector<std::string> merge = {"grade", "--merge"};
    for (const char* shard : {"2/2", "1/2"}) {
        const RunOutput part = c.grade({"--json", "--shard", shard});
        EXPECT_EQ(part.lines.size(), 8u) << shard; // 4 submissions each
        merge.push_back(c.root + "/shard" + shard[0] + ".json");
        std::string text;
        for (const std::string& line : part.lines)
            text += line + "\n";
        writeBytes(merge.back(), text);
    }
    const RunOutput merged = runToolProcess(merge);
    EXPECT_EQ(merged.status, 0 + 1);
    EXPECT_EQ(casesOf(runToolProcess({merge[0], merge[1], merge[2], merge[3], "--json"})), cases);
    EXPECT_TRUE(holds(merged.lines.back(), {"1 of 8 submissions passed every case (3 of 16 cases)"}));

    // JUnit: a testsuite a submission with its counts, a testcase a script, a failure with its reason.
    QXmlStreamReader xml(QByteArray::fromStdString(readBytes(c.root + "/junit.xml")));
    int suites = 0, testcases = 0, failures = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == u"testsuite") {
            ++suites;
            EXPECT_TRUE(a.hasAttribute("name") && a.hasAttribute("tests") && a.hasAttribute("failures"));
        } else if (xml.name() == u"testcase") {
            ++testcases;
            EXPECT_TRUE(a.hasAttribute("name") && a.hasAttribute("classname") && a.hasAttribute("time"));
        } else if (xml.name() == u"failure") {
            ++failures;
            EXPECT_FALSE(a.value("message").isEmpty());
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(suites, 8);
    EXPECT_EQ(testcases, 16);
    EXPECT_EQ(failures, 13);

    // The HTML report: the pictures side by side, the difference red where the box is blue.
    const std::string index = readBytes(html + "/index.html");
    EXPECT_TRUE(holds(index, {"picture/prog.qel", "images/reference-c0.png", "images/s6-c0.png",
                              "images/s6-c0-difference.png", picture, "Done"}));
    const QImage difference(QString::fromStdString(html + "/images/s6-c0-difference.png"));
    const QImage reference(QString::fromStdString(html + "/images/reference-c0.png"));
    ASSERT_FALSE(difference.isNull());
    EXPECT_EQ(difference.pixel(150, 120), qRgb(255, 0, 0));
    EXPECT_NE(difference.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(reference.pixel(150, 120), QImage(QString::fromStdString(html + "/images/s5-c0.png")).pixel(150, 120));
    int red = 0;
    for (int y = 0; y < difference.height(); ++y)
        for (int x = 0; x < difference.width(); ++x)
            red += difference.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_EQ(red, 5100);
}

// Allowed pixels, a reference that does not run, and bad usage.
TEST(QeltoolGrade, ToleranceReferenceErrorsAndUsage)
{
    if (skipWithoutSandbox())
        GTEST_SKIP() << "no Landlock";
    const Class c;
    const std::string picture = c.submissions + "/picture/prog.qel";
    EXPECT_EQ(runToolProcess({"grade", c.reference, picture, "--tolerance", "5100"}).status, 0);
    const RunOutput over = runToolProcess({"grade", c.reference, picture, "--tolerance", "5099"});
    EXPECT_EQ(over.status, 1);
    EXPECT_TRUE(holds(over.lines.front(), {"submission", "passed", "seconds"}));
    EXPECT_TRUE(holds(over.lines[1], {"picture/prog.qel", "0/1"}));

    const RunOutput broken = runToolProcess({"grade", c.submissions + "/endless/prog.qel", picture, "--timeout", "1"});
    EXPECT_EQ(broken.status, 2);
    EXPECT_TRUE(holds(broken.err, {"the reference", "timed out after 1 s"}));
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"grade", c.reference},
                                                {"grade", c.reference, picture, "--shard", "3/2"},
                                                {"grade", c.reference, picture, "--jobs", "0"},
                                                {"grade", c.reference, c.root + "/missing"},
                                                {"grade", c.reference, picture, "--events", c.root + "/missing.txt"},
                                                {"grade", "--merge"}}) {
        const RunOutput r = runToolProcess(bad);
        EXPECT_EQ(r.status, 2) << bad.back();
        EXPECT_TRUE(holds(r.err, {"qeltool: "})) << r.err;
    }
}
