#include "build_error.h"
#include "command_line.h"
#include "depfile.h"
#include "time_stamp.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

using namespace builder;

namespace {

TEST(BuildCommandLine, ReadsTheBuildCommand)
{
    BuildCommand command = std::get<BuildCommand>(
        parse_command({"build", "pkg.manifest", "--stub", "stub.exe", "--output", "setup.exe", "--define",
                       "ZELTAX=/b/zeltax.exe", "--define", "EMPTY=", "--depfile", "setup.d"}));
    EXPECT_EQ(command.manifest, "pkg.manifest");
    EXPECT_EQ(command.stub, "stub.exe");
    EXPECT_EQ(command.output, "setup.exe");
    EXPECT_EQ(command.depfile, "setup.d");
    EXPECT_EQ(command.defines, (Defines{{"EMPTY", ""}, {"ZELTAX", "/b/zeltax.exe"}}));
}

TEST(ListCommandLine, ReadsTheListCommand)
{
    EXPECT_EQ(std::get<ListCommand>(parse_command({"list", "out/setup.exe"})).setup_file, "out/setup.exe");
}

TEST(CommandLine, RefusesIncompleteOrUnknownArguments)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{}, "no command given"},
        {{"lists", "setup.exe"}, "unknown command \"lists\""},
        {{"list"}, "no setup file given"},
        {{"list", "a.exe", "b.exe"}, "the setup file is given twice"},
        {{"list", "--verbose", "a.exe"}, "unknown option --verbose"},
        {{"build", "--stub", "s", "--output", "o"}, "no manifest given"},
        {{"build", "m", "--output", "o"}, "--stub is missing"},
        {{"build", "m", "--stub", "s"}, "--output is missing"},
        {{"build", "m", "--stub", "s", "--output"}, "--output needs a value"},
        {{"build", "m", "n", "--stub", "s", "--output", "o"}, "the manifest is given twice"},
        {{"build", "m", "--stub", "s", "--stub", "t", "--output", "o"}, "--stub is given twice"},
        {{"build", "m", "--stub", "s", "--output", "o", "--level", "9"}, "unknown option --level"},
        {{"build", "m", "--stub", "s", "--output", "o", "--define", "NAME"},
         "--define needs NAME=VALUE with a name of letters, digits and \"_\", not \"NAME\""},
        {{"build", "m", "--stub", "s", "--output", "o", "--define", "A B=1"},
         "--define needs NAME=VALUE with a name of letters, digits and \"_\", not \"A B=1\""},
        {{"build", "m", "--stub", "s", "--output", "o", "--define", "A=1", "--define", "A=2"},
         "--define gives A twice"},
    };
    for (const Case& c : cases) {
        try {
            parse_command(c.arguments);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const BuildError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

TEST(SourceDateEpoch, TakesOnlyAPlainNumberOfSeconds)
{
    EXPECT_EQ(parse_source_date_epoch("1262304000"), 1262304000u);
    EXPECT_EQ(parse_source_date_epoch("4294967296"), 4294967296u);
    for (const char* bad : {"", " 5", "5 ", "-5", "+5", "12a", "99999999999999999999999"})
        EXPECT_THROW(parse_source_date_epoch(bad), BuildError) << bad;

    TimeStamp stamp = split_time_stamp(0x100000005ull);
    EXPECT_EQ(stamp.time_high, 1u);
    EXPECT_EQ(stamp.time_low, 5u);
}

TEST(Depfile, ListsEveryInputWithBlanksAndSpecialCharactersEscaped)
{
    EXPECT_EQ(compose_depfile("/b/setup.exe", {"/s/zeltax.manifest", "/s/My Files/a#1$.rtf"}),
              "/b/setup.exe: \\\n  /s/zeltax.manifest \\\n  /s/My\\ Files/a\\#1$$.rtf\n");
}

} // namespace
