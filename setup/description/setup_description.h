// The one record that says what the installation does: wizard texts and switches, platform
// rules, the file table, extensions to associate, registry entries and where the two pictures
// lie in the package. Filled once by read_setup_description, read-only afterwards.
#pragma once

#include "registry_keys.h"
#include "registry_values.h"

#include <cstdint>
#include <string>
#include <vector>

// Values of FileEntry::target_folder.
enum TargetFolder : std::uint32_t {
    target_windows_directory = 0,
    target_system_directory = 1,
    target_common_files_directory = 2,
    target_installation_directory = 3,
};

struct FileEntry {
    std::string name;  // a plain file name, no folder
    std::string shortcut_name;  // a "\" in it becomes a blank in the shortcut's file name
    std::string subdirectory;   // relative, below the target folder; used when use_subdirectory is on
    std::uint32_t target_folder = target_windows_directory;
    std::uint32_t startup_shortcut = 0;
    std::uint32_t group_shortcut = 0;
    std::uint32_t desktop_shortcut = 0;
    std::uint32_t use_subdirectory = 0;
    std::uint32_t start_after_install = 0;
    std::uint32_t self_register = 0;
    std::uint32_t run_during_install = 0;
    std::string run_arguments;
    std::string start_arguments;
    std::uint32_t content_offset = 0;  // from the start of the package; the range lies inside it
    std::uint32_t content_size = 0;
    std::uint32_t time_high = 0;  // halves of the time stamp, seconds since 1970-01-01 UTC
    std::uint32_t time_low = 0;
};

struct ExtensionEntry {
    std::string extension;  // with its leading "."
    std::uint32_t file_index = 0;  // index into SetupDescription::files of the opening program
};

struct SetupDescription {
    std::string format_marker;
    std::uint32_t show_welcome_page = 0;
    std::string welcome_text;  // RTF
    std::string directory_name;
    std::string default_location;  // a "<...>" placeholder or a literal path
    std::uint32_t create_program_group = 0;
    std::string program_group_name;
    std::uint32_t make_uninstall = 0;
    std::uint32_t show_license_page = 0;
    std::string license_text;  // RTF
    std::uint32_t file_count = 0;
    std::vector<FileEntry> files;
    std::uint32_t total_install_size = 0;
    std::uint32_t extension_count = 0;
    std::vector<ExtensionEntry> extensions;
    RegistryKeyTree registry_keys;
    RegistryValueList registry_values;
    std::uint32_t recommend_reboot = 0;
    std::uint32_t allow_windows_95 = 0;
    std::uint32_t allow_windows_98 = 0;
    std::uint32_t allow_windows_me = 0;
    std::uint32_t allow_windows_nt351 = 0;
    std::uint32_t allow_windows_nt4 = 0;
    std::uint32_t allow_windows_2000 = 0;
    std::uint32_t allow_windows_xp = 0;
    std::uint32_t allow_windows_server_2003 = 0;
    std::uint32_t allow_windows_vista = 0;
    std::uint32_t require_ie5 = 0;
    // Each picture is a checked BMP file image at [offset, offset + size) of the package; a
    // size of 0 means none. The display bitmaps are made from these bytes by the window layer.
    std::uint32_t page_bitmap_size = 0;
    std::uint32_t page_bitmap_offset = 0;
    std::uint32_t welcome_bitmap_size = 0;
    std::uint32_t welcome_bitmap_offset = 0;
    bool offer_startup = false;
    bool offer_desktop_icon = false;
    bool offer_program_group = false;
    bool offer_associate = false;
    bool offer_start_application = false;
};
