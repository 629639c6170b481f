#include "running_programs.h"

#include "scoped_handle.h"
#include "system_library.h"

#include <windows.h>

#include <tlhelp32.h>

#include <optional>

namespace {

using EnumProcessesFunction = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using EnumProcessModulesFunction = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using GetModuleFileNameExFunction = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);

// Every process id, with a buffer that grows until the list fits.
std::vector<DWORD> process_ids(EnumProcessesFunction enum_processes)
{
    std::vector<DWORD> ids(256);
    for (;;) {
        DWORD size = static_cast<DWORD>(ids.size() * sizeof(DWORD));
        DWORD used = 0;
        if (!enum_processes(ids.data(), size, &used)) return {};
        if (used < size) {
            ids.resize(used / sizeof(DWORD));
            return ids;
        }
        ids.resize(ids.size() * 2);
    }
}

// The path of the process's first module, or none when the process cannot be asked.
std::optional<std::string> process_path(DWORD id, EnumProcessModulesFunction enum_modules,
                                        GetModuleFileNameExFunction module_file_name)
{
    ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    if (!process.valid()) return std::nullopt;
    HMODULE first = nullptr;
    DWORD needed = 0;
    if (!enum_modules(process.get(), &first, sizeof first, &needed) || needed == 0) return std::nullopt;
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = module_file_name(process.get(), first, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::nullopt;
        if (length < path.size() - 1) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Through the process status library; none when it or one of its functions is missing.
std::optional<std::vector<std::string>> paths_from_process_status(const std::string& system_directory)
{
    ScopedLibrary library = load_system_library(system_directory, "PSAPI.DLL");
    if (!library.valid()) return std::nullopt;
    auto enum_processes = library_function<EnumProcessesFunction>(library.get(), "EnumProcesses");
    auto enum_modules = library_function<EnumProcessModulesFunction>(library.get(), "EnumProcessModules");
    auto module_file_name = library_function<GetModuleFileNameExFunction>(library.get(), "GetModuleFileNameExA");
    if (!enum_processes || !enum_modules || !module_file_name) return std::nullopt;
    std::vector<std::string> paths;
    for (DWORD id : process_ids(enum_processes))
        if (std::optional<std::string> path = process_path(id, enum_modules, module_file_name)) paths.push_back(*path);
    return paths;
}

// Through a tool-help snapshot of kernel32, which gives the file names.
std::vector<std::string> paths_from_snapshot()
{
    std::vector<std::string> paths;
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    using CreateSnapshotFunction = HANDLE(WINAPI*)(DWORD, DWORD);
    using ProcessWalkFunction = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
    auto create_snapshot = library_function<CreateSnapshotFunction>(kernel, "CreateToolhelp32Snapshot");
    auto first = library_function<ProcessWalkFunction>(kernel, "Process32First");
    auto next = library_function<ProcessWalkFunction>(kernel, "Process32Next");
    if (!create_snapshot || !first || !next) return paths;
    ScopedHandle snapshot(create_snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid()) return paths;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = first(snapshot.get(), &entry); more; more = next(snapshot.get(), &entry))
        paths.emplace_back(entry.szExeFile);
    return paths;
}

} // namespace

std::vector<std::string> running_program_paths(bool nt_family, const std::string& system_directory)
{
    if (nt_family) {
        if (std::optional<std::vector<std::string>> paths = paths_from_process_status(system_directory)) return *paths;
    }
    return paths_from_snapshot();
}
