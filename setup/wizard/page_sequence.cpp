#include "page_sequence.h"

#include "setup_description.h"

namespace {

bool is_shown(WizardPage page, const PageVisibility& visibility)
{
    switch (page) {
    case WizardPage::welcome: return visibility.welcome;
    case WizardPage::license: return visibility.license;
    case WizardPage::users: return visibility.users;
    case WizardPage::preferences: return visibility.preferences;
    default: return true;
    }
}

WizardPage following(WizardPage page) { return static_cast<WizardPage>(static_cast<int>(page) + 1); }

WizardStep end_with(WizardOutcome outcome)
{
    WizardStep step;
    step.outcome = outcome;
    return step;
}

// A hidden page counts as if it had returned Next. The walk always stops, at the latest on the
// installation page, which is always shown.
WizardStep visit(WizardPage page, const PageVisibility& visibility)
{
    WizardStep step;
    while (!is_shown(page, visibility)) {
        if (page == WizardPage::preferences) step.clear_skipped_preferences = true;
        page = following(page);
    }
    step.outcome = WizardOutcome::show_page;
    step.page = page;
    return step;
}

// Back from the users page is also where Back from the destination page goes without a users page.
WizardStep back_from_users(const PageVisibility& visibility)
{
    return visit(visibility.license ? WizardPage::license : WizardPage::welcome, visibility);
}

WizardStep back_from(WizardPage page, const PageVisibility& visibility)
{
    switch (page) {
    case WizardPage::welcome: return end_with(WizardOutcome::left);
    case WizardPage::license: return visit(WizardPage::welcome, visibility);
    case WizardPage::users: return back_from_users(visibility);
    case WizardPage::destination:
        return visibility.users ? visit(WizardPage::users, visibility) : back_from_users(visibility);
    case WizardPage::summary:
        return visit(visibility.preferences ? WizardPage::preferences : WizardPage::destination, visibility);
    default: return visit(WizardPage::destination, visibility);
    }
}

WizardStep after_installation(std::int32_t result, const PageVisibility& visibility)
{
    if (result == result_back) return visit(WizardPage::destination, visibility);
    return end_with(result == result_ended ? WizardOutcome::ended : WizardOutcome::completed);
}

} // namespace

PageVisibility page_visibility(const SetupDescription& description, bool show_users_page)
{
    PageVisibility visibility;
    visibility.welcome = description.show_welcome_page == 1;
    visibility.license = description.show_license_page != 0;
    visibility.users = show_users_page;
    visibility.preferences = description.offer_desktop_icon || description.offer_program_group ||
                             description.offer_startup || description.offer_associate;
    return visibility;
}

WizardPage first_page(const PageVisibility& visibility) { return visit(WizardPage::welcome, visibility).page; }

WizardStep after(WizardPage shown, std::int32_t result, const PageVisibility& visibility)
{
    if (shown == WizardPage::installation) return after_installation(result, visibility);
    if (result == result_next) return visit(following(shown), visibility);
    if (result == result_back) return back_from(shown, visibility);
    return end_with(WizardOutcome::left);
}
