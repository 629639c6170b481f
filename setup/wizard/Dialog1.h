// The welcome page: the package's welcome text beside its welcome picture.
#pragma once

#include "page_frame.h"

class WelcomePage : public SetupPage {
public:
    explicit WelcomePage(const WizardContext& context);

private:
    void initialise() override;
    void place_side_picture();
    void show_welcome_text();
    void show_small_picture();
};
