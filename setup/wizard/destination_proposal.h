// The directory the destination page proposes, and what its Next accepts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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

// The directory stored from the typed text: cut to the edit's limit, trailing "\" and "/"
// removed (never the first character). None for an empty text, which Next refuses with
// destination_missing_message.
std::optional<std::string> accepted_destination(std::string_view typed);
