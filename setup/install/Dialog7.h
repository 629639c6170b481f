// The installation page "Setup Progress": runs the installation one step per timer tick with a
// progress bar, then turns into the completion page with Exit and, when offered, "Start
// Application".
#pragma once

#include "install_context.h"
#include "page_dialog.h"
#include "critical_section.h"
#include "install_log.h"
#include "scoped_handle.h"
#include "stopwatch.h"
#include "wizard_context.h"

#include <cstddef>
#include <cstdint>

class InstallPage : public PageDialog {
public:
    explicit InstallPage(const WizardContext& context);

    // What the installation reads; the driver hands it over before every showing. The page
    // fills in its own window and the update mode.
    void prepare(const InstallContext& install);

    bool update_mode() const { return update_mode_ != 0; }

private:
    bool on_init_dialog() override;
    void on_command(int id, int notification) override;
    void on_timer(UINT_PTR timer) override;

    void tick();
    bool run_step(std::uint32_t step_number);
    bool check_destination();
    bool extract_files();
    bool extract_file(std::size_t entry);
    ScopedHandle write_file(const std::string& path, const FileEntry& file);
    void start_files(std::uint32_t FileEntry::*flag, std::string FileEntry::*arguments);
    void close_installation();
    void show_progress();
    void show_progress_now_and_then();
    int ask(const char* text, const char* title, UINT type);

    const WizardContext& context_;
    InstallContext install_;
    InstallLogFile log_;  // open while the installation runs
    CriticalSection tick_lock_;  // held while one step runs
    std::uint8_t update_mode_ = 0;  // set once the user agreed to install over an earlier installation
    HWND header_control_ = nullptr;
    Stopwatch since_progress_shown_;
};
