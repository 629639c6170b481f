#include "description_writer.h"

#include "package_format.h"
#include "package_encoding.h"
#include "registry_section_writer.h"
#include "text_case.h"

#include <stdexcept>
#include <string>

namespace builder {

using namespace package_format;

namespace {

void append_flag(Bytes& out, bool flag)
{
    append_u32(out, flag ? 1 : 0);
}

void append_format_marker(Bytes& out, const std::string& marker)
{
    if (marker.size() > format_marker_limit)
        throw std::invalid_argument("the format marker is longer than " + std::to_string(format_marker_limit) +
                                    " characters");
    append_text(out, marker);
}

void append_name_blocks(Bytes& out, const std::vector<FileEntry>& files)
{
    for (const FileEntry& file : files) {
        append_text(out, file.name);
        append_u32(out, file.time_high);
        append_u32(out, file.time_low);
    }
}

void append_shortcut_blocks(Bytes& out, const std::vector<FileEntry>& files)
{
    for (const FileEntry& file : files) {
        append_text(out, file.shortcut_name);
        append_text(out, file.subdirectory);
        append_u32(out, file.target_folder);
    }
}

void append_option_blocks(Bytes& out, const std::vector<FileEntry>& files)
{
    for (const FileEntry& file : files) {
        append_flag(out, file.startup_shortcut);
        append_flag(out, file.group_shortcut);
        append_flag(out, file.desktop_shortcut);
        append_flag(out, file.use_subdirectory);
        append_flag(out, file.start_after_install);
        append_flag(out, file.self_register);
        append_flag(out, file.run_during_install);
        append_text(out, file.run_arguments);
        append_text(out, file.start_arguments);
    }
}

// The package counts the program that opens an extension among the files after the first
// entry, so index 1 is stored as 0.
void append_extension_blocks(Bytes& out, const SetupDescription& description)
{
    append_u32(out, to_u32(description.extensions.size(), "the extension table"));
    for (const ExtensionEntry& extension : description.extensions) {
        if (extension.extension.size() > extension_limit)
            throw std::invalid_argument("an extension is longer than " + std::to_string(extension_limit) +
                                        " characters");
        if (extension.file_index == 0 || extension.file_index >= description.files.size())
            throw std::invalid_argument("an extension names no file after the first entry");
        append_text(out, extension.extension);
        append_u32(out, extension.file_index - 1);
    }
}

void append_platform_rules(Bytes& out, const SetupDescription& d)
{
    append_flag(out, d.recommend_reboot);
    for (bool allow : {d.allow_windows_95, d.allow_windows_98, d.allow_windows_me, d.allow_windows_nt351,
                       d.allow_windows_nt4, d.allow_windows_2000, d.allow_windows_xp, d.allow_windows_server_2003,
                       d.allow_windows_vista})
        append_flag(out, allow);
    append_flag(out, d.require_ie5);
}

// `content_offset` is where the first content byte lands, right after the size field.
void append_content_blocks(Bytes& out, const std::vector<FileEntry>& files)
{
    for (const FileEntry& file : files) {
        append_u32(out, to_u32(out.size() + 8, "the package"));
        append_raw_block(out, file.contents);
    }
    to_u32(out.size(), "the package");
}

} // namespace

bool is_uninstall_module(std::string_view name)
{
    return equal_ignoring_case(name, "uninstall.exe");
}

std::uint32_t total_install_size(const std::vector<FileEntry>& files)
{
    std::size_t total = 0;
    for (const FileEntry& file : files)
        if (!is_uninstall_module(file.name)) total += file.contents.size();
    return to_u32(total, "the installation");
}

Bytes write_package(const SetupDescription& d)
{
    Bytes out;
    append_format_marker(out, d.format_marker);
    append_flag(out, d.show_welcome_page);
    append_text(out, d.welcome_text);
    append_text(out, d.directory_name);
    append_text(out, d.default_location);
    append_flag(out, d.create_program_group);
    append_text(out, d.program_group_name);
    append_flag(out, d.make_uninstall);
    append_flag(out, d.show_license_page);
    append_text(out, d.license_text);

    append_u32(out, to_u32(d.files.size(), "the file table"));
    append_name_blocks(out, d.files);
    append_u32(out, total_install_size(d.files));
    append_shortcut_blocks(out, d.files);
    append_option_blocks(out, d.files);

    append_extension_blocks(out, d);
    append_registry_section(out, d.registry_keys);
    append_platform_rules(out, d);
    append_picture(out, d.page_bitmap);
    append_picture(out, d.welcome_bitmap);
    append_content_blocks(out, d.files);
    return out;
}

} // namespace builder
