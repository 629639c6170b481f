#include "install_checks.h"
#include "test_environment.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

namespace {

constexpr std::uint64_t epoch_ticks = 116444736000000000ULL;  // 1970-01-01 in ticks since 1601

} // namespace

std::string shell_folder(int csidl)
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

std::vector<std::string> crlf_lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> expanded_lines(const std::string& text,
                                        const std::vector<std::pair<std::string, std::string>>& values)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (const auto& [name, value] : values) {
            std::string placeholder = "${" + name + "}";
            for (std::size_t at = line.find(placeholder); at != std::string::npos;
                 at = line.find(placeholder, at + value.size()))
                line.replace(at, placeholder.size(), value);
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

::testing::AssertionResult same_lines(const std::vector<std::string>& expected, const std::vector<std::string>& actual)
{
    for (std::size_t i = 0; i < expected.size() && i < actual.size(); ++i) {
        if (expected[i] != actual[i])
            return ::testing::AssertionFailure() << "line " << i + 1 << ": expected \"" << expected[i] << "\", got \""
                                                 << actual[i] << "\"";
    }
    if (expected.size() != actual.size()) {
        auto failure = ::testing::AssertionFailure()
                       << expected.size() << " lines expected, " << actual.size() << " found";
        if (actual.size() > expected.size()) failure << "; the first extra line is \"" << actual[expected.size()] << "\"";
        else failure << "; the first missing line is \"" << expected[actual.size()] << "\"";
        return failure;
    }
    return ::testing::AssertionSuccess();
}

std::optional<LinkInfo> read_link(const std::string& path)
{
    // Once per thread; later calls only count up, and the thread ends with the test program.
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return std::nullopt;
    std::optional<LinkInfo> info;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring wide(path.begin(), path.end());
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
            char text[1024] = {};
            info.emplace();
            if (SUCCEEDED(link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH))) info->target = text;
            text[0] = 0;
            if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof text))) info->working_directory = text;
            text[0] = 0;
            if (SUCCEEDED(link->GetDescription(text, sizeof text))) info->description = text;
        }
        file->Release();
    }
    link->Release();
    return info;
}

std::optional<RegistryData> registry_value(HKEY root, const std::string& key, const std::string& name)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return std::nullopt;
    RegistryData data;
    DWORD size = 0;
    std::optional<RegistryData> result;
    if (RegQueryValueExA(opened, name.c_str(), nullptr, &data.type, nullptr, &size) == ERROR_SUCCESS) {
        data.bytes.resize(size);
        if (RegQueryValueExA(opened, name.c_str(), nullptr, &data.type, reinterpret_cast<BYTE*>(data.bytes.data()),
                             &size) == ERROR_SUCCESS) {
            data.bytes.resize(size);
            result = data;
        }
    }
    RegCloseKey(opened);
    return result;
}

bool registry_key_exists(HKEY root, const std::string& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

void delete_registry_tree(HKEY root, const std::string& key) { SHDeleteKeyA(root, key.c_str()); }

std::uint64_t write_time(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    std::uint64_t ticks = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                          data.ftLastWriteTime.dwLowDateTime;
    return ticks < epoch_ticks ? 0 : (ticks - epoch_ticks) / 10000000ULL;
}

bool set_write_time(const std::string& path, std::uint64_t seconds)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::uint64_t ticks = seconds * 10000000ULL + epoch_ticks;
    FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    bool set = SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    return set;
}


::testing::AssertionResult uninstall_to_the_end(UninstallerRun& run, const std::string& title)
{
    if (!run.started()) return ::testing::AssertionFailure() << "no working copy";
    HWND first = run.wait_for_first_page();
    if (!first) return ::testing::AssertionFailure() << "no first page";
    if (ui::text(first) != title) return ::testing::AssertionFailure() << "first page titled " << ui::text(first);
    ui::click(ui::control(first, IDOK));
    HWND progress = run.wait_for_progress_page();
    if (!progress || !run.wait_for_completion(progress)) {
        std::optional<ui::MessageBoxInfo> box = ui::find_message_box(run.id());
        return ::testing::AssertionFailure() << "the removal did not complete" << (box ? ": " + box->text : "");
    }
    if (ui::is_visible(ui::control(progress, 206)))
        return ::testing::AssertionFailure() << "the removal reports failures";
    ui::click(ui::control(progress, IDCANCEL));
    if (run.wait_exit() != 0u) return ::testing::AssertionFailure() << "the uninstaller did not end with 0";
    return ::testing::AssertionSuccess();
}
