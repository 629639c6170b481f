// Finding and telling apart the pages of a running setup.exe, for its tests and screenshots.
#pragma once

#include "repacked_setup.h"
#include "setup_resource.h"
#include "test_environment.h"
#include "ui_driver.h"

#include <windows.h>

#include <string>

enum class SetupPage { none, welcome, license, users, destination, preferences, summary, installation };

std::string page_name(SetupPage page);

// Which page the window is, by the controls only that page has.
SetupPage page_kind(HWND page);

// The page window the process shows now, or null.
HWND current_page(DWORD process_id);

// Waits until the process shows a page of that kind in a window other than `previous` (a page
// shown again is a new window); null when it does not come.
HWND wait_for_page(DWORD process_id, SetupPage page, HWND previous = nullptr);

// The installation page "Setup Progress" of the process, or null.
HWND install_page(DWORD process_id);
// Waits until the installation page shows "Install complete." (false when it does not).
bool wait_for_completion(HWND page);

// The setup.exe registered under `package` (see test_program_path), copied into the directory as
// setup.exe and started there, so that its setup directory is the scratch directory. With
// `change`, the copy's package is changed first (repacked_setup); when that fails, nothing starts.
ui::Program start_setup(const std::string& package, const ScratchDirectory& directory,
                        const PackageChange& change = nullptr);

// Removes what the shipped package leaves outside its destination: the links on the desktop and
// in the program group, the program group and the uninstall key.
void remove_shipped_installation();

// Waits until the process shows a page in a window other than `previous`, of any kind.
HWND wait_for_new_page(DWORD process_id, HWND previous);

// One run of a setup package through its wizard, in a scratch directory of its own.
class WizardRun {
public:
    explicit WizardRun(const std::string& package, const PackageChange& change = nullptr);

    DWORD id() const { return setup_.id(); }
    ui::Program& program() { return setup_; }
    const ScratchDirectory& directory() const { return dir_; }

    // The page shown now, as last seen by this object.
    HWND page() const { return page_; }
    SetupPage kind() const { return page_kind(page_); }

    // Waits for the first page; null when none comes.
    HWND first_page();
    // Presses a button of the page (posted) and waits for the page that follows; null when none
    // comes.
    HWND press(int button);
    HWND next() { return press(IDOK); }
    HWND back() { return press(IDC_BACK); }
    // Ticks the license agreement, so that Next is possible.
    void agree();
    // Goes on with Next from the page shown until `target` is shown, agreeing to the license and
    // giving an empty destination a directory in the scratch directory on the way; null when the
    // wizard passes the page or ends.
    HWND walk_to(SetupPage target);
    // Cancel on the page shown; true when setup then ends with exit code 0.
    bool cancel();
    // Install on the summary page; the installation page, or null when none comes.
    HWND install();

private:
    ScratchDirectory dir_;
    ui::Program setup_;
    HWND page_ = nullptr;
};
