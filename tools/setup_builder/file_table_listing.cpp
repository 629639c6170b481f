#include "file_table_listing.h"

#include "listing_values.h"
#include "utc_time.h"

namespace builder {

namespace {

std::string target_folder_text(std::uint32_t folder)
{
    static const char* const names[] = {"Windows directory", "system directory", "common files directory",
                                        "installation directory"};
    std::string number = std::to_string(folder);
    if (folder >= std::size(names)) return number + " (unknown)";
    return number + " (" + names[folder] + ")";
}

void list_file_entry(const ::FileEntry& file, ListingLines& lines)
{
    lines.field("name", quoted_text(file.name));
    lines.field("shortcut_name", quoted_text(file.shortcut_name));
    lines.field("subdirectory", quoted_text(file.subdirectory));
    lines.field("target_folder", target_folder_text(file.target_folder));
    lines.field("startup_shortcut", file.startup_shortcut);
    lines.field("group_shortcut", file.group_shortcut);
    lines.field("desktop_shortcut", file.desktop_shortcut);
    lines.field("use_subdirectory", file.use_subdirectory);
    lines.field("start_after_install", file.start_after_install);
    lines.field("self_register", file.self_register);
    lines.field("run_during_install", file.run_during_install);
    lines.field("run_arguments", quoted_text(file.run_arguments));
    lines.field("start_arguments", quoted_text(file.start_arguments));
    lines.field("content_offset", file.content_offset);
    lines.field("content_size", file.content_size);
    lines.field("time_high", file.time_high);
    lines.field("time_low", file.time_low);
    lines.field("time", utc_time_text(std::uint64_t{file.time_high} << 32 | file.time_low));
}

} // namespace

void list_file_table(const std::vector<::FileEntry>& files, ListingLines& lines)
{
    for (std::size_t index = 0; index < files.size(); ++index) {
        lines.open("file " + std::to_string(index));
        list_file_entry(files[index], lines);
        lines.close();
    }
}

} // namespace builder
