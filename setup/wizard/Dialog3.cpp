#include "Dialog3.h"

#include "header_texts.h"
#include "preferences_caption.h"
#include "setup_resource.h"
#include "trace.h"

namespace {

std::uint8_t ticked(HWND page, int box) { return IsDlgButtonChecked(page, box) == BST_CHECKED ? 1 : 0; }

} // namespace

PreferencesPage::PreferencesPage(const WizardContext& context) : SetupPage(context, IDD_PREFERENCES)
{
    const SetupDescription& offers = description();
    choices_.desktop_icon = offers.offer_desktop_icon ? 1 : 0;
    choices_.program_group = offers.offer_program_group ? 1 : 0;
    choices_.start_at_login = offers.offer_startup ? 1 : 0;
    choices_.associate = offers.offer_associate ? 1 : 0;
}

void PreferencesPage::clear_unshown_choices()
{
    choices_.desktop_icon = 0;
    choices_.program_group = 0;
    choices_.start_at_login = 0;
}

void PreferencesPage::initialise()
{
    TRACE_POINT();
    begin_page(preferences_header_rtf);
    const SetupDescription& offers = description();
    show_choice(offers.offer_desktop_icon, IDC_DESKTOP_ICON, choices_.desktop_icon);
    show_choice(offers.offer_program_group, IDC_PROGRAM_GROUP, choices_.program_group);
    show_choice(offers.offer_startup, IDC_START_AT_LOGIN, choices_.start_at_login);
    show_choice(offers.extension_count != 0 && offers.offer_associate, IDC_ASSOCIATE, choices_.associate);
    if (offers.extension_count != 0) SetDlgItemTextA(window(), IDC_ASSOCIATE, associate_caption(offers).c_str());
}

// An option the package does not offer has no box.
void PreferencesPage::show_choice(bool offered, int box, std::uint8_t choice)
{
    if (offered) {
        CheckDlgButton(window(), box, choice == 1 ? BST_CHECKED : BST_UNCHECKED);
    } else {
        hide_control(window(), box);
    }
}

// A hidden box is never ticked, so an option not offered is stored as 0.
void PreferencesPage::store_choices()
{
    choices_.desktop_icon = ticked(window(), IDC_DESKTOP_ICON);
    choices_.program_group = ticked(window(), IDC_PROGRAM_GROUP);
    choices_.start_at_login = ticked(window(), IDC_START_AT_LOGIN);
    choices_.associate = ticked(window(), IDC_ASSOCIATE);
}

void PreferencesPage::next()
{
    TRACE_POINT();
    store_choices();
    end_page(result_next);
}

void PreferencesPage::back()
{
    TRACE_POINT();
    store_choices();
    end_page(result_back);
}
