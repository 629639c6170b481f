// The order of the setup wizard's pages and where each page's result leads. Pure decisions: the
// driver shows the pages, this says which one comes next.
#pragma once

#include <cstdint>

struct SetupDescription;

// In the order the wizard visits them.
enum class WizardPage { welcome, license, users, destination, preferences, summary, installation };

// Which of the optional pages are shown; destination, summary and installation always are.
struct PageVisibility {
    bool welcome = false;
    bool license = false;
    bool users = false;
    bool preferences = false;
};

PageVisibility page_visibility(const SetupDescription& description, bool show_users_page);

// Page results. Every other value of an ordinary page leaves the wizard; the installation page
// reports install_ended when it stopped short and anything but that or Back as completed.
constexpr std::int32_t page_next = 0;
constexpr std::int32_t page_back = 2;
constexpr std::int32_t install_ended = 1;

enum class WizardOutcome { show_page, left, ended, completed };

struct WizardStep {
    WizardOutcome outcome = WizardOutcome::left;
    WizardPage page = WizardPage::welcome;  // the page to show, with show_page only
    // The preferences page was passed over unseen: its desktop-icon, program-group and
    // start-at-login choices must be set to 0 before they reach the summary.
    bool clear_skipped_preferences = false;

    bool operator==(const WizardStep&) const = default;
};

// The page the wizard opens with.
WizardPage first_page(const PageVisibility& visibility);

// Where the wizard goes after the shown page ended with its result: the next page to show,
// already past any hidden pages, or the end of the wizard.
WizardStep after(WizardPage shown, std::int32_t result, const PageVisibility& visibility);
