// Starting uninstall.exe and finding its pages, for its tests, the round trip and the screenshots.
#pragma once

#include "test_environment.h"
#include "ui_driver.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The text of an install log: each entry's kind line and value line, CR LF after each.
std::string install_log(const std::vector<std::pair<std::string, std::string>>& entries);

// TEMP and TMP of this process, and so of the programs it starts, set for the life of the object.
class TemporaryDirectoryVariables {
public:
    explicit TemporaryDirectoryVariables(const std::string& directory)
        : temp_("TEMP", directory), tmp_("TMP", directory)
    {
    }

private:
    ScopedEnvironmentVariable temp_, tmp_;
};

// An uninstaller started the way a person starts it. The started copy ends at once; the working
// copy it leaves in the temporary directory shows the pages.
class UninstallerRun {
public:
    // Starts `command_line` (the program, quoted, and its arguments) with TEMP and TMP set to
    // `temporary_directory`, waits for the started copy to end and takes hold of its working copy.
    UninstallerRun(const std::string& command_line, const std::string& temporary_directory);

    // The started copy ended with 0 and left a working copy running.
    bool started() const { return working_ && working_->started(); }
    DWORD id() const { return working_ ? working_->id() : 0; }
    // The working copy's exit code once it has ended within the time.
    std::optional<DWORD> wait_exit(DWORD timeout_ms = ui::default_timeout_ms) const
    {
        return working_ ? working_->wait_exit(timeout_ms) : std::nullopt;
    }

    // The page shown now: the "Uninstall" page (it has Details, id 3) or the progress page (the
    // bar, id 204); null when neither comes.
    HWND wait_for_first_page();
    HWND wait_for_progress_page();
    // Waits until the progress page says the removal is complete.
    bool wait_for_completion(HWND progress_page);

private:
    std::optional<ui::Program> working_;
};

// The command line of a program path with its arguments, as the system runs an uninstall entry.
std::string quoted_path(const std::string& path);
