// The summary page: what the installation is about to do, with the disk space, and Install.
#pragma once

#include "page_frame.h"
#include "wizard_state.h"

class SummaryPage : public SetupPage {
public:
    explicit SummaryPage(const WizardContext& context);

    // Filled by the wizard driver before every showing; read by the installation.
    WizardState& wizard_state() { return state_; }

private:
    void initialise() override;

    WizardState state_;
};
