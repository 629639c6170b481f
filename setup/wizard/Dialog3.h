// The preferences page: which of the offered desktop icon, program group, start at login and
// file associations the user wants.
#pragma once

#include "page_frame.h"

#include <cstdint>

struct PreferenceChoices {
    std::uint8_t desktop_icon = 0;  // each 0 or 1
    std::uint8_t program_group = 0;
    std::uint8_t start_at_login = 0;
    std::uint8_t associate = 0;
};

class PreferencesPage : public SetupPage {
public:
    // Every offered option starts ticked.
    explicit PreferencesPage(const WizardContext& context);

    const PreferenceChoices& choices() const { return choices_; }
    // For a wizard that passes the page over because nothing is offered.
    void clear_unshown_choices();

private:
    void initialise() override;
    void next() override;
    void back() override;
    void show_choice(bool offered, int box, std::uint8_t choice);
    void store_choices();

    PreferenceChoices choices_;
};
