#include "destination_proposal.h"

#include "path_text.h"

#include "setup_description.h"

namespace {

// The text without its trailing separators (the first character always stays).
std::string without_trailing_separators(std::string path)
{
    strip_trailing_separators(path);
    return path;
}

bool for_current_user(std::uint8_t install_for) { return install_for == install_for_current_user; }

// The folder a placeholder stands for; any other text is itself the folder.
std::string base_folder(const SetupDescription& description, std::uint8_t install_for,
                        const ProposalFolders& folders)
{
    const std::string& location = description.default_location;
    if (location == "<Program Files>") return folders.program_files;
    if (location == "<Documents and Settings>")
        return for_current_user(install_for) ? folders.documents : folders.common_documents;
    if (location == "<Desktop>")
        return for_current_user(install_for) ? folders.desktop_directory : folders.common_desktop;
    if (location == "<Root Drive>") return without_trailing_separators(path_root(folders.setup_directory));
    return location;
}

} // namespace

const char destination_missing_message[] = "The Destination directory must be entered.";
const char destination_not_full_message[] =
    "The Destination directory must be a full path, such as C:\\Program Files\\Example or \\\\server\\share\\Example.";

std::string propose_destination(const SetupDescription& description, std::uint8_t install_for,
                                const ProposalFolders& folders)
{
    if (description.default_location == "<BLANK>") return std::string();
    return base_folder(description, install_for, folders) + "\\" + description.directory_name;
}

DestinationEntry destination_entry(std::string_view typed)
{
    if (typed.empty()) return {destination_missing_message, {}};
    // Before the trailing separators go: they make a root such as C:\ a full path.
    if (!is_full_path(typed)) return {destination_not_full_message, {}};
    return {nullptr, without_trailing_separators(std::string(typed.substr(0, destination_text_limit)))};
}
