// Lesson profiles: reading them with their includes and problems, and the lines of a program that lie
// outside one.

#include "check/lesson_profile.h"
#include "check/program_check.h"
#include "support/run_fixture.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>

using namespace qel;
using namespace qel::test;

namespace {

std::vector<std::string> problemTexts(const LessonProfile& profile, const std::string& folder)
{
    std::vector<std::string> out;
    for (const ProfileProblem& p : profile.problems) {
        std::string text = problemText(p);
        for (size_t at; (at = text.find(folder)) != std::string::npos;)
            text.erase(at, folder.size());
        out.push_back(text);
    }
    return out;
}

} // namespace

TEST(LessonProfile, ReadsKeywordsIncludesAndReportsEachProblemWithItsLine)
{
    const std::string folder = makeTempFolder();
    writeBytes(folder + "/base.txt",
               "# first steps\r\nDeclareVariable\n  let  # comments end a line\nIF\n\nForms2Open\n");
    writeBytes(folder + "/lesson.txt", "include base.txt\nMessageBox\nDraw Line\nNoSuch\ninclude lesson.txt\n"
                                       "include missing.txt\n");
    // A chain of includes deeper than followed, and a file that is no text at all.
    for (int k = 0; k <= kMaxProfileDepth + 1; ++k)
        writeBytes(folder + "/deep" + std::to_string(k) + ".txt", "include deep" + std::to_string(k + 1) + ".txt\n");
    writeBytes(folder + "/deep" + std::to_string(kMaxProfileDepth + 2) + ".txt", "Let\n");
    std::string binary(300, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 7);
    writeBytes(folder + "/binary.txt", binary + std::string(100000, 'x'));

    const LessonProfile lesson = readLessonProfile(folder + "/lesson.txt");
    for (uint32_t type : {kDeclareVariable, kLet, kIf, kOpenForm2, kMessageBox})
        EXPECT_TRUE(lesson.listed.test(type)) << type;
    EXPECT_EQ(lesson.listed.count(), 5u);
    EXPECT_EQ(problemTexts(lesson, folder), (std::vector<std::string>{
                                                "/lesson.txt:3: Unknown instruction keyword - Draw Line",
                                                "/lesson.txt:4: Unknown instruction keyword - NoSuch",
                                                "/lesson.txt:5: The lesson profile includes itself - /lesson.txt",
                                                "/lesson.txt:6: Cannot read the lesson profile - /missing.txt",
                                            }));
    EXPECT_TRUE(lesson.allows(kComment) && lesson.allows(kBlank) && lesson.allows(kEndIf) && lesson.allows(kElse));
    EXPECT_FALSE(lesson.allows(kNext) || lesson.allows(kEndFunction) || lesson.allows(kDrawLine));

    // The bundled profiles read cleanly.
    for (const char* name : {"first_steps", "drawing", "files_and_forms"}) {
        const LessonProfile bundled = readLessonProfile(std::string(QEL_EXAMPLES_DIR) + "/profiles/" + name + ".txt");
        EXPECT_EQ(problemTexts(bundled, folder), std::vector<std::string>{}) << name;
        EXPECT_TRUE(bundled.listed.test(kLet) && bundled.listed.test(kMessageBox)) << name;
    }

    const LessonProfile deep = readLessonProfile(folder + "/deep0.txt");
    ASSERT_EQ(deep.problems.size(), 1u);
    EXPECT_TRUE(noticeText(deep.problems[0].message).starts_with("Lesson profiles are included too deeply - "))
        << noticeText(deep.problems[0].message);
    EXPECT_FALSE(deep.listed.test(kLet));

    const LessonProfile binaryProfile = readLessonProfile(folder + "/binary.txt");
    EXPECT_FALSE(binaryProfile.problems.empty());
    EXPECT_EQ(binaryProfile.listed.count(), 0u);
    EXPECT_EQ(problemTexts(readLessonProfile(folder), folder),
              std::vector<std::string>{":0: Cannot read the lesson profile - "});
}

// Closing lines follow their opening instruction; the handler lines every program holds, section
// titles and comments are always allowed; the check reports the rest by keyword.
TEST(LessonProfile, MarksTheLinesOutsideAndTheCheckReportsThem)
{
    const std::string folder = makeTempFolder();
    writeBytes(folder + "/steps.txt", "DeclareVariable\nIf\nLet\n");
    const LessonProfile profile = readLessonProfile(folder + "/steps.txt");
    ASSERT_TRUE(profile.problems.empty());

    Session s;
    s.handlers();
    s.build.add("DeclareVariable", variableFields("Integer", "A", "0"))
        .add("If", ifFields("A", "Equal", "1"))
        .add("Else")
        .add("Comment", {"counting"})
        .add("For", forFields("A", "1", "2"))
        .add("Next")
        .add("EndIf")
        .add("DrawLine", {"1", "1", "2", "2", "1", "Black", ""});
    EXPECT_EQ(linesOutside(profile, s.program.sections[kInitialise]),
              (std::vector<bool>{false, false, false, false, false, true, true, false, true}));
    for (uint32_t section : {kKeyboard, kMouse}) {
        const std::vector<bool> outside = linesOutside(profile, s.program.sections[section]);
        EXPECT_EQ(std::count(outside.begin(), outside.end(), true), 0) << section;
    }
    const std::vector<Finding> findings = checkProgram(s.program, s.variables, "", &profile);
    EXPECT_EQ(findings, (std::vector<Finding>{{0, 5, "Instruction outside the lesson profile - For"},
                                              {0, 6, "Instruction outside the lesson profile - Next"},
                                              {0, 8, "Instruction outside the lesson profile - DrawLine"}}));
}
