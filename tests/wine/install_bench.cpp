// install_bench: the time from pressing Install to "Install complete." under Wine, and that of
// the removal from pressing Uninstall to "Uninstall Complete".
//
//   install_bench <setup.exe> <destination directory> [rounds [uninstall.exe]]
//
// Each round copies setup.exe into a scratch directory, leads it through its wizard into a new
// destination (the directory given, with the round's number), presses Install and waits for
// the completion text, polling every millisecond. With an uninstaller, it is copied into the
// destination and started on the installation's log as the uninstall entry starts it; Uninstall
// is pressed and the page watched until it says the removal is complete. Prints the best time of
// the installation in milliseconds, and after a blank that of the removal. What the shipped
// package puts outside its destination (links, program group, uninstall key) is removed.
#include "setup_pages.h"
#include "setup_resource.h"
#include "stopwatch.h"
#include "test_environment.h"
#include "ui_driver.h"
#include "uninstall_driver.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr double give_up_ms = 120000;

// Milliseconds until the condition holds, polled every millisecond from the clock's start; a
// negative number when it does not within give_up_ms.
template <typename Condition>
double time_until(const Stopwatch& clock, Condition condition)
{
    for (;;) {
        double ms = clock.elapsed_ms();
        if (ms > give_up_ms) return -1;
        if (condition()) return ms;
        Sleep(1);
    }
}

bool completed(HWND page)
{
    HWND text = GetDlgItem(page, IDC_INSTALL_COMPLETE);
    return text && (GetWindowLongA(text, GWL_STYLE) & WS_VISIBLE);
}

// One installation; milliseconds, or a negative number when it did not complete.
double one_round(const std::string& destination)
{
    WizardRun wizard("setup");
    if (!wizard.walk_to(SetupPage::destination)) return -1;
    ui::set_text(ui::control(wizard.page(), IDC_DESTINATION), destination);
    HWND summary = wizard.walk_to(SetupPage::summary);
    if (!summary) return -1;
    Stopwatch clock;
    PostMessageA(ui::control(summary, IDOK), BM_CLICK, 0, 0);
    HWND page = nullptr;
    double elapsed = time_until(clock, [&] {
        if (!page) page = install_page(wizard.id());
        return page && completed(page);
    });
    if (page) PostMessageA(page, WM_COMMAND, IDCANCEL, 0);
    wizard.program().wait_exit();
    return elapsed;
}

// The title is read straight from the window, not asked of the busy uninstaller.
bool removal_completed(HWND page)
{
    char title[64] = {};
    GetWindowTextA(page, title, sizeof title);
    return std::string(title) == "Uninstall Complete";
}

// The removal of the installation in the destination; milliseconds, or a negative number when it
// did not complete.
double removal_round(const std::string& uninstaller, const std::string& destination)
{
    std::string program = destination + "\\uninstall.exe";
    if (!copy_file(uninstaller, program)) return -1;
    ScratchDirectory temporary;
    UninstallerRun run(quoted_path(program) + " " + quoted_path(destination + "\\Install_Log.txt"), temporary.path());
    HWND first = run.started() ? run.wait_for_first_page() : nullptr;
    if (!first) return -1;
    Stopwatch clock;
    PostMessageA(ui::control(first, IDOK), BM_CLICK, 0, 0);
    HWND page = nullptr;
    double elapsed = time_until(clock, [&] {
        if (!page) page = run.wait_for_progress_page();
        return page && removal_completed(page);
    });
    if (page) PostMessageA(page, WM_COMMAND, IDCANCEL, 0);
    run.wait_exit();
    return elapsed;
}

double best_of(double best, double ms) { return best < 0 || ms < best ? ms : best; }

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: install_bench <setup.exe> <destination directory> [rounds [uninstall.exe]]\n");
        return 2;
    }
    std::string setup = std::string("setup=") + argv[1];
    std::string uninstall = std::string("uninstall=") + (argc > 4 ? argv[4] : "");
    char* programs[] = {argv[0], setup.data(), uninstall.data()};
    register_test_programs(3, programs);
    int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
    const std::string uninstaller = test_program_path("uninstall");
    double best = -1, best_removal = -1;
    for (int round = 0; round < rounds; ++round) {
        remove_shipped_installation();
        std::string destination = std::string(argv[2]) + std::to_string(round);
        double ms = one_round(destination);
        double removal_ms = ms >= 0 && !uninstaller.empty() ? removal_round(uninstaller, destination) : 0;
        remove_shipped_installation();
        remove_tree(destination);
        if (ms < 0) {
            std::fprintf(stderr, "install_bench: the installation did not complete\n");
            return 1;
        }
        if (removal_ms < 0) {
            std::fprintf(stderr, "install_bench: the removal did not complete\n");
            return 1;
        }
        best = best_of(best, ms);
        best_removal = best_of(best_removal, removal_ms);
    }
    if (!uninstaller.empty())
        std::printf("%.1f %.1f\n", best, best_removal);
    else
        std::printf("%.1f\n", best);
    return 0;
}
