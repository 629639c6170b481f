// setup.exe: start-up of the setup program, and the wizard driver that shows its pages.
#include "Configure.h"
#include "Dialog1.h"
#include "Dialog1C.h"
#include "Dialog1b.h"
#include "Dialog2.h"
#include "Dialog3.h"
#include "Dialog6.h"
#include "Dialog7.h"
#include "Utility/unpack_package.h"
#include "common_controls.h"
#include "error_log.h"
#include "page_sequence.h"
#include "picture_bitmaps.h"
#include "restart_computer.h"
#include "rich_edit.h"
#include "scoped_com.h"
#include "scoped_handle.h"
#include "setup_description.h"
#include "setup_directory.h"
#include "setup_resource.h"
#include "special_folders.h"
#include "system_checks.h"
#include "system_library.h"
#include "trace.h"
#include "wizard_context.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr char instance_lock_name[] = "Pellwick SetupCore Lock";
constexpr char already_running_message[] = "There is already an instance of this program running.";
constexpr char already_running_title[] = "Single Instance Allowed Only.";

// A hardware fault (access violation and the like) ends the program like any other failure.
LONG WINAPI report_crash(EXCEPTION_POINTERS*) { fatal_error(); }


struct WizardPages {
    std::unique_ptr<WelcomePage> welcome;
    std::unique_ptr<LicensePage> license;
    std::unique_ptr<UsersPage> users;
    std::unique_ptr<DestinationPage> destination;
    std::unique_ptr<PreferencesPage> preferences;
    std::unique_ptr<SummaryPage> summary;
    std::unique_ptr<InstallPage> installation;
};

// Everything start-up owns for the run, released in one place at its end.
struct SetupRun {
    HINSTANCE instance = nullptr;
    std::optional<ScopedComInitialize> com;
    SetupDescription description;
    // The inflated package: the description's offsets point into it, and the installation
    // writes the files straight from it.
    std::vector<std::uint8_t> package;
    PictureBitmaps pictures;
    OsVersion os_version;
    std::unique_ptr<SpecialFolders> folders;
    ScopedLibrary rich_edit;
    HICON program_icon = nullptr;
    InstallFor install_for;
    WizardContext context;
    WizardPages pages;
};

// CoInitialize through unpacking and reading the description. The welcome page exists before
// the package is read.
bool unpack(SetupRun& run)
{
    run.com.emplace();
    run.context.instance = run.instance;
    run.context.description = &run.description;
    run.pages.welcome = std::make_unique<WelcomePage>(run.context);
    if (!unpack_package(run.instance, run.package)) return false;
    if (!read_setup_description(run.package, run.description)) {
        report_corrupt_package();
        return false;
    }
    run.pictures.create(run.description, run.package);
    return true;
}

// The version, Internet Explorer and folder checks.
bool check_system(SetupRun& run)
{
    TRACE_POINT();
    run.os_version = query_os_version();
    if (!system_accepted(run.description, run.os_version)) return false;
    run.context.setup_directory = setup_directory();
    set_fatal_error_directory(run.context.setup_directory);
    resolve_special_folders(*run.folders);
    return true;
}

void create_pages(SetupRun& run)
{
    run.pages.license = std::make_unique<LicensePage>(run.context);
    run.pages.users = std::make_unique<UsersPage>(run.context, run.install_for);
    run.pages.destination = std::make_unique<DestinationPage>(run.context, run.install_for);
    run.pages.preferences = std::make_unique<PreferencesPage>(run.context);
    run.pages.summary = std::make_unique<SummaryPage>(run.context);
    run.pages.installation = std::make_unique<InstallPage>(run.context);
}

// The rich-edit library, the pages and the program icon.
void prepare_interface(SetupRun& run)
{
    TRACE_POINT();
    run.rich_edit = load_rich_edit_library(run.folders->system);
    run.context.show_users_page = compute_show_users_page(run.description, run.os_version);
    run.context.folders = run.folders.get();
    run.context.page_bitmap = run.pictures.page_bitmap();
    run.context.welcome_bitmap = run.pictures.welcome_bitmap();
    create_pages(run);
    run.program_icon = LoadIconA(run.instance, MAKEINTRESOURCEA(IDI_SETUP));
}

// What the installation will read: the destination and the four choices, fresh for each showing.
void fill_wizard_state(WizardPages& pages)
{
    WizardState& state = pages.summary->wizard_state();
    state.directory = pages.destination->directory();
    const PreferenceChoices& choices = pages.preferences->choices();
    state.desktop_icon = choices.desktop_icon;
    state.program_group = choices.program_group;
    state.start_at_login = choices.start_at_login;
    state.associate = choices.associate;
}

// What the installation reads: the package, the summary page's wizard state, the folders and
// the users page's choice. The page adds its window and its update mode.
InstallContext install_context(SetupRun& run)
{
    InstallContext install;
    install.description = &run.description;
    install.package = run.package;
    install.state = &run.pages.summary->wizard_state();
    install.folders = run.folders.get();
    install.install_for = run.install_for.choice;
    install.nt_family = run.os_version.platform_id == VER_PLATFORM_WIN32_NT;
    return install;
}

std::int32_t show_page(SetupRun& run, WizardPage page)
{
    WizardPages& pages = run.pages;
    switch (page) {
    case WizardPage::welcome: return pages.welcome->run(run.instance, run.program_icon);
    case WizardPage::license: return pages.license->run(run.instance, run.program_icon);
    case WizardPage::users: return pages.users->run(run.instance, run.program_icon);
    case WizardPage::destination: return pages.destination->run(run.instance, run.program_icon);
    case WizardPage::preferences: return pages.preferences->run(run.instance, run.program_icon);
    case WizardPage::summary:
        fill_wizard_state(pages);
        return pages.summary->run(run.instance, run.program_icon);
    case WizardPage::installation:
        pages.installation->prepare(install_context(run));
        return pages.installation->run(run.instance, run.program_icon);
    }
    return result_leave;
}

// Shows the pages one after another, each under its own guard, as their results lead.
WizardOutcome run_wizard(SetupRun& run)
{
    PageVisibility visibility = page_visibility(run.description, run.context.show_users_page);
    WizardPage page = first_page(visibility);
    for (;;) {
        TRACE_POINT();
        std::int32_t result = show_page(run, page);
        WizardStep step = after(page, result, visibility);
        if (step.clear_skipped_preferences) run.pages.preferences->clear_unshown_choices();
        if (step.outcome != WizardOutcome::show_page) return step.outcome;
        page = step.page;
    }
}

void destroy_pages(WizardPages& pages)
{
    pages.installation.reset();
    pages.summary.reset();
    pages.preferences.reset();
    pages.destination.reset();
    pages.license.reset();
    pages.welcome.reset();
    pages.users.reset();
}

// The file image went with unpacking; everything else goes here, in this order.
void clean_up(SetupRun& run)
{
    TRACE_POINT();
    destroy_pages(run.pages);
    run.folders.reset();
    run.description = SetupDescription();
    std::vector<std::uint8_t>().swap(run.package);
    run.pictures.release();
    run.rich_edit.reset();
    trace_teardown();
    run.com.reset();
}

// Everything between taking the instance lock and releasing it; true when the user asked for a
// restart.
bool run_setup(SetupRun& run)
{
    trace_init();
    TRACE_POINT();
    SetUnhandledExceptionFilter(report_crash);

    // The setup program is built without C++ exceptions: a failure that would raise one (no
    // memory, an error of the run-time library) ends the program where it happens, through
    // fatal_error(), with the same report as a hardware fault.
    bool restart = false;
    if (unpack(run) && check_system(run)) {
        prepare_interface(run);
        WizardOutcome outcome = run_wizard(run);
        if (outcome == WizardOutcome::completed && run.description.recommend_reboot == 1) restart = ask_restart();
    }
    clean_up(run);
    return restart;
}

} // namespace

int setup_main(HINSTANCE instance)
{
    // Before anything can load a library by name, and the common controls (the unpacking
    // window's progress bar is the first) for every window of the run, released after them.
    restrict_library_search_to_system_directory();
    ScopedLibrary common_controls = load_common_controls();
    SetupRun run;
    run.instance = instance;
    run.folders = std::make_unique<SpecialFolders>();

    bool restart = false;
    {
        HANDLE semaphore = CreateSemaphoreA(nullptr, 0, 1, instance_lock_name);
        bool already_running = GetLastError() == ERROR_ALREADY_EXISTS;
        ScopedHandle lock(semaphore);
        if (already_running) {
            MessageBoxA(nullptr, already_running_message, already_running_title, MB_OK | MB_ICONINFORMATION);
            return 0;
        }
        restart = run_setup(run);
    }
    if (restart) restart_computer();
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return setup_main(instance); }
