#include "install_texts.h"

#include "install_log_text.h"
#include "package_format.h"

using namespace std::string_view_literals;

namespace {

constexpr std::string_view uninstall_key_prefix = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr std::string_view file_exts_key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
constexpr std::string_view applications_key = "SOFTWARE\\Classes\\Applications\\";
constexpr std::string_view open_command_key = "\\shell\\open\\command";

// Registry value types, as the registry numbers them.
constexpr std::uint32_t type_string = 1;
constexpr std::uint32_t type_binary = 3;
constexpr std::uint32_t type_dword = 4;

} // namespace

__attribute__((noinline)) std::string join(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (std::string_view part : parts) size += part.size();
    std::string text;
    text.reserve(size);
    for (std::string_view part : parts) text.append(part.data(), part.size());
    return text;
}

std::string_view last_component(std::string_view path)
{
    std::size_t separator = path.rfind('\\');
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string installed_path_text(std::string_view base, const FileEntry& entry, bool quoted)
{
    bool below = entry.use_subdirectory != 0;
    std::string_view quote = quoted ? "\""sv : ""sv;
    return join({quote, base, "\\"sv, below ? std::string_view(entry.subdirectory) : ""sv, below ? "\\"sv : ""sv, entry.name,
                 quote});
}

std::string command_line(std::string_view program, std::string_view arguments)
{
    return join({"\""sv, program, arguments.empty() ? "\""sv : "\" "sv, arguments});
}

UninstallRegistration uninstall_registration(const SetupDescription& description, std::string_view destination)
{
    bool group = description.create_program_group == 1;
    std::string_view base = group ? std::string_view(description.program_group_name) : destination;
    return {join({uninstall_key_prefix, last_component(base)}),
            std::string(group ? base : last_component(destination)),
            join({"\""sv, destination, "\\Uninstall.exe\" \""sv, destination, "\\"sv, install_log_name, "\""sv})};
}

bool associate_for_current_user(std::uint8_t install_for, bool nt_family) { return install_for == 1 && nt_family; }

RegistryText association_text(std::string_view extension, std::string_view program_path, bool current_user, int step)
{
    std::string_view program = last_component(program_path);
    if (step == 2) {
        std::string_view key_start = current_user ? applications_key : extension.substr(extension.empty() ? 0 : 1);
        std::string_view key_middle = current_user ? program : "_auto_file";
        return {join({key_start, key_middle, open_command_key}), "", join({"\""sv, program_path, "\" \"%1\""sv})};
    }
    if (current_user) {
        if (step == 0) return {join({file_exts_key, extension}), "Application", std::string(program)};
        return {join({applications_key, program, "\\shell"sv}), "FriendlyCache", join({program, " Module"sv})};
    }
    std::string file_type = join({extension.substr(extension.empty() ? 0 : 1), "_auto_file"sv});
    if (step == 0) return {std::string(extension), "", std::move(file_type)};
    return {std::move(file_type), "", join({program, " File"sv})};
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
    case RegistryRoot::classes_root: return package_format::classes_root_name;
    case RegistryRoot::users: return package_format::users_name;
    case RegistryRoot::local_machine: return package_format::local_machine_name;
    case RegistryRoot::current_user: break;
    }
    return package_format::current_user_name;
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
