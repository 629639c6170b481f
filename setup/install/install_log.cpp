#include "install_log.h"

#include "install_messages.h"
#include "install_texts.h"
#include "scoped_handle.h"
#include "trace.h"

using namespace std::string_view_literals;

bool InstallLogFile::append(const std::string& log_path, std::string_view entry_text)
{
    if (!file_.valid() || path_ != log_path) {
        file_.reset(CreateFileA(log_path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
        if (!file_.valid()) return false;
        // An update run appends to the log of the earlier one.
        if (SetFilePointer(file_.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
            close();
            return false;
        }
        path_ = log_path;
    }
    DWORD written = 0;
    return WriteFile(file_.get(), entry_text.data(), static_cast<DWORD>(entry_text.size()), &written, nullptr) &&
           written == entry_text.size();
}

void InstallLogFile::close()
{
    file_.reset();
    path_.clear();
}

std::string install_log_path(const std::string& destination) { return join({destination, "\\"sv, install_log_name}); }

bool append_log_entry(const InstallContext& install, std::string_view kind, std::optional<std::string_view> value,
                      std::optional<std::string_view> key_name)
{
    TRACE_POINT();
    if (install.description->make_uninstall == 0) return true;
    std::string log_path = install_log_path(install.state->directory);
    std::string text = log_entry_text(kind, log_value_line(kind, value, key_name, log_path));
    InstallLogFile entry_alone;
    if ((install.log ? *install.log : entry_alone).append(log_path, text)) return true;
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
