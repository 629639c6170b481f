// The installation's decisions as plain code: which step a tick runs and what its failure means,
// the update run's skip rule, the file time conversion and the log's "Description" value.
#pragma once

#include "page_results.h"

#include <cstdint>
#include <string>
#include <string_view>

struct SetupDescription;

// The steps of the installation, one per timer tick, numbered from 1.
enum class InstallStep {
    destination = 1,     // check and create the destination directory
    log_itself,          // the log records its own file
    description,         // the "Description" entry
    extract_files,
    desktop_shortcuts,
    program_group,
    startup_shortcuts,
    uninstall_registration,
    old_uninstall_shortcuts,  // update runs only
    nothing,
    associations,
    run_during_install,
    registry_entries,
    closing,             // 14 and every later tick
};

// The step that the tick with this step number runs (numbers below 1 never reach here).
InstallStep install_step(std::uint32_t step_number);

// The page result a failure of the step leaves: result_back sends the user back to choose another
// destination, result_ended ends the installation. Steps that never fail give result_ended too.
std::int32_t failure_result(InstallStep step);

// The progress bar's upper bound: the file count plus 15, cut to the 16 bits the bar carries.
std::uint16_t progress_range(std::uint32_t file_count);

// An update run leaves a file alone whose copy on disk is at least as new as the package's:
// `existing` as the seconds since 1970 that the file system reports, the package's time stamp
// from its two halves, both unsigned.
bool keep_existing_file(std::uint64_t existing, std::uint32_t time_high, std::uint32_t time_low);

// Seconds since 1970 as 100-nanosecond ticks since 1601, for the file system.
std::uint64_t unix_time_to_file_time(std::uint32_t seconds);

// What the "Description" entry names: the program group when the package makes one, else the
// last component of the destination directory.
std::string description_value(const SetupDescription& description, std::string_view destination);
