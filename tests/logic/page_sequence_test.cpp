#include "page_sequence.h"
#include "setup_description.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using P = WizardPage;

const char* page_name(WizardPage page)
{
    static const char* const names[] = {"welcome", "license", "users", "destination",
                                        "preferences", "summary", "installation"};
    return names[static_cast<int>(page)];
}

WizardStep show(WizardPage page, bool clear = false)
{
    WizardStep step;
    step.outcome = WizardOutcome::show_page;
    step.page = page;
    step.clear_skipped_preferences = clear;
    return step;
}

WizardStep end(WizardOutcome outcome)
{
    WizardStep step;
    step.outcome = outcome;
    return step;
}

const WizardStep left = end(WizardOutcome::left);

PageVisibility visible(bool welcome, bool license, bool users, bool preferences)
{
    return PageVisibility{welcome, license, users, preferences};
}

const PageVisibility all_pages = visible(true, true, true, true);
const PageVisibility required_pages_only = visible(false, false, false, false);

struct Case {
    PageVisibility visibility;
    WizardPage shown;
    std::int32_t result;
    WizardStep expected;
};

void check(const Case& c)
{
    SCOPED_TRACE(testing::Message() << page_name(c.shown) << " result " << c.result << " visibility "
                                    << c.visibility.welcome << c.visibility.license << c.visibility.users
                                    << c.visibility.preferences);
    EXPECT_EQ(after(c.shown, c.result, c.visibility), c.expected);
}

} // namespace

void PrintTo(const WizardStep& step, std::ostream* out)
{
    static const char* const outcomes[] = {"show", "left", "ended", "completed"};
    *out << outcomes[static_cast<int>(step.outcome)];
    if (step.outcome == WizardOutcome::show_page) *out << " " << page_name(step.page);
    if (step.clear_skipped_preferences) *out << " (clear preferences)";
}

namespace {

TEST(PageSequence, EveryPageShownFollowsTheTable)
{
    const Case cases[] = {
        {all_pages, P::welcome, result_next, show(P::license)},
        {all_pages, P::welcome, result_back, left},
        {all_pages, P::welcome, result_leave, left},
        {all_pages, P::license, result_next, show(P::users)},
        {all_pages, P::license, result_back, show(P::welcome)},
        {all_pages, P::license, result_leave, left},
        {all_pages, P::users, result_next, show(P::destination)},
        {all_pages, P::users, result_back, show(P::license)},
        {all_pages, P::users, 3, left},
        {all_pages, P::destination, result_next, show(P::preferences)},
        {all_pages, P::destination, result_back, show(P::users)},
        {all_pages, P::destination, -1, left},
        {all_pages, P::preferences, result_next, show(P::summary)},
        {all_pages, P::preferences, result_back, show(P::destination)},
        {all_pages, P::preferences, result_leave, left},
        {all_pages, P::summary, result_next, show(P::installation)},
        {all_pages, P::summary, result_back, show(P::preferences)},
        {all_pages, P::summary, result_leave, left},
        {all_pages, P::installation, result_completed, end(WizardOutcome::completed)},
        {all_pages, P::installation, result_ended, end(WizardOutcome::ended)},
        {all_pages, P::installation, result_back, show(P::destination)},
        {all_pages, P::installation, 3, end(WizardOutcome::completed)},
        {all_pages, P::installation, -1, end(WizardOutcome::completed)},
    };
    for (const Case& c : cases) check(c);
}

TEST(PageSequence, HiddenPagesArePassedAsIfTheyReturnedNext)
{
    const PageVisibility welcome_only = visible(true, false, false, true);
    const PageVisibility license_only = visible(false, true, false, true);
    const PageVisibility users_only = visible(false, false, true, true);
    const PageVisibility no_license = visible(true, false, true, true);
    const PageVisibility no_users = visible(true, true, false, true);
    const PageVisibility no_preferences = visible(true, true, true, false);
    const Case cases[] = {
        {welcome_only, P::welcome, result_next, show(P::destination)},
        {no_users, P::license, result_next, show(P::destination)},
        {no_license, P::welcome, result_next, show(P::users)},
        // Back from the users page goes to the license page only when there is one.
        {no_license, P::users, result_back, show(P::welcome)},
        {users_only, P::users, result_back, show(P::users)},
        // Back from the destination page without a users page is Back from the users page.
        {no_users, P::destination, result_back, show(P::license)},
        {welcome_only, P::destination, result_back, show(P::welcome)},
        {license_only, P::destination, result_back, show(P::license)},
        {required_pages_only, P::destination, result_back, show(P::destination)},
        {license_only, P::license, result_back, show(P::license)},
        // Skipping the preferences page clears its choices; going back past it does not.
        {no_preferences, P::destination, result_next, show(P::summary, true)},
        {no_preferences, P::summary, result_back, show(P::destination)},
        {no_preferences, P::installation, result_back, show(P::destination)},
        {required_pages_only, P::installation, result_back, show(P::destination)},
        {required_pages_only, P::destination, result_leave, left},
        {required_pages_only, P::summary, result_next, show(P::installation)},
    };
    for (const Case& c : cases) check(c);
}

TEST(PageSequence, FirstPageIsTheFirstShown)
{
    struct FirstCase {
        PageVisibility visibility;
        WizardPage first;
    } cases[] = {
        {all_pages, P::welcome},
        {visible(false, true, true, true), P::license},
        {visible(false, false, true, false), P::users},
        {required_pages_only, P::destination},
    };
    for (const FirstCase& c : cases) {
        SCOPED_TRACE(page_name(c.first));
        EXPECT_EQ(first_page(c.visibility), c.first);
    }
    // Cancel on that first page leaves at once.
    EXPECT_EQ(after(first_page(required_pages_only), result_leave, required_pages_only), left);
}

// Whatever is hidden, the wizard only ever lands on a page that is shown, and only clears the
// preferences when their page is hidden.
TEST(PageSequence, EveryCombinationLandsOnAShownPage)
{
    for (int bits = 0; bits < 16; ++bits) {
        PageVisibility v = visible(bits & 1, bits & 2, bits & 4, bits & 8);
        bool shown[] = {v.welcome, v.license, v.users, true, v.preferences, true, true};
        EXPECT_TRUE(shown[static_cast<int>(first_page(v))]);
        for (int page = 0; page <= static_cast<int>(P::installation); ++page) {
            for (std::int32_t result : {result_next, result_leave, result_back, 5}) {
                SCOPED_TRACE(testing::Message() << "bits " << bits << " page " << page << " result " << result);
                WizardStep step = after(static_cast<WizardPage>(page), result, v);
                if (step.outcome == WizardOutcome::show_page) {
                    EXPECT_TRUE(shown[static_cast<int>(step.page)]);
                }
                if (step.clear_skipped_preferences) {
                    EXPECT_FALSE(v.preferences);
                }
            }
        }
        EXPECT_EQ(after(P::installation, 2, v), show(P::destination));
    }
}

TEST(PageSequence, VisibilityFromTheDescription)
{
    SetupDescription d;
    d.show_welcome_page = 1;
    d.show_license_page = 2;
    PageVisibility v = page_visibility(d, true);
    EXPECT_TRUE(v.welcome);
    EXPECT_TRUE(v.license);
    EXPECT_TRUE(v.users);
    EXPECT_FALSE(v.preferences);

    // The welcome page wants exactly 1; the license page anything but 0.
    d.show_welcome_page = 2;
    d.show_license_page = 0;
    v = page_visibility(d, false);
    EXPECT_FALSE(v.welcome);
    EXPECT_FALSE(v.license);
    EXPECT_FALSE(v.users);

    bool SetupDescription::*offers[] = {&SetupDescription::offer_desktop_icon, &SetupDescription::offer_program_group,
                                        &SetupDescription::offer_startup, &SetupDescription::offer_associate};
    for (bool SetupDescription::*offer : offers) {
        SetupDescription one;
        one.*offer = true;
        EXPECT_TRUE(page_visibility(one, false).preferences);
    }
}

} // namespace
