#include "test_environment.h"

#include "scoped_handle.h"
#include "ui_driver.h"

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <utility>

namespace {

std::map<std::string, std::string>& programs()
{
    static std::map<std::string, std::string> by_name;
    return by_name;
}

} // namespace

std::string test_program_path(const std::string& name)
{
    auto it = programs().find(name);
    return it == programs().end() ? std::string() : it->second;
}

ScratchDirectory::ScratchDirectory()
{
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    for (;;) {
        path_ = std::string(temp) + "zelmor-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

ScratchDirectory::~ScratchDirectory() { remove_tree(path_); }

RemovedAtEnd::~RemovedAtEnd()
{
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileA(path_.c_str())) remove_tree(path_);
}

std::optional<std::string> environment_variable(const std::string& name)
{
    DWORD length = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (length == 0) return std::nullopt;
    std::string value(length, '\0');
    value.resize(GetEnvironmentVariableA(name.c_str(), value.data(), length));
    return value;
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(std::string name, const std::string& value)
    : name_(std::move(name)), previous_(environment_variable(name_))
{
    SetEnvironmentVariableA(name_.c_str(), value.c_str());
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable()
{
    SetEnvironmentVariableA(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

bool copy_file(const std::string& from, const std::string& to) { return CopyFileA(from.c_str(), to.c_str(), FALSE); }

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool write_file(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool file_exists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void remove_tree(const std::string& path)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                remove_tree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

namespace {

bool can_create_file_in(const std::string& directory)
{
    std::string probe = directory + "\\probe.tmp";
    // A probe of an earlier call stays behind when the directory became unwritable between its
    // creation and its deletion.
    DeleteFileA(probe.c_str());
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    DeleteFileA(probe.c_str());
    return true;
}

// The directory's path on the Unix side of Wine, or empty elsewhere.
std::string unix_path_of(const std::string& path)
{
    using ToUnix = char* (*)(const WCHAR*);
    auto to_unix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!to_unix) return {};
    std::wstring wide(path.begin(), path.end());
    char* unix_path = to_unix(wide.c_str());
    if (!unix_path) return {};
    std::string result = unix_path;
    HeapFree(GetProcessHeap(), 0, unix_path);
    return result;
}

// Sets or clears the immutable attribute, which stops even root from adding files. Wine starts
// Unix programs like Windows ones, but gives no process handle to wait on: callers watch for the
// effect instead.
void set_immutable(const std::string& directory, bool immutable)
{
    std::string unix_path = unix_path_of(directory);
    if (unix_path.empty()) return;
    ui::Program::start(ui::windows_path_from_unix("/usr/bin/chattr"),
                       std::string(immutable ? "+i" : "-i") + " \"" + unix_path + "\"");
}

} // namespace

bool make_directory_unwritable(const std::string& directory)
{
    SetFileAttributesA(directory.c_str(), FILE_ATTRIBUTE_READONLY);
    if (!can_create_file_in(directory)) return true;
    set_immutable(directory, true);
    return ui::wait_until([&] { return !can_create_file_in(directory); }, 5000);
}

void make_directory_writable(const std::string& directory)
{
    SetFileAttributesA(directory.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (can_create_file_in(directory)) return;
    set_immutable(directory, false);
    ui::wait_until([&] { return can_create_file_in(directory); }, 5000);
}

void register_test_programs(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        std::size_t equals = argument.find('=');
        if (equals != std::string::npos)
            programs()[argument.substr(0, equals)] = ui::windows_path_from_unix(argument.substr(equals + 1));
    }
}

ProgramRun run_and_capture(std::string command_line)
{
    ProgramRun run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read_end = nullptr, write_end = nullptr;
    if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return run;
    ScopedHandle reader(read_end), writer(write_end);
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = write_end;
    startup.hStdError = write_end;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info))
        return run;
    ScopedHandle process(info.hProcess), thread(info.hThread);
    writer.reset();  // the pipe ends when the program's copy of its write end goes
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(read_end, chunk, sizeof chunk, &got, nullptr) && got > 0) run.output.append(chunk, got);
    WaitForSingleObject(info.hProcess, ui::default_timeout_ms);
    GetExitCodeProcess(info.hProcess, &run.exit_code);
    run.output.erase(run.output.find_last_not_of(" \r\n") + 1);
    return run;
}
