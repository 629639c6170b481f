// What the wizard hands to the installation: the destination directory and the four choices.
// The summary page holds it; the driver fills it before every showing of that page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct WizardState {
    static constexpr std::size_t directory_limit = 4095;

    std::string directory;
    std::uint8_t desktop_icon = 0;  // each choice 0 or 1
    std::uint8_t program_group = 0;
    std::uint8_t start_at_login = 0;
    std::uint8_t associate = 0;
};
