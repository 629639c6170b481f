// Packages for the reader's tests and the fuzz corpus, laid out field by field with
// PackageBytes. Each field can be changed before composing, to make one fault at a time.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SampleFile {
    std::string name;
    std::uint32_t time_high = 0;
    std::uint32_t time_low = 0x4B5A0000;
    std::string shortcut_name;
    std::string subdirectory;
    std::uint32_t target_folder = 3;
    // startup, group, desktop, use subdirectory, start after install, self register, run during install
    std::array<std::uint32_t, 7> flags{};
    std::string run_arguments;
    std::string start_arguments;
    std::string contents;
    std::optional<std::uint32_t> stored_offset;  // default: just behind the size field
    std::optional<std::uint32_t> stored_size;    // default: the size of contents
};

SampleFile sample_file(std::string name, std::string shortcut_name, std::string contents);

struct SampleExtension {
    std::string extension;
    std::uint32_t stored_index = 0;
};

struct SamplePackage {
    std::string format_marker = "1";
    std::uint32_t show_welcome_page = 1;
    std::string welcome_text = "{\\rtf1 Welcome}";
    std::string directory_name = "Zelmor Income Tax 2010";
    std::string default_location = "<Program Files>";
    std::uint32_t create_program_group = 1;
    std::string program_group_name = "Zelmor Income Tax";
    std::uint32_t make_uninstall = 1;
    std::uint32_t show_license_page = 1;
    std::string license_text = "{\\rtf1 License}";
    std::vector<SampleFile> files;
    std::optional<std::uint32_t> stored_file_count;  // default: the number of files
    std::uint32_t total_install_size = 0;
    std::vector<SampleExtension> extensions;
    std::optional<std::uint32_t> stored_extension_count;
    std::vector<std::uint8_t> registry_section;  // from its first text to the one that ends it
    std::uint32_t recommend_reboot = 0;
    std::array<std::uint32_t, 9> allow_windows{1, 1, 1, 1, 1, 1, 1, 1, 1};
    std::uint32_t require_ie5 = 0;
    std::vector<std::uint8_t> page_picture;     // a BMP image, or empty for none
    std::vector<std::uint8_t> welcome_picture;

    std::vector<std::uint8_t> compose() const;
};

// Like the shipped package on a small scale: "uninstall.exe" with its group shortcut,
// "zeltax.exe" and "readZeltax.txt" with group and desktop shortcuts, an empty registry section
// and two small pictures.
SamplePackage shipped_like_package();

// The section with no records: "REGISTRYENTRIESSTART", "REGISTRYENTRIESEND".
std::vector<std::uint8_t> empty_registry_section();

// A section with the root key `root` (id 1), its child key `child` (id 2) and one STRING value
// of the child named `value_name`, whose data holds a line break.
std::vector<std::uint8_t> registry_section_with_value(const std::string& root, const std::string& child,
                                                      const std::string& value_name);

// A BMP file image: file header, 40-byte info header, a grey colour table when bits <= 8, `gap`
// unused bytes, then the pixel rows padded to 4 bytes. Negative height: top-down.
std::vector<std::uint8_t> make_bmp(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t gap = 0);
