#include "uninstall_logic.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Entries in failure messages, found by the test framework next to the type.
void PrintTo(const UninstallEntry& entry, std::ostream* out)
{
    *out << "{" << static_cast<int>(entry.kind) << ", \"" << entry.value << "\"}";
}

namespace {

// ---- command lines

struct ArgumentCase {
    std::string command_line;
    std::size_t n;
    std::string expected;
};

TEST(CommandArgument, SplitsAtBlanksOutsideAnyOfTheThreeQuotes)
{
    const ArgumentCase cases[] = {
        {"\"C:\\My Apps\\uninstall.exe\" \"C:\\My Apps\\Install_Log.txt\"", 0, "C:\\My Apps\\uninstall.exe"},
        {"\"C:\\My Apps\\uninstall.exe\" \"C:\\My Apps\\Install_Log.txt\"", 1, "C:\\My Apps\\Install_Log.txt"},
        {"\"C:\\My Apps\\uninstall.exe\" \"C:\\My Apps\\Install_Log.txt\"", 2, ""},
        // Every blank ends an argument: a run of blanks makes empty ones.
        {"prog  log", 1, ""},
        {"prog  log", 2, "log"},
        {"prog ", 1, ""},
        // The curly quotes of code page 1252 quote as well, and mix with the straight one.
        {"prog \x93" "C:\\My Dir\\log.txt\x94 next", 1, "C:\\My Dir\\log.txt"},
        {"prog \x93" "C:\\My Dir\\log.txt\x94 next", 2, "next"},
        {"prog \"a b\x94 c", 1, "a b"},
        {"prog \x94" "a b\x93 c", 2, "c"},
        // Quotes inside a word are dropped; what they enclose stays one argument.
        {"pro\"g r\"am x", 0, "prog ram"},
        {"pro\"g r\"am x", 1, "x"},
        {"\"\" \"\" third", 1, ""},
        {"\"\" \"\" third", 2, "third"},
        // Missing arguments.
        {"prog", 1, ""},
        {"", 0, ""},
        {"", 3, ""},
        // An unclosed quote runs to the end.
        {"prog \"a b c", 1, "a b c"},
    };
    for (const ArgumentCase& c : cases) {
        SCOPED_TRACE("command line [" + c.command_line + "] argument " + std::to_string(c.n));
        EXPECT_EQ(command_argument(c.n, c.command_line), c.expected);
    }
}

TEST(WorkingCopyCommandLine, HandsOnBothPathsAlsoFromATemporaryDirectoryWithBlanks)
{
    const std::string copy = "C:\\Documents and Settings\\Jo Smith\\Local Settings\\Temp\\Del1A.tmp";
    const std::string log = "C:\\Program Files\\Zelmor Income Tax 2010\\Install_Log.txt";
    const std::string started = "C:\\Program Files\\Zelmor Income Tax 2010\\uninstall.exe";
    std::string line = working_copy_command_line(copy, log, started);

    EXPECT_EQ(line, "\"" + copy + "\" \"" + log + "\" \"" + started + "\" CLONEADCUNQNM");
    EXPECT_EQ(command_argument(0, line), copy);
    EXPECT_EQ(command_argument(1, line), log);
    EXPECT_EQ(command_argument(2, line), started);
    EXPECT_TRUE(is_working_copy(line));
}

TEST(WorkingCopyCommandLine, KeepsAnEmptyLogArgumentInItsPlace)
{
    std::string line = working_copy_command_line("C:\\Temp\\Del1.tmp", "", "C:\\App\\uninstall.exe");
    EXPECT_EQ(command_argument(1, line), "");
    EXPECT_EQ(command_argument(2, line), "C:\\App\\uninstall.exe");
}

TEST(IsWorkingCopy, LooksForTheMarkerAnywhereInTheLine)
{
    EXPECT_FALSE(is_working_copy("\"C:\\App\\uninstall.exe\" \"C:\\App\\Install_Log.txt\""));
    EXPECT_FALSE(is_working_copy(""));
    EXPECT_TRUE(is_working_copy("C:\\Temp\\Del1.tmp \"\" \"C:\\App\\uninstall.exe\" CLONEADCUNQNM"));
}

// ---- reading the log

// The bytes of a log, handed out line by line as the installation's line reader does: a line ends
// at LF, its text at the first CR, and a bare LF or the end gives false.
class TextLines : public LineSource {
public:
    explicit TextLines(std::string bytes) : bytes_(std::move(bytes)) {}
    bool read_line(std::string& line) override
    {
        line.clear();
        std::size_t taken = 0;
        bool text_ended = false;
        while (position_ < bytes_.size()) {
            char c = bytes_[position_++];
            if (c == '\n') break;
            ++taken;
            if (c == '\r') text_ended = true;
            if (!text_ended) line += c;
        }
        return taken > 0;
    }

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

std::vector<UninstallEntry> entries_of(const std::string& bytes)
{
    TextLines lines(bytes);
    return read_log_entries(lines);
}

TEST(KindFromLine, KnowsEveryKindInAnyLetterCaseAndNothingElse)
{
    const std::pair<std::string, EntryKind> known[] = {
        {"Description", EntryKind::description},
        {"Directory Created", EntryKind::directory_created},
        {"PROGRAM GROUP CREATED", EntryKind::program_group_created},
        {"desktop shortcut created", EntryKind::desktop_shortcut},
        {"Program Group Shortcut Created", EntryKind::program_group_shortcut},
        {"Startup Shortcut Created", EntryKind::startup_shortcut},
        {"file created", EntryKind::file_created},
        {"File Created Ask To Remove", EntryKind::file_ask_to_remove},
        {"File Created Ask To Remove AND UNREGISTER", EntryKind::file_ask_to_remove_and_unregister},
        {"Delete List", EntryKind::delete_list},
        {"Registry Entry Created", EntryKind::registry_entry},
        {"registry value created", EntryKind::registry_value},
    };
    for (const auto& [line, kind] : known) {
        SCOPED_TRACE(line);
        ASSERT_TRUE(kind_from_line(line).has_value());
        EXPECT_EQ(*kind_from_line(line), kind);
    }
    for (const char* other : {"", "File Created ", " File Created", "File", "Registry Entry", "Warning"})
        EXPECT_FALSE(kind_from_line(other).has_value()) << other;
}

TEST(ReadLogEntries, PairsEachKindLineWithTheLineAfterIt)
{
    std::vector<UninstallEntry> expected = {
        {EntryKind::directory_created, "C:\\Apps\\Demo"},
        {EntryKind::file_created, "C:\\Apps\\Demo\\Install_Log.txt"},
        {EntryKind::description, "Demo"},
        {EntryKind::registry_value, "HKEY_CURRENT_USER\\Software\\Demo\\"},
        {EntryKind::file_created, ""},
    };
    EXPECT_EQ(entries_of("Directory Created\r\nC:\\Apps\\Demo\r\n"
                         "FILE CREATED\r\nC:\\Apps\\Demo\\Install_Log.txt\r\n"
                         "description\r\nDemo\r\n"
                         "Registry Value Created\r\nHKEY_CURRENT_USER\\Software\\Demo\\\r\n"
                         "File Created\r\n\r\n"),
              expected);
}

TEST(ReadLogEntries, TurnsAnyOtherLineIntoAnUnknownEntryAndReadsTheNextAsAKind)
{
    std::vector<UninstallEntry> expected = {
        {EntryKind::unknown, "Unknown or unsupported function."},
        {EntryKind::file_created, "C:\\a.txt"},
        {EntryKind::unknown, "Unknown or unsupported function."},
        {EntryKind::unknown, "Unknown or unsupported function."},
        {EntryKind::file_created, "C:\\b.txt"},
    };
    EXPECT_EQ(entries_of("Installed on Monday\r\n"
                         "File Created\r\nC:\\a.txt\r\n"
                         "\r\n"
                         "Shortcut Made\r\n"
                         "File Created\r\nC:\\b.txt\r\n"),
              expected);
}

TEST(ReadLogEntries, DropsAKindLineWithoutItsValueLine)
{
    std::vector<UninstallEntry> one = {{EntryKind::file_created, "C:\\a.txt"}};
    EXPECT_EQ(entries_of("File Created\r\nC:\\a.txt\r\nFile Created\r\n"), one);
    // A value line that is a bare LF drops its kind line too; the lines after it still count.
    std::vector<UninstallEntry> two = {{EntryKind::file_created, "C:\\a.txt"}, {EntryKind::file_created, "C:\\b.txt"}};
    EXPECT_EQ(entries_of("File Created\r\nC:\\a.txt\r\nFile Created\n\nFile Created\r\nC:\\b.txt\r\n"), two);
}

TEST(ReadLogEntries, StopsAtAKindLineThatIsABareLineFeed)
{
    std::vector<UninstallEntry> expected = {{EntryKind::file_created, "C:\\a.txt"}};
    EXPECT_EQ(entries_of("File Created\r\nC:\\a.txt\r\n\nFile Created\r\nC:\\b.txt\r\n"), expected);
    EXPECT_TRUE(entries_of("").empty());
    EXPECT_TRUE(entries_of("\n").empty());
}

TEST(ReadLogEntries, ReadsALogOfMoreThan4096EntriesWhole)
{
    std::string log;
    const int count = 5000;
    for (int i = 0; i < count; ++i) log += "File Created\r\nC:\\f" + std::to_string(i) + "\r\n";
    std::vector<UninstallEntry> entries = entries_of(log);
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(entries.back().value, "C:\\f4999");
}

// ---- the first page

TEST(FirstPageTexts, NameTheInstallationAndTheMissingLogs)
{
    std::vector<UninstallEntry> entries = {{EntryKind::file_created, "C:\\a"},
                                           {EntryKind::description, "Zelmor Income Tax"},
                                           {EntryKind::description, "Later"}};
    EXPECT_EQ(introduction_text(entries), "This program will uninstall Zelmor Income Tax\r\n");
    EXPECT_EQ(installation_name(entries), "Zelmor Income Tax");
    EXPECT_EQ(introduction_text({{EntryKind::file_created, "C:\\a"}}), "");
    EXPECT_FALSE(installation_name({}).has_value());

    EXPECT_EQ(missing_log_text("C:\\A\\Install_Log.txt", "C:\\B\\Install_Log.txt"),
              "Can not find: C:\\A\\Install_Log.txt\r\nCan not find: C:\\B\\Install_Log.txt\r\n\r\n"
              "Unable to find the Install_Log.txt file which controls this uninstall program.\r\n\r\n"
              "Can not continue the uninstall process. ");
}

struct MatchCase {
    std::string program;
    UninstallEntry entry;
    bool matches;
};

TEST(RunningProgramMatches, FindsTheProgramNameInsideAFileEntrysName)
{
    const MatchCase cases[] = {
        {"zeltax.exe", {EntryKind::file_created, "C:\\Apps\\Zelmor\\zeltax.exe"}, true},
        {"ZELTAX.EXE", {EntryKind::file_created, "C:\\Apps\\Zelmor\\zeltax.exe"}, true},
        // Occurring inside is enough.
        {"tax.exe", {EntryKind::file_created, "C:\\Apps\\Zelmor\\zeltax.exe"}, true},
        {"zeltax.exe", {EntryKind::delete_list, "C:\\Apps\\zeltax.exe"}, true},
        // Only the file name part of the entry counts.
        {"Apps", {EntryKind::file_created, "C:\\Apps\\zeltax.exe"}, false},
        {"zeltax.exe", {EntryKind::file_created, "C:\\Apps\\readZeltax.txt"}, false},
        // Only plain file entries.
        {"zeltax.exe", {EntryKind::file_ask_to_remove, "C:\\Apps\\zeltax.exe"}, false},
        {"zeltax.lnk", {EntryKind::desktop_shortcut, "C:\\Desktop\\zeltax.lnk"}, false},
        // The uninstaller itself never counts.
        {"uninstall.exe", {EntryKind::file_created, "C:\\Apps\\Uninstall.EXE"}, false},
        {"", {EntryKind::file_created, "C:\\Apps\\zeltax.exe"}, false},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.program + " against " + c.entry.value);
        EXPECT_EQ(running_program_matches(c.program, c.entry), c.matches);
    }
}

TEST(RunningProgramsWarning, ListsTheEntryNameOfEachRunningProgram)
{
    std::vector<UninstallEntry> entries = {{EntryKind::file_created, "C:\\Apps\\uninstall.exe"},
                                           {EntryKind::file_created, "C:\\Apps\\zeltax.exe"},
                                           {EntryKind::file_created, "C:\\Apps\\Helper.exe"}};
    std::vector<std::string> running = {"C:\\windows\\system32\\services.exe", "C:\\Apps\\ZELTAX.EXE",
                                        "C:\\Temp\\Del1A.tmp", "helper.exe", "C:\\Apps\\uninstall.exe"};
    EXPECT_EQ(running_programs_warning(running, entries),
              "\r\nWARNING: Some of the files you will be deleting are currently running on the system.  It is "
              "recommended you close the following applications before uninstalling:\r\n"
              "zeltax.exe\r\nHelper.exe\r\n");
    EXPECT_EQ(running_programs_warning({"C:\\windows\\explorer.exe"}, entries), "");
}

TEST(UninstallPageDetails, ListsEachPairOnceFromTheLastEntryWithoutDescriptions)
{
    std::vector<UninstallEntry> entries = {
        {EntryKind::directory_created, "C:\\App"},
        {EntryKind::file_created, "C:\\App\\Install_Log.txt"},
        {EntryKind::description, "App"},
        {EntryKind::file_created, "C:\\App\\a.exe"},
        {EntryKind::unknown, "Unknown or unsupported function."},
        {EntryKind::file_ask_to_remove, "C:\\windows\\a.dll"},
        {EntryKind::file_ask_to_remove_and_unregister, "C:\\windows\\b.ocx"},
        {EntryKind::program_group_created, "C:\\Menu\\App"},
        {EntryKind::program_group_shortcut, "C:\\Menu\\App\\a.lnk"},
        {EntryKind::desktop_shortcut, "C:\\Desktop\\a.lnk"},
        {EntryKind::startup_shortcut, "C:\\Startup\\a.lnk"},
        {EntryKind::delete_list, "C:\\App\\old"},
        {EntryKind::registry_entry, "HKEY_CURRENT_USER\\Software\\App"},
        {EntryKind::registry_value, "HKEY_CURRENT_USER\\Software\\App\\"},
        {EntryKind::file_created, "C:\\App\\a.exe"},
        {EntryKind::unknown, "Unknown or unsupported function."},
        {EntryKind::description, "App"},
    };
    EXPECT_EQ(uninstall_page_details("Shown\r\n", entries),
              "Shown\r\n\r\nDetails\r\n"
              "Warning Unknown or unsupported function.\r\n"
              "Delete File C:\\App\\a.exe\r\n"
              "Remove Registry Value HKEY_CURRENT_USER\\Software\\App\\\r\n"
              "Remove Registry Entry HKEY_CURRENT_USER\\Software\\App\r\n"
              "Delete File C:\\App\\old\r\n"
              "Delete File C:\\Startup\\a.lnk\r\n"
              "Delete File C:\\Desktop\\a.lnk\r\n"
              "Delete File C:\\Menu\\App\\a.lnk\r\n"
              "Remove Directory C:\\Menu\\App\r\n"
              "Ask to un-register and Delete File C:\\windows\\b.ocx\r\n"
              "Ask to Delete File C:\\windows\\a.dll\r\n"
              "Delete File C:\\App\\Install_Log.txt\r\n"
              "Remove Directory C:\\App\r\n");
}

TEST(UninstallPageDetails, StopsOnceTheTextIsLongerThan61435Characters)
{
    std::vector<UninstallEntry> entries = {{EntryKind::file_created, "C:\\b"}, {EntryKind::file_created, "C:\\a"}};
    const std::string heading = "\r\nDetails\r\n";
    // Exactly at the limit a line still follows, and then the text is past it.
    std::string at_limit(details_text_limit - heading.size(), 'x');
    EXPECT_EQ(uninstall_page_details(at_limit, entries), at_limit + heading + "Delete File C:\\a\r\n");
    std::string past_limit(details_text_limit - heading.size() + 1, 'x');
    EXPECT_EQ(uninstall_page_details(past_limit, entries), past_limit + heading);
}

// ---- the removal

TEST(EarlierDuplicates, MarksEveryRepeatOfAKindAndExactValue)
{
    std::vector<UninstallEntry> entries = {
        {EntryKind::file_created, "C:\\a"},      {EntryKind::file_created, "C:\\b"},
        {EntryKind::file_created, "C:\\a"},      {EntryKind::directory_created, "C:\\a"},
        {EntryKind::file_created, "C:\\A"},      {EntryKind::file_created, "C:\\a"},
    };
    EXPECT_EQ(earlier_duplicates(entries), (std::vector<bool>{false, false, true, false, false, true}));
}

struct SplitCase {
    std::string value;
    RegistryPath expected;
};

TEST(SplitRegistryPath, TakesTheRootTheParentKeyAndTheLastName)
{
    const SplitCase cases[] = {
        {"HKEY_CURRENT_USER\\Software\\Zelmor\\Tax", {"HKEY_CURRENT_USER", "Software\\Zelmor", "Tax"}},
        // An empty value name: the key's default value.
        {"HKEY_CURRENT_USER\\Software\\Zelmor\\", {"HKEY_CURRENT_USER", "Software\\Zelmor", ""}},
        // A key right below the root: the root is the parent.
        {"HKEY_CLASSES_ROOT\\.ztx", {"HKEY_CLASSES_ROOT", "", ".ztx"}},
        // A "/" belongs to the name, as key names such as MIME types have it.
        {"HKEY_CLASSES_ROOT\\MIME\\Database\\Content Type\\text/x-ztx",
         {"HKEY_CLASSES_ROOT", "MIME\\Database\\Content Type", "text/x-ztx"}},
        {"HKEY_USERS", {"HKEY_USERS", "", ""}},
        {"", {"", "", ""}},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.value);
        RegistryPath path = split_registry_path(c.value);
        EXPECT_EQ(path.root_name, c.expected.root_name);
        EXPECT_EQ(path.parent_key, c.expected.parent_key);
        EXPECT_EQ(path.last_name, c.expected.last_name);
    }
}

struct ReportCase {
    UninstallEntry entry;
    bool first_entry;
    ReportPlace place;
    std::string text;
};

TEST(FailureReport, SaysWhatFailedWhereTheKindWantsIt)
{
    const ReportCase cases[] = {
        {{EntryKind::directory_created, "C:\\App"}, true, ReportPlace::message_box,
         "Unable to remove directory: C:\\App"},
        {{EntryKind::directory_created, "C:\\App\\sub"}, false, ReportPlace::none, ""},
        {{EntryKind::program_group_created, "C:\\Menu\\App"}, false, ReportPlace::details,
         "Unable to remove program group: C:\\Menu\\App"},
        {{EntryKind::desktop_shortcut, "C:\\D\\a.lnk"}, false, ReportPlace::details,
         "Unable to delete desktop shortcut: C:\\D\\a.lnk"},
        {{EntryKind::program_group_shortcut, "C:\\M\\a.lnk"}, false, ReportPlace::details,
         "Unable to delete start menu item: C:\\M\\a.lnk"},
        {{EntryKind::startup_shortcut, "C:\\S\\a.lnk"}, true, ReportPlace::details,
         "Unable to delete automatic startup menu item: C:\\S\\a.lnk"},
        {{EntryKind::file_created, "C:\\App\\a.exe"}, false, ReportPlace::message_box,
         "Unable to delete file: C:\\App\\a.exe"},
        {{EntryKind::file_ask_to_remove, "C:\\w\\a.dll"}, false, ReportPlace::message_box,
         "Unable to delete file: C:\\w\\a.dll"},
        {{EntryKind::file_ask_to_remove_and_unregister, "C:\\w\\b.ocx"}, false, ReportPlace::message_box,
         "Unable to delete file: C:\\w\\b.ocx"},
        {{EntryKind::registry_entry, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Zelmor\\Tax"}, false, ReportPlace::message_box,
         "Unable to remove registry entry: HKEY_LOCAL_MACHINE SOFTWARE\\Zelmor"},
        {{EntryKind::registry_value, "HKEY_CURRENT_USER\\Software\\Zelmor\\"}, false, ReportPlace::message_box,
         "Unable to remove registry entry: HKEY_CURRENT_USER Software\\Zelmor"},
        {{EntryKind::delete_list, "C:\\App\\x"}, false, ReportPlace::none, ""},
        {{EntryKind::description, "App"}, true, ReportPlace::none, ""},
        {{EntryKind::unknown, "Unknown or unsupported function."}, true, ReportPlace::none, ""},
    };
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.entry.value);
        FailureReport report = failure_report(c.entry, c.first_entry);
        EXPECT_EQ(report.place, c.place);
        EXPECT_EQ(report.text, c.text);
    }
}

TEST(RemovalTexts, AskBeforeASharedFileAndExplainTheDetails)
{
    EXPECT_EQ(delete_question("C:\\windows\\a.dll"),
              "The file C:\\windows\\a.dll is in a shared location or registered. Would you like to delete it?");
    EXPECT_EQ(progress_page_details("Uninstall Complete", {"Unable to delete desktop shortcut: C:\\D\\a.lnk",
                                                           "Unable to remove program group: C:\\M\\App"}),
              "Uninstall Complete\r\n\r\nBecause the following items were changed after the original install the "
              "uninstaller could not accomplish the following tasks.  These items are considered informational and "
              "are not serious problems.\r\n\r\n"
              "Unable to delete desktop shortcut: C:\\D\\a.lnk\r\n\r\n"
              "Unable to remove program group: C:\\M\\App\r\n\r\n");
}

} // namespace

TEST(UnregisterCommand, QuotesTheProgramAndTheFileSoThatBlanksStayInTheirPaths)
{
    EXPECT_EQ(unregister_command("C:\\windows\\system32", "C:\\Program Files\\Shared Parts\\parts.dll"),
              "\"C:\\windows\\system32\\regsvr32.exe\" /s /u \"C:\\Program Files\\Shared Parts\\parts.dll\"");
    // Split the way the system splits a command line, the path is one argument.
    EXPECT_EQ(command_argument(3, unregister_command("C:\\Win Dir\\system32", "C:\\A B\\c.dll")), "C:\\A B\\c.dll");
}
