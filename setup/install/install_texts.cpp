#include "install_texts.h"

#include "install_log_text.h"

namespace {

constexpr char uninstall_key_prefix[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr char file_exts_key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
constexpr char applications_key[] = "SOFTWARE\\Classes\\Applications\\";
constexpr char open_command_key[] = "\\shell\\open\\command";

// Registry value types, as the registry numbers them.
constexpr std::uint32_t type_string = 1;
constexpr std::uint32_t type_binary = 3;
constexpr std::uint32_t type_dword = 4;

std::string quoted(std::string_view text)
{
    std::string result = "\"";
    result += text;
    result += '"';
    return result;
}

} // namespace

std::string_view last_component(std::string_view path)
{
    std::size_t separator = path.rfind('\\');
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string installed_path_text(std::string_view base, const FileEntry& entry, bool quoted_path)
{
    std::string path(base);
    path += '\\';
    if (entry.use_subdirectory != 0) {
        path += entry.subdirectory;
        path += '\\';
    }
    path += entry.name;
    return quoted_path ? quoted(path) : path;
}

std::string command_line(std::string_view program, std::string_view arguments)
{
    std::string line = quoted(program);
    if (!arguments.empty()) {
        line += ' ';
        line += arguments;
    }
    return line;
}

std::string shortcut_description(std::string_view shortcut_name)
{
    std::string description(shortcut_name);
    for (char& c : description)
        if (c == '\\') c = ' ';
    return description;
}

std::string shortcut_file_name(std::string_view shortcut_name)
{
    return shortcut_description(shortcut_name) + ".lnk";
}

UninstallRegistration uninstall_registration(const SetupDescription& description, std::string_view destination)
{
    bool group = description.create_program_group == 1;
    std::string_view base = group ? std::string_view(description.program_group_name) : destination;
    std::string key = uninstall_key_prefix;
    key += last_component(base);
    std::string log_path(destination);
    log_path += '\\';
    log_path += install_log_name;
    std::string program(destination);
    program += "\\Uninstall.exe";
    return {std::move(key), std::string(group ? base : last_component(destination)),
            quoted(program) + ' ' + quoted(log_path)};
}

bool associate_for_current_user(std::uint8_t install_for, bool nt_family) { return install_for == 1 && nt_family; }

std::array<RegistryText, 3> association_texts(std::string_view extension, std::string_view program_path,
                                              bool current_user)
{
    std::string program(last_component(program_path));
    std::string command = quoted(program_path) + " \"%1\"";
    if (current_user) {
        std::string shell = applications_key + program + "\\shell";
        return {{{file_exts_key + std::string(extension), "Application", program},
                 {shell, "FriendlyCache", program + " Module"},
                 {shell + "\\open\\command", "", std::move(command)}}};
    }
    std::string file_type(extension.empty() ? extension : extension.substr(1));
    file_type += "_auto_file";
    return {{{std::string(extension), "", file_type},
             {file_type, "", program + " File"},
             {file_type + open_command_key, "", std::move(command)}}};
}

RegistryRoot registry_root_from_name(std::string_view name)
{
    for (RegistryRoot root : registry_roots)
        if (name == registry_root_name(root)) return root;
    return RegistryRoot::current_user;
}

const char* registry_root_name(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::classes_root: return "HKEY_CLASSES_ROOT";
    case RegistryRoot::users: return "HKEY_USERS";
    case RegistryRoot::local_machine: return "HKEY_LOCAL_MACHINE";
    case RegistryRoot::current_user: break;
    }
    return "HKEY_CURRENT_USER";
}

std::vector<std::string> key_path_levels(std::string_view path)
{
    std::vector<std::string> levels;
    for (std::size_t i = 0; i < path.size(); ++i)
        if (path[i] == '\\') levels.emplace_back(path.substr(0, i));
    levels.emplace_back(path);
    return levels;
}

std::optional<RegistryData> registry_data(const RegistryValueEntry& value)
{
    if (value.is_string)
        return RegistryData{type_string, value.string_data.c_str(), static_cast<std::uint32_t>(value.string_data.size())};
    if (value.is_dword) return RegistryData{type_dword, &value.dword_data, 4};
    if (value.is_binary) {
        // Never more bytes than the value holds.
        std::uint32_t length = value.binary_size;
        if (length > value.binary_data.size()) length = static_cast<std::uint32_t>(value.binary_data.size());
        return RegistryData{type_binary, value.binary_data.data(), length};
    }
    return std::nullopt;
}
