#include "setup_pages.h"

#include "setup_resource.h"
#include "ui_driver.h"

#include <shlobj.h>
#include <shlwapi.h>

std::string page_name(SetupPage page)
{
    switch (page) {
    case SetupPage::none: return "none";
    case SetupPage::welcome: return "welcome";
    case SetupPage::license: return "license";
    case SetupPage::users: return "users";
    case SetupPage::destination: return "destination";
    case SetupPage::preferences: return "preferences";
    case SetupPage::summary: return "summary";
    case SetupPage::installation: return "installation";
    }
    return "?";
}

SetupPage page_kind(HWND page)
{
    auto has = [page](int id) { return ui::control(page, id) != nullptr; };
    if (!page) return SetupPage::none;
    if (has(IDC_WELCOME_PICTURE)) return SetupPage::welcome;
    if (has(IDC_ONLY_YOU)) return SetupPage::users;
    if (has(IDC_BROWSE)) return SetupPage::destination;
    if (has(IDC_ASSOCIATE)) return SetupPage::preferences;
    if (has(IDC_AGREE)) return SetupPage::license;
    if (has(IDC_SUMMARY_TEXT)) return SetupPage::summary;
    if (has(IDC_INSTALL_PROGRESS)) return SetupPage::installation;
    return SetupPage::none;
}

HWND current_page(DWORD process_id) { return ui::find_window(process_id, "#32770", "Setup"); }

HWND install_page(DWORD process_id) { return ui::find_window(process_id, "#32770", "Setup Progress"); }

bool wait_for_completion(HWND page)
{
    return ui::wait_until([&] {
        HWND complete = ui::control(page, IDC_INSTALL_COMPLETE);
        return complete && ui::is_visible(complete) && ui::text(complete) == "Install complete.";
    });
}

HWND wait_for_page(DWORD process_id, SetupPage page, HWND previous)
{
    HWND found = nullptr;
    bool shown = ui::wait_until([&] {
        found = current_page(process_id);
        return found && found != previous && page_kind(found) == page;
    });
    return shown ? found : nullptr;
}

ui::Program start_setup(const std::string& package, const ScratchDirectory& directory, const PackageChange& change)
{
    std::string program = directory.file("setup.exe");
    if (!change) {
        copy_file(test_program_path(package), program);
    } else if (std::optional<std::string> repacked = repacked_setup(read_file(test_program_path(package)), change)) {
        write_file(program, *repacked);
    }
    return ui::Program::start(program, "", directory.path());
}

HWND wait_for_new_page(DWORD process_id, HWND previous)
{
    HWND found = nullptr;
    bool shown = ui::wait_until([&] {
        found = current_page(process_id);
        return found && found != previous && page_kind(found) != SetupPage::none;
    });
    return shown ? found : nullptr;
}

WizardRun::WizardRun(const std::string& package, const PackageChange& change)
    : setup_(start_setup(package, dir_, change))
{
}

HWND WizardRun::first_page() { return page_ = wait_for_new_page(id(), nullptr); }

HWND WizardRun::press(int button)
{
    HWND previous = page_;
    ui::click(ui::control(previous, button));
    return page_ = wait_for_new_page(id(), previous);
}

void WizardRun::agree()
{
    HWND box = ui::control(page_, IDC_AGREE);
    if (ui::is_checked(box)) return;
    ui::click(box);
    ui::wait_until([&] { return ui::is_enabled(ui::control(page_, IDOK)); });
}

HWND WizardRun::walk_to(SetupPage target)
{
    if (!page_) first_page();
    while (page_ && kind() != target) {
        if (kind() == SetupPage::summary) return nullptr;
        if (kind() == SetupPage::license) agree();
        HWND destination = ui::control(page_, IDC_DESTINATION);
        if (kind() == SetupPage::destination && ui::text(destination).empty())
            ui::set_text(destination, dir_.file("target"));
        next();
    }
    return page_;
}

bool WizardRun::cancel()
{
    ui::click(ui::control(page_, IDCANCEL));
    return setup_.wait_exit() == 0u;
}

HWND WizardRun::install()
{
    ui::click(ui::control(page_, IDOK));
    HWND found = nullptr;
    ui::wait_until([&] { return (found = install_page(id())) != nullptr; });
    return page_ = found;
}

void remove_shipped_installation()
{
    char desktop[MAX_PATH] = {}, programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop);
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
    std::string group = std::string(programs) + "\\Zelmor Income Tax";
    for (const char* name : {"Zelmor Federal Income Tax .lnk", "Zelmor Federal Income Tax 2010.lnk"}) {
        DeleteFileA((std::string(desktop) + "\\" + name).c_str());
        DeleteFileA((group + "\\" + name).c_str());
    }
    DeleteFileA((group + "\\Uninstall Zelmor Income Tax.lnk").c_str());
    RemoveDirectoryA(group.c_str());
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmor Income Tax");
}
