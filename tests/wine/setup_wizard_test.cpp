// setup.exe's wizard: the order of its pages, Back, leaving, the keyboard, the header bands and
// pictures, the license and users pages.
#include "setup_pages.h"
#include "setup_resource.h"
#include "test_environment.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Step {
    SetupPage page;
    bool back_shown;
};

std::string describe(const std::vector<Step>& steps)
{
    std::string text;
    for (const Step& step : steps) text += page_name(step.page) + (step.back_shown ? "(back) " : " ");
    return text;
}

bool back_shown(HWND page)
{
    HWND back = ui::control(page, IDC_BACK);
    return back && ui::is_visible(back) && ui::is_enabled(back);
}

TEST(SetupWizard, NextLeadsThroughThePagesThePackageShowsUpToInstall)
{
    struct Case {
        const char* package;
        std::vector<Step> steps;
    } cases[] = {
        {"shipped",
         {{SetupPage::welcome, false},
          {SetupPage::license, true},
          {SetupPage::users, true},
          {SetupPage::destination, true},
          {SetupPage::preferences, true},
          {SetupPage::summary, true}}},
        {"plain", {{SetupPage::destination, false}, {SetupPage::summary, true}}},
        {"documents",
         {{SetupPage::welcome, false},
          {SetupPage::users, true},
          {SetupPage::destination, true},
          {SetupPage::preferences, true},
          {SetupPage::summary, true}}},
        {"desktop",
         {{SetupPage::users, false},
          {SetupPage::destination, true},
          {SetupPage::preferences, true},
          {SetupPage::summary, true}}},
        {"root_drive", {{SetupPage::license, false}, {SetupPage::destination, true}, {SetupPage::summary, true}}},
        {"extensions",
         {{SetupPage::license, false},
          {SetupPage::users, true},
          {SetupPage::destination, true},
          {SetupPage::preferences, true},
          {SetupPage::summary, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.package);
        WizardRun wizard(c.package);
        std::vector<Step> seen;
        std::string target = wizard.directory().file("target");
        for (HWND page = wizard.first_page(); page; page = wizard.next()) {
            seen.push_back({wizard.kind(), back_shown(page)});
            if (wizard.kind() == SetupPage::summary) break;
            if (wizard.kind() == SetupPage::license) wizard.agree();
            if (wizard.kind() == SetupPage::destination) ui::set_text(ui::control(page, IDC_DESTINATION), target);
        }
        EXPECT_EQ(describe(seen), describe(c.steps));
        ASSERT_EQ(wizard.kind(), SetupPage::summary);

        // The installation itself has tests of its own (setup_install_*): Cancel still installs nothing.
        EXPECT_EQ(ui::text(ui::control(wizard.page(), IDOK)), "&Install");
        EXPECT_TRUE(wizard.cancel());
        EXPECT_FALSE(ui::find_message_box(wizard.id()));
        EXPECT_EQ(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST(SetupWizard, BackLeadsToTheShownPageBefore)
{
    struct Case {
        const char* package;
        std::vector<SetupPage> backwards;  // from the summary page
    } cases[] = {
        {"shipped",
         {SetupPage::summary, SetupPage::preferences, SetupPage::destination, SetupPage::users, SetupPage::license,
          SetupPage::welcome}},
        // Nothing offered: no preferences page to go back to.
        {"plain", {SetupPage::summary, SetupPage::destination}},
        {"desktop", {SetupPage::summary, SetupPage::preferences, SetupPage::destination, SetupPage::users}},
        {"root_drive", {SetupPage::summary, SetupPage::destination, SetupPage::license}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.package);
        WizardRun wizard(c.package);
        ASSERT_TRUE(wizard.walk_to(SetupPage::summary));
        std::vector<std::string> seen{page_name(wizard.kind())};
        while (back_shown(wizard.page()) && wizard.back()) seen.push_back(page_name(wizard.kind()));
        std::vector<std::string> expected;
        for (SetupPage page : c.backwards) expected.push_back(page_name(page));
        EXPECT_EQ(seen, expected);
        EXPECT_TRUE(wizard.cancel());
    }
}

TEST(SetupWizard, CancelEscapeAndTheCloseBoxLeaveFromEveryPageWithoutAWord)
{
    enum class Leave { cancel, escape, close_box };
    const SetupPage pages[] = {SetupPage::welcome,     SetupPage::license,     SetupPage::users,
                               SetupPage::destination, SetupPage::preferences, SetupPage::summary};
    for (SetupPage target : pages) {
        for (Leave how : {Leave::cancel, Leave::escape, Leave::close_box}) {
            SCOPED_TRACE(page_name(target) + " " + std::to_string(static_cast<int>(how)));
            WizardRun wizard("shipped");
            HWND page = wizard.walk_to(target);
            ASSERT_TRUE(page);
            if (how == Leave::cancel) ui::click(ui::control(page, IDCANCEL));
            if (how == Leave::escape) ui::press_key(page, VK_ESCAPE);
            if (how == Leave::close_box) ui::close(page);
            EXPECT_EQ(wizard.program().wait_exit(), 0u);
            EXPECT_FALSE(ui::find_message_box(wizard.id()));
        }
    }
}

TEST(SetupWizard, TheKeyboardDrivesThePages)
{
    WizardRun wizard("shipped");
    HWND welcome = wizard.first_page();
    ASSERT_TRUE(welcome);
    // Enter presses the default button, Next.
    ui::press_key(welcome, VK_RETURN);
    HWND license = wait_for_page(wizard.id(), SetupPage::license, welcome);
    ASSERT_TRUE(license);
    // Enter does nothing while Next is disabled; Alt+Y ticks the agreement.
    ui::press_key(license, VK_RETURN);
    ui::press_alt_key(license, 'y');
    ASSERT_TRUE(ui::wait_until([&] { return ui::is_checked(ui::control(license, IDC_AGREE)); }));
    EXPECT_EQ(current_page(wizard.id()), license);
    ui::press_alt_key(license, 'n');
    HWND users = wait_for_page(wizard.id(), SetupPage::users, license);
    ASSERT_TRUE(users);
    // Alt+L picks all users; Alt+B goes back and keeps the choice.
    ui::press_alt_key(users, 'l');
    ASSERT_TRUE(ui::wait_until([&] { return ui::is_checked(ui::control(users, IDC_ALL_USERS)); }));
    ui::press_alt_key(users, 'b');
    license = wait_for_page(wizard.id(), SetupPage::license, users);
    ASSERT_TRUE(license);
    ui::press_key(license, VK_RETURN);
    users = wait_for_page(wizard.id(), SetupPage::users, license);
    ASSERT_TRUE(users);
    EXPECT_TRUE(ui::is_checked(ui::control(users, IDC_ALL_USERS)));
    EXPECT_FALSE(ui::is_checked(ui::control(users, IDC_ONLY_YOU)));
    ui::press_alt_key(users, 'c');
    EXPECT_EQ(wizard.program().wait_exit(), 0u);
}

TEST(SetupWizard, TheLicenseBoxEnablesNextAndIsRemembered)
{
    WizardRun wizard("shipped");
    HWND license = wizard.walk_to(SetupPage::license);
    ASSERT_TRUE(license);
    HWND box = ui::control(license, IDC_AGREE);
    EXPECT_FALSE(ui::is_checked(box));
    EXPECT_FALSE(ui::is_enabled(ui::control(license, IDOK)));
    ui::click(box);
    EXPECT_TRUE(ui::wait_until([&] { return ui::is_enabled(ui::control(license, IDOK)); }));
    ui::click(box);
    EXPECT_TRUE(ui::wait_until([&] { return !ui::is_enabled(ui::control(license, IDOK)); }));
    EXPECT_FALSE(ui::is_checked(box));
    ui::click(box);
    ASSERT_TRUE(ui::wait_until([&] { return ui::is_enabled(ui::control(license, IDOK)); }));

    // Back to the welcome page and forward again; then from the destination page back to it.
    ASSERT_EQ(page_kind(wizard.back()), SetupPage::welcome);
    license = wizard.next();
    ASSERT_EQ(wizard.kind(), SetupPage::license);
    EXPECT_TRUE(ui::is_checked(ui::control(license, IDC_AGREE)));
    EXPECT_TRUE(ui::is_enabled(ui::control(license, IDOK)));
    ASSERT_TRUE(wizard.walk_to(SetupPage::destination));
    ASSERT_EQ(page_kind(wizard.back()), SetupPage::users);
    license = wizard.back();
    ASSERT_EQ(wizard.kind(), SetupPage::license);
    EXPECT_TRUE(ui::is_checked(ui::control(license, IDC_AGREE)));
    EXPECT_TRUE(ui::is_enabled(ui::control(license, IDOK)));
    EXPECT_TRUE(wizard.cancel());
}

TEST(SetupWizard, TheUsersPageNamesTheLoggedOnUserAndStartsWithOnlyYou)
{
    char name[1024] = {};
    DWORD size = sizeof name;
    ASSERT_TRUE(GetUserNameA(name, &size));
    WizardRun wizard("shipped");
    HWND users = wizard.walk_to(SetupPage::users);
    ASSERT_TRUE(users);
    EXPECT_EQ(ui::text(ui::control(users, IDC_ONLY_YOU)), std::string("&Only ") + name);
    EXPECT_TRUE(ui::is_checked(ui::control(users, IDC_ONLY_YOU)));
    EXPECT_FALSE(ui::is_checked(ui::control(users, IDC_ALL_USERS)));
    EXPECT_EQ(ui::text(ui::control(users, IDC_ALL_USERS)), "Al&l users on this computer");
    EXPECT_EQ(ui::text(ui::control(users, IDC_USERS_GROUP)), "This installation is for");
    EXPECT_TRUE(wizard.cancel());
}

// ---------------------------------------------------------------------------------------------
// The header band and the pictures

std::vector<HWND> rich_edits(HWND page)
{
    std::vector<HWND> found;
    for (int i = 0; HWND edit = ui::control_by_class(page, "RichEdit20A", i); ++i) found.push_back(edit);
    return found;
}

// The rich-edit control at the top left corner of the page.
HWND header_band(HWND page)
{
    for (HWND edit : rich_edits(page))
        if (ui::placement(edit).left == 0 && ui::placement(edit).top == 0) return edit;
    return nullptr;
}

std::string header_phrase(SetupPage page)
{
    switch (page) {
    case SetupPage::license: return "License Agreement";
    case SetupPage::users: return "Who will be using this installation?";
    case SetupPage::destination: return "Destination Directory";
    case SetupPage::preferences: return "Preferences";
    case SetupPage::summary: return "Final Summary";
    default: return "";
    }
}

// The band reaches from the left edge to the small picture, white from there to the right edge.
void expect_header_band(HWND page)
{
    HWND band = header_band(page);
    ASSERT_TRUE(band);
    EXPECT_NE(ui::text(band).find(header_phrase(page_kind(page))), std::string::npos) << ui::text(band);
    RECT picture = ui::placement(ui::control(page, IDC_PAGE_PICTURE));
    RECT white = ui::placement(ui::control(page, IDC_HEADER_WHITE));
    RECT client{};
    GetClientRect(page, &client);
    RECT band_place = ui::placement(band);
    EXPECT_EQ(band_place.right, picture.left);
    EXPECT_EQ(band_place.bottom, white.bottom);
    EXPECT_EQ(white.left, picture.left);
    EXPECT_EQ(white.top, 0);
    EXPECT_EQ(white.right, client.right);
    EXPECT_TRUE(ui::is_visible(ui::control(page, IDC_HEADER_WHITE)));
}

bool shows_picture(HWND page, int id)
{
    HWND picture = ui::control(page, id);
    return ui::is_visible(picture) && SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
}

TEST(SetupWizard, EveryPageButTheWelcomePageHasItsHeaderBandOnceAndThePicturesWhereThePackageHasThem)
{
    struct Case {
        const char* package;
        bool pictures;
    } cases[] = {{"shipped", true}, {"documents", false}, {"extensions", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.package);
        WizardRun wizard(c.package);
        for (HWND page = wizard.first_page(); page; page = wizard.next()) {
            SCOPED_TRACE(page_name(wizard.kind()));
            EXPECT_EQ(shows_picture(page, IDC_PAGE_PICTURE), c.pictures);
            std::size_t text_controls = wizard.kind() == SetupPage::license ? 2 : 1;
            EXPECT_EQ(rich_edits(page).size(), text_controls);
            if (wizard.kind() != SetupPage::welcome) expect_header_band(page);
            if (wizard.kind() == SetupPage::summary) break;
            if (wizard.kind() == SetupPage::license) wizard.agree();
        }
        // Shown again, each page builds its band anew, without a second copy.
        while (back_shown(wizard.page()) && wizard.back()) {
            SCOPED_TRACE(page_name(wizard.kind()) + " again");
            std::size_t text_controls = wizard.kind() == SetupPage::license ? 2 : 1;
            EXPECT_EQ(rich_edits(wizard.page()).size(), text_controls);
            if (wizard.kind() != SetupPage::welcome) expect_header_band(wizard.page());
        }
        EXPECT_TRUE(wizard.cancel());
    }
}

TEST(SetupWizard, TheWelcomeTextStandsBesideTheSidePictureOrWhereItWouldBe)
{
    struct Case {
        const char* package;
        bool picture;
    } cases[] = {{"shipped", true}, {"documents", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.package);
        WizardRun wizard(c.package);
        HWND welcome = wizard.first_page();
        ASSERT_EQ(wizard.kind(), SetupPage::welcome);
        HWND side = ui::control(welcome, IDC_WELCOME_PICTURE);
        EXPECT_EQ(shows_picture(welcome, IDC_WELCOME_PICTURE), c.picture);
        RECT side_place = ui::placement(side);
        RECT line = ui::placement(ui::control(welcome, IDC_SEPARATOR));
        std::vector<HWND> texts = rich_edits(welcome);
        ASSERT_EQ(texts.size(), 1u);
        RECT text_place = ui::placement(texts[0]);
        EXPECT_EQ(text_place.left, side_place.right);
        EXPECT_EQ(text_place.top, 0);
        EXPECT_EQ(text_place.bottom, line.top);
        EXPECT_NE(ui::text(texts[0]).find("Welcome"), std::string::npos);
        if (c.picture) {
            EXPECT_EQ(side_place.top, 0);
            EXPECT_EQ(side_place.bottom, line.top - 2);
            EXPECT_GT(side_place.right - side_place.left, 40) << "the picture's own width";
        }
        EXPECT_TRUE(wizard.cancel());
    }
}

} // namespace
