// The license page: the license text, and Next only once the user agrees to it.
#pragma once

#include "page_frame.h"

#include <cstdint>

class LicensePage : public SetupPage {
public:
    explicit LicensePage(const WizardContext& context);

private:
    void initialise() override;
    void own_command(int id, int notification) override;
    void show_agreement();

    // 1 once the box is ticked and not unticked since; kept across showings.
    std::uint8_t agreed_ = 0;
};
