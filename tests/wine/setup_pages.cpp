#include "setup_pages.h"

#include "setup_resource.h"
#include "ui_driver.h"

std::string page_name(SetupPage page)
{
    switch (page) {
    case SetupPage::none: return "none";
    case SetupPage::welcome: return "welcome";
    case SetupPage::license: return "license";
    case SetupPage::users: return "users";
    case SetupPage::destination: return "destination";
    case SetupPage::preferences: return "preferences";
    case SetupPage::summary: return "summary";
    }
    return "?";
}

SetupPage page_kind(HWND page)
{
    auto has = [page](int id) { return ui::control(page, id) != nullptr; };
    if (!page) return SetupPage::none;
    if (has(IDC_WELCOME_PICTURE)) return SetupPage::welcome;
    if (has(IDC_ONLY_YOU)) return SetupPage::users;
    if (has(IDC_BROWSE)) return SetupPage::destination;
    if (has(IDC_ASSOCIATE)) return SetupPage::preferences;
    if (has(IDC_AGREE)) return SetupPage::license;
    if (has(IDC_SUMMARY_TEXT)) return SetupPage::summary;
    return SetupPage::none;
}

HWND current_page(DWORD process_id) { return ui::find_window(process_id, "#32770", "Setup"); }

HWND wait_for_page(DWORD process_id, SetupPage page, HWND previous)
{
    HWND found = nullptr;
    ui::wait_until([&] {
        found = current_page(process_id);
        return found && found != previous && page_kind(found) == page;
    });
    return found && found != previous && page_kind(found) == page ? found : nullptr;
}
