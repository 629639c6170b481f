#include "install_log.h"

#include "install_messages.h"
#include "install_texts.h"
#include "scoped_handle.h"
#include "text_lines.h"
#include "trace.h"

using namespace std::string_view_literals;

namespace {

// Opened and closed for every entry, so that nothing is lost when the installation ends
// abruptly. An update run appends to the log of the earlier one.
bool write_entry(const std::string& log_path, std::string_view kind, const std::string& value_line)
{
    ScopedHandle log(CreateFileA(log_path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log.valid()) return false;
    if (SetFilePointer(log.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return false;
    // write_field writes a line of any length whole, also beyond the 1023 bytes a line
    // normally holds: a long path is kept rather than cut into a wrong one.
    return write_field(log.get(), kind, false) && write_field(log.get(), value_line, false);
}

} // namespace

std::string install_log_path(const std::string& destination) { return join({destination, "\\"sv, install_log_name}); }

bool append_log_entry(const InstallContext& install, std::string_view kind, std::optional<std::string_view> value,
                      std::optional<std::string_view> key_name)
{
    TRACE_POINT();
    if (install.description->make_uninstall == 0) return true;
    std::string log_path = install_log_path(install.state->directory);
    if (write_entry(log_path, kind, log_value_line(kind, value, key_name, log_path))) return true;
    MessageBoxA(install.window, log_failure_message, fatal_installation_error_title, MB_OK | MB_ICONWARNING);
    return false;
}

bool log_created_directories(const InstallContext& install, std::string_view kind, std::string_view path, int count)
{
    TRACE_POINT();
    if (count < 1) return true;
    // The outer levels, outermost first; a count larger than the levels there are logs those
    // that exist.
    for (int k = count - 1; k >= 1; --k) {
        std::size_t end = created_level_end(path, k);
        if (end != std::string_view::npos && !append_log_entry(install, kind, path.substr(0, end))) return false;
    }
    return append_log_entry(install, kind, path);
}
