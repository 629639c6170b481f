#include "Configure.h"

#include "bitmap_image.h"
#include "install_names.h"
#include "package_cursor.h"
#include "package_format.h"
#include "registry_section.h"
#include "text_case.h"
#include "trace.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

// Every entry of the file table takes at least this much: three empty texts and three u32 in
// the name and shortcut blocks, seven flags and two empty texts, the content offset and size.
constexpr std::size_t smallest_file_entry = 4 + 8 + 4 + 4 + 4 + 28 + 4 + 4 + 8;
// An empty extension text and its index.
constexpr std::size_t smallest_extension_entry = 4 + 4;

// Reads into the destinations one after another, stopping at the first that fails.
class FieldReader {
public:
    explicit FieldReader(PackageCursor& cursor) : cursor_(cursor) {}

    FieldReader& u32(std::uint32_t& destination)
    {
        if (ok_) ok_ = assign(destination, cursor_.read_u32());
        return *this;
    }

    FieldReader& text(std::string& destination, std::size_t max_length = PackageCursor::no_length_limit)
    {
        if (ok_) ok_ = assign(destination, cursor_.read_text(max_length));
        return *this;
    }

    bool ok() const { return ok_; }

private:
    template <typename T>
    static bool assign(T& destination, std::optional<T> value)
    {
        if (!value) return false;
        destination = std::move(*value);
        return true;
    }

    PackageCursor& cursor_;
    bool ok_ = true;
};

bool accepted(NameFault fault) { return fault == NameFault::none; }

// The destination proposal is made of the directory name and the default location, and the
// program group becomes a folder, the uninstall key and the log's description line.
bool read_head(PackageCursor& cursor, SetupDescription& d)
{
    return FieldReader(cursor)
               .text(d.format_marker, package_format::format_marker_limit)
               .u32(d.show_welcome_page)
               .text(d.welcome_text)
               .text(d.directory_name)
               .text(d.default_location)
               .u32(d.create_program_group)
               .text(d.program_group_name)
               .u32(d.make_uninstall)
               .u32(d.show_license_page)
               .text(d.license_text)
               .ok() &&
           accepted(control_character_fault(d.directory_name)) &&
           accepted(control_character_fault(d.default_location)) &&
           accepted(program_group_fault(d.program_group_name, d.create_program_group));
}

bool read_name_block(PackageCursor& cursor, FileEntry& file)
{
    return FieldReader(cursor).text(file.name).u32(file.time_high).u32(file.time_low).ok() &&
           accepted(file_name_fault(file.name));
}

bool read_shortcut_block(PackageCursor& cursor, FileEntry& file)
{
    return FieldReader(cursor).text(file.shortcut_name).text(file.subdirectory).u32(file.target_folder).ok() &&
           accepted(shortcut_name_fault(file.shortcut_name)) && accepted(subdirectory_fault(file.subdirectory)) &&
           file.target_folder <= target_installation_directory;
}

bool read_option_block(PackageCursor& cursor, FileEntry& file)
{
    return FieldReader(cursor)
        .u32(file.startup_shortcut)
        .u32(file.group_shortcut)
        .u32(file.desktop_shortcut)
        .u32(file.use_subdirectory)
        .u32(file.start_after_install)
        .u32(file.self_register)
        .u32(file.run_during_install)
        .text(file.run_arguments)
        .text(file.start_arguments)
        .ok();
}

// The uninstall module's own shortcut and start flags never make the wizard offer anything.
void note_offers(const FileEntry& file, SetupDescription& d)
{
    if (equal_ignoring_case(file.name, "uninstall.exe")) return;
    if (file.startup_shortcut == 1) d.offer_startup = true;
    if (file.desktop_shortcut == 1) d.offer_desktop_icon = true;
    if (file.group_shortcut == 1) d.offer_program_group = true;
    if (file.start_after_install != 0) d.offer_start_application = true;
}

// The table is stored in three passes over the files, with the install size between the first two.
bool read_file_table(PackageCursor& cursor, SetupDescription& d)
{
    if (!FieldReader(cursor).u32(d.file_count).ok()) return false;
    if (d.file_count > cursor.remaining() / smallest_file_entry) return false;
    d.files.resize(d.file_count);
    for (FileEntry& file : d.files)
        if (!read_name_block(cursor, file)) return false;
    if (!FieldReader(cursor).u32(d.total_install_size).ok()) return false;
    for (FileEntry& file : d.files)
        if (!read_shortcut_block(cursor, file)) return false;
    for (FileEntry& file : d.files) {
        if (!read_option_block(cursor, file)) return false;
        note_offers(file, d);
    }
    if (d.create_program_group == 0) d.offer_program_group = false;
    return true;
}

// The stored index counts from the second file, skipping the uninstall module.
bool read_extension(PackageCursor& cursor, std::uint32_t file_count, ExtensionEntry& extension)
{
    std::uint32_t stored_index = 0;
    if (!FieldReader(cursor).text(extension.extension, package_format::extension_limit).u32(stored_index).ok() ||
        !accepted(extension_fault(extension.extension)))
        return false;
    if (std::uint64_t{stored_index} + 1 >= file_count) return false;
    extension.file_index = stored_index + 1;
    return true;
}

bool read_extensions(PackageCursor& cursor, SetupDescription& d)
{
    if (!FieldReader(cursor).u32(d.extension_count).ok()) return false;
    if (d.extension_count > cursor.remaining() / smallest_extension_entry) return false;
    d.offer_associate = d.extension_count != 0;
    d.extensions.resize(d.extension_count);
    for (ExtensionEntry& extension : d.extensions)
        if (!read_extension(cursor, d.file_count, extension)) return false;
    return true;
}

bool read_registry_entries(PackageCursor& cursor, SetupDescription& d)
{
    // The opening text is not compared: the section reader knows its records by their words.
    std::string opening;
    return FieldReader(cursor).text(opening, package_format::registry_token_limit).ok() &&
           read_registry_section(cursor, d.registry_keys, d.registry_values);
}

bool read_platform_rules(PackageCursor& cursor, SetupDescription& d)
{
    return FieldReader(cursor)
        .u32(d.recommend_reboot)
        .u32(d.allow_windows_95)
        .u32(d.allow_windows_98)
        .u32(d.allow_windows_me)
        .u32(d.allow_windows_nt351)
        .u32(d.allow_windows_nt4)
        .u32(d.allow_windows_2000)
        .u32(d.allow_windows_xp)
        .u32(d.allow_windows_server_2003)
        .u32(d.allow_windows_vista)
        .u32(d.require_ie5)
        .ok();
}

// A size, then (unless 0) the BMP image and 1 to 4 bytes of padding.
bool read_picture(PackageCursor& cursor, std::uint32_t& size, std::uint32_t& offset)
{
    if (!FieldReader(cursor).u32(size).ok()) return false;
    if (size == 0) return true;
    offset = static_cast<std::uint32_t>(cursor.position());
    std::optional<std::span<const std::uint8_t>> image = cursor.read_bytes(padded_field_size(size));
    return image && is_well_formed_bmp_image(image->first(size));
}

// The contents stay in the package; only where they lie is kept. The stored offset is trusted
// to point anywhere inside the package, not necessarily at the bytes that follow it.
bool read_contents(PackageCursor& cursor, std::span<const std::uint8_t> package, std::vector<FileEntry>& files)
{
    for (FileEntry& file : files) {
        if (!FieldReader(cursor).u32(file.content_offset).u32(file.content_size).ok()) return false;
        if (!cursor.read_bytes(file.content_size)) return false;
        if (std::uint64_t{file.content_offset} + file.content_size > package.size()) return false;
    }
    return true;
}

bool read_into(std::span<const std::uint8_t> package, SetupDescription& d)
{
    PackageCursor cursor(package);
    if (!read_head(cursor, d) || !read_file_table(cursor, d)) return false;
    TRACE_POINT();
    if (!read_extensions(cursor, d)) return false;
    TRACE_POINT();
    if (!read_registry_entries(cursor, d) || !read_platform_rules(cursor, d)) return false;
    TRACE_POINT();
    if (!read_picture(cursor, d.page_bitmap_size, d.page_bitmap_offset)) return false;
    TRACE_POINT();
    if (!read_picture(cursor, d.welcome_bitmap_size, d.welcome_bitmap_offset)) return false;
    TRACE_POINT();
    return read_contents(cursor, package, d.files);
}

} // namespace

bool read_setup_description(std::span<const std::uint8_t> package, SetupDescription& description)
{
    TRACE_POINT();
    if (package.size() > package_format::largest_package_size) return false;
    SetupDescription read;
    if (!read_into(package, read)) return false;
    description = std::move(read);
    return true;
}
