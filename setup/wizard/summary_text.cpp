#include "summary_text.h"

#include "disk_space_line.h"
#include "setup_description.h"

namespace {

// Only options the package offers get a line.
void append_choice(std::string& text, bool offered, const char* label, std::uint8_t choice)
{
    if (!offered) return;
    text += label;
    text += choice == 1 ? "Yes" : "No";
    text += "\r\n";
}

} // namespace

std::string summary_text(const SetupDescription& description, const WizardState& state,
                         std::uint64_t free_bytes)
{
    std::string text = "The destination directory is: " + state.directory + "\r\n\r\n";
    append_choice(text, description.offer_desktop_icon, "Create desktop icon: ", state.desktop_icon);
    append_choice(text, description.offer_program_group, "Create program group: ", state.program_group);
    append_choice(text, description.offer_startup, "Automatically start program at login: ",
                  state.start_at_login);
    append_choice(text, description.extension_count != 0 && description.offer_associate,
                  "Associate file extensions with application: ", state.associate);
    text += "\r\n";
    text += disk_space_line(free_bytes, description.total_install_size);
    return text + "\r\n";
}
