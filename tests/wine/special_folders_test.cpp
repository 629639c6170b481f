// The system folders with their fallbacks, and the free disk space query.
#include "free_disk_space.h"
#include "special_folders.h"
#include "test_environment.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <map>
#include <vector>

namespace {

// A system whose shell knows only the folders given, and that records what it was asked.
struct FakeSystem : FolderSystem {
    std::map<int, std::string> shell;
    bool nine_x = false;
    bool program_files_writable = true;
    mutable std::vector<int> asked;
    mutable std::vector<std::string> probed;

    std::optional<std::string> shell_folder(int csidl) const override
    {
        asked.push_back(csidl);
        auto found = shell.find(csidl);
        if (found == shell.end()) return std::nullopt;
        return found->second;
    }
    bool windows_9x() const override { return nine_x; }
    bool can_write(const std::string& directory) const override
    {
        probed.push_back(directory);
        return program_files_writable;
    }
};

// Every folder set to a text naming it, so that what stays untouched shows.
SpecialFolders marked_folders()
{
    SpecialFolders folders;
    for (std::size_t i = 0; i < static_cast<std::size_t>(SpecialFolder::count); ++i)
        folders[static_cast<SpecialFolder>(i)] = "old " + std::to_string(i);
    return folders;
}

std::string old(SpecialFolder folder) { return "old " + std::to_string(static_cast<std::size_t>(folder)); }

// The folders that only the uninstaller asks for: the system's own, which it leaves alone.
const SpecialFolder uninstaller_folders[] = {
    SpecialFolder::profile,       SpecialFolder::start_menu,        SpecialFolder::common_start_menu,
    SpecialFolder::appdata,       SpecialFolder::local_appdata,     SpecialFolder::program_files_x86,
    SpecialFolder::common_files_x86, SpecialFolder::system_x86};

// Wine's shell ends some folders (the documents) with a backslash that SHGetFolderPathA drops.
std::string without_trailing_backslash(std::string path)
{
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// A folder and the shell folder it is.
struct ShellFolderCase {
    SpecialFolder folder;
    int csidl;
};

TEST(SpecialFolders, TheRealSystemGivesWhatTheShellReports)
{
    const ShellFolderCase cases[] = {
        {SpecialFolder::startup, CSIDL_STARTUP},
        {SpecialFolder::program_files, CSIDL_PROGRAM_FILES},
        {SpecialFolder::programs, CSIDL_PROGRAMS},
        {SpecialFolder::system, CSIDL_SYSTEM},
        {SpecialFolder::common_files, CSIDL_PROGRAM_FILES_COMMON},
        {SpecialFolder::windows, CSIDL_WINDOWS},
        {SpecialFolder::common_desktop, CSIDL_COMMON_DESKTOPDIRECTORY},
        {SpecialFolder::desktop_directory, CSIDL_DESKTOPDIRECTORY},
        {SpecialFolder::common_programs, CSIDL_COMMON_PROGRAMS},
        {SpecialFolder::common_startup, CSIDL_COMMON_STARTUP},
        {SpecialFolder::documents, CSIDL_PERSONAL},
        {SpecialFolder::common_documents, CSIDL_COMMON_DOCUMENTS},
    };
    SpecialFolders folders = marked_folders();
    EXPECT_TRUE(resolve_special_folders(folders));
    for (const ShellFolderCase& c : cases) {
        char expected[MAX_PATH] = {};
        ASSERT_EQ(SHGetFolderPathA(nullptr, c.csidl, nullptr, SHGFP_TYPE_CURRENT, expected), S_OK) << c.csidl;
        EXPECT_EQ(without_trailing_backslash(folders[c.folder]), expected) << c.csidl;
    }
    EXPECT_FALSE(folders.desktop.empty());
    // Start-up does not ask for these.
    EXPECT_EQ(folders.recent, old(SpecialFolder::recent));
    EXPECT_EQ(folders.common_appdata, old(SpecialFolder::common_appdata));
    for (SpecialFolder folder : uninstaller_folders) EXPECT_EQ(folders[folder], old(folder)) << static_cast<int>(folder);
}

TEST(SpecialFolders, TheUninstallersFoldersAreWhatTheShellReportsOrStayAsTheyWere)
{
    const ShellFolderCase cases[] = {
        {SpecialFolder::profile, CSIDL_PROFILE},
        {SpecialFolder::start_menu, CSIDL_STARTMENU},
        {SpecialFolder::common_start_menu, CSIDL_COMMON_STARTMENU},
        {SpecialFolder::appdata, CSIDL_APPDATA},
        {SpecialFolder::local_appdata, CSIDL_LOCAL_APPDATA},
        {SpecialFolder::program_files_x86, CSIDL_PROGRAM_FILESX86},
        {SpecialFolder::common_files_x86, CSIDL_PROGRAM_FILES_COMMONX86},
        {SpecialFolder::system_x86, CSIDL_SYSTEMX86},
    };
    SpecialFolders folders = marked_folders();
    EXPECT_TRUE(resolve_special_folders(folders, all_folders()));
    for (const ShellFolderCase& c : cases) {
        char expected[MAX_PATH] = {};
        // Not every system has the 32-bit folders of a 64-bit one.
        if (SHGetFolderPathA(nullptr, c.csidl, nullptr, SHGFP_TYPE_CURRENT, expected) == S_OK)
            EXPECT_EQ(without_trailing_backslash(folders[c.folder]), expected) << c.csidl;
        else
            EXPECT_EQ(folders[c.folder], old(c.folder)) << c.csidl;
    }
    // The profile at least every NT system has.
    EXPECT_NE(folders.profile, old(SpecialFolder::profile));
}

TEST(SpecialFolders, TheShellIsAskedInTableOrderForTheWantedFoldersOnly)
{
    FakeSystem fake;
    SpecialFolders folders;
    resolve_special_folders(folders, folder_set({SpecialFolder::common_startup, SpecialFolder::startup,
                                                  SpecialFolder::windows}),
                            fake);
    EXPECT_EQ(fake.asked, (std::vector<int>{CSIDL_STARTUP, CSIDL_WINDOWS, CSIDL_COMMON_STARTUP}));

    FakeSystem all;
    all.program_files_writable = false;
    FolderSet every;
    every.set();
    resolve_special_folders(folders, every, all);
    EXPECT_EQ(all.asked,
              (std::vector<int>{CSIDL_STARTUP, CSIDL_DESKTOP, CSIDL_PROGRAM_FILES, CSIDL_PERSONAL, CSIDL_PROGRAMS,
                                CSIDL_RECENT, CSIDL_SYSTEM, CSIDL_PROGRAM_FILES_COMMON, CSIDL_WINDOWS,
                                CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS,
                                CSIDL_COMMON_STARTUP, CSIDL_PERSONAL, CSIDL_COMMON_APPDATA, CSIDL_COMMON_DOCUMENTS,
                                CSIDL_PROFILE, CSIDL_STARTMENU, CSIDL_COMMON_STARTMENU, CSIDL_APPDATA,
                                CSIDL_LOCAL_APPDATA, CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMONX86,
                                CSIDL_SYSTEMX86}))
        << "the program files fallback asks for the documents folder when c:\\program files cannot be written";
}

TEST(SpecialFolders, AnEmptyShellGivesTheFallbacks)
{
    struct Case {
        bool windows_9x;
        const char* system;
        const char* windows;
    } cases[] = {
        {false, "c:\\winnt\\system32", "c:\\winnt"},
        {true, "c:\\windows\\system32", "c:\\windows"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windows_9x ? "9x" : "NT");
        FakeSystem fake;
        fake.nine_x = c.windows_9x;
        SpecialFolders folders = marked_folders();
        FolderSet every;
        every.set();
        EXPECT_TRUE(resolve_special_folders(folders, every, fake));
        // Per-user folders without a fallback keep what they held.
        EXPECT_EQ(folders.startup, old(SpecialFolder::startup));
        EXPECT_EQ(folders.desktop, old(SpecialFolder::desktop));
        EXPECT_EQ(folders.programs, old(SpecialFolder::programs));
        EXPECT_EQ(folders.recent, old(SpecialFolder::recent));
        EXPECT_EQ(folders.program_files, "c:\\program files");
        EXPECT_EQ(fake.probed, std::vector<std::string>{"c:\\program files"});
        EXPECT_EQ(folders.system, c.system);
        EXPECT_EQ(folders.common_files, "c:\\program files\\common files");
        EXPECT_EQ(folders.windows, c.windows);
        EXPECT_EQ(folders.common_desktop, old(SpecialFolder::desktop));
        EXPECT_EQ(folders.desktop_directory, old(SpecialFolder::desktop));
        EXPECT_EQ(folders.common_programs, old(SpecialFolder::programs));
        EXPECT_EQ(folders.common_startup, old(SpecialFolder::startup));
        EXPECT_EQ(folders.documents, "c:\\");
        EXPECT_EQ(folders.common_appdata, "");
        EXPECT_EQ(folders.common_documents, "c:\\");
        // The folders that only the uninstaller asks for have no fallback.
        for (SpecialFolder folder : uninstaller_folders)
            EXPECT_EQ(folders[folder], old(folder)) << static_cast<int>(folder);
    }
}

TEST(SpecialFolders, CommonFoldersFallBackOnThisUsersFoldersOfTheSameCall)
{
    FakeSystem fake;
    fake.shell = {{CSIDL_STARTUP, "D:\\Me\\Startup"},
                  {CSIDL_DESKTOP, "D:\\Me\\Desktop"},
                  {CSIDL_PROGRAMS, "D:\\Me\\Programs"},
                  {CSIDL_PERSONAL, "D:\\Me\\Documents"}};
    SpecialFolders folders = marked_folders();
    resolve_special_folders(folders, setup_folders(), fake);
    EXPECT_EQ(folders.common_desktop, "D:\\Me\\Desktop");
    EXPECT_EQ(folders.desktop_directory, "D:\\Me\\Desktop");
    EXPECT_EQ(folders.common_programs, "D:\\Me\\Programs");
    EXPECT_EQ(folders.common_startup, "D:\\Me\\Startup");
    EXPECT_EQ(folders.common_documents, "D:\\Me\\Documents");
}

TEST(SpecialFolders, WithoutAWritableProgramFilesTheProgramGoesToTheDocuments)
{
    struct Case {
        const char* what;
        std::map<int, std::string> shell;
        std::string expected;
    } cases[] = {
        {"documents known", {{CSIDL_PERSONAL, "D:\\Me\\Documents"}}, "D:\\Me\\Documents"},
        {"no documents either", {}, old(SpecialFolder::program_files)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSystem fake;
        fake.shell = c.shell;
        fake.program_files_writable = false;
        SpecialFolders folders = marked_folders();
        resolve_special_folders(folders, folder_set({SpecialFolder::program_files}), fake);
        EXPECT_EQ(folders.program_files, c.expected);
    }
}

TEST(SpecialFolders, AShellFolderIsTakenWithoutProbing)
{
    FakeSystem fake;
    fake.shell = {{CSIDL_PROGRAM_FILES, "E:\\Programs"}};
    SpecialFolders folders;
    resolve_special_folders(folders, folder_set({SpecialFolder::program_files}), fake);
    EXPECT_EQ(folders.program_files, "E:\\Programs");
    EXPECT_TRUE(fake.probed.empty());
}

// A drive letter that this system does not have.
std::string missing_drive()
{
    DWORD drives = GetLogicalDrives();
    for (char letter = 'Y'; letter > 'D'; --letter)
        if (!(drives & (1u << (letter - 'A')))) return std::string(1, letter) + ":\\";
    return {};
}

TEST(FreeDiskSpace, BothQueriesMeasureAnExistingVolume)
{
    ScratchDirectory dir;
    ULARGE_INTEGER available{}, total{}, free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA((dir.path() + "\\").c_str(), &available, &total, &free));
    ASSERT_GT(available.QuadPart, 0u);
    EXPECT_GT(free_disk_space(dir.path() + "\\"), 0u);
    EXPECT_GT(free_disk_space_by_clusters(std::string(dir.path(), 0, 3)), 0u);
}

TEST(FreeDiskSpace, AVolumeThatCannotBeQueriedGivesZero)
{
    std::string drive = missing_drive();
    ASSERT_FALSE(drive.empty());
    EXPECT_EQ(free_disk_space(drive), 0u);
    EXPECT_EQ(free_disk_space_by_clusters(drive), 0u);
}

} // namespace
