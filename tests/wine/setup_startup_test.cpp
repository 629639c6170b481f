// setup.exe's start-up: the single-instance lock, the operating-system and Internet Explorer
// rules, and leaving from the first page.
#include "scoped_handle.h"
#include "scoped_registry_key.h"
#include "setup_pages.h"
#include "setup_resource.h"
#include "test_environment.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// The Windows version the Wine prefix reports, set for the life of the object and restored after.
class PrefixWindowsVersion {
public:
    explicit PrefixWindowsVersion(const std::string& version)
    {
        std::string current = run_and_capture("winecfg.exe -v").output;
        previous_ = current.empty() ? "win7" : current;
        set_ = run_and_capture("winecfg.exe -v " + version).exit_code == 0 &&
               run_and_capture("winecfg.exe -v").output == version;
    }
    ~PrefixWindowsVersion() { run_and_capture("winecfg.exe -v " + previous_); }
    PrefixWindowsVersion(const PrefixWindowsVersion&) = delete;
    PrefixWindowsVersion& operator=(const PrefixWindowsVersion&) = delete;

    bool set() const { return set_; }

private:
    std::string previous_;
    bool set_ = false;
};

constexpr char internet_explorer_key[] = "Software\\Microsoft\\Internet Explorer";

// Internet Explorer's version value, changed for the life of the object and restored after.
class InternetExplorerVersion {
public:
    // Sets the value, or removes it when `version` is none.
    explicit InternetExplorerVersion(const std::optional<std::string>& version)
    {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, internet_explorer_key, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        key_.receive(), nullptr);
        previous_ = read();
        write(version);
    }
    ~InternetExplorerVersion() { write(previous_); }
    InternetExplorerVersion(const InternetExplorerVersion&) = delete;
    InternetExplorerVersion& operator=(const InternetExplorerVersion&) = delete;

private:
    std::optional<std::string> read() const
    {
        char value[256] = {};
        DWORD size = sizeof value - 1;
        if (RegQueryValueExA(key_.get(), "Version", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return std::string(value);
    }
    void write(const std::optional<std::string>& version) const
    {
        if (!version) {
            RegDeleteValueA(key_.get(), "Version");
            return;
        }
        RegSetValueExA(key_.get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version->c_str()),
                       static_cast<DWORD>(version->size() + 1));
    }

    ScopedRegistryKey key_;
    std::optional<std::string> previous_;
};

// What happens when the package starts: the refusal box's text, or none when the wizard opens.
std::optional<std::string> start_outcome(const std::string& package)
{
    ScratchDirectory dir;
    ui::Program setup = start_setup(package, dir);
    std::optional<ui::MessageBoxInfo> box;
    HWND page = nullptr;
    ui::wait_until([&] {
        box = ui::find_message_box(setup.id());
        page = current_page(setup.id());
        return box || page;
    });
    if (page) {
        ui::click(ui::control(page, IDCANCEL));
        EXPECT_EQ(setup.wait_exit(), 0u);
        return std::nullopt;
    }
    if (!box) {
        ADD_FAILURE() << "neither a page nor a message";
        return "(nothing)";
    }
    EXPECT_EQ(box->caption, "Unable to install");
    EXPECT_EQ(box->icon, ui::BoxIcon::information);
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    ui::answer(*box, "OK");
    EXPECT_EQ(setup.wait_exit(), 0u) << box->text;
    EXPECT_FALSE(current_page(setup.id()));
    return box->text;
}

TEST(SetupStartUp, ASecondSetupWhileOneRunsSaysSoAndEndsWhileTheFirstGoesOn)
{
    ScratchDirectory first_dir, second_dir;
    ui::Program first = start_setup("shipped", first_dir);
    HWND welcome = wait_for_page(first.id(), SetupPage::welcome);
    ASSERT_TRUE(welcome);

    ui::Program second = start_setup("shipped", second_dir);
    std::optional<ui::MessageBoxInfo> box = ui::wait_for_message_box(second.id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "There is already an instance of this program running.");
    EXPECT_EQ(box->caption, "Single Instance Allowed Only.");
    EXPECT_EQ(box->icon, ui::BoxIcon::information);
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(current_page(second.id())) << "the second setup must not unpack";
    ui::answer(*box, "OK");
    EXPECT_EQ(second.wait_exit(), 0u);

    EXPECT_TRUE(first.running());
    EXPECT_EQ(current_page(first.id()), welcome);
    ui::click(ui::control(welcome, IDOK));
    HWND license = wait_for_page(first.id(), SetupPage::license, welcome);
    ASSERT_TRUE(license) << "the first setup goes on";
    ui::click(ui::control(license, IDCANCEL));
    EXPECT_EQ(first.wait_exit(), 0u);
}

TEST(SetupStartUp, CancelOnTheFirstPageEndsWithoutAWordAndReleasesTheLock)
{
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        ScratchDirectory dir;
        ui::Program setup = start_setup("shipped", dir);
        HWND welcome = wait_for_page(setup.id(), SetupPage::welcome);
        ASSERT_TRUE(welcome) << "the lock of the run before must be gone";
        ui::click(ui::control(welcome, IDCANCEL));
        EXPECT_EQ(setup.wait_exit(), 0u);
        EXPECT_FALSE(ui::find_message_box(setup.id()));
    }
}

TEST(SetupStartUp, OperatingSystemRulesRefuseWhatThePackageExcludes)
{
    const std::string server = "This application can not be installed on Windows 3000 Server.";
    struct Case {
        const char* version;
        const char* package;
        std::optional<std::string> refusal;
    } cases[] = {
#ifndef _WIN64
        // Wine offers these versions only to 32-bit prefixes.
        {"win98", "no_windows", "This application can not be installed on Windows 98."},
        {"win2k", "no_windows", "This application can not be installed on Windows 2000."},
        {"win2k", "shipped", std::nullopt},
        {"winxp", "no_windows", "This application can not be installed on Windows XP."},
        {"winxp", "no_vista", std::nullopt},
#endif
        {"win2003", "no_windows", server},
        {"win2003", "no_vista", std::nullopt},
        {"vista", "no_vista", server},
        {"vista", "shipped", std::nullopt},
        {"win7", "no_vista", server},
        {"win7", "no_windows", server},
        // To a program without a compatibility manifest, Windows 10 reports 6.2: Vista's rule.
        {"win10", "no_vista", server},
        {"win10", "shipped", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.version) + " " + c.package);
        PrefixWindowsVersion version(c.version);
        ASSERT_TRUE(version.set()) << "winecfg could not set the version";
        EXPECT_EQ(start_outcome(c.package), c.refusal);
    }
}

TEST(SetupStartUp, InternetExplorerOlderThanFiveIsRefusedWhenThePackageRequiresFive)
{
    const std::string refusal =
        "This application requires Internet Explorer 5 or higher to be installed on your computer.";
    struct Case {
        std::optional<std::string> version;
        const char* package;
        std::optional<std::string> outcome;
    } cases[] = {
        {"4.72.3110.0", "needs_ie5", refusal},
        {"4.72.3110.0", "shipped", std::nullopt},
        {"5.00.2614.3500", "needs_ie5", std::nullopt},
        {"10.0.9200.16384", "needs_ie5", std::nullopt},
        {"9.11.9600.18376", "needs_ie5", std::nullopt},
        {std::nullopt, "needs_ie5", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version.value_or("(no value)") + " " + c.package);
        InternetExplorerVersion version(c.version);
        EXPECT_EQ(start_outcome(c.package), c.outcome);
    }
}

// Whether the colour is among the pixels of the window's top left corner, where the caption shows
// the window's icon.
bool caption_corner_shows(HWND window, COLORREF colour)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    HDC screen = GetDC(nullptr);
    bool found = false;
    for (int y = frame.top; y < frame.top + 30 && !found; ++y)
        for (int x = frame.left; x < frame.left + 40 && !found; ++x) found = GetPixel(screen, x, y) == colour;
    ReleaseDC(nullptr, screen);
    return found;
}

TEST(SetupStartUp, EveryPageShowsTheProgramsOwnIcon)
{
    // The carton and the arrow of the program's icon (resource 205).
    const COLORREF carton = RGB(196, 140, 72), arrow = RGB(24, 168, 56);
    HMODULE image = LoadLibraryExA(test_program_path("setup_stub").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(image);
    EXPECT_TRUE(FindResourceA(image, MAKEINTRESOURCEA(IDI_SETUP), RT_GROUP_ICON));
    FreeLibrary(image);

    WizardRun wizard("shipped");
    for (HWND page = wizard.first_page(); page; page = wizard.next()) {
        SCOPED_TRACE(page_name(wizard.kind()));
        ASSERT_TRUE(ui::wait_until([&] { return caption_corner_shows(page, carton); }));
        EXPECT_TRUE(caption_corner_shows(page, arrow));
        if (wizard.kind() == SetupPage::summary) break;
        if (wizard.kind() == SetupPage::license) wizard.agree();
    }
    EXPECT_TRUE(wizard.cancel());
}

} // namespace
