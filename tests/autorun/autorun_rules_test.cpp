#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "autorun/autorun_policy.h"
#include "autorun/autorun_rules.h"
#include "autorun/autorun_state.h"

namespace qb {
namespace {

TEST(AutorunRules, TemplateIsNineCrlfLinesOf136Bytes) {
    const std::string_view bytes = autorun_template();
    EXPECT_EQ(bytes.size(), 136u);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        ASSERT_NE(end, std::string_view::npos) << "every line ends with CR LF";
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    const std::vector<std::string> expected{";QUILLOBRANTE",    "[AutoRun]",        "shellexecute=",
                                            "Action=Quillobrante", "Icon=",          "[Content]",
                                            "MusicFiles=false", "PictureFiles=false", "VideoFiles=false"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(bytes.find('\0'), std::string_view::npos);
    EXPECT_TRUE(has_autorun_marker(bytes));
}

TEST(AutorunRules, ValuesAreRelativeToTheDriveRoot) {
    EXPECT_EQ(program_value("E:\\Quillobrante.exe"), "Quillobrante.exe");
    EXPECT_EQ(program_value("E:\\Tools\\Quillobrante.exe"), "Tools\\Quillobrante.exe");
    EXPECT_EQ(program_value("E:"), "") << "too short for a drive prefix";
    EXPECT_EQ(icon_value("Quillobrante.exe", "E:\\Data\\MAINTHEME\\icon.ico", true), "Data\\MAINTHEME\\icon.ico");
    EXPECT_EQ(icon_value("Quillobrante.exe", "E:\\Data\\MAINTHEME\\icon.ico", false), "Quillobrante.exe,0");
    EXPECT_EQ(icon_value("Tools\\Quillobrante.exe", "E:\\Tools\\Data\\Blue\\icon.ico", false),
              "Tools\\Quillobrante.exe,0");
}

TEST(AutorunRules, MarkerIsExactAndCaseSensitive) {
    EXPECT_TRUE(has_autorun_marker(";QUILLOBRANTE"));
    EXPECT_TRUE(has_autorun_marker(";QUILLOBRANTE\r\n[AutoRun]"));
    EXPECT_FALSE(has_autorun_marker(";quillobrante"));
    EXPECT_FALSE(has_autorun_marker(";QUILLOBRANT")) << "a shorter file";
    EXPECT_FALSE(has_autorun_marker(""));
    EXPECT_FALSE(has_autorun_marker(std::string_view(";QUILL\0BRANTE", 13)));
    EXPECT_FALSE(has_autorun_marker(" ;QUILLOBRANTE"));
}

TEST(AutorunRules, ProgramNamedByTheCommandLine) {
    // Quoted, with one blank after the closing quote, as Windows starts it.
    EXPECT_EQ(command_line_program("\"E:\\Quillobrante.exe\" "), "Quillobrante.exe");
    // Quoted without a blank: the name keeps its last letter.
    EXPECT_EQ(command_line_program("\"E:\\Quillobrante.exe\""), "Quillobrante.exe");
    EXPECT_EQ(command_line_program("\"E:\\Tools\\Quillobrante.exe\"  \t"), "Tools\\Quillobrante.exe");
    // An argument after the program: not the program alone.
    EXPECT_EQ(command_line_program("\"E:\\Quillobrante.exe\" /x"), std::nullopt);
    EXPECT_EQ(command_line_program("\"E:\\Quillobrante.exe\"x"), std::nullopt);
    // Unquoted: the whole line, without its drive prefix.
    EXPECT_EQ(command_line_program("E:\\Quillobrante.exe"), "Quillobrante.exe");
    EXPECT_EQ(command_line_program("E:\\Quillobrante.exe /x"), "Quillobrante.exe /x");
    EXPECT_EQ(command_line_program("Quillobrante.exe"), "Quillobrante.exe");
    // Degenerate lines stay harmless.
    EXPECT_EQ(command_line_program(""), "");
    EXPECT_EQ(command_line_program("\""), "");
    EXPECT_EQ(command_line_program("\"\""), "");
    EXPECT_EQ(command_line_program("\"E:\\Quillobrante.exe"), "Quillobrante.exe") << "no closing quote";
    EXPECT_EQ(command_line_program("E:"), "E:");
}

TEST(AutorunRules, FindingsOfACheck) {
    const std::string_view ours = ";QUILLOBRANTE";
    EXPECT_EQ(autorun_findings(std::nullopt, "", "\"E:\\Quillobrante.exe\" "), kAutorunMissing)
        << "a file that cannot be opened is only missing";
    EXPECT_EQ(autorun_findings(ours, "Quillobrante.exe", "\"E:\\Quillobrante.exe\" "), 0);
    EXPECT_EQ(autorun_findings(ours, "Quillobrante.exe", "\"E:\\Quillobrante.exe\""), 0);
    EXPECT_EQ(autorun_findings(ours, "Quillobrante.exe", "E:\\Quillobrante.exe"), 0);
    EXPECT_EQ(autorun_findings(ours, "Quillobrante.exe", "\"E:\\Quillobrante.exe\" /x"), kAutorunWrongTarget);
    EXPECT_EQ(autorun_findings(ours, "quillobrante.exe", "E:\\Quillobrante.exe"), kAutorunWrongTarget)
        << "the comparison keeps letter case";
    EXPECT_EQ(autorun_findings(ours, "Tools\\Quillobrante.exe", "\"F:\\Tools\\Quillobrante.exe\""), 0)
        << "the drive letter is never compared";
    EXPECT_EQ(autorun_findings(";quillobrante", "Other.exe", "E:\\Quillobrante.exe"),
              kAutorunForeign | kAutorunWrongTarget);
    // A file without a shellexecute key reads as the default value.
    EXPECT_EQ(autorun_findings("[AutoRun]\r\n", kDefaultProgramValue, "E:\\Quillobrante.exe"), kAutorunForeign);
    EXPECT_EQ(autorun_findings("", kDefaultProgramValue, "E:\\Quillobrante.exe"), kAutorunForeign);
    // A command line the program could not read names nothing, not even an empty value.
    EXPECT_EQ(autorun_findings(ours, "", std::nullopt), kAutorunWrongTarget);
    EXPECT_EQ(autorun_findings(ours, "", ""), 0);

    // Only a write that configured the drive clears what a check found.
    const std::uint16_t found = kAutorunForeign | kAutorunWrongTarget;
    EXPECT_EQ(findings_after_write(AutorunWriteResult::Configured, found), 0);
    for (const AutorunWriteResult kept : {AutorunWriteResult::Failed, AutorunWriteResult::ConfigureFailed,
                                          AutorunWriteResult::LeftForeign}) {
        EXPECT_EQ(findings_after_write(kept, found), found) << static_cast<int>(kept);
    }
}

TEST(AutorunPolicy, JudgedByTheFirstByte) {
    using namespace std::string_literals;
    EXPECT_EQ(judge_autorun_policy(PolicyQuery::Read, "\0\0\0\0"s), PolicyFinding::InOrder);
    EXPECT_EQ(judge_autorun_policy(PolicyQuery::Read, "\0\x01\0\0"s), PolicyFinding::InOrder) << "0x100";
    EXPECT_EQ(judge_autorun_policy(PolicyQuery::Read, "\x91\0\0\0"s), PolicyFinding::ExcludesDrives);
    EXPECT_EQ(judge_autorun_policy(PolicyQuery::Read, "0\0"s), PolicyFinding::ExcludesDrives) << "the text 0";
    EXPECT_EQ(judge_autorun_policy(PolicyQuery::Read, "\0"s), PolicyFinding::InOrder) << "an empty text";
    EXPECT_EQ(judge_autorun_policy(PolicyQuery::Read, ""), PolicyFinding::ExcludesDrives) << "no data at all";
    EXPECT_EQ(judge_autorun_policy(PolicyQuery::Read, std::string(15, '\0')), PolicyFinding::InOrder);
    EXPECT_EQ(judge_autorun_policy(PolicyQuery::Read, std::string(16, '\0')), PolicyFinding::Unreadable);
    EXPECT_EQ(judge_autorun_policy(PolicyQuery::NotFound, ""), PolicyFinding::ValueMissing);
    EXPECT_EQ(judge_autorun_policy(PolicyQuery::Failed, ""), PolicyFinding::Unreadable);
}

}  // namespace
}  // namespace qb
