#include "destination_proposal.h"

#include "setup_description.h"

namespace {

// Private twins of the shared path helpers, kept here until those are available to this library.
bool is_separator(char c) { return c == '\\' || c == '/'; }

// Trailing "\" and "/" go, one at a time, but never the first character.
std::string strip_trailing_separators(std::string path)
{
    while (path.size() > 1 && is_separator(path.back())) path.pop_back();
    return path;
}

std::size_t skip_name(std::string_view path, std::size_t pos)
{
    while (pos < path.size() && !is_separator(path[pos])) ++pos;
    return pos;
}

// A network path gives its separators, server, one separator, share and the character after
// it (\\server\share\); any other path its first three characters (C:\).
std::string path_root(std::string_view path)
{
    if (path.empty() || !is_separator(path[0])) return std::string(path.substr(0, 3));
    std::size_t pos = 0;
    while (pos < path.size() && is_separator(path[pos])) ++pos;
    pos = skip_name(path, pos);
    if (pos < path.size()) pos = skip_name(path, pos + 1);
    if (pos < path.size()) ++pos;
    return std::string(path.substr(0, pos));
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
    if (location == "<Root Drive>") return strip_trailing_separators(path_root(folders.setup_directory));
    return location;
}

} // namespace

const char destination_missing_message[] = "The Destination directory must be entered.";

std::string propose_destination(const SetupDescription& description, std::uint8_t install_for,
                                const ProposalFolders& folders)
{
    if (description.default_location == "<BLANK>") return std::string();
    return base_folder(description, install_for, folders) + "\\" + description.directory_name;
}

std::optional<std::string> accepted_destination(std::string_view typed)
{
    if (typed.empty()) return std::nullopt;
    return strip_trailing_separators(std::string(typed.substr(0, destination_text_limit)));
}
