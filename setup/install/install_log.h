// Writing "Install_Log.txt" in the destination directory: every change the installation makes,
// one entry (a kind line and a value line) at a time, so that the uninstaller can undo it.
#pragma once

#include "install_context.h"
#include "install_log_text.h"  // the kind lines and the log's name
#include "scoped_handle.h"

#include <optional>
#include <string>
#include <string_view>

// The log of one installation, open from its first entry to the end of the installation, so that
// thousands of entries do not each cost an open and a close. No other program may open it
// meanwhile. Each entry is written whole, in one write, before the installation goes on to its
// next change: a crash leaves every entry up to the last change in the file, and nothing that
// was not done.
class InstallLogFile {
public:
    // Appends the entry's text to the log at `log_path`, opening it (and creating it, or going
    // to the end of an earlier installation's log) when it is not open at that path yet.
    bool append(const std::string& log_path, std::string_view entry_text);
    // Lets the log be opened again, by the scan of an update run or by the uninstaller.
    void close();

private:
    ScopedHandle file_;
    std::string path_;
};

// D + "\" + "Install_Log.txt".
std::string install_log_path(const std::string& destination);

// Appends one entry through install.log, or, without one, opening and closing the log for it
// alone; without a value the value line is the log's own path, and the registry
// kinds write key_name + "\" + value. Shows the log's failure message (owned by
// install.window) and returns false when the file cannot be opened or written. True without
// writing when the package makes no uninstaller.
bool append_log_entry(const InstallContext& install, std::string_view kind,
                      std::optional<std::string_view> value = std::nullopt,
                      std::optional<std::string_view> key_name = std::nullopt);

// Logs the innermost `count` levels of `path`, outermost first.
bool log_created_directories(const InstallContext& install, std::string_view kind, std::string_view path, int count);
