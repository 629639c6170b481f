// What a package says about an installation, with the contents of its files: the input of
// the description writer. Field names follow the setup program's record; the builder keeps
// its own types in namespace `builder` so that the record's reader can be linked beside it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace builder {

using Bytes = std::vector<std::uint8_t>;

struct FileEntry {
    std::string name;
    std::string shortcut_name;
    std::string subdirectory;
    std::uint32_t target_folder = 3;  // 0 Windows, 1 system, 2 common files, 3 installation directory
    bool startup_shortcut = false;
    bool group_shortcut = false;
    bool desktop_shortcut = false;
    bool use_subdirectory = false;
    bool start_after_install = false;
    bool self_register = false;
    bool run_during_install = false;
    std::string run_arguments;
    std::string start_arguments;
    std::uint32_t time_high = 0;  // halves of the time stamp, seconds since 1970
    std::uint32_t time_low = 0;
    Bytes contents;
};

struct ExtensionEntry {
    std::string extension;        // with its leading "."
    std::uint32_t file_index = 0; // index into `files`; never 0, the format cannot name the first file
};

enum class RegistryValueKind { string, dword, binary };

struct RegistryValueEntry {
    std::string value_name;  // empty: the key's default value
    RegistryValueKind kind = RegistryValueKind::string;
    std::string string_data;
    std::uint32_t dword_data = 0;
    Bytes binary_data;
};

// A root node names a predefined key ("HKEY_CURRENT_USER", ...); every other node one key
// level below its parent.
struct RegistryKeyNode {
    std::string key_name;
    std::vector<RegistryValueEntry> values;
    std::vector<RegistryKeyNode> children;
};

struct SetupDescription {
    std::string format_marker = "1";
    bool show_welcome_page = false;
    std::string welcome_text;
    std::string directory_name;
    std::string default_location;
    bool create_program_group = false;
    std::string program_group_name;
    bool make_uninstall = false;
    bool show_license_page = false;
    std::string license_text;
    std::vector<FileEntry> files;
    std::vector<ExtensionEntry> extensions;
    std::vector<RegistryKeyNode> registry_keys;
    bool recommend_reboot = false;
    bool allow_windows_95 = false;
    bool allow_windows_98 = false;
    bool allow_windows_me = false;
    bool allow_windows_nt351 = false;
    bool allow_windows_nt4 = false;
    bool allow_windows_2000 = false;
    bool allow_windows_xp = false;
    bool allow_windows_server_2003 = false;
    bool allow_windows_vista = false;
    bool require_ie5 = false;
    Bytes page_bitmap;     // a whole BMP file, or empty for none
    Bytes welcome_bitmap;
};

} // namespace builder
