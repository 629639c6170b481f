// The order of the setup wizard's pages and where each page's result leads. Pure decisions: the
// driver shows the pages, this says which one comes next.
#pragma once

#include "page_results.h"

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

// Where the wizard goes after the shown page ended with its result (page_results.h): the next
// page to show, already past any hidden pages, or the end of the wizard. Every value of an
// ordinary page but Next and Back leaves the wizard; every value of the installation page but
// result_ended and Back counts as completed.
WizardStep after(WizardPage shown, std::int32_t result, const PageVisibility& visibility);
