// The uninstaller's two pages: "Uninstall", which says what will go and warns about programs that
// still run, and "Uninstall Progress", which removes the log's entries over a run of timer ticks.
#pragma once

#include "page_dialog.h"
#include "critical_section.h"
#include "removal_plan.h"
#include "uninstall_run.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// Uninstall on the first page: the page protocol's Next.
inline constexpr std::int32_t result_uninstall = result_next;

class UninstallPage : public CatchingPageDialog {
public:
    explicit UninstallPage(UninstallRun& run);

private:
    bool on_init_dialog() override;
    void on_command(int id, int notification) override;
    void on_exception() noexcept override;

    // Reads the log (or the one beside the started copy) into the run's entries; false, with
    // the "Can not find" text shown and only Cancel left, when neither opens.
    bool read_install_log();
    void show_details();

    UninstallRun& run_;
};

class ProgressPage : public CatchingPageDialog {
public:
    explicit ProgressPage(UninstallRun& run);

private:
    bool on_init_dialog() override;
    void on_command(int id, int notification) override;
    void on_timer(UINT_PTR timer) override;
    void on_exception() noexcept override;

    void removal_tick();
    void remove_entry(std::size_t index);
    bool carry_out_removal(const UninstallEntry& entry);
    void report_failure(std::size_t index);
    bool ask_to_delete(const std::string& path);
    void complete();
    void show_details();
    void exit();

    UninstallRun& run_;
    HWND band_ = nullptr;
    CriticalSection lock_;  // held for each tick
    bool busy_ = false;
    bool started_ = false;
    bool completed_ = false;
    std::size_t next_ = 0;             // the entry the next tick removes
    std::size_t entries_done_ = 0;     // the bar's position
    std::size_t boxes_shown_ = 0;      // questions and messages so far: one ends the tick
    std::vector<Treatment> plan_;      // what each entry's tick does
    std::vector<std::string> details_; // failures that are not worth a message box
};
