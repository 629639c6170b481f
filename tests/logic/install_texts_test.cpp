// The installation's texts: install log lines, created directory levels, the uninstall shortcut
// scan, installed paths, shortcut names, the uninstall registration, associations, registry roots.
#include "install_log_text.h"
#include "install_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const std::string log_path = "C:\\Apps\\Demo\\Install_Log.txt";

// ---------------------------------------------------------------------------------------------
// Install log

TEST(LogValueLine, RegistryKindsJoinKeyAndValueOthersTakeTheValueOrTheLogPath)
{
    struct Case {
        std::string kind;
        std::optional<std::string_view> value;
        std::optional<std::string_view> key;
        std::string expected;
    };
    const Case cases[] = {
        {log_registry_value, "Size", "HKEY_CURRENT_USER\\Software\\Zel", "HKEY_CURRENT_USER\\Software\\Zel\\Size"},
        // The default value has an empty name: the line ends in "\".
        {log_registry_value, "", "HKEY_USERS\\K", "HKEY_USERS\\K\\"},
        {log_registry_entry, "Software\\Zel", "HKEY_CURRENT_USER", "HKEY_CURRENT_USER\\Software\\Zel"},
        {log_file_created, "C:\\Apps\\Demo\\demo.exe", std::nullopt, "C:\\Apps\\Demo\\demo.exe"},
        {log_file_created, std::nullopt, std::nullopt, log_path},
        {log_description, "", std::nullopt, ""},
        // Only the exact registry kinds join the key name.
        {"registry entry created", "K", "HKEY_USERS", "K"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind + " -> " + c.expected);
        EXPECT_EQ(log_value_line(c.kind, c.value, c.key, log_path), c.expected);
    }
}

TEST(LogEntryText, IsTheKindLineAndTheValueLineEachEndedByCrLfAlsoWhenTheValueIsEmptyOrLong)
{
    EXPECT_EQ(log_entry_text(log_file_created, "C:\\A\\a.txt"), "File Created\r\nC:\\A\\a.txt\r\n");
    EXPECT_EQ(log_entry_text(log_description, ""), "Description\r\n\r\n");
    const std::string long_path = "C:\\" + std::string(2000, 'x');
    EXPECT_EQ(log_entry_text(log_file_created, long_path), "File Created\r\n" + long_path + "\r\n");
}

TEST(CreatedLevelEnd, CutsAtTheKthSeparatorFromTheEndNeverInTheFirstFourCharacters)
{
    constexpr std::size_t none = std::string_view::npos;
    struct Case {
        std::string path;
        int k;
        std::size_t expected;
    };
    const Case cases[] = {
        // C:\A\B\C with three new levels logs C:\A, C:\A\B, then the path itself.
        {"C:\\A\\B\\C", 2, 4},
        {"C:\\A\\B\\C", 1, 6},
        // The drive root is never named, however many levels are claimed.
        {"C:\\A\\B\\C", 3, none},
        {"C:\\A\\B\\C", 6, none},
        {"C:/A/B", 1, 4},
        {"\\\\s\\share\\D", 1, 9},
        {"\\\\s\\share\\D", 2, none},
        {"C:\\Abc", 1, none},
        {"C:\\ABCD\\E", 1, 7},
        {"", 1, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " k " + std::to_string(c.k));
        EXPECT_EQ(created_level_end(c.path, c.k), c.expected);
    }
}

// Feeds the lines until the scan has enough; returns the shortcuts it would delete.
Lines stale_after(const Lines& lines, UninstallShortcutScan& scan)
{
    for (const std::string& line : lines)
        if (!scan.take(line)) break;
    Lines stale;
    std::size_t position = 0;
    while (const char* path = scan.next_stale(position)) stale.push_back(path);
    return stale;
}

TEST(UninstallShortcutScan, DeletesEarlierUninstallShortcutsButNeverTheLastOrItsEqual)
{
    const Lines log = {
        "Program Group Shortcut Created", "C:\\Old\\Uninstall Zel.lnk",
        "Program Group Shortcut Created", "C:\\Menu\\Uninstall Zel.lnk",
        "PROGRAM group shortcut created", "C:\\Menu\\Zel 2010.lnk",   // no "Uninstall "
        "Desktop Shortcut Created", "C:\\Desk\\Uninstall Zel.lnk",    // not a group shortcut
        "program group shortcut created", "C:\\Older\\uninstall Zel.lnk",  // letter case counts
        "Program Group Shortcut Created", "C:\\Menu\\Uninstall Zel.lnk",
    };
    UninstallShortcutScan scan;
    EXPECT_EQ(stale_after(log, scan), Lines{"C:\\Old\\Uninstall Zel.lnk"});
    EXPECT_EQ(scan.count(), 3u);
}

TEST(UninstallShortcutScan, OneOrSamePathsDeleteNothing)
{
    UninstallShortcutScan one;
    EXPECT_TRUE(stale_after({"Program Group Shortcut Created", "C:\\M\\Uninstall Z.lnk"}, one).empty());
    UninstallShortcutScan same;
    EXPECT_TRUE(stale_after({"Program Group Shortcut Created", "C:\\M\\Uninstall Z.lnk",
                             "Program Group Shortcut Created", "C:\\M\\Uninstall Z.lnk"},
                            same)
                    .empty());
    UninstallShortcutScan none;
    EXPECT_TRUE(stale_after({"Program Group Shortcut Created"}, none).empty());
}

TEST(UninstallShortcutScan, AValueLineIsNeverReadAsAKind)
{
    UninstallShortcutScan scan;
    stale_after({"Program Group Shortcut Created", "Program Group Shortcut Created", "C:\\M\\Uninstall A.lnk"}, scan);
    EXPECT_EQ(scan.count(), 0u);
}

TEST(UninstallShortcutScan, StopsWithThe1024thPath)
{
    UninstallShortcutScan scan;
    std::size_t taken = 0;
    for (std::size_t i = 0; i < 1100; ++i) {
        ++taken;
        if (!scan.take("Program Group Shortcut Created")) break;
        ++taken;
        if (!scan.take("C:\\M" + std::to_string(i) + "\\Uninstall Z.lnk")) break;
    }
    EXPECT_EQ(taken, 2048u);
    ASSERT_EQ(scan.count(), 1024u);
    // All but the 1024th, which is the one kept.
    Lines stale;
    std::size_t position = 0;
    while (const char* path = scan.next_stale(position)) stale.push_back(path);
    ASSERT_EQ(stale.size(), 1023u);
    EXPECT_EQ(stale.front(), "C:\\M0\\Uninstall Z.lnk");
    EXPECT_EQ(stale.back(), "C:\\M1022\\Uninstall Z.lnk");
}

// ---------------------------------------------------------------------------------------------
// Installed paths and command lines

TEST(Join, PartsOneAfterTheOther)
{
    EXPECT_EQ(join({"C:", "\\", std::string("Apps"), "", "x"}), "C:\\Appsx");
    EXPECT_EQ(join({}), "");
}

TEST(InstalledPathText, JoinsBaseSubdirectoryAndNameQuotedOnRequest)
{
    FileEntry file;
    file.name = "demo.exe";
    file.subdirectory = "bin\\x";
    EXPECT_EQ(installed_path_text("C:\\Apps", file, false), "C:\\Apps\\demo.exe");
    file.use_subdirectory = 1;
    EXPECT_EQ(installed_path_text("C:\\Apps", file, false), "C:\\Apps\\bin\\x\\demo.exe");
    EXPECT_EQ(installed_path_text("C:\\Apps", file, true), "\"C:\\Apps\\bin\\x\\demo.exe\"");
}

TEST(CommandLine, QuotesTheProgramAndAddsArgumentsAfterOneBlank)
{
    EXPECT_EQ(command_line("C:\\W\\regsvr32.exe", "/s \"C:\\A\\x.dll\""), "\"C:\\W\\regsvr32.exe\" /s \"C:\\A\\x.dll\"");
    EXPECT_EQ(command_line("C:\\A\\demo.exe", ""), "\"C:\\A\\demo.exe\"");
}

// ---------------------------------------------------------------------------------------------
// Shortcuts, uninstall registration, associations

TEST(ShortcutNames, BackslashBecomesABlank)
{
    EXPECT_EQ(shortcut_file_name("Zelmor\\Tax"), "Zelmor Tax.lnk");
    EXPECT_EQ(shortcut_description("Zelmor\\Tax"), "Zelmor Tax");
    EXPECT_EQ(shortcut_file_name("Zelmor Federal Income Tax "), "Zelmor Federal Income Tax .lnk");
    EXPECT_EQ(shortcut_file_name(""), ".lnk");
}

TEST(UninstallRegistration, NamedAfterTheDestinationWithoutAProgramGroup)
{
    SetupDescription description;
    description.program_group_name = "Zelmor Income Tax";
    UninstallRegistration r = uninstall_registration(description, "C:\\Apps\\Demo");
    EXPECT_EQ(r.key, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo");
    EXPECT_EQ(r.display_name, "Demo");
    EXPECT_EQ(r.command, "\"C:\\Apps\\Demo\\Uninstall.exe\" \"C:\\Apps\\Demo\\Install_Log.txt\"");
}

TEST(UninstallRegistration, NamedAfterTheProgramGroupWhenThereIsOne)
{
    SetupDescription description;
    description.create_program_group = 1;
    description.program_group_name = "Zelmor\\Income Tax";
    UninstallRegistration r = uninstall_registration(description, "D:\\Tax");
    // The key takes the group's last level; the display name is the whole group name.
    EXPECT_EQ(r.key, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Income Tax");
    EXPECT_EQ(r.display_name, "Zelmor\\Income Tax");
    EXPECT_EQ(r.command, "\"D:\\Tax\\Uninstall.exe\" \"D:\\Tax\\Install_Log.txt\"");
    // A destination without "\" is its own last component.
    description.create_program_group = 0;
    EXPECT_EQ(uninstall_registration(description, "Tax").display_name, "Tax");
}

TEST(Associations, CurrentUserOnlyOnTheNtFamily)
{
    EXPECT_TRUE(associate_for_current_user(1, true));
    EXPECT_FALSE(associate_for_current_user(1, false));
    EXPECT_FALSE(associate_for_current_user(0, true));
    EXPECT_FALSE(associate_for_current_user(0, false));
}

void expect_text(const RegistryText& text, const std::string& key, const std::string& name, const std::string& data)
{
    EXPECT_EQ(text.key, key);
    EXPECT_EQ(std::string(text.value_name), name);
    EXPECT_EQ(text.data, data);
}

TEST(Associations, CurrentUserKeys)
{
    auto text = [](int step) { return association_text(".abc", "C:\\Apps\\Demo\\demo.exe", true, step); };
    expect_text(text(0), "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.abc", "Application",
                "demo.exe");
    expect_text(text(1), "SOFTWARE\\Classes\\Applications\\demo.exe\\shell", "FriendlyCache", "demo.exe Module");
    expect_text(text(2), "SOFTWARE\\Classes\\Applications\\demo.exe\\shell\\open\\command", "",
                "\"C:\\Apps\\Demo\\demo.exe\" \"%1\"");
}

TEST(Associations, ClassesRootKeys)
{
    auto text = [](int step) { return association_text(".abc", "C:\\Apps\\Demo\\demo.exe", false, step); };
    expect_text(text(0), ".abc", "", "abc_auto_file");
    expect_text(text(1), "abc_auto_file", "", "demo.exe File");
    expect_text(text(2), "abc_auto_file\\shell\\open\\command", "", "\"C:\\Apps\\Demo\\demo.exe\" \"%1\"");
}

// ---------------------------------------------------------------------------------------------
// Registry roots and value data

TEST(RegistryRoots, ExactNamesMapBothWaysAnyOtherIsTheCurrentUser)
{
    for (RegistryRoot root : registry_roots) EXPECT_EQ(registry_root_from_name(registry_root_name(root)), root);
}

TEST(RegistryRoots, ARootNodeIsWrittenAndLoggedUnderTheSameRoot)
{
    struct Case {
        const char* node_name;
        RegistryRoot written;
        const char* logged;
    } cases[] = {
        {"HKEY_CURRENT_USER", RegistryRoot::current_user, "HKEY_CURRENT_USER"},
        {"HKEY_CLASSES_ROOT", RegistryRoot::classes_root, "HKEY_CLASSES_ROOT"},
        {"HKEY_USERS", RegistryRoot::users, "HKEY_USERS"},
        {"HKEY_LOCAL_MACHINE", RegistryRoot::local_machine, "HKEY_LOCAL_MACHINE"},
        // Any other name is written below the current user, and the log must say so, or the
        // uninstaller looks for it elsewhere.
        {"HKEY_CURRENT_CONFIG", RegistryRoot::current_user, "HKEY_CURRENT_USER"},
        {"HKEY_PERFORMANCE_DATA", RegistryRoot::current_user, "HKEY_CURRENT_USER"},
        {"hkey_local_machine", RegistryRoot::current_user, "HKEY_CURRENT_USER"},
        {"HKEY_USERS ", RegistryRoot::current_user, "HKEY_CURRENT_USER"},
        {"HKLM", RegistryRoot::current_user, "HKEY_CURRENT_USER"},
        {"", RegistryRoot::current_user, "HKEY_CURRENT_USER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node_name);
        RegistryRoot root = registry_root_from_name(c.node_name);
        EXPECT_EQ(root, c.written);
        EXPECT_STREQ(registry_root_name(root), c.logged);
    }
}

TEST(RegistryData, TypeBytesAndLengthByKind)
{
    RegistryValueEntry text;
    text.is_string = true;
    text.string_data = "abc";
    auto data = registry_data(text);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->type, 1u);
    EXPECT_EQ(data->length, 3u);  // without the terminating zero
    EXPECT_EQ(data->bytes, text.string_data.c_str());

    RegistryValueEntry number;
    number.is_dword = true;
    number.dword_data = 0x01020304;
    data = registry_data(number);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->type, 4u);
    EXPECT_EQ(data->length, 4u);
    EXPECT_EQ(*static_cast<const std::uint32_t*>(data->bytes), 0x01020304u);

    RegistryValueEntry bytes;
    bytes.is_binary = true;
    bytes.binary_data = {1, 2, 3};
    bytes.binary_size = 3;
    data = registry_data(bytes);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->type, 3u);
    EXPECT_EQ(data->length, 3u);
    EXPECT_EQ(data->bytes, bytes.binary_data.data());

    EXPECT_FALSE(registry_data(RegistryValueEntry{}));  // no kind: nothing to write
}

} // namespace
