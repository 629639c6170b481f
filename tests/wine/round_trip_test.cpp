// The round trip: the shipped setup.exe installs the product with every choice on, the
// estimator runs once and saves its entries file, and the uninstaller, started the way the system
// starts an uninstall entry (and once through Wine's own list of installed programs), takes
// everything away again: the files under the Wine drive (but the temporary directory) and the
// registry branches the product touches are as they were before the installation. Installed into
// a destination whose parent folder was new as well, that folder stays with what a person put
// into it, and all else goes.
#include "install_checks.h"
#include "resource.h"
#include "setup_pages.h"
#include "setup_resource.h"
#include "test_environment.h"
#include "ui_driver.h"
#include "uninstall_driver.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <map>
#include <string>
#include <vector>

namespace {

constexpr char uninstall_key[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmor Income Tax";
constexpr char product_name[] = "Zelmor Income Tax";

// Path -> what is compared: for files their size and last-write time, for keys every value.
using State = std::map<std::string, std::string>;

void list_files(const std::string& directory, const std::string& skipped, State& state)
{
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = directory + "\\" + name;
        if (_stricmp(path.c_str(), skipped.c_str()) == 0) continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            state[path] = "directory";
            // Junctions and links lead elsewhere, often out of the drive.
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) list_files(path, skipped, state);
        } else {
            std::uint64_t size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            std::uint64_t time = (static_cast<std::uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                                 found.ftLastWriteTime.dwLowDateTime;
            state[path] = std::to_string(size) + " bytes, written " + std::to_string(time);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void list_key(HKEY root, const std::string& root_name, const std::string& path, State& state)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    std::string values;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD name_size = sizeof name, type = 0, data_size = 0;
        if (RegEnumValueA(key, index, name, &name_size, nullptr, &type, nullptr, &data_size) != ERROR_SUCCESS) break;
        std::string data(data_size, '\0');
        name_size = sizeof name;
        RegEnumValueA(key, index, name, &name_size, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &data_size);
        values += std::string(name) + "=" + std::to_string(type) + ":" + data.substr(0, data_size) + ";";
    }
    state[root_name + "\\" + path] = values;
    std::vector<std::string> children;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD name_size = sizeof name;
        if (RegEnumKeyExA(key, index, name, &name_size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        children.emplace_back(name, name_size);
    }
    RegCloseKey(key);
    for (const std::string& child : children)
        list_key(root, root_name, path.empty() ? child : path + "\\" + child, state);
}

std::string temporary_directory()
{
    char path[MAX_PATH + 1] = {};
    GetTempPathA(sizeof path, path);
    std::string directory = path;
    while (!directory.empty() && directory.back() == '\\') directory.pop_back();
    return directory;
}

// Every file and directory of drive C: but the temporary directory, where the uninstaller's
// working copies stay, and the registry branches an installation of the product writes to.
State system_state()
{
    State state;
    list_files("C:", temporary_directory(), state);
    list_key(HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", state);
    list_key(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts",
             state);
    list_key(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "Software\\Classes", state);
    list_key(HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "", state);
    return state;
}

// Names what was added, removed or changed between two states, at most `limit` entries.
std::string differences(const State& before, const State& after, std::size_t limit = 20)
{
    std::string text;
    std::size_t count = 0;
    auto note = [&](const std::string& line) {
        if (count++ < limit) text += line + "\n";
    };
    for (const auto& [path, what] : before) {
        auto found = after.find(path);
        if (found == after.end())
            note("gone: " + path);
        else if (found->second != what)
            note("changed: " + path + " (" + what + " -> " + found->second + ")");
    }
    for (const auto& [path, what] : after)
        if (!before.count(path)) note("added: " + path + " (" + what + ")");
    if (count > limit) text += std::to_string(count - limit) + " more\n";
    return text;
}

// Takes away whatever an earlier run of the shipped package left, so that the round trip starts
// from a system without the product.
void remove_product()
{
    std::string desktop = shell_folder(CSIDL_DESKTOPDIRECTORY), group = shell_folder(CSIDL_PROGRAMS) + "\\" + product_name;
    for (const char* name : {"Zelmor Federal Income Tax .lnk", "Zelmor Federal Income Tax 2010.lnk"}) {
        DeleteFileA((desktop + "\\" + name).c_str());
        DeleteFileA((group + "\\" + name).c_str());
    }
    DeleteFileA((group + "\\Uninstall Zelmor Income Tax.lnk").c_str());
    RemoveDirectoryA(group.c_str());
    remove_tree(shell_folder(CSIDL_PROGRAM_FILES) + "\\Zelmor Income Tax 2010");
    delete_registry_tree(HKEY_LOCAL_MACHINE, uninstall_key);
}

// The shipped setup.exe through its wizard: the proposed directory, or the one typed, and every
// choice left on.
::testing::AssertionResult install_shipped_product(const std::string& typed_destination = {})
{
    WizardRun wizard("shipped");
    if (!typed_destination.empty()) {
        if (!wizard.walk_to(SetupPage::destination)) return ::testing::AssertionFailure() << "no destination page";
        ui::set_text(ui::control(wizard.page(), IDC_DESTINATION), typed_destination);
    }
    if (!wizard.walk_to(SetupPage::preferences)) return ::testing::AssertionFailure() << "no preferences page";
    for (int choice : {IDC_DESKTOP_ICON, IDC_PROGRAM_GROUP}) {
        HWND box = ui::control(wizard.page(), choice);
        if (!ui::is_checked(box)) return ::testing::AssertionFailure() << "choice " << choice << " is off";
    }
    if (!wizard.walk_to(SetupPage::summary)) return ::testing::AssertionFailure() << "no summary page";
    HWND page = wizard.install();
    if (!page || !wait_for_completion(page)) return ::testing::AssertionFailure() << "the installation did not complete";
    if (ui::find_message_box(wizard.id())) return ::testing::AssertionFailure() << "a message during the installation";
    ui::click(ui::control(page, IDCANCEL));
    if (wizard.program().wait_exit() != 0u) return ::testing::AssertionFailure() << "setup did not end with 0";
    return ::testing::AssertionSuccess();
}

// The installed estimator, started and closed once, saves its entries beside itself.
::testing::AssertionResult run_estimator_once(const std::string& directory)
{
    ui::Program estimator = ui::Program::start(directory + "\\zeltax.exe", "", directory);
    HWND window = ui::wait_for_window(estimator.id(), "TForm1");
    if (!window) return ::testing::AssertionFailure() << "no estimator window";
    // The window learns where its entries file is when it is first activated.
    if (!ui::wait_until([&] { return !ui::text(ui::control(window, IDC_EDIT1)).empty(); }))
        return ::testing::AssertionFailure() << "the estimator shows no entries";
    ui::close(window);
    if (estimator.wait_exit() != 0u) return ::testing::AssertionFailure() << "the estimator did not end with 0";
    if (!file_exists(directory + "\\zelTax.txt")) return ::testing::AssertionFailure() << "no zelTax.txt";
    return ::testing::AssertionSuccess();
}

class RoundTrip : public ::testing::Test {
protected:
    void SetUp() override { remove_product(); }
    void TearDown() override { remove_product(); }
};

TEST_F(RoundTrip, TheRegisteredUninstallStringTakesBackEverythingTheInstallationDid)
{
    State before = system_state();
    ASSERT_TRUE(install_shipped_product());
    std::string destination = shell_folder(CSIDL_PROGRAM_FILES) + "\\Zelmor Income Tax 2010";
    ASSERT_TRUE(run_estimator_once(destination));
    // What the comparison sees of the installation.
    State installed = system_state();
    EXPECT_TRUE(installed.count(destination + "\\zelTax.txt"));
    EXPECT_TRUE(installed.count(std::string("HKEY_LOCAL_MACHINE\\") + uninstall_key));
    std::optional<RegistryData> command = registry_value(HKEY_LOCAL_MACHINE, uninstall_key, "UninstallString");
    ASSERT_TRUE(command);

    // As the system runs an entry of its list: the command line as it stands.
    UninstallerRun run(command->bytes.c_str(), temporary_directory());
    ASSERT_TRUE(uninstall_to_the_end(run, "Uninstall Zelmor Income Tax"));
    EXPECT_EQ(differences(before, system_state()), "");
}

TEST_F(RoundTrip, WinesListOfInstalledProgramsUninstallsItTheSameWay)
{
    State before = system_state();
    ASSERT_TRUE(install_shipped_product());
    ASSERT_TRUE(run_estimator_once(shell_folder(CSIDL_PROGRAM_FILES) + "\\Zelmor Income Tax 2010"));

    UninstallerRun run(std::string("uninstaller.exe --remove \"") + product_name + "\"", temporary_directory());
    ASSERT_TRUE(uninstall_to_the_end(run, "Uninstall Zelmor Income Tax"));
    EXPECT_EQ(differences(before, system_state()), "");
}

TEST_F(RoundTrip, AFolderTheInstallationCreatedAboveItsDestinationStaysWithTheFileSomeoneKeptThere)
{
    const std::string apps = "C:\\Apps", destination = apps + "\\Tool", letter = apps + "\\letter.txt";
    ASSERT_EQ(GetFileAttributesA(apps.c_str()), INVALID_FILE_ATTRIBUTES);
    RemovedAtEnd removed(apps);
    State before = system_state();
    ASSERT_TRUE(install_shipped_product(destination));
    // Both levels are new, and the log says so.
    std::vector<std::string> log = crlf_lines(read_file(destination + "\\Install_Log.txt"));
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 4),
              (std::vector<std::string>{"Directory Created", apps, "Directory Created", destination}));
    ASSERT_TRUE(run_estimator_once(destination));
    ASSERT_TRUE(write_file(letter, "Dear tax office"));

    std::optional<RegistryData> command = registry_value(HKEY_LOCAL_MACHINE, uninstall_key, "UninstallString");
    ASSERT_TRUE(command);
    UninstallerRun run(command->bytes.c_str(), temporary_directory());
    ASSERT_TRUE(run.started());
    HWND first = run.wait_for_first_page();
    ASSERT_TRUE(first);
    ui::click(ui::control(first, IDOK));
    HWND progress = run.wait_for_progress_page();
    ASSERT_TRUE(progress);
    // The first entry of the log is the folder that stays; that is said, as for any first folder.
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(run.id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Unable to remove directory: " + apps);
    ui::answer(*box, "OK");
    ASSERT_TRUE(run.wait_for_completion(progress));
    EXPECT_FALSE(ui::is_visible(ui::control(progress, 206)));
    ui::click(ui::control(progress, IDCANCEL));
    EXPECT_EQ(run.wait_exit(), 0u);

    EXPECT_EQ(GetFileAttributesA(destination.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(read_file(letter), "Dear tax office");
    // Everything else is as it was before.
    State after = system_state();
    EXPECT_EQ(after.count(apps), 1u);
    after.erase(apps);
    after.erase(letter);
    EXPECT_EQ(differences(before, after), "");
}

} // namespace
