// The directory the destination page proposes, and what its Next accepts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct SetupDescription;

// Values of the install-for choice.
constexpr std::uint8_t install_for_all_users = 0;
constexpr std::uint8_t install_for_current_user = 1;

// The system folders a proposal can start from.
struct ProposalFolders {
    std::string program_files;
    std::string documents;
    std::string common_documents;
    std::string desktop_directory;
    std::string common_desktop;
    std::string setup_directory;  // the directory of the running setup program
};

// The proposal for the description's default_location, followed by "\" and its directory_name;
// "<BLANK>" proposes nothing. Every value of install_for but 1 means all users.
std::string propose_destination(const SetupDescription& description, std::uint8_t install_for,
                                const ProposalFolders& folders);

// The edit control hands over at most this many characters.
constexpr std::size_t destination_text_limit = 4094;

extern const char destination_missing_message[];
extern const char destination_not_full_message[];

// What Next does with the typed text: it refuses an empty text with destination_missing_message
// and one that is not a full path (is_full_path) with destination_not_full_message; a relative
// directory would be taken from the setup program's current directory and leave relative
// links and uninstall entry. Otherwise it stores the text cut to the edit's limit, trailing "\"
// and "/" removed (never the first character): a typed C:\ is stored as C:, which the
// installation joins with "\" to the names below it.
struct DestinationEntry {
    const char* refusal = nullptr;  // the message, or null when the text is accepted
    std::string directory;          // the directory to store when accepted
};

DestinationEntry destination_entry(std::string_view typed);
