// The shipped setup.exe installing the estimator with every choice on: the install log line by
// line, the files with their bytes and times, the links, the uninstall registration, an update
// run over it, and the estimator starting from where it was installed.
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

constexpr char uninstall_key[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmor Income Tax";
const char* const link_names[] = {"Zelmor Federal Income Tax .lnk", "Zelmor Federal Income Tax 2010.lnk"};
// Only in the program group.
constexpr char uninstall_link_name[] = "Uninstall Zelmor Income Tax.lnk";

// What the shipped package puts outside its destination, removed before and after each test.
class ShippedInstallation : public ::testing::Test {
protected:
    void SetUp() override
    {
        remove_traces();
        destination = dir.file("Zelmor Tax");
    }
    void TearDown() override { remove_traces(); }

    void remove_traces()
    {
        for (const char* name : link_names) {
            DeleteFileA((desktop + "\\" + name).c_str());
            DeleteFileA((group + "\\" + name).c_str());
        }
        DeleteFileA((group + "\\" + uninstall_link_name).c_str());
        RemoveDirectoryA(group.c_str());
        delete_registry_tree(HKEY_LOCAL_MACHINE, uninstall_key);
    }

    // Leads a new setup through its wizard into the destination and presses Install.
    HWND install(WizardRun& wizard)
    {
        if (!wizard.walk_to(SetupPage::destination)) return nullptr;
        ui::set_text(ui::control(wizard.page(), IDC_DESTINATION), destination);
        if (!wizard.walk_to(SetupPage::summary)) return nullptr;
        return wizard.install();
    }

    std::vector<std::string> expected_log(const std::string& template_name)
    {
        return expanded_lines(read_file(test_program_path(template_name)),
                              {{"DEST", destination}, {"DESKTOP", desktop}, {"PROGRAMS", programs}});
    }

    std::string log_path() const { return destination + "\\Install_Log.txt"; }

    ScratchDirectory dir;
    std::string destination;
    std::string desktop = shell_folder(CSIDL_DESKTOPDIRECTORY);
    std::string programs = shell_folder(CSIDL_PROGRAMS);
    std::string group = programs + "\\Zelmor Income Tax";
};

TEST_F(ShippedInstallation, EveryChoiceOnInstallsFilesLinksLogAndUninstallEntry)
{
    WizardRun wizard("shipped");
    HWND page = install(wizard);
    ASSERT_TRUE(page);
    ASSERT_TRUE(wait_for_completion(page));
    EXPECT_FALSE(ui::find_message_box(wizard.id()));

    // The completion page: Exit, no progress bar, and no start box (the package offers none).
    EXPECT_TRUE(ui::is_visible(ui::control(page, IDCANCEL)));
    EXPECT_TRUE(ui::is_enabled(ui::control(page, IDCANCEL)));
    EXPECT_FALSE(ui::is_visible(ui::control(page, IDC_INSTALL_PROGRESS)));
    EXPECT_FALSE(ui::is_visible(ui::control(page, IDC_START_APPLICATION)));
    // The page picture lies above the white part of the header band, which is stretched beneath it.
    HWND picture = ui::control(page, IDC_PAGE_PICTURE);
    ASSERT_TRUE(picture);
    RECT place = ui::placement(picture);
    EXPECT_GE(ui::placement(ui::control(page, IDC_HEADER_WHITE)).right, place.right);
    EXPECT_EQ(ui::control_at(page, POINT{(place.left + place.right) / 2, (place.top + place.bottom) / 2}), picture);

    EXPECT_TRUE(same_lines(expected_log("shipped_log"), crlf_lines(read_file(log_path()))));

    // The files: the package's bytes, with the package's time stamp.
    const std::uint64_t package_time = std::stoull(read_file(test_program_path("package_time")));
    struct File {
        const char* name;
        const char* source;
    } files[] = {{"uninstall.exe", "uninstall"}, {"zeltax.exe", "zeltax"}, {"readZeltax.txt", "zeltax_readme"}};
    for (const File& file : files) {
        SCOPED_TRACE(file.name);
        std::string installed = destination + "\\" + file.name;
        EXPECT_EQ(read_file(installed), read_file(test_program_path(file.source)));
        EXPECT_EQ(write_time(installed), package_time);
    }

    // Two links on the desktop and the same two in the program group, each starting its file in
    // the destination, described by its shortcut name; the group also holds the uninstaller's.
    const char* const targets[] = {"zeltax.exe", "readZeltax.txt"};
    for (const std::string& folder : {desktop, group}) {
        for (int i = 0; i < 2; ++i) {
            SCOPED_TRACE(folder + "\\" + link_names[i]);
            std::optional<LinkInfo> link = read_link(folder + "\\" + link_names[i]);
            ASSERT_TRUE(link);
            EXPECT_EQ(link->target, destination + "\\" + targets[i]);
            EXPECT_EQ(link->working_directory, destination);
            std::string name = link_names[i];
            EXPECT_EQ(link->description, name.substr(0, name.size() - 4));
        }
    }
    std::optional<LinkInfo> uninstall_link = read_link(group + "\\" + uninstall_link_name);
    ASSERT_TRUE(uninstall_link);
    EXPECT_EQ(uninstall_link->target, destination + "\\uninstall.exe");
    EXPECT_EQ(uninstall_link->description, "Uninstall Zelmor Income Tax");
    EXPECT_FALSE(file_exists(desktop + "\\" + uninstall_link_name));

    // The system's list of installed programs names the product.
    std::optional<RegistryData> display_name = registry_value(HKEY_LOCAL_MACHINE, uninstall_key, "DisplayName");
    ASSERT_TRUE(display_name);
    EXPECT_EQ(display_name->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(display_name->bytes.c_str(), std::string("Zelmor Income Tax"));
    std::optional<RegistryData> uninstall = registry_value(HKEY_LOCAL_MACHINE, uninstall_key, "UninstallString");
    ASSERT_TRUE(uninstall);
    EXPECT_EQ(uninstall->bytes.c_str(),
              "\"" + destination + "\\Uninstall.exe\" \"" + destination + "\\Install_Log.txt\"");
    std::string listing = run_and_capture("uninstaller.exe --list").output;
    EXPECT_NE(listing.find("Zelmor Income Tax"), std::string::npos) << listing;

    // Exit ends setup.
    ui::click(ui::control(page, IDCANCEL));
    EXPECT_EQ(wizard.program().wait_exit(), 0u);

    // The estimator starts from its installed place.
    ui::Program estimator = ui::Program::start(destination + "\\zeltax.exe", "", destination);
    EXPECT_TRUE(ui::wait_for_window(estimator.id(), "TForm1"));
}

TEST_F(ShippedInstallation, InstallingAgainAsksAndUpdatesOnlyOlderFilesAppendingToTheLog)
{
    {
        WizardRun first("shipped");
        HWND page = install(first);
        ASSERT_TRUE(page);
        ASSERT_TRUE(wait_for_completion(page));
        ui::click(ui::control(page, IDCANCEL));
        ASSERT_EQ(first.program().wait_exit(), 0u);
    }
    std::string first_log = read_file(log_path());
    // An older estimator is replaced; a read-me as new as the package's is kept as it is.
    std::string estimator = destination + "\\zeltax.exe", readme = destination + "\\readZeltax.txt";
    std::uint64_t package_time = write_time(readme);
    ASSERT_TRUE(write_file(estimator, "old"));
    ASSERT_TRUE(set_write_time(estimator, 946684800));  // 2000-01-01
    ASSERT_TRUE(write_file(readme, "edited"));
    ASSERT_TRUE(set_write_time(readme, package_time));

    WizardRun second("shipped");
    HWND page = install(second);
    ASSERT_TRUE(page);
    std::optional<ui::MessageBoxInfo> question = ui::wait_for_message_box(second.id());
    ASSERT_TRUE(question);
    EXPECT_EQ(question->caption, "Installation Information");
    EXPECT_EQ(question->text,
              "You have chosen to install this software to directory which contains a previously installed version.  "
              "Do you want to continue with this update installation?\n\nChoose No to change the destination "
              "directory.");
    EXPECT_EQ(question->icon, ui::BoxIcon::question);
    ui::answer(*question, "Yes");
    ASSERT_TRUE(wait_for_completion(page));

    EXPECT_EQ(read_file(estimator), read_file(test_program_path("zeltax")));
    EXPECT_EQ(read_file(readme), "edited");
    std::vector<std::string> expected = crlf_lines(first_log);
    for (const std::string& line : expected_log("shipped_update_log")) expected.push_back(line);
    EXPECT_TRUE(same_lines(expected, crlf_lines(read_file(log_path()))));

    // Esc after the installation acts like Exit.
    ui::press_key(page, VK_ESCAPE);
    EXPECT_EQ(second.program().wait_exit(), 0u);
}

TEST_F(ShippedInstallation, NoToTheUpdateQuestionReturnsToTheDestinationPage)
{
    CreateDirectoryA(destination.c_str(), nullptr);
    ASSERT_TRUE(write_file(log_path(), ""));
    WizardRun wizard("shipped");
    HWND page = install(wizard);
    ASSERT_TRUE(page);
    std::optional<ui::MessageBoxInfo> question = ui::wait_for_message_box(wizard.id());
    ASSERT_TRUE(question);
    ui::answer(*question, "No");
    HWND destination_page = wait_for_page(wizard.id(), SetupPage::destination);
    ASSERT_TRUE(destination_page);
    EXPECT_EQ(ui::text(ui::control(destination_page, IDC_DESTINATION)), destination);
    EXPECT_EQ(read_file(log_path()), "");
    EXPECT_FALSE(file_exists(destination + "\\zeltax.exe"));
    ui::click(ui::control(destination_page, IDCANCEL));
    EXPECT_EQ(wizard.program().wait_exit(), 0u);
}

} // namespace
