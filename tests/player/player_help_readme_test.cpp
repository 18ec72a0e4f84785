// The player's options as --help prints them and as README.md documents them are the same set.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/run_command.h"

namespace vessant {
namespace {

using Options = std::set<std::string>;

// Every --word in text, "--" alone included.
Options OptionsIn(const std::string& text) {
    static const std::regex option(R"((^|[^\w-])(--[a-z][a-z-]*|--)(?=$|[^\w-]))");
    Options found;
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it) found.insert((*it)[2]);
    return found;
}

// The options --help lists: the first word of each line of its option list.
Options HelpOptions() {
    const auto help = test::RunCommand(test::PlayerPath() + " --help");
    EXPECT_EQ(help.status, 0) << help.output;
    EXPECT_EQ(help.output.rfind("Usage: vessant-player", 0), 0u) << help.output;
    Options found;
    std::istringstream lines(help.output);
    static const std::regex entry(R"(^  (--[a-z-]*)( |$).*)");
    std::smatch match;
    for (std::string line; std::getline(lines, line);)
        if (std::regex_match(line, match, entry)) found.insert(match[1]);
    return found;
}

struct ReadmeOptions {
    Options table;     // the first column of the option table of "## The player"
    Options commands;  // every option of a vessant-player command line anywhere
};

ReadmeOptions ReadReadme() {
    std::ifstream file(std::string(VESSANT_SOURCE_DIR) + "/README.md");
    EXPECT_TRUE(file.good());
    ReadmeOptions readme;
    bool inPlayerSection = false;
    std::string command;  // a command line, its backslash continuations joined
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("## ", 0) == 0) inPlayerSection = line == "## The player";
        if (inPlayerSection && line.rfind("| `-", 0) == 0)
            for (const auto& option : OptionsIn(line.substr(0, line.find('|', 1)))) readme.table.insert(option);
        command += line;
        if (!line.empty() && line.back() == '\\') continue;
        const auto program = command.find("vessant-player ");
        if (program != std::string::npos)
            for (const auto& option : OptionsIn(command.substr(program))) readme.commands.insert(option);
        command.clear();
    }
    return readme;
}

TEST(PlayerHelpAndReadme, DocumentTheSameOptions) {
    const Options help = HelpOptions();
    ASSERT_GT(help.size(), 10u);
    const ReadmeOptions readme = ReadReadme();
    EXPECT_EQ(readme.table, help) << "the option table of README.md and --help differ";
    for (const auto& option : readme.commands)
        EXPECT_EQ(help.count(option), 1u) << "README.md runs vessant-player with " << option << ", which --help lacks";
}

}  // namespace
}  // namespace vessant
