#include "installed_files.h"

#include "install_texts.h"
#include "process_start.h"
#include "trace.h"

namespace {

const std::string& base_directory(const InstallContext& install, std::uint32_t target_folder)
{
    switch (target_folder) {
    case target_windows_directory: return install.folders->windows;
    case target_system_directory: return install.folders->system;
    case target_common_files_directory: return install.folders->common_files;
    default: return install.state->directory;  // the description reader refuses any other value
    }
}

} // namespace

std::string installed_path(const InstallContext& install, std::size_t entry, bool quoted)
{
    TRACE_POINT();
    const FileEntry& file = install.description->files[entry];
    return installed_path_text(base_directory(install, file.target_folder), file, quoted);
}

bool start_program(const InstallContext& install, std::size_t entry, const std::string* program,
                   const std::string& arguments)
{
    TRACE_POINT();
    std::string path = program ? *program : installed_path(install, entry, false);
    ProcessStart start{.program = path.c_str(), .inherit_handles = true, .creation_flags = NORMAL_PRIORITY_CLASS};
    return start_without_waiting(command_line(path, arguments), start);
}
