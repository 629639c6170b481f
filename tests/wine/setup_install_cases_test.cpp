// The installation with a test package: files in subdirectories and the Common Files
// directory, self-registration, programs run during and after the installation, registry
// entries, associations for one user and for all, a destination that is refused, a file that
// cannot be written, Esc, a package without uninstaller, and setup ended amid its files.
#include "install_checks.h"
#include "setup_pages.h"
#include "setup_resource.h"
#include "test_environment.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

namespace {

constexpr char registry_section_key[] = "Software\\Zelmor Install Test";
constexpr char file_exts_key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.zit";
constexpr char application_key[] = "SOFTWARE\\Classes\\Applications\\after.exe";
constexpr char uninstall_keys[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

class InstallCases : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A destination name of its own, so that its uninstall key is too.
        destination = dir.file("Install Test " + std::to_string(GetTickCount()));
        remove_traces();
    }
    void TearDown() override { remove_traces(); }

    void remove_traces()
    {
        delete_registry_tree(HKEY_CURRENT_USER, registry_section_key);
        delete_registry_tree(HKEY_CURRENT_USER, file_exts_key);
        delete_registry_tree(HKEY_CURRENT_USER, application_key);
        delete_registry_tree(HKEY_CLASSES_ROOT, ".zit");
        delete_registry_tree(HKEY_CLASSES_ROOT, "zit_auto_file");
        delete_registry_tree(HKEY_LOCAL_MACHINE, uninstall_keys + last_component());
        DeleteFileA(shared_file().c_str());
        RemoveDirectoryA(shared_directory().c_str());
    }

    std::string last_component() const { return destination.substr(destination.rfind('\\') + 1); }
    std::string shared_directory() const { return common_files + "\\Zelmor Install Test"; }
    std::string shared_file() const { return shared_directory() + "\\shared.txt"; }
    std::string in_destination(const std::string& name) const { return destination + "\\" + name; }

    // Leads a new setup to its summary page with this destination; true when it got there.
    bool walk_to_summary(WizardRun& wizard, bool all_users = false)
    {
        if (!wizard.walk_to(SetupPage::users)) return false;
        if (all_users) ui::click(ui::control(wizard.page(), IDC_ALL_USERS));
        if (!wizard.walk_to(SetupPage::destination)) return false;
        ui::set_text(ui::control(wizard.page(), IDC_DESTINATION), destination);
        return wizard.walk_to(SetupPage::summary) != nullptr;
    }

    HWND install(WizardRun& wizard, bool all_users = false)
    {
        return walk_to_summary(wizard, all_users) ? wizard.install() : nullptr;
    }

    std::string log() const { return read_file(in_destination("Install_Log.txt")); }

    // The shared file, made and then held open without sharing, as another program might hold it.
    HANDLE hold_shared_file() const
    {
        CreateDirectoryA(shared_directory().c_str(), nullptr);
        if (!write_file(shared_file(), "held")) return INVALID_HANDLE_VALUE;
        return CreateFileA(shared_file().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    }

    ScratchDirectory dir;
    std::string destination;
    std::string common_files = shell_folder(CSIDL_PROGRAM_FILES_COMMON);
};

// Whether the entries appear in the log in this order, each as a kind line and a value line.
::testing::AssertionResult logged_in_order(const std::string& log,
                                           const std::vector<std::pair<std::string, std::string>>& entries)
{
    std::vector<std::string> lines = crlf_lines(log);
    std::size_t at = 0;
    for (const auto& [kind, value] : entries) {
        while (at + 1 < lines.size() && !(lines[at] == kind && lines[at + 1] == value)) at += 2;
        if (at + 1 >= lines.size())
            return ::testing::AssertionFailure() << "\"" << kind << "\" \"" << value << "\" is missing or out of order in\n"
                                                 << log;
        at += 2;
    }
    return ::testing::AssertionSuccess();
}

std::string dword_bytes(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), 4); }

TEST_F(InstallCases, FilesRegistrationProgramsRegistryAndAssociationForTheCurrentUser)
{
    WizardRun wizard("install");
    HWND page = install(wizard);
    ASSERT_TRUE(page);
    ASSERT_TRUE(wait_for_completion(page));
    EXPECT_FALSE(ui::find_message_box(wizard.id()));

    std::string hkcu = "HKEY_CURRENT_USER\\Software\\Zelmor Install Test";
    EXPECT_TRUE(logged_in_order(
        log(), {{"Directory Created", destination},
                {"File Created", in_destination("Install_Log.txt")},
                {"Description", last_component()},
                {"File Created", in_destination("readme.txt")},
                {"Directory Created", in_destination("docs")},
                {"Directory Created", in_destination("docs\\more")},
                {"File Created", in_destination("docs\\more\\notes.txt")},
                {"Directory Created", shared_directory()},
                {"File Created Ask To Remove", shared_file()},
                {"File Created Ask To Remove and Unregister", in_destination("registrar.dll")},
                {"File Created", in_destination("during.exe")},
                {"File Created", in_destination("after.exe")},
                {"Registry Entry Created", "HKEY_LOCAL_MACHINE\\" + std::string(uninstall_keys) + last_component()},
                {"Registry Entry Created", "HKEY_CURRENT_USER\\" + std::string(file_exts_key)},
                {"Registry Entry Created", hkcu},
                {"Registry Entry Created", hkcu + "\\Empty"},
                {"Registry Entry Created", hkcu + "\\Values"},
                {"Registry Value Created", hkcu + "\\Values\\Text"},
                {"Registry Value Created", hkcu + "\\Values\\Number"},
                {"Registry Value Created", hkcu + "\\Values\\Bytes"},
                {"Registry Value Created", hkcu + "\\Values\\"}}));

    EXPECT_EQ(read_file(in_destination("docs\\more\\notes.txt")), read_file(test_program_path("notes_source")));
    EXPECT_EQ(read_file(shared_file()), read_file(test_program_path("readme_source")));

    // regsvr32 ran the library's registration; the program of step 12 got its arguments.
    EXPECT_TRUE(ui::wait_until([&] { return file_exists(in_destination("registrar.dll.registered")); }));
    std::string during = in_destination("during.exe.args");
    ASSERT_TRUE(ui::wait_until([&] { return read_file(during).find("\r\n") != std::string::npos; }));
    EXPECT_EQ(read_file(during), "\"" + in_destination("during.exe") + "\" -during \"two words\"\r\n");

    // The registry section, every kind.
    std::string values = std::string(registry_section_key) + "\\Values";
    EXPECT_TRUE(registry_key_exists(HKEY_CURRENT_USER, std::string(registry_section_key) + "\\Empty"));
    std::optional<RegistryData> text = registry_value(HKEY_CURRENT_USER, values, "Text");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text->bytes.c_str(), std::string("some text"));
    std::optional<RegistryData> number = registry_value(HKEY_CURRENT_USER, values, "Number");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(number->bytes, dword_bytes(0x12345678));
    std::optional<RegistryData> bytes = registry_value(HKEY_CURRENT_USER, values, "Bytes");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(bytes->bytes, std::string("\x01\xA0\xFF", 3));
    std::optional<RegistryData> standard = registry_value(HKEY_CURRENT_USER, values, "");
    ASSERT_TRUE(standard);
    EXPECT_EQ(standard->bytes.c_str(), std::string("default"));

    // The association, for this user only.
    std::optional<RegistryData> application = registry_value(HKEY_CURRENT_USER, file_exts_key, "Application");
    ASSERT_TRUE(application);
    EXPECT_EQ(application->bytes.c_str(), std::string("after.exe"));
    std::optional<RegistryData> command =
        registry_value(HKEY_CURRENT_USER, std::string(application_key) + "\\shell\\open\\command", "");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->bytes.c_str(), "\"" + in_destination("after.exe") + "\" \"%1\"");
    EXPECT_FALSE(registry_key_exists(HKEY_CLASSES_ROOT, ".zit"));

    // The start box is offered, unticked; ticked, Exit starts the program with its arguments.
    HWND start = ui::control(page, IDC_START_APPLICATION);
    EXPECT_TRUE(ui::is_visible(start));
    EXPECT_TRUE(ui::is_enabled(start));
    EXPECT_FALSE(ui::is_checked(start));
    ui::click(start);
    ASSERT_TRUE(ui::wait_until([&] { return ui::is_checked(start); }));
    ui::click(ui::control(page, IDCANCEL));
    EXPECT_EQ(wizard.program().wait_exit(), 0u);
    std::string after = in_destination("after.exe.args");
    ASSERT_TRUE(ui::wait_until([&] { return read_file(after).find("\r\n") != std::string::npos; }));
    EXPECT_EQ(read_file(after), "\"" + in_destination("after.exe") + "\" -after\r\n");
}

TEST_F(InstallCases, AllUsersAssociateUnderTheClassesRootAndAnUntickedStartBoxStartsNothing)
{
    WizardRun wizard("install");
    HWND page = install(wizard, true);
    ASSERT_TRUE(page);
    ASSERT_TRUE(wait_for_completion(page));

    std::optional<RegistryData> extension = registry_value(HKEY_CLASSES_ROOT, ".zit", "");
    ASSERT_TRUE(extension);
    EXPECT_EQ(extension->bytes.c_str(), std::string("zit_auto_file"));
    std::optional<RegistryData> type = registry_value(HKEY_CLASSES_ROOT, "zit_auto_file", "");
    ASSERT_TRUE(type);
    EXPECT_EQ(type->bytes.c_str(), std::string("after.exe File"));
    std::optional<RegistryData> command = registry_value(HKEY_CLASSES_ROOT, "zit_auto_file\\shell\\open\\command", "");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->bytes.c_str(), "\"" + in_destination("after.exe") + "\" \"%1\"");
    EXPECT_FALSE(registry_key_exists(HKEY_CURRENT_USER, file_exts_key));
    EXPECT_TRUE(logged_in_order(log(), {{"Registry Entry Created", "HKEY_CLASSES_ROOT\\.zit"},
                                        {"Registry Entry Created", "HKEY_CLASSES_ROOT\\zit_auto_file"}}));

    ui::click(ui::control(page, IDCANCEL));
    EXPECT_EQ(wizard.program().wait_exit(), 0u);
    Sleep(500);
    EXPECT_FALSE(file_exists(in_destination("after.exe.args")));
}

TEST_F(InstallCases, ADestinationWithFilesButNoLogIsRefusedAndTheDestinationPageReturns)
{
    CreateDirectoryA(destination.c_str(), nullptr);
    ASSERT_TRUE(write_file(in_destination("other.txt"), "other"));
    WizardRun wizard("install");
    ASSERT_TRUE(install(wizard));
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(wizard.id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Installation Information");
    EXPECT_EQ(box->text,
              "Change the installation directory.  The install directory must be new, empty, or a previous "
              "installation directory of the software you are installing.");
    EXPECT_EQ(box->icon, ui::BoxIcon::information);
    ui::answer(*box, "OK");
    HWND page = wait_for_page(wizard.id(), SetupPage::destination);
    ASSERT_TRUE(page);
    EXPECT_FALSE(file_exists(in_destination("Install_Log.txt")));
    EXPECT_FALSE(file_exists(in_destination("readme.txt")));

    // Another, new directory is installed into from there.
    destination = dir.file("second choice");
    ui::set_text(ui::control(page, IDC_DESTINATION), destination);
    ASSERT_TRUE(wizard.walk_to(SetupPage::summary));
    HWND install_page = wizard.install();
    ASSERT_TRUE(install_page);
    ASSERT_TRUE(wait_for_completion(install_page));
    EXPECT_TRUE(file_exists(in_destination("readme.txt")));
    ui::click(ui::control(install_page, IDCANCEL));
    EXPECT_EQ(wizard.program().wait_exit(), 0u);
}

// A file held open without sharing by this test: the retry prompt; Yes tries again.
TEST_F(InstallCases, AFileThatCannotBeWrittenIsPromptedForAndYesWritesItOnceReleased)
{
    HANDLE held = hold_shared_file();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    WizardRun wizard("install");
    HWND page = install(wizard);
    ASSERT_TRUE(page);
    std::string prompt = "Unable to extract: " + shared_file() +
                         ".  The file may locked by Windows.  You may attempt to fix the problem OR continue the "
                         "installation without copying the file.\r\n\r\nWould you like to retry?";
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(wizard.id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Installation Information");
    EXPECT_EQ(box->text, prompt);
    EXPECT_EQ(box->icon, ui::BoxIcon::information);
    // While the installation runs, Exit is hidden and disabled and Esc's command does nothing.
    EXPECT_FALSE(ui::is_visible(ui::control(page, IDCANCEL)));
    EXPECT_FALSE(ui::is_enabled(ui::control(page, IDCANCEL)));
    PostMessageA(page, WM_COMMAND, IDCANCEL, 0);

    // Yes while the file is still held: the prompt again.
    HWND first_box = box->window;
    ui::answer(*box, "Yes");
    ASSERT_TRUE(ui::wait_until([&] {
        box = ui::find_message_box(wizard.id());
        return box && box->window != first_box;
    }));
    EXPECT_EQ(box->text, prompt);
    CloseHandle(held);
    ui::answer(*box, "Yes");
    ASSERT_TRUE(wait_for_completion(page));
    EXPECT_TRUE(wizard.program().running());
    EXPECT_EQ(read_file(shared_file()), read_file(test_program_path("readme_source")));
    ui::click(ui::control(page, IDCANCEL));
    EXPECT_EQ(wizard.program().wait_exit(), 0u);
}

// No leaves the file as it is, yet logs it and goes on; Esc on the completion page exits.
TEST_F(InstallCases, NoToTheRetryPromptLeavesTheFileAndGoesOn)
{
    HANDLE held = hold_shared_file();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    WizardRun wizard("install");
    HWND page = install(wizard);
    ASSERT_TRUE(page);
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(wizard.id());
    ASSERT_TRUE(box);
    ui::press_key(page, VK_ESCAPE);
    ui::answer(*box, "No");
    ASSERT_TRUE(wait_for_completion(page));
    CloseHandle(held);
    EXPECT_EQ(read_file(shared_file()), "held");
    EXPECT_TRUE(logged_in_order(log(), {{"File Created Ask To Remove", shared_file()},
                                        {"File Created Ask To Remove and Unregister", in_destination("registrar.dll")}}));
    ui::press_key(page, VK_ESCAPE);
    EXPECT_EQ(wizard.program().wait_exit(), 0u);
}

TEST_F(InstallCases, WithoutUninstallerANonEmptyDestinationIsTakenNothingIsLoggedAndARestartIsOffered)
{
    CreateDirectoryA(destination.c_str(), nullptr);
    ASSERT_TRUE(write_file(in_destination("other.txt"), "other"));
    WizardRun wizard("install_no_log");
    HWND page = install(wizard);
    ASSERT_TRUE(page);
    ASSERT_TRUE(wait_for_completion(page));
    EXPECT_FALSE(ui::find_message_box(wizard.id()));
    EXPECT_TRUE(file_exists(in_destination("readme.txt")));
    EXPECT_TRUE(file_exists(in_destination("docs\\more\\notes.txt")));
    EXPECT_FALSE(file_exists(in_destination("Install_Log.txt")));
    EXPECT_FALSE(registry_key_exists(HKEY_LOCAL_MACHINE, uninstall_keys + last_component()));

    // The package recommends a restart: asked after a completed installation; No just ends.
    ui::click(ui::control(page, IDCANCEL));
    std::optional<ui::MessageBoxInfo> restart = ui::wait_for_message_box(wizard.id());
    ASSERT_TRUE(restart);
    EXPECT_EQ(restart->caption, "Reboot?");
    EXPECT_EQ(restart->text, "It is recommended that you restart your computer.  Would you like to restart your computer now?");
    EXPECT_EQ(restart->icon, ui::BoxIcon::question);
    ui::answer(*restart, "No");
    EXPECT_EQ(wizard.program().wait_exit(), 0u);
}

// A file where a subdirectory must go: the fatal message, and the installation ends there (result
// 1) without the restart question and without going back into the wizard.
TEST_F(InstallCases, ASubdirectoryThatCannotBeMadeEndsTheInstallationWithoutRestartQuestion)
{
    CreateDirectoryA(destination.c_str(), nullptr);
    ASSERT_TRUE(write_file(in_destination("docs"), "a file, not a directory"));
    WizardRun wizard("install_no_log");
    ASSERT_TRUE(install(wizard));
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(wizard.id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Installation Information");
    EXPECT_EQ(box->text, "Unable to create the directory: " + in_destination("docs\\more") + ".  This is a fatal error.");
    EXPECT_EQ(box->icon, ui::BoxIcon::information);
    ui::answer(*box, "OK");
    EXPECT_EQ(wizard.program().wait_exit(), 0u);
    EXPECT_TRUE(file_exists(in_destination("readme.txt")));
    EXPECT_FALSE(file_exists(in_destination("registrar.dll")));
}

// The log stays open while setup installs, yet each entry is in the file before the next change:
// setup ended in the middle of its 1,000 files leaves whole entries, each naming what exists.
TEST_F(InstallCases, SetupEndedAmidItsFilesLeavesALogOfWholeEntriesThatNameWhatExists)
{
    constexpr std::size_t file_count = 1000;
    // Reached after a few hundred files: the log's own entry and the directories come first.
    constexpr DWORD log_size_to_end_at = 24 * 1024;
    WizardRun wizard("many_files");
    ASSERT_TRUE(wizard.walk_to(SetupPage::destination));
    ui::set_text(ui::control(wizard.page(), IDC_DESTINATION), destination);
    ASSERT_TRUE(wizard.walk_to(SetupPage::summary));
    const std::string log_path = in_destination("Install_Log.txt");
    ui::click(ui::control(wizard.page(), IDOK));
    auto log_size = [&] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        return GetFileAttributesExA(log_path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
    };
    DWORD start = GetTickCount();
    while (log_size() < log_size_to_end_at && GetTickCount() - start < ui::default_timeout_ms) Sleep(1);
    wizard.program().terminate();
    ASSERT_GE(log_size(), log_size_to_end_at);

    const std::string text = log();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    std::vector<std::string> lines = crlf_lines(text);
    ASSERT_EQ(lines.size() % 2, 0u) << text;
    std::size_t files_logged = 0;
    for (std::size_t line = 0; line < lines.size(); line += 2) {
        const std::string& kind = lines[line];
        const std::string& value = lines[line + 1];
        SCOPED_TRACE(kind + " " + value);
        if (kind == "File Created") {
            EXPECT_TRUE(file_exists(value));
            if (value != log_path) ++files_logged;
        } else if (kind == "Directory Created") {
            DWORD attributes = GetFileAttributesA(value.c_str());
            EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
        } else {
            EXPECT_EQ(kind, "Description");
        }
    }
    // Setup was ended in the middle of the files, not before or after them.
    EXPECT_GT(files_logged, 0u);
    EXPECT_LT(files_logged, file_count);
}

} // namespace
