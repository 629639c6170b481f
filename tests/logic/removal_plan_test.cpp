#include "removal_plan.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Treatments in failure messages, found by the test framework next to the type.
void PrintTo(Treatment treatment, std::ostream* out)
{
    const char* const names[] = {"nothing", "not_ours", "remove", "remove_if_empty"};
    *out << names[static_cast<int>(treatment)];
}

namespace {

// ---- comparable paths

struct ComparableCase {
    std::string path;
    std::optional<std::string> expected;
};

TEST(ComparablePath, ReadsAPathAsWindowsDoesAndRefusesWhatNamesNothingBelowARoot)
{
    const ComparableCase cases[] = {
        {"C:\\Apps\\Tool", "c:\\apps\\tool"},
        {"c:/Apps/Tool/", "c:\\apps\\tool"},
        {"C:\\\\Apps\\\\\\Tool\\\\", "c:\\apps\\tool"},
        {"C:\\Apps\\.\\Tool", "c:\\apps\\tool"},
        {"C:\\Apps\\Old\\..\\Tool", "c:\\apps\\tool"},
        // ".." never climbs above the root, and Windows drops the trailing dots and blanks of a name.
        {"C:\\..\\..\\Windows", "c:\\windows"},
        {"C:\\Windows. \\System32...", "c:\\windows\\system32"},
        {"C:\\My Apps\\Tool 2.0", "c:\\my apps\\tool 2.0"},
        {"\\\\Server\\Share\\Dir", "\\\\server\\share\\dir"},
        {"//server/share/dir/", "\\\\server\\share\\dir"},
        // Nothing below a root.
        {"", std::nullopt},
        {"C:", std::nullopt},
        {"C:\\", std::nullopt},
        {"c:/", std::nullopt},
        {"C:\\\\", std::nullopt},
        {"C:\\.", std::nullopt},
        {"C:\\Windows\\..", std::nullopt},
        {"\\\\server\\share", std::nullopt},
        {"\\\\server\\share\\", std::nullopt},
        {"\\\\server", std::nullopt},
        {"\\\\server\\", std::nullopt},
        // Relative: to the current directory, to the current drive, to a drive's current directory.
        {"Tool", std::nullopt},
        {"Apps\\Tool", std::nullopt},
        {".\\Tool", std::nullopt},
        {"\\Apps\\Tool", std::nullopt},
        {"C:Apps\\Tool", std::nullopt},
        {" C:\\Apps", std::nullopt},
        // Device paths, and characters that no file name holds.
        {"\\\\?\\C:\\Apps", std::nullopt},
        {"\\\\.\\C:\\Apps", std::nullopt},
        {"\\\\...\\share\\Apps", std::nullopt},
        {"C:\\Windows::$INDEX_ALLOCATION", std::nullopt},
        {"C:\\Apps\\*", std::nullopt},
        {"C:\\Apps\\a?b", std::nullopt},
        {"C:\\Apps\\a\"b", std::nullopt},
        {"C:\\Apps\\a|b", std::nullopt},
        {"C:\\Apps\\a\tb", std::nullopt},
        {"1:\\Apps", std::nullopt},
    };
    for (const ComparableCase& c : cases) {
        SCOPED_TRACE("[" + c.path + "]");
        EXPECT_EQ(comparable_path(c.path), c.expected);
    }
}

TEST(PathSet, FindsAPathAndThePathsInsideAFolderWhateverTheOrderGiven)
{
    PathSet set({"c:\\apps\\tool\\docs", "c:\\b", "c:\\apps\\tool", "c:\\apps-old\\x"});
    EXPECT_TRUE(set.contains("c:\\apps\\tool"));
    EXPECT_FALSE(set.contains("c:\\apps"));
    EXPECT_TRUE(set.has_path_inside("c:\\apps"));
    EXPECT_TRUE(set.has_path_inside("c:\\apps\\tool"));
    EXPECT_FALSE(set.has_path_inside("c:\\apps\\tool\\docs"));
    // A longer name is no folder inside: "c:\apps-old" and "c:\b" begin like these but are not in them.
    EXPECT_FALSE(set.has_path_inside("c:\\app"));
    EXPECT_FALSE(set.has_path_inside("c:\\apps-"));
    EXPECT_TRUE(set.has_path_inside("c:\\apps-old"));
    EXPECT_FALSE(PathSet().has_path_inside("c:\\apps"));
    EXPECT_FALSE(PathSet().contains("c:\\apps"));
}

// ---- the decisions

// The folders the Win32 layer would find on an English Windows XP, some as the system writes them.
ProtectedFolders xp_folders()
{
    return ProtectedFolders({
        "C:\\WINDOWS",
        "C:\\WINDOWS\\system32",
        "C:\\Program Files",
        "C:\\Program Files\\Common Files",
        "C:\\Documents and Settings",
        "C:\\Documents and Settings\\Jo",
        "C:\\Documents and Settings\\Jo\\Desktop",
        "C:\\Documents and Settings\\All Users\\Desktop",
        "C:\\Documents and Settings\\Jo\\Start Menu\\Programs",
        "C:\\Documents and Settings\\All Users\\Start Menu\\Programs",
        "C:\\Documents and Settings\\Jo\\Start Menu\\Programs\\Startup",
        "C:\\DOCUME~1\\Jo\\LOCALS~1\\Temp\\",
        "\\\\fileserver\\home\\jo",
        // Roots and empty texts (a folder the shell did not give) protect nothing of their own.
        "C:\\",
        "",
    });
}

struct DecisionCase {
    std::string value;
    // For the kinds that remove a folder and for those that delete a file.
    Treatment folder;
    Treatment file;
};

TEST(RemovalPlan, LeavesAloneWhatCannotBeAnItemOfThisInstallation)
{
    const Treatment ours = Treatment::remove, not_ours = Treatment::not_ours;
    const DecisionCase cases[] = {
        {"", not_ours, not_ours},
        {"Tool", not_ours, not_ours},
        {"Apps\\readme.txt", not_ours, not_ours},
        {"\\Apps\\Tool", not_ours, not_ours},
        {"C:Tool", not_ours, not_ours},
        // Roots of drives and shares.
        {"C:", not_ours, not_ours},
        {"C:\\", not_ours, not_ours},
        {"D:/", not_ours, not_ours},
        {"\\\\server\\share", not_ours, not_ours},
        {"\\\\server\\share\\", not_ours, not_ours},
        // The system's folders in another letter case, with trailing separators, or by a detour.
        {"C:\\WINDOWS", not_ours, not_ours},
        {"c:\\windows\\", not_ours, not_ours},
        {"C:\\Windows\\System32\\\\", not_ours, not_ours},
        {"c:\\program files", not_ours, not_ours},
        {"C:\\PROGRAM FILES\\COMMON FILES\\", not_ours, not_ours},
        {"C:\\Documents and Settings\\jo\\desktop\\", not_ours, not_ours},
        {"C:\\Documents and Settings\\All Users\\Desktop", not_ours, not_ours},
        {"c:\\documents and settings\\jo\\start menu\\programs\\startup", not_ours, not_ours},
        {"C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\", not_ours, not_ours},
        {"C:\\docume~1\\JO\\locals~1\\temp", not_ours, not_ours},
        {"\\\\FileServer\\Home\\Jo\\", not_ours, not_ours},
        {"C:\\Apps\\..\\Windows", not_ours, not_ours},
        {"C:\\Windows.", not_ours, not_ours},
        // A folder that holds one of them.
        {"C:\\Documents and Settings\\Jo\\Start Menu", not_ours, not_ours},
        {"C:\\DOCUME~1\\Jo", not_ours, not_ours},
        // Ordinary items, also inside a system folder and on a share.
        {"C:\\Apps\\Tool", ours, ours},
        {"C:\\Program Files\\Zelmor Income Tax 2010", ours, ours},
        {"C:\\WINDOWS\\system32\\zelmor.dll", ours, ours},
        {"C:\\Documents and Settings\\Jo\\Start Menu\\Programs\\Zelmor Income Tax", ours, ours},
        {"C:\\Documents and Settings\\Jo\\Desktop\\Zelmor Federal Income Tax .lnk", ours, ours},
        {"C:\\Windowsx", ours, ours},
        {"\\\\server\\share\\Apps", ours, ours},
    };
    const ProtectedFolders folders = xp_folders();
    const EntryKind folder_kinds[] = {EntryKind::directory_created, EntryKind::program_group_created,
                                      EntryKind::delete_list};
    const EntryKind file_kinds[] = {EntryKind::file_created,           EntryKind::file_ask_to_remove,
                                    EntryKind::file_ask_to_remove_and_unregister, EntryKind::desktop_shortcut,
                                    EntryKind::program_group_shortcut, EntryKind::startup_shortcut};
    for (const DecisionCase& c : cases) {
        for (EntryKind kind : folder_kinds) {
            SCOPED_TRACE("folder kind " + std::to_string(static_cast<int>(kind)) + " [" + c.value + "]");
            EXPECT_EQ(removal_plan({{kind, c.value}}, folders), std::vector<Treatment>{c.folder});
            EXPECT_EQ(may_belong_to_installation({kind, c.value}, folders), c.folder == ours);
        }
        for (EntryKind kind : file_kinds) {
            SCOPED_TRACE("file kind " + std::to_string(static_cast<int>(kind)) + " [" + c.value + "]");
            EXPECT_EQ(removal_plan({{kind, c.value}}, folders), std::vector<Treatment>{c.file});
            EXPECT_EQ(may_belong_to_installation({kind, c.value}, folders), c.file == ours);
        }
    }
}

TEST(RemovalPlan, KindsWithoutAPathAreNeverRefused)
{
    const std::vector<UninstallEntry> entries = {
        {EntryKind::description, ""},
        {EntryKind::unknown, "Unknown or unsupported function."},
        {EntryKind::registry_entry, "HKEY_CURRENT_USER\\Software\\Zelmor"},
        {EntryKind::registry_value, "C:\\"},
    };
    EXPECT_EQ(removal_plan(entries, xp_folders()),
              (std::vector<Treatment>{Treatment::nothing, Treatment::nothing, Treatment::remove, Treatment::remove}));
    for (const UninstallEntry& entry : entries) EXPECT_TRUE(may_belong_to_installation(entry, xp_folders()));
}

// Plans a log of (kind, value) pairs against the XP folders.
std::vector<Treatment> plan_of(const std::vector<UninstallEntry>& entries) { return removal_plan(entries, xp_folders()); }

TEST(RemovalPlan, ACreatedLevelAboveTheDestinationIsOnlyRemovedWhenEmpty)
{
    // Installed into C:\Apps\Tool where neither level existed, with files in docs\more.
    const std::vector<UninstallEntry> entries = {
        {EntryKind::directory_created, "C:\\Apps"},
        {EntryKind::directory_created, "C:\\Apps\\Tool"},
        {EntryKind::file_created, "C:\\Apps\\Tool\\Install_Log.txt"},
        {EntryKind::description, "Tool"},
        {EntryKind::directory_created, "C:\\Apps\\Tool\\docs"},
        {EntryKind::directory_created, "C:\\Apps\\Tool\\docs\\more"},
        {EntryKind::file_created, "C:\\Apps\\Tool\\docs\\more\\notes.txt"},
        {EntryKind::program_group_created, "C:\\Documents and Settings\\Jo\\Start Menu\\Programs\\Tools"},
        {EntryKind::program_group_created, "C:\\Documents and Settings\\Jo\\Start Menu\\Programs\\Tools\\Tool"},
    };
    // The destination and the files' subdirectories are emptied, though they hold created folders.
    EXPECT_EQ(plan_of(entries), (std::vector<Treatment>{Treatment::remove_if_empty, Treatment::remove,
                                                         Treatment::remove, Treatment::nothing, Treatment::remove,
                                                         Treatment::remove, Treatment::remove, Treatment::remove,
                                                         Treatment::remove}));
}

struct ParentCase {
    const char* what;
    std::vector<UninstallEntry> entries;
    std::vector<Treatment> expected;
};

TEST(RemovalPlan, TellsParentLevelsByTheirPathsLetterCaseAndSeparatorsIgnored)
{
    const Treatment only_empty = Treatment::remove_if_empty, remove = Treatment::remove;
    const ParentCase cases[] = {
        {"without the log's own entry every folder above another is a parent level",
         {{EntryKind::directory_created, "C:\\A"},
          {EntryKind::directory_created, "C:\\A\\B"},
          {EntryKind::directory_created, "C:\\A\\B\\C"}},
         {only_empty, only_empty, remove}},
        {"letter case and separators",
         {{EntryKind::directory_created, "c:\\APPS\\"}, {EntryKind::directory_created, "C:/Apps/Tool"}},
         {only_empty, remove}},
        {"a name that only begins like the folder is not inside it",
         {{EntryKind::directory_created, "C:\\App"}, {EntryKind::directory_created, "C:\\Apps\\Tool"}},
         {remove, remove}},
        {"a folder that holds the destination, also when the destination itself existed",
         {{EntryKind::directory_created, "C:\\Apps"}, {EntryKind::file_created, "C:\\Apps\\Tool\\install_log.TXT"}},
         {only_empty, remove}},
        {"the first log entry names the destination",
         {{EntryKind::file_created, "C:\\Tool\\Install_Log.txt"},
          {EntryKind::directory_created, "C:\\Tool\\sub"},
          {EntryKind::directory_created, "C:\\Tool\\sub\\deeper"},
          {EntryKind::file_created, "C:\\Other\\Install_Log.txt"},
          {EntryKind::directory_created, "C:\\Other"},
          {EntryKind::directory_created, "C:\\Other\\x"}},
         {remove, remove, remove, remove, only_empty, remove}},
        {"only created directories count, not files or program groups below",
         {{EntryKind::directory_created, "C:\\Apps"},
          {EntryKind::file_created, "C:\\Apps\\a.txt"},
          {EntryKind::program_group_created, "C:\\Apps\\Group"}},
         {remove, remove, remove}},
        {"a value that names nothing makes no parent level",
         {{EntryKind::directory_created, "C:\\Apps"}, {EntryKind::directory_created, "C:\\Apps\\Tool\\a|b"}},
         {remove, Treatment::not_ours}},
    };
    for (const ParentCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(plan_of(c.entries), c.expected);
    }
}

TEST(RemovalPlan, HandlesARepeatedEntryOnceWhenTheEarliestComesUp)
{
    const std::vector<UninstallEntry> entries = {
        {EntryKind::file_created, "C:\\Apps\\a.txt"},
        {EntryKind::directory_created, "C:\\"},
        {EntryKind::file_created, "C:\\Apps\\a.txt"},
        {EntryKind::directory_created, "C:\\"},
        {EntryKind::file_created, "C:\\APPS\\a.txt"},
    };
    EXPECT_EQ(plan_of(entries), (std::vector<Treatment>{Treatment::remove, Treatment::not_ours, Treatment::nothing,
                                                         Treatment::nothing, Treatment::remove}));
}

TEST(LoggedDestination, IsTheFolderOfTheFirstEntryForTheLogItself)
{
    EXPECT_EQ(logged_destination({{EntryKind::directory_created, "C:\\Apps\\Tool"},
                                  {EntryKind::file_created, "C:\\Apps\\Tool\\zeltax.exe"},
                                  {EntryKind::file_created, "C:\\Apps\\Tool\\INSTALL_LOG.TXT"},
                                  {EntryKind::file_created, "D:\\Later\\Install_Log.txt"}}),
              "c:\\apps\\tool");
    EXPECT_EQ(logged_destination({{EntryKind::file_ask_to_remove, "C:\\Apps\\Install_Log.txt"},
                                  {EntryKind::file_created, "C:\\Apps\\Old_Install_Log.txt"}}),
              std::nullopt);
    EXPECT_EQ(logged_destination({{EntryKind::file_created, "Install_Log.txt"}}), std::nullopt);
    EXPECT_EQ(logged_destination({{EntryKind::file_created, "C:\\Install_Log.txt"}}), std::nullopt);
}

TEST(NotOursLine, NamesTheValueAsTheLogHasIt)
{
    EXPECT_EQ(not_ours_line("c:\\windows\\"), "Not removed, not a folder of this installation: c:\\windows\\");
    EXPECT_EQ(not_ours_line(""), "Not removed, not a folder of this installation: ");
}

} // namespace
