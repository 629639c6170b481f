#include "Dialog1C.h"

#include "header_texts.h"
#include "setup_resource.h"
#include "trace.h"

#include <cstring>
#include <string>

UsersPage::UsersPage(const WizardContext& context, InstallFor& install_for)
    : SetupPage(context, IDD_USERS), install_for_(install_for)
{
}

void UsersPage::initialise()
{
    TRACE_POINT();
    begin_page(users_header_rtf);
    CheckRadioButton(window(), IDC_ONLY_YOU, IDC_ALL_USERS,
                     install_for_.choice == install_for_current_user ? IDC_ONLY_YOU : IDC_ALL_USERS);
    name_the_user();
    if (description().show_welcome_page == 0 && description().show_license_page == 0)
        hide_control(window(), IDC_BACK);
}

// "&Only alice" rather than "&Only you"; the template's caption stays when the name is unknown.
void UsersPage::name_the_user()
{
    std::string name(1024, '\0');
    DWORD size = static_cast<DWORD>(name.size());
    if (!GetUserNameA(name.data(), &size)) return;
    name.resize(std::strlen(name.c_str()));
    SetDlgItemTextA(window(), IDC_ONLY_YOU, ("&Only " + name).c_str());
}

void UsersPage::store_choice()
{
    std::uint8_t choice =
        IsDlgButtonChecked(window(), IDC_ALL_USERS) == BST_CHECKED ? install_for_all_users : install_for_current_user;
    if (choice != install_for_.choice) install_for_.changed = true;
    install_for_.choice = choice;
}

void UsersPage::next()
{
    TRACE_POINT();
    store_choice();
    end_page(result_next);
}

void UsersPage::back()
{
    TRACE_POINT();
    store_choice();
    end_page(result_back);
}
