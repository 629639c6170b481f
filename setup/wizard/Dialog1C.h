// The users page: whether the shortcuts and associations are for this user or for all users.
#pragma once

#include "page_frame.h"

class UsersPage : public SetupPage {
public:
    UsersPage(const WizardContext& context, InstallFor& install_for);

private:
    void initialise() override;
    void next() override;
    void back() override;
    void name_the_user();
    void store_choice();

    InstallFor& install_for_;
};
