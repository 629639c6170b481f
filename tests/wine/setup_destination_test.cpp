// setup.exe's destination, preferences and summary pages.
#include "setup_pages.h"
#include "setup_resource.h"
#include "test_environment.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <regex>
#include <string>
#include <vector>

namespace {

// The folder as the shell's item list gives it, which is how setup.exe asks for it.
std::string shell_folder(int csidl)
{
    LPITEMIDLIST location = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &location))) return {};
    char path[MAX_PATH + 1] = {};
    SHGetPathFromIDListA(location, path);
    CoTaskMemFree(location);
    return path;
}

std::string destination_text(HWND page) { return ui::text(ui::control(page, IDC_DESTINATION)); }

std::string summary_text(HWND page) { return ui::text(ui::control(page, IDC_SUMMARY_TEXT)); }

// The directory line that opens the summary.
std::string summary_directory(HWND page)
{
    std::string text = summary_text(page);
    const std::string opening = "The destination directory is: ";
    if (text.rfind(opening, 0) != 0) return "(no directory line) " + text;
    return text.substr(opening.size(), text.find("\r\n") - opening.size());
}

TEST(SetupDestination, TheProposalFollowsTheDefaultLocationAndWhoTheProgramIsFor)
{
    std::string setup_drive = ScratchDirectory().path().substr(0, 2);
    struct Case {
        const char* package;
        bool all_users;
        std::string expected;
    } cases[] = {
        {"shipped", false, shell_folder(CSIDL_PROGRAM_FILES) + "\\Zelmor Income Tax 2010"},
        {"plain", false, ""},
        {"documents", false, shell_folder(CSIDL_PERSONAL) + "\\Wizard Test"},
        {"documents", true, shell_folder(CSIDL_COMMON_DOCUMENTS) + "\\Wizard Test"},
        {"desktop", false, shell_folder(CSIDL_DESKTOPDIRECTORY) + "\\Wizard Test"},
        {"desktop", true, shell_folder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\Wizard Test"},
        // The setup runs from the scratch directory: the root of its drive.
        {"root_drive", false, setup_drive + "\\Wizard Test"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.package) + (c.all_users ? " all users" : ""));
        WizardRun wizard(c.package);
        if (c.all_users) {
            HWND users = wizard.walk_to(SetupPage::users);
            ASSERT_TRUE(users);
            ui::click(ui::control(users, IDC_ALL_USERS));
            ASSERT_TRUE(ui::wait_until([&] { return ui::is_checked(ui::control(users, IDC_ALL_USERS)); }));
        }
        HWND destination = wizard.walk_to(SetupPage::destination);
        ASSERT_TRUE(destination);
        EXPECT_EQ(destination_text(destination), c.expected);
        EXPECT_TRUE(wizard.cancel());
    }
}

TEST(SetupDestination, ChangingWhoTheProgramIsForProposesAnewAndOtherwiseTheTypedDirectoryStays)
{
    const std::string own = shell_folder(CSIDL_DESKTOPDIRECTORY) + "\\Wizard Test";
    const std::string common = shell_folder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\Wizard Test";
    WizardRun wizard("desktop");
    HWND users = wizard.walk_to(SetupPage::users);
    ASSERT_TRUE(users);
    ui::click(ui::control(users, IDC_ALL_USERS));
    ASSERT_TRUE(ui::wait_until([&] { return ui::is_checked(ui::control(users, IDC_ALL_USERS)); }));
    HWND destination = wizard.next();
    EXPECT_EQ(destination_text(destination), common);

    users = wizard.back();
    ui::click(ui::control(users, IDC_ONLY_YOU));
    ASSERT_TRUE(ui::wait_until([&] { return ui::is_checked(ui::control(users, IDC_ONLY_YOU)); }));
    destination = wizard.next();
    EXPECT_EQ(destination_text(destination), own);

    // A typed directory survives Next and Back through the later pages and an unchanged users page.
    ui::set_text(ui::control(destination, IDC_DESTINATION), "C:\\Typed\\Here");
    ASSERT_EQ(page_kind(wizard.next()), SetupPage::preferences);
    destination = wizard.back();
    EXPECT_EQ(destination_text(destination), "C:\\Typed\\Here");
    ASSERT_EQ(page_kind(wizard.next()), SetupPage::preferences);
    ASSERT_EQ(page_kind(wizard.next()), SetupPage::summary);
    EXPECT_EQ(summary_directory(wizard.page()), "C:\\Typed\\Here");
    ASSERT_EQ(page_kind(wizard.back()), SetupPage::preferences);
    ASSERT_EQ(page_kind(wizard.back()), SetupPage::destination);
    ASSERT_EQ(page_kind(wizard.back()), SetupPage::users);
    destination = wizard.next();
    EXPECT_EQ(destination_text(destination), "C:\\Typed\\Here");

    // Typed and left with Back: dropped.
    ui::set_text(ui::control(destination, IDC_DESTINATION), "C:\\Dropped");
    ASSERT_EQ(page_kind(wizard.back()), SetupPage::users);
    destination = wizard.next();
    EXPECT_EQ(destination_text(destination), "C:\\Typed\\Here");
    EXPECT_TRUE(wizard.cancel());
}

// Next on the destination page refuses the text with `message` in a "Data Entry Problem" box
// owned by the page; once it is answered, the page is still shown with the focus in its edit.
void expect_refusal(const WizardRun& wizard, HWND destination, const std::string& message)
{
    ui::click(ui::control(destination, IDOK));
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(wizard.id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, message);
    EXPECT_EQ(box->caption, "Data Entry Problem");
    EXPECT_EQ(box->icon, ui::BoxIcon::information);
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(GetWindow(box->window, GW_OWNER), destination);
    ui::answer(*box, "OK");
    ASSERT_TRUE(ui::wait_until([&] { return !ui::find_message_box(wizard.id()); }));
    EXPECT_EQ(current_page(wizard.id()), destination);
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    ASSERT_TRUE(ui::wait_until([&] {
        return GetGUIThreadInfo(GetWindowThreadProcessId(destination, nullptr), &focus) &&
               focus.hwndFocus == ui::control(destination, IDC_DESTINATION);
    }));
}

TEST(SetupDestination, AnEmptyDirectoryIsADataEntryProblemAndThePageStays)
{
    WizardRun wizard("plain");
    HWND destination = wizard.first_page();
    ASSERT_EQ(wizard.kind(), SetupPage::destination);
    EXPECT_EQ(destination_text(destination), "");
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        expect_refusal(wizard, destination, "The Destination directory must be entered.");
    }
    ui::set_text(ui::control(destination, IDC_DESTINATION), "C:\\Finally");
    ASSERT_EQ(page_kind(wizard.next()), SetupPage::summary);
    EXPECT_EQ(summary_directory(wizard.page()), "C:\\Finally");
    EXPECT_TRUE(wizard.cancel());
}

TEST(SetupDestination, ADirectoryThatIsNotAFullPathIsADataEntryProblemAndThePageStays)
{
    WizardRun wizard("plain");
    HWND destination = wizard.first_page();
    ASSERT_EQ(wizard.kind(), SetupPage::destination);
    HWND edit = ui::control(destination, IDC_DESTINATION);
    // Relative to the current directory, the current drive, or the current directory of C:.
    for (const char* typed : {"Apps\\Tool", "\\Tool", "C:Tool"}) {
        SCOPED_TRACE(typed);
        ui::set_text(edit, typed);
        expect_refusal(wizard, destination,
                       "The Destination directory must be a full path, such as C:\\Program Files\\Example or "
                       "\\\\server\\share\\Example.");
        EXPECT_EQ(destination_text(destination), typed) << "the text stays to be mended";
    }
    for (const char* typed : {"C:\\Tool", "\\\\server\\share\\Tool"}) {
        SCOPED_TRACE(typed);
        ui::set_text(edit, typed);
        ASSERT_EQ(page_kind(wizard.next()), SetupPage::summary);
        EXPECT_EQ(summary_directory(wizard.page()), typed);
        destination = wizard.back();
        ASSERT_EQ(wizard.kind(), SetupPage::destination);
        edit = ui::control(destination, IDC_DESTINATION);
    }
    EXPECT_TRUE(wizard.cancel());
}

TEST(SetupDestination, TheDirectoryIsStoredWithoutTrailingSeparatorsAndAtMost4094Characters)
{
    const std::string long_path = "C:\\" + std::string(5000, 'a');
    struct Case {
        std::string typed;
        std::string stored;
    } cases[] = {
        {"C:\\Apps\\Tool\\\\", "C:\\Apps\\Tool"},
        {"D:\\Mixed/\\/", "D:\\Mixed"},
        {"C:\\", "C:"},
        {"\\\\server\\share\\", "\\\\server\\share"},
        {long_path, long_path.substr(0, 4094)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.substr(0, 40));
        WizardRun wizard("plain");
        HWND destination = wizard.first_page();
        ASSERT_EQ(wizard.kind(), SetupPage::destination);
        ui::set_text(ui::control(destination, IDC_DESTINATION), c.typed);
        ASSERT_EQ(page_kind(wizard.next()), SetupPage::summary);
        EXPECT_EQ(summary_directory(wizard.page()), c.stored);
        destination = wizard.back();
        EXPECT_EQ(destination_text(destination), c.stored);
        EXPECT_TRUE(wizard.cancel());
    }
}

// ---------------------------------------------------------------------------------------------
// The folder browser

struct BrowserSearch {
    DWORD process_id;
    std::vector<HWND> found;
};

// A top-level window of the process that shows the browser's title among its children.
BOOL CALLBACK match_browser(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<BrowserSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ui::text(child) == "Installation destination directory") search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> folder_browsers(DWORD process_id)
{
    BrowserSearch search{process_id, {}};
    EnumWindows(match_browser, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND wait_for_browser(DWORD process_id)
{
    ui::wait_until([&] { return !folder_browsers(process_id).empty(); });
    std::vector<HWND> browsers = folder_browsers(process_id);
    return browsers.empty() ? nullptr : browsers.front();
}

// Posted messages are handled in turn: once a limit posted after `message` shows, the page has
// handled the message too.
void wait_until_handled(HWND destination_page)
{
    HWND edit = ui::control(destination_page, IDC_DESTINATION);
    WPARAM marker = 12345 + SendMessageA(edit, EM_GETLIMITTEXT, 0, 0) % 2;
    PostMessageA(edit, EM_SETLIMITTEXT, marker, 0);
    ASSERT_TRUE(ui::wait_until([&] { return static_cast<WPARAM>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0)) == marker; }));
}

TEST(SetupDestination, BrowseOpensOneBrowserWithoutOwnerAndItsPickIsShownWithTheDirectoryName)
{
    WizardRun wizard("plain");
    HWND destination = wizard.first_page();
    ASSERT_EQ(wizard.kind(), SetupPage::destination);
    ui::click(ui::control(destination, IDC_BROWSE));
    HWND browser = wait_for_browser(wizard.id());
    ASSERT_TRUE(browser);
    EXPECT_FALSE(GetWindow(browser, GW_OWNER));
    EXPECT_TRUE(ui::is_enabled(destination)) << "the page stays usable";

    // A second Browse while the browser is open does nothing.
    ui::click(ui::control(destination, IDC_BROWSE));
    wait_until_handled(destination);
    EXPECT_EQ(folder_browsers(wizard.id()).size(), 1u);

    // Cancelled: the directory stays as it was.
    ui::click(ui::control(browser, IDCANCEL));
    ASSERT_TRUE(ui::wait_until([&] { return folder_browsers(wizard.id()).empty(); }));
    wait_until_handled(destination);
    EXPECT_EQ(destination_text(destination), "");

    // Picked (the browser starts on the desktop): the folder, "\" and the directory name.
    ui::click(ui::control(destination, IDC_BROWSE));
    browser = wait_for_browser(wizard.id());
    ASSERT_TRUE(browser);
    ui::click(ui::control(browser, IDOK));
    std::string expected = shell_folder(CSIDL_DESKTOP) + "\\Wizard Test";
    EXPECT_TRUE(ui::wait_until([&] { return destination_text(destination) == expected; }))
        << destination_text(destination);
    EXPECT_TRUE(wizard.cancel());
}

TEST(SetupDestination, ThePageMayEndWhileTheBrowserIsOpen)
{
    WizardRun wizard("plain");
    HWND destination = wizard.first_page();
    ASSERT_EQ(wizard.kind(), SetupPage::destination);
    ui::click(ui::control(destination, IDC_BROWSE));
    ASSERT_TRUE(wait_for_browser(wizard.id()));
    ui::click(ui::control(destination, IDCANCEL));
    EXPECT_EQ(wizard.program().wait_exit(), 0u);
    EXPECT_FALSE(ui::find_message_box(wizard.id()));
}

// ---------------------------------------------------------------------------------------------
// Preferences and summary

struct Box {
    int id;
    bool shown;
};

void expect_boxes(HWND page, std::initializer_list<Box> boxes)
{
    for (const Box& box : boxes) {
        HWND control = ui::control(page, box.id);
        EXPECT_EQ(ui::is_visible(control), box.shown) << box.id;
        EXPECT_EQ(ui::is_enabled(control), box.shown) << box.id;
        EXPECT_EQ(ui::is_checked(control), box.shown) << box.id << ": an offered option starts ticked";
    }
}

TEST(SetupPreferences, OnlyTheOfferedOptionsHaveBoxesAndUntickingOneShowsOnTheSummary)
{
    WizardRun wizard("documents");
    HWND preferences = wizard.walk_to(SetupPage::preferences);
    ASSERT_TRUE(preferences);
    expect_boxes(preferences, {{IDC_DESKTOP_ICON, true},
                               {IDC_PROGRAM_GROUP, false},
                               {IDC_START_AT_LOGIN, false},
                               {IDC_ASSOCIATE, false}});
    EXPECT_EQ(ui::text(ui::control(preferences, IDC_ASSOCIATE)), "Associate file &extensions ");
    ui::click(ui::control(preferences, IDC_DESKTOP_ICON));
    ASSERT_TRUE(ui::wait_until([&] { return !ui::is_checked(ui::control(preferences, IDC_DESKTOP_ICON)); }));
    HWND summary = wizard.next();
    ASSERT_EQ(wizard.kind(), SetupPage::summary);
    std::string text = summary_text(summary);
    EXPECT_NE(text.find("\r\n\r\nCreate desktop icon: No\r\n\r\nDisk space "), std::string::npos) << text;

    // Back keeps the choice; ticking it again and Next rebuilds the summary.
    preferences = wizard.back();
    ASSERT_EQ(wizard.kind(), SetupPage::preferences);
    EXPECT_FALSE(ui::is_checked(ui::control(preferences, IDC_DESKTOP_ICON)));
    ui::click(ui::control(preferences, IDC_DESKTOP_ICON));
    ASSERT_TRUE(ui::wait_until([&] { return ui::is_checked(ui::control(preferences, IDC_DESKTOP_ICON)); }));
    summary = wizard.next();
    EXPECT_NE(summary_text(summary).find("\r\n\r\nCreate desktop icon: Yes\r\n\r\nDisk space "), std::string::npos);
    EXPECT_TRUE(wizard.cancel());
}

TEST(SetupPreferences, TheAssociationBoxNamesTheExtensions)
{
    WizardRun wizard("extensions");
    HWND preferences = wizard.walk_to(SetupPage::preferences);
    ASSERT_TRUE(preferences);
    expect_boxes(preferences, {{IDC_DESKTOP_ICON, false},
                               {IDC_PROGRAM_GROUP, false},
                               {IDC_START_AT_LOGIN, true},
                               {IDC_ASSOCIATE, true}});
    EXPECT_EQ(ui::text(ui::control(preferences, IDC_ASSOCIATE)), "Associate file extensions (.ab1  .ab2  .ab3 ...more)");
    ui::click(ui::control(preferences, IDC_ASSOCIATE));
    ASSERT_TRUE(ui::wait_until([&] { return !ui::is_checked(ui::control(preferences, IDC_ASSOCIATE)); }));
    HWND summary = wizard.next();
    ASSERT_EQ(wizard.kind(), SetupPage::summary);
    EXPECT_NE(summary_text(summary).find("\r\n\r\nAutomatically start program at login: Yes\r\n"
                                         "Associate file extensions with application: No\r\n\r\nDisk space "),
              std::string::npos)
        << summary_text(summary);
    EXPECT_TRUE(wizard.cancel());
}

std::uint64_t file_size(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

TEST(SetupSummary, TheShippedPackageSummarisesItsDestinationOptionsAndDiskSpace)
{
    // The installed files, the uninstall module aside, make the required size.
    std::uint64_t required = file_size(test_program_path("zeltax")) + file_size(test_program_path("zeltax_readme"));
    ASSERT_GT(required, 0u);
    ASSERT_LT(required, 1000000u) << "the expected text below assumes less than a megabyte";

    WizardRun wizard("shipped");
    HWND summary = wizard.walk_to(SetupPage::summary);
    ASSERT_TRUE(summary);
    std::string directory = shell_folder(CSIDL_PROGRAM_FILES) + "\\Zelmor Income Tax 2010";
    std::string text = summary_text(summary);
    std::string expected_start = "The destination directory is: " + directory + "\r\n\r\n" +
                                 "Create desktop icon: Yes\r\n" + "Create program group: Yes\r\n" + "\r\n";
    ASSERT_EQ(text.substr(0, expected_start.size()), expected_start);
    std::string disk_line = text.substr(expected_start.size());
    std::smatch match;
    ASSERT_TRUE(std::regex_match(disk_line, match,
                                 std::regex("Disk space OK\\.   Free space: (\\d+ Megabytes|More than 2 Gigabytes)\\."
                                            "    Required: Less than 1 megabyte\\.\r\n")))
        << disk_line;

    // The free space is that of the destination's volume.
    ULARGE_INTEGER available{}, total{}, free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(directory.substr(0, 3).c_str(), &available, &total, &free));
    if (available.QuadPart >= 2100000000u) {
        EXPECT_EQ(match[1], "More than 2 Gigabytes");
    }
    EXPECT_TRUE(wizard.cancel());
}

TEST(SetupSummary, AVolumeWithoutFreeSpaceInformationIsAWarning)
{
    DWORD drives = GetLogicalDrives();
    std::string missing;
    for (char letter = 'Y'; letter > 'D' && missing.empty(); --letter)
        if (!(drives & (1u << (letter - 'A')))) missing = std::string(1, letter) + ":\\Nowhere";
    ASSERT_FALSE(missing.empty());

    WizardRun wizard("plain");
    HWND destination = wizard.first_page();
    ASSERT_EQ(wizard.kind(), SetupPage::destination);
    ui::set_text(ui::control(destination, IDC_DESTINATION), missing);
    HWND summary = wizard.next();
    ASSERT_EQ(wizard.kind(), SetupPage::summary);
    EXPECT_NE(summary_text(summary).find("\r\n\r\nDisk space WARNING.   Free space: Can not be determined.    Required: "),
              std::string::npos)
        << summary_text(summary);
    EXPECT_TRUE(wizard.cancel());
}

} // namespace
