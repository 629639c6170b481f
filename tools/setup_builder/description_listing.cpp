#include "description_listing.h"

#include "file_table_listing.h"
#include "listing_lines.h"
#include "listing_values.h"
#include "registry_listing.h"

#include <optional>
#include <span>

namespace builder {

namespace {

// Enough of an RTF text to recognise it; the whole of it would bury the listing.
constexpr std::size_t rtf_characters_shown = 48;

void list_head(const ::SetupDescription& d, ListingLines& lines)
{
    lines.field("format_marker", quoted_text(d.format_marker));
    lines.field("show_welcome_page", d.show_welcome_page);
    lines.field("welcome_text", text_summary(d.welcome_text, rtf_characters_shown));
    lines.field("directory_name", quoted_text(d.directory_name));
    lines.field("default_location", quoted_text(d.default_location));
    lines.field("create_program_group", d.create_program_group);
    lines.field("program_group_name", quoted_text(d.program_group_name));
    lines.field("make_uninstall", d.make_uninstall);
    lines.field("show_license_page", d.show_license_page);
    lines.field("license_text", text_summary(d.license_text, rtf_characters_shown));
}

void list_extensions(const ::SetupDescription& d, ListingLines& lines)
{
    lines.field("extension_count", d.extension_count);
    for (std::size_t index = 0; index < d.extensions.size(); ++index) {
        const ::ExtensionEntry& extension = d.extensions[index];
        std::string program = extension.file_index < d.files.size() ? quoted_text(d.files[extension.file_index].name)
                                                                     : "no such file";
        lines.open("extension " + std::to_string(index));
        lines.field("extension", quoted_text(extension.extension));
        lines.field("file_index", std::to_string(extension.file_index) + " (" + program + ")");
        lines.close();
    }
}

void list_platform_rules(const ::SetupDescription& d, ListingLines& lines)
{
    lines.field("recommend_reboot", d.recommend_reboot);
    lines.field("allow_windows_95", d.allow_windows_95);
    lines.field("allow_windows_98", d.allow_windows_98);
    lines.field("allow_windows_me", d.allow_windows_me);
    lines.field("allow_windows_nt351", d.allow_windows_nt351);
    lines.field("allow_windows_nt4", d.allow_windows_nt4);
    lines.field("allow_windows_2000", d.allow_windows_2000);
    lines.field("allow_windows_xp", d.allow_windows_xp);
    lines.field("allow_windows_server_2003", d.allow_windows_server_2003);
    lines.field("allow_windows_vista", d.allow_windows_vista);
    lines.field("require_ie5", d.require_ie5);
}

std::int32_t i32_at(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                     static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// Width, height and depth from the BMP's info header, when the image lies in the package.
std::optional<std::string> picture_shape(std::span<const std::uint8_t> package, std::uint32_t offset,
                                         std::uint32_t size)
{
    constexpr std::size_t depth_end = 30;  // the info header's bit count ends here
    if (size < depth_end || std::uint64_t{offset} + size > package.size()) return std::nullopt;
    std::span<const std::uint8_t> image = package.subspan(offset, size);
    return std::to_string(i32_at(image, 18)) + " x " + std::to_string(i32_at(image, 22)) + " pixels, " +
           std::to_string(image[28] | image[29] << 8) + " bits per pixel";
}

void list_picture(const char* name, std::uint32_t size, std::uint32_t offset, std::span<const std::uint8_t> package,
                  ListingLines& lines)
{
    std::string prefix(name);
    if (size == 0) {
        lines.field(prefix + "_size", "0 (no picture)");
        return;
    }
    lines.field(prefix + "_size", size);
    lines.field(prefix + "_offset", offset);
    if (std::optional<std::string> shape = picture_shape(package, offset, size)) lines.field(prefix, *shape);
}

void list_offers(const ::SetupDescription& d, ListingLines& lines)
{
    lines.open("offers, computed by the reader");
    lines.field("offer_startup", d.offer_startup ? 1u : 0u);
    lines.field("offer_desktop_icon", d.offer_desktop_icon ? 1u : 0u);
    lines.field("offer_program_group", d.offer_program_group ? 1u : 0u);
    lines.field("offer_associate", d.offer_associate ? 1u : 0u);
    lines.field("offer_start_application", d.offer_start_application ? 1u : 0u);
    lines.close();
}

} // namespace

std::string compose_description_listing(const ::SetupDescription& d, std::span<const std::uint8_t> package)
{
    ListingLines lines;
    lines.open("setup description");
    list_head(d, lines);
    lines.field("file_count", d.file_count);
    lines.field("total_install_size", d.total_install_size);
    list_file_table(d.files, lines);
    list_extensions(d, lines);
    list_registry(d.registry_keys, d.registry_values, lines);
    list_platform_rules(d, lines);
    list_picture("page_bitmap", d.page_bitmap_size, d.page_bitmap_offset, package, lines);
    list_picture("welcome_bitmap", d.welcome_bitmap_size, d.welcome_bitmap_offset, package, lines);
    lines.close();
    list_offers(d, lines);
    return lines.text();
}

} // namespace builder
