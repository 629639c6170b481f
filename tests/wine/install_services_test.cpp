// The installation's services on a scratch destination and registry keys of their own: the
// install log, the registry writer, shortcuts, the uninstall registration, associations, the
// update clean-up of uninstall shortcuts and starting installed programs.
#include "directories.h"
#include "install_log.h"
#include "installed_files.h"
#include "registry_writer.h"
#include "scoped_com.h"
#include "shortcuts.h"
#include "test_environment.h"
#include "ui_driver.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const std::string uninstall_parent = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// A name no other run of the tests uses.
std::string unique_name(const std::string& stem)
{
    static int counter = 0;
    return stem + std::to_string(GetCurrentProcessId()) + "x" + std::to_string(GetTickCount()) + "x" +
           std::to_string(++counter);
}

// Each line followed by CR LF, as the log holds it.
std::string log_text(const Lines& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

bool directory_exists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool key_exists(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The value's type and bytes; type 0 when it cannot be read.
struct StoredValue {
    DWORD type = 0;
    std::string bytes;
};

StoredValue stored_value(HKEY root, const std::string& path, const std::string& name)
{
    StoredValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        RegQueryValueExA(key, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(value.bytes.data()), &size);
        value.bytes.resize(size);
    }
    RegCloseKey(key);
    return value;
}

// A REG_SZ value's text without the terminating zero that the system may have added.
std::string stored_text(HKEY root, const std::string& path, const std::string& name)
{
    StoredValue value = stored_value(root, path, name);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << path << "\\" << name;
    std::string text = value.bytes;
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

// Removes a registry key with everything below it when the test ends.
class KeyCleanup {
public:
    KeyCleanup(HKEY root, std::string path) : root_(root), path_(std::move(path)) {}
    ~KeyCleanup() { SHDeleteKeyA(root_, path_.c_str()); }
    KeyCleanup(const KeyCleanup&) = delete;
    KeyCleanup& operator=(const KeyCleanup&) = delete;

private:
    HKEY root_;
    std::string path_;
};

// Makes sure a key exists, so that only the levels below it are new to the code under test.
void ensure_key(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
}

// An installation into a scratch destination, with every system folder inside the scratch
// directory too.
class Installation {
public:
    Installation()
    {
        description.make_uninstall = 1;
        state.directory = scratch.file("Dest");
        CreateDirectoryA(state.directory.c_str(), nullptr);
        for (const char* folder : {"Windows", "System", "Common", "Desktop", "AllDesktop", "Programs", "AllPrograms",
                                   "Startup", "AllStartup"})
            CreateDirectoryA(scratch.file(folder).c_str(), nullptr);
        folders.windows = scratch.file("Windows");
        folders.system = scratch.file("System");
        folders.common_files = scratch.file("Common");
        folders.desktop = scratch.file("Desktop");
        folders.common_desktop = scratch.file("AllDesktop");
        folders.programs = scratch.file("Programs");
        folders.common_programs = scratch.file("AllPrograms");
        folders.startup = scratch.file("Startup");
        folders.common_startup = scratch.file("AllStartup");
        context.description = &description;
        context.state = &state;
        context.folders = &folders;
    }

    // A file of the destination, written so that links to it have a target.
    std::size_t add_file(const std::string& name, const std::string& shortcut_name)
    {
        FileEntry file;
        file.name = name;
        file.shortcut_name = shortcut_name;
        file.target_folder = target_installation_directory;
        description.files.push_back(file);
        description.file_count = static_cast<std::uint32_t>(description.files.size());
        write_file(state.directory + "\\" + name, "MZ");
        return description.files.size() - 1;
    }

    std::string log_path() const { return install_log_path(state.directory); }
    std::string log() const { return read_file(log_path()); }

    ScratchDirectory scratch;
    SetupDescription description;
    WizardState state;
    SpecialFolders folders;
    InstallContext context;
};

// ---------------------------------------------------------------------------------------------
// Install log

TEST(InstallLog, TheWorkedExampleByteForByte)
{
    ScopedComInitialize com;
    Installation install;
    // Only the destination's last level is new; its name is also the uninstall key's.
    std::string name = unique_name("Demo");
    install.state.directory = install.scratch.file("Apps\\" + name);
    ASSERT_TRUE(CreateDirectoryA(install.scratch.file("Apps").c_str(), nullptr));
    int created = 0;
    ASSERT_TRUE(create_directory_path(install.state.directory, &created));
    ASSERT_EQ(created, 1);
    install.add_file("demo.exe", "Demo");
    install.description.files[0].desktop_shortcut = 1;
    install.state.desktop_icon = 1;
    ensure_key(HKEY_LOCAL_MACHINE, uninstall_parent);
    KeyCleanup key(HKEY_LOCAL_MACHINE, uninstall_parent + "\\" + name);

    const InstallContext& c = install.context;
    const std::string& d = install.state.directory;
    ASSERT_TRUE(log_created_directories(c, log_directory_created, d, created));
    ASSERT_TRUE(append_log_entry(c, log_file_created));
    ASSERT_TRUE(append_log_entry(c, log_description, name));
    ASSERT_TRUE(append_log_entry(c, log_file_created, installed_path(c, 0, false)));
    create_desktop_shortcuts(c);
    register_uninstall(c);

    EXPECT_EQ(install.log(), log_text({"Directory Created", d, "File Created", d + "\\Install_Log.txt", "Description",
                                       name, "File Created", d + "\\demo.exe", "Desktop Shortcut Created",
                                       install.folders.desktop + "\\Demo.lnk", "Registry Entry Created",
                                       "HKEY_LOCAL_MACHINE\\" + uninstall_parent + "\\" + name}));
}

TEST(InstallLog, NewLevelsOfADirectoryOutermostFirstAndEmptyValues)
{
    Installation install;
    const InstallContext& c = install.context;
    // Only the path's text matters here.
    const std::string path = "C:\\A\\B\\C";
    ASSERT_TRUE(log_created_directories(c, log_program_group, path, 3));
    ASSERT_TRUE(log_created_directories(c, log_directory_created, path, 0));
    ASSERT_TRUE(log_created_directories(c, log_directory_created, path, 1));
    // More levels than there are below the drive root: the levels there are.
    ASSERT_TRUE(log_created_directories(c, log_directory_created, path, 7));
    ASSERT_TRUE(append_log_entry(c, log_description, ""));
    ASSERT_TRUE(append_log_entry(c, log_registry_value, "", "HKEY_USERS\\K"));
    EXPECT_EQ(install.log(), log_text({"Program Group Created", "C:\\A", "Program Group Created", "C:\\A\\B",
                                       "Program Group Created", path, "Directory Created", path, "Directory Created",
                                       "C:\\A", "Directory Created", "C:\\A\\B", "Directory Created", path,
                                       "Description", "", "Registry Value Created", "HKEY_USERS\\K\\"}));
}

TEST(InstallLog, AppendsToTheLogOfAnEarlierRun)
{
    Installation install;
    ASSERT_TRUE(write_file(install.log_path(), "Description\r\nOld\r\n"));
    ASSERT_TRUE(append_log_entry(install.context, log_description, "New"));
    EXPECT_EQ(install.log(), "Description\r\nOld\r\nDescription\r\nNew\r\n");
}

TEST(InstallLog, ALineLongerThan1023BytesIsWrittenWhole)
{
    Installation install;
    const std::string path = "C:\\" + std::string(2000, 'x');
    ASSERT_TRUE(append_log_entry(install.context, log_file_created, path));
    EXPECT_EQ(install.log(), log_text({"File Created", path}));
}

TEST(InstallLog, WithoutUninstallerNothingIsWrittenAndEveryCallSucceeds)
{
    Installation install;
    install.description.make_uninstall = 0;
    const InstallContext& c = install.context;
    EXPECT_TRUE(append_log_entry(c, log_file_created));
    EXPECT_TRUE(log_created_directories(c, log_directory_created, install.state.directory + "\\A\\B", 2));
    EXPECT_TRUE(append_log_entry(c, log_registry_value, "n", "HKEY_USERS"));
    EXPECT_FALSE(file_exists(install.log_path()));
}

TEST(InstallLog, AFailedWriteShowsTheFatalMessageAndReportsFalse)
{
    Installation install;
    install.state.directory = install.scratch.file("Missing\\Dest");
    std::optional<ui::MessageBoxInfo> box;
    std::thread answerer([&] {
        box = ui::wait_for_message_box(GetCurrentProcessId());
        if (box) ui::answer(*box, "OK");
    });
    bool written = append_log_entry(install.context, log_file_created);
    answerer.join();
    EXPECT_FALSE(written);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Unable to create files or use the destination directory.  Use the back button to change "
                         "the installation directory.");
    EXPECT_EQ(box->caption, "Fatal Installation Error");
    EXPECT_EQ(box->icon, ui::BoxIcon::warning);
    EXPECT_EQ(box->buttons, Lines{"OK"});
}

// ---------------------------------------------------------------------------------------------
// Registry writer

TEST(RegistryWriter, CreateKeyPathLogsOnlyTheNewLevelsWithTheirFullPaths)
{
    Installation install;
    std::string top = "Software\\" + unique_name("ZelmorKeys");
    KeyCleanup cleanup(HKEY_CURRENT_USER, top);
    ScopedRegistryKey key;
    ASSERT_EQ(create_key_path(install.context, RegistryRoot::current_user, top + "\\A\\B", key), ERROR_SUCCESS);
    ASSERT_TRUE(key.valid());
    EXPECT_EQ(RegSetValueExA(key.get(), "probe", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4),
              ERROR_SUCCESS);  // open for writing
    key.reset();
    // Existing levels are opened, not logged again.
    ASSERT_EQ(create_key_path(install.context, RegistryRoot::current_user, top + "\\A\\C", key), ERROR_SUCCESS);
    const std::string root = "HKEY_CURRENT_USER\\";
    EXPECT_EQ(install.log(), log_text({"Registry Entry Created", root + top, "Registry Entry Created", root + top + "\\A",
                                       "Registry Entry Created", root + top + "\\A\\B", "Registry Entry Created",
                                       root + top + "\\A\\C"}));
    EXPECT_TRUE(key_exists(HKEY_CURRENT_USER, top + "\\A\\B"));
}

TEST(RegistryWriter, EveryRootHasItsPredefinedKey)
{
    const std::pair<RegistryRoot, HKEY> roots[] = {{RegistryRoot::current_user, HKEY_CURRENT_USER},
                                                   {RegistryRoot::classes_root, HKEY_CLASSES_ROOT},
                                                   {RegistryRoot::users, HKEY_USERS},
                                                   {RegistryRoot::local_machine, HKEY_LOCAL_MACHINE}};
    for (const auto& [root, key] : roots) EXPECT_EQ(registry_root_key(root), key) << registry_root_name(root);
}

// Builds a registry section in the description: nodes by parent, values by kind.
class SectionBuilder {
public:
    explicit SectionBuilder(SetupDescription& description) : description_(description) {}

    const RegistryKeyNode* key(const RegistryKeyNode* parent, const std::string& name)
    {
        auto node = std::make_unique<RegistryKeyNode>();
        node->key_name = name;
        node->key_flag = 1;
        return description_.registry_keys.add_key(parent, std::move(node));
    }

    RegistryValueEntry& value(const RegistryKeyNode* owner, const std::string& name)
    {
        auto value = std::make_unique<RegistryValueEntry>();
        value->owner_key = owner;
        value->value_name = name;
        return const_cast<RegistryValueEntry&>(description_.registry_values.append_value(std::move(value)));
    }

    void text(const RegistryKeyNode* owner, const std::string& name, const std::string& data)
    {
        RegistryValueEntry& v = value(owner, name);
        v.is_string = true;
        v.string_data = data;
    }

    void number(const RegistryKeyNode* owner, const std::string& name, std::uint32_t data)
    {
        RegistryValueEntry& v = value(owner, name);
        v.is_dword = true;
        v.dword_data = data;
    }

    void bytes(const RegistryKeyNode* owner, const std::string& name, std::vector<std::uint8_t> data)
    {
        RegistryValueEntry& v = value(owner, name);
        v.is_binary = true;
        v.binary_size = static_cast<std::uint32_t>(data.size());
        v.binary_data = std::move(data);
    }

private:
    SetupDescription& description_;
};

TEST(RegistryWriter, WritesTheSectionsKeysAndValuesAndLogsThem)
{
    Installation install;
    std::string own = unique_name("ZelmorSection");
    std::string other = unique_name("ZelmorConfig");
    std::string root_value = unique_name("ZelmorRootValue");
    std::string config_value = unique_name("ZelmorConfigValue");
    KeyCleanup own_keys(HKEY_CURRENT_USER, "Software\\" + own);
    KeyCleanup other_keys(HKEY_CURRENT_USER, "Software\\" + other);
    struct ValueCleanup {
        std::string names[2];
        ~ValueCleanup()
        {
            for (const std::string& name : names) RegDeleteValueA(HKEY_CURRENT_USER, name.c_str());
        }
    } root_values{{root_value, config_value}};

    SectionBuilder section(install.description);
    const RegistryKeyNode* user = section.key(nullptr, "HKEY_CURRENT_USER");
    section.text(user, root_value, "at the root");
    const RegistryKeyNode* software = section.key(user, "Software");
    const RegistryKeyNode* product = section.key(software, own);
    section.text(product, "Name", "Zelmor");
    section.number(product, "Count", 0x01020304);
    section.bytes(product, "Bytes", {1, 0, 255});
    section.text(product, "", "default");
    section.value(product, "Untyped");  // no kind: skipped
    const RegistryKeyNode* deeper = section.key(product, "Deeper");
    section.number(deeper, "Level", 2);
    // A root that is not one of the four writes below the current user.
    const RegistryKeyNode* config = section.key(nullptr, "HKEY_CURRENT_CONFIG");
    section.number(config, config_value, 9);
    section.key(section.key(config, "Software"), other);

    write_registry_entries(install.context);

    const std::string user_name = "HKEY_CURRENT_USER\\";
    const std::string product_key = "Software\\" + own;
    EXPECT_EQ(install.log(),
              log_text({"Registry Value Created", user_name + root_value,
                        "Registry Entry Created", user_name + product_key,
                        "Registry Value Created", user_name + product_key + "\\Name",
                        "Registry Value Created", user_name + product_key + "\\Count",
                        "Registry Value Created", user_name + product_key + "\\Bytes",
                        "Registry Value Created", user_name + product_key + "\\",
                        "Registry Entry Created", user_name + product_key + "\\Deeper",
                        "Registry Value Created", user_name + product_key + "\\Deeper\\Level",
                        // Logged where it was written, so that the uninstaller finds it.
                        "Registry Value Created", user_name + config_value,
                        "Registry Entry Created", user_name + "Software\\" + other}));

    EXPECT_EQ(stored_text(HKEY_CURRENT_USER, "", root_value), "at the root");
    EXPECT_EQ(stored_text(HKEY_CURRENT_USER, product_key, "Name"), "Zelmor");
    StoredValue count = stored_value(HKEY_CURRENT_USER, product_key, "Count");
    EXPECT_EQ(count.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(count.bytes, std::string("\x04\x03\x02\x01", 4));
    StoredValue bytes = stored_value(HKEY_CURRENT_USER, product_key, "Bytes");
    EXPECT_EQ(bytes.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(bytes.bytes, std::string("\x01\x00\xff", 3));
    EXPECT_EQ(stored_text(HKEY_CURRENT_USER, product_key, ""), "default");
    EXPECT_EQ(stored_value(HKEY_CURRENT_USER, product_key, "Untyped").type, 0u);
    EXPECT_EQ(stored_value(HKEY_CURRENT_USER, product_key + "\\Deeper", "Level").bytes, std::string("\2\0\0\0", 4));
    EXPECT_EQ(stored_value(HKEY_CURRENT_USER, "", config_value).bytes, std::string("\x09\0\0\0", 4));
    EXPECT_TRUE(key_exists(HKEY_CURRENT_USER, "Software\\" + other));
}

// ---------------------------------------------------------------------------------------------
// Shortcuts

// What a link file says, read back through the shell's link object.
struct LinkContents {
    bool loaded = false;
    std::string path;
    std::string directory;
    std::string description;
};

LinkContents read_link(const std::string& link_path)
{
    LinkContents contents;
    ScopedComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.receive_void())))
        return contents;
    ScopedComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.receive_void()))) return contents;
    std::wstring wide(link_path.begin(), link_path.end());
    if (FAILED(file->Load(wide.c_str(), STGM_READ))) return contents;
    char text[MAX_PATH] = {};
    link->GetPath(text, MAX_PATH, nullptr, 0);
    contents.path = text;
    text[0] = '\0';
    link->GetWorkingDirectory(text, MAX_PATH);
    contents.directory = text;
    text[0] = '\0';
    link->GetDescription(text, MAX_PATH);
    contents.description = text;
    contents.loaded = true;
    return contents;
}

TEST(Shortcuts, ALinkStartsItsTargetInTheTargetsDirectory)
{
    ScopedComInitialize com;
    Installation install;
    install.add_file("demo.exe", "Demo");
    std::string target = install.state.directory + "\\demo.exe";
    std::string link = install.scratch.file("Demo.lnk");
    ASSERT_TRUE(create_shortcut(target, link, "Zelmor Demo"));
    LinkContents contents = read_link(link);
    ASSERT_TRUE(contents.loaded);
    EXPECT_STRCASEEQ(contents.path.c_str(), target.c_str());
    EXPECT_STRCASEEQ(contents.directory.c_str(), install.state.directory.c_str());
    EXPECT_EQ(contents.description, "Zelmor Demo");
}

TEST(Shortcuts, ABackslashInTheNameBecomesABlankInFileNameAndDescription)
{
    ScopedComInitialize com;
    Installation install;
    install.add_file("demo.exe", "Zelmor\\Demo");
    std::string folder = install.scratch.file("Desktop");
    ASSERT_TRUE(create_entry_shortcut(install.context, 0, folder, log_startup_shortcut));
    std::string link = folder + "\\Zelmor Demo.lnk";
    LinkContents contents = read_link(link);
    ASSERT_TRUE(contents.loaded);
    EXPECT_EQ(contents.description, "Zelmor Demo");
    EXPECT_EQ(install.log(), log_text({"Startup Shortcut Created", link}));
}

TEST(Shortcuts, EachKindGoesToTheFolderOfTheInstallForChoice)
{
    ScopedComInitialize com;
    for (std::uint8_t install_for : {1, 0}) {
        SCOPED_TRACE(install_for == 1 ? "current user" : "all users");
        Installation install;
        install.context.install_for = install_for;
        install.description.create_program_group = 1;
        install.description.program_group_name = "Zelmor\\Tax";
        install.state.desktop_icon = install.state.program_group = install.state.start_at_login = 1;
        install.add_file("uninstall.exe", "Uninstall Zelmor");
        install.add_file("zeltax.exe", "Zelmor Tax ");
        install.description.files[0].group_shortcut = 1;
        install.description.files[1].group_shortcut = 1;
        install.description.files[1].desktop_shortcut = 1;
        install.description.files[1].startup_shortcut = 1;
        const InstallContext& c = install.context;
        create_desktop_shortcuts(c);
        ASSERT_TRUE(create_program_group(c));
        create_startup_shortcuts(c);

        const SpecialFolders& f = install.folders;
        const std::string& desktop = install_for == 1 ? f.desktop : f.common_desktop;
        const std::string& programs = install_for == 1 ? f.programs : f.common_programs;
        const std::string& startup = install_for == 1 ? f.startup : f.common_startup;
        std::string group = programs + "\\Zelmor";
        EXPECT_EQ(install.log(),
                  log_text({"Desktop Shortcut Created", desktop + "\\Zelmor Tax .lnk",
                            "Program Group Created", group,
                            "Program Group Created", group + "\\Tax",
                            "Program Group Shortcut Created", group + "\\Tax\\Uninstall Zelmor.lnk",
                            "Program Group Shortcut Created", group + "\\Tax\\Zelmor Tax .lnk",
                            "Startup Shortcut Created", startup + "\\Zelmor Tax .lnk"}));
        EXPECT_TRUE(read_link(group + "\\Tax\\Uninstall Zelmor.lnk").loaded);
    }
}

TEST(Shortcuts, NothingWithoutTheUsersChoices)
{
    ScopedComInitialize com;
    Installation install;
    install.description.create_program_group = 1;
    install.description.program_group_name = "Zelmor";
    install.add_file("zeltax.exe", "Zelmor");
    FileEntry& file = install.description.files[0];
    file.desktop_shortcut = file.group_shortcut = file.startup_shortcut = 1;
    create_desktop_shortcuts(install.context);
    EXPECT_TRUE(create_program_group(install.context));
    create_startup_shortcuts(install.context);
    // The package may make no group even when the user keeps the choice.
    install.state.program_group = 1;
    install.description.create_program_group = 0;
    EXPECT_TRUE(create_program_group(install.context));
    EXPECT_FALSE(file_exists(install.log_path()));
    EXPECT_FALSE(directory_exists(install.folders.programs + "\\Zelmor"));
}

// ---------------------------------------------------------------------------------------------
// Uninstall registration

TEST(UninstallRegistration, KeyNamedAfterTheGroupWithItsTwoValuesUnlogged)
{
    Installation install;
    std::string group = unique_name("Zelmor Test ");
    install.description.create_program_group = 1;
    install.description.program_group_name = group;
    std::string key = uninstall_parent + "\\" + group;
    ensure_key(HKEY_LOCAL_MACHINE, uninstall_parent);
    KeyCleanup cleanup(HKEY_LOCAL_MACHINE, key);

    register_uninstall(install.context);

    const std::string& d = install.state.directory;
    EXPECT_EQ(stored_text(HKEY_LOCAL_MACHINE, key, "DisplayName"), group);
    EXPECT_EQ(stored_text(HKEY_LOCAL_MACHINE, key, "UninstallString"),
              "\"" + d + "\\Uninstall.exe\" \"" + d + "\\Install_Log.txt\"");
    EXPECT_EQ(install.log(), log_text({"Registry Entry Created", "HKEY_LOCAL_MACHINE\\" + key}));
}

TEST(UninstallRegistration, NoneWithoutUninstaller)
{
    Installation install;
    std::string group = unique_name("Zelmor Test ");
    install.description.create_program_group = 1;
    install.description.program_group_name = group;
    install.description.make_uninstall = 0;
    register_uninstall(install.context);
    EXPECT_FALSE(key_exists(HKEY_LOCAL_MACHINE, uninstall_parent + "\\" + group));
}

// ---------------------------------------------------------------------------------------------
// Update clean-up of uninstall shortcuts

TEST(OldUninstallShortcuts, EarlierOnesGoTheLastAndItsEqualStayABareLineFeedEndsTheScan)
{
    Installation install;
    install.context.update_mode = true;
    std::string old_link = install.scratch.file("Programs\\Uninstall Old.lnk");
    std::string kept_link = install.scratch.file("AllPrograms\\Uninstall Zelmor.lnk");
    std::string late_link = install.scratch.file("Startup\\Uninstall Late.lnk");
    std::string other_link = install.scratch.file("Desktop\\Zelmor.lnk");
    for (const std::string* link : {&old_link, &kept_link, &late_link, &other_link}) ASSERT_TRUE(write_file(*link, "L"));
    // An empty value line (CR LF) does not end the scan; a bare LF does.
    ASSERT_TRUE(write_file(install.log_path(),
                           log_text({"Program Group Shortcut Created", kept_link, "Description", "",
                                     "Program Group Shortcut Created", old_link, "program group shortcut created",
                                     other_link, "Program Group Shortcut Created", kept_link}) +
                               "\n" + log_text({"Program Group Shortcut Created", late_link})));

    remove_old_uninstall_shortcuts(install.context);

    EXPECT_FALSE(file_exists(old_link));
    EXPECT_TRUE(file_exists(kept_link));
    EXPECT_TRUE(file_exists(late_link));
    EXPECT_TRUE(file_exists(other_link));
}

TEST(OldUninstallShortcuts, OnlyInAnUpdateRun)
{
    Installation install;
    std::string old_link = install.scratch.file("Uninstall Old.lnk");
    ASSERT_TRUE(write_file(old_link, "L"));
    ASSERT_TRUE(write_file(install.log_path(), log_text({"Program Group Shortcut Created", old_link,
                                                         "Program Group Shortcut Created", "C:\\Uninstall New.lnk"})));
    remove_old_uninstall_shortcuts(install.context);
    EXPECT_TRUE(file_exists(old_link));
    install.context.update_mode = true;
    remove_old_uninstall_shortcuts(install.context);
    EXPECT_FALSE(file_exists(old_link));
}

// ---------------------------------------------------------------------------------------------
// File associations

TEST(Associations, CurrentUserOnTheNtFamilyGoesBelowHkeyCurrentUser)
{
    Installation install;
    std::string program = unique_name("zq") + ".exe";
    std::string extension = "." + unique_name("zq");
    install.add_file(program, "Zq");
    install.description.extensions.push_back({extension, 0});
    install.description.extension_count = 1;
    install.state.associate = 1;
    const std::string file_exts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
    const std::string applications = "SOFTWARE\\Classes\\Applications";
    ensure_key(HKEY_CURRENT_USER, file_exts);
    ensure_key(HKEY_CURRENT_USER, applications);
    KeyCleanup extension_key(HKEY_CURRENT_USER, file_exts + "\\" + extension);
    KeyCleanup program_key(HKEY_CURRENT_USER, applications + "\\" + program);

    associate_extensions(install.context);

    std::string path = install.state.directory + "\\" + program;
    std::string shell = applications + "\\" + program + "\\shell";
    EXPECT_EQ(stored_text(HKEY_CURRENT_USER, file_exts + "\\" + extension, "Application"), program);
    EXPECT_EQ(stored_text(HKEY_CURRENT_USER, shell, "FriendlyCache"), program + " Module");
    EXPECT_EQ(stored_text(HKEY_CURRENT_USER, shell + "\\open\\command", ""), "\"" + path + "\" \"%1\"");
    const std::string user = "HKEY_CURRENT_USER\\";
    EXPECT_EQ(install.log(), log_text({"Registry Entry Created", user + file_exts + "\\" + extension,
                                       "Registry Entry Created", user + applications + "\\" + program,
                                       "Registry Entry Created", user + shell, "Registry Entry Created",
                                       user + shell + "\\open", "Registry Entry Created",
                                       user + shell + "\\open\\command"}));
}

TEST(Associations, AllUsersOrTheNineXFamilyGoBelowHkeyClassesRoot)
{
    for (bool all_users : {true, false}) {
        SCOPED_TRACE(all_users ? "all users" : "current user on 9x");
        Installation install;
        install.context.install_for = all_users ? 0 : 1;
        install.context.nt_family = all_users;
        std::string type = unique_name("zq");
        std::string extension = "." + type;
        install.add_file("zq.exe", "Zq");
        install.description.extensions.push_back({extension, 0});
        install.description.extension_count = 1;
        install.state.associate = 1;
        KeyCleanup extension_key(HKEY_CLASSES_ROOT, extension);
        KeyCleanup type_key(HKEY_CLASSES_ROOT, type + "_auto_file");

        associate_extensions(install.context);

        std::string file_type = type + "_auto_file";
        std::string path = install.state.directory + "\\zq.exe";
        EXPECT_EQ(stored_text(HKEY_CLASSES_ROOT, extension, ""), file_type);
        EXPECT_EQ(stored_text(HKEY_CLASSES_ROOT, file_type, ""), "zq.exe File");
        EXPECT_EQ(stored_text(HKEY_CLASSES_ROOT, file_type + "\\shell\\open\\command", ""), "\"" + path + "\" \"%1\"");
        const std::string root = "HKEY_CLASSES_ROOT\\";
        EXPECT_EQ(install.log(), log_text({"Registry Entry Created", root + extension, "Registry Entry Created",
                                           root + file_type, "Registry Entry Created", root + file_type + "\\shell",
                                           "Registry Entry Created", root + file_type + "\\shell\\open",
                                           "Registry Entry Created", root + file_type + "\\shell\\open\\command"}));
    }
}

TEST(Associations, NoneWithoutTheUsersChoice)
{
    Installation install;
    std::string extension = "." + unique_name("zq");
    install.add_file("zq.exe", "Zq");
    install.description.extensions.push_back({extension, 0});
    install.description.extension_count = 1;
    install.context.install_for = 0;
    associate_extensions(install.context);
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, extension));
}

// ---------------------------------------------------------------------------------------------
// Installed paths and started programs

TEST(InstalledFiles, PathsByTargetFolder)
{
    Installation install;
    install.add_file("a.dll", "A");
    FileEntry& file = install.description.files[0];
    file.use_subdirectory = 1;
    file.subdirectory = "Sub\\Dir";
    const std::pair<std::uint32_t, std::string> bases[] = {{0, install.folders.windows},
                                                           {1, install.folders.system},
                                                           {2, install.folders.common_files},
                                                           {3, install.state.directory}};
    for (const auto& [folder, base] : bases) {
        file.target_folder = folder;
        EXPECT_EQ(installed_path(install.context, 0, false), base + "\\Sub\\Dir\\a.dll");
        EXPECT_EQ(installed_path(install.context, 0, true), "\"" + base + "\\Sub\\Dir\\a.dll\"");
    }
}

TEST(InstalledFiles, StartProgramRunsTheEntryOrTheGivenProgramWithItsArguments)
{
    Installation install;
    std::string recorder = test_program_path("arg_recorder");
    ASSERT_FALSE(recorder.empty());
    install.add_file("rec.exe", "Rec");
    std::string installed = install.state.directory + "\\rec.exe";
    ASSERT_TRUE(copy_file(recorder, installed));
    std::string record = installed + ".args";

    auto recorded_lines = [&] {
        std::string text = read_file(record);
        return std::count(text.begin(), text.end(), '\n');
    };
    ASSERT_TRUE(start_program(install.context, 0, nullptr, "/x \"a b\""));
    ASSERT_TRUE(ui::wait_until([&] { return recorded_lines() == 1; }));
    // With a program the entry is not looked at.
    std::string program = installed;
    ASSERT_TRUE(start_program(install.context, 7, &program, ""));
    ASSERT_TRUE(ui::wait_until([&] { return recorded_lines() == 2; }));
    EXPECT_EQ(read_file(record), "\"" + installed + "\" /x \"a b\"\r\n\"" + installed + "\"\r\n");
    // Nothing is started for a program that does not exist.
    std::string missing = install.scratch.file("missing.exe");
    EXPECT_FALSE(start_program(install.context, 0, &missing, ""));
    // Let the recorder finish before the scratch directory goes.
    Sleep(200);
}

} // namespace
