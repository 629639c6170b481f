// The texts the installation writes outside the install log, as plain code: installed paths and
// command lines, shortcut names, the uninstall registration, file associations and registry
// roots and data.
#pragma once

#include "install_names.h"  // shortcut_description, shortcut_file_name
#include "setup_description.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// The parts one after the other. Every text of the installation is joined by this one function:
// concatenations written out with "+" would each be inlined, which costs the setup program far
// more code.
std::string join(std::initializer_list<std::string_view> parts);

// The text after the last "\", or all of it when there is none.
std::string_view last_component(std::string_view path);

// base + "\" + [subdirectory + "\"] + name; between double quotes when `quoted`.
std::string installed_path_text(std::string_view base, const FileEntry& entry, bool quoted);

// The program between double quotes, then a blank and the arguments when there are any.
std::string command_line(std::string_view program, std::string_view arguments);

// The installation's entry in the system's list of removable programs, below HKEY_LOCAL_MACHINE.
struct UninstallRegistration {
    std::string key;           // the Uninstall key + the last component of the program group or D
    std::string display_name;  // "DisplayName"
    std::string command;       // "UninstallString": "D\Uninstall.exe" "D\Install_Log.txt"
};

UninstallRegistration uninstall_registration(const SetupDescription& description, std::string_view destination);

// One key to create and the text value to set in it (an empty name: the key's default value).
struct RegistryText {
    std::string key;
    const char* value_name;
    std::string data;
};

// Associations go below HKEY_CURRENT_USER only for the current user on the NT family; else
// below HKEY_CLASSES_ROOT.
bool associate_for_current_user(std::uint8_t install_for, bool nt_family);

// The keys and values that associate `extension` (with its ".") with the program at
// `program_path`, step 0, 1 and 2 in the order they are written; the key of step 0 must be made
// for the others to follow.
inline constexpr int association_steps = 3;
RegistryText association_text(std::string_view extension, std::string_view program_path, bool current_user, int step);

// The predefined registry roots that the registry section can name.
enum class RegistryRoot : std::uint8_t { current_user, classes_root, users, local_machine };

inline constexpr std::array<RegistryRoot, 4> registry_roots = {
    RegistryRoot::current_user, RegistryRoot::classes_root, RegistryRoot::users, RegistryRoot::local_machine};

// The root that a root node of the registry section stands for, by the node's name: the keys and
// values below it are written there, and the install log names them by registry_root_name of
// it, so that the uninstaller removes them where they are. Exact names only; any other text
// (HKEY_CURRENT_CONFIG, say) is the current user's root.
RegistryRoot registry_root_from_name(std::string_view name);
const char* registry_root_name(RegistryRoot root);

// How a value of the registry section is written: REG_SZ without the terminating zero, REG_DWORD
// in the machine's (little-endian) order, REG_BINARY. None for a value of no known type, which
// the installation skips.
struct RegistryData {
    std::uint32_t type;
    const void* bytes;
    std::uint32_t length;
};

std::optional<RegistryData> registry_data(const RegistryValueEntry& value);
